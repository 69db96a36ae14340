#pragma once
// The growth chart under the weighing grid of both record forms: live weight against age in
// months, one point per weighing, and the average daily gains beside it. It only reads the grid
// (the record book prints its columns by position) and redraws whenever the grid's rows or the
// birth date change; without a birth date or with fewer than two weighings a note stands in
// its place.
#include "history/model/Growth.h"

#include <QDate>
#include <QPointF>
#include <QWidget>
#include <functional>

class CheckedDateEdit;
class HistoryTab;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QScrollArea;
class QValueAxis;

class GrowthChart : public QWidget {
    Q_OBJECT
public:
    // `birth` tells the birth date (invalid when there is none).
    GrowthChart(const HistoryTab& weights, std::function<QDate()> birth, QWidget* parent = nullptr);

    // Reads the grid and the birth date again.
    void redraw();

    // What is shown: the chart's points (months, kg), or the note instead; the gain lines.
    QList<QPointF> plotted() const;
    bool showsChart() const;
    QString note() const;
    QStringList gainLines() const { return m_gainLines; }
    // The panel of the gain lines (it scrolls when they do not fit).
    QScrollArea* gainsArea() const { return m_gainsArea; }
    // The axes: age in months (x) and weight in kg (y).
    const QValueAxis* ageAxis() const { return m_ageAxis; }
    const QValueAxis* weightAxis() const { return m_weightAxis; }

private:
    const HistoryTab& m_weights;
    std::function<QDate()> m_birth;
    int m_dateColumn = 0;
    int m_weightColumn = 0;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QLineSeries* m_line = nullptr;
    QScatterSeries* m_dots = nullptr;
    QValueAxis* m_ageAxis = nullptr;
    QValueAxis* m_weightAxis = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_gains = nullptr;
    QScrollArea* m_gainsArea = nullptr;
    QStringList m_gainLines;
};

// Puts a growth chart beside the grid of `weights` (the weighing tab), drawn against the form's
// birth date `birth`.
GrowthChart* attachGrowthChart(HistoryTab* weights, CheckedDateEdit* birth);
