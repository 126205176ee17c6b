// Small widgets the main window's panels and command row share: the bold caption over a side panel and the small
// checkable text buttons (the view buttons of the command row, the contact toggles under the model tree).
#pragma once

#include <QLabel>
#include <QToolButton>

namespace morvane {

inline QLabel* panelCaption(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("font-weight: bold; padding: 2px;"));
    return label;
}

inline QToolButton* toggleButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedSize(64, 26);
    return button;
}

}  // namespace morvane
