#include "kit/SaveCancel.h"

#include "kit/CommandButton.h"

#include <QHBoxLayout>
#include <QPushButton>

SaveCancel::SaveCancel(QWidget* window)
    : save(commandButton(QStringLiteral("cmdSave"), QStringLiteral("저 장"), window)),
      cancel(commandButton(QStringLiteral("cmdCancel"), QStringLiteral("취 소"), window))
{
    cancel->setToolTip(QStringLiteral("창을 닫습니다"));
}

SaveCancel::SaveCancel(QWidget* window, const std::function<void()>& onSave, const std::function<void()>& onCancel)
    : SaveCancel(window)
{
    QObject::connect(save, &QPushButton::clicked, window, onSave);
    QObject::connect(cancel, &QPushButton::clicked, window, onCancel);
}

QHBoxLayout* SaveCancel::row(QWidget* last) const
{
    if (last) QWidget::setTabOrder(last, save);
    QWidget::setTabOrder(save, cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    return buttons;
}
