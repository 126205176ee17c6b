// The questions of the commands answered by real dialogs: file choosers, message boxes, the property kinds and
// well columns dialogs.
#pragma once

#include <memory>
#include <string>

#include "core/user_prompts.h"

class QWidget;

namespace morvane {

// The real dialogs, owned by `parent`.
std::unique_ptr<UserPrompts> makeDialogPrompts(QWidget* parent);

// "GRDECL files|*.GRDECL|All files (*.*)|*.*" as a Qt name filter: "GRDECL files (*.GRDECL);;All files (*.*) (*.*)".
std::string qtNameFilter(const std::string& filter);

}  // namespace morvane
