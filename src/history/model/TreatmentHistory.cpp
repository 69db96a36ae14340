#include "history/model/TreatmentHistory.h"

using namespace Qt::StringLiterals;

namespace {
HistoryDefinition define()
{
    using enum CellKind;
    HistoryDefinition h =
        historyNamed(4, u"백신접종"_s, u"진료·백신접종"_s, u"진료·백신접종 및 도태/폐사 등록/수정"_s, u"날짜"_s);
    h.headers = {u"날 짜"_s, u"증상/백신명"_s, u"구입일"_s, u"구입처"_s,
                 u"처 치"_s, u"휴약만료일"_s,  u"수의사"_s, u"비고"_s};
    h.columnChars = {6, 10, 6, 6, 10, 6, 5, 12};
    h.columnKinds = {Date, Text, Date, Text, Text, Date, Text, Text};
    h.notes = {u"※ 주사침 잔류와 같은 특이사항을 비고에 기록"_s,
               u"※ HACCP적용할 경우 항생재 등의 휴약만료일을 꼭 기록하여 만료일 이전에 출하하지 않도록 주의"_s,
               u"※ 도태/폐사의 경우 원인(사유)를 명시"_s};

    using namespace entry;
    // The purchase is optional, behind its box; the withdrawal end has none: every treatment has one.
    h.fields = {
        dateField(u"날짜"_s, u"날      짜"_s),          textField(u"증상"_s, u"증상/백신명"_s).asWide(),
        checkedDateField(u"구입일"_s, u"구 입 일"_s),   textField(u"구입처"_s, u"구 입 처"_s).inGroup(u"구입일"_s),
        textField(u"처치"_s, u"처      치"_s).asWide(), dateField(u"만료일"_s, u"휴약만료일"_s),
        textField(u"수의사"_s, u"수 의 사"_s),          textField(u"비고"_s, u"비고(경과)"_s).asWide(),
    };
    h.checks = {required(u"증상"_s, u"증상을 입력해 주세요."_s), required(u"처치"_s, u"처치을 입력해 주세요."_s)};
    h.gridFields = {u"날짜"_s, u"증상"_s, u"구입일"_s, u"구입처"_s, u"처치"_s, u"만료일"_s, u"수의사"_s, u"비고"_s};
    return h;
}
}  // namespace

const HistoryDefinition& treatmentHistory()
{
    static const HistoryDefinition h = define();
    return h;
}
