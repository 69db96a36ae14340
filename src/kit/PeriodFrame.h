#pragma once
// The "검색조건" frame of a window that lists a period: the criterion's caption panel, the start
// and end date pickers ("시작날짜", "끝날짜") and the "~" between them, in one row; the period
// the pickers show and the one the window last listed.
#include <QDate>
#include <QString>

class QDateEdit;
class QGroupBox;
class QWidget;

class PeriodFrame {
public:
    // `criterion` heads the row ("수 정 일", "분석기간"); the pickers are heard as
    // "<criterion> 시작" and "<criterion> 끝". The controls belong to `parent`.
    PeriodFrame(const QString& criterion, QWidget* parent);

    QGroupBox* frame() const { return m_frame; }  // "SSPanel2"
    QDateEdit* start() const { return m_start; }
    QDateEdit* end() const { return m_end; }

    QDate startDate() const;
    QDate endDate() const;
    void setPeriod(const QDate& start, const QDate& end);

    // Remembers the period the pickers show as the one listed (a query is reading it).
    void markListed();
    // "2026-01-01~2026-12-10": the period last listed, the pickers' before any.
    QString listedText() const;

private:
    QGroupBox* m_frame = nullptr;
    QDateEdit* m_start = nullptr;
    QDateEdit* m_end = nullptr;
    QDate m_listedStart;
    QDate m_listedEnd;
};
