// The completeness icons of the data manager, drawn rather than loaded: a green disc with a white tick (present),
// an amber triangle with a dark exclamation mark (partly present) and a red disc with a white cross (missing). Each
// shape has a dark outline and a white inner mark, so it reads on light and dark backgrounds alike at 16 pixels.
#pragma once

#include <QPixmap>

namespace morvane {

enum class StatusIcon { OK, Attention, Error };

// The icon at `size` x `size` device-independent pixels, sharp on high-density screens.
QPixmap statusIcon(StatusIcon icon, int size = 16);

}  // namespace morvane
