#pragma once
// A farm with a fully recorded cow and bull, their record forms opened from the search list,
// and scripted printing: what the record forms' print buttons print, read back from PDFs.
#include "RegistryFixture.h"
#include "print/PrintScript.h"
#include "registry/AnimalRecordForm.h"
#include "support/TestHelpers.h"

#include <QRegularExpression>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <ostream>

class RecordPrintTest : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        ASSERT_TRUE(out.isValid());
        farm.exec("update 농장정보 set 사업장명칭 = '한빛농장', 등록번호 = '제2010-17호'");
    }

    // Registration data every animal of these tests shares; a bull adds its shipment dates.
    void addAnimal(const QString& number, int sex, const QVariantMap& more = {})
    {
        QVariantMap v{{"등록번호", "등록-1027"}, {"별명", "햇살목장"},      {"우방번호", "우방-77"},
                      {"입식일자", 20080320},    {"정액번호", "950"},       {"부번호", "F-2001"},
                      {"모번호", "M-3002"},      {"개체특징", "이마 흰점"}, {"점수", 4}};
        for (auto it = more.cbegin(); it != more.cend(); ++it) v[it.key()] = it.value();
        farm.addAnimal(number, sex, 20080105, v);
    }
    // Ten weighings (rows 9 and 10 are past what the book holds), six body measurements and a grading.
    void addMeasurements(const QString& number)
    {
        const qint64 weighed[] = {20080105, 20080320, 20090105, 20090705, 20100105,
                                  20100505, 20100905, 20101005, 20101105, 20101205};
        const char* stages[] = {"생시",   "입식",   "12개월", "18개월", "24개월",
                                "28개월", "32개월", "36개월", "40개월", "44개월"};
        const char* measurers[] = {"김", "이", "박", "최", "정", "강", "조", "윤", "장", "임"};
        for (int n = 1; n <= 10; ++n)
            farm.exec("insert into 초음파측정 values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                      {number, QString::fromUtf8(stages[n - 1]), weighed[n - 1], 30 + 50 * n,
                       QStringLiteral("기기-%1").arg(QChar(u'A' + n - 1)), 60 + n, 5 + n, n % 9 + 1,
                       QStringLiteral("측정") + QString::fromUtf8(measurers[n - 1]), "이판정",
                       QStringLiteral("%1등급").arg(n)});
        for (int r = 1; r <= 6; ++r)
            farm.exec("insert into 체척 values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                      {number, QString::number(r * 6), dn(QDate(2008, r + 1, 11)), QStringLiteral("체척자%1").arg(r),
                       100 + r, 101 + r, 120 + r, 50 + r, 40 + r, 150 + r, 45 + r, 44 + r, 43 + r, 20 + r});
        farm.exec(
            "insert into 등급판정 values(?, '음성공판장', 20100120, 720, 12, 95, 430, 7, '5', '3', '1', '2', "
            "'1++A', 21500, 9800000, '박판정')",
            {number});
    }

    // Opens the animal's record form from the list, as 개체수정 does.
    AnimalRecordForm* open(const QString& number) { return openRecordForm(number); }

    // Clicks the print button `command` of `form`, answering its question Yes.
    void print(AnimalRecordForm* form, const QString& command)
    {
        farm.messages().answer(MsgButton::Yes);
        click(command, form);
    }
    // The same, into a PDF file; returns its text ("" when none was written).
    QString printPdf(AnimalRecordForm* form, const QString& command, const QString& name)
    {
        const QString file = out.filePath(name + QStringLiteral(".pdf"));
        script.savePdf(file);
        print(form, command);
        const QStringList pages = pdfPages(file);
        EXPECT_EQ(pages.size(), pageCount) << name.toStdString();
        // Every formula and column the report names was filled or printed empty: no placeholder is left.
        static const QRegularExpression placeholder(QStringLiteral("\\{[^{}\\n]*\\}"));
        for (const QString& page : pages)
            EXPECT_FALSE(placeholder.match(page).hasMatch()) << name.toStdString() << ":\n" << page.toStdString();
        return pages.join(u'\n');
    }

    // The rows of a work table in the order stored, columns joined by '|' (blanks kept).
    QStringList workRows(const QString& table)
    {
        QStringList rows;
        QSqlQuery q = runQuery(QStringLiteral("select * from %1 order by rowid").arg(table));
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i) cells << q.value(i).toString();
            rows << cells.join(u'|');
        }
        return rows;
    }
    // The lines of a PDF text that contain `text`.
    static QStringList linesWith(const QString& pdf, const QString& text)
    {
        QStringList out;
        for (const QString& line : pdf.split(u'\n'))
            if (line.contains(text)) out << line.simplified();
        return out;
    }

    QTemporaryDir out;
    PrintScript script;
    int pageCount = 1;  // pages the next printPdf expects
};
