#pragma once
// 농장 달력: the month with each day's due items from every list the program keeps (re-estrus
// checks, expected calvings, vaccinations due, withdrawal ends, planned shipments). A click on a
// day lists its items beside the month; 기록 보기 (or a double click) opens the animal's record
// form. 휴대폰 달력으로 보내기 writes the coming days as a calendar file a phone opens.
#include "calendar/model/CalendarItems.h"

#include <QWidget>
#include <functional>

class Grid;
class MonthView;
class QLabel;
class QPushButton;
class QSpinBox;

class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalendarWindow(QWidget* parent = nullptr);

    MonthView* month() const { return m_month; }          // "calMonth"
    Grid* dayList() const { return m_dayList; }           // "grdDay"
    QLabel* dayTitle() const { return m_dayTitle; }       // "lblDay"
    QPushButton* openButton() const { return m_open; }    // "cmdOpen"
    QPushButton* phoneButton() const { return m_phone; }  // "cmdPhone"
    QSpinBox* phoneDays() const { return m_phoneDays; }   // "txtPhoneDays"
    QPushButton* todayButton() const { return m_today; }  // "cmdToday"

    // Shows the month of `day` and lists `day`'s items.
    void showDay(const QDate& day);
    // Reads the shown month's items again.
    void reload();
    // The animal of the active line of the day's list: its record form.
    void openSelected();
    // Writes the phone calendar file of the coming days; true when saved.
    bool sendToPhone();

    // Asks where to save the phone calendar ("": cancelled); the file dialog unless replaced.
    using FileChooser = std::function<QString(QWidget* parent, const QString& suggestedPath)>;
    void useFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Opens the record form of the animal numbered `number`; the search list's unless replaced.
    using RecordOpener = std::function<void(QWidget* parent, const QString& number)>;
    void useRecordOpener(RecordOpener opener) { m_opener = std::move(opener); }

private:
    void listDay(const QDate& day);

    MonthView* m_month = nullptr;
    Grid* m_dayList = nullptr;
    QLabel* m_dayTitle = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_phone = nullptr;
    QSpinBox* m_phoneDays = nullptr;
    QPushButton* m_today = nullptr;
    QList<calendar::CalendarItem> m_items;   // of the days the month shows
    QList<calendar::CalendarItem> m_listed;  // the day's, by line
    FileChooser m_chooser;
    RecordOpener m_opener;
};
