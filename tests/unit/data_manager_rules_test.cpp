// The data manager's rules without its window: type choices, region lists, zones, typed depths, Apply gating, the
// contacts built from the dialog's controls and shown again from the model state, and the command-line contacts.
#include <gtest/gtest.h>

#include "commands/contacts_command.h"
#include "commands/data_manager_rules.h"
#include "scene/grid_geometry.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

// Loaded in this order: PORO (values), LITHO (codes), SAT (values, typed none), REGIONS (codes, discrete).
void loadFourProperties(PropertySet& p)
{
    p.add(makeContinuousProperty("PORO", PropertyKind::Porosity, std::vector<double>(12, 0.2)));
    p.add(makeDiscreteProperty("LITHO", PropertyKind::Lithology, {5, 5, 6, 6, 5, 5, 6, 6, 5, 5, 6, 6}));
    Property sat = makeContinuousProperty("SAT", PropertyKind::Unset, std::vector<double>(12, 0.5));
    sat.kind = PropertyKind::Unset;  // re-typed to none in the data manager
    p.add(std::move(sat));
    p.add(makeDiscreteProperty("REGIONS", PropertyKind::Discrete, {1, 1, 2, 2, 3, 3, 4, 4, 4, 4, 4, 4}));
}

void retype(PropertySet& p, const std::string& name, PropertyKind kind) { p.find(name)->kind = kind; }

// 3 cells per row, 2 rows, 2 layers, with the four properties.
ModelState gridWithProperties()
{
    ModelState s;
    s.document.grid.input = test::gridFromPillars(test::latticePillars(3, 2, 50, 50), test::cornerDepths(3, 2, 2));
    EXPECT_TRUE(buildGrid(s).built());
    loadFourProperties(s.document.properties);
    return s;
}

ContactRequest uniform(const std::string& depth)
{
    ContactRequest r;
    r.checked = true;
    r.depthText = depth;
    return r;
}

TEST(DataManagerTypes, ChoicesFollowHowThePropertyWasLoaded)
{
    PropertySet p;
    loadFourProperties(p);
    const std::vector<LoadedProperty> loaded = loadedProperties(p);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_FALSE(loaded[0].discrete);
    EXPECT_TRUE(loaded[1].discrete);
    EXPECT_FALSE(loaded[2].discrete);
    EXPECT_TRUE(loaded[3].discrete);
    EXPECT_EQ(loaded[2].typeCode, 0);
    EXPECT_EQ(loaded[3].typeCode, 8);

    // Porosity cannot become lithology; lithology can become regions; the empty item is always taken.
    EXPECT_EQ(acceptedTypeChoice(loaded[0].discrete, 4, 1), 4);
    EXPECT_EQ(acceptedTypeChoice(loaded[0].discrete, 4, 5), 5);
    EXPECT_EQ(acceptedTypeChoice(loaded[1].discrete, 1, 7), 7);
    EXPECT_EQ(acceptedTypeChoice(loaded[1].discrete, 1, 9), 1);
    EXPECT_EQ(acceptedTypeChoice(loaded[1].discrete, 1, 0), 0);
    // A property of values typed none stays a property of values: it cannot become regions.
    EXPECT_EQ(acceptedTypeChoice(loaded[2].discrete, 0, 7), 0);
    EXPECT_EQ(acceptedTypeChoice(loaded[2].discrete, 0, 9), 9);
}

TEST(DataManagerTypes, RegionListsHoldTheRegionAndDiscretePropertiesLoadedAsCodes)
{
    PropertySet p;
    loadFourProperties(p);
    std::vector<RegionChoice> regions = regionChoices(loadedProperties(p));
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].name, "REGIONS");
    EXPECT_EQ(regions[0].property, 3);  // its place among the loaded properties

    // Re-typed: lithology as regions joins the list in load order; values typed as discrete never do.
    retype(p, "PORO", PropertyKind::Discrete);
    retype(p, "LITHO", PropertyKind::Regions);
    retype(p, "SAT", PropertyKind::Discrete);
    regions = regionChoices(loadedProperties(p));
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0].name, "LITHO");
    EXPECT_EQ(regions[1].name, "REGIONS");
    EXPECT_EQ(regionCodes(p, "REGIONS"), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(regionCodes(p, "LITHO"), (std::vector<int>{5, 6}));
    EXPECT_TRUE(regionCodes(p, "PORO").empty());  // values, whatever their type
    EXPECT_TRUE(regionCodes(p, "GONE").empty());
}

