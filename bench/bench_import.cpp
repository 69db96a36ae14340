#include "bench/bench_import.h"

#include "bench/bench_util.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "data/ScopedConnection.h"
#include "data/Values.h"
#include "import/model/ImportRun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <vector>

namespace {
// The memory an import takes beyond what the process held before it: the peak of the resident
// size (VmHWM, started anew) above the size before.
class MemoryWatch {
public:
    MemoryWatch() : m_before(statusMb("VmRSS:"))
    {
        QFile f(QStringLiteral("/proc/self/clear_refs"));
        m_known = f.open(QIODevice::WriteOnly) && f.write("5") == 1;
    }
    double grownMb() const { return m_known ? statusMb("VmHWM:") - m_before : -1; }

private:
    double m_before;
    bool m_known = false;
};

QString animalNumber(int i)
{
    return QStringLiteral("KR%1").arg(4100000000LL + qint64(i) * 7, 12, 10, QChar(u'0'));
}
bool isCow(int i)
{
    return i % 3 != 2;
}
QDate birthOf(int i)
{
    return QDate(2005, 1, 1).addDays(i % 5000);
}

// One row as the CSV holds it and as the bare insert binds it.
struct AnimalRow {
    QString number, registration, ranch, dam, semen;
    int sex = 0;
    qint64 birth = 0;
};
struct BreedingRow {
    QString number, semen;
    double parity = 0, count = 0, bcs = 0;
    qint64 inseminated = 0, expected = 0;
};

AnimalRow animalRow(int i)
{
    return {animalNumber(i),
            QString::number(100000 + i),
            QStringLiteral("햇살목장"),
            animalNumber(i / 2),
            QStringLiteral("KPN%1").arg(900 + i % 400),
            isCow(i) ? 0 : 1,
            datenum::fromDate(birthOf(i))};
}

// The cows in order, each with records until there are `count`; a cow's inseminations are a
// year and a quarter apart.
std::vector<BreedingRow> breedingRows(int animals, int count)
{
    std::vector<int> cows;
    for (int i = 0; i < animals; ++i)
        if (isCow(i)) cows.push_back(i);
    std::vector<BreedingRow> rows;
    rows.reserve(size_t(count));
    const int perCow = cows.empty() ? 0 : (count + int(cows.size()) - 1) / int(cows.size());
    for (int k = 0; k < perCow && int(rows.size()) < count; ++k)
        for (size_t c = 0; c < cows.size() && int(rows.size()) < count; ++c) {
            const QDate day = birthOf(cows[c]).addDays(450 + 455 * k);
            rows.push_back({animalNumber(cows[c]), QStringLiteral("KPN%1").arg(900 + (k + int(c)) % 400), double(k + 1),
                            1, double(3 + (k + int(c)) % 5), datenum::fromDate(day),
                            datenum::fromDate(day.addDays(280))});
        }
    return rows;
}

bool writeText(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QByteArray animalCsv(int animals)
{
    QByteArray out = "개체번호,성별,생년월일,종축등록번호,목장명,모번호,정액번호\n";
    for (int i = 0; i < animals; ++i) {
        const AnimalRow r = animalRow(i);
        out += (QStringList{r.number, r.sex == 0 ? QStringLiteral("암") : QStringLiteral("수"),
                            datenum::toDate(r.birth).toString(QStringLiteral("yyyy-MM-dd")), r.registration, r.ranch,
                            r.dam, r.semen}
                    .join(u',') +
                u'\n')
                   .toUtf8();
    }
    return out;
}

QByteArray breedingCsv(const std::vector<BreedingRow>& rows)
{
    QByteArray out = "개체번호,수정일,산차,회수,정액번호,BCS,분만예정일\n";
    for (const BreedingRow& r : rows)
        out += (QStringList{r.number, datenum::toDate(r.inseminated).toString(QStringLiteral("yyyy-MM-dd")),
                            QString::number(r.parity), QString::number(r.count), r.semen, QString::number(r.bcs),
                            datenum::toDate(r.expected).toString(QStringLiteral("yyyy-MM-dd"))}
                    .join(u',') +
                u'\n')
                   .toUtf8();
    return out;
}

// The bare bound insert of the rows into a fresh farm of their own, in one transaction.
template <class Row>
qint64 bareMs(const QString& file, const QString& sql, const std::vector<Row>& rows,
              const std::function<void(QSqlQuery&, const Row&)>& bind)
{
    QFile::remove(file);
    if (!createDatabaseFileIfMissing(file).isEmpty()) return -1;
    const ScopedConnection c(file);
    QSqlDatabase db = c.db();
    QElapsedTimer t;
    t.start();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(sql);
    for (const Row& r : rows) {
        bind(q, r);
        if (!q.exec()) {
            std::printf("bare insert error=%s\n", qPrintable(q.lastError().text()));
            return -1;
        }
    }
    db.commit();
    return t.elapsed();
}

void report(const char* name, int n, qint64 total, qint64 bare, const ImportOutcome& out, double rss)
{
    std::printf("%s n=%d total_ms=%lld bare_ms=%lld ratio=%.2f stored=%lld refused=%lld rss_mb=%.0f%s\n", name, n,
                static_cast<long long>(total), static_cast<long long>(bare),
                bare > 0 ? double(total) / double(bare) : 0.0,
                static_cast<long long>(out.totals.of(Verdict::New) + out.totals.of(Verdict::Update)),
                static_cast<long long>(out.totals.of(Verdict::Refused)), rss,
                out.status == ImportOutcome::Status::Done ? "" : " error=not-imported");
    std::fflush(stdout);
}

ImportPlan planOf(const QString& path, ImportTarget target)
{
    ImportPlan plan;
    plan.file.path = path;
    plan.target = target;
    plan.headerRow = 0;
    QString error;
    QStringList headers;
    if (const auto rows = openRows(plan.file, &error)) rows->next(headers);
    plan.mapping = matchHeaders(target, headers);
    return plan;
}
}  // namespace

void benchImport(int animals, int breedingRecords)
{
    QTemporaryDir dir;
    setProgramDir(dir.path());
    if (const QString err = createDatabaseFileIfMissing(databaseFilePath()); !err.isEmpty() || !DBOpen()) {
        std::printf("import_animals n=%d error=%s\n", animals, qPrintable(err));
        return;
    }
    const QString animalFile = dir.filePath(QStringLiteral("animals.csv"));
    const QString breedingFile = dir.filePath(QStringLiteral("breeding.csv"));
    std::vector<AnimalRow> animalRows;
    animalRows.reserve(size_t(animals));
    for (int i = 0; i < animals; ++i) animalRows.push_back(animalRow(i));
    const std::vector<BreedingRow> breeding = breedingRows(animals, breedingRecords);
    if (!writeText(animalFile, animalCsv(animals)) || !writeText(breedingFile, breedingCsv(breeding))) {
        std::printf("import_animals n=%d error=cannot-write-files\n", animals);
        return;
    }

    // The bare insert stores the same rows: every column the import stores, bound.
    const QString bareFile = dir.filePath(QStringLiteral("bare.db"));
    const qint64 bareAnimals = bareMs<AnimalRow>(
        bareFile,
        QStringLiteral("INSERT INTO 개체관리(개체번호, 구분, 구분2, 개체생일, 등록번호, 별명, 우방번호, 입식일자, "
                       "정액번호, 부번호, 축산업번호, 번식농장, 모번호, 판매일, 개체특징, 점수, 출하예정일, 출하일) "
                       "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        animalRows, [none = QStringLiteral("")](QSqlQuery& q, const AnimalRow& r) {
            int i = 0;
            q.bindValue(i++, r.number);
            q.bindValue(i++, r.sex);
            q.bindValue(i++, 0);
            q.bindValue(i++, r.birth);
            q.bindValue(i++, r.registration);
            q.bindValue(i++, r.ranch);
            q.bindValue(i++, none);
            q.bindValue(i++, 0);
            q.bindValue(i++, r.semen);
            for (int text = 0; text < 3; ++text) q.bindValue(i++, none);  // 부번호, 축산업번호, 번식농장
            q.bindValue(i++, r.dam);
            q.bindValue(i++, 0);
            q.bindValue(i++, none);
            q.bindValue(i++, 0.0);
            q.bindValue(i++, 0);
            q.bindValue(i++, 0);
        });
    std::optional<MemoryWatch> memory(std::in_place);
    QElapsedTimer t;
    t.start();
    const ImportOutcome a = runImport(planOf(animalFile, ImportTarget::Animals), today(), QDateTime::currentDateTime());
    report("import_animals", animals, t.elapsed(), bareAnimals, a, memory->grownMb());

    const qint64 bareBreeding = bareMs<BreedingRow>(
        bareFile,
        QStringLiteral(
            "INSERT INTO 번식기록(개체번호, 산차, 회수, 수정일, 정액번호, 공란우, 예정일, BCS, 판정일, 가부, "
            "분만일, 송아지번호, 성별, 분만난이도, 인공수정자, 생시체중, 비고) "
            "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        breeding, [none = QStringLiteral("")](QSqlQuery& q, const BreedingRow& r) {
            int i = 0;
            q.bindValue(i++, r.number);
            q.bindValue(i++, r.parity);
            q.bindValue(i++, r.count);
            q.bindValue(i++, r.inseminated);
            q.bindValue(i++, r.semen);
            q.bindValue(i++, none);
            q.bindValue(i++, r.expected);
            q.bindValue(i++, r.bcs);
            q.bindValue(i++, 0);   // 판정일
            q.bindValue(i++, -1);  // 가부
            q.bindValue(i++, 0);   // 분만일
            q.bindValue(i++, none);
            q.bindValue(i++, -1);  // 성별
            q.bindValue(i++, none);
            q.bindValue(i++, none);
            q.bindValue(i++, 0.0);
            q.bindValue(i++, none);
        });
    memory.emplace();
    t.restart();
    const ImportOutcome b =
        runImport(planOf(breedingFile, ImportTarget::Breeding), today(), QDateTime::currentDateTime().addSecs(1));
    report("import_breeding", int(breeding.size()), t.elapsed(), bareBreeding, b, memory->grownMb());

    // Files no farm writes: 2.6 million cells on one line (20 MB), and one cell of 21 MB. The
    // reader must give up on them at once, as the assistant's first look at the file does.
    const struct {
        const char* name;
        QByteArray line;
    } odd[] = {{"import_wide_line", QByteArray("1234567,").repeated(2600000)},
               {"import_long_cell", QByteArray("가").repeated(7 << 20)}};
    for (const auto& o : odd) {
        const QString file = dir.filePath(QStringLiteral("odd.csv"));
        if (!writeText(file, "개체번호,구분\nKR1,암소\n" + o.line + "\n")) continue;
        memory.emplace();
        t.restart();
        ImportFile f;
        f.path = file;
        QString error;
        qint64 rows = 0;
        if (const auto reader = openRows(f, &error)) {
            QStringList cells;
            while (reader->next(cells)) ++rows;
            error = reader->error();
        }
        std::printf("%s bytes=%lld total_ms=%lld rows_read=%lld stopped=%s rss_mb=%.0f\n", o.name,
                    static_cast<long long>(o.line.size()), static_cast<long long>(t.elapsed()),
                    static_cast<long long>(rows), error.isEmpty() ? "no" : "yes", memory->grownMb());
        std::fflush(stdout);
    }
    DBClose();
    setProgramDir(QString());
}
