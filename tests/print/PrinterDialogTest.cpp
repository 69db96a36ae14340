// The printer dialog itself: its list, its looks and what each of its ways out stores.
#include "print/PrintFixture.h"
#include "support/AccessibilityCheck.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace {

template <class T = QWidget>
T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

}  // namespace

TEST_F(PrintTest, DialogListsPrintersWithTheDefaultSelected)
{
    printers.names = {QStringLiteral("가 프린터"), QStringLiteral("나 프린터"), QStringLiteral("다 프린터")};
    printers.current = QStringLiteral("나 프린터");
    PrinterDialog d;
    ASSERT_TRUE(d.loadPrinters());
    auto* list = child<QComboBox>(d, "cmbPrnName");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0), QStringLiteral("가 프린터"));
    EXPECT_EQ(list->itemText(3), QStringLiteral("PDF 파일로 저장"));
    EXPECT_EQ(list->currentText(), QStringLiteral("나 프린터"));
    EXPECT_EQ(d.choice().defaultPrinter, QStringLiteral("나 프린터"));
    EXPECT_EQ(d.choice().printer, QStringLiteral("나 프린터"));
    EXPECT_EQ(d.choice().outcome, PrinterChoice::Outcome::Cancel);  // until a button is pressed

    // A default that is not listed (or none at all): the first printer, and no default stored.
    printers.current = QStringLiteral("원격 프린터");
    PrinterDialog d2;
    ASSERT_TRUE(d2.loadPrinters());
    EXPECT_EQ(child<QComboBox>(d2, "cmbPrnName")->currentIndex(), 0);
    EXPECT_EQ(d2.choice().defaultPrinter, QString());
    EXPECT_FALSE(d2.choice().switchedDefault());
}

TEST_F(PrintTest, DialogLooksAsDrawn)
{
    PrinterDialog d;
    ASSERT_TRUE(d.loadPrinters());
    EXPECT_EQ(d.objectName(), QStringLiteral("frmPrnSetup"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("프린터 설정"));
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(child<QLabel>(d, "lblTitle")->text(), QStringLiteral("프린트 설정"));
    EXPECT_EQ(child<QLabel>(d, "Label1")->text(), QStringLiteral("프린터명"));
    struct Button {
        const char* name;
        QString text, tip;
    };
    const Button buttons[] = {
        {"cmdPrn", QStringLiteral("인 쇄"), QStringLiteral("프린터로 바로 인쇄합니다.")},
        {"cmdlyout", QStringLiteral("미리보기"), QStringLiteral("프린트하기전 미리보기를 합니다.")},
        {"cmdCancel", QStringLiteral("취 소"), QStringLiteral("인쇄를 취소합니다.")},
    };
    for (const Button& b : buttons) {
        auto* w = child<QPushButton>(d, b.name);
        EXPECT_EQ(w->text(), b.text);
        EXPECT_EQ(w->toolTip(), b.tip);
        EXPECT_EQ(w->accessibleName(), QString(b.text).remove(u' '));  // "인 쇄" is heard as "인쇄"
    }
    // The list is heard by its caption, the close image by what it does.
    EXPECT_EQ(child(d, "cmbPrnName")->accessibleName(), QStringLiteral("프린터명"));
    EXPECT_EQ(child(d, "imgTitleClose")->accessibleName(), QStringLiteral("닫기"));
    EXPECT_EQ(child(d, "imgTitleClose")->accessibleDescription(), QStringLiteral("imgTitleClose"));
    EXPECT_EQ(controlsHeardByControlName(&d), QStringList());
    for (const char* img : {"imgTitleLeft", "imgTitleMain", "imgTitleRight", "imgTitleClose", "imgWindowBottom"})
        EXPECT_FALSE(child<QLabel>(d, img)->pixmap().isNull()) << img;
    EXPECT_EQ(d.palette().color(QPalette::Window), QColor(236, 236, 236));
    EXPECT_EQ(child(d, "Frame1")->palette().color(QPalette::Window), QColor(236, 236, 236));
    EXPECT_FALSE(d.mask().isEmpty());  // rounded corners
    EXPECT_FALSE(d.mask().contains(QPoint(0, 0)));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(d.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(d.geometry().center().y() - screen.center().y()), 1);
}

// The drawn title bar and border frame the whole dialog without a gap; the title and the close
// image lie on top of them, and no piece of the skin covers the list or a button.
TEST_F(PrintTest, DialogSkinFramesTheDialogAndLeavesTheControlsFree)
{
    PrinterDialog d;
    ASSERT_TRUE(d.loadPrinters());
    d.show();
    const QStringList skin = {"imgTitleLeft",   "imgTitleMain",    "imgTitleRight",       "imgWindowLeft",
                              "imgWindowRight", "imgWindowBottom", "imgWindowBottomLeft", "imgWindowBottomRight",
                              "lblTitle",       "imgTitleClose"};
    auto skinAt = [&](int x, int y) {
        if (!d.mask().contains(QPoint(x, y))) return true;  // a rounded corner: cut away
        const QWidget* w = d.childAt(x, y);
        return w && skin.contains(w->objectName());
    };
    const int W = d.width(), H = d.height();
    for (int x = 0; x < W; ++x) {
        EXPECT_TRUE(skinAt(x, 1) && skinAt(x, 28)) << "title bar open at x " << x;
        EXPECT_TRUE(skinAt(x, H - 2)) << "bottom edge open at x " << x;
    }
    for (int y = 30; y < H; ++y) EXPECT_TRUE(skinAt(1, y) && skinAt(W - 2, y)) << "side open at y " << y;

    QWidget* close = child(d, "imgTitleClose");
    EXPECT_EQ(d.childAt(close->geometry().center()), close);
    QWidget* title = child(d, "lblTitle");
    EXPECT_EQ(d.childAt(title->geometry().topLeft() + QPoint(4, 4)), title);
    EXPECT_LT(title->geometry().bottom(), 30);  // the title stays inside the title bar
    for (const char* name : {"cmbPrnName", "cmdPrn", "cmdlyout", "cmdCancel"}) {
        QWidget* control = child(d, name);
        const QWidget* hit = d.childAt(control->mapTo(&d, control->rect().center()));
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit)) << name;
    }
}

