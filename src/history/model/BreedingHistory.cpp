#include "history/model/BreedingHistory.h"

using namespace Qt::StringLiterals;

namespace {
// The grid as the loader shows a stored record: dates only when set, the check result and the
// calf only with their dates, the sex only with a calf number.
QStringList loadedRow(const StoredRecord& r)
{
    const bool checked = r.isSet(u"판정일"_s);
    const bool calved = r.isSet(u"분만일"_s);
    const QString calf = r.text(u"송아지번호"_s);
    return {r.text(u"산차"_s),
            r.text(u"회수"_s),
            r.dateCellIfSet(u"수정일"_s),
            r.text(u"정액번호"_s),
            r.text(u"공란우"_s),
            r.text(u"BCS"_s),
            r.dateCellIfSet(u"판정일"_s),
            checked ? (r.number(u"가부"_s) == 0 ? u"가"_s : u"부"_s) : QString(),
            r.dateCellIfSet(u"예정일"_s),
            r.dateCellIfSet(u"분만일"_s),
            calved ? calf : QString(),
            calved && !calf.isEmpty() ? (r.number(u"성별"_s) == 0 ? u"암"_s : u"수"_s) : QString(),
            r.text(u"분만난이도"_s)};
}

HistoryDefinition define()
{
    using enum CellKind;
    HistoryDefinition h = historyNamed(1, u"번식기록"_s, u"번식기록"_s, u"번식기록 등록/수정"_s, u"수정일"_s);
    h.headers = {u"산차"_s,
                 u"회수"_s,
                 u"수정일"_s,
                 u"씨수소 정액번호"_s,
                 u"공란우"_s,
                 u"BCS"_s,
                 u"임신        판정일"_s,
                 u"가 부"_s,
                 u"분만예정일"_s,
                 u"분만일"_s,
                 u"송아지번호"_s,
                 u"성 별"_s,
                 u"분만난이도 특이사항"_s};
    h.columnChars = {3, 3, 6, 7, 5, 3, 8, 3, 6, 6, 7, 3, 10};
    // Semen, donor and calf numbers are identifiers.
    h.columnKinds = {Number, Number, Date, Text, Text, Number, Date, Text, Date, Date, Text, Text, Text};
    h.notes = {u"※ 임신판정 : 판정일 및 판정결과 가부(O/X) 기록, BCS(살찐점수): 1-9점"_s,
               u"※ 분만난이도 : 1=스스로 나옴, 2=사람이 당겨줌, 3=체인 등 도구를 사용하여 당겨줌, "
               u"4=제왕절개, 5=이상태위"_s,
               u"※ 유/사산의 경우 \"분만일\"란에 사고일을 기록하고 특이사항에 해당 내용 기록(산차증가)"_s};
    h.loadedRow = loadedRow;

    using namespace entry;
    const QString printedByCalvingBook = u"※분만기록부 출력용"_s;
    h.fields = {
        textField(u"산차"_s, u"산     차"_s, TextStore::Number),
        textField(u"회수"_s, u"회     수"_s, TextStore::Number),
        dateField(u"수정일"_s, u"수 정 일"_s),
        textField(u"정액번호"_s, u"    씨 수 소      (정액번호)"_s),
        textField(u"공란우"_s, u"공 란 우"_s),
        // The body condition score belongs to the expected calving: stored and loaded with it.
        textField(u"BCS"_s, u"BCS"_s, TextStore::Number).storedWithDate(u"예정일"_s),
        checkedDateField(u"판정일"_s, u"임신판정일"_s),
        choiceField(u"가부"_s, u"가     부"_s, {{u"SSOption1"_s, u"가(O)"_s}, {u"SSOption2"_s, u"부(X)"_s}})
            .inGroup(u"판정일"_s),
        checkedDateField(u"예정일"_s, u"분만예정일"_s).onRight(),
        checkedDateField(u"분만일"_s, u"분 만 일"_s).onRight(),
        textField(u"송아지번호"_s, u"송아지번호"_s).inGroup(u"분만일"_s).onRight(),
        choiceField(u"성별"_s, u"성     별"_s, {{u"SSOption3"_s, u"암"_s}, {u"SSOption4"_s, u"수"_s}})
            .inGroup(u"분만일"_s)
            .inFrame(u"Frame1"_s)
            .onRight(),
        textField(u"생시체중"_s, u"생시체중"_s, TextStore::Number).withNote(printedByCalvingBook).onRight(),
        textField(u"분만난이도"_s, u"  분만난이도  특이사항"_s).onRight(),
        textField(u"인공수정자"_s, u"인공수정자"_s).withNote(u"※교배기록부 출력용"_s).onRight(),
        textField(u"비고"_s, u"비      고"_s).withNote(printedByCalvingBook).onRight(),
    };
    h.checks = {
        required(u"산차"_s, u"산차를 입력해 주세요."_s),         numeric(u"산차"_s).notNegative(),
        required(u"회수"_s, u"회수를 입력해 주세요."_s),         numeric(u"회수"_s).notNegative(),
        numericWhileTicked(u"BCS"_s, u"예정일"_s).between(1, 9), numericIfFilled(u"생시체중"_s).notNegative(),
        required(u"정액번호"_s, u"정액번호를 입력해 주세요."_s),
    };
    h.gridFields = {u"산차"_s, u"회수"_s,   u"수정일"_s, u"정액번호"_s,   u"공란우"_s, u"BCS"_s,       u"판정일"_s,
                    u"가부"_s, u"예정일"_s, u"분만일"_s, u"송아지번호"_s, u"성별"_s,   u"분만난이도"_s};
    h.follow = DateFollow{u"수정일"_s, u"예정일"_s, breeding::kGestationDays};
    h.semenField = u"정액번호"_s;
    return h;
}
}  // namespace

const HistoryDefinition& breedingHistory()
{
    static const HistoryDefinition h = define();
    return h;
}
