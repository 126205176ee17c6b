// Building the fluid contacts from what the user set in the data manager (or on the command line), and the
// controls that show a stored contact again.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/data_manager_rules.h"
#include "commands/model_state.h"
#include "core/feedback.h"
#include "scene/fluid_contacts.h"
#include "scene/scene_operations.h"

namespace morvane {

// One code row of a regional contact as typed: the code shown and the depth in metres.
struct CodeRowText {
    std::string code;
    std::string depth;
};

// What the data manager's controls say about one contact.
struct ContactRequest {
    bool checked = false;
    bool uniform = true;
    std::string depthText = "0";  // the uniform depth, metres below datum, positive down
    int regionSelected = -1;      // entry of the region list; -1 none
    std::vector<CodeRowText> rows;
};

enum class ContactOutcome {
    Off,             // the contact's box is unchecked: the contact is no longer set
    Built,           // the surface was rebuilt
    DepthRefused,    // the uniform depth is no contact depth (readContactDepth): the stored contact is kept
    BelowOwc,        // a uniform GOC not above the uniform OWC applied with it: the stored GOC is kept
    NoRegion,        // regional without a region property chosen: the stored contact is kept
    NoGrid,          // no grid to put a surface on: the stored contact is kept
    RegionUnusable,  // the region property does not match the grid: the stored contact is kept
};

// One contact from its request (changeContacts for the OWC or the GOC). A refused request changes nothing in the
// model state; a regional one also stores the chosen region entry and the number of code rows. A uniform contact
// outside the model's depths is set as typed, with an orange log line naming the model's depth range.
ContactOutcome changeContact(ModelState& s, ContactKind kind, const ContactRequest& request,
                             const std::vector<RegionChoice>& regions, Feedback& feedback);

struct ContactsOutcome {
    ContactOutcome owc = ContactOutcome::Off;
    ContactOutcome goc = ContactOutcome::Off;
};

// Both contacts, then both surfaces uploaded (`view` may be null: nothing uploaded). A uniform GOC at or below the
// uniform OWC requested with it is refused (BelowOwc): gas lies above oil.
ContactsOutcome changeContacts(ModelState& s, SceneOperations* view, const ContactRequest& owc,
                               const ContactRequest& goc, const std::vector<RegionChoice>& regions, Feedback& feedback);

// The message box that tells why a contact was refused (text, caption), in `lang`; none for Off and Built.
struct ContactMessage {
    std::string text;
    std::string caption;
};
std::optional<ContactMessage> contactRefusal(ContactKind kind, ContactOutcome outcome, const ContactRequest& request,
                                             const std::string& lang);

// A depth in metres below datum (positive down) from a level in model units, as the data manager shows it.
std::string depthText(float level);

// The controls of the stored contact: checked when set; the uniform depth; or the region entry with one row per
// code of its property, each showing the depth stored for that code (empty when none).
ContactRequest storedContactControls(const ModelState& s, ContactKind kind, const std::vector<RegionChoice>& regions);

// A uniform contact at `depthDown` metres below datum (positive down), built, uploaded and switched on for display.
// False, with nothing changed, when no grid can carry it or the depth is no contact depth (readContactDepth).
bool showUniformContact(ModelState& s, SceneOperations& view, ContactKind kind, double depthDown, Feedback& feedback);

// A contact by region over the loaded property of codes called `property`: each column of cells at the depth given
// for its code (metres below datum, positive down), built from the top layer's codes as the data manager builds it,
// uploaded and switched on for display; codes without a depth get no surface. False, with nothing changed, when no
// property of codes has that name or it does not fit the grid.
bool showRegionalContact(ModelState& s, SceneOperations& view, ContactKind kind, const std::string& property,
                         const std::vector<std::pair<int, double>>& depthsDown, Feedback& feedback);

}  // namespace morvane
