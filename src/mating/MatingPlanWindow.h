#pragma once
// 교배계획: every cow of the farm with where she stands in her breeding and the three catalogue
// bulls best for her calf (a line per pick: inbreeding, expected calf values, index, straws
// left), on the list window frame. 번식 대기만 (on when the window opens) lists only the cows
// waiting for a service; 재고 없는 정액 포함 lets bulls without straws among the picks. A double
// click on a cow opens her ranking of every bull. The catalogue, the tank and the index weights
// are a button away; whatever they change is planned again at once. 인쇄 prints a line per cow
// with her picks (rpt/교배계획.rpt); 엑셀저장 saves the list as shown.
#include "kit/ListWindow.h"
#include "mating/model/MatingPlan.h"
#include "print/PrintSequence.h"

#include <optional>

class QCheckBox;
class QLabel;

class MatingPlanWindow : public ListWindow {
    Q_OBJECT
public:
    // Builds the window and plans at once.
    explicit MatingPlanWindow(QWidget* parent = nullptr);

    QCheckBox* waitingOnly() const { return m_waitingOnly; }      // "chk번식대기만"
    QCheckBox* withoutStraws() const { return m_withoutStraws; }  // "chk재고없는정액"
    QPushButton* catalogueButton() const { return m_catalogue; }  // "cmdCatalogue"
    QPushButton* stockButton() const { return m_stock; }          // "cmdStock"
    QPushButton* weightsButton() const { return m_weights; }      // "cmdWeights"
    QLabel* planNote() const { return m_note; }                   // "lblPlanNote"
    Grid* planGrid() const { return grid(); }

    // Reads the farm again and plans (also F11).
    void query() override;
    void print() override;
    PrintRequest printRequest();

    // The cow of the active line, or "" when none.
    QString activeCow() const;
    // Her ranking of every bull, modal.
    void openRanking(const QString& cow);
    // 지수 가중치: the dialog; a stored change plans again.
    void editWeights();

private:
    void buildConditions();
    // Plans from what was read (the tick for bulls without straws), then shows.
    void plan();
    // Lists the plans the ticks ask for.
    void showPlans();
    void showNote();
    // The window's catalogue or tank window, then a fresh plan.
    void openAndPlanAgain(void (*open)(QWidget*));

    QCheckBox* m_waitingOnly = nullptr;
    QCheckBox* m_withoutStraws = nullptr;
    QPushButton* m_catalogue = nullptr;
    QPushButton* m_stock = nullptr;
    QPushButton* m_weights = nullptr;
    QLabel* m_note = nullptr;
    std::optional<mating::MatingData> m_data;
    mating::StrawsLeft m_straws;
    QStringList m_notes;  // settings read as their defaults, pedigree loops cut
    std::vector<mating::CowPlan> m_plans;
    int m_listedCows = 0;
};
