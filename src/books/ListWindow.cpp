#include "books/ListWindow.h"

#include "app/DbMessages.h"
#include "app/Globals.h"
#include "app/Messages.h"
#include "app/WindowKeys.h"
#include "app/WindowUtil.h"
#include "data/Db.h"
#include "data/FarmInfo.h"
#include "data/Values.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QSqlRecord>

namespace {
// The frame's margins, in twips like the rest of the layout rules.
constexpr int kBarRightTwips = 130;
constexpr int kCloseRightTwips = 120;
constexpr int kButtonGapTwips = 100;
constexpr int kPanelBottomTwips = 600;
constexpr int kPanelSideTwips = 240;
constexpr int kGridInsetTwips = 100;
// Title bar height assumed before the window system has decorated the window.
constexpr int kNominalTitleBarPx = 30;

constexpr int kMarginPx = 8;
constexpr int kButtonWidthPx = 104;
constexpr int kButtonHeightPx = 34;

QPushButton* makeFunctionButton(QWidget* parent, int index, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QStringLiteral("Com_Function_%1").arg(index));
    b->setAccessibleName(QStringLiteral("Com_Function(%1)").arg(index));
    b->setFixedSize(kButtonWidthPx, kButtonHeightPx);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}
}  // namespace

ListWindow::ListWindow(const QString& name, const QString& caption, const QString& printCaption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);
    setMinimumSize(480, 320);

    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1_2"));
    SSPanel1->setAccessibleName(QStringLiteral("SSPanel1(2)"));
    SSPanel1->setFrameShape(QFrame::StyledPanel);
    SSPanel1->setFrameShadow(QFrame::Raised);
    SSPanel1->setGeometry(kMarginPx, kMarginPx, 400, 52);

    m_conditionHost = new QWidget(SSPanel1);
    m_conditionHost->setObjectName(QStringLiteral("conditionHost"));
    auto* hostLayout = new QHBoxLayout(m_conditionHost);
    hostLayout->setContentsMargins(10, 0, 0, 0);
    hostLayout->setSpacing(14);

    m_query = makeFunctionButton(SSPanel1, 0, QStringLiteral("조회(F11)"));
    m_print = makeFunctionButton(SSPanel1, 1, printCaption);
    m_close = makeFunctionButton(SSPanel1, 99, QStringLiteral("닫기(ESC)"));
    connect(m_query, &QPushButton::clicked, this, [this] { query(); });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_close, &QPushButton::clicked, this, [this] { close(); });

    SP_SpreadPN = new QFrame(this);
    SP_SpreadPN->setObjectName(QStringLiteral("SP_SpreadPN"));
    SP_SpreadPN->setAccessibleName(QStringLiteral("SP_SpreadPN"));
    SP_SpreadPN->setFrameShape(QFrame::StyledPanel);
    SP_SpreadPN->setFrameShadow(QFrame::Sunken);

    SS = new Grid(SP_SpreadPN);
    SS->setObjectName(QStringLiteral("SS"));
    SS->setAccessibleName(QStringLiteral("SS"));
    SS->setMaxRows(0);

    ML_INFO = new QLabel(SP_SpreadPN);
    ML_INFO->setObjectName(QStringLiteral("ML_INFO"));
    ML_INFO->setAccessibleName(QStringLiteral("ML_INFO"));
    ML_INFO->setAlignment(Qt::AlignCenter);
    ML_INFO->setWordWrap(true);
    ML_INFO->setFixedSize(520, 120);
    // Explicit colours: the label is shown while the window is disabled and must not grey out.
    ML_INFO->setStyleSheet(
        QStringLiteral("QLabel#ML_INFO { color: rgb(20, 40, 110); background: rgb(255, 252, 228);"
                       " border: 2px solid rgb(120, 140, 190); border-radius: 6px; font-size: 14px; font-weight: bold;"
                       " padding: 8px; }"));
    ML_INFO->hide();

    m_keys = new WindowKeys(this);
    m_keys->setQueryButton(m_query);

    resize(1000, 620);
}

ListWindow::~ListWindow()
{
    // A window destroyed without a close still gives its connection back.
    if (m_connected && !m_closed) DBClose();
}

QPushButton* ListWindow::Com_Function(int index) const
{
    switch (index) {
    case 0: return m_query;
    case 1: return m_print;
    case 99: return m_close;
    default: return nullptr;
    }
}

void ListWindow::setBarHeight(int px)
{
    SSPanel1->resize(SSPanel1->width(), std::max(kButtonHeightPx + 8, px));
    applyResizeRules();
}

QString ListWindow::waitCaption(const QString& waitText)
{
    return waitText + kCrLf + kCrLf + QStringLiteral("데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다.");
}

bool ListWindow::openConnection()
{
    SS->setMaxRows(0);
    lss1RowCount = 0;
    m_connected = openConnectionOrEnd(this);
    return m_connected;
}

