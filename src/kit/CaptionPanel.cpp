#include "kit/CaptionPanel.h"

#include "kit/Accessibility.h"
#include "kit/Styles.h"

#include <QLabel>

QLabel* captionPanel(const QString& caption, const CaptionLook& look, QWidget* parent)
{
    auto* l = new QLabel(caption, parent);
    l->setFrameStyle(styles::kCaptionFrame);
    l->setAlignment(Qt::AlignCenter);
    if (look.wrap) l->setWordWrap(true);
    if (look.width > 0) l->setFixedWidth(look.width);
    if (look.height > 0) l->setFixedHeight(look.height);
    if (look.minHeight > 0) l->setMinimumHeight(look.minHeight);
    if (look.tinted) l->setStyleSheet(styles::tintedCaption());
    return l;
}

QLabel* captionPanel(const QString& name, const QString& caption, const CaptionLook& look, QWidget* parent)
{
    QLabel* l = captionPanel(caption, look, parent);
    nameControl(l, name, caption);
    return l;
}
