#include "calendar/CalendarWindow.h"

#include "calendar/MonthView.h"
#include "calendar/model/ICalendar.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/FileDialogs.h"
#include "kit/Grid.h"
#include "kit/GridExport.h"
#include "kit/Messages.h"
#include "kit/NoteLabel.h"
#include "kit/WindowKeys.h"
#include "kit/WindowUtil.h"
#include "registry/SearchWindow.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace calendar;

namespace {
constexpr int kMaxPhoneDays = 366;

QString weekdayText(const QDate& d)
{
    static const char* const names[] = {"월", "화", "수", "목", "금", "토", "일"};
    return QString::fromUtf8(names[d.dayOfWeek() - 1]);
}

// The record form through a search list of its own, which closes with the calendar.
void openThroughSearchList(QWidget* parent, const QString& number)
{
    auto* list = new SearchWindow(parent);
    list->setWindowFlag(Qt::Window);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    list->openAnimal(number);
}

QString askCalendarFile(QWidget* parent, const QString& suggestedPath)
{
    return chooseFileToSave(parent, QStringLiteral("휴대폰 달력으로 보내기"), QStringLiteral("달력 파일 (*.ics)"),
                            suggestedPath, QStringLiteral("ics"));
}
}  // namespace

CalendarWindow::CalendarWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frm달력"));
    setWindowTitle(QStringLiteral("농장 달력"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_chooser = askCalendarFile;
    m_opener = openThroughSearchList;

    m_month = new MonthView(this);
    nameControl(m_month, QStringLiteral("calMonth"), QStringLiteral("농장 달력"));

    m_today = commandButton(QStringLiteral("cmdToday"), QStringLiteral("오늘"), this);
    connect(m_today, &QPushButton::clicked, this, [this] { showDay(today()); });
    auto* daysCaption = new QLabel(QStringLiteral("보낼 기간(일)"), this);
    m_phoneDays = new QSpinBox(this);
    m_phoneDays->setRange(1, kMaxPhoneDays);
    m_phoneDays->setValue(kPhoneCalendarDays);
    nameInput(m_phoneDays, QStringLiteral("txtPhoneDays"), daysCaption);
    m_phone = commandButton(QStringLiteral("cmdPhone"), QStringLiteral("휴대폰 달력으로 보내기"), this);
    m_phone->setToolTip(QStringLiteral("앞으로의 일정을 휴대폰 달력에서 여는 파일(.ics)로 저장합니다"));
    connect(m_phone, &QPushButton::clicked, this, [this] { sendToPhone(); });
    QPushButton* close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫기(ESC)"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_dayTitle = noteLabel(QStringLiteral("lblDay"), {}, this);
    QFont bold = m_dayTitle->font();
    bold.setBold(true);
    m_dayTitle->setFont(bold);
    m_dayList = new Grid(this);
    nameControl(m_dayList, QStringLiteral("grdDay"), QStringLiteral("그날의 일정"));
    m_dayList->setHeaders(
        {QStringLiteral("구분"), QStringLiteral("개체번호"), QStringLiteral("우방"), QStringLiteral("내용")});
    m_dayList->setStretchColumn(4);
    setExportName(m_dayList, [this] {
        return QStringLiteral("농장 달력 ") + m_month->selectedDate().toString(QStringLiteral("yyyy-MM-dd"));
    });
    connect(m_dayList, &Grid::dblClick, this, [this](int, int row) {
        if (row >= 1) openSelected();
    });
    m_open = commandButton(QStringLiteral("cmdOpen"), QStringLiteral("기록 보기"), this);
    m_open->setToolTip(QStringLiteral("고른 개체의 기록 화면을 엽니다"));
    connect(m_open, &QPushButton::clicked, this, [this] { openSelected(); });

    QStringList legend;
    for (ItemKind k : kItemKinds)
        legend << QStringLiteral("<span style='color:%1'>■</span> %2 (%3)")
                      .arg(MonthView::kindColor(k).name(), kindText(k), MonthView::shortKind(k));
    QLabel* legendLabel = noteLabel(QStringLiteral("lblLegend"), legend.join(QStringLiteral("&nbsp;&nbsp; ")), this);
    legendLabel->setTextFormat(Qt::RichText);
    legendLabel->setAccessibleName(
        QStringLiteral("달력의 표시: 재발정 확인, 분만 예정, 예방접종, 휴약 종료, 출하 예정"));
    legendLabel->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_today);
    top->addStretch(1);
    top->addWidget(daysCaption);
    top->addWidget(m_phoneDays);
    top->addWidget(m_phone);
    top->addWidget(close);

    auto* side = new QVBoxLayout;
    side->addWidget(m_dayTitle);
    side->addWidget(m_dayList, 1);
    side->addWidget(m_open, 0, Qt::AlignRight);

    auto* body = new QHBoxLayout;
    body->addWidget(m_month, 3);
    body->addLayout(side, 2);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(body, 1);
    all->addWidget(legendLabel);

    connect(m_month, &QCalendarWidget::currentPageChanged, this, [this] { reload(); });
    connect(m_month, &QCalendarWidget::selectionChanged, this, [this] { listDay(m_month->selectedDate()); });
    new WindowKeys(this);
    openAtSize(this, QSize(1240, 760));
    showDay(today());
}

