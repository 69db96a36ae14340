#include "history/HistoryTab.h"

#include "data/Db.h"
#include "data/Values.h"
#include "history/HistoryEntryDialog.h"
#include "history/model/HistoryExport.h"
#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/Grid.h"
#include "kit/GridExport.h"
#include "kit/Messages.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSqlRecord>
#include <QVBoxLayout>

namespace {
// Lets the window repaint during a load without letting clicks run commands halfway.
void letWindowBreathe()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
}  // namespace

HistoryTab::HistoryTab(const HistoryDefinition& definition, QWidget* parent) : HistoryPage(parent), m_def(definition)
{
    setObjectName(m_def.table + QStringLiteral("탭"));
    m_grid = new Grid(this);
    nameControl(m_grid, QStringLiteral("SS%1").arg(m_def.number), m_def.caption);
    // A saved list says whose records it holds: "번식기록 KR002012345678".
    setExportName(m_grid, [this] { return m_grid->accessibleName() + u' ' + animalNumber().trimmed(); });
    // The file holds every stored field and the animal's number, so it imports back whole.
    setExportContent(m_grid, [this]() -> std::optional<ExportTable> {
        try {
            return history::exportRecords(m_def, animalNumber().trimmed());
        } catch (const DbError& e) {
            showPlainError(this, e);
            return std::nullopt;
        }
    });
    m_grid->setHeaders(m_def.headers);
    m_grid->setColumnKinds(m_def.columnKinds);
    setColumnChars(m_grid, m_def.columnChars);

    // Numbered by the tab: cmdInsert1 on the breeding tab, cmdInsert4 on the treatments.
    const QString n = QString::number(m_def.number);
    auto* insert = commandButton(QStringLiteral("cmdInsert") + n, QStringLiteral("신규등록"), this);
    auto* update = commandButton(QStringLiteral("cmdUpate") + n, QStringLiteral("수 정"), this);
    auto* remove = commandButton(QStringLiteral("cmdDelete") + n, QStringLiteral("삭 제"), this);

    auto* notes = new QVBoxLayout;
    notes->setSpacing(2);
    for (const QString& n : m_def.notes) {
        auto* l = new QLabel(n, this);
        l->setWordWrap(true);
        notes->addWidget(l);
    }
    notes->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(update);
    buttons->addWidget(remove);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(notes, 1);
    bottom->addLayout(buttons);
    bottom->setAlignment(buttons, Qt::AlignTop);

    m_top = new QVBoxLayout;
    m_top->addWidget(m_grid, 3);
    auto* v = new QVBoxLayout(this);
    v->addLayout(m_top, 1);
    v->addLayout(bottom);

    connect(insert, &QPushButton::clicked, this, [this] { insertRecord(); });
    connect(update, &QPushButton::clicked, this, [this] { changeRecord(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteRecord(); });
    connect(m_grid, &Grid::dblClick, this, [this](int, int row) {
        if (row >= 1) changeRecord();
    });
}

void HistoryTab::reload(const QString& number)
{
    letWindowBreathe();
    setAnimalNumber(number);
    m_loading = true;
    const auto done = qScopeGuard([this] {
        m_loading = false;
        emit rowsChanged();
    });
    try {
        const BoundStatement st = history::loadQuery(m_def, number.trimmed());
        QSqlQuery q = runQuery(st.sql, st.binds);
        m_grid->clearText();
        m_rows = 0;
        m_grid->setMaxRows(0);
        while (q.next()) {
            const long row = ++m_rows;
            m_grid->setMaxRows(int(row));
            m_grid->setRow(int(row));
            m_grid->setRowHeight(Grid::kRowHeight);
            writeRow(int(row), history::loadedRow(m_def, StoredRecord(q.record())));
            letWindowBreathe();
        }
        m_grid->setMaxRows(int(m_rows));
        m_grid->setSelection(1, 1, m_grid->maxCols(), 1);
        m_grid->fitToContents();
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

void HistoryTab::insertRecord()
{
    if (animalNumber().trimmed().isEmpty()) {
        // The form has not stored an animal yet; a record would belong to nobody.
        showMessage(this, MsgIcon::Information, QStringLiteral("미입력"), QStringLiteral("개체를 먼저 저장해 주세요."),
                    MsgButton::Ok);
        return;
    }
    openDialog(QString());
}

void HistoryTab::changeRecord()
{
    if (m_rows == 0) return;
    const int row = m_grid->activeRow();
    if (row < 1 || row > m_rows) return;
    m_grid->setRow(row);
    const QDate date = activeRowDate(row, QStringLiteral("수정"));
    if (!date.isValid()) return;
    openDialog(formatDate(date, QStringLiteral("yyyymmdd")));
}

void HistoryTab::deleteRecord()
{
    if (m_rows == 0) return;
    const int row = m_grid->activeRow();
    if (row < 1 || row > m_rows) return;
    const QDate date = activeRowDate(row, QStringLiteral("삭제"));
    if (!date.isValid()) return;
    if (showMessage(this, MsgIcon::Question, QStringLiteral("삭제"), m_def.deleteQuestion(),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return;
    m_grid->setRow(row);
    try {
        const BoundStatement st = history::deleteStatement(m_def, animalNumber().trimmed(), entry::dateNumber(date));
        execStatement(st.sql, st.binds);
    } catch (const DbError& e) {
        // The row stays in the grid; say why instead of leaving the user guessing.
        showPlainError(this, e);
        return;
    }
    reload(animalNumber());
}

bool HistoryTab::showsDate(const QDate& date) const
{
    for (int r = 1; r <= m_rows && r <= m_grid->maxRows(); ++r) {
        const QString cell = m_grid->cellText(m_def.keyColumn(), r);
        if (cell.isEmpty()) break;
        if (entry::cellDate(cell) == date) return true;
    }
    return false;
}

int HistoryTab::appendRow()
{
    const int row = int(++m_rows);
    m_grid->setMaxRows(row);
    m_grid->setRow(row);
    m_grid->setRowHeight(Grid::kRowHeight);
    m_grid->setSelection(1, row, m_grid->maxCols(), row);
    return row;
}

void HistoryTab::writeRow(int row, const QStringList& texts)
{
    for (int c = 0; c < texts.size(); ++c) m_grid->setCellText(c + 1, row, texts[c]);
    if (m_loading) return;
    // A record the entry dialog stored.
    m_grid->fitToContents();
    emit rowsChanged();
}

void HistoryTab::setWidgetBelow(QWidget* below)
{
    m_top->addWidget(below, 1);
    m_top->setStretchFactor(m_grid, 1);
    // However small the form, the grid keeps eight rows in view (a farm laptop's 1280×800
    // included): the records come first, the widget gives way down to its own minimum.
    constexpr int kRowsAlwaysShown = 8;
    // No room kept for a horizontal scroll bar: the weighing columns fit the form's width.
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                             kRowsAlwaysShown * m_grid->verticalHeader()->defaultSectionSize() +
                             2 * m_grid->frameWidth());
}

int HistoryTab::currentRow() const
{
    return m_grid->row();
}

void HistoryTab::openDialog(const QString& key)
{
    HistoryEntryDialog dialog(*this);
    dialog.setKey(key);
    dialog.prepare();
    dialog.exec();
}

QDate HistoryTab::activeRowDate(int row, const QString& action)
{
    const QDate date = entry::cellDate(m_grid->cellText(m_def.keyColumn(), row));
    if (!date.isValid()) {
        showMessage(this, MsgIcon::Information, QStringLiteral("선택오류"),
                    QStringLiteral("선택하신 행에는 날짜가 없어 %1할 수 없습니다.").arg(action), MsgButton::Ok);
    }
    return date;
}
