#include "support/AccessibilityCheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

QStringList controlsHeardByControlName(QWidget* root)
{
    // Control ids: camel case, an underscore, an index or a trailing digit ("cmdSave", "Option1",
    // "Com_Function(0)", "SS1"); a plain Latin caption such as "BCS" is fine.
    static const QRegularExpression controlId(
        QStringLiteral("^(?=[A-Za-z_][A-Za-z0-9_]*(\\(\\d+\\))?$)(?=.*([a-z][A-Z]|_|\\(|\\d$)).*$"));
    QStringList bad;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w) ||
                             qobject_cast<QTabBar*>(w);
        if (!control || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        // Parts Qt builds inside a control (the line edit of a date picker, a header view) are
        // announced through their control.
        if (w->parentWidget() &&
            (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) || qobject_cast<QComboBox*>(w->parentWidget()) ||
             qobject_cast<QAbstractItemView*>(w->parentWidget())))
            continue;
        const QString heard = w->accessibleName();
        // A Korean control name is the caption's own words (the box for 산차 is 산차), so hearing
        // it is right; a Latin control id ("cmdSave", "Com_Function(0)") never is.
        if (heard.isEmpty() || controlId.match(heard).hasMatch() || w->accessibleDescription() != w->objectName())
            bad << QStringLiteral("%1 (heard as \"%2\")").arg(w->objectName(), heard);
    }
    return bad;
}
