#include "books/FarmInfoWindow.h"

#include "books/model/FarmInfoRules.h"
#include "data/Db.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"

#include <QCloseEvent>
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
// Whom the farm calls for help with the program: optional, shown by the database messages.
const struct {
    const char* name;
    const char* caption;
    QString SupportContact::*value;
} kContactFields[] = {{"연락처이름", "지원 연락처", &SupportContact::이름},
                      {"연락처전화", "연락처 전화", &SupportContact::전화번호}};
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
    FieldTable table(this, QStringLiteral("frm농장정보"), 110);
    const auto addBox = [&](const char* name, const char* caption) {
        table.addCaption(QString::fromUtf8(caption));
        auto* box = new QLineEdit(table.frame());
        box->setMinimumWidth(320);
        table.addInput(QString::fromUtf8(name), box);
        m_texts.insert(QString::fromUtf8(name), box);
    };
    for (const auto& f : kFields) addBox(f.name, f.caption);
    for (const auto& f : kContactFields) addBox(f.name, f.caption);

    m_buttons = table.finish([this] { save(); }, [this] { close(); });
}

void FarmInfoWindow::load()
{
    try {
        const SupportContact c = readSupportContact();
        for (const auto& field : kContactFields) m_texts[QString::fromUtf8(field.name)]->setText(c.*field.value);
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

SupportContact FarmInfoWindow::contact() const
{
    SupportContact c;
    for (const auto& field : kContactFields) c.*field.value = m_texts[QString::fromUtf8(field.name)]->text();
    return c;
}

bool FarmInfoWindow::save()
{
    const FarmInfo f = values();
    const SupportContact c = contact();
    CheckResult failed = books::checkFarmInfo(f);
    if (!failed) failed = books::checkSupportContact(c);
    if (failed) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        focusRefusedField(m_texts.value(failed->field));
        return false;
    }
    if (showMessage(this, MsgIcon::Question, QStringLiteral("수정"), QStringLiteral("농장정보을 수정하시겠습니까?"),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;
    try {
        storeFarmInfo(f, c);
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
