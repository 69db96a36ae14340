#include "app/MainWindow.h"

#include "app/model/MainPosition.h"
#include "data/ProgramDir.h"
#include "data/ProgramExit.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"
#include "kit/WindowUtil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The window's picture: a pasture at dusk with the program's seal.
QPixmap mainPicture(const QSize& size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(70, 120, 170));
    sky.setColorAt(0.6, QColor(240, 200, 140));
    sky.setColorAt(1, QColor(110, 150, 70));
    p.fillRect(pm.rect(), sky);
    QPainterPath hill;
    hill.moveTo(0, size.height() * 0.72);
    hill.cubicTo(size.width() * 0.3, size.height() * 0.6, size.width() * 0.6, size.height() * 0.85, size.width(),
                 size.height() * 0.7);
    hill.lineTo(size.width(), size.height());
    hill.lineTo(0, size.height());
    p.fillPath(hill, QColor(80, 120, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 75, 30));
    const QRectF seal(size.width() / 2.0 - 60, size.height() * 0.2, 120, 120);
    p.drawEllipse(seal);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(46);
    f.setBold(true);
    p.setFont(f);
    p.drawText(seal, Qt::AlignCenter, QStringLiteral("한우"));
    return pm;
}
}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("한우암소관리 프로그램"));
    setFixedSize(640, 510);
    setStyleSheet(QStringLiteral("#frmMain { background: rgb(60, 90, 60); }"));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(0, 0, 250, 510);
    image->setPixmap(mainPicture(image->size()));

    auto* title = new QLabel(QStringLiteral("한우암소관리 프로그램"), this);
    title->setObjectName(QStringLiteral("MyLabel2"));
    title->setGeometry(262, 14, 366, 44);
    title->setStyleSheet(QStringLiteral("color: white; font-size: 24px; font-weight: bold;"));

    auto* brand = new QLabel(QStringLiteral("우리 농장 한우의 번식·성장·출하 기록"), this);
    brand->setObjectName(QStringLiteral("ML_TITLE"));
    brand->setGeometry(264, 56, 366, 24);
    brand->setStyleSheet(QStringLiteral("color: rgb(230, 230, 200); font-size: 13px;"));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(262, 86, 366, 416);
    frame->setStyleSheet(QStringLiteral("#Frame1 { background: white; border-radius: 6px; }"));
    auto* grid = new QGridLayout(frame);
    // Six rows of menu buttons, two to a row and at least 60 pixels high, fill the frame.
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(6);

    const struct {
        MenuEntry entry;
        const char* caption;
    } items[] = {{MenuEntry::Animals, "개체관리"},
                 {MenuEntry::MatingBook, "교배기록부"},
                 {MenuEntry::CalvingBook, "분만기록부"},
                 {MenuEntry::ShipmentBook, "출하기록부"},
                 {MenuEntry::ManureLedger, "축산분뇨 관리대장"},
                 {MenuEntry::FarmInfo, "농장정보"},
                 {MenuEntry::DailyList, "일일관리 대상조회"},
                 {MenuEntry::Recovery, "백업 및 복원"},
                 {MenuEntry::Analysis, "성적분석"},
                 {MenuEntry::MatingPlan, "교배계획"},
                 {MenuEntry::Calendar, "농장 달력"},
                 {MenuEntry::Exit, "종     료"}};
    int pos = 0;
    for (const auto& it : items) {
        const int number = int(it.entry);
        QPushButton* b = commandButton(QStringLiteral("Com_Button_%1").arg(number), QString::fromUtf8(it.caption),
                                       frame, ButtonLook::Menu);
        b->setProperty("index", number);
        connect(b, &QPushButton::clicked, this, [this, entry = it.entry] { menuClicked(entry); });
        // Two to a row; the exit comes last, across the row when it would stand alone.
        if (it.entry == MenuEntry::Exit && pos % 2 == 0)
            grid->addWidget(b, pos / 2, 0, 1, 2);
        else
            grid->addWidget(b, pos / 2, pos % 2);
        m_buttons.insert(it.entry, b);
        ++pos;
    }

    for (QWidget* handle : {static_cast<QWidget*>(frame), static_cast<QWidget*>(image), static_cast<QWidget*>(title),
                            static_cast<QWidget*>(brand)})
        makeDragHandle(handle, this);
}

void MainWindow::setOpener(MenuEntry entry, Opener opener)
{
    m_openers.insert(entry, std::move(opener));
}

QAbstractButton* MainWindow::menuButton(MenuEntry entry) const
{
    return m_buttons.value(entry);
}
QWidget* MainWindow::openWindow(MenuEntry entry) const
{
    return m_open.value(entry);
}

void MainWindow::menuClicked(MenuEntry entry)
{
    if (entry == MenuEntry::Exit) {
        close();
        return;
    }
    if (!m_openers.contains(entry)) return;  // that window is not part of this build
    QPointer<QWidget> w = m_open.value(entry);
    if (!w) {
        w = m_openers[entry]();
        if (!w) return;
        w->setAttribute(Qt::WA_DeleteOnClose);
        m_open.insert(entry, w);
        connect(w, &QObject::destroyed, this, [this] {
            show();
            raise();
            activateWindow();
        });
    }
    w->show();
    w->raise();
    w->activateWindow();
    if (w) hide();
}

void MainWindow::placeFromSettings()
{
    TwipsPosition p = readMainPosition(settingsFilePath());
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenW = screen ? pixelsToTwips(screen->geometry().width()) : 0;
    p = correctedPosition(p, screenW, pixelsToTwips(width()));
    // A position from a bigger or a second monitor (or garbage) is brought on screen and kept.
    const QRect saved(twipsToPixels(p.left), twipsToPixels(p.top), width(), height());
    const QPoint at = keptOnScreen(saved, availableScreenAreas());
    move(at);
    if (at != saved.topLeft()) writeMainPosition(settingsFilePath(), {pixelsToTwips(at.y()), pixelsToTwips(at.x())});
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    hide();
    const MsgButton answer =
        showMessage(this, MsgIcon::Question, QStringLiteral("한우암소관리 프로그램"),
                    QStringLiteral("프로그램을 종료하시겠습니까?"), MsgButton::Yes | MsgButton::No);
    if (answer == MsgButton::Yes) {
        writeMainPosition(settingsFilePath(), TwipsPosition{pixelsToTwips(y()), pixelsToTwips(x())});
        backupDatabase(this);  // a failure is reported and the program ends all the same
        QCoreApplication::processEvents();
        endProgram(0);
        event->accept();
        return;
    }
    QCoreApplication::processEvents();
    event->ignore();
    QCoreApplication::processEvents();
    show();
}
