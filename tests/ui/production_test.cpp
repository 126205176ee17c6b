// Production through the main window: the data manager's production table (filling, Ctrl+V from the clipboard,
// what Apply keeps against what closing keeps) and the production button with the exaggeration slider and the
// bubble factor of the settings.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>

#include "tests/support/temp_folder.h"
#include "tests/support/ui_harness.h"
#include "ui/dialogs/data_manager_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;

class ProductionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        auto recorded = std::make_unique<RecordedPrompts>(std::vector<std::string>{});
        prompts = recorded.get();
        form.setUserPrompts(std::move(recorded));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // Wells P-1 ... P-n standing 0.1 apart around the pivot, without production.
    void addWells(int n)
    {
        ModelState& s = testing::state();
        for (int i = 0; i < n; ++i) {
            const glm::vec3 top = -s.view.camera.position + glm::vec3(0.1f * static_cast<float>(i), 0, 0);
            s.document.wells.add(Well{"P-" + std::to_string(i + 1), {}});
            s.well_coord_vertex_show.push_back({top.x, top.y, top.z, 0, 0, 0, top.x, top.y, top.z - 0.1f, 0, 0, 0});
            s.well_coord_vertex_hide.emplace_back();
        }
    }

    bool withManager(const std::function<void(DataManagerDialog&, ProductionTable&)>& body)
    {
        return testing::withModalDialog<DataManagerDialog>(
            [this] { form.findChild<QAction*>("dataManagerCommand")->trigger(); },
            [&](DataManagerDialog& m) {
            auto* table = m.findChild<ProductionTable*>("productionTable");
            ASSERT_NE(table, nullptr);
            body(m, *table);
            });
    }

    static void pasteAt(ProductionTable& table, int row, int column, const QString& text)
    {
        table.setCurrentCell(row, column);
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&table, Qt::Key_V, Qt::ControlModifier);
    }
    static QStringList column(ProductionTable& table, int c)
    {
        QStringList texts;
        for (int r = 0; r < table.rowCount(); ++r) texts << table.item(r, c)->text();
        return texts;
    }
    // The mouse let go of the exaggeration slider.
    void releaseSlider()
    {
        QWidget* slider = form.findChild<QWidget*>("exaggerationSlider");
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(slider->mapToGlobal(QPoint(5, 5))),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &release);
    }

    MainWindow form{testing::state()};
    RecordedPrompts* prompts = nullptr;
};

