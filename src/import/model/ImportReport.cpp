#include "import/model/ImportReport.h"

#include "kit/model/MessageKinds.h"

#include <QDir>

QString columnsNoteText(bool recalled, int matched)
{
    return recalled ? QStringLiteral("지난번 같은 머리글의 파일에 쓴 맞춤을 불러왔습니다.")
                    : QStringLiteral("머리글로 %1개 항목을 맞췄습니다. 맞지 않으면 바꾸십시오.").arg(matched);
}

QString totalsText(const ImportTotals& totals)
{
    QStringList parts;
    for (int v = 0; v < kVerdicts; ++v)
        parts << QStringLiteral("%1 %2건").arg(verdictText(Verdict(v))).arg(totals.counts[size_t(v)]);
    return QStringLiteral("모두 %1행: ").arg(totals.rows()) + parts.join(QStringLiteral(", "));
}

qint64 recordsToStore(const ImportTotals& totals)
{
    return totals.of(Verdict::New) + totals.of(Verdict::Update);
}

QString importQuestion(ImportTarget target, qint64 storing)
{
    return QStringLiteral("%1 %2건을 가져옵니다.").arg(targetTable(target)).arg(storing) + kCrLf +
           QStringLiteral("가져오기 전에 데이터베이스를 자동으로 백업합니다.") + kCrLf + kCrLf +
           QStringLiteral("가져오시겠습니까?");
}

QString outcomeText(const ImportOutcome& outcome)
{
    const ImportTotals& t = outcome.totals;
    QStringList lines;
    lines << QStringLiteral("가져오기를 마쳤습니다.") << QString();
    lines << QStringLiteral("새로 넣은 기록: %1건").arg(t.of(Verdict::New))
          << QStringLiteral("고친 기록: %1건").arg(t.of(Verdict::Update))
          << QStringLiteral("이미 같은 기록: %1건").arg(t.of(Verdict::Same))
          << QStringLiteral("있어서 그대로 둔 기록: %1건").arg(t.of(Verdict::Kept))
          << QStringLiteral("거부된 행: %1건").arg(t.of(Verdict::Refused)) << QString();
    lines << QStringLiteral("가져오기 전 백업: ") + QDir::toNativeSeparators(outcome.backupFile);
    if (!outcome.refusedFile.isEmpty())
        lines << QStringLiteral("거부된 행과 그 사유: ") + QDir::toNativeSeparators(outcome.refusedFile);
    if (outcome.refusedMoved)
        lines << QStringLiteral("(원본 파일의 폴더에 쓸 수 없어 데이터베이스 폴더에 저장했습니다.)");
    return lines.join(u'\n');
}

QList<int> previewFields(const ImportPlan& plan)
{
    QList<int> fields;
    for (int f = 0; f < importFields(plan.target).size(); ++f)
        if (hasSource(plan.mapping.value(f))) fields << f;
    return fields;
}

QStringList previewRow(const ImportPlan& plan, const QList<int>& fields, const QStringList& cells, qint64 line,
                       const RowVerdict& verdict)
{
    QStringList row{QString::number(line), verdictText(verdict.verdict), verdict.detail};
    for (int f : fields)
        row << (verdict.values.isEmpty() ? sourceText(plan.mapping.value(f), cells) : verdict.values.value(f));
    return row;
}
