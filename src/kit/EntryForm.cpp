#include "kit/EntryForm.h"

#include "kit/WindowUtil.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QLabel* entryCaption(const QString& text, int width, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedWidth(width);
    l->setMinimumHeight(26);
    return l;
}

SaveCancel layOutWithSaveCancel(QWidget* window, QFrame* frame, QWidget* last)
{
    SaveCancel b;
    b.save = dialogButton(QStringLiteral("cmdSave"), QStringLiteral("저 장"), window);
    b.cancel = dialogButton(QStringLiteral("cmdCancel"), QStringLiteral("취 소"), window);
    b.cancel->setToolTip(QStringLiteral("창을 닫습니다"));
    if (last) QWidget::setTabOrder(last, b.save);
    QWidget::setTabOrder(b.save, b.cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(b.save);
    buttons->addWidget(b.cancel);
    auto* all = new QVBoxLayout(window);
    all->addWidget(frame);
    all->addLayout(buttons);
    return b;
}
