#include "tools/info/production_info.h"

#include <stdexcept>

#include "io/file_text.h"
#include "io/production_reader.h"
#include "io/text_codec.h"

namespace morvane::info {

namespace {

// A volume in its own shortest form (12.345, not 12.345000267028809), or null when not known.
void addVolume(JsonObject& object, std::string_view key, float volume)
{
    if (volume == -1.0f)
        object.addJson(key, "null");
    else
        object.addFloat(key, volume);
}

}  // namespace

JsonObject productionInfoFromText(const std::string& text, bool& read)
{
    const ProductionFile file = parseProductionText(text);
    JsonObject report;
    switch (file.separator) {
    case '\t':
        report.addString("separator", "tab");
        break;
    case 0:
        report.addJson("separator", "null");
        break;
    default:
        report.addString("separator", std::string(1, file.separator));
    }
    switch (file.decimal) {
    case DecimalMark::Point:
        report.addString("decimal", ".");
        break;
    case DecimalMark::Comma:
        report.addString("decimal", ",");
        break;
    case DecimalMark::Mixed:
        report.addString("decimal", "mixed");
        break;
    case DecimalMark::Unsettled:
        report.addJson("decimal", "null");
    }
    report.addBool("header", file.headerSkipped);
    std::string wells = "[";
    for (const ProductionRow& row : file.rows) {
        JsonObject well;
        well.addString("name", row.name);
        addVolume(well, "oil", row.oil);
        addVolume(well, "water", row.water);
        addVolume(well, "gas", row.gas);
        wells += (wells.size() > 1 ? ", " : "") + well.text();
    }
    report.addJson("wells", wells + "]");
    std::string refused = "[]";
    if (!file.read()) {
        JsonObject line;
        line.addInteger("line", file.errorLine);
        line.addString("text", file.errorText);
        line.addString("why", file.errorWhy);
        refused = "[" + line.text() + "]";
    }
    report.addJson("refused", refused);
    read = !file.rows.empty();
    return report;
}

JsonObject productionInfo(const std::string& path, bool& read)
{
    FileText bytes;
    if (!readWholeFile(path, bytes)) throw std::runtime_error("cannot read " + path);
    return productionInfoFromText(decodeUserText(bytes.view()), read);
}

}  // namespace morvane::info
