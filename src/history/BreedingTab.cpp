#include "history/BreedingTab.h"

#include "history/BreedingDialog.h"
#include "history/model/BreedingRecord.h"

namespace {
HistoryTab::Layout breedingLayout()
{
    HistoryTab::Layout l;
    l.gridName = QStringLiteral("SS1");
    l.headers = breeding::headers();
    l.columnChars = {3, 3, 6, 7, 5, 3, 8, 3, 6, 6, 7, 3, 10};
    l.keyColumn = breeding::kKeyColumn;
    l.insertName = QStringLiteral("cmdInsert1");
    l.updateName = QStringLiteral("cmdUpate1");
    l.deleteName = QStringLiteral("cmdDelete1");
    l.notes = breeding::notes();
    l.deleteQuestion = QStringLiteral("선택하신 번식기록 내역을 삭제하시겠습니까?");
    return l;
}
}  // namespace

BreedingTab::BreedingTab(QWidget* parent) : HistoryTab(breedingLayout(), parent)
{
    setObjectName(QStringLiteral("번식기록탭"));
    SS1 = grid();
}

BoundStatement BreedingTab::loadQuery(const QString& animal) const
{
    return breeding::loadQuery(animal);
}

QStringList BreedingTab::rowTexts(const QSqlRecord& record) const
{
    return breeding::loadedRow(record);
}

BoundStatement BreedingTab::deleteStatement(const QString& animal, qint64 date) const
{
    return breeding::deleteStatement(animal, date);
}

HistoryEntryDialog* BreedingTab::createDialog()
{
    return new BreedingDialog(*this);
}