void ListWindow::loadFarmHeader()
{
    try {
        if (const auto farm = readFarmInfo()) {
            gs등록번호 = farm->등록번호;
            gs사업장명칭 = farm->사업장명칭;
        }
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

bool ListWindow::runListQuery(const ListQuery& lq)
{
    if (m_querying) return false;
    m_querying = true;
    ML_INFO->setText(waitCaption(lq.waitText));
    applyResizeRules();
    ML_INFO->raise();
    ML_INFO->show();
    setEnabled(false);
    // Once, so the label is painted before the reading starts.
    QCoreApplication::processEvents();

    try {
        QSqlQuery q = ::runQuery(lq.sql, lq.binds);
        SS->clearText();
        lss1RowCount = 0;
        SS->setMaxRows(0);
        if (!q.next()) {
            endQuery();
            if (!lq.notFoundText.isEmpty())
                showMessage(this, MsgIcon::Question, QStringLiteral("검색오류"), lq.notFoundText, MsgButton::Ok);
            return true;
        }
        do {
            if (lq.eachRecord) lq.eachRecord(q);
        } while (q.next());
        if (q.lastError().isValid()) throw DbError(q.lastError());
        SS->setMaxRows(lss1RowCount);
        if (lss1RowCount > 0) SS->setSelection(1, 1, SS->maxCols(), 1);
        endQuery();
        return true;
    } catch (const DbError& e) {
        endQuery();
        showPlainError(this, e);
        return false;
    }
}

void ListWindow::endQuery()
{
    ML_INFO->hide();
    setEnabled(true);
    m_querying = false;
}

int ListWindow::appendRow()
{
    ++lss1RowCount;
    SS->setMaxRows(lss1RowCount);
    SS->setRow(lss1RowCount);
    SS->setRowHeight(Grid::kRowHeight);
    return lss1RowCount;
}

void ListWindow::takeBackRow()
{
    if (lss1RowCount <= 0) return;
    --lss1RowCount;
    SS->setMaxRows(lss1RowCount);
    SS->setRow(lss1RowCount);
}

void ListWindow::writeCell(int col, int row, const QString& text, bool bold)
{
    SS->setCol(col);
    SS->setRow(row);
    SS->setText(text);
    if (bold) SS->setFontBold(true);
}

QList<QVariantList> ListWindow::workTableRows(int columns) const
{
    QList<QVariantList> rows;
    rows.reserve(lss1RowCount);
    for (int r = 1; r <= lss1RowCount; ++r) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 1; c <= columns; ++c) row << SS->cellText(c, r).trimmed();
        rows << row;
    }
    return rows;
}

PrintOutcome ListWindow::printList(const ListPrint& p)
{
    PrintRequest r;
    r.window = this;
    r.nothingToPrint = lss1RowCount == 0;
    r.nothingMessage = p.nothingMessage;
    r.question = p.question;
    r.reportFile = p.reportFile;
    r.previewTitle = p.previewTitle;
    r.workTable = p.workTable;
    const int columns = p.columns;
    r.rows = [this, columns] { return workTableRows(columns); };
    r.formulas = p.formulas;
    return runPrintSequence(r);
}

void ListWindow::closeEvent(QCloseEvent* event)
{
    // A running query owns the connection until it ends.
    if (m_querying) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
        if (m_connected) DBClose();
    }
    event->accept();
}

void ListWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyResizeRules();
}

void ListWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyResizeRules();
}

// The layout rules, each on its own: a rule whose result would be negative (a minimised or
// tiny window) is skipped and the next one still runs.
void ListWindow::applyResizeRules()
{
    const int innerWidth = width();
    const int frameExtra = frameGeometry().height() - height();
    const int outerHeight = height() + (frameExtra > 0 ? frameExtra : kNominalTitleBarPx);

    if (const int w = innerWidth - (SSPanel1->x() + twipsToPixels(kBarRightTwips)); w >= 0)
        SSPanel1->resize(w, SSPanel1->height());

    const int buttonTop = (SSPanel1->height() - kButtonHeightPx) / 2;
    if (const int x = SSPanel1->width() - (m_close->width() + twipsToPixels(kCloseRightTwips)); x >= 0)
        m_close->move(x, buttonTop);
    if (const int x = m_close->x() - (m_print->width() + twipsToPixels(kButtonGapTwips)); x >= 0)
        m_print->move(x, buttonTop);
    if (const int x = m_print->x() - (m_query->width() + twipsToPixels(kButtonGapTwips)); x >= 0)
        m_query->move(x, buttonTop);
    if (const int w = m_query->x() - kMarginPx; w >= 0) m_conditionHost->setGeometry(0, 0, w, SSPanel1->height());

    SP_SpreadPN->move(kMarginPx, SSPanel1->y() + SSPanel1->height() + 6);
    if (const int h = outerHeight - (SP_SpreadPN->y() + twipsToPixels(kPanelBottomTwips)); h >= 0)
        SP_SpreadPN->resize(SP_SpreadPN->width(), h);
    if (const int w = innerWidth - twipsToPixels(kPanelSideTwips); w >= 0)
        SP_SpreadPN->resize(w, SP_SpreadPN->height());

    const int inset = twipsToPixels(kGridInsetTwips);
    SS->move(inset / 2, inset / 2);
    if (const int w = SP_SpreadPN->width() - inset; w >= 0) SS->resize(w, SS->height());
    if (const int h = SP_SpreadPN->height() - inset; h >= 0) SS->resize(SS->width(), h);

    ML_INFO->move(SS->x() + SS->width() / 2 - ML_INFO->width() / 2, SS->y() + SS->height() / 2 - ML_INFO->height() / 2);
}
