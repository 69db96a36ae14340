#include "kit/GridExport.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "kit/Accessibility.h"
#include "kit/FileDialogs.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/WorkProgress.h"
#include "sheets/model/WorkbookExport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>

namespace {
SaveFileChooser& chooserHook()
{
    static SaveFileChooser hook;
    return hook;
}

// The name a window gave its grid, kept by the grid as a child so it goes with it.
class ExportNameHolder : public QObject {
public:
    ExportNameHolder(ExportName name, QObject* grid) : QObject(grid), name(std::move(name)) {}
    ExportName name;
    ExportContent content;
};

ExportNameHolder* nameHolderOf(const Grid* grid)
{
    for (QObject* child : grid->children())
        if (auto* holder = dynamic_cast<ExportNameHolder*>(child)) return holder;
    return nullptr;
}

// A caption's usage hint, "(수정일를 선택하여 조회/인쇄를 할 수 있습니다.)", says how to use the
// window, not what the list holds: a bracketed sentence at its end.
QString withoutUsageHint(const QString& caption)
{
    static const QRegularExpression hint(QStringLiteral(R"(\s*\([^()]*\.\)\s*$)"));
    return QString(caption).remove(hint);
}

// The list's name where its window gives none.
QString defaultTitle(const Grid* grid)
{
    QString title = withoutUsageHint(grid->window()->windowTitle());
    // A window with several lists (the record forms' history tabs) names the one saved.
    const QString list = grid->accessibleName();
    if (!list.isEmpty() && !title.contains(list)) title += QStringLiteral(" - ") + list;
    return title;
}

QString formatName(ExportFormat format)
{
    return format == ExportFormat::Xlsx ? QStringLiteral("엑셀") : QStringLiteral("CSV");
}

// The file dialog in Korean, whatever the platform's own dialog would speak.
QString askFileName(QWidget* parent, const QString& suggestedPath, ExportFormat format)
{
    const bool xlsx = format == ExportFormat::Xlsx;
    return chooseFileToSave(parent, formatName(format) + QStringLiteral(" 파일로 저장"),
                            xlsx ? QStringLiteral("엑셀 파일 (*.xlsx)") : QStringLiteral("CSV 파일 (*.csv)"),
                            suggestedPath, xlsx ? QStringLiteral("xlsx") : QStringLiteral("csv"));
}

void tellOutcome(QWidget* parent, ExportStatus status, ExportFormat format, const QString& path)
{
    if (status == ExportStatus::Saved)
        showMessage(
            parent, MsgIcon::Information, QStringLiteral("저장완료"),
            formatName(format) + QStringLiteral(" 파일로 저장했습니다.") + kCrLf + QDir::toNativeSeparators(path));
    else
        tellSaveFailure(parent, status, path);
}

// Writes behind a busy cursor; the progress dialog shows once the export takes a while.
ExportStatus writeWithProgress(QWidget* window, const ExportTable& table, ExportFormat format, const QString& path)
{
    WorkProgress progress(window,
                          {.name = QStringLiteral("frmSaveProgress"),
                           .title = formatName(format) + QStringLiteral(" 파일로 저장"),
                           .text = QStringLiteral("목록을 파일로 저장하고 있습니다. 잠시만 기다려 주세요."),
                           .cancelName = QStringLiteral("cmdCancelSave")},
                          int(std::min<qsizetype>(table.rows.size(), INT_MAX)));
    return saveTable(table, format, path, [&progress](qsizetype written) { return progress.advance(written); });
}
// A column of the saved list; "개월령" becomes "개월령(개월)": the cells hold the number, the
// header the unit.
void addColumn(ExportTable& t, const QString& header, CellKind kind)
{
    const ColumnUnit unit = columnUnitOf(header);
    t.headers << (unit.isNone() ? header : header.trimmed() + u'(' + unit.name + u')');
    t.kinds << (unit.isNone() ? kind : CellKind::Number);
    t.units << unit;
}
}  // namespace

void tellSaveFailure(QWidget* parent, ExportStatus status, const QString& path)
{
    const QString file = kCrLf + QDir::toNativeSeparators(path);
    const QString error = QStringLiteral("저장오류");
    switch (status) {
    case ExportStatus::Saved:
    case ExportStatus::Cancelled: break;
    case ExportStatus::CannotCreate:
        showMessage(
            parent, MsgIcon::Exclamation, error,
            QStringLiteral("파일을 만들 수 없습니다. 저장할 폴더가 있는지, 그 폴더에 쓸 수 있는지 확인해 주세요.") +
                file);
        break;
    case ExportStatus::WriteFailed:
        showMessage(parent, MsgIcon::Exclamation, error,
                    QStringLiteral("파일을 쓰는 중에 오류가 발생했습니다. 디스크에 남은 공간을 확인해 주세요.") + file);
        break;
    case ExportStatus::CannotReplace:
        showMessage(
            parent, MsgIcon::Exclamation, error,
            QStringLiteral("같은 이름의 파일을 바꿀 수 없습니다. 그 파일이 다른 프로그램에서 열려 있는지 확인해 "
                           "주세요.") +
                file);
        break;
    }
}