TEST_F(ProductionTest, TheTableShowsThePastesAndKeepsOnlyWhatIsApplied)
{
    addWells(5);
    testing::state().document.production.byWell["P-2"].oil = 12.5f;
    const auto before = testing::state().document.production.byWell;

    EXPECT_TRUE(withManager([&](DataManagerDialog& m, ProductionTable& table) {
        EXPECT_EQ(table.parentWidget(), m.findChild<QWidget*>("productionGroup"));
        ASSERT_EQ(table.rowCount(), 5);
        EXPECT_EQ(table.horizontalHeaderItem(OilColumn)->text(), "Oil production,\n*1000 m3");
        EXPECT_EQ(table.columnWidth(WellColumn), 111);
        EXPECT_EQ(table.columnWidth(GasColumn), 133);
        EXPECT_FALSE(table.verticalHeader()->isVisible());
        EXPECT_FALSE(table.item(0, WellColumn)->flags() & Qt::ItemIsEditable);
        EXPECT_EQ(table.findChild<QTableView*>("frozenWellColumn")->width(), 111);
        EXPECT_EQ(column(table, OilColumn), QStringList({"", "12.5", "", "", ""}));  // -1 shows empty
        EXPECT_FALSE(m.findChild<QPushButton*>("applyButton")->isEnabled());

        // Three lines closed by line breaks fill three rows and enable Apply.
        pasteAt(table, 0, OilColumn, "10\n20\n30\n");
        EXPECT_EQ(column(table, OilColumn), QStringList({"10", "20", "30", "", ""}));
        EXPECT_TRUE(m.findChild<QPushButton*>("applyButton")->isEnabled());
        // The last line without a break is pasted too; a value that is not a number keeps its cell and is logged.
        pasteAt(table, 3, OilColumn, "40\r\nabc");
        EXPECT_EQ(column(table, OilColumn), QStringList({"10", "20", "30", "40", ""}));
        EXPECT_EQ(testing::logLines(form.findChild<QTextEdit*>("eventsLog")).back().text,
                  "Not a number, so not pasted: \"abc\" (oil of well P-5)");
        // A block pasted into an open cell editor goes down the column too, not into the one cell as text.
        table.setCurrentCell(2, WaterColumn);
        table.editItem(table.item(2, WaterColumn));
        QLineEdit* editor = table.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QApplication::clipboard()->setText("7\n8\n9\n");
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(column(table, WaterColumn), QStringList({"", "", "7", "8", "9"}));
        // Nothing goes into the well column.
        pasteAt(table, 0, WellColumn, "X\nY\n");
        EXPECT_EQ(column(table, WellColumn), QStringList({"P-1", "P-2", "P-3", "P-4", "P-5"}));
    }));
    // Closed without Apply: nothing kept.
    EXPECT_EQ(testing::state().document.production.byWell, before);

    EXPECT_TRUE(withManager([&](DataManagerDialog& m, ProductionTable& table) {
        // A block of three spreadsheet columns, decimal comma included, then Apply.
        pasteAt(table, 0, OilColumn, "10\t5\t1\n20\t6\t2\n30\t7\t3\n40\t8\t4\n50,5\t9\t5\n");
        QTest::mouseClick(m.findChild<QPushButton*>("applyButton"), Qt::LeftButton);
        EXPECT_EQ(StatusIcon(m.findChild<QLabel*>("productionSummaryIcon")->property("statusIcon").toInt()),
                  StatusIcon::OK);
        // Typed after Apply and closed: not kept.
        table.item(0, OilColumn)->setText("99");
        EXPECT_TRUE(m.findChild<QPushButton*>("applyButton")->isEnabled());
    }));
    const ModelState& s = testing::state();
    for (int i = 0; i < 5; ++i) {
        const float n = static_cast<float>(i + 1);
        EXPECT_EQ(s.document.production.of("P-" + std::to_string(i + 1)),
                  (WellVolumes{i == 4 ? 50.5f : 10 * n, 4 + n, n}));
    }

    // Shown again as applied, the summary complete from the start; a gas cell emptied leaves it partly complete.
    EXPECT_TRUE(withManager([&](DataManagerDialog& m, ProductionTable& table) {
        EXPECT_EQ(column(table, OilColumn), QStringList({"10", "20", "30", "40", "50.5"}));
        EXPECT_EQ(StatusIcon(m.findChild<QLabel*>("productionSummaryIcon")->property("statusIcon").toInt()),
                  StatusIcon::OK);
        table.item(2, GasColumn)->setText("");
        QTest::mouseClick(m.findChild<QPushButton*>("applyButton"), Qt::LeftButton);
        EXPECT_EQ(StatusIcon(m.findChild<QLabel*>("productionSummaryIcon")->property("statusIcon").toInt()),
                  StatusIcon::Attention);
    }));
    EXPECT_EQ(s.document.production.of("P-3").gas, kNoVolume);
}

