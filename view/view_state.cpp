#include "view/view_state.h"

#include <algorithm>

namespace morvane {

PropertyFilterSetting PropertyFilterSetting::holding(std::vector<int> codes)
{
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    PropertyFilterSetting f;
    f.keep = Keep::Codes;
    f.codes = std::move(codes);
    return f;
}

}  // namespace morvane