TEST(DataManagerZones, StartsOneFiveNineOnTwelveLayers)
{
    std::vector<ZoneRow> zones{{"Zone 1", 1, 4}, {"Zone 2", 5, 8}, {"Zone 3", 9, 12}};
    EXPECT_EQ(zoneCheckFailures(zones), 0);
    ASSERT_TRUE(zonesPass(zones));
    Zones z;
    storeZones(zones, z);
    ASSERT_EQ(z.items.size(), 3u);
    EXPECT_EQ(z.items[1].name, "Zone 2");
    EXPECT_EQ(z.items[0].firstLayer, 1);
    EXPECT_EQ(z.items[1].firstLayer, 5);
    EXPECT_EQ(z.items[2].firstLayer, 9);

    zones[1].end = 6;  // zone 3 still starts at 9
    EXPECT_EQ(zoneCheckFailures(zones), 1);
    EXPECT_FALSE(zonesPass(zones));
    zones[1].end = 8;
    zones[2].start = 0;  // nothing chosen
    EXPECT_FALSE(zonesPass(zones));
    EXPECT_FALSE(zonesPass({{"Zone 1", 1, 12}}));                  // one zone is never stored
    EXPECT_EQ(zoneCheckFailures({{"A", 6, 5}, {"B", 6, 12}}), 1);  // ends above its start
}

// One convention everywhere: metres below datum, positive down, either decimal separator. Zero (also "-0"), a
// depth above datum, one deeper than any reservoir and anything not a number are refused, each saying why; an empty
// code row is a code without a contact.
TEST(DataManagerDepths, PositiveDownAndEverySlipRefusedWithItsReason)
{
    EXPECT_EQ(readContactDepth("1520,5"), 1520.5);
    EXPECT_EQ(readContactDepth("1520.5"), 1520.5);
    for (const char* text : {"0", "-0", "0.0", "", "abc", "1520,5m", "1.2.3", "-1520.5", "1e300", "inf", "nan"})
        EXPECT_FALSE(readContactDepth(text)) << text;
    EXPECT_EQ(contactDepthProblem("-2010", "OWC", "en"),
              "The OWC depth \"-2010\" lies above datum: depths are in metres below datum, positive down (2010).");
    EXPECT_EQ(contactDepthProblem("1e300", "ГНК", "ru"), "Глубина ГНК «1e300» глубже любой залежи (более 20 000 м).");
    EXPECT_EQ(contactDepthProblem("-0", "OWC", "en"), "The OWC depth \"-0\" is not a number (or is 0).");
    EXPECT_EQ(contactDepthProblem("2010", "OWC", "en"), "");
    EXPECT_TRUE(readCodeRowDepth(" ").readable);
    EXPECT_FALSE(readCodeRowDepth(" ").depth);
    EXPECT_EQ(readCodeRowDepth("1600,5").depth, 1600.5);
    EXPECT_FALSE(readCodeRowDepth("-1600").readable);
}

TEST(DataManagerApply, EnabledOnlyForAChangeWithReadableRowsAndFittingZones)
{
    EXPECT_FALSE(applyEnabled({false, true, 0, 0}));
    EXPECT_TRUE(applyEnabled({true, true, 0, 0}));
    EXPECT_TRUE(applyEnabled({true, true, 1, 0}));
    EXPECT_FALSE(applyEnabled({true, false, 0, 0}));  // a pink code row
    EXPECT_FALSE(applyEnabled({true, true, 3, 1}));   // zones that do not fit
}

TEST(DataManagerContacts, UniformDepthsBuildOrAreRefusedKeepingTheStoredContact)
{
    ModelState s = gridWithProperties();
    SilentFeedback quiet;
    EXPECT_EQ(changeContact(s, ContactKind::OWC, uniform("1520,5"), {}, quiet), ContactOutcome::Built);
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5205f);
    const Vertices built = s.OWC_k;

    for (const char* text : {"0", "abc", "-1520,5"}) {
        EXPECT_EQ(changeContact(s, ContactKind::OWC, uniform(text), {}, quiet), ContactOutcome::DepthRefused);
        const auto message = contactRefusal(ContactKind::OWC, ContactOutcome::DepthRefused, uniform(text), "en");
        ASSERT_TRUE(message);
        EXPECT_NE(message->text.find(std::string("\"") + text + "\""), std::string::npos) << message->text;
    }
    EXPECT_TRUE(s.document.contacts.owc.set);
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5205f);
    EXPECT_EQ(s.OWC_k, built);
    EXPECT_EQ(storedContactControls(s, ContactKind::OWC, {}).depthText, "1520.5");

    // The model spans 1000 to 1020 m: a contact below it is set as typed and said; one inside it is not. A GOC at
    // or below the OWC applied with it is refused, the stored GOC kept.
    test::FeedbackRecorder feedback;
    ContactsOutcome both = changeContacts(s, nullptr, uniform("1520,5"), uniform("1600"), {}, feedback);
    EXPECT_EQ(both.owc, ContactOutcome::Built);
    EXPECT_EQ(both.goc, ContactOutcome::BelowOwc);
    EXPECT_FALSE(s.document.contacts.goc.set);
    ASSERT_EQ(feedback.log.size(), 1u);
    EXPECT_EQ(feedback.log[0],
              (test::FeedbackRecorder::LogLine{"The OWC at 1520.5 m lies outside the model's depths (1000.0 "
                                               "to 1020.0 m below datum); it is set as typed",
                                               log_colour::Orange}));
    feedback.log.clear();
    both = changeContacts(s, nullptr, uniform("1015"), uniform("1005"), {}, feedback);
    EXPECT_EQ(both.goc, ContactOutcome::Built);
    EXPECT_FLOAT_EQ(s.document.contacts.goc.level, -1.005f);
    EXPECT_TRUE(feedback.log.empty());
    both = changeContacts(s, nullptr, uniform("1520,5"), uniform("1600"), {}, feedback);
    EXPECT_FLOAT_EQ(s.document.contacts.goc.level, -1.005f);
    const Vertices kept = s.OWC_k;

    // Unchecked: no longer set, the arrays stay; the GOC is untouched.
    ContactRequest off = uniform("1500");
    off.checked = false;
    EXPECT_EQ(changeContact(s, ContactKind::OWC, off, {}, quiet), ContactOutcome::Off);
    EXPECT_FALSE(s.document.contacts.owc.set);
    EXPECT_EQ(s.OWC_k, kept);
    EXPECT_TRUE(s.document.contacts.goc.set);
}

