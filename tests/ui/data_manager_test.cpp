// The data manager through the main window, on a generated 4 x 3 x 12 grid with a porosity, a lithology and an
// untyped discrete property: completeness rows, re-typing and the region lists, the zones, uniform and regional
// contacts, and what Apply keeps against what closing keeps.
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "tests/support/generated_inputs.h"
#include "tests/support/property_lists.h"
#include "tests/support/ui_harness.h"
#include "ui/dialogs/data_manager_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;
using namespace testing::generated_properties;

constexpr int kLayers = 12;

class DataManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        gen::GridOptions g;
        g.name = "FIELD";
        g.nx = NX, g.ny = NY, g.nz = kLayers;
        const auto grid = gen::writeGrid(g, folder.path()).front();
        const std::string props =
            testing::writeText(folder.file("ROCK.GRDECL"),
                               propertyText({continuous("PORO"), discrete("LITHO"), discrete("REG")}, kLayers));
        auto recorded = std::make_unique<RecordedPrompts>(std::vector<std::string>{props});
        recorded->typeAnswers = {std::vector<int>{4, 1, 0}};
        prompts = recorded.get();
        form.setUserPrompts(std::move(recorded));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        ASSERT_EQ(form.importGridFromPath(grid.string()), GridImportOutcome::Loaded);
        form.findChild<QAction*>("importPropertiesItem")->trigger();
        ASSERT_EQ(testing::propertyKinds(testing::state().document.properties), (std::vector<int>{4, 1, 8}));
    }

    // Opens the data manager from its ribbon button, runs `body` on it, and closes it with Exit.
    void withManager(const std::function<void(DataManagerDialog&)>& body)
    {
        EXPECT_TRUE(testing::withModalDialog<DataManagerDialog>(
            [this] { form.findChild<QAction*>("dataManagerCommand")->trigger(); }, body));
    }

    template <typename T>
    static T* child(DataManagerDialog& m, const QString& name)
    {
        return m.findChild<T*>(name);
    }
    static StatusIcon iconOf(QLabel* label) { return StatusIcon(label->property("statusIcon").toInt()); }
    static void type(QLineEdit* box, const QString& text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }
    static QStringList items(QComboBox* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    }

    TempFolder folder;
    MainWindow form{testing::state()};
    RecordedPrompts* prompts = nullptr;
};

TEST_F(DataManagerTest, ShowsCompletenessAndRetypesWithinTheKindOfEachProperty)
{
    withManager([&](DataManagerDialog& m) {
        EXPECT_EQ(m.windowTitle(), "Data manager");
        EXPECT_TRUE(child<QWidget>(m, "wellsPage")->isVisible());
        QTest::mouseClick(child<QPushButton>(m, "modelPageButton"), Qt::LeftButton);
        EXPECT_TRUE(child<QScrollArea>(m, "modelPageArea")->isVisible());
        EXPECT_FALSE(child<QWidget>(m, "wellsPage")->isVisible());
        EXPECT_FALSE(child<QPushButton>(m, "wellsPageButton")->isChecked());
        EXPECT_FALSE(child<QPushButton>(m, "applyButton")->isEnabled());

        EXPECT_EQ(iconOf(child<QLabel>(m, "gridIcon")), StatusIcon::OK);        // grid
        EXPECT_EQ(iconOf(child<QLabel>(m, "propertiesIcon")), StatusIcon::OK);  // properties
        EXPECT_EQ(iconOf(child<QLabel>(m, "zonesIcon")), StatusIcon::Error);
        EXPECT_EQ(child<QFrame>(m, "contactsRow")->toolTip(), "No fluid contacts made: use the form below");
        EXPECT_TRUE(child<QFrame>(m, "gridRow")->toolTip().isEmpty());
        m.updateLang("ru");  // a missing row's tip follows the language; a complete row keeps none
        EXPECT_EQ(child<QFrame>(m, "contactsRow")->toolTip(), "Флюидальные контакты не заданы, используйте форму ниже");
        EXPECT_TRUE(child<QFrame>(m, "gridRow")->toolTip().isEmpty());
        m.updateLang("en");
        EXPECT_EQ(iconOf(child<QLabel>(m, "modelSummaryIcon")), StatusIcon::Attention);
        EXPECT_EQ(child<QLabel>(m, "minZ")->text(),
                  QString::number(double(testing::state().document.grid.extent.zMin * 1000)));
        EXPECT_TRUE(child<QPushButton>(m, "addZoneButton")->isEnabled());

        QComboBox* poro = child<QComboBox>(m, "typeList0");
        QComboBox* litho = child<QComboBox>(m, "typeList1");
        EXPECT_EQ(poro->count(), 10);
        EXPECT_EQ(poro->currentIndex(), 4);
        EXPECT_EQ(child<QComboBox>(m, "typeList2")->currentIndex(), 8);
        poro->setCurrentIndex(1);  // porosity is no lithology
        EXPECT_EQ(poro->currentIndex(), 4);
        EXPECT_TRUE(child<QPushButton>(m, "applyButton")->isEnabled());
        litho->setCurrentIndex(7);  // lithology may become regions
        EXPECT_EQ(litho->currentIndex(), 7);
        EXPECT_EQ(items(child<QComboBox>(m, "owcRegionList")), QStringList{"REG"});
        child<QPushButton>(m, "applyButton")->click();
        EXPECT_FALSE(child<QPushButton>(m, "applyButton")->isEnabled());
    });
    ModelState& s = testing::state();
    EXPECT_EQ(testing::propertyKinds(s.document.properties), (std::vector<int>{4, 7, 8}));
    QTreeWidgetItem* root = form.findChild<QTreeWidget*>("modelTree")->topLevelItem(0);
    EXPECT_EQ(root->child(1)->data(0, Qt::UserRole + 1).toInt(), 7);

    // The next time the lithology is a region property too, in load order.
    withManager([&](DataManagerDialog& m) {
        EXPECT_EQ(items(child<QComboBox>(m, "owcRegionList")), (QStringList{"LITHO", "REG"}));
        EXPECT_EQ(items(child<QComboBox>(m, "gocRegionList")), (QStringList{"LITHO", "REG"}));
    });
}

