#pragma once
// The date picker of every window: a QDateEdit that also takes a whole date typed by hand.
// The first digit typed, wherever the cursor stands, starts a fresh text: 20100215,
// 2010-02-15, 2010.2.15, 2010/2/15 or 2010년 2월 15일 (년 월 일 also through an input method)
// become that date as soon as they name one; one or two digits (four for the year) typed over a
// part change only that part. A date that cannot exist (2010-02-30) or a text that is no date is
// refused with a note through the message layer: the picker keeps its date from before the
// typing and the focus, and a command of its window that would take the date stops
// (typedDatesTaken).
#include "kit/model/DateTyping.h"

#include <QDateEdit>
#include <optional>

class DateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateEdit(const QDate& date, QWidget* parent = nullptr);

    // True between the first digit typed and the end of the typing.
    bool isTyping() const { return m_typing; }

    // The title of the note that refuses a typed date.
    static QString refusalTitle();

    // Ends the typing now: false when the text was refused (or a refusal is still to be told),
    // after the note was shown and the focus put back in the field.
    bool settleTyping();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    void startTyping();
    void takeDate(const QDate& date);  // the typing's own change of date
    void typeCharacter(QChar c);
    bool takeInputMethod(QInputMethodEvent* event);  // false: not a date being typed
    void typed();
    void showTyped();
    // Ends the typing: the date typed is kept, or the date from before comes back. The note
    // when the typing was refused.
    std::optional<QString> finishTyping();
    void refuse(const QString& note);
    bool inRange(const QDate& date) const;

    bool m_typing = false;
    bool m_ownChange = false;
    QString m_text;                              // what was typed since the typing began
    std::optional<QString> m_untold;             // a refusal left on the way out, not told yet
    QDate m_before;                              // the date the picker had then
    std::optional<datetyping::DatePart> m_part;  // the part the cursor stood in then
};

// Ends the typing in every date field of `window` before a command (a save, a query) takes their
// dates. False when one was refused: its note was shown and the focus is back in it, and the
// command must stop, so a date the farmer never entered is never stored in its place.
bool typedDatesTaken(QWidget* window);
