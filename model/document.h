// The document: everything the user loaded or typed, each part owned here once. Readers fill values that commands
// put into it; the scene is built from it and never writes back.
#pragma once

#include "model/contacts.h"
#include "model/grid.h"
#include "model/production.h"
#include "model/property_set.h"
#include "model/wells.h"

namespace morvane {

struct Document {
    Grid grid;
    PropertySet properties;
    WellSet wells;
    Contacts contacts;
    Zones zones;
    Production production;
};

}  // namespace morvane
