// Interface texts from the localisation table, as the widgets show them.
#pragma once

#include <string>

#include <QString>

#include "core/localisation.h"
#include "core/model_state.h"

namespace morvane {

// The table holds two-line ribbon captions with "\r\n"; Qt breaks lines at "\n" alone.
inline QString uiText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

// The text of pair `base` in language `lang`, from the program-wide table.
inline QString localUiText(int base, const std::string& lang)
{
    return uiText(localText(modelState().locals, base, lang));
}

}  // namespace morvane
