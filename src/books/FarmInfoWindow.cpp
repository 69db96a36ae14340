#include "books/FarmInfoWindow.h"

#include "app/Accessibility.h"
#include "app/DbMessages.h"
#include "app/Messages.h"
#include "app/WindowKeys.h"
#include "books/model/FarmInfoRules.h"
#include "data/Db.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The boxes in order: control name (the column) and caption.
const struct {
    const char* name;
    const char* caption;
} kFields[] = {{"등록번호", "축산업등록번호"}, {"고유번호", "고유번호"},     {"성명", "성      명"},
               {"주민번호", "주민번호"},       {"사업장명칭", "사업장명칭"}, {"소재지", "소 재 지"},
               {"축종", "축      종"}};

QPushButton* windowButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    nameControl(b, name, text);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setMinimumWidth(90);
    return b;
}
}  // namespace

FarmInfoWindow::FarmInfoWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("농장정보"));
    setWindowTitle(QStringLiteral("농장정보 수정"));
    build();
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing

    m_connected = openConnectionOrEnd(this);
    // Not connected and still running (the file is busy): the window goes again once shown.
    if (!m_connected) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    load();
}

FarmInfoWindow::~FarmInfoWindow()
{
    if (m_connected && !m_closed) DBClose();
}

void FarmInfoWindow::build()
{
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frm농장정보"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    QWidget* previous = nullptr;
    int row = 0;
    for (const auto& f : kFields) {
        const QString name = QString::fromUtf8(f.name);
        auto* label = new QLabel(QString::fromUtf8(f.caption), frame);
        label->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setAlignment(Qt::AlignCenter);
        label->setFixedWidth(110);
        label->setMinimumHeight(26);
        auto* box = new QLineEdit(frame);
        box->setMinimumWidth(320);
        nameInput(box, name, label);
        m_texts.insert(name, box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        if (previous) setTabOrder(previous, box);
        previous = box;
        ++row;
    }

    m_save = windowButton(QStringLiteral("cmdSave"), QStringLiteral("저 장"), this);
    m_cancel = windowButton(QStringLiteral("cmdCancel"), QStringLiteral("취 소"), this);
    m_cancel->setToolTip(QStringLiteral("창을 닫습니다"));
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    setTabOrder(previous, m_save);
    setTabOrder(m_save, m_cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(frame);
    all->addLayout(buttons);
}

void FarmInfoWindow::load()
{
    try {
        const std::optional<FarmInfo> f = readFarmInfo();
        if (!f) return;  // no row: the boxes stay empty, a save stores one
        m_texts[QStringLiteral("등록번호")]->setText(f->등록번호);
        m_texts[QStringLiteral("고유번호")]->setText(f->고유번호);
        m_texts[QStringLiteral("성명")]->setText(f->성명);
        m_texts[QStringLiteral("주민번호")]->setText(f->주민번호);
        m_texts[QStringLiteral("사업장명칭")]->setText(f->사업장명칭);
        m_texts[QStringLiteral("소재지")]->setText(f->소재지);
        m_texts[QStringLiteral("축종")]->setText(f->축종);
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

FarmInfo FarmInfoWindow::values() const
{
    FarmInfo f;
    f.등록번호 = m_texts[QStringLiteral("등록번호")]->text();
    f.고유번호 = m_texts[QStringLiteral("고유번호")]->text();
    f.성명 = m_texts[QStringLiteral("성명")]->text();
    f.주민번호 = m_texts[QStringLiteral("주민번호")]->text();
    f.사업장명칭 = m_texts[QStringLiteral("사업장명칭")]->text();
    f.소재지 = m_texts[QStringLiteral("소재지")]->text();
    f.축종 = m_texts[QStringLiteral("축종")]->text();
    return f;
}

bool FarmInfoWindow::save()
{
    const FarmInfo f = values();
    if (const CheckResult failed = books::checkFarmInfo(f)) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        m_texts.value(failed->field)->setFocus();
        return false;
    }
    if (showMessage(this, MsgIcon::Question, QStringLiteral("수정"), QStringLiteral("농장정보을 수정하시겠습니까?"),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;
    try {
        storeFarmInfo(f);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }
    close();
    return true;
}

void FarmInfoWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        if (m_connected) DBClose();
    }
    event->accept();
}
