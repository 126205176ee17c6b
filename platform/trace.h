// The trace channel: one diagnostic line per event, off unless switched on with
// QT_LOGGING_RULES="morvane.trace=true".
#pragma once

#include <string>

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(morvaneTrace)

namespace morvane {

void trace(const std::string& line);

}  // namespace morvane
