#include "import/ImportAssistant.h"

#include "import/ImportColumnsPage.h"
#include "import/ImportDonePage.h"
#include "import/ImportTargetPage.h"
#include "kit/CommandButton.h"
#include "kit/WindowKeys.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

ImportAssistant::ImportAssistant(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("가져오기 - 개체와 번식기록"));
    setModal(true);
    resize(980, 640);

    auto* all = new QVBoxLayout(this);
    m_stepsLabel = new QLabel(this);
    m_stepsLabel->setTextFormat(Qt::RichText);
    all->addWidget(m_stepsLabel);
    m_pages = new QStackedWidget(this);
    // In the order of ImportStep, which is also the order of their controls' tab chain.
    m_file = new ImportFilePage(m_draft, this);
    auto* target = new ImportTargetPage(m_draft, this);
    auto* columns = new ImportColumnsPage(m_draft, this);
    m_preview = new ImportPreviewPage(m_draft, this);
    m_done = new ImportDonePage(m_draft, this);
    m_steps = {m_file, target, columns, m_preview, m_done};
    for (ImportPage* p : m_steps) m_pages->addWidget(p);
    all->addWidget(m_pages, 1);
    connect(m_file, &ImportPage::mayGoOnChanged, this, &ImportAssistant::showButtons);

    auto* buttons = new QHBoxLayout;
    m_back = commandButton(QStringLiteral("cmdBack"), QStringLiteral("< 이전"), this);
    m_next = commandButton(QStringLiteral("cmdNext"), QStringLiteral("다음 >"), this);
    m_run = commandButton(QStringLiteral("cmdRunImport"), QStringLiteral("가져오기"), this);
    m_close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫기(ESC)"), this);
    buttons->addStretch();
    for (QPushButton* b : {m_back, m_next, m_run, m_close}) buttons->addWidget(b);
    all->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, &ImportAssistant::goBack);
    connect(m_next, &QPushButton::clicked, this, &ImportAssistant::goNext);
    connect(m_run, &QPushButton::clicked, this, &ImportAssistant::startImport);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    // Enter presses nothing; Esc closes like 닫기.
    new WindowKeys(this, [this] { reject(); });
    showStep(Step::File);
}

ImportAssistant::~ImportAssistant() = default;

const ImportTotals& ImportAssistant::previewTotals() const
{
    return m_preview->totals();
}

const ImportOutcome& ImportAssistant::outcome() const
{
    return m_done->outcome();
}

Grid* ImportAssistant::previewGrid() const
{
    return m_preview->grid();
}

ImportAssistant::Step ImportAssistant::step() const
{
    return Step(m_pages->currentIndex());
}

void ImportAssistant::showStep(Step s)
{
    m_pages->setCurrentIndex(int(s));
    QStringList shown;
    for (int i = 0; i < kImportSteps; ++i) {
        const QString n = QStringLiteral("%1. %2").arg(i + 1).arg(importStepName(Step(i)));
        shown << (i == int(s) ? QStringLiteral("<b><u>%1</u></b>").arg(n) : n);
    }
    m_stepsLabel->setText(shown.join(QStringLiteral(" &nbsp;›&nbsp; ")));
    showButtons();
}

void ImportAssistant::showButtons()
{
    const StepButtons b = stepButtons(step(), page(step())->mayGoOn());
    m_back->setEnabled(b.backEnabled);
    m_next->setVisible(b.nextShown);
    m_next->setEnabled(b.nextEnabled);
    m_run->setVisible(b.runShown);
    m_back->setVisible(b.backShown);
}

bool ImportAssistant::chooseFile(const QString& path)
{
    const bool read = m_file->choose(path);
    // The plan starts anew with the file: the steps after it are to be taken again.
    if (!read) showStep(Step::File);
    return read;
}

bool ImportAssistant::advance(Step from, Step to)
{
    if (!page(from)->leave() || !page(to)->enter()) return false;
    showStep(to);
    page(to)->shown();
    return true;
}

void ImportAssistant::goNext()
{
    if (const std::optional<Step> next = stepAfter(step())) advance(step(), *next);
}

void ImportAssistant::goBack()
{
    if (const std::optional<Step> back = stepBefore(step())) showStep(*back);
}

bool ImportAssistant::startImport()
{
    if (!advance(Step::Preview, Step::Done)) return false;
    emit imported();
    return true;
}

bool runImportAssistant(QWidget* parent)
{
    ImportAssistant assistant(parent);
    bool stored = false;
    QObject::connect(&assistant, &ImportAssistant::imported, &assistant, [&stored] { stored = true; });
    assistant.exec();
    return stored;
}