void setSaveFileChooser(SaveFileChooser chooser)
{
    chooserHook() = std::move(chooser);
}

void setExportName(Grid* grid, ExportName name)
{
    if (ExportNameHolder* holder = nameHolderOf(grid))
        holder->name = std::move(name);
    else
        new ExportNameHolder(std::move(name), grid);
}

void setExportContent(Grid* grid, ExportContent content)
{
    if (ExportNameHolder* holder = nameHolderOf(grid))
        holder->content = std::move(content);
    else
        (new ExportNameHolder({}, grid))->content = std::move(content);
}

ExportTable tableOfGrid(const Grid* grid)
{
    ExportTable t;
    const ExportNameHolder* named = nameHolderOf(grid);
    t.title = named && named->name ? named->name().simplified() : QString();
    if (t.title.isEmpty()) t.title = defaultTitle(grid);
    t.farmName = farmHeader().name;
    t.date = today();
    if (std::optional<ExportTable> content = named && named->content ? named->content() : std::nullopt) {
        t.rows = std::move(content->rows);
        for (qsizetype c = 0; c < content->headers.size(); ++c)
            addColumn(t, content->headers[c], content->kinds.value(c, CellKind::Text));
        return t;
    }
    QList<int> columns;
    for (int c = 1; c <= grid->maxCols(); ++c)
        if (!grid->isColumnHidden(c - 1)) columns << c;
    const bool allColumns = columns.size() == grid->maxCols();
    for (int c : columns) addColumn(t, grid->cellText(c, 0), grid->columnKind(c));
    const int n = grid->maxRows();
    t.rows.reserve(n);
    t.rowColors.reserve(n);
    for (int r = 1; r <= n; ++r) {
        if (allColumns) {
            t.rows << grid->rowTexts(r);
        } else {
            QStringList cells;
            for (int c : columns) cells << grid->cellText(c, r);
            t.rows << cells;
        }
        const QColor color = grid->rowForeColor(r);
        t.rowColors << (color == QColor(Qt::black) ? 0 : color.rgb());
    }
    return t;
}

bool saveGridAs(Grid* grid, ExportFormat format)
{
    QPointer<QWidget> window = grid->window();
    if (grid->maxRows() == 0) {
        showMessage(window, MsgIcon::Critical, QStringLiteral("저장확인"),
                    QStringLiteral("저장할 내용이 없습니다. 먼저 목록을 조회해 주세요."));
        return false;
    }
    const ExportTable table = tableOfGrid(grid);
    const QString suggested = QDir(documentsFolder()).filePath(suggestedFileName(table.title, table.date, format));
    const SaveFileChooser& chooser = chooserHook();
    const QString path = chooser ? chooser(window, suggested, format) : askFileName(window, suggested, format);
    if (path.isEmpty()) return false;
    const ExportStatus status = writeWithProgress(window, table, format, path);
    tellOutcome(window, status, format, path);
    return status == ExportStatus::Saved;
}

void addGridExportActions(QMenu* menu, Grid* grid)
{
    const QPointer<Grid> target(grid);
    const struct {
        const char* name;
        QString caption;
        ExportFormat format;
    } entries[] = {{"mnuSaveXlsx", QStringLiteral("엑셀 파일로 저장…"), ExportFormat::Xlsx},
                   {"mnuSaveCsv", QStringLiteral("CSV 파일로 저장…"), ExportFormat::Csv}};
    for (const auto& e : entries) {
        QAction* a = menu->addAction(e.caption);
        a->setObjectName(QString::fromLatin1(e.name));
        QObject::connect(a, &QAction::triggered, menu, [target, format = e.format] {
            if (target) saveGridAs(target, format);
        });
    }
}

QMenu* makeGridExportMenu(Grid* grid, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    nameControl(menu, QStringLiteral("mnuGridExport"), QStringLiteral("목록 저장"));
    addGridExportActions(menu, grid);
    return menu;
}

void attachGridExportMenu(QPushButton* button, Grid* grid)
{
    button->setMenu(makeGridExportMenu(grid, button));
}

bool saveTablesAs(QWidget* window, const QString& name, const QList<ExportTable>& sheets)
{
    const ExportFormat format = ExportFormat::Xlsx;
    const QString suggested = QDir(documentsFolder()).filePath(suggestedFileName(name, today(), format));
    const SaveFileChooser& chooser = chooserHook();
    const QString path = chooser ? chooser(window, suggested, format) : askFileName(window, suggested, format);
    if (path.isEmpty()) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ExportStatus status = saveWorkbook(sheets, path);
    QApplication::restoreOverrideCursor();
    tellOutcome(window, status, format, path);
    return status == ExportStatus::Saved;
}
