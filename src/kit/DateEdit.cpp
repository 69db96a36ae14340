#include "kit/DateEdit.h"

#include "kit/FieldFocus.h"
#include "kit/Messages.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <utility>

using namespace datetyping;

namespace {

// Room for the longest way of writing a date ("2010년 02월 15일", "2010 / 02 / 15."), and a
// little more for the note to quote, no more.
constexpr qsizetype kMaxTyped = 20;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool onlyDigits(const QString& s)
{
    for (const QChar c : s)
        if (!isDigit(c)) return false;
    return !s.isEmpty();
}

}  // namespace

DateEdit::DateEdit(const QDate& date, QWidget* parent) : QDateEdit(date, parent)
{
    lineEdit()->installEventFilter(this);
    // A date set from elsewhere while the farmer types (a record loaded, a date followed) ends
    // the typing: it must not come back over that date.
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (m_ownChange) return;
        m_typing = false;
        m_untold.reset();
    });
}

void DateEdit::takeDate(const QDate& date)
{
    m_ownChange = true;
    setDate(date);
    m_ownChange = false;
}

QString DateEdit::refusalTitle()
{
    return QStringLiteral("날짜 오류");
}

bool DateEdit::inRange(const QDate& date) const
{
    return date >= minimumDate() && date <= maximumDate();
}

void DateEdit::startTyping()
{
    m_typing = true;
    m_untold.reset();
    m_text.clear();
    m_before = date();
    switch (currentSection()) {
    case QDateTimeEdit::YearSection: m_part = DatePart::Year; break;
    case QDateTimeEdit::MonthSection: m_part = DatePart::Month; break;
    case QDateTimeEdit::DaySection: m_part = DatePart::Day; break;
    default: m_part.reset(); break;
    }
}

