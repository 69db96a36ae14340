#include "print/PrintFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPrintPreviewWidget>
#include <QProcess>

QStringList pdfPages(const QString& pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return {};
    QString text = QString::fromUtf8(p.readAllStandardOutput());
    QStringList pages = text.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

void PrintTest::SetUp()
{
    ASSERT_TRUE(out.isValid());
    printers.names = {QStringLiteral("사무실 프린터"), QStringLiteral("축사 프린터")};
    printers.current = QStringLiteral("사무실 프린터");
    setPrinterSystem(&printers);
    setWorkTablePauseMs(0);
    gsPrnName.clear();
    gsDefPrnName.clear();
    giPrnResult = 0;
    ASSERT_TRUE(farm.open());
    reportControl().setPreviewRunner([this](QPrintPreviewDialog& d) {
        previewTitles << d.windowTitle();
        d.show();
        QApplication::processEvents();
        if (auto* w = d.findChild<QPrintPreviewWidget*>()) previewPages = w->pageCount();
        d.close();
    });
    dialogChooses(QStringLiteral("사무실 프린터"), QStringLiteral("cmdlyout"));
}

void PrintTest::TearDown()
{
    setPrinterSystem(nullptr);
    setPrinterDialogRunner({});
    PrnSetupDialog::setPdfFileAsker({});
    reportControl().setPreviewRunner({});
    setWorkTablePauseMs(500);
}

void PrintTest::dialogChooses(const QString& printer, const QString& button)
{
    setPrinterDialogRunner([this, printer, button](PrnSetupDialog& d) {
        ++dialogRuns;
        auto* list = d.findChild<QComboBox*>(QStringLiteral("cmbPrnName"));
        ASSERT_NE(list, nullptr);
        const int index = list->findText(printer);
        ASSERT_GE(index, 0) << printer.toStdString();
        list->setCurrentIndex(index);
        if (button == QLatin1String("imgTitleClose")) {
            QWidget* img = d.findChild<QWidget*>(button);
            ASSERT_NE(img, nullptr);
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), img->mapToGlobal(QPointF(5, 5)),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(img, &press);
        } else {
            auto* b = d.findChild<QPushButton*>(button);
            ASSERT_NE(b, nullptr) << button.toStdString();
            b->click();
        }
    });
}

void PrintTest::dialogSavesPdf(const QString& file)
{
    PrnSetupDialog::setPdfFileAsker([this, file](QWidget*, const QString& suggested) {
        pdfAsked = suggested;
        return file;
    });
    dialogChooses(PrnSetupDialog::pdfEntryText(), QStringLiteral("cmdPrn"));
}

PrintRequest PrintTest::sampleRequest(const QList<QVariantList>& rows, const QStringList& formulas)
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
