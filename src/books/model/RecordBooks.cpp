#include "books/model/RecordBooks.h"

#include "data/Db.h"
#include "data/Values.h"

namespace books {

namespace {
const QString kExpected = QStringLiteral("예정일");

// Each query reads only the columns its book shows, in this order: every column read costs
// time on a farm with years of records.
enum MatingColumn { M개체번호, M산차, M회수, M공란우, M정액번호, M수정일, M인공수정자, M분만난이도, M예정일 };
enum CalvingColumn { C개체번호, C공란우, C산차, C정액번호, C분만일, C송아지번호, C성별, C생시체중, C분만난이도, C비고 };
enum ShipmentColumn {
    S개체번호,
    S구분,
    S정액번호,
    S모번호,
    S판정일,
    S작업장,
    S생체중,
    S도체중,
    S등심단면적,
    S등지방두께,
    S근내지방,
    S최종등급,
    S경락가
};

const QString kBreedingTables = QStringLiteral("개체관리, 번식기록");
const QString kBreedingJoin = QStringLiteral("개체관리.개체번호 = 번식기록.개체번호");

BookSpec makeMatingBook()
{
    BookSpec b;
    b.name = QStringLiteral("교배기록부");
    b.caption = QStringLiteral("한우 교배기록부(수정일를 선택하여 조회/인쇄를 할 수 있습니다.)");
    b.criterion = QStringLiteral("수 정 일");
    b.note = QStringLiteral("*암소개체관리의 번식기록에서 입력한 교배기록을 조회/인쇄합니다.");
    b.printCaption = QStringLiteral("교배기록부");
    b.headers = {QStringLiteral("암소개체식별번호"),
                 QStringLiteral("[수란우개체식별]"),
                 QStringLiteral("산차"),
                 QStringLiteral("회차"),
                 QStringLiteral("ET 여부"),
                 QStringLiteral("KPN번호"),
                 QStringLiteral("[공란우개체식별]"),
                 QStringLiteral("수정일                (이식일)"),
                 QStringLiteral("인공수정사"),
                 QStringLiteral("특이사항   (분만예정일)")};
    b.usualCells = {QStringLiteral("KR0041000000"), QStringLiteral("KR0041000000"),
                    QStringLiteral("12"),           QStringLiteral("3"),
                    QStringLiteral("ㅇ"),           QStringLiteral("KPN1203"),
                    QStringLiteral("KR0041000000"), QStringLiteral("2009-12-08"),
                    QStringLiteral("김수정"),       QStringLiteral("순산 (10-09-15)")};
    b.waitText = QStringLiteral("한우 교배기록을 조회중 입니다. 잠시만 기다려 주세요.");
    b.notFoundText = QStringLiteral("해당하는 한우 교배기록 정보가 없습니다. 다시 검색해 주세요.");
    b.sql =
        periodSql(QStringLiteral("개체관리.개체번호, 번식기록.산차, 번식기록.회수, 번식기록.공란우, 번식기록.정액번호, "
                                 "번식기록.수정일, 번식기록.인공수정자, 번식기록.분만난이도, 번식기록.예정일"),
                  kBreedingTables, kBreedingJoin, QStringLiteral("번식기록.수정일"), QStringLiteral("번식기록.수정일"));
    b.row = matingRow;
    b.nothingMessage = QStringLiteral("출력할 한우 교배기록 정보를 검색해 주세요.");
    b.question = QStringLiteral("한우 교배기록부를 출력 하시겠습니까?");
    b.reportFile = QStringLiteral("교배기록부.rpt");
    b.previewTitle = QStringLiteral("한우 교배기록부");
    b.workTable = QStringLiteral("교배기록부워크");
    b.columns = 10;
    return b;
}

BookSpec makeCalvingBook()
{
    BookSpec b;
    b.name = QStringLiteral("분만기록부");
    b.caption = QStringLiteral("한우 분만기록부(분만일를 선택하여 조회/인쇄를 할 수 있습니다.)");
    b.criterion = QStringLiteral("분 만 일");
    b.note = QStringLiteral("*암소개체관리의 번식기록에서 입력한 분만기록을 조회/인쇄합니다.");
    b.printCaption = QStringLiteral("분만기록부");
    b.headers = {QStringLiteral("암소개체식별번호"),
                 QStringLiteral("[공란우개체식별]"),
                 QStringLiteral("산차"),
                 QStringLiteral("KPN번호"),
                 QStringLiteral("분만일"),
                 QStringLiteral("송아지  개체식별번호"),
                 QStringLiteral("성 별"),
                 QStringLiteral("생시 체중"),
                 QStringLiteral("분  만 난이도"),
                 QStringLiteral("비고 (유산 등)")};
    b.usualCells = {QStringLiteral("KR0041000000"), QStringLiteral("KR0041000000"), QStringLiteral("12"),
                    QStringLiteral("KPN1203"),      QStringLiteral("2009-12-08"),   QStringLiteral("KR0041000000"),
                    QStringLiteral("수"),           QStringLiteral("1,250"),        QStringLiteral("2 순산"),
                    QStringLiteral("유산 (5개월)")};
    b.waitText = QStringLiteral("한우 분만기록을 조회중 입니다. 잠시만 기다려 주세요.");
    b.notFoundText = QStringLiteral("해당하는 한우 분만기록 정보가 없습니다. 다시 검색해 주세요.");
    // Selected by calving date, listed by insemination date.
    b.sql =
        periodSql(QStringLiteral("개체관리.개체번호, 번식기록.공란우, 번식기록.산차, 번식기록.정액번호, "
                                 "번식기록.분만일, 번식기록.송아지번호, 번식기록.성별, 번식기록.생시체중, "
                                 "번식기록.분만난이도, 번식기록.비고"),
                  kBreedingTables, kBreedingJoin, QStringLiteral("번식기록.분만일"), QStringLiteral("번식기록.수정일"));
    b.row = calvingRow;
    b.nothingMessage = QStringLiteral("출력할 한우 분만기록 정보를 검색해 주세요.");
    b.question = QStringLiteral("한우 분만기록부를 출력 하시겠습니까?");
    b.reportFile = QStringLiteral("분만기록부.rpt");
    b.previewTitle = QStringLiteral("한우 분만기록부");
    b.workTable = QStringLiteral("분만기록부워크");
    b.columns = 10;
    return b;
}

BookSpec makeShipmentBook()
{
    BookSpec b;
    b.name = QStringLiteral("출하성적기록부");
    b.caption = QStringLiteral("한우 출하성적기록부(출하일를 선택하여 조회/인쇄를 할 수 있습니다.)");
    b.criterion = QStringLiteral("출 하 일");
    b.note = QStringLiteral("*개체관리의 도체등급판정에서 입력한 내용을 조회/인쇄합니다.");
    b.printCaption = QStringLiteral("출하기록부");
    b.headers = {QStringLiteral("출하한 소  개체식별번호"),
                 QStringLiteral("성 별"),
                 QStringLiteral("아비 (KPN)"),
                 QStringLiteral("어미 개체식별번호"),
                 QStringLiteral("출하일"),
                 QStringLiteral("도축장"),
                 QStringLiteral("생체중"),
                 QStringLiteral("도체중"),
                 QStringLiteral("등    심 단면적"),
                 QStringLiteral("등지방 두    께"),
                 QStringLiteral("근    내 지방도"),
                 QStringLiteral("육량 지수"),
                 QStringLiteral("최종 등급"),
                 QStringLiteral("경락단가 (kg당)")};
    b.usualCells = {QStringLiteral("KR0041000000"), QStringLiteral("수"),         QStringLiteral("1203"),
                    QStringLiteral("KR0041000000"), QStringLiteral("2009-12-08"), QStringLiteral("축산물공판장"),
                    QStringLiteral("750"),          QStringLiteral("450"),        QStringLiteral("105"),
                    QStringLiteral("12.5"),         QStringLiteral("9"),          QString(),
                    QStringLiteral("1++"),          QStringLiteral("19,500")};
    b.waitText = QStringLiteral("한우 출하성적 기록부를 조회중 입니다. 잠시만 기다려 주세요.");
    b.notFoundText = QStringLiteral("해당하는 한우 출하성적 기록 정보가 없습니다. 다시 검색해 주세요.");
    b.sql = periodSql(QStringLiteral("개체관리.개체번호, 개체관리.구분, 개체관리.정액번호, 개체관리.모번호, "
                                     "등급판정.판정일, 등급판정.작업장, 등급판정.생체중, 등급판정.도체중, "
                                     "등급판정.등심단면적, 등급판정.등지방두께, 등급판정.근내지방, "
                                     "등급판정.최종등급, 등급판정.경락가"),
                      QStringLiteral("개체관리, 등급판정"), QStringLiteral("개체관리.개체번호 = 등급판정.개체번호"),
                      QStringLiteral("등급판정.판정일"), QStringLiteral("등급판정.판정일"));
    b.row = shipmentRow;
    b.nothingMessage = QStringLiteral("출력할 한우 출하성적 기록 정보를 검색해 주세요.");
    b.question = QStringLiteral("한우 출하성적기록부를 출력 하시겠습니까?");
    b.reportFile = QStringLiteral("출하성적기록부.rpt");
    b.previewTitle = QStringLiteral("한우 출하성적 기록부");
    b.workTable = QStringLiteral("출하성적기록부워크");
    b.columns = 14;
    b.tableRow = shipmentTableRow;
    return b;
}
}  // namespace

const BookSpec& matingBook()
{
    static const BookSpec b = makeMatingBook();
    return b;
}

const BookSpec& calvingBook()
{
    static const BookSpec b = makeCalvingBook();
    return b;
}

const BookSpec& shipmentBook()
{
    static const BookSpec b = makeShipmentBook();
    return b;
}

QString embryoTransferMark(const QString& donor)
{
    return donor.trimmed().isEmpty() ? QStringLiteral("×") : QStringLiteral("ㅇ");
}

QString matingRemark(const QString& difficulty, const QVariant& expected, const QString& animal)
{
    const double n = numberField(expected, kExpected, animal);
    if (n <= 0) return difficulty;
    const QDate due = datenum::fromDashed(dashedDate(qint64(n)));
    if (!due.isValid())
        throw DbError(
            QStringLiteral("개체 %1의 예정일(%2)을 날짜로 읽을 수 없습니다.").arg(animal, NullTrim(expected)));
    return difficulty + QStringLiteral(" (") + formatDate(due, QStringLiteral("yy-mm-dd")) + u')';
}

QString shortDate(const QString& dashed)
{
    const QDate d = datenum::fromDashed(dashed);
    return d.isValid() ? formatDate(d, QStringLiteral("yy-mm-dd")) : dashed;
}

QVariantList shipmentTableRow(const QStringList& cells)
{
    QVariantList v;
    v.reserve(14);
    for (int col = 1; col <= 14; ++col) {
        const QString cell = cells.value(col - 1);
        v << (col == 5 ? shortDate(cell) : cell.trimmed());
    }
    return v;
}

QStringList matingRow(const QSqlQuery& q)
{
    const QString animal = NullTrim(q.value(M개체번호));
    const QString donor = NullTrim(q.value(M공란우));
    return {animal,
            QString(),
            NullTrim(q.value(M산차)),
            NullTrim(q.value(M회수)),
            embryoTransferMark(donor),
            NullTrim(q.value(M정액번호)),
            donor,
            dashedDate(q.value(M수정일)),
            NullTrim(q.value(M인공수정자)),
            matingRemark(NullTrim(q.value(M분만난이도)), q.value(M예정일), animal)};
}

QStringList calvingRow(const QSqlQuery& q)
{
    const QString animal = NullTrim(q.value(C개체번호));
    return {animal,
            NullTrim(q.value(C공란우)),
            NullTrim(q.value(C산차)),
            NullTrim(q.value(C정액번호)),
            dashedDate(q.value(C분만일)),
            NullTrim(q.value(C송아지번호)),
            sexText(q.value(C성별), QStringLiteral("성별"), animal),
            thousands(q.value(C생시체중)),
            NullTrim(q.value(C분만난이도)),
            NullTrim(q.value(C비고))};
}

QStringList shipmentRow(const QSqlQuery& q)
{
    const QString animal = NullTrim(q.value(S개체번호));
    return {animal,
            sexText(q.value(S구분), QStringLiteral("구분"), animal),
            NullTrim(q.value(S정액번호)),
            NullTrim(q.value(S모번호)),
            dashedDate(q.value(S판정일)),
            NullTrim(q.value(S작업장)),
            thousands(q.value(S생체중)),
            thousands(q.value(S도체중)),
            NullTrim(q.value(S등심단면적)),
            NullTrim(q.value(S등지방두께)),
            NullTrim(q.value(S근내지방)),
            QString(),
            NullTrim(q.value(S최종등급)),
            thousands(q.value(S경락가))};
}

}  // namespace books
