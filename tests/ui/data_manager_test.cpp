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
#include "tests/support/ui_harness.h"
#include "ui/data_manager.h"
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
        form.findChild<QAction*>("importMainMenu_prop")->trigger();
        ASSERT_EQ(modelState().PROP_type, (std::vector<int>{10, 4, 1, 8}));
    }

    // Opens the data manager from its ribbon button, runs `body` on it, and closes it with Exit.
    void withManager(const std::function<void(Data_manager&)>& body)
    {
        EXPECT_TRUE(testing::withModalDialog<Data_manager>(
            [this] { form.findChild<QAction*>("dataManagerMainMenu")->trigger(); }, body));
    }

    template <typename T>
    static T* child(Data_manager& m, const QString& name)
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
    MainWindow form;
    RecordedPrompts* prompts = nullptr;
};

TEST_F(DataManagerTest, ShowsCompletenessAndRetypesWithinTheKindOfEachProperty)
{
    withManager([&](Data_manager& m) {
        EXPECT_EQ(m.windowTitle(), "Data manager");
        EXPECT_TRUE(m.panel1->isVisible());
        QTest::mouseClick(m.checkBox2, Qt::LeftButton);
        EXPECT_TRUE(m.panel2->isVisible());
        EXPECT_FALSE(m.panel1->isVisible());
        EXPECT_FALSE(m.checkBox1->isChecked());
        EXPECT_FALSE(m.applyButton->isEnabled());

        EXPECT_EQ(iconOf(child<QLabel>(m, "panel4")), StatusIcon::OK);  // grid
        EXPECT_EQ(iconOf(child<QLabel>(m, "panel5")), StatusIcon::OK);  // properties
        EXPECT_EQ(iconOf(child<QLabel>(m, "panel6")), StatusIcon::Error);
        EXPECT_EQ(child<QFrame>(m, "panel11")->toolTip(), "No fluid contacts made: use the form below");
        EXPECT_TRUE(child<QFrame>(m, "panel8")->toolTip().isEmpty());
        m.updateLang("ru");  // a missing row's tip follows the language; a complete row keeps none
        EXPECT_EQ(child<QFrame>(m, "panel11")->toolTip(), "Флюидальные контакты не заданы, используйте форму ниже");
        EXPECT_TRUE(child<QFrame>(m, "panel8")->toolTip().isEmpty());
        m.updateLang("en");
        EXPECT_EQ(iconOf(m.panel16), StatusIcon::Attention);
        EXPECT_EQ(child<QLabel>(m, "extent5")->text(), QString::number(double(modelState().document.grid.extent.zMin * 1000)));
        EXPECT_TRUE(m.addNewZone->isEnabled());

        QComboBox* poro = child<QComboBox>(m, "prop0");
        QComboBox* litho = child<QComboBox>(m, "prop1");
        EXPECT_EQ(poro->count(), 10);
        EXPECT_EQ(poro->currentIndex(), 4);
        EXPECT_EQ(child<QComboBox>(m, "prop2")->currentIndex(), 8);
        poro->setCurrentIndex(1);  // porosity is no lithology
        EXPECT_EQ(poro->currentIndex(), 4);
        EXPECT_TRUE(m.applyButton->isEnabled());
        litho->setCurrentIndex(7);  // lithology may become regions
        EXPECT_EQ(litho->currentIndex(), 7);
        EXPECT_EQ(items(m.OWC_region_list), QStringList{"REG"});
        m.applyButton->click();
        EXPECT_FALSE(m.applyButton->isEnabled());
    });
    ModelState& s = modelState();
    EXPECT_EQ(s.PROP_type, (std::vector<int>{10, 4, 7, 8}));
    QTreeWidgetItem* root = form.findChild<QTreeWidget*>("treeView2")->topLevelItem(0);
    EXPECT_EQ(root->child(1)->data(0, Qt::UserRole + 1).toInt(), 7);

    // The next time the lithology is a region property too, in load order.
    withManager([&](Data_manager& m) {
        EXPECT_EQ(items(m.OWC_region_list), (QStringList{"LITHO", "REG"}));
        EXPECT_EQ(items(m.GOC_region_list), (QStringList{"LITHO", "REG"}));
    });
}

