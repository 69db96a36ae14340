#include "books/model/RecordBooks.h"

#include "data/Db.h"
#include "data/Values.h"

#include <initializer_list>
#include <utility>

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

// The texts the books word alike, made from the book's name ("교배기록부"), its date criterion
// ("수 정 일") and what it lists ("교배기록"); the report file and work table are named after
// the book.
BookSpec periodBook(const QString& name, const QString& criterion, const QString& subject)
{
    BookSpec b;
    b.name = name;
    b.caption =
        QStringLiteral("한우 %1(%2를 선택하여 조회/인쇄를 할 수 있습니다.)").arg(name, QString(criterion).remove(u' '));
    b.criterion = criterion;
    b.printCaption = name;
    b.notFoundText = QStringLiteral("해당하는 한우 %1 정보가 없습니다. 다시 검색해 주세요.").arg(subject);
    b.nothingMessage = QStringLiteral("출력할 한우 %1 정보를 검색해 주세요.").arg(subject);
    b.question = QStringLiteral("한우 %1를 출력 하시겠습니까?").arg(name);
    b.reportFile = name + QStringLiteral(".rpt");
    b.workTable = name + QStringLiteral("워크");
    b.previewTitle = QStringLiteral("한우 ") + name;
    return b;
}

// The grid columns: each one's header, a usual text of it (the column is made wide enough) and
// what it holds. Animal and semen numbers are identifiers: text.
struct BookColumn {
    const char* header;
    const char* usual;
    CellKind kind;
};

void setColumns(BookSpec& b, std::initializer_list<BookColumn> columns)
{
    for (const BookColumn& c : columns) {
        b.headers << QString::fromUtf8(c.header);
        b.usualCells << QString::fromUtf8(c.usual);
        b.kinds << c.kind;
    }
    b.columns = int(b.headers.size());
}

using enum CellKind;

BookSpec makeMatingBook()
{
    BookSpec b = periodBook(QStringLiteral("교배기록부"), QStringLiteral("수 정 일"), QStringLiteral("교배기록"));
    b.note = QStringLiteral("*암소개체관리의 번식기록에서 입력한 교배기록을 조회/인쇄합니다.");
    b.waitText = QStringLiteral("한우 교배기록을 조회중 입니다. 잠시만 기다려 주세요.");
    setColumns(b, {{"암소개체식별번호", "KR0041000000", Text},
                   {"[수란우개체식별]", "KR0041000000", Text},
                   {"산차", "12", Number},
                   {"회차", "3", Number},
                   {"ET 여부", "ㅇ", Text},
                   {"KPN번호", "KPN1203", Text},
                   {"[공란우개체식별]", "KR0041000000", Text},
                   {"수정일                (이식일)", "2009-12-08", Date},
                   {"인공수정사", "김수정", Text},
                   {"특이사항   (분만예정일)", "순산 (10-09-15)", Text}});
    b.sql =
        periodSql(QStringLiteral("개체관리.개체번호, 번식기록.산차, 번식기록.회수, 번식기록.공란우, "
                                 "번식기록.정액번호, 번식기록.수정일, 번식기록.인공수정자, "
                                 "번식기록.분만난이도, 번식기록.예정일"),
                  kBreedingTables, kBreedingJoin, QStringLiteral("번식기록.수정일"), QStringLiteral("번식기록.수정일"));
    b.row = matingRow;
    return b;
}

BookSpec makeCalvingBook()
{
    BookSpec b = periodBook(QStringLiteral("분만기록부"), QStringLiteral("분 만 일"), QStringLiteral("분만기록"));
    b.note = QStringLiteral("*암소개체관리의 번식기록에서 입력한 분만기록을 조회/인쇄합니다.");
    b.waitText = QStringLiteral("한우 분만기록을 조회중 입니다. 잠시만 기다려 주세요.");
    setColumns(b, {{"암소개체식별번호", "KR0041000000", Text},
                   {"[공란우개체식별]", "KR0041000000", Text},
                   {"산차", "12", Number},
                   {"KPN번호", "KPN1203", Text},
                   {"분만일", "2009-12-08", Date},
                   {"송아지  개체식별번호", "KR0041000000", Text},
                   {"성 별", "수", Text},
                   {"생시 체중", "1,250", Number},
                   {"분  만 난이도", "2 순산", Text},
                   {"비고 (유산 등)", "유산 (5개월)", Text}});
    // Selected by calving date, listed by insemination date.
    b.sql =
        periodSql(QStringLiteral("개체관리.개체번호, 번식기록.공란우, 번식기록.산차, 번식기록.정액번호, "
                                 "번식기록.분만일, 번식기록.송아지번호, 번식기록.성별, 번식기록.생시체중, "
                                 "번식기록.분만난이도, 번식기록.비고"),
                  kBreedingTables, kBreedingJoin, QStringLiteral("번식기록.분만일"), QStringLiteral("번식기록.수정일"));
    b.row = calvingRow;
    return b;
}

BookSpec makeShipmentBook()
{
    BookSpec b =
        periodBook(QStringLiteral("출하성적기록부"), QStringLiteral("출 하 일"), QStringLiteral("출하성적 기록"));
    b.note = QStringLiteral("*개체관리의 도체등급판정에서 입력한 내용을 조회/인쇄합니다.");
    b.waitText = QStringLiteral("한우 출하성적 기록부를 조회중 입니다. 잠시만 기다려 주세요.");
    // The shorter name on its button, the spaced one on its preview.
    b.printCaption = QStringLiteral("출하기록부");
    b.previewTitle = QStringLiteral("한우 출하성적 기록부");
    setColumns(b, {{"출하한 소  개체식별번호", "KR0041000000", Text},
                   {"성 별", "수", Text},
                   {"아비 (KPN)", "1203", Text},
                   {"어미 개체식별번호", "KR0041000000", Text},
                   {"출하일", "2009-12-08", Date},
                   {"도축장", "축산물공판장", Text},
                   {"생체중", "750", Number},
                   {"도체중", "450", Number},
                   {"등    심 단면적", "105", Number},
                   {"등지방 두    께", "12.5", Number},
                   {"근    내 지방도", "9", Number},
                   {"육량 지수", "", Number},
                   {"최종 등급", "1++", Text},
                   {"경락단가 (kg당)", "19,500", Number}});
    // The slaughterhouse's name takes the spare width rather than the grade between two numbers.
    b.stretchColumn = 6;
    b.sql = periodSql(QStringLiteral("개체관리.개체번호, 개체관리.구분, 개체관리.정액번호, 개체관리.모번호, "
                                     "등급판정.판정일, 등급판정.작업장, 등급판정.생체중, 등급판정.도체중, "
                                     "등급판정.등심단면적, 등급판정.등지방두께, 등급판정.근내지방, "
                                     "등급판정.최종등급, 등급판정.경락가"),
                      QStringLiteral("개체관리, 등급판정"), QStringLiteral("개체관리.개체번호 = 등급판정.개체번호"),
                      QStringLiteral("등급판정.판정일"), QStringLiteral("등급판정.판정일"));
    b.row = shipmentRow;
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
    const QString due = shortDateOf(qint64(n));
    if (due.isEmpty())
        throw DbError(
            QStringLiteral("개체 %1의 예정일(%2)을 날짜로 읽을 수 없습니다.").arg(animal, NullTrim(expected)));
    return difficulty + QStringLiteral(" (") + due + u')';
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
