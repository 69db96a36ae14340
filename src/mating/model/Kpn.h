#pragma once
// A bull's KPN number as the farm types it and as it is stored. "KPN1105", "KPN-1105",
// "kpn 1105" and "1105" are the same bull; the tables hold its digits ("1105"), as 정액번호
// always has, and the windows show it as "KPN1105".
#include <QString>

namespace kpn {

// The digits of a typed KPN number, without leading or trailing blanks, an optional "KPN"
// prefix (any case) and one optional "-" or blank after it. Empty when the text is no KPN
// number (letters, a second number, more than kMaxDigits digits, or nothing typed).
QString digitsOf(const QString& typed);

// "KPN" and the digits, for lists, questions and prints ("" for "").
QString shown(const QString& digits);

// KPN numbers run to four digits today; six leaves room without taking a date or a phone
// number for a bull.
constexpr int kMaxDigits = 6;

}  // namespace kpn
