#include "data/Schema.h"

#include "data/ScopedConnection.h"

#include "data/FileModes.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace {

TableDef table(const QString& name, std::initializer_list<ColumnDef> cols, bool work = false)
{
    return TableDef{name, std::vector<ColumnDef>(cols), work, false, {}, {}};
}

const QString I = QStringLiteral("INTEGER");
const QString R = QStringLiteral("REAL");
const QString T = QStringLiteral("TEXT");

// An all-text work table with numbered columns (reports address them by position).
TableDef textWork(const QString& name, int count)
{
    TableDef t{name, {}, true, false, {}, {}};
    for (int i = 1; i <= count; ++i) t.columns.push_back({QStringLiteral("c%1").arg(i, 2, 10, QChar(u'0')), T});
    return t;
}

std::vector<TableDef> buildTables()
{
    std::vector<TableDef> t;
    t.push_back(table(QStringLiteral("개체관리"), {{"개체번호", T},
                                                   {"구분", I},
                                                   {"구분2", I},
                                                   {"개체생일", I},
                                                   {"등록번호", T},
                                                   {"별명", T},
                                                   {"우방번호", T},
                                                   {"입식일자", I},
                                                   {"정액번호", T},
                                                   {"부번호", T},
                                                   {"축산업번호", T},
                                                   {"번식농장", T},
                                                   {"모번호", T},
                                                   {"판매일", I},
                                                   {"개체특징", T},
                                                   {"점수", R},
                                                   {"출하예정일", I},
                                                   {"출하일", I}}));
    t.push_back(table(QStringLiteral("번식기록"), {{"개체번호", T},
                                                   {"산차", R},
                                                   {"회수", R},
                                                   {"수정일", I},
                                                   {"정액번호", T},
                                                   {"공란우", T},
                                                   {"예정일", I},
                                                   {"BCS", R},
                                                   {"판정일", I},
                                                   {"가부", I},
                                                   {"분만일", I},
                                                   {"송아지번호", T},
                                                   {"성별", I},
                                                   {"분만난이도", T},
                                                   {"인공수정자", T},
                                                   {"생시체중", R},
                                                   {"비고", T}}));
    t.push_back(table(QStringLiteral("초음파측정"), {{"개체번호", T},
                                                     {"개체능력", T},
                                                     {"측정일", I},
                                                     {"체중", R},
                                                     {"초음파기기", T},
                                                     {"등심단면적", R},
                                                     {"등지방두께", R},
                                                     {"근내지방도", R},
                                                     {"측정자", T},
                                                     {"판정자", T},
                                                     {"예상등급", T}}));
    t.push_back(table(QStringLiteral("체척"), {{"개체번호", T},
                                               {"월령", T},
                                               {"측정일", I},
                                               {"측정자", T},
                                               {"체고", R},
                                               {"십자부고", R},
                                               {"체장", R},
                                               {"흉심", R},
                                               {"흉폭", R},
                                               {"흉위", R},
                                               {"고장", R},
                                               {"요각폭", R},
                                               {"곤폭", R},
                                               {"좌골폭", R}}));
    t.push_back(table(QStringLiteral("백신접종"), {{"개체번호", T},
                                                   {"날짜", I},
                                                   {"증상", T},
                                                   {"처치", T},
                                                   {"만료일", I},
                                                   {"수의사", T},
                                                   {"비고", T},
                                                   {"구입일", I},
                                                   {"구입처", T}}));
    t.push_back(table(QStringLiteral("등급판정"), {{"개체번호", T},
                                                   {"작업장", T},
                                                   {"판정일", I},
                                                   {"생체중", R},
                                                   {"등지방두께", R},
                                                   {"등심단면적", R},
                                                   {"도체중", R},
                                                   {"근내지방", R},
                                                   {"육색", T},
                                                   {"지방색", T},
                                                   {"조직감", T},
                                                   {"성숙도", T},
                                                   {"최종등급", T},
                                                   {"지육단가", I},
                                                   {"경락가", I},
                                                   {"등급판정사", T}}));
    t.push_back(table(QStringLiteral("농장정보"), {{"등록번호", T},
                                                   {"고유번호", T},
                                                   {"성명", T},
                                                   {"주민번호", T},
                                                   {"사업장명칭", T},
                                                   {"소재지", T},
                                                   {"축종", T}}));
    // The person the farm calls for help with the program; no row until the farm sets one.
    TableDef contact = table(QStringLiteral("지원연락처"), {{"이름", T}, {"전화번호", T}});
    contact.optional = true;
    t.push_back(contact);
    // The farmer's targets for the herd analysis, one row per figure; no row means its default.
    TableDef targets = table(QStringLiteral("성적목표"), {{"항목", T}, {"목표값", R}});
    targets.optional = true;
    t.push_back(targets);
    // The bull catalogue: one row per bull, keyed by its KPN number as digits ("1105"). A
    // breeding value or price not given is null (unknown), never 0.
    TableDef bulls = table(QStringLiteral("씨수소"), {{"KPN", T},
                                                      {"구분", T},
                                                      {"아비", T},
                                                      {"외조부", T},
                                                      {"12개월령체중", R, true},
                                                      {"도체중", R, true},
                                                      {"등심단면적", R, true},
                                                      {"등지방두께", R, true},
                                                      {"근내지방도", R, true},
                                                      {"평가", T},
                                                      {"단가", I, true}});
    bulls.optional = true;
    bulls.indexes << QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS ux_씨수소 ON 씨수소(KPN)");
    t.push_back(bulls);
    // The semen tank: receipts (종류 입고, 수량 > 0) and adjustments (폐기 / 이동, 수량 < 0).
    TableDef semen =
        table(QStringLiteral("정액재고"),
              {{"일자", I}, {"KPN", T}, {"종류", T}, {"수량", I}, {"단가", I, true}, {"공급처", T}, {"비고", T}});
    semen.optional = true;
    semen.indexes << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_정액재고_KPN ON 정액재고(KPN, 일자)");
    t.push_back(semen);
    // The mating plan's settings, one row per setting (index weights, the inbreeding limit); no
    // row means its default.
    TableDef matingSettings = table(QStringLiteral("교배설정"), {{"항목", T}, {"값", R}});
    matingSettings.optional = true;
    t.push_back(matingSettings);
    // The vaccination programs the farm follows, one row per program, keyed by its name. 처치어
    // holds the comma-separated words that mark a treatment (백신접종.처치) as a dose of it; 대상
    // is 전체, 암소 or 송아지 (younger than 대상개월수 months). Foot-and-mouth is the one every
    // 한우 farm must follow, so a farm starts with it and changes it as it likes.
    TableDef vaccination = table(QStringLiteral("접종계획"), {{"이름", T},
                                                              {"처치어", T},
                                                              {"첫접종일령", I},
                                                              {"보강일수", I},
                                                              {"반복일수", I},
                                                              {"대상", T},
                                                              {"대상개월수", I},
                                                              {"분만제외일수", I},
                                                              {"출하제외일수", I}});
    vaccination.optional = true;
    vaccination.indexes << QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS ux_접종계획 ON 접종계획(이름)");
    vaccination.startingRows << QStringLiteral(
        "INSERT INTO 접종계획 VALUES('구제역', '구제역,FMD', 60, 28, 180, '전체', 0, 30, 30)");
    t.push_back(vaccination);
    t.push_back(table(
        QStringLiteral("축산분뇨관리대장"),
        {{"발생일자", I}, {"발생량", R}, {"처리일자", I}, {"처리방법", T}, {"처리량", R}, {"사용처", T}, {"비고", T}}));
    // Work tables: filled by position just before their report runs.
    t.push_back(textWork(QStringLiteral("개체관리워크"), 18));
    t.push_back(table(QStringLiteral("번식기록워크"),
                      {{"c01", R},
                       {"c02", R},
                       {"c03", T},
                       {"c04", T},
                       {"c05", T},
                       {"c06", T},
                       {"c07", R},
                       {"c08", T},
                       {"c09", T},
                       {"c10", T},
                       {"c11", T},
                       {"c12", T},
                       {"c13", T}},
                      true));
    t.push_back(textWork(QStringLiteral("백신접종워크"), 8));
    t.push_back(textWork(QStringLiteral("교배기록부워크"), 10));
    t.push_back(textWork(QStringLiteral("분만기록부워크"), 10));
    t.push_back(textWork(QStringLiteral("출하성적기록부워크"), 14));
    t.push_back(textWork(QStringLiteral("축산분뇨관리대장워크"), 7));
    t.push_back(textWork(QStringLiteral("일일관리"), 7));
    // The herd analysis print: a mark for the bold rows, then the cells of its tables.
    TableDef analysisWork = textWork(QStringLiteral("성적분석워크"), 20);
    analysisWork.optional = true;
    t.push_back(analysisWork);
    // The mating plan's prints: the plan (a line per cow) and one cow's ranking.
    TableDef matingWork = textWork(QStringLiteral("교배계획워크"), 16);
    matingWork.optional = true;
    t.push_back(matingWork);
    // The print of the vaccinations due: the eight cells of a row as the daily list shows them.
    TableDef vaccinationWork = textWork(QStringLiteral("예방접종워크"), 8);
    vaccinationWork.optional = true;
    t.push_back(vaccinationWork);
    return t;
}

