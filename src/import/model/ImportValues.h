#pragma once
// How a cell of an imported file becomes a value of the program: dates in the ways farmers and
// spreadsheets write them, the animal's sex and breed, the two-way choices of a breeding record.
// Every function takes the cell's text as the reader gave it.
#include <QDate>
#include <QString>
#include <optional>

namespace import {

// The date a cell names, in the forms a farmer types (data/DateText.h: 2020-01-15, 2020.1.15,
// 2020/01/15, 20200115, "2020년 01월 15일", ...). Invalid for anything else, for a day that does
// not exist and for a day outside what the program's date pickers hold.
QDate parseDate(const QString& cell);

// 0 for a cow (암, 암소, 암컷, F), 1 for a bull or steer (수, 수소, 수컷, 거세, 거세우, M);
// nothing for any other text.
std::optional<int> parseSex(const QString& cell);
// 0 purebred (순종, 한우), 1 crossbred (교잡종, 교잡, 잡종); nothing for any other text.
std::optional<int> parseBreed(const QString& cell);
// The pregnancy check: 0 for 가 (O, ○, 임신, 양성, +), 1 for 부 (X, ×, 미임신, 공태, 음성, -).
std::optional<int> parsePregnancy(const QString& cell);
// A calf's sex: 0 female, 1 male, as parseSex.
std::optional<int> parseCalfSex(const QString& cell);

// True for a number a spreadsheet shows in exponent form ("2.01E+09", "2.01235E+11"): what is
// left of a long animal or semen number once the spreadsheet took it for a number and dropped
// its digits. Such a cell no longer says which animal it was.
bool hasLostDigits(const QString& cell);

// A cell as a date number yyyymmdd: 0 for an empty cell, nothing for one that is no date.
std::optional<qint64> dateNumberOf(const QString& cell);

}  // namespace import
