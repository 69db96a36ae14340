#include "mating/MatingMarks.h"

#include "kit/Grid.h"
#include "kit/NoteLabel.h"

#include <QLabel>

QColor amberColor()
{
    return QColor(255, 204, 102);
}

QColor excludedColor()
{
    return QColor(192, 38, 45);
}

void markInbreeding(Grid* grid, int col, int row, mating::InbreedingBand band)
{
    grid->setCellBackground(col, row, band == mating::InbreedingBand::Clear ? QColor() : amberColor());
}

QLabel* markLegend(QWidget* parent)
{
    return noteLabel(QStringLiteral("lblMarks"),
                     QStringLiteral("근교계수 칸이 노란색이면 6.25% 이상(주의)입니다. 빨간 글씨의 정액은 근교계수가 "
                                    "농장 기준 이상이거나 12.5% 이상이라 추천하지 않습니다."),
                     parent);
}
