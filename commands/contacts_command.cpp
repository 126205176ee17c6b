#include "commands/contacts_command.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "core/decimal_text.h"

namespace morvane {

namespace {

// A region code as its row shows it: a whole number.
std::optional<int> readCode(const std::string& text)
{
    const std::optional<double> v = parseDecimalText(text);
    if (!v || *v != std::floor(*v) || *v < INT_MIN || *v > INT_MAX) return std::nullopt;
    return static_cast<int>(*v);
}

// What the data manager shows of a stored contact.
struct StoredContact {
    bool set;
    bool is_uniform;
    float uniform;
    int region_selected;
    const std::vector<float>& code_z;
    const std::vector<float>& z;
};

StoredContact storedContact(const Contacts& c, ContactKind kind)
{
    if (kind == ContactKind::OWC)
        return {c.OWC_set, c.is_uniform_OWC, c.uniform_OWC, c.OWC_region_selected, c.owc_code_z, c.OWC_z};
    return {c.GOC_set, c.is_uniform_GOC, c.uniform_GOC, c.GOC_region_selected, c.goc_code_z, c.GOC_z};
}

void deliver(const ContactReport& report, Feedback& feedback)
{
    for (const std::string& line : report.trace) feedback.trace(line);
}

ContactOutcome outcomeOf(ContactBuild build)
{
    switch (build) {
    case ContactBuild::Built:
        return ContactOutcome::Built;
    case ContactBuild::NoGrid:
        return ContactOutcome::NoGrid;
    case ContactBuild::RegionUnusable:
        return ContactOutcome::RegionUnusable;
    }
    return ContactOutcome::NoGrid;
}

}  // namespace

ContactOutcome changeContact(ModelState& s, ContactKind kind, const ContactRequest& request,
                             const std::vector<RegionChoice>& regions, Feedback& feedback)
{
    ContactFields f = contactFields(s, kind);
    if (!request.checked) {
        f.set = false;
        return ContactOutcome::Off;
    }
    if (request.uniform) {
        const std::optional<double> depth = readUniformDepth(request.depthText);
        if (!depth) return ContactOutcome::DepthRefused;
        const ContactReport report = buildUniformContact(kind, *depth, s.document.grid, s);
        deliver(report, feedback);
        return outcomeOf(report.outcome);
    }
    if (request.regionSelected < 0 || static_cast<std::size_t>(request.regionSelected) >= regions.size())
        return ContactOutcome::NoRegion;
    std::vector<RegionCodeDepth> rows;
    rows.reserve(request.rows.size());
    for (const CodeRowText& row : request.rows) {
        const std::optional<int> code = readCode(row.code);
        if (!code) continue;
        rows.push_back({*code, readDepth(row.depth)});
    }
    const RegionChoice& region = regions[static_cast<std::size_t>(request.regionSelected)];
    const Property* codes = s.document.properties.find(region.name);
    const ContactReport report = buildRegionalContact(kind, codes && codes->discrete ? codes->codes : std::vector<int>{},
                                                      rows, s.document.grid, s);
    deliver(report, feedback);
    if (report.outcome == ContactBuild::Built) {
        f.region_selected = request.regionSelected;
        f.last_code_size = static_cast<int>(request.rows.size());
    }
    return outcomeOf(report.outcome);
}

ContactsOutcome changeContacts(ModelState& s, SceneOperations* view, const ContactRequest& owc,
                               const ContactRequest& goc, const std::vector<RegionChoice>& regions, Feedback& feedback)
{
    ContactsOutcome out;
    out.owc = changeContact(s, ContactKind::OWC, owc, regions, feedback);
    out.goc = changeContact(s, ContactKind::GOC, goc, regions, feedback);
    if (view) view->bindContacts();
    return out;
}

std::optional<ContactMessage> contactRefusal(ContactKind kind, ContactOutcome outcome, const ContactRequest& request,
                                             const std::string& lang)
{
    const bool ru = lang == "ru";
    const std::string name = ru ? (kind == ContactKind::OWC ? "ВНК" : "ГНК") : contactName(kind);
    const std::string kept = ru ? " Контакт оставлен прежним." : " The contact is kept as it was.";
    ContactMessage m;
    m.caption = ru ? "Задать контакты" : "Make contacts";
    switch (outcome) {
    case ContactOutcome::Off:
    case ContactOutcome::Built:
        return std::nullopt;
    case ContactOutcome::DepthRefused:
        m.text = ru ? "Глубина " + name + " «" + request.depthText + "» не является числом (или равна 0)." + kept
                    : "The " + name + " depth \"" + request.depthText + "\" is not a number (or is 0)." + kept;
        break;
    case ContactOutcome::NoRegion:
        m.text = ru ? "Выберите куб регионов для " + name + "." + kept
                    : "Choose the region property of the " + name + "." + kept;
        break;
    case ContactOutcome::NoGrid:
        m.text = ru ? "Нет грида для " + name + ". Пожалуйста, загрузите сначала грид."
                    : "There is no grid to put the " + name + " on. Please, load grid first.";
        break;
    case ContactOutcome::RegionUnusable:
        m.text = ru ? "Куб регионов " + name + " не соответствует загруженному гриду." + kept
                    : "The region property of the " + name + " does not match the loaded grid." + kept;
        break;
    }
    return m;
}

std::string depthText(float level)
{
    const float metres = level * static_cast<float>(kCoordScale);
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, metres).ptr;
    return std::string(digits, end);
}

