#include "tools/info/well_info.h"

#include <stdexcept>

#include "io/file_text.h"
#include "io/text_codec.h"
#include "io/well_reader.h"

namespace morvane::info {

JsonObject wellInfoFromText(const std::string& text, bool& loadable)
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
    report.addFloatList("first", file.rows.empty() ? std::vector<float>{} : file.rows.front());
    report.addFloatList("last", file.rows.empty() ? std::vector<float>{} : file.rows.back());
    loadable = !file.foreignLayout && loadWell(file, c, WellConfirmation::Ok).accepted;
    return report;
}

JsonObject wellInfo(const std::string& path, bool& loadable)
{
    FileText bytes;
    if (!readWholeFile(path, bytes)) throw std::runtime_error("cannot read " + path);
    return wellInfoFromText(decodeUserText(bytes.view()), loadable);
}

bool isWellFile(const std::string& path)
{
    std::string head;
    return readFileStart(path, 64 * 1024, head) && looksLikeWellText(decodeUserText(head));
}

}  // namespace morvane::info
