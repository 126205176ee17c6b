// The bold caption over each of the main window's side panels (wells, model, events log).
#pragma once

#include <QLabel>

namespace morvane {

inline QLabel* panelCaption(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("font-weight: bold; padding: 2px;"));
    return label;
}

}  // namespace morvane
