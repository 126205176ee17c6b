// The report of morvane-info for a production file: what the production reader understood of it, as the viewer's
// import would apply it to the wells.
#pragma once

#include <string>

#include "tools/info/json_object.h"

namespace morvane::info {

// "separator" ("tab", ";" or ","; null for a file without a line), "decimal" (".", ",", "mixed" or null when no
// volume shows it), "header" (whether the first line was taken as a header), "wells" (per row in file order
// {"name", "oil", "water", "gas"}, volumes not known as null), "refused" (the line that refused the file, as
// {"line", "text", "why"}; [] when read). `read` is whether at least one well's row was read.
JsonObject productionInfoFromText(const std::string& text, bool& read);

// The same for the file at `path`, decoded as the viewer decodes it. Throws std::runtime_error when it cannot be
// read.
JsonObject productionInfo(const std::string& path, bool& read);

}  // namespace morvane::info
