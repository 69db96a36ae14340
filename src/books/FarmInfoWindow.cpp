#include "books/FarmInfoWindow.h"

#include "kit/Accessibility.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "kit/EntryForm.h"
#include "books/model/FarmInfoRules.h"
#include "data/Db.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
// The boxes in order: control name (the column), caption, and the value it shows.
const struct {
    const char* name;
    const char* caption;
    QString FarmInfo::*value;
} kFields[] = {{"등록번호", "축산업등록번호", &FarmInfo::등록번호},
               {"고유번호", "고유번호", &FarmInfo::고유번호},
               {"성명", "성      명", &FarmInfo::성명},
               {"주민번호", "주민번호", &FarmInfo::주민번호},
               {"사업장명칭", "사업장명칭", &FarmInfo::사업장명칭},
               {"소재지", "소 재 지", &FarmInfo::소재지},
               {"축종", "축      종", &FarmInfo::축종}};
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
        QLabel* label = entryCaption(QString::fromUtf8(f.caption), 110, frame);
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

    const SaveCancel buttons = layOutWithSaveCancel(this, frame, previous);
    m_save = buttons.save;
    m_cancel = buttons.cancel;
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void FarmInfoWindow::load()
{
    try {
        const std::optional<FarmInfo> f = readFarmInfo();
        if (!f) return;  // no row: the boxes stay empty, a save stores one
        for (const auto& field : kFields) m_texts[QString::fromUtf8(field.name)]->setText((*f).*field.value);
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

FarmInfo FarmInfoWindow::values() const
{
    FarmInfo f;
    for (const auto& field : kFields) f.*field.value = m_texts[QString::fromUtf8(field.name)]->text();
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
