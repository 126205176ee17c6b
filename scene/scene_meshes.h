// Every mesh group the scene builders make from the document and the view, for the program state that holds them.
#pragma once

#include "scene/grid_meshes.h"
#include "scene/overlay_meshes.h"
#include "scene/well_meshes.h"
