// Interface texts from the localisation table, as the widgets show them.
#pragma once

#include <string>

#include <QString>
#include <QStringList>

#include "commands/model_state.h"
#include "core/localisation.h"

namespace morvane {

// The table holds two-line ribbon captions with "\r\n"; Qt breaks lines at "\n" alone.
inline QString uiText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

// The text of pair `base` in language `lang`, from the program-wide table.
inline QString localUiText(int base, const std::string& lang) { return uiText(localText(base, lang)); }

// The names of the property type codes 1 (lithology) to 9 (continuous) as the type lists show them.
inline QStringList propertyTypeNames(bool english)
{
    if (english)
        return {QStringLiteral("lithology"), QStringLiteral("facies"),       QStringLiteral("NTG"),
                QStringLiteral("porosity"),  QStringLiteral("permeability"), QStringLiteral("water saturation"),
                QStringLiteral("regions"),   QStringLiteral("disc"),         QStringLiteral("cont")};
    return {QStringLiteral("литология"),
            QStringLiteral("фация"),
            QStringLiteral("коллектор/неколлектор"),
            QStringLiteral("пористость"),
            QStringLiteral("проницаемость"),
            QStringLiteral("водонасыщенность"),
            QStringLiteral("регионы"),
            QStringLiteral("дискретное св.-во"),
            QStringLiteral("непрерывное св.-во")};
}

}  // namespace morvane