void DateEdit::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    const QString text = event->text();
    const QChar c = text.size() == 1 ? text.front() : QChar();
    // While a date is typed every printable character belongs to it, so that a refusal quotes
    // what the farmer typed; before, only a digit starts one.
    if (plain && !isReadOnly() && (isDigit(c) || (m_typing && c.isPrint()))) {
        typeCharacter(c);
        event->accept();
        return;
    }
    if (m_typing && plain && event->key() == Qt::Key_Backspace) {
        m_text.chop(1);
        showTyped();
        event->accept();
        return;
    }
    if (m_typing) {
        // Any other key (Enter, an arrow, ...) ends the typing first; a refused text stops it.
        if (const std::optional<QString> note = finishTyping()) {
            refuse(*note);
            event->accept();
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

void DateEdit::typeCharacter(QChar c)
{
    if (!m_typing) startTyping();
    if (m_text.size() < kMaxTyped) m_text += c;
    typed();
}

bool DateEdit::event(QEvent* event)
{
    // The spin box hands what an input method commits straight to its text box, past every
    // handler and filter: taken here first.
    if (event->type() == QEvent::InputMethod && takeInputMethod(static_cast<QInputMethodEvent*>(event))) return true;
    return QDateEdit::event(event);
}

bool DateEdit::takeInputMethod(QInputMethodEvent* event)
{
    // A Korean input method hands over 년 월 일 (and at times the digits) as committed text,
    // never as key presses: read like typed keys, so "2010년2월15일" typed in 한글 mode is a date.
    const QString commit = event->commitString();
    if (isReadOnly() || (!m_typing && (commit.isEmpty() || !isDigit(commit.front())))) return false;
    for (const QChar c : commit)
        if (m_typing ? c.isPrint() : isDigit(c)) typeCharacter(c);
    if (m_typing) {
        // The syllable being composed shows after the text, as in any other box.
        const QSignalBlocker quiet(lineEdit());
        lineEdit()->setText(m_text + event->preeditString());
        lineEdit()->setCursorPosition(int(m_text.size() + event->preeditString().size()));
    }
    event->accept();
    return true;
}

void DateEdit::typed()
{
    const Reading r = readTypedDate(m_text, false);
    if (r.verdict == Verdict::Impossible) {
        const QString note = impossibleDateNote(m_text);
        m_typing = false;
        m_text.clear();
        takeDate(m_before);
        refuse(note);
        return;
    }
    // What the text names so far is taken at once, so that a save pressed right away stores
    // what the field shows: a whole date, or the digits of the part the cursor stood in (2010
    // over the year); else the date from before.
    QDate now = m_before;
    if (r.verdict == Verdict::Date && inRange(r.date)) {
        now = r.date;
    } else if (m_part && onlyDigits(m_text) && m_text.size() <= 4) {
        const Reading part = readTypedPart(m_before, *m_part, m_text);
        if (part.verdict == Verdict::Date && inRange(part.date)) now = part.date;
    }
    if (now != date()) takeDate(now);
    showTyped();
}

void DateEdit::showTyped()
{
    // Unheard by the spin box, which would put its own text back over a text it cannot read.
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(m_text);
    lineEdit()->setCursorPosition(int(m_text.size()));
}

std::optional<QString> DateEdit::finishTyping()
{
    if (!m_typing) return std::nullopt;
    m_typing = false;
    const QString text = m_text.trimmed();
    m_text.clear();
    std::optional<QString> note;
    if (!text.isEmpty()) {
        Reading r = readTypedDate(text, true);
        QString shown = text;
        if (r.verdict != Verdict::Date && m_part && onlyDigits(text) && text.size() <= 4) {
            r = readTypedPart(m_before, *m_part, text);
            shown = typedPartText(m_before, *m_part, text);
        }
        if (r.verdict == Verdict::Date && inRange(r.date)) {
            takeDate(r.date);
            return std::nullopt;
        }
        if (r.verdict == Verdict::Date)
            note = outOfRangeNote(shown, minimumDate(), maximumDate());
        else if (r.verdict == Verdict::Impossible)
            note = impossibleDateNote(shown);
        else
            note = unreadableDateNote(shown);
    }
    // Nothing typed in the end, or a refused text: the date from before, as it was shown.
    takeDate(m_before);
    return note;
}

bool DateEdit::settleTyping()
{
    std::optional<QString> note = finishTyping();
    if (!note) note = std::exchange(m_untold, std::nullopt);
    if (!note) return true;
    refuse(*note);
    return false;
}

void DateEdit::refuse(const QString& note)
{
    m_untold.reset();
    showMessage(this, MsgIcon::Exclamation, refusalTitle(), note, MsgButton::Ok);
    focusRefusedField(this);
    selectAll();
}

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    if (const std::optional<QString> note = finishTyping()) {
        // The farmer moved on from a refused text: told once the focus has settled, and brought
        // back; a save clicked on the way (the click that took the focus) tells it first and
        // stops. A window closing or a popup opening takes the date from before without a word
        // until a command of the window would take the date.
        m_untold = note;
        const Qt::FocusReason why = event->reason();
        if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason || why == Qt::MouseFocusReason ||
            why == Qt::ShortcutFocusReason)
            QTimer::singleShot(0, this, [this] {
                if (m_untold && isVisible() && isEnabled()) refuse(*std::exchange(m_untold, std::nullopt));
            });
    }
    QDateEdit::focusOutEvent(event);
}

void DateEdit::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<QString> note = finishTyping()) {
        refuse(*note);
        event->accept();
        return;
    }
    QDateEdit::mousePressEvent(event);
}

bool DateEdit::eventFilter(QObject* watched, QEvent* event)
{
    // A click into the text ends the typing before it moves the cursor.
    if (watched == lineEdit() && m_typing &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        if (const std::optional<QString> note = finishTyping()) {
            refuse(*note);
            return true;
        }
    }
    return QDateEdit::eventFilter(watched, event);
}

bool DateEdit::focusNextPrevChild(bool next)
{
    // Tab after a typed date leaves the field instead of walking its parts; a refused one stays.
    if (!m_typing) return QDateEdit::focusNextPrevChild(next);
    if (const std::optional<QString> note = finishTyping()) {
        refuse(*note);
        return true;
    }
    return QAbstractSpinBox::focusNextPrevChild(next);
}

void DateEdit::stepBy(int steps)
{
    if (const std::optional<QString> note = finishTyping()) {
        refuse(*note);
        return;
    }
    QDateEdit::stepBy(steps);
}

QValidator::State DateEdit::validate(QString& input, int& pos) const
{
    // The typed text is ours to judge while the typing lasts.
    if (m_typing) return QValidator::Intermediate;
    return QDateEdit::validate(input, pos);
}

bool typedDatesTaken(QWidget* window)
{
    if (!window) return true;
    for (DateEdit* d : window->findChildren<DateEdit*>())
        if (!d->settleTyping()) return false;
    return true;
}