TEST_F(PrintTest, DialogButtonsStoreTheirResults)
{
    using Outcome = PrinterChoice::Outcome;
    struct Case {
        QString button;
        Outcome result;
        QString chosen;
        QStringList setCalls;
    };
    const QString barn = QStringLiteral("축사 프린터");
    const Case cases[] = {
        {QStringLiteral("cmdPrn"), Outcome::Print, barn, {barn}},
        {QStringLiteral("cmdlyout"), Outcome::Preview, barn, {barn}},
        {QStringLiteral("cmdCancel"),
         Outcome::Cancel,
         barn,
         {barn}},  // cancel switches too; the print command puts it back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button.toStdString());
        printers.current = QStringLiteral("사무실 프린터");
        printers.setCalls.clear();
        PrinterDialog d;
        ASSERT_TRUE(d.loadPrinters());
        child<QComboBox>(d, "cmbPrnName")->setCurrentText(barn);
        d.findChild<QPushButton*>(c.button)->click();
        EXPECT_EQ(d.choice().outcome, c.result);
        EXPECT_EQ(d.choice().printer, c.chosen);
        EXPECT_EQ(d.choice().defaultPrinter, QStringLiteral("사무실 프린터"));
        EXPECT_TRUE(d.choice().pdfFile.isEmpty());
        EXPECT_EQ(printers.setCalls, c.setCalls);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
}

TEST_F(PrintTest, DialogCloseImageAndEscapeCancelWithoutTouchingTheDefault)
{
    for (const bool escape : {false, true}) {
        printers.setCalls.clear();
        PrinterDialog d;
        ASSERT_TRUE(d.loadPrinters());
        d.show();
        child<QComboBox>(d, "cmbPrnName")->setCurrentText(QStringLiteral("축사 프린터"));
        if (escape) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(child(d, "cmbPrnName"), &esc);
        } else {
            QWidget* img = child(d, "imgTitleClose");
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4), img->mapToGlobal(QPointF(4, 4)), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(img, &press);
        }
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.choice().outcome, PrinterChoice::Outcome::Cancel);
        EXPECT_TRUE(printers.setCalls.isEmpty());
        EXPECT_FALSE(d.choice().switchedDefault());  // so the print command has nothing to put back
    }
}