TEST_F(DataManagerTest, ZonesStartingAtOneFiveNineAreCheckedStoredAndShownAgain)
{
    withManager([&](DataManagerDialog& m) {
        for (int n = 0; n < 3; ++n) child<QPushButton>(m, "addZoneButton")->click();
        EXPECT_EQ(m.zoneCount(), 3);
        EXPECT_EQ(child<QPushButton>(m, "addZoneButton")->pos(), QPoint(7, 30 * 2 + 77));
        EXPECT_EQ(child<QLineEdit>(m, "zoneName3")->text(), "Zone 3");
        EXPECT_FALSE(child<QComboBox>(m, "zoneStart1")->isEnabled());
        EXPECT_FALSE(child<QComboBox>(m, "zoneEnd3")->isEnabled());
        EXPECT_EQ(child<QComboBox>(m, "zoneEnd3")->currentText(), "12");
        EXPECT_FALSE(child<QPushButton>(m, "applyButton")->isEnabled());  // starts and ends still to choose

        child<QComboBox>(m, "zoneEnd1")->setCurrentText("4");
        child<QComboBox>(m, "zoneStart2")->setCurrentText("5");
        child<QComboBox>(m, "zoneEnd2")->setCurrentText("8");
        child<QComboBox>(m, "zoneStart3")->setCurrentText("9");
        EXPECT_TRUE(m.zonesValid());
        EXPECT_TRUE(child<QPushButton>(m, "applyButton")->isEnabled());
        child<QComboBox>(m, "zoneEnd2")->setCurrentText("6");  // zone 3 still starts at 9
        EXPECT_FALSE(m.zonesValid());
        EXPECT_FALSE(child<QPushButton>(m, "applyButton")->isEnabled());
        child<QComboBox>(m, "zoneEnd2")->setCurrentText("8");
        child<QPushButton>(m, "applyButton")->click();
        EXPECT_EQ(iconOf(child<QLabel>(m, "zonesIcon")), StatusIcon::OK);
    });
    ModelState& s = testing::state();
    const std::vector<Zone>& zones = s.document.zones.items;
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[2].name, "Zone 3");
    EXPECT_EQ(zones[0].firstLayer, 1);
    EXPECT_EQ(zones[1].firstLayer, 5);
    EXPECT_EQ(zones[2].firstLayer, 9);

    withManager([&](DataManagerDialog& m) {
        EXPECT_EQ(m.zoneCount(), 3);
        EXPECT_EQ(child<QComboBox>(m, "zoneStart2")->currentText(), "5");
        EXPECT_EQ(child<QComboBox>(m, "zoneEnd2")->currentText(), "8");
        EXPECT_EQ(child<QComboBox>(m, "zoneEnd3")->currentText(), "12");
        EXPECT_FALSE(child<QPushButton>(m, "deleteZoneButton")->isHidden());
        // Deleting a zone leaves the one before it ending at the bottom layer; a single zone is never stored.
        child<QPushButton>(m, "deleteZoneButton")->click();
        child<QPushButton>(m, "deleteZoneButton")->click();
        EXPECT_EQ(child<QComboBox>(m, "zoneEnd1")->currentText(), "12");
        EXPECT_FALSE(child<QComboBox>(m, "zoneEnd1")->isEnabled());
        EXPECT_FALSE(m.zonesValid());
        child<QPushButton>(m, "applyButton")->click();
    });
    EXPECT_EQ(s.document.zones.items.size(), 3u);
}