TEST_F(DataManagerTest, ZonesStartingAtOneFiveNineAreCheckedStoredAndShownAgain)
{
    withManager([&](Data_manager& m) {
        for (int n = 0; n < 3; ++n) m.addNewZone->click();
        EXPECT_EQ(m.zones_count, 3);
        EXPECT_EQ(m.addNewZone->pos(), QPoint(7, 30 * 2 + 77));
        EXPECT_EQ(child<QLineEdit>(m, "textbox3")->text(), "Zone 3");
        EXPECT_FALSE(child<QComboBox>(m, "start1")->isEnabled());
        EXPECT_FALSE(child<QComboBox>(m, "end3")->isEnabled());
        EXPECT_EQ(child<QComboBox>(m, "end3")->currentText(), "12");
        EXPECT_FALSE(m.applyButton->isEnabled());  // starts and ends still to choose

        child<QComboBox>(m, "end1")->setCurrentText("4");
        child<QComboBox>(m, "start2")->setCurrentText("5");
        child<QComboBox>(m, "end2")->setCurrentText("8");
        child<QComboBox>(m, "start3")->setCurrentText("9");
        EXPECT_TRUE(m.zones_ok);
        EXPECT_TRUE(m.applyButton->isEnabled());
        child<QComboBox>(m, "end2")->setCurrentText("6");  // zone 3 still starts at 9
        EXPECT_FALSE(m.zones_ok);
        EXPECT_FALSE(m.applyButton->isEnabled());
        child<QComboBox>(m, "end2")->setCurrentText("8");
        m.applyButton->click();
        EXPECT_EQ(iconOf(child<QLabel>(m, "panel6")), StatusIcon::OK);
    });
    ModelState& s = modelState();
    EXPECT_EQ(s.ZONE_count, 3);
    EXPECT_EQ(s.ZONE_names[2], "Zone 3");
    EXPECT_EQ((std::vector<int>(s.ZONE_start.begin(), s.ZONE_start.begin() + 3)), (std::vector<int>{1, 5, 9}));

    withManager([&](Data_manager& m) {
        EXPECT_EQ(m.zones_count, 3);
        EXPECT_EQ(child<QComboBox>(m, "start2")->currentText(), "5");
        EXPECT_EQ(child<QComboBox>(m, "end2")->currentText(), "8");
        EXPECT_EQ(child<QComboBox>(m, "end3")->currentText(), "12");
        EXPECT_FALSE(m.deleteBtn->isHidden());
        // Deleting a zone leaves the one before it ending at the bottom layer; a single zone is never stored.
        m.deleteBtn->click();
        m.deleteBtn->click();
        EXPECT_EQ(child<QComboBox>(m, "end1")->currentText(), "12");
        EXPECT_FALSE(child<QComboBox>(m, "end1")->isEnabled());
        EXPECT_FALSE(m.zones_ok);
        m.applyButton->click();
    });
    EXPECT_EQ(s.ZONE_count, 3);
}

TEST_F(DataManagerTest, UniformContactsAreKeptOnlyOnApplyAndARefusedDepthKeepsTheStoredOne)
{
    ModelState& s = modelState();
    withManager([&](Data_manager& m) {
        EXPECT_FALSE(m.OWC_textBox->isEnabled());
        EXPECT_EQ(m.OWC_textBox->text(), "0");
        m.checkBox_OWC->click();
        EXPECT_TRUE(m.OWC_textBox->isEnabled());
        type(m.OWC_textBox, "-1520,5");
        EXPECT_TRUE(m.applyButton->isEnabled());
    });
    EXPECT_FALSE(s.OWC_set);  // closed without Apply
    EXPECT_TRUE(s.OWC_k.empty());
    EXPECT_TRUE(form.owc_Check->isHidden());

    withManager([&](Data_manager& m) {
        m.checkBox_OWC->click();
        type(m.OWC_textBox, "-1520,5");
        m.applyButton->click();
        EXPECT_TRUE(s.OWC_set);
        EXPECT_FLOAT_EQ(s.uniform_OWC, -1.5205f);
        EXPECT_EQ(iconOf(child<QLabel>(m, "panel7")), StatusIcon::OK);

        type(m.OWC_textBox, "abc");
        m.applyButton->click();
        ASSERT_EQ(prompts->messages.size(), 1u);
        EXPECT_NE(prompts->messages[0].text.find("\"abc\""), std::string::npos);
        EXPECT_EQ(m.OWC_textBox->text(), "-1520.5");
        EXPECT_TRUE(m.checkBox_OWC->isChecked());
    });
    EXPECT_FLOAT_EQ(s.uniform_OWC, -1.5205f);
    EXPECT_FALSE(form.owc_Check->isHidden());
    EXPECT_TRUE(form.goc_Check->isHidden());
    form.owc_Check->click();
    EXPECT_TRUE(s.displayOWC);

    // Unchecked and applied: the toggle goes and the surface is no longer drawn.
    withManager([&](Data_manager& m) {
        EXPECT_TRUE(m.checkBox_OWC->isChecked());
        EXPECT_EQ(m.OWC_textBox->text(), "-1520.5");
        m.checkBox_OWC->click();
        m.applyButton->click();
        EXPECT_EQ(iconOf(child<QLabel>(m, "panel7")), StatusIcon::Error);
    });
    EXPECT_FALSE(s.OWC_set);
    EXPECT_TRUE(form.owc_Check->isHidden());
    EXPECT_FALSE(s.displayOWC);
}