TEST_F(PrintTest, DialogPdfEntryAsksForAFileAndStaysWhenNoneIsGiven)
{
    QStringList answers = {QString(), out.filePath(QStringLiteral("a.pdf"))};
    int asked = 0;
    PrinterDialog::setPdfFileAsker([&](QWidget*, const QString& suggested) {
        EXPECT_EQ(suggested, QStringLiteral("제안.pdf"));
        return answers.value(asked++);
    });
    PrinterDialog d;
    d.setSuggestedFileName(QStringLiteral("제안.pdf"));
    ASSERT_TRUE(d.loadPrinters());
    d.show();
    child<QComboBox>(d, "cmbPrnName")->setCurrentText(PrinterDialog::pdfEntryText());
    child<QPushButton>(d, "cmdPrn")->click();
    EXPECT_TRUE(d.isVisible());  // no file chosen: the user picks again
    EXPECT_EQ(d.choice().outcome, PrinterChoice::Outcome::Cancel);
    EXPECT_TRUE(d.choice().pdfFile.isEmpty());
    child<QPushButton>(d, "cmdPrn")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.choice().outcome, PrinterChoice::Outcome::Print);
    EXPECT_EQ(d.choice().pdfFile, out.filePath(QStringLiteral("a.pdf")));
    EXPECT_EQ(d.choice().printer, QStringLiteral("사무실 프린터"));  // the default stays the default
    EXPECT_TRUE(printers.setCalls.isEmpty());
}

// No printer installed: the list says so, the PDF entry is selected and writes its file, the
// preview is offered, and only 인 쇄 on the no-printer entry gives the message and keeps the
// dialog open.
TEST_F(PrintTest, DialogWithoutPrinterOffersThePdfFileAndThePreview)
{
    printers.names.clear();
    printers.current.clear();
    PrinterDialog::setPdfFileAsker([&](QWidget*, const QString&) { return out.filePath(QStringLiteral("b.pdf")); });
    using Outcome = PrinterChoice::Outcome;
    struct Case {
        QString entry, button;
        Outcome outcome;
        bool pdfFile;
    };
    const Case cases[] = {
        {PrinterDialog::pdfEntryText(), QStringLiteral("cmdPrn"), Outcome::Print, true},
        {PrinterDialog::pdfEntryText(), QStringLiteral("cmdlyout"), Outcome::Preview, false},
        {PrinterDialog::noPrinterEntryText(), QStringLiteral("cmdlyout"), Outcome::Preview, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.entry + u' ' + c.button).toStdString());
        farm.messages().clear();
        PrinterDialog d;
        ASSERT_TRUE(d.loadPrinters());
        d.show();
        auto* list = child<QComboBox>(d, "cmbPrnName");
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(0), QStringLiteral("설치된 프린터 없음"));
        EXPECT_EQ(list->currentText(), PrinterDialog::pdfEntryText());
        list->setCurrentText(c.entry);
        child<QPushButton>(d, c.button.toUtf8().constData())->click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.choice().outcome, c.outcome);
        EXPECT_EQ(d.choice().pdfFile, c.pdfFile ? out.filePath(QStringLiteral("b.pdf")) : QString());
        EXPECT_FALSE(d.choice().switchedDefault());
        EXPECT_EQ(farm.messages().count(), 0);
    }
    EXPECT_TRUE(printers.setCalls.isEmpty());

    PrinterDialog d;
    ASSERT_TRUE(d.loadPrinters());
    d.show();
    child<QComboBox>(d, "cmbPrnName")->setCurrentText(PrinterDialog::noPrinterEntryText());
    child<QPushButton>(d, "cmdPrn")->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("프린터를 설치해 주세요."));
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("프린터설정 오류"));
    EXPECT_TRUE(d.isVisible());  // the farmer can still choose the PDF file or the preview
    EXPECT_EQ(d.choice().outcome, PrinterChoice::Outcome::Cancel);
    EXPECT_TRUE(printers.setCalls.isEmpty());
}
