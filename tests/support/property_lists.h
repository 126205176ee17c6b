// The document's properties as short lists, for tests that check what an import or a dialog left.
#pragma once

#include <string>
#include <vector>

#include "model/property_set.h"

namespace morvane::testing {

inline std::vector<std::string> propertyNames(const PropertySet& p)
{
    std::vector<std::string> names;
    for (const Property& property : p.items) names.push_back(property.name);
    return names;
}

inline std::vector<int> propertyKinds(const PropertySet& p)
{
    std::vector<int> kinds;
    for (const Property& property : p.items) kinds.push_back(static_cast<int>(property.kind));
    return kinds;
}

}  // namespace morvane::testing
