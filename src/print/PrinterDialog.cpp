#include "print/PrinterDialog.h"

#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/FileDialogs.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "kit/WindowUtil.h"
#include "print/model/PrinterSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 200;
const QColor kEdgeTop(96, 140, 190);
const QColor kEdgeBottom(38, 78, 122);

PrinterDialog::PdfFileAsker gPdfAsker;
PrinterDialogRunner gRunner;

QString askPdfFile(QWidget* parent, const QString& suggested)
{
    QString file = chooseFileToSave(parent, QStringLiteral("PDF 파일로 저장"), QStringLiteral("PDF 파일 (*.pdf)"),
                                    QDir(documentsFolder()).filePath(suggested));
    if (!file.isEmpty() && !file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
    return file;
}

// The skin is drawn, not loaded: a blue title bar with a gloss, a blue frame around the body.
// The pieces are square; the rounded window clips the corners.
QPixmap titlePiece(int w)
{
    QPixmap pm(w, 30);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, 30);
    g.setColorAt(0, kEdgeTop);
    g.setColorAt(0.5, QColor(64, 108, 158));
    g.setColorAt(1, kEdgeBottom);
    p.fillRect(QRect(0, 0, w, 30), g);
    p.fillRect(QRectF(0, 1, w, 1), QColor(255, 255, 255, 70));
    return pm;
}

// A vertical or horizontal strip: the frame colour on one side, transparent elsewhere.
QPixmap edgePiece(int w, int h, Qt::Edge edge)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int t = 4;
    if (edge == Qt::LeftEdge) p.fillRect(0, 0, t, h, kEdgeBottom);
    if (edge == Qt::RightEdge) p.fillRect(w - t, 0, t, h, kEdgeBottom);
    if (edge == Qt::BottomEdge) p.fillRect(0, h - t, w, t, kEdgeBottom);
    return pm;
}

QPixmap cornerPiece(int w, int h, bool left)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int t = 4;
    p.fillRect(0, h - t, w, t, kEdgeBottom);
    p.fillRect(left ? 0 : w - t, 0, t, h, kEdgeBottom);
    return pm;
}

QPixmap closeImage()
{
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.setBrush(QColor(196, 72, 56));
    p.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 4, 4);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 5.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 5.5), QPointF(5.5, 12.5));
    return pm;
}

QLabel* image(QWidget* parent, const char* name, const QPixmap& pm, bool stretch)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setPixmap(pm);
    l->setScaledContents(stretch);
    l->resize(pm.size());
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    QPushButton* b = commandButton(QString::fromLatin1(name), text, parent, ButtonLook::Skinned);
    b->setToolTip(tip);
    return b;
}

}  // namespace

