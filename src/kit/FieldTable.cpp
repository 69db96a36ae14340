#include "kit/FieldTable.h"

#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kCaptionMinHeightPx = 26;
}  // namespace

FieldTable::FieldTable(QWidget* window, const QString& frameName, int captionWidth)
    : m_window(window), m_frame(new QFrame(window)), m_grid(new QGridLayout(m_frame)), m_captionWidth(captionWidth)
{
    m_frame->setObjectName(frameName);
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(6);
}

QLabel* FieldTable::addCaption(const QString& caption)
{
    m_caption = captionPanel(caption, {.width = m_captionWidth, .minHeight = kCaptionMinHeightPx}, m_frame);
    m_grid->addWidget(m_caption, ++m_row, 0);
    return m_caption;
}

void FieldTable::addInput(const QString& name, QWidget* input, QLayout* cell)
{
    nameInput(input, name, m_caption);
    if (cell)
        m_grid->addLayout(cell, m_row, 1);
    else
        m_grid->addWidget(input, m_row, 1);
    if (m_last) QWidget::setTabOrder(m_last, input);
    m_last = input;
}

QLineEdit* FieldTable::addText(const QString& name, const QString& caption, const QString& hint, int minWidth)
{
    addCaption(caption);
    auto* box = new QLineEdit(m_frame);
    box->setPlaceholderText(hint);
    box->setMinimumWidth(minWidth);
    addInput(name, box);
    return box;
}

SaveCancel FieldTable::finish(const std::function<void()>& onSave, const std::function<void()>& onCancel)
{
    const SaveCancel buttons(m_window, onSave, onCancel);
    auto* all = new QVBoxLayout(m_window);
    all->addWidget(m_frame);
    all->addLayout(buttons.row(m_last));
    return buttons;
}
