#include "analysis/model/AnalysisTargets.h"

#include "data/Db.h"

#include <QRegularExpression>
#include <cmath>

namespace analysis {

namespace {
const QString kTable = QStringLiteral("성적목표");

// Days open: a calf a year is 365 days, less the 280 days of pregnancy. The ranges hold what a
// herd can reach or would aim at: a calving interval is a pregnancy of 280 days and at least
// some weeks, a cow is served again three weeks after calving at the soonest, a heifer calves at
// 18 months at the youngest.
std::array<TargetFigureInfo, kTargetFigureCount> buildInfos()
{
    return {{
        {QStringLiteral("분만간격"), QStringLiteral("분만간격"), QStringLiteral("일"), 1, true, 365, 300, 500},
        {QStringLiteral("분만후첫수정일수"), QStringLiteral("분만 후 첫 수정일수"), QStringLiteral("일"), 1, true, 120,
         20, 200},
        {QStringLiteral("공태일수"), QStringLiteral("공태일수"), QStringLiteral("일"), 1, true, 85, 20, 220},
        {QStringLiteral("수태당수정횟수"), QStringLiteral("수태당 수정횟수"), QStringLiteral("회"), 2, true, 1.45, 1,
         5},
        {QStringLiteral("수태율"), QStringLiteral("수태율"), QStringLiteral("%"), 1, false, 72, 10, 100},
        {QStringLiteral("초산월령"), QStringLiteral("초산월령"), QStringLiteral("개월"), 1, true, 28.7, 18, 48},
    }};
}

// A stored value as the note names it: no exponent, no needless decimals.
QString storedText(const QVariant& stored)
{
    bool number = false;
    const double v = stored.toDouble(&number);
    if (!number || !std::isfinite(v) || std::abs(v) >= 1e15) return stored.toString().trimmed();
    return QString::number(v, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

bool hasTable()
{
    QSqlQuery q =
        runQuery(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?"), {kTable});
    return q.next() && q.value(0).toInt() > 0;
}
}  // namespace

const TargetFigureInfo& figureInfo(TargetFigure f)
{
    static const std::array<TargetFigureInfo, kTargetFigureCount> infos = buildInfos();
    return infos[size_t(f)];
}

QString targetSourceText()
{
    return QStringLiteral(
        "기본 목표는 한우 번식농가 현장 실태조사(1996~97년, 2016년)에서 발표된 전국 수치입니다.\n"
        "분만간격 365일(1년 1산, 조사 평균 375일), 수태당 수정횟수 1.45회, 수태율 72%, "
        "분만 후 첫 수정일수 120일, 초산월령 28.7개월.\n"
        "공태일수 85일은 분만간격 365일에서 임신기간 280일을 뺀 값입니다.");
}

Targets defaultTargets()
{
    Targets t;
    for (TargetFigure f : kTargetFigures) t[f] = figureInfo(f).defaultTarget;
    return t;
}

QString targetRangeText(TargetFigure f)
{
    const TargetFigureInfo& info = figureInfo(f);
    return QStringLiteral("%1~%2%3").arg(info.lowest).arg(info.highest).arg(info.unit);
}

QString targetProblem(TargetFigure f, double value)
{
    const TargetFigureInfo& info = figureInfo(f);
    if (std::isfinite(value) && value >= info.lowest && value <= info.highest) return QString();
    return QStringLiteral("%1 목표는 %2 사이의 수로 입력해 주세요.").arg(info.name, targetRangeText(f));
}

Verdict verdictOf(TargetFigure f, const Figure& value, double target)
{
    if (!value.hasValue()) return Verdict::NoData;
    const TargetFigureInfo& info = figureInfo(f);
    const double shown = rounded(value.value, info.decimals);
    const bool meets = info.lowerIsBetter ? shown <= target : shown >= target;
    return meets ? Verdict::Meets : Verdict::Misses;
}

QString verdictWord(Verdict v)
{
    switch (v) {
    case Verdict::Meets: return QStringLiteral("목표 달성");
    case Verdict::Misses: return QStringLiteral("목표 미달");
    case Verdict::NoData: return QStringLiteral("자료 없음");
    }
    return QString();
}

Targets readTargets(QStringList* notes)
{
    Targets t = defaultTargets();
    if (!hasTable()) return t;
    QSqlQuery q = runQuery(QStringLiteral("select 항목, 목표값 from 성적목표"));
    while (q.next()) {
        const QString key = q.value(0).toString().trimmed();
        bool number = false;
        const double value = q.value(1).toDouble(&number);
        for (TargetFigure f : kTargetFigures) {
            const TargetFigureInfo& info = figureInfo(f);
            if (info.key != key) continue;
            if (number && targetProblem(f, value).isEmpty()) {
                t[f] = value;
            } else if (notes) {
                *notes << QStringLiteral("저장된 %1 목표(%2)는 %3 밖이라 기본값 %4%5로 판정합니다.")
                              .arg(info.name, storedText(q.value(1)), targetRangeText(f))
                              .arg(info.defaultTarget)
                              .arg(info.unit);
            }
        }
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return t;
}

void storeTargets(const Targets& t)
{
    for (TargetFigure f : kTargetFigures) {
        const QString problem = targetProblem(f, t[f]);
        if (!problem.isEmpty()) throw DbError(problem);
    }
    Transaction tx;
    execStatement(QStringLiteral("delete from 성적목표"));
    for (TargetFigure f : kTargetFigures)
        execStatement(QStringLiteral("insert into 성적목표(항목, 목표값) values(?, ?)"), {figureInfo(f).key, t[f]});
    tx.commit();
}

}  // namespace analysis