TEST_F(DataManagerTest, UniformContactsAreKeptOnlyOnApplyAndARefusedDepthKeepsTheStoredOne)
{
    ModelState& s = testing::state();
    withManager([&](DataManagerDialog& m) {
        EXPECT_FALSE(child<QLineEdit>(m, "owcDepth")->isEnabled());
        EXPECT_EQ(child<QLineEdit>(m, "owcDepth")->text(), "0");
        child<QCheckBox>(m, "owcCheck")->click();
        EXPECT_TRUE(child<QLineEdit>(m, "owcDepth")->isEnabled());
        type(child<QLineEdit>(m, "owcDepth"), "1520,5");
        EXPECT_TRUE(child<QPushButton>(m, "applyButton")->isEnabled());
    });
    EXPECT_FALSE(s.document.contacts.owc.set);  // closed without Apply
    EXPECT_TRUE(s.OWC_k.empty());
    EXPECT_TRUE(form.findChild<QToolButton*>("owcToggle")->isHidden());

    withManager([&](DataManagerDialog& m) {
        child<QCheckBox>(m, "owcCheck")->click();
        type(child<QLineEdit>(m, "owcDepth"), "1520,5");
        // Enter in the depth box confirms the box only: the page stays, nothing is applied.
        QTest::mouseClick(child<QPushButton>(m, "modelPageButton"), Qt::LeftButton);
        QTest::keyClick(child<QLineEdit>(m, "owcDepth"), Qt::Key_Return);
        EXPECT_TRUE(child<QWidget>(m, "modelPageArea")->isVisible());
        EXPECT_FALSE(s.document.contacts.owc.set);
        child<QPushButton>(m, "applyButton")->click();
        EXPECT_TRUE(s.document.contacts.owc.set);
        EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5205f);
        EXPECT_EQ(iconOf(child<QLabel>(m, "contactsIcon")), StatusIcon::OK);

        type(child<QLineEdit>(m, "owcDepth"), "abc");
        child<QPushButton>(m, "applyButton")->click();
        ASSERT_EQ(prompts->messages.size(), 1u);
        EXPECT_NE(prompts->messages[0].text.find("\"abc\""), std::string::npos);
        EXPECT_EQ(child<QLineEdit>(m, "owcDepth")->text(), "1520.5");
        EXPECT_TRUE(child<QCheckBox>(m, "owcCheck")->isChecked());
    });
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5205f);
    EXPECT_FALSE(form.findChild<QToolButton*>("owcToggle")->isHidden());
    EXPECT_TRUE(form.findChild<QToolButton*>("gocToggle")->isHidden());
    form.findChild<QToolButton*>("owcToggle")->click();
    EXPECT_TRUE(s.view.contacts.owc);

    // Unchecked and applied: the toggle goes and the surface is no longer drawn.
    withManager([&](DataManagerDialog& m) {
        EXPECT_TRUE(child<QCheckBox>(m, "owcCheck")->isChecked());
        EXPECT_EQ(child<QLineEdit>(m, "owcDepth")->text(), "1520.5");
        child<QCheckBox>(m, "owcCheck")->click();
        child<QPushButton>(m, "applyButton")->click();
        EXPECT_EQ(iconOf(child<QLabel>(m, "contactsIcon")), StatusIcon::Error);
    });
    EXPECT_FALSE(s.document.contacts.owc.set);
    EXPECT_TRUE(form.findChild<QToolButton*>("owcToggle")->isHidden());
    EXPECT_FALSE(s.view.contacts.owc);
}

