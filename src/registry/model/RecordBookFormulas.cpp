#include "registry/model/RecordBookFormulas.h"

#include "data/Values.h"

using namespace Qt::StringLiterals;

namespace {

const QString kStageDate = u"yy-mm-dd"_s;

// Block names; birth and arrival carry the date and the weight only.
QString stagePrefix(int block)
{
    static const QStringList prefixes = {u"생시"_s,   u"입식"_s,   u"12월령"_s, u"18월령"_s,
                                         u"24월령"_s, u"28월령"_s, u"32월령"_s, u"월령"_s};
    return prefixes[block - 1];
}

// The grading boxes printed as 도1-도14, in the order of the grading report; 도2 is the date.
const QStringList& gradingBoxes()
{
    static const QStringList boxes = {u"작업장"_s, u"판정일"_s,   u"생체중"_s,   u"등지방두께"_s, u"등심단면적"_s,
                                      u"도체중"_s, u"근내지방"_s, u"육색"_s,     u"지방색"_s,     u"조직감"_s,
                                      u"성숙도"_s, u"최종등급"_s, u"지육단가"_s, u"경락가"_s};
    return boxes;
}

QString cell(const QStringList& row, int column)
{
    return row.value(column - 1).trimmed();
}

void setStage(report::Formulas& out, int block, const QStringList& row)
{
    const QString prefix = stagePrefix(block);
    const int values = block <= 2 ? 2 : 9;
    for (int k = 1; k <= values; ++k) {
        const int column = k + 1;
        const QString value = k == 1 ? animalprint::cellDate(cell(row, column), kStageDate) : cell(row, column);
        out.set(prefix + QString::number(k), value);
    }
    if (block == recordbook::kStageBlocks) out.set(prefix + u"0"_s, cell(row, 1));
}

void setBodyRow(report::Formulas& out, int r, const QStringList& row)
{
    for (int c = 1; c <= 13; ++c) {
        const QString value = c == 2 ? animalprint::cellDate(cell(row, c), kStageDate) : cell(row, c);
        out.set(u"체"_s + QString::number(r) + QString::number(c), value);
    }
}

void setGrading(report::Formulas& out, const EntryValues& g)
{
    const QString workplace = g.texts.value(u"작업장"_s).trimmed();
    const QStringList& boxes = gradingBoxes();
    for (int i = 0; i < boxes.size(); ++i) {
        const QString& box = boxes[i];
        // A date without a workplace is only the picker's today: no grading was typed in.
        const QString value = box == u"판정일"_s
                                  ? (workplace.isEmpty() ? QString() : formatDate(g.dates.value(box), kStageDate))
                                  : g.texts.value(box).trimmed();
        out.set(u"도"_s + QString::number(i + 1), value);
    }
}

}  // namespace

namespace recordbook {

report::Formulas formulas(const RecordBookSheet& s)
{
    const AnimalRecord& a = s.animal;
    const bool bull = animalprint::isBull(a);
    report::Formulas out = animalprint::registrationFormulas(a, s.farm);
    out.set(u"점수"_s, a.점수.trimmed());
    out.set(u"개체특징"_s, a.개체특징.trimmed());
    for (int i = 0; i < s.weights.size() && i < kStageBlocks; ++i) setStage(out, i + 1, s.weights[i]);
    for (int i = 0; i < s.bodies.size() && i < kBodyRows; ++i) setBodyRow(out, i + 1, s.bodies[i]);
    setGrading(out, s.grading);
    out.set(u"출하일"_s, animalprint::boxDate(bull ? a.출하일 : a.판매일));
    out.set(u"등급판정사"_s, s.grading.texts.value(u"등급판정사"_s).trimmed());
    if (bull) out.set(u"출하예정일"_s, animalprint::boxDate(a.출하예정일));
    out.set(u"우방번호"_s, a.우방번호.trimmed());
    return out;
}

}  // namespace recordbook