TEST_F(DataManagerTest, CommandLineContactsAreShownUntilANewGridIsLoaded)
{
    ModelState& s = modelState();
    form.showUniformContacts(2030.5, std::nullopt);
    EXPECT_FLOAT_EQ(s.uniform_OWC, -2.0305f);
    EXPECT_FALSE(form.owc_Check->isHidden());
    EXPECT_TRUE(form.owc_Check->isChecked());
    EXPECT_TRUE(s.displayOWC);
    EXPECT_TRUE(form.goc_Check->isHidden());

    ASSERT_EQ(form.importGridFromPath((folder.path() / "FIELD.GRDECL").string()), GridImportOutcome::Loaded);
    EXPECT_TRUE(form.owc_Check->isHidden());
    EXPECT_FALSE(s.OWC_set || s.displayOWC);
}

TEST_F(DataManagerTest, RegionalContactRowsGateApplyAndAreShownAgain)
{
    ModelState& s = modelState();
    // A region chosen and the dialog closed: nothing of it is kept.
    withManager([&](Data_manager& m) {
        m.checkBox_GOC->click();
        m.regionGOC_radio->click();
        m.GOC_region_list->setCurrentIndex(0);
    });
    EXPECT_EQ(s.GOC_region_selected, -1);
    EXPECT_EQ(s.last_goc_code_size, 0);
    EXPECT_FALSE(s.GOC_set);

    withManager([&](Data_manager& m) {
        QTest::mouseClick(m.checkBox2, Qt::LeftButton);
        m.checkBox_GOC->click();
        m.regionGOC_radio->click();
        EXPECT_FALSE(m.GOC_textBox->isVisible());
        EXPECT_TRUE(m.GOC_region_list->isVisible());
        m.GOC_region_list->setCurrentIndex(0);  // REG, codes 0 .. 3
        ASSERT_NE(child<QLineEdit>(m, "goc_value_code4"), nullptr);
        EXPECT_EQ(child<QLineEdit>(m, "goc_value_code5"), nullptr);
        EXPECT_EQ(child<QLineEdit>(m, "goc_code2")->text(), "1");
        EXPECT_FALSE(m.applyButton->isEnabled());  // no depths yet

        QLineEdit* first = child<QLineEdit>(m, "goc_value_code1");
        type(first, "x");
        EXPECT_EQ(first->palette().color(QPalette::Base), QColor(255, 179, 179));
        type(first, "-1490,5");
        for (int n = 2; n <= 4; ++n) type(child<QLineEdit>(m, QStringLiteral("goc_value_code%1").arg(n)), "-1500");
        EXPECT_EQ(first->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_TRUE(m.applyButton->isEnabled());
        // Switched off and on again, the contact shows its region list again.
        m.checkBox_GOC->click();
        EXPECT_FALSE(m.GOC_region_list->isVisible());
        m.checkBox_GOC->click();
        EXPECT_TRUE(m.GOC_region_list->isVisible());
        m.applyButton->click();
    });
    EXPECT_TRUE(s.GOC_set);
    EXPECT_FALSE(s.is_uniform_GOC);
    EXPECT_EQ(s.goc_code_z, (std::vector<float>{0, 1, 2, 3}));
    EXPECT_FLOAT_EQ(s.GOC_z[0], -1.4905f);
    EXPECT_EQ(s.GOC_k.size(), static_cast<std::size_t>(s.document.grid.surfaceVertices) * 6);
    EXPECT_FALSE(form.goc_Check->isHidden());

    withManager([&](Data_manager& m) {
        QTest::mouseClick(m.checkBox2, Qt::LeftButton);
        EXPECT_TRUE(m.regionGOC_radio->isChecked());
        EXPECT_TRUE(m.GOC_region_list->isVisible());
        EXPECT_EQ(m.GOC_region_list->currentText(), "REG");
        EXPECT_EQ(child<QLineEdit>(m, "goc_value_code1")->text(), "-1490.5");
        EXPECT_FALSE(m.applyButton->isEnabled());
    });
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