// Logical keys whose duplicates would make rows impossible to change or delete apart.
const char* const kUniqueIndexes[] = {
    "CREATE UNIQUE INDEX ux_개체관리 ON 개체관리(개체번호)",
    "CREATE UNIQUE INDEX ux_번식기록 ON 번식기록(개체번호, 수정일)",
    "CREATE UNIQUE INDEX ux_초음파측정 ON 초음파측정(개체번호, 측정일)",
    "CREATE UNIQUE INDEX ux_체척 ON 체척(개체번호, 측정일)",
    "CREATE UNIQUE INDEX ux_백신접종 ON 백신접종(개체번호, 날짜)",
    "CREATE UNIQUE INDEX ux_등급판정 ON 등급판정(개체번호)",
    // Plain indexes for the lists that read by date.
    "CREATE INDEX ix_개체관리_생일 ON 개체관리(개체생일 DESC, 개체번호)",
    "CREATE INDEX ix_번식기록_수정일 ON 번식기록(수정일)",
    "CREATE INDEX ix_등급판정_판정일 ON 등급판정(판정일)",
    "CREATE INDEX ix_분뇨_발생일자 ON 축산분뇨관리대장(발생일자)",
};

QString columnSql(const ColumnDef& c, bool work)
{
    QString s = QStringLiteral("\"%1\" %2").arg(c.name, c.type);
    // The program never writes null but for an unknown figure; data tables refuse it elsewhere so
    // readers never meet one.
    if (!work && !c.nullable)
        s += c.type == QLatin1String("TEXT") ? QStringLiteral(" NOT NULL DEFAULT ''")
                                             : QStringLiteral(" NOT NULL DEFAULT 0");
    return s;
}

