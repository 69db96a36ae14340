#include "history/model/UltrasoundHistory.h"

using namespace Qt::StringLiterals;

namespace {
HistoryDefinition define()
{
    using enum CellKind;
    HistoryDefinition h =
        historyNamed(2, u"초음파측정"_s, u"체중·초음파측정"_s, u"초음파측정 등록/수정"_s, u"측정일"_s);
    h.headers = {u"개체능력"_s,   u"측 정 일"_s,   u"체   중"_s,  u"초음파 기기 모델"_s, u"등심단면적"_s,
                 u"등지방두께"_s, u"근내지방도"_s, u"측 정 자"_s, u"판 정 자"_s,         u"예상등급"_s};
    h.columnChars = {5, 6, 4, 8, 6, 6, 6, 5, 5, 5};
    // 개체능력 is a word (육성, 비육) and the expected grade a grade (1++).
    h.columnKinds = {Text, Date, Number, Text, Number, Number, Number, Text, Text, Text};
    h.notes = {u"※ 능력검정은 해당 축군의 월령평균이 측정 월령에 도달할 때 축군 전체를 측정"_s};

    using namespace entry;
    h.fields = {
        textField(u"개체능력"_s, u"개체능력"_s, TextStore::TextOrZero),
        dateField(u"측정일"_s, u"측 정 일"_s),
        textField(u"체중"_s, u"체     중"_s, TextStore::Number),
        textField(u"초음파기기"_s, u"초음파기기"_s),
        textField(u"등심단면적"_s, u"등심단면적"_s, TextStore::Number),
        textField(u"등지방두께"_s, u"등지방두께"_s, TextStore::Number).onRight(),
        textField(u"근내지방도"_s, u"근내지방도"_s, TextStore::Number).onRight(),
        textField(u"측정자"_s, u"측 정 자"_s).onRight(),
        textField(u"판정자"_s, u"판 정 자"_s).onRight(),
        textField(u"예상등급"_s, u"예상등급"_s).onRight(),
    };
    // The weight is checked like the measurements: the database would refuse anything else with a
    // message no farmer can read.
    h.checks = {required(u"개체능력"_s, u"개체능력을 입력해 주세요."_s)};
    h.checks += amountsIfFilled({u"체중"_s, u"등심단면적"_s, u"등지방두께"_s, u"근내지방도"_s});
    return h;
}
}  // namespace

const HistoryDefinition& ultrasoundHistory()
{
    static const HistoryDefinition h = define();
    return h;
}
