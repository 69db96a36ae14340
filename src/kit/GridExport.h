#pragma once
// Saving any grid as an Excel or CSV file: the grid's context menu, the list windows' button,
// the file dialog, the busy cursor and progress, and the messages. The files themselves are
// written by sheets/model/TableExport.
#include "sheets/model/TableExport.h"

#include <QString>
#include <functional>

class Grid;
class QMenu;
class QPushButton;
class QWidget;

// What a saved list is called: its file, its title row and its sheet. The window that owns the
// grid tells what the list is and whose ("번식기록 KR002012345678", "교배기록부
// 2026-01-01~2026-12-10"); asked at each save, so it names the animal or period shown then.
using ExportName = std::function<QString()>;
void setExportName(Grid* grid, ExportName name);

// What a saved list holds where the grid shows less than its records store (a history tab: the
// animal's number and the fields its grid leaves out): headers, kinds and rows in place of the
// grid's. Nothing: the grid's own (the window has told why).
using ExportContent = std::function<std::optional<ExportTable>()>;
void setExportContent(Grid* grid, ExportContent content);

// What the grid shows: its name (setExportName; otherwise its window's title without a usage
// hint, and the list's own name when that differs), the farm name, today, the visible
// columns (or the grid's setExportContent) with what each holds (Grid::columnKind; a column of ages in months holds numbers
// and its header names the unit), every row with its text colour.
ExportTable tableOfGrid(const Grid* grid);

// The save command: asks for the file, suggesting "<name> yyyy-mm-dd.xlsx" (or .csv; no
// second date when the name carries one) in the documents folder, and writes it behind a busy
// cursor and a cancellable progress dialog. Every outcome but a cancel is told in a message.
// True when the file was saved.
bool saveGridAs(Grid* grid, ExportFormat format);

// Tells why a file was not saved at `path` (a warning naming what to check); nothing for Saved
// and Cancelled. The message of every save command of the program.
void tellSaveFailure(QWidget* parent, ExportStatus status, const QString& path);

// The two entries "엑셀 파일로 저장…" ("mnuSaveXlsx") and "CSV 파일로 저장…" ("mnuSaveCsv").
void addGridExportActions(QMenu* menu, Grid* grid);
// The grid's context menu ("mnuGridExport") holding the two entries.
QMenu* makeGridExportMenu(Grid* grid, QWidget* parent);
// Gives a button of a list window the same two entries as its menu.
void attachGridExportMenu(QPushButton* button, Grid* grid);

// Asks the user for the file to write; an empty answer cancels. Tests replace it.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& suggestedPath, ExportFormat format)>;
// {} restores the file dialog.
void setSaveFileChooser(SaveFileChooser chooser);

// The save command of a window with several lists: asks for the Excel file, suggesting
// "<name> yyyy-mm-dd.xlsx" in the documents folder, and writes every table as a sheet of its
// own (sheets/model/WorkbookExport.h) behind a busy cursor. Every outcome but a cancel is told in
// a message. True when the file was saved.
bool saveTablesAs(QWidget* window, const QString& name, const QList<ExportTable>& sheets);
