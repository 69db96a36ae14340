#pragma once
// The "검색조건" frame of a window that lists a period: the criterion's caption panel, the start
// and end date pickers ("시작날짜", "끝날짜") and the "~" between them, in one row.
#include <QString>

class QDateEdit;
class QGroupBox;
class QWidget;

struct PeriodFrame {
    QGroupBox* frame = nullptr;  // "SSPanel2"
    QDateEdit* start = nullptr;
    QDateEdit* end = nullptr;
};

// `criterion` heads the row ("수 정 일", "분석기간"); the pickers are heard as "<criterion> 시작"
// and "<criterion> 끝".
PeriodFrame periodFrame(const QString& criterion, QWidget* parent);
