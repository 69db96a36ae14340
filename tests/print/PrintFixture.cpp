#include "print/PrintFixture.h"

void PrintTest::SetUp()
{
    ASSERT_TRUE(out.isValid());
    ASSERT_TRUE(farm.open());
}

PrintRequest PrintTest::sampleRequest(const QList<QVariantList>& rows, const report::Formulas& formulas)
{
    PrintRequest r;
    r.nothingToPrint = rows.isEmpty();
    r.nothingMessage = QStringLiteral("출력할 자료가 없습니다.");
    r.question = QStringLiteral("시험 목록을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("시험출력.rpt");
    r.previewTitle = QStringLiteral("시험 출력 목록");
    r.workTable = QStringLiteral("일일관리");
    r.rows = [rows] { return rows; };
    r.formulas = [formulas] { return formulas; };
    return r;
}

QList<QVariantList> PrintTest::animals(int count)
{
    QList<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({QStringLiteral("KR%1").arg(i, 6, 10, QChar(u'0')), QString::number(i % 12 + 1),
                        QStringLiteral("한빛농장"), QString(), QStringLiteral("재발정"), QString(), QString()});
    return rows;
}
