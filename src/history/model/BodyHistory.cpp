#include "history/model/BodyHistory.h"

using namespace Qt::StringLiterals;

namespace {
HistoryDefinition define()
{
    using enum CellKind;
    HistoryDefinition h = historyNamed(3, u"체척"_s, u"체     척"_s, u"체척 등록/수정"_s, u"측정일"_s);
    // Column 11 has always been headed 오각폭; farmers know the column by that.
    h.headers = {u"월령"_s, u"측 정 일"_s, u"측정자"_s, u"체고"_s,   u"십자부고"_s, u"체장"_s,  u"흉심"_s,
                 u"흉폭"_s, u"흉위"_s,     u"고장"_s,   u"오각폭"_s, u"곤폭"_s,     u"좌골폭"_s};
    h.columnChars = {4, 6, 5, 4, 5, 4, 4, 4, 4, 4, 4, 4, 4};
    h.columnKinds = {Number, Date,   Text,   Number, Number, Number, Number,
                     Number, Number, Number, Number, Number, Number};
    h.notes = {u"※ 해당 축군의 월령평균이 측정 월령에 도달할 때 축군 전체를 측정"_s};

    using namespace entry;
    // 월령 may carry words ("12개월"); it is kept as text.
    h.fields = {textField(u"월령"_s, u"월     령"_s, TextStore::TextOrZero), dateField(u"측정일"_s, u"측 정 일"_s),
                textField(u"측정자"_s, u"측 정 자"_s)};
    // The ten measurements, lengths that are never negative; the last six in the right column.
    const QList<QPair<QString, QString>> measurements = {{u"체고"_s, u"체     고"_s}, {u"십자부고"_s, u"십자부고"_s},
                                                         {u"체장"_s, u"체     장"_s}, {u"흉심"_s, u"흉     심"_s},
                                                         {u"흉폭"_s, u"흉     폭"_s}, {u"흉위"_s, u"흉     위"_s},
                                                         {u"고장"_s, u"고     장"_s}, {u"요각폭"_s, u"요 각 폭"_s},
                                                         {u"곤폭"_s, u"곤     폭"_s}, {u"좌골폭"_s, u"좌 골 폭"_s}};
    QStringList names;
    for (const auto& [name, caption] : measurements) {
        EntryField f = textField(name, caption, TextStore::Number);
        f.right = h.fields.size() >= 7;
        h.fields << f;
        names << name;
    }
    h.checks = {required(u"월령"_s, u"월령을 입력해 주세요."_s)};
    h.checks += amountsIfFilled(names);
    return h;
}
}  // namespace

const HistoryDefinition& bodyHistory()
{
    static const HistoryDefinition h = define();
    return h;
}
