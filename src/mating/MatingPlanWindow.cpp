#include "mating/MatingPlanWindow.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/NoteLabel.h"
#include "kit/Styles.h"
#include "kit/WindowUtil.h"
#include "mating/CowRankingDialog.h"
#include "mating/MatingMarks.h"
#include "mating/MatingWeightsDialog.h"
#include "mating/MatingWindows.h"
#include "mating/model/PlanRows.h"
#include "mating/model/SemenStock.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace mating;

namespace {
constexpr int kConditionsHeightPx = 70;
}  // namespace

MatingPlanWindow::MatingPlanWindow(QWidget* parent)
    : ListWindow(QStringLiteral("frm교배계획"), QStringLiteral("교배계획"), QStringLiteral("인쇄"), parent)
{
    buildConditions();
    placeConditionsAbove(kConditionsHeightPx);
    setBarHeight(48);
    setListName(QStringLiteral("교배계획"));
    const QStringList columns = planColumns();
    QList<CellKind> kinds(columns.size(), CellKind::Number);
    for (int c : {kPlanCowColumn, 2, 3, kPlanKpnColumn, int(columns.size())}) kinds[c - 1] = CellKind::Text;
    kinds[3] = CellKind::Date;
    grid()->setHeaders(columns);
    grid()->setColumnKinds(kinds);
    fitColumns(grid(), {}, {.cellAir = 8, .twoLineHeaders = true});
    connect(grid(), &Grid::dblClick, this, [this](int, int row) {
        if (row >= 1) openRanking(activeCow());
    });
    openAtSize(this, QSize(1260, 760));
    if (!openConnection()) return;  // the program has ended
    loadFarmHeader();
    query();
}

void MatingPlanWindow::buildConditions()
{
    QWidget* host = conditionHost();
    m_waitingOnly = new QCheckBox(QStringLiteral("번식 대기만"), host);
    nameControl(m_waitingOnly, QStringLiteral("chk번식대기만"), QStringLiteral("번식 대기만"));
    m_waitingOnly->setChecked(true);
    connect(m_waitingOnly, &QCheckBox::toggled, this, [this] { showPlans(); });
    m_withoutStraws = new QCheckBox(QStringLiteral("재고 없는 정액 포함"), host);
    nameControl(m_withoutStraws, QStringLiteral("chk재고없는정액"), QStringLiteral("재고 없는 정액 포함"));
    connect(m_withoutStraws, &QCheckBox::toggled, this, [this] { plan(); });

    m_catalogue = commandButton(QStringLiteral("cmdCatalogue"), QStringLiteral("씨수소 목록"), host);
    connect(m_catalogue, &QPushButton::clicked, this, [this] { openAndPlanAgain(openBullCatalogue); });
    m_stock = commandButton(QStringLiteral("cmdStock"), QStringLiteral("정액 재고"), host);
    connect(m_stock, &QPushButton::clicked, this, [this] { openAndPlanAgain(openSemenStock); });
    m_weights = commandButton(QStringLiteral("cmdWeights"), QStringLiteral("지수 가중치"), host);
    connect(m_weights, &QPushButton::clicked, this, [this] { editWeights(); });

    m_note = noteLabel(QStringLiteral("lblPlanNote"), {}, host);
    m_note->setWordWrap(true);

    auto* band = new QGridLayout(host);
    band->setContentsMargins(8, 4, 8, 2);
    band->setHorizontalSpacing(14);
    band->setVerticalSpacing(2);
    band->addWidget(m_waitingOnly, 0, 0);
    band->addWidget(m_withoutStraws, 0, 1);
    band->addWidget(m_catalogue, 0, 2);
    band->addWidget(m_stock, 0, 3);
    band->addWidget(m_weights, 0, 4);
    band->setColumnStretch(5, 1);
    band->addWidget(m_note, 1, 0, 1, 6);

    setTabOrder(m_waitingOnly, m_withoutStraws);
    setTabOrder(m_withoutStraws, m_catalogue);
    setTabOrder(m_catalogue, m_stock);
    setTabOrder(m_stock, m_weights);
    tabToFrameAfter(m_weights);
}

void MatingPlanWindow::query()
{
    runQueryWork(QStringLiteral("교배계획을 세우는 중입니다"), [this] {
        m_notes.clear();
        m_data.reset();
        m_data = loadMatingData(&m_notes);
        m_straws = strawsLeftOf(semenStock());
        m_plans = planMatings(*m_data, m_straws, m_withoutStraws->isChecked());
        showPlans();
    });
    showNote();
}