ContactRequest storedContactControls(const ModelState& s, ContactKind kind, const std::vector<RegionChoice>& regions)
{
    const StoredContact f = storedContact(s, kind);
    ContactRequest r;
    r.checked = f.set;
    r.uniform = f.is_uniform;
    if (f.set && f.is_uniform) r.depthText = depthText(f.uniform);
    if (f.is_uniform || f.region_selected < 0 || static_cast<std::size_t>(f.region_selected) >= regions.size())
        return r;
    r.regionSelected = f.region_selected;
    const RegionChoice& region = regions[static_cast<std::size_t>(f.region_selected)];
    for (const int code : regionCodes(s.document.properties, region.name)) {
        CodeRowText row{std::to_string(code), {}};
        // Depths are stored only for the codes that had one, so they are matched by code, not by row.
        for (std::size_t n = 0; n < f.code_z.size() && n < f.z.size(); ++n)
            if (f.code_z[n] == static_cast<float>(code)) row.depth = depthText(f.z[n]);
        r.rows.push_back(std::move(row));
    }
    return r;
}

namespace {

// A contact just built from the command line: uploaded and switched on for display.
bool uploadAndShow(const ContactReport& report, ModelState& s, SceneOperations& view, ContactKind kind,
                   Feedback& feedback)
{
    deliver(report, feedback);
    if (report.outcome != ContactBuild::Built) return false;
    view.bindContacts();
    contactFields(s, kind).display = true;
    return true;
}

}  // namespace

bool showUniformContact(ModelState& s, SceneOperations& view, ContactKind kind, double depthDown, Feedback& feedback)
{
    if (depthDown == 0 || !std::isfinite(depthDown)) return false;
    return uploadAndShow(buildUniformContact(kind, -depthDown, s.document.grid, s), s, view, kind, feedback);
}

bool showRegionalContact(ModelState& s, SceneOperations& view, ContactKind kind, const std::string& property,
                         const std::vector<std::pair<int, double>>& depthsDown, Feedback& feedback)
{
    const Property* region = s.document.properties.find(property);
    if (!region || !region->discrete) return false;
    std::vector<RegionCodeDepth> rows;
    for (const auto& [code, depthDown] : depthsDown) rows.push_back({code, -depthDown});
    return uploadAndShow(buildRegionalContact(kind, region->codes, rows, s.document.grid, s), s, view, kind, feedback);
}

}  // namespace morvane
