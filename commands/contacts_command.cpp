#include "commands/contacts_command.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

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

// The codes of the property a regional contact stands on; none for a uniform one or a property that is gone.
const std::vector<int>& regionCodesOf(const ModelState& s, const FluidContact& contact)
{
    static const std::vector<int> none;
    if (contact.uniform) return none;
    const Property* region = s.document.properties.find(contact.regionProperty);
    return region && region->discrete ? region->codes : none;
}

const std::vector<float>& contactColour(const ViewState& v, ContactKind kind)
{
    return kind == ContactKind::OWC ? v.contacts.owcColour : v.contacts.gocColour;
}

// A uniform contact outside the model's depths is kept (the model may be a part of the field), but said.
void noteOutsideModel(const ModelState& s, ContactKind kind, double depthDown, Feedback& feedback)
{
    const GridExtent& e = s.document.grid.extent;
    const double top = -static_cast<double>(e.zMax) * kCoordScale;
    const double bottom = -static_cast<double>(e.zMin) * kCoordScale;
    if (depthDown >= top && depthDown <= bottom) return;
    const auto metres = [](double v) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.1f", v);
        return std::string(digits);
    };
    const bool ru = s.view.language == "ru";
    const std::string name = ru ? (kind == ContactKind::OWC ? "ВНК" : "ГНК") : contactName(kind);
    feedback.appendLog(ru ? name + " на глубине " + metres(depthDown) + " м лежит вне глубин модели (от " +
                                metres(top) + " до " + metres(bottom) + " м ниже уровня отсчёта); задан как введён"
                          : "The " + name + " at " + metres(depthDown) + " m lies outside the model's depths (" +
                                metres(top) + " to " + metres(bottom) + " m below datum); it is set as typed",
                       log_colour::Orange);
}

// The contact drawn and, when it could be, put in the document in place of the one before.
ContactOutcome setContact(ModelState& s, ContactKind kind, FluidContact contact, Feedback& feedback)
{
    const ContactReport report =
        drawContact(kind, contact, regionCodesOf(s, contact), s.document.grid, contactColour(s.view, kind), s);
    deliver(report, feedback);
    if (report.outcome == ContactBuild::Built) {
        s.document.contacts[kind] = std::move(contact);
        ++s.document.contacts.revision;
    }
    return outcomeOf(report.outcome);
}

}  // namespace

ContactOutcome changeContact(ModelState& s, ContactKind kind, const ContactRequest& request,
                             const std::vector<RegionChoice>& regions, Feedback& feedback)
{
    if (!request.checked) {
        s.document.contacts[kind].set = false;
        ++s.document.contacts.revision;
        return ContactOutcome::Off;
    }
    if (request.uniform) {
        const std::optional<double> depth = readContactDepth(request.depthText);
        if (!depth) return ContactOutcome::DepthRefused;
        const ContactOutcome outcome = setContact(s, kind, uniformContact(-*depth), feedback);
        if (outcome == ContactOutcome::Built) noteOutsideModel(s, kind, *depth, feedback);
        return outcome;
    }
    if (request.regionSelected < 0 || static_cast<std::size_t>(request.regionSelected) >= regions.size())
        return ContactOutcome::NoRegion;
    std::vector<RegionCodeDepth> rows;
    rows.reserve(request.rows.size());
    for (const CodeRowText& row : request.rows) {
        const std::optional<int> code = readCode(row.code);
        if (!code) continue;
        const std::optional<double> depth = readCodeRowDepth(row.depth).depth;
        rows.push_back({*code, depth ? std::optional<double>(-*depth) : std::nullopt});
    }
    FluidContact contact = regionalContact(regions[static_cast<std::size_t>(request.regionSelected)].name, rows);
    contact.rowCount = static_cast<int>(request.rows.size());
    return setContact(s, kind, std::move(contact), feedback);
}

