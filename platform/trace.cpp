#include "platform/trace.h"

Q_LOGGING_CATEGORY(morvaneTrace, "morvane.trace", QtWarningMsg)

namespace morvane {

void trace(const std::string& line) { qCDebug(morvaneTrace).noquote() << QString::fromStdString(line); }

}  // namespace morvane