TEST_F(DataManagerTest, CommandLineContactsAreShownUntilANewGridIsLoaded)
{
    ModelState& s = testing::state();
    form.showUniformContacts(2030.5, std::nullopt);
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -2.0305f);
    EXPECT_FALSE(form.findChild<QToolButton*>("owcToggle")->isHidden());
    EXPECT_TRUE(form.findChild<QToolButton*>("owcToggle")->isChecked());
    EXPECT_TRUE(s.view.contacts.owc);
    EXPECT_TRUE(form.findChild<QToolButton*>("gocToggle")->isHidden());

    ASSERT_EQ(form.importGridFromPath((folder.path() / "FIELD.GRDECL").string()), GridImportOutcome::Loaded);
    EXPECT_TRUE(form.findChild<QToolButton*>("owcToggle")->isHidden());
    EXPECT_FALSE(s.document.contacts.owc.set || s.view.contacts.owc);
}

TEST_F(DataManagerTest, RegionalContactRowsGateApplyAndAreShownAgain)
{
    ModelState& s = testing::state();
    // A region chosen and the dialog closed: nothing of it is kept.
    withManager([&](DataManagerDialog& m) {
        child<QCheckBox>(m, "gocCheck")->click();
        child<QRadioButton>(m, "gocRegionRadio")->click();
        child<QComboBox>(m, "gocRegionList")->setCurrentIndex(0);
    });
    EXPECT_TRUE(s.document.contacts.goc.regionProperty.empty());
    EXPECT_EQ(s.document.contacts.goc.rowCount, 0);
    EXPECT_FALSE(s.document.contacts.goc.set);

    withManager([&](DataManagerDialog& m) {
        QTest::mouseClick(child<QPushButton>(m, "modelPageButton"), Qt::LeftButton);
        child<QCheckBox>(m, "gocCheck")->click();
        child<QRadioButton>(m, "gocRegionRadio")->click();
        EXPECT_FALSE(child<QLineEdit>(m, "gocDepth")->isVisible());
        EXPECT_TRUE(child<QComboBox>(m, "gocRegionList")->isVisible());
        child<QComboBox>(m, "gocRegionList")->setCurrentIndex(0);  // REG, codes 0 .. 3
        ASSERT_NE(child<QLineEdit>(m, "gocCodeDepth4"), nullptr);
        EXPECT_EQ(child<QLineEdit>(m, "gocCodeDepth5"), nullptr);
        EXPECT_EQ(child<QLineEdit>(m, "gocCode2")->text(), "1");
        EXPECT_FALSE(child<QPushButton>(m, "applyButton")->isEnabled());  // no depths yet

        QLineEdit* first = child<QLineEdit>(m, "gocCodeDepth1");
        type(first, "-1490,5");  // a level above datum, not a depth below it
        EXPECT_EQ(first->palette().color(QPalette::Base), QColor(255, 179, 179));
        type(first, "1490,5");
        for (int n = 2; n <= 4; ++n) type(child<QLineEdit>(m, QStringLiteral("gocCodeDepth%1").arg(n)), "1500");
        EXPECT_EQ(first->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_TRUE(child<QPushButton>(m, "applyButton")->isEnabled());
        // Switched off and on again, the contact shows its region list again.
        child<QCheckBox>(m, "gocCheck")->click();
        EXPECT_FALSE(child<QComboBox>(m, "gocRegionList")->isVisible());
        child<QCheckBox>(m, "gocCheck")->click();
        EXPECT_TRUE(child<QComboBox>(m, "gocRegionList")->isVisible());
        child<QPushButton>(m, "applyButton")->click();
    });
    EXPECT_TRUE(s.document.contacts.goc.set);
    EXPECT_FALSE(s.document.contacts.goc.uniform);
    EXPECT_EQ(s.document.contacts.goc.codes, (std::vector<float>{0, 1, 2, 3}));
    EXPECT_FLOAT_EQ(s.document.contacts.goc.levels[0], -1.4905f);
    EXPECT_EQ(s.GOC_k.size(), static_cast<std::size_t>(s.document.grid.surfaceVertices) * 6);
    EXPECT_FALSE(form.findChild<QToolButton*>("gocToggle")->isHidden());

    withManager([&](DataManagerDialog& m) {
        QTest::mouseClick(child<QPushButton>(m, "modelPageButton"), Qt::LeftButton);
        EXPECT_TRUE(child<QRadioButton>(m, "gocRegionRadio")->isChecked());
        EXPECT_TRUE(child<QComboBox>(m, "gocRegionList")->isVisible());
        EXPECT_EQ(child<QComboBox>(m, "gocRegionList")->currentText(), "REG");
        EXPECT_EQ(child<QLineEdit>(m, "gocCodeDepth1")->text(), "1490.5");
        EXPECT_FALSE(child<QPushButton>(m, "applyButton")->isEnabled());
    });
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