TEST(DataManagerContacts, RegionalContactReadsTheChosenPropertyAndIsShownAgainByCode)
{
    ModelState s = gridWithProperties();
    retype(s.document.properties, "LITHO", PropertyKind::Regions);  // the list is LITHO, REGIONS
    const std::vector<RegionChoice> regions = regionChoices(loadedProperties(s.document.properties));
    ASSERT_EQ(regions.size(), 2u);
    SilentFeedback quiet;

    ContactRequest r;
    r.checked = true;
    r.uniform = false;
    EXPECT_EQ(changeContact(s, ContactKind::GOC, r, regions, quiet), ContactOutcome::NoRegion);
    EXPECT_FALSE(s.document.contacts.goc.set);

    r.regionSelected = 1;  // REGIONS: top-layer codes 1 1 2 / 2 3 3
    r.rows = {{"1", "1500"}, {"2", ""}, {"3", "1600,5"}, {"4", "1700"}};
    EXPECT_EQ(changeContact(s, ContactKind::GOC, r, regions, quiet), ContactOutcome::Built);
    EXPECT_EQ(test::levelsShown(s.GOC_z_ij),
              (std::vector<std::vector<float>>{{-1.5f, -1.5f, 99}, {99, -1.6005f, -1.6005f}}));
    EXPECT_EQ(s.document.contacts.goc.regionProperty, "REGIONS");
    EXPECT_EQ(s.document.contacts.goc.rowCount, 4);

    // Shown again: the stored region, a row per code, each with the depth of its own code.
    const ContactRequest shown = storedContactControls(s, ContactKind::GOC, regions);
    EXPECT_TRUE(shown.checked);
    EXPECT_FALSE(shown.uniform);
    EXPECT_EQ(shown.regionSelected, 1);
    ASSERT_EQ(shown.rows.size(), 4u);
    EXPECT_EQ(shown.rows[1].code, "2");
    EXPECT_EQ(shown.rows[1].depth, "");
    EXPECT_EQ(shown.rows[2].depth, "1600.5");
    EXPECT_EQ(shown.rows[3].depth, "1700");
    // A stored region entry the list no longer has shows no rows.
    EXPECT_TRUE(storedContactControls(s, ContactKind::GOC, {regions[0]}).rows.empty());
}

TEST(DataManagerContacts, CommandLineContactIsBuiltBelowDatumUploadedAndShown)
{
    ModelState s = gridWithProperties();
    SilentFeedback quiet;
    test::RecordedSceneOperations view(quiet);
    ASSERT_TRUE(showUniformContact(s, view, ContactKind::OWC, 2030.25, quiet));
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -2.03025f);
    EXPECT_TRUE(s.document.contacts.owc.set && s.view.contacts.owc);
    EXPECT_FALSE(s.view.contacts.goc);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"uploadContacts @0"}));

    ModelState noGrid;
    EXPECT_FALSE(showUniformContact(noGrid, view, ContactKind::GOC, 1500, quiet));
    EXPECT_FALSE(noGrid.document.contacts.goc.set || noGrid.view.contacts.goc);

    // By region, over a property of codes whatever its type: REGIONS' top-layer codes 1 1 2 / 2 3 3, code 2 without
    // a depth. A name that is no property of codes changes nothing.
    EXPECT_FALSE(showRegionalContact(s, view, ContactKind::GOC, "PORO", {{1, 1500}}, quiet));
    EXPECT_FALSE(showRegionalContact(s, view, ContactKind::GOC, "NOSUCH", {{1, 1500}}, quiet));
    EXPECT_FALSE(s.document.contacts.goc.set || s.view.contacts.goc);
    ASSERT_TRUE(showRegionalContact(s, view, ContactKind::GOC, "REGIONS", {{3, 1600.5}, {1, 1500}}, quiet));
    EXPECT_EQ(test::levelsShown(s.GOC_z_ij),
              (std::vector<std::vector<float>>{{-1.5f, -1.5f, 99}, {99, -1.6005f, -1.6005f}}));
    EXPECT_TRUE(s.document.contacts.goc.set && s.view.contacts.goc);
    EXPECT_FALSE(s.document.contacts.goc.uniform);
    EXPECT_EQ(view.calls.back(), "uploadContacts @0");
}

}  // namespace
}  // namespace morvane