QString createTableSql(const TableDef& t, bool ifNotExists)
{
    QStringList cols;
    for (const ColumnDef& c : t.columns) cols << columnSql(c, t.workTable);
    return QStringLiteral("CREATE TABLE %1\"%2\" (%3) STRICT")
        .arg(ifNotExists ? QStringLiteral("IF NOT EXISTS ") : QString(), t.name, cols.join(QStringLiteral(", ")));
}

}  // namespace

const std::vector<TableDef>& schemaTables()
{
    static const std::vector<TableDef> tables = buildTables();
    return tables;
}

QStringList TableDef::columnNames() const
{
    QStringList names;
    for (const ColumnDef& c : columns) names << c.name;
    return names;
}

const ColumnDef* TableDef::column(const QString& name) const
{
    for (const ColumnDef& c : columns)
        if (c.name == name) return &c;
    return nullptr;
}

const TableDef& tableDef(const QString& name)
{
    for (const TableDef& t : schemaTables())
        if (t.name == name) return t;
    throw std::invalid_argument("no table " + name.toStdString());
}

QString createSchema(QSqlDatabase db)
{
    QSqlQuery q(db);
    if (!db.transaction()) return db.lastError().text();
    auto fail = [&](const QSqlQuery& failed) {
        const QString err = failed.lastError().text();
        db.rollback();
        return err.isEmpty() ? QStringLiteral("schema error") : err;
    };
    for (const TableDef& t : schemaTables())
        if (!q.exec(createTableSql(t, false))) return fail(q);
    for (const char* idx : kUniqueIndexes)
        if (!q.exec(QString::fromUtf8(idx))) return fail(q);
    for (const TableDef& t : schemaTables()) {
        for (const QString& idx : t.indexes)
            if (!q.exec(idx)) return fail(q);
        for (const QString& row : t.startingRows)
            if (!q.exec(row)) return fail(q);
    }
    if (!q.exec(QStringLiteral("INSERT INTO 농장정보 VALUES('', '', '', '', '', '', '한우')"))) return fail(q);
    if (!db.commit()) return db.lastError().text();
    return QString();
}

QString addMissingTables(QSqlDatabase db)
{
    QSqlQuery q(db);
    QStringList existing;
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table'"))) return q.lastError().text();
    while (q.next()) existing << q.value(0).toString();
    q.finish();
    // A file that is no farm is left as it was: the checks that follow name it.
    if (!existing.contains(QStringLiteral("농장정보"))) return QString();
    // Only a missing table costs a write: a read-only file that has them all opens as before.
    for (const TableDef& t : schemaTables())
        if (t.optional && !existing.contains(t.name)) {
            // A table, its indexes and its starting rows appear together: a start killed in
            // between leaves none of them, and the next start adds them all.
            if (!db.transaction()) return db.lastError().text();
            bool done = q.exec(createTableSql(t, true));
            for (const QString& idx : t.indexes) done = done && q.exec(idx);
            for (const QString& row : t.startingRows) done = done && q.exec(row);
            if (!done) {
                const QString err = q.lastError().text();
                db.rollback();
                return err;
            }
            if (!db.commit()) return db.lastError().text();
        }
    return QString();
}

QString createDatabaseFileIfMissing(const QString& path)
{
    if (QFileInfo::exists(path)) {
        restrictDatabaseAccess(path);
        return QString();
    }
    // Made private before SQLite writes a byte: it would create the file 644.
    if (!prepareDatabaseFolder(path) || !createPrivateFile(path)) return QStringLiteral("cannot create ") + path;
    QString err;
    {
        const ScopedConnection c(path);
        QSqlDatabase db = c.db();
        err = c.isOpen() ? createSchema(db) : c.error().text();
    }
    if (!err.isEmpty()) QFile::remove(path);
    if (err.isEmpty()) restrictDatabaseAccess(path);
    return err;
}