void CalendarWindow::showDay(const QDate& day)
{
    const bool samePage = day.year() == m_month->yearShown() && day.month() == m_month->monthShown();
    m_month->setSelectedDate(day);
    // A new page reads its items (currentPageChanged); the first showing has none read yet.
    if (samePage || m_items.isEmpty()) reload();
    listDay(day);
}

void CalendarWindow::reload()
{
    m_items.clear();
    try {
        m_items = calendarItems(m_month->firstShownDay(), m_month->lastShownDay(), today());
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
    m_month->showItems(m_items);
    listDay(m_month->selectedDate());
}

void CalendarWindow::listDay(const QDate& day)
{
    m_listed = itemsOn(m_items, day);
    QList<QStringList> rows;
    QList<QColor> colors;
    for (const CalendarItem& i : m_listed) {
        rows << QStringList{kindText(i.kind), i.number, i.pen, i.text};
        colors << MonthView::kindColor(i.kind);
    }
    m_dayList->setMaxRows(0);
    m_dayList->appendRows(std::move(rows), colors);
    m_dayList->fitToContents();
    if (!m_listed.isEmpty()) m_dayList->setActiveCell(1, 1);
    const QString title = QStringLiteral("%1년 %2월 %3일 (%4) · %5")
                              .arg(day.year())
                              .arg(day.month())
                              .arg(day.day())
                              .arg(weekdayText(day), m_listed.isEmpty() ? QStringLiteral("일정 없음")
                                                                        : QStringLiteral("%1건").arg(m_listed.size()));
    m_dayTitle->setText(title);
    m_dayTitle->setAccessibleName(title);
    m_open->setEnabled(!m_listed.isEmpty());
}

void CalendarWindow::openSelected()
{
    const int row = m_dayList->activeRow();
    if (row < 1 || row > m_listed.size()) return;
    m_opener(this, m_listed[row - 1].number);
}

bool CalendarWindow::sendToPhone()
{
    const int days = m_phoneDays->value();
    QList<CalendarItem> items;
    try {
        items = phoneCalendarItems(today(), days);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }
    if (items.isEmpty()) {
        showMessage(this, MsgIcon::Information, QStringLiteral("휴대폰 달력"),
                    QStringLiteral("앞으로 %1일 동안 달력에 올릴 일정이 없습니다.").arg(days), MsgButton::Ok);
        return false;
    }
    const QString path = m_chooser(this, QDir(documentsFolder()).filePath(suggestedCalendarFileName(today())));
    if (path.isEmpty()) return false;
    ExportStatus status = ExportStatus::Cancelled;
    try {
        status = savePhoneCalendar(path, items);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }
    if (status != ExportStatus::Saved) {
        tellSaveFailure(this, status, path);
        return false;
    }
    showMessage(this, MsgIcon::Information, QStringLiteral("저장완료"),
                QStringLiteral("휴대폰 달력 파일을 저장했습니다. 앞으로 %1일의 일정 %2개가 들어 있습니다.\r\n%3\r\n"
                               "이 파일을 휴대폰으로 보내 열면 달력에 들어갑니다. 다시 보내면 같은 일정은 새로 "
                               "고쳐집니다.")
                    .arg(days)
                    .arg(eventCountOf(items))
                    .arg(QDir::toNativeSeparators(path)),
                MsgButton::Ok);
    return true;
}