PrinterDialog::PrinterDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrnSetup"));
    setWindowTitle(QStringLiteral("프린터 설정"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildSkin();

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    frame->setGeometry(22, 44, kWidth - 44, 62);
    auto* label = new QLabel(QStringLiteral("프린터명"), frame);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(14, 19, 62, 24);
    m_printerList = new QComboBox(frame);
    nameInput(m_printerList, QStringLiteral("cmbPrnName"), label);
    m_printerList->setGeometry(78, 18, kWidth - 44 - 92, 26);

    QPushButton* print = button(this, "cmdPrn", QStringLiteral("인 쇄"), QStringLiteral("프린터로 바로 인쇄합니다."));
    QPushButton* preview =
        button(this, "cmdlyout", QStringLiteral("미리보기"), QStringLiteral("프린트하기전 미리보기를 합니다."));
    QPushButton* cancel = button(this, "cmdCancel", QStringLiteral("취 소"), QStringLiteral("인쇄를 취소합니다."));
    const int bw = 86, gap = (kWidth - 44 - 3 * bw) / 2;
    print->setGeometry(22, 122, bw, 32);
    preview->setGeometry(22 + bw + gap, 122, bw, 32);
    cancel->setGeometry(22 + 2 * (bw + gap), 122, bw, 32);
    connect(print, &QPushButton::clicked, this, [this] { choose(PrinterChoice::Outcome::Print); });
    connect(preview, &QPushButton::clicked, this, [this] { choose(PrinterChoice::Outcome::Preview); });
    connect(cancel, &QPushButton::clicked, this, [this] { choose(PrinterChoice::Outcome::Cancel); });

    new WindowKeys(this, [this] { closeWithoutChoice(); });

    SkinDialog();
    // Our own body colour over the skin's grey.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 236, 236));
    setPalette(pal);
    frame->setPalette(pal);
}

void PrinterDialog::buildSkin()
{
    image(this, "imgTitleLeft", titlePiece(14), false);
    image(this, "imgTitleMain", titlePiece(8), true);
    image(this, "imgTitleRight", titlePiece(15), false);
    image(this, "imgWindowLeft", edgePiece(4, 8, Qt::LeftEdge), true);
    image(this, "imgWindowRight", edgePiece(17, 8, Qt::RightEdge), true);
    image(this, "imgWindowBottomLeft", cornerPiece(14, 20, true), false);
    image(this, "imgWindowBottom", edgePiece(8, 20, Qt::BottomEdge), true);
    image(this, "imgWindowBottomRight", cornerPiece(15, 20, false), false);
    QLabel* close = image(this, "imgTitleClose", closeImage(), false);
    close->setToolTip(QStringLiteral("닫기"));
    // An image that acts as a button: heard by what it does.
    nameControl(close, QStringLiteral("imgTitleClose"), close->toolTip());
    close->setCursor(Qt::PointingHandCursor);
    close->installEventFilter(this);

    auto* title = new QLabel(QStringLiteral("프린트 설정"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setStyleSheet(QStringLiteral("color: white; font-weight: bold; background: transparent;"));
    title->resize(200, 18);

    for (const char* name : {"lblTitle", "imgTitleLeft", "imgTitleMain", "imgTitleRight", "imgWindowLeft",
                             "imgWindowRight", "imgWindowBottom", "imgWindowBottomLeft", "imgWindowBottomRight"})
        makeDragHandle(findChild<QWidget*>(QString::fromLatin1(name)), this);
}

void PrinterDialog::SkinDialog()
{
    const int W = width(), H = height();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(207, 207, 207));
    setPalette(pal);
    auto place = [this](const char* name, int x, int y, int w = -1, int h = -1) {
        QWidget* wdg = findChild<QWidget*>(QString::fromLatin1(name));
        wdg->move(x, y);
        if (w >= 0 || h >= 0) wdg->resize(w >= 0 ? w : wdg->width(), h >= 0 ? h : wdg->height());
        return wdg;
    };
    place("imgTitleLeft", 0, 0);
    place("imgTitleMain", 14, 0, W - 19, -1);
    place("imgTitleRight", W - 15, 0);
    place("imgWindowLeft", 0, 30, -1, H - 50);
    place("imgWindowRight", W - 17, 30, -1, H - 50);
    place("imgWindowBottomLeft", 0, H - 20);
    place("imgWindowBottom", 14, H - 20, W - 25, -1);
    place("imgWindowBottomRight", W - 15, H - 20);
    place("imgTitleClose", W - 30, 6);
    place("lblTitle", 40, 7)->raise();
    // The right piece sits over the stretched middle; both under the title and close image.
    findChild<QWidget*>(QStringLiteral("imgTitleRight"))->raise();
    findChild<QWidget*>(QStringLiteral("imgWindowBottomRight"))->raise();
    findChild<QWidget*>(QStringLiteral("lblTitle"))->raise();
    findChild<QWidget*>(QStringLiteral("imgTitleClose"))->raise();
    RoundWindow(this);
}

QString PrinterDialog::pdfEntryText()
{
    return QStringLiteral("PDF 파일로 저장");
}

QString PrinterDialog::noPrinterEntryText()
{
    return QStringLiteral("설치된 프린터 없음");
}

void PrinterDialog::setPdfFileAsker(PdfFileAsker asker)
{
    gPdfAsker = std::move(asker);
}

bool PrinterDialog::loadPrinters()
{
    // Until a button is pressed the outcome is cancel, and the default counts as unchanged.
    m_choice = PrinterChoice{};
    PrinterSystem& system = printerSystem();
    const QString current = system.defaultPrinter();
    const QStringList names = system.printers();
    int selected = 0;
    for (int i = 0; i < names.size(); ++i) {
        m_printerList->addItem(names[i]);
        if (names[i] == current) {
            m_choice.defaultPrinter = names[i];
            selected = i;
        }
    }
    m_choice.printer = m_choice.defaultPrinter;
    // Without a printer the list says so, and a PDF file and the preview are still there: the
    // PDF entry is selected, as nothing can go on paper.
    m_noPrinter = names.isEmpty();
    if (m_noPrinter) m_printerList->addItem(noPrinterEntryText());
    m_printerList->addItem(pdfEntryText());
    m_printerList->setCurrentIndex(m_noPrinter ? m_printerList->count() - 1 : selected);

    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect g = screen->geometry();
        move(g.x() + g.width() / 2 - width() / 2, g.y() + g.height() / 2 - height() / 2);
    }
    return true;
}

void PrinterDialog::choose(PrinterChoice::Outcome outcome)
{
    const bool pdf =
        m_printerList->currentIndex() == m_printerList->count() - 1 && m_printerList->currentText() == pdfEntryText();
    const bool noPrinter = m_noPrinter && !pdf;
    if (noPrinter && outcome == PrinterChoice::Outcome::Print) {
        // Paper needs a printer; the dialog stays open for the PDF file or the preview.
        showMessage(this, MsgIcon::Critical, QStringLiteral("프린터설정 오류"),
                    QStringLiteral("프린터를 설치해 주세요."), MsgButton::Ok);
        return;
    }
    QString pdfFile;
    if (pdf && outcome == PrinterChoice::Outcome::Print) {
        pdfFile = gPdfAsker ? gPdfAsker(this, m_suggested) : askPdfFile(this, m_suggested);
        if (pdfFile.isEmpty()) return;  // no file given: the user chooses again
    }
    // A PDF file is written without any printer: the default stays as it is.
    m_choice.printer = pdf || noPrinter ? m_choice.defaultPrinter : m_printerList->currentText();
    m_choice.pdfFile = pdfFile;
    QApplication::processEvents();
    // Cancel switches too: the print command puts the default back in every case.
    if (m_choice.switchedDefault()) setDefaultPrinter(m_choice.printer);
    m_choice.outcome = outcome;
    m_done = true;
    accept();
}

void PrinterDialog::closeWithoutChoice()
{
    m_choice.outcome = PrinterChoice::Outcome::Cancel;
    m_done = true;
    reject();
}

bool PrinterDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->objectName() == QLatin1String("imgTitleClose") && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        closeWithoutChoice();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PrinterDialog::closeEvent(QCloseEvent* event)
{
    if (!m_done) m_choice.outcome = PrinterChoice::Outcome::Cancel;
    QDialog::closeEvent(event);
}

void setPrinterDialogRunner(PrinterDialogRunner runner)
{
    gRunner = std::move(runner);
}

PrinterChoice runPrinterDialog(QWidget* parent, const QString& suggestedPdfName)
{
    PrinterDialog dialog(parent);
    dialog.setSuggestedFileName(suggestedPdfName);
    if (dialog.loadPrinters()) {
        if (gRunner)
            gRunner(dialog);
        else
            dialog.exec();
    }
    return dialog.choice();
}
