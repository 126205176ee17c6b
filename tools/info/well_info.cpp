#include "tools/info/well_info.h"

#include <filesystem>
#include <stdexcept>

#include "io/file_text.h"
#include "io/text_codec.h"
#include "io/well_reader.h"

namespace morvane::info {

JsonObject wellInfoFromText(const std::string& text, bool& loadable, std::string_view fileName, const GridExtent* grid)
{
    const WellFile file = parseWellFile(text);
    const WellColumns c = preselectedColumns(file.columns);
    JsonObject report;
    report.addString("layout", file.foreignLayout ? "foreign" : "export");
    report.addString("name", file.name);
    report.addStringList("columns", file.columns);
    report.addInteger("rows", static_cast<long long>(file.rows.size()));
    report.addInteger("md", c.md);
    report.addInteger("x", c.x);
    report.addInteger("y", c.y);
    report.addInteger("z", c.z);
    report.addFloatList("first", file.rows.empty() ? std::vector<float>{} : file.rows.front().values);
    report.addFloatList("last", file.rows.empty() ? std::vector<float>{} : file.rows.back().values);

    WellReport loaded = file.foreignLayout ? foreignLayoutReport(std::string(fileName))
                                           : loadWell(file, c, WellConfirmation::Ok, "en", fileName);
    if (loaded.accepted && grid)
        if (auto far = footprintWarning(loaded.name, loaded.trajectory, *grid, "en", fileName))
            loaded.lines.insert(loaded.lines.end() - 1, std::move(*far));
    loadable = loaded.accepted;
    report.addInteger("points", static_cast<long long>(loaded.trajectory.size()));
    std::vector<std::string> messages;
    for (const PropertyReportLine& line : loaded.lines)
        if (line.kind == PropertyReportLine::Kind::Log) messages.push_back(line.text);
    report.addStringList("messages", messages);
    return report;
}

JsonObject wellInfo(const std::string& path, bool& loadable, const GridExtent* grid)
{
    FileText bytes;
    if (!readWholeFile(path, bytes)) throw std::runtime_error("cannot read " + path);
    return wellInfoFromText(decodeUserText(bytes.view()), loadable, std::filesystem::path(path).filename().string(),
                            grid);
}

bool isWellFile(const std::string& path)
{
    std::string head;
    return readFileStart(path, 64 * 1024, head) && looksLikeWellText(decodeUserText(head));
}

}  // namespace morvane::info