void MatingPlanWindow::plan()
{
    if (!m_data) return;
    m_plans = planMatings(*m_data, m_straws, m_withoutStraws->isChecked());
    showPlans();
}

void MatingPlanWindow::showPlans()
{
    clearRows();
    QList<QStringList> rows;
    QList<QColor> colors;
    std::vector<std::optional<BullChoice>> picks;
    m_listedCows = 0;
    if (m_data) {
        for (const CowPlan& p : m_plans) {
            if (m_waitingOnly->isChecked() && !listedWhenWaitingOnly(p)) continue;
            ++m_listedCows;
            for (PlanLine& line : planLines(p, m_straws, m_data->settings, m_data->bulls.size())) {
                rows << std::move(line.cells);
                // A cow without a pick is told in grey.
                colors << (line.pick ? QColor() : QColor(110, 110, 110));
                picks.push_back(std::move(line.pick));
            }
        }
    }
    appendRows(std::move(rows), colors);
    for (size_t i = 0; i < picks.size(); ++i)
        if (picks[i]) markInbreeding(grid(), kPlanInbreedingColumn, int(i) + 1, picks[i]->band);
    grid()->fitToContents();
    if (rowCount() > 0) grid()->setActiveCell(1, 1);
    showNote();
}

void MatingPlanWindow::showNote()
{
    QStringList parts;
    if (m_data) {
        parts << QStringLiteral("암소 %1두 중 %2두 · 씨수소 %3두 · 추천 근교계수 %4 미만")
                     .arg(m_data->cows.size())
                     .arg(m_listedCows)
                     .arg(m_data->bulls.size())
                     .arg(limitText(m_data->settings.inbreedingLimit));
        if (m_data->bulls.empty())
            parts << QStringLiteral(
                "씨수소 목록이 비어 있습니다. 씨수소 목록 단추나 가져오기로 씨수소를 등록해 주세요.");
        parts << QStringLiteral("노란 칸: 근교계수 6.25% 이상. 암소를 두 번 누르면 모든 씨수소의 순위를 봅니다.");
    }
    parts << m_notes;
    const QString text = parts.join(QStringLiteral("  "));
    m_note->setText(text);
    m_note->setAccessibleName(text);
}

QString MatingPlanWindow::activeCow() const
{
    const int row = grid()->activeRow();
    return row >= 1 && row <= rowCount() ? grid()->cellText(kPlanCowColumn, row) : QString();
}

void MatingPlanWindow::openRanking(const QString& cow)
{
    if (!m_data || cow.isEmpty()) return;
    for (const CowPlan& p : m_plans) {
        if (p.cow.number != cow) continue;
        CowRankingDialog dialog(*m_data, m_straws, p, this);
        dialog.exec();
        return;
    }
}

void MatingPlanWindow::editWeights()
{
    MatingSettings current = defaultMatingSettings();
    if (m_data) current = m_data->settings;
    MatingWeightsDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted) return;
    query();
}

void MatingPlanWindow::openAndPlanAgain(void (*open)(QWidget*))
{
    open(this);
    query();
}

PrintRequest MatingPlanWindow::printRequest()
{
    PrintRequest r;
    r.window = this;
    r.nothingToPrint = rowCount() == 0;
    r.nothingMessage = QStringLiteral("출력할 암소가 없습니다.");
    r.question = QStringLiteral("교배계획을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("교배계획.rpt");
    r.previewTitle = QStringLiteral("교배계획");
    r.workTable = planWorkTable();
    QList<QVariantList> rows;
    if (m_data)
        for (const CowPlan& p : m_plans)
            if (!m_waitingOnly->isChecked() || listedWhenWaitingOnly(p)) rows << planPrintRow(p, m_straws);
    r.rows = [rows] { return rows; };
    QStringList conditions;
    conditions << (m_waitingOnly->isChecked() ? QStringLiteral("번식 대기 암소") : QStringLiteral("모든 암소"));
    if (m_data) conditions << QStringLiteral("추천 근교계수 %1 미만").arg(limitText(m_data->settings.inbreedingLimit));
    if (m_withoutStraws->isChecked()) conditions << QStringLiteral("재고 없는 정액 포함");
    r.formulas = [conditions = conditions.join(QStringLiteral(" · "))] {
        report::Formulas f;
        f.set(QStringLiteral("농장명"), farmHeader().name);
        f.set(QStringLiteral("기준일"), today().toString(QStringLiteral("yyyy-MM-dd")));
        f.set(QStringLiteral("조건"), conditions);
        return f;
    };
    return r;
}

void MatingPlanWindow::print()
{
    runPrintSequence(printRequest());
}
