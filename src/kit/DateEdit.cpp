#include "kit/DateEdit.h"

#include "kit/FieldFocus.h"
#include "kit/Messages.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

using namespace datetyping;

namespace {

// Room for the longest way of writing a date ("2010 / 02 / 15."), no more.
constexpr qsizetype kMaxTyped = 16;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isSeparator(QChar c)
{
    return c == u'-' || c == u'.' || c == u'/' || c == u' ';
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
        if (!m_ownChange) m_typing = false;
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
    if (plain && !isReadOnly() && (isDigit(c) || (m_typing && isSeparator(c)))) {
        if (!m_typing) startTyping();
        if (m_text.size() < kMaxTyped) m_text += c;
        typed();
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

void DateEdit::typed()
{
    const Reading r = readTypedDate(m_text, false);
    if (r.verdict == Verdict::Impossible) {
        const QString note = impossibleDateNote(m_text);
        m_typing = false;
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

void DateEdit::refuse(const QString& note)
{
    showMessage(this, MsgIcon::Exclamation, refusalTitle(), note, MsgButton::Ok);
    focusRefusedField(this);
    selectAll();
}

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    if (const std::optional<QString> note = finishTyping()) {
        // The farmer moved on from a refused text: told once the focus has settled, and brought
        // back. A window closing or a popup opening takes the date from before without a word.
        const Qt::FocusReason why = event->reason();
        if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason || why == Qt::MouseFocusReason ||
            why == Qt::ShortcutFocusReason)
            QTimer::singleShot(0, this, [this, text = *note] {
                if (isVisible() && isEnabled()) refuse(text);
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