ContactsOutcome changeContacts(ModelState& s, SceneOperations* view, const ContactRequest& owc,
                               const ContactRequest& goc, const std::vector<RegionChoice>& regions, Feedback& feedback)
{
    ContactsOutcome out;
    out.owc = changeContact(s, ContactKind::OWC, owc, regions, feedback);
    const auto uniformDepth = [](const ContactRequest& r) {
        return r.checked && r.uniform ? readContactDepth(r.depthText) : std::nullopt;
    };
    const std::optional<double> owcDepth = uniformDepth(owc), gocDepth = uniformDepth(goc);
    if (owcDepth && gocDepth && *gocDepth >= *owcDepth)
        out.goc = ContactOutcome::BelowOwc;
    else
        out.goc = changeContact(s, ContactKind::GOC, goc, regions, feedback);
    if (view) view->uploadContacts();
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
        m.text = contactDepthProblem(request.depthText, name, lang) + kept;
        break;
    case ContactOutcome::BelowOwc:
        m.text = ru ? "ГНК (" + request.depthText + " м) должен лежать выше ВНК: глубина ГНК меньше глубины ВНК." + kept
                    : "The GOC (" + request.depthText + " m) must lie above the OWC: its depth must be less than the " +
                          "OWC's." + kept;
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
    const float metres = level == 0 ? 0.0f : -level * static_cast<float>(kCoordScale);
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, metres).ptr;
    return std::string(digits, end);
}

ContactRequest storedContactControls(const ModelState& s, ContactKind kind, const std::vector<RegionChoice>& regions)
{
    const FluidContact& f = s.document.contacts[kind];
    ContactRequest r;
    r.checked = f.set;
    r.uniform = f.uniform;
    if (f.set && f.uniform) r.depthText = depthText(f.level);
    const auto region =
        std::find_if(regions.begin(), regions.end(), [&](const RegionChoice& c) { return c.name == f.regionProperty; });
    if (f.uniform || region == regions.end()) return r;
    r.regionSelected = static_cast<int>(region - regions.begin());
    for (const int code : regionCodes(s.document.properties, region->name)) {
        CodeRowText row{std::to_string(code), {}};
        // Depths are stored only for the codes that had one, so they are matched by code, not by row.
        for (std::size_t n = 0; n < f.codes.size() && n < f.levels.size(); ++n)
            if (f.codes[n] == static_cast<float>(code)) row.depth = depthText(f.levels[n]);
        r.rows.push_back(std::move(row));
    }
    return r;
}

namespace {

// A contact given on the command line: set, uploaded and switched on for display.
bool setUploadAndShow(ModelState& s, SceneOperations& view, ContactKind kind, FluidContact contact, Feedback& feedback)
{
    if (setContact(s, kind, std::move(contact), feedback) != ContactOutcome::Built) return false;
    view.uploadContacts();
    (kind == ContactKind::OWC ? s.view.contacts.owc : s.view.contacts.goc) = true;
    return true;
}

}  // namespace

bool showUniformContact(ModelState& s, SceneOperations& view, ContactKind kind, double depthDown, Feedback& feedback)
{
    if (!(depthDown > 0) || depthDown > kDeepestContact) return false;
    if (!setUploadAndShow(s, view, kind, uniformContact(-depthDown), feedback)) return false;
    noteOutsideModel(s, kind, depthDown, feedback);
    return true;
}

bool showRegionalContact(ModelState& s, SceneOperations& view, ContactKind kind, const std::string& property,
                         const std::vector<std::pair<int, double>>& depthsDown, Feedback& feedback)
{
    const Property* region = s.document.properties.find(property);
    if (!region || !region->discrete) return false;
    std::vector<RegionCodeDepth> rows;
    for (const auto& [code, depthDown] : depthsDown) rows.push_back({code, -depthDown});
    return setUploadAndShow(s, view, kind, regionalContact(property, rows), feedback);
}

}  // namespace morvane
