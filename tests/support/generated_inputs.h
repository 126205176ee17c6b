// Small generated inputs that several test groups share: a grid of 3 x 2 x 4 cells, a thick grid in feet, a deviated
// well through the generated grids' depths, and property files for a grid of 4 x 3 x 2 cells with continuous and
// discrete properties.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/generator/model_generator.h"

namespace morvane::testing {

inline gen::GridOptions smallGrid(const std::string& name, gen::GridLayout layout = gen::GridLayout::Direct)
{
    gen::GridOptions o;
    o.name = name;
    o.nx = 3;
    o.ny = 2;
    o.nz = 4;
    o.layout = layout;
    return o;
}

// A grid 2000 ft thick and 6000 ft wide (20 x 15 x 40 cells of 300 ft, layers of 50 ft from 8000 ft, a dome of
// 200 ft): the usual camera placement would fill the view with one corner of it.
inline gen::GridOptions thickGridInFeet()
{
    gen::GridOptions o;
    o.name = "THICK";
    o.nx = 20;
    o.ny = 15;
    o.nz = 40;
    o.cellSize = 300;
    o.layerThickness = 50;
    o.topDepth = 8000;
    o.domeHeight = 200;
    o.feet = true;
    return o;
}

// A deviated well from the head (x, y) in file units: vertical to 1500 m, then building at 3 degrees per 30 m
// towards `azimuth` to 30 degrees and holding to 2300 m, through the depths of the generated test grids.
inline gen::WellOptions deviatedWell(const std::string& name, double x, double y, double azimuth)
{
    gen::WellOptions w;
    w.name = name;
    w.headX = x;
    w.headY = y;
    w.deviated = true;
    w.kickoffDepth = 1500;
    w.buildRate = 3;
    w.maxInclination = 30;
    w.azimuth = azimuth;
    w.totalDepth = 2300;
    return w;
}

namespace generated_properties {

inline constexpr int NX = 4, NY = 3, NZ = 2;

inline gen::PropertyDefinition continuous(const std::string& name, std::uint64_t seed = 11)
{
    gen::PropertyDefinition p;
    p.keyword = "PORO";
    p.name = name;
    p.kind = gen::PropertyKind::Continuous;
    p.minValue = 0.05;
    p.maxValue = 0.32;
    p.seed = seed;
    return p;
}

inline gen::PropertyDefinition discrete(const std::string& name)
{
    gen::PropertyDefinition p;
    p.keyword = "FACIES";
    p.name = name;
    p.kind = gen::PropertyKind::Discrete;
    p.codes = 4;
    p.seed = 23;
    return p;
}

inline std::string propertyText(std::vector<gen::PropertyDefinition> props, int nz = NZ)
{
    gen::PropertyFileOptions o;
    o.nx = NX;
    o.ny = NY;
    o.nz = nz;
    o.properties = std::move(props);
    return gen::propertyFileText(o);
}

}  // namespace generated_properties

}  // namespace morvane::testing
