#pragma once
// Reads exported files back with readers that share no code with the program: openpyxl for
// the workbook, Python's csv module for the CSV file and python3-icalendar for a calendar file.
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// {"sheet", "freeze", "widths": {column letter: width}, "rows": [[{"v", "kind", "fmt", "bold",
// "color"}, ...], ...]}; kind is text, number, date (v then "yyyy-mm-dd") or empty. An object
// with "error" when the file could not be read.
QJsonObject readXlsx(const QString& file);
// The workbook checked as a package, without LibreOffice: {"bad": the first damaged zip entry
// (zipfile's testzip) or null, "parts": entry names, "malformed": entries that are not
// well-formed XML, "sheets": [{"name", "filter": autofilter range, "freeze", "rows": max row}]
// as openpyxl loads them}; an object with "error" when openpyxl cannot load it.
QJsonObject checkXlsxPackage(const QString& file);
// {"sheets": [{"sheet", "freeze", "rows"}, ...]}: every sheet of a workbook in order, each as
// readXlsx reads the active one. An object with "error" when the file could not be read.
QJsonObject readXlsxSheets(const QString& file);
// {"bom": true/false, "crlf": records end in CR LF, "rows": [[field, ...], ...]}.
QJsonObject readCsv(const QString& file);
// The texts of one row of readXlsx's rows ("" for an empty cell).
QStringList xlsxTexts(const QJsonArray& row);
// A calendar file as python3-icalendar reads it: {"calendar": {property: value}, "events":
// [{"uid", "summary", "description", "start", "end" (yyyy-mm-dd), "allDay": DTSTART and DTEND
// are dates, "stamp": DTSTAMP in ISO form}, ...]} in file order, and of the raw file: "crlf"
// (every line ends in CR LF), "longest" (octets of the longest line), "utf8" (every line alone
// is whole UTF-8: no character split by a fold), "folded" (lines that continue another). An
// object with "error" when the parser refuses the file.
QJsonObject readICalendar(const QString& file);
