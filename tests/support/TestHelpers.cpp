#include "support/TestHelpers.h"

#include "data/Db.h"
#include "kit/Grid.h"
#include "print/model/ReportFormulas.h"

#include <sys/stat.h>
#include <QFile>
#include <QProcess>
#include <QWidget>
#include <ostream>

void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

int fileModeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

void report::PrintTo(const Formulas& formulas, std::ostream* os)
{
    *os << "{";
    for (const Formulas::Entry& e : formulas)
        *os << "\n  " << e.name.toStdString() << " = \"" << e.value.toStdString() << '"';
    *os << (formulas.isEmpty() ? "}" : "\n}");
}

QStringList pdfPages(const QString& pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return {};
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QStringList pages = text.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QString pdfText(const QString& pdfFile)
{
    return pdfPages(pdfFile).join(QStringLiteral("\n"));
}

QString pdfTextIn(const QString& pdfFile, int page, const QRectF& mm)
{
    // pdftotext crops in pixels of its resolution: at 72 dpi, points.
    auto pt = [](double v) { return QString::number(qRound(v * 72 / 25.4)); };
    QProcess p;
    p.start(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
         QString::number(page), QStringLiteral("-x"), pt(mm.x()), QStringLiteral("-y"), pt(mm.y()),
         QStringLiteral("-W"), pt(mm.width()), QStringLiteral("-H"), pt(mm.height()), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).remove(u'\f');
}

QStringList gridRow(const Grid* grid, int row, int columns)
{
    QStringList out;
    const int n = columns > 0 ? columns : grid->maxCols();
    for (int c = 1; c <= n; ++c) out << grid->cellText(c, row);
    return out;
}

QStringList gridColumn(const Grid* grid, int col)
{
    QStringList out;
    for (int r = 1; r <= grid->maxRows(); ++r) out << grid->cellText(col, r);
    return out;
}

QStringList cutCells(const Grid* grid)
{
    QStringList cut;
    for (int r = 1; r <= grid->maxRows(); ++r)
        for (int c = 1; c <= grid->maxCols(); ++c) {
            const QModelIndex i = grid->model()->index(r - 1, c - 1);
            if (grid->sizeHintForIndex(i).width() > grid->columnWidth(c - 1))
                cut << grid->cellText(c, 0).simplified() + QStringLiteral(": ") + grid->cellText(c, r);
        }
    return cut;
}

int emptyBand(const Grid* grid)
{
    const int last = grid->maxCols() - 1;
    return grid->viewport()->width() - (grid->columnViewportPosition(last) + grid->columnWidth(last));
}

bool columnInView(const Grid* grid, int col)
{
    const int left = grid->columnViewportPosition(col - 1);
    return left >= 0 && left + grid->columnWidth(col - 1) <= grid->viewport()->width();
}

Qt::Alignment cellAlignment(const Grid* grid, int col)
{
    return grid->model()->data(grid->model()->index(0, col - 1), Qt::TextAlignmentRole).value<Qt::Alignment>();
}

Grid* listGrid(const QWidget* window)
{
    return window ? window->findChild<Grid*>(QStringLiteral("SS")) : nullptr;
}

QStringList historyTableNames()
{
    return {QStringLiteral("번식기록"), QStringLiteral("초음파측정"), QStringLiteral("체척"),
            QStringLiteral("백신접종"), QStringLiteral("등급판정")};
}

int rowsOfAnimal(const QString& number)
{
    int n = 0;
    for (const QString& table : QStringList{QStringLiteral("개체관리")} + historyTableNames()) {
        QSqlQuery q = runQuery(QStringLiteral("select count(*) from %1 where 개체번호 = ?").arg(table), {number});
        if (q.next()) n += q.value(0).toInt();
    }
    return n;
}