// Development > Load production data opens the production page; a file is read into the table (not applied) and
// says how it was understood; names the table does not list are logged.
TEST_F(ProductionTest, AProductionFileFillsTheTableFromTheDevelopmentMenu)
{
    addWells(3);
    testing::TempFolder folder;
    const std::string path =
        testing::writeText(folder.file("monthly.csv"), "Well;Oil;Water;Gas\nP-1;12,5;3;1\nX-9;1;1;1\nP-3;7;;2\n");
    form.setUserPrompts(std::make_unique<RecordedPrompts>(std::vector<std::string>{path}));
    EXPECT_TRUE(testing::withModalDialog<DataManagerDialog>(
        [this] { form.findChild<QAction*>("loadProductionItem")->trigger(); },
        [&](DataManagerDialog& m) {
        EXPECT_TRUE(m.findChild<QWidget*>("productionPage")->isVisible());
        EXPECT_FALSE(m.findChild<QWidget*>("wellsPage")->isVisible());
        QTest::mouseClick(m.findChild<QPushButton*>("productionFileButton"), Qt::LeftButton);
        auto& table = *m.findChild<ProductionTable*>("productionTable");
        EXPECT_EQ(column(table, OilColumn), QStringList({"12.5", "", "7"}));
        EXPECT_EQ(column(table, WaterColumn), QStringList({"3", "", ""}));
        EXPECT_EQ(m.findChild<QLabel*>("productionFileSummary")->text(),
                  "monthly.csv: separated by semicolons, decimal comma, first line a header; 3 rows, 2 of the "
                  "table's wells");
        EXPECT_EQ(testing::logLines(form.findChild<QTextEdit*>("eventsLog")).back().text,
                  "No well of these names is loaded, so their production was not taken: X-9");
        QTest::mouseClick(m.findChild<QPushButton*>("applyButton"), Qt::LeftButton);
        }));
    EXPECT_EQ(testing::state().document.production.of("P-1"), (WellVolumes{12.5f, 3, 1}));
    EXPECT_EQ(testing::state().document.production.of("P-3").water, kNoVolume);
}

TEST_F(ProductionTest, TheButtonShowsTheDiscsAndTheSliderAndTheSettingsResizeThem)
{
    QAction* button = form.findChild<QAction*>("productionCommand");
    ModelState& s = testing::state();
    button->trigger();
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Cumulative production");
    EXPECT_FALSE(button->isChecked());

    addWells(2);
    s.document.production.byWell["P-1"] = WellVolumes{300, 100, kNoVolume};
    s.document.production.byWell["P-2"] = WellVolumes{50, 0, kNoVolume};
    button->trigger();
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(s.view.production.discs);
    ASSERT_EQ(s.circleDiagram.size(), 2u);
    const auto topOfFirstDisc = [&] { return s.circleDiagram[0][14] - s.circleDiagram[0][2]; };
    EXPECT_NEAR(topOfFirstDisc(), 0.4f / s.view.camera.verticalScale, 1e-5f);

    // A new bubble factor in the settings shows at the next rebuild: the slider's release, for its exaggeration.
    appSettings().UpdateAppSettings("bubbleSize", "2,5");
    auto* settings = form.findChild<SettingsDialog*>("settingsDialog");
    settings->show();
    settings->close();
    EXPECT_FLOAT_EQ(s.view.production.scale, 2.5f);
    s.view.production.discs = false;  // as while the slider is dragged
    s.view.camera.verticalScale = 2;
    releaseSlider();
    EXPECT_TRUE(s.view.production.discs);
    ASSERT_EQ(s.circleDiagram.size(), 2u);
    EXPECT_NEAR(topOfFirstDisc(), 2.5f * 0.4f / 2, 1e-5f);

    // W and S change the exaggeration: the discs follow at once, not stretched by it.
    QTest::keyClick(&form, Qt::Key_W);
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, 3);
    EXPECT_NEAR(topOfFirstDisc(), 2.5f * 0.4f / 3, 1e-5f);
    QTest::keyClick(&form, Qt::Key_S);
    EXPECT_NEAR(topOfFirstDisc(), 2.5f * 0.4f / 2, 1e-5f);

    // Volumes applied in the data manager show at once in the discs shown.
    const std::vector<Vertices> discsBefore = s.circleDiagram;
    EXPECT_TRUE(withManager([&](DataManagerDialog& m, ProductionTable& table) {
        pasteAt(table, 0, OilColumn, "600\n");
        QTest::mouseClick(m.findChild<QPushButton*>("applyButton"), Qt::LeftButton);
    }));
    EXPECT_EQ(s.document.production.of("P-1").oil, 600);
    ASSERT_EQ(s.circleDiagram.size(), 2u);
    EXPECT_NE(s.circleDiagram[0], discsBefore[0]);
    EXPECT_EQ(s.circleDiagram[1], discsBefore[1]);

    button->trigger();
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(s.view.production.discs);
    releaseSlider();  // with the display off the release leaves it off
    EXPECT_FALSE(s.view.production.discs);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
