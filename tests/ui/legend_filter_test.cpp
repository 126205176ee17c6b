// The legend, the colour-limit window, the property filter window and the palette window through the main window,
// on a generated grid with a porosity and a lithology.
#include <functional>
#include <map>
#include <set>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "commands/property_display.h"
#include "core/decimal_text.h"
#include "io/property_reader.h"
#include "render/scene_renderer.h"
#include "scene/legend_layout.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/property_lists.h"
#include "tests/support/ui_harness.h"
#include "ui/color_button.h"
#include "ui/dialogs/colour_limits_dialog.h"
#include "ui/dialogs/property_filter_dialog.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;
using namespace testing::generated_properties;

// A shown window with grid FIELD and the properties PORO (porosity, node 0) and Litho (lithology, node 1), loaded
// through the menu; Litho, loaded last, is on show.
class LegendWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        gen::GridOptions g;
        g.name = "FIELD";
        g.nx = NX, g.ny = NY, g.nz = NZ;
        const auto grid = gen::writeGrid(g, folder.path()).front();
        gen::PropertyDefinition litho = discrete("Litho");
        litho.codes = 3;
        const std::string props =
            testing::writeText(folder.file("ROCK.GRDECL"), propertyText({continuous("PORO"), litho}));
        auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{props});
        prompts->typeAnswers = {std::vector<int>{4, 1}};
        form.setUserPrompts(std::move(prompts));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        ASSERT_EQ(form.importGridFromPath(grid.string()), GridImportOutcome::Loaded);
        form.findChild<QAction*>("importPropertiesItem")->trigger();
        ASSERT_EQ(testing::propertyNames(s.document.properties), (std::vector<std::string>{"PORO", "Litho"}));
        legend = form.findChild<QGroupBox*>("propertyLegend");
        tree = form.findChild<QTreeWidget*>("modelTree");
    }

    void show(int node) { tree->setCurrentItem(tree->topLevelItem(0)->child(node)); }
    template <class T>
    T* inLegend(const QString& name) const
    {
        return legend->findChild<T*>(name);
    }
    Rgb cellColour(std::size_t cell) const
    {
        const float* v = &s.cells_k.at(cell / (NX * NY)).at((cell % (NX * NY)) * 3);
        return {v[0], v[1], v[2]};
    }

    TempFolder folder;
    MainWindow form{testing::state()};
    ModelState& s = testing::state();
    const Property& poro() const { return s.document.properties.items.at(0); }
    const Property& litho() const { return s.document.properties.items.at(1); }
    QGroupBox* legend = nullptr;
    QTreeWidget* tree = nullptr;
};

TEST_F(LegendWindow, CodeBarsStandOnOneLineAndAClickGivesTheirCodeANewColour)
{
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(legend->title(), "Litho");
    EXPECT_EQ(legend->pos(), QPoint(4, 4));
    const DiscreteLegend layout = discreteLegend(s.document.properties, litho(), 1000);
    ASSERT_FALSE(layout.bars.empty());
    for (const LegendBar& expected : layout.bars) {
        auto* bar = inLegend<QWidget>(QStringLiteral("codeBar_%1").arg(expected.code));
        ASSERT_NE(bar, nullptr) << expected.code;
        EXPECT_EQ(bar->geometry(), QRect(expected.x, expected.top, 15, expected.height));
        EXPECT_EQ(bar->geometry().bottom() + 1, 95);
        const Rgb255 c = expected.colour;
        EXPECT_EQ(bar->palette().color(QPalette::Window), QColor(c.r, c.g, c.b));
    }

    // Two clicks on one bar: two new colours (one generator for the run), each written into the table of the
    // lithology type and into every cell holding that code.
    const int code = layout.bars.front().code;
    auto* bar = inLegend<QWidget>(QStringLiteral("codeBar_%1").arg(code));
    std::vector<QColor> drawn;
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(bar, Qt::LeftButton);
        const QColor now = bar->palette().color(QPalette::Window);
        const Rgb entry = s.document.properties.codeColours.at(1).at(static_cast<std::size_t>(code));
        EXPECT_EQ(entry, (Rgb{now.red() / 255.0f, now.green() / 255.0f, now.blue() / 255.0f}));
        const auto& codes = litho().codes;
        const std::size_t cell = std::find(codes.begin(), codes.end(), code) - codes.begin();
        EXPECT_EQ(cellColour(cell), entry);
        drawn.push_back(now);
    }
    EXPECT_NE(drawn[0], drawn[1]);

    // The legend button hides and shows it.
    QAction* button = form.findChild<QAction*>("legendCommand");
    button->trigger();
    EXPECT_FALSE(legend->isVisible());
    EXPECT_FALSE(button->isChecked());
    button->trigger();
    EXPECT_TRUE(legend->isVisible());
    EXPECT_TRUE(button->isChecked());
}

TEST_F(LegendWindow, TheRampShowsItsLimitsAndAPickedColourRecoloursEveryPorosity)
{
    show(0);
    EXPECT_EQ(legend->title(), "PORO");
    for (const char* name : {"lowColourPicker", "middleColourPicker", "highColourPicker"})
        EXPECT_TRUE(inLegend<ColorButton>(name)->isVisible()) << name;
    EXPECT_EQ(inLegend<QWidget>("upperRamp")->geometry(), QRect(77, 39, 35, 65));
    EXPECT_EQ(inLegend<QWidget>("lowerRamp")->geometry(), QRect(77, 104, 35, 65));
    EXPECT_EQ(inLegend<QLabel>("upperLimitLabel")->text().toStdString(), limitText(poro().highLimit));
    EXPECT_EQ(inLegend<QLabel>("lowerLimitLabel")->pos(), QPoint(19, 155));
    EXPECT_EQ(inLegend<ColorButton>("middleColourPicker")->selectedColor(),
              QColor(255, 255, 0));  // porosity's middle colour

    inLegend<ColorButton>("middleColourPicker")->setSelectedColor(QColor(0, 0, 255));
    EXPECT_EQ(s.document.properties.ramps[4].middle, (Rgb{0, 0, 1}));
    QApplication::processEvents();  // the old pickers go once their signal has returned
    EXPECT_EQ(inLegend<ColorButton>("middleColourPicker")->selectedColor(), QColor(0, 0, 255));
    // A cell at the middle of the ramp now takes the new colour.
    const auto& values = poro().values;
    const double middle = (poro().highLimit + poro().lowLimit) / 2;
    const std::size_t nearest =
        std::min_element(values.begin(), values.end(),
                         [&](double a, double b) { return std::abs(a - middle) < std::abs(b - middle); }) -
        values.begin();
    EXPECT_GT(cellColour(nearest).b, 0.7f);

    // The pickers hide while the mouse is over the view and come back over the legend.
    const auto enter = [](QWidget* w) {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(w->mapToGlobal(QPoint(1, 1))));
        QApplication::sendEvent(w, &event);
    };
    enter(form.findChild<QWidget*>("viewPanel"));
    EXPECT_FALSE(inLegend<ColorButton>("lowColourPicker")->isVisible());
    enter(legend);
    EXPECT_TRUE(inLegend<ColorButton>("lowColourPicker")->isVisible());
}

TEST_F(LegendWindow, ALimitIsTypedInItsWindowAndTakenWhenItHides)
{
    show(0);
    auto* limits = form.findChild<ColourLimitsDialog*>("colourLimitsDialog");
    QTest::mouseClick(inLegend<QLabel>("upperLimitLabel"), Qt::LeftButton);
    ASSERT_TRUE(limits->isVisible());
    EXPECT_EQ(limits->windowTitle(), "Change limit");
    auto* text = limits->findChild<QLineEdit*>("limitValue");
    EXPECT_EQ(text->text().toStdString(), limitText(static_cast<float>(poro().highLimit)));
    const double upper = poro().highLimit, lower = poro().lowLimit;

    // Not a number: the window says so, stays open, the limit stays.
    text->setText("abc");
    limits->findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(limits->isVisible());
    EXPECT_TRUE(limits->findChild<QLabel*>("messageLabel")->isVisible());
    EXPECT_EQ(poro().highLimit, upper);

    // A comma works as well as a point; Enter takes it.
    text->setText("0,2");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_FALSE(limits->isVisible());
    EXPECT_EQ(poro().highLimit, 0.2f);
    EXPECT_EQ(inLegend<QLabel>("upperLimitLabel")->text(), "0.200");

    // A lower limit above the upper one is ignored without a word.
    QTest::mouseClick(inLegend<QLabel>("lowerLimitLabel"), Qt::LeftButton);
    text->setText("0.3");
    limits->findChild<QPushButton*>("okButton")->click();
    EXPECT_FALSE(limits->isVisible());
    EXPECT_EQ(poro().lowLimit, lower);
}

TEST_F(LegendWindow, TheFilterWindowsSliderSetsTheCutAndOkTurnsTheFilterViewOn)
{
    show(0);
    auto* filter = form.findChild<PropertyFilterDialog*>("propertyFilterDialog");
    QAction* threed = form.findChild<QAction*>("filterViewCommand");
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    EXPECT_TRUE(threed->isChecked());
    EXPECT_EQ(filter->findChild<QLabel*>("upperLimitLabel")->text().toStdString(), limitText(poro().highLimit));
    EXPECT_EQ(filter->findChild<QLineEdit*>("cutValue")->text().toStdString(),
              limitText((poro().highLimit + poro().lowLimit) / 2));

    // The slider to the bottom of the ramp: the cut is the lower limit; removing the cells above it shades the
    // whole ramp.
    filter->pressSlider(0);
    filter->dragSliderTo(190);
    EXPECT_EQ(filter->findChild<QPushButton*>("cutSlider")->y(), 190);
    filter->findChild<QPushButton*>("cutDirectionButton")->click();
    EXPECT_EQ(filter->findChild<QWidget*>("removedShade")->geometry(), QRect(85, 39, 35, 160));
    filter->findChild<QPushButton*>("okButton")->click();
    EXPECT_FALSE(filter->isVisible());
    EXPECT_TRUE(s.view.is(ViewMode::Filter));
    EXPECT_FALSE(s.view.is(ViewMode::Shell));
    EXPECT_FALSE(s.view.filter.below);
    EXPECT_FLOAT_EQ(s.view.filter.cut, *parseDecimalText(sixDecimalsText(poro().lowLimit, 3)));
    if (form.glView()->contextReady()) {
        EXPECT_EQ(form.glView()->scene().gpu().filteredCells.vaos.size(), static_cast<std::size_t>(NZ));
    }

    // Closed through its title bar, the window applies nothing and the view goes back to the shell.
    threed->trigger();
    EXPECT_FALSE(s.view.filter.on());
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    filter->close();
    EXPECT_FALSE(threed->isChecked());
    EXPECT_FALSE(s.view.is(ViewMode::Filter));
    EXPECT_FALSE(s.view.filter.on());
}

// The filter window keeps a typed range instead of the cut and says how many cells either keeps; a cut typed as 0 is
// a cut. The limit window sets both limits at P5 and P95 of the values, or back to the data range.
TEST_F(LegendWindow, TheFilterWindowKeepsARangeAndCountsAndTheLimitWindowSetsBothLimits)
{
    show(0);
    auto* filter = form.findChild<PropertyFilterDialog*>("propertyFilterDialog");
    QAction* threed = form.findChild<QAction*>("filterViewCommand");
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    const double middle = (poro().highLimit + poro().lowLimit) / 2;
    const double top = *parseDecimalText(sixDecimalsText(middle, 0));
    // The active cells, and those of them up to `top`.
    const std::vector<std::uint8_t>& active = s.document.grid.active;
    std::size_t cells = 0, kept = 0;
    for (std::size_t n = 0; n < poro().values.size(); ++n) {
        if (active.size() == poro().values.size() && !active[n]) continue;
        ++cells;
        kept += poro().values[n] <= top;
    }
    QLineEdit* low = filter->findChild<QLineEdit*>("rangeLowValue");
    QLineEdit* high = filter->findChild<QLineEdit*>("rangeHighValue");
    QTest::keyClicks(low, QString::fromStdString(sixDecimalsText(poro().lowLimit - 1, 0)));
    QTest::keyClicks(high, QString::fromStdString(sixDecimalsText(middle, 0)));
    EXPECT_EQ(filter->findChild<QLabel*>("keptCellsLabel")->text().toStdString(),
              keptCellsText("PORO", kept, cells, "en"));
    filter->findChild<QPushButton*>("keepRangeButton")->click();
    EXPECT_FALSE(filter->isVisible());
    EXPECT_EQ(s.view.filter.keep, PropertyFilterSetting::Keep::Range);
    EXPECT_TRUE(s.view.is(ViewMode::Filter));

    threed->trigger();
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    QLineEdit* cut = filter->findChild<QLineEdit*>("cutValue");
    cut->clear();
    QTest::keyClicks(cut, "0");
    EXPECT_EQ(filter->findChild<QLabel*>("keptCellsLabel")->text().toStdString(),
              keptCellsText("PORO", cells, cells, "en"));
    QTest::keyClick(cut, Qt::Key_Return);
    EXPECT_FALSE(filter->isVisible());
    EXPECT_EQ(s.view.filter, PropertyFilterSetting::cutAt(0, true));

    auto* limits = form.findChild<ColourLimitsDialog*>("colourLimitsDialog");
    QTest::mouseClick(inLegend<QLabel>("upperLimitLabel"), Qt::LeftButton);
    ASSERT_TRUE(limits->isVisible());
    limits->findChild<QPushButton*>("percentileLimitsButton")->click();
    EXPECT_FALSE(limits->isVisible());
    EXPECT_GT(poro().lowLimit, poro().min);
    EXPECT_LT(poro().highLimit, poro().max);
    QTest::mouseClick(inLegend<QLabel>("lowerLimitLabel"), Qt::LeftButton);
    EXPECT_EQ(limits->findChild<QPushButton*>("dataRangeButton")->text(), "Data range");
    limits->findChild<QPushButton*>("dataRangeButton")->click();
    EXPECT_EQ(poro().lowLimit, poro().min);
    EXPECT_EQ(poro().highLimit, poro().max);

    // A property of codes: the field under the ramp takes the codes to keep.
    threed->trigger();
    show(1);
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    QLineEdit* codes = filter->findChild<QLineEdit*>("rangeLowValue");
    EXPECT_FALSE(filter->findChild<QLineEdit*>("rangeHighValue")->isVisible());
    QTest::keyClicks(codes, "x");
    filter->findChild<QPushButton*>("keepRangeButton")->click();
    EXPECT_TRUE(filter->isVisible());  // not a code: said, nothing applied
    EXPECT_TRUE(filter->findChild<QLabel*>("messageLabel")->isVisible());
    codes->clear();
    QTest::keyClicks(codes, "2, 0");
    const auto held = static_cast<std::size_t>(
        std::count_if(litho().codes.begin(), litho().codes.end(), [](int c) { return c == 0 || c == 2; }));
    EXPECT_NE(filter->findChild<QLabel*>("keptCellsLabel")->text().toStdString().find(groupedCount(held) + " of"),
              std::string::npos)
        << filter->findChild<QLabel*>("keptCellsLabel")->text().toStdString();
    QTest::keyClick(codes, Qt::Key_Return);
    EXPECT_FALSE(filter->isVisible());
    EXPECT_EQ(s.view.filter, PropertyFilterSetting::holding({0, 2}));
}

// The palette window lists the codes of the shown property: a name typed there and a code taken out of the legend
// go to the property and its legend at once; for a property of values the table is empty.
TEST_F(LegendWindow, ThePaletteWindowNamesTheShownCodesAndTakesThemOutOfTheLegend)
{
    QString title;
    QStringList headers, codes;
    const auto editInPalette = [&](std::function<void(QTableWidget*)> edit) {
        QTimer::singleShot(0, [&, edit] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            auto* table = dialog->findChild<QTableWidget*>();
            headers.clear();
            codes.clear();
            for (int c = 0; c < table->columnCount(); ++c) headers << table->horizontalHeaderItem(c)->text();
            for (int r = 0; r < table->rowCount(); ++r) codes << table->item(r, 0)->text();
            edit(table);
            dialog->close();
        });
        form.findChild<QAction*>("paletteItem")->trigger();
    };
    ASSERT_EQ(litho().distinctCodes, (std::vector<int>{0, 1}));
    editInPalette([](QTableWidget* table) {
        table->item(0, 2)->setText(" Sand ");
        table->item(1, 3)->setCheckState(Qt::Unchecked);
    });
    EXPECT_EQ(title, "Property colour palette");
    EXPECT_EQ(headers, (QStringList{"Code", "Colour", "Name", "In legend"}));
    EXPECT_EQ(codes, (QStringList{"0", "1"}));
    EXPECT_EQ(litho().codeNames, (std::map<int, std::string>{{0, "Sand"}}));
    EXPECT_EQ(s.view.legendHiddenCodes["Litho"], (std::set<int>{1}));
    QApplication::processEvents();
    ASSERT_NE(inLegend<QLabel>("codeLabel_0"), nullptr);
    EXPECT_EQ(inLegend<QLabel>("codeLabel_0")->text(), "0 Sand");
    EXPECT_EQ(inLegend<QWidget>("codeBar_1"), nullptr);

    // The name cleared and the code back in the legend: the bars as they were.
    editInPalette([](QTableWidget* table) {
        EXPECT_EQ(table->item(0, 2)->text(), "Sand");
        table->item(0, 2)->setText("");
        table->item(1, 3)->setCheckState(Qt::Checked);
    });
    QApplication::processEvents();
    EXPECT_TRUE(litho().codeNames.empty());
    EXPECT_EQ(inLegend<QLabel>("codeLabel_0")->text(), "0");
    ASSERT_NE(inLegend<QWidget>("codeBar_1"), nullptr);
    EXPECT_EQ(inLegend<QWidget>("codeBar_1")->geometry().bottom() + 1, legend_bars::Baseline);

    show(0);
    editInPalette([](QTableWidget*) {});
    EXPECT_TRUE(codes.isEmpty());
}

// Properties loaded while the filter view is on get one node each, in load order, and each shows its own kind and
// limits when its node is chosen.
TEST_F(LegendWindow, PropertiesLoadedInTheFilterViewGetOneNodeEachAndTheirOwnLegend)
{
    show(0);
    auto* filter = form.findChild<PropertyFilterDialog*>("propertyFilterDialog");
    QAction* threed = form.findChild<QAction*>("filterViewCommand");
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    filter->findChild<QPushButton*>("okButton")->click();
    ASSERT_TRUE(s.view.is(ViewMode::Filter));

    gen::PropertyDefinition permx = continuous("PERMX", 5);
    permx.keyword = "PERMX";
    permx.minValue = 10;
    permx.maxValue = 900;
    const std::string file = testing::writeText(folder.file("MORE.GRDECL"), propertyText({permx, discrete("FACIES")}));
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{file});
    prompts->typeAnswers = {std::vector<int>{5, 2}};
    form.setUserPrompts(std::move(prompts));
    form.findChild<QAction*>("importPropertiesItem")->trigger();
    ASSERT_EQ(testing::propertyNames(s.document.properties),
              (std::vector<std::string>{"PORO", "Litho", "PERMX", "FACIES"}));
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QStringList nodes;
    for (int n = 0; n < root->childCount(); ++n) nodes << root->child(n)->text(0);
    EXPECT_EQ(nodes, (QStringList{"PORO", "Litho", "PERMX", "FACIES"}));
    EXPECT_FALSE(threed->isChecked());
    EXPECT_FALSE(s.view.is(ViewMode::Filter));

    show(2);
    const Property& loaded = s.document.properties.items.at(2);
    EXPECT_EQ(loaded.kind, PropertyKind::Permeability);
    EXPECT_FALSE(legend->findChild<QWidget*>("codeBar_0"));
    EXPECT_EQ(inLegend<QLabel>("upperLimitLabel")->text().toStdString(), limitText(loaded.highLimit));
    EXPECT_EQ(inLegend<QLabel>("lowerLimitLabel")->text().toStdString(), limitText(loaded.lowLimit));
    EXPECT_GT(loaded.highLimit, 100);
    EXPECT_EQ(inLegend<ColorButton>("middleColourPicker")->selectedColor(), QColor(0, 255, 0));
    show(3);
    EXPECT_EQ(s.document.properties.items.at(3).kind, PropertyKind::Facies);
    EXPECT_NE(inLegend<QWidget>("codeBar_0"), nullptr);
}

// The colour-limit and filter windows belong to the property they were opened for: choosing another one closes
// them with nothing applied, and the filter view ends as a choice in the tree always ends it.
TEST_F(LegendWindow, TheLimitAndFilterWindowsCloseWhenAnotherPropertyIsChosen)
{
    show(0);
    const double upper = poro().highLimit;
    auto* limits = form.findChild<ColourLimitsDialog*>("colourLimitsDialog");
    QTest::mouseClick(inLegend<QLabel>("upperLimitLabel"), Qt::LeftButton);
    ASSERT_TRUE(limits->isVisible());
    limits->findChild<QLineEdit*>("limitValue")->setText("0.2");
    show(1);
    const Rgb lithoCell = cellColour(0);
    EXPECT_FALSE(limits->isVisible());
    EXPECT_EQ(poro().highLimit, upper);
    EXPECT_EQ(litho().highLimit, litho().max);
    EXPECT_NE(inLegend<QWidget>("codeBar_0"), nullptr);

    show(0);
    auto* filter = form.findChild<PropertyFilterDialog*>("propertyFilterDialog");
    QAction* threed = form.findChild<QAction*>("filterViewCommand");
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    show(1);
    EXPECT_FALSE(filter->isVisible());
    EXPECT_FALSE(threed->isChecked());
    EXPECT_FALSE(s.view.is(ViewMode::Filter));
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_EQ(cellColour(0), lithoCell);

    // Filtering again and choosing a node still ends the filter view.
    show(0);
    threed->trigger();
    filter->findChild<QPushButton*>("okButton")->click();
    ASSERT_TRUE(s.view.is(ViewMode::Filter));
    show(1);
    EXPECT_FALSE(s.view.is(ViewMode::Filter));
    EXPECT_FALSE(threed->isChecked());
}

// The colour chooser of a ramp picker is a plain dialog of the main window: none of the legend's styling (white
// labels, buttons painted in the ramp's colours) reaches it.
TEST_F(LegendWindow, TheColourChooserLooksLikeAnyDialog)
{
    show(0);
    bool inLegendBox = true;
    QColor labelText, buttonFace;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        inLegendBox = false;
        for (QWidget* up = dialog->parentWidget(); up; up = up->parentWidget()) inLegendBox |= up == legend;
        labelText = dialog->findChild<QLabel*>()->palette().color(QPalette::WindowText);
        buttonFace = dialog->findChild<QPushButton*>()->palette().color(QPalette::Button);
        dialog->close();
    });
    inLegend<ColorButton>("middleColourPicker")->click();
    EXPECT_FALSE(inLegendBox);
    EXPECT_EQ(labelText, QApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(buttonFace, QApplication::palette().color(QPalette::Button));
}

// The windows' titles and headers, the import's file filter and its newer log lines in the interface language.
TEST_F(LegendWindow, WindowsAndLogLinesSpeakTheInterfaceLanguage)
{
    auto* filter = form.findChild<PropertyFilterDialog*>("propertyFilterDialog");
    EXPECT_EQ(filter->windowTitle(), "Property filter");
    form.findChild<QAction*>("russianItem")->trigger();
    EXPECT_EQ(filter->windowTitle(), QString::fromUtf8("Фильтр свойства"));
    QString paletteTitle;
    QStringList headers;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        paletteTitle = dialog->windowTitle();
        auto* table = dialog->findChild<QTableWidget*>();
        for (int c = 0; c < table->columnCount(); ++c) headers << table->horizontalHeaderItem(c)->text();
        dialog->close();
    });
    form.findChild<QAction*>("paletteItem")->trigger();
    EXPECT_EQ(paletteTitle, QString::fromUtf8("Настройка цветовой палитры свойства"));
    EXPECT_EQ(headers, (QStringList{"Код", "Цвет", "Название", "В легенде"}));

    // The same file again: its properties are renamed, which the log says in Russian; a file for another grid is
    // refused with its counts in Russian.
    const std::string again = folder.file("ROCK.GRDECL");
    const std::string other = testing::writeText(folder.file("OTHER.GRDECL"), propertyText({continuous("SW")}, 3));
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{again, other});
    prompts->typeAnswers = {std::vector<int>{4, 1}, std::vector<int>{6}};
    RecordedPrompts& asked = *prompts;
    form.setUserPrompts(std::move(prompts));
    form.findChild<QAction*>("importPropertiesItem")->trigger();
    form.findChild<QAction*>("importPropertiesItem")->trigger();
    EXPECT_EQ(asked.questions.at(0).filter, "Файлы GRDECL|*.GRDECL|Все файлы (*.*)|*.*");
    QStringList log;
    for (const auto& line : testing::logLines(form.findChild<QTextEdit*>("eventsLog"))) log << line.text;
    EXPECT_TRUE(log.contains(QString::fromUtf8("Свойство с именем PORO уже загружено: это названо PORO (2)")))
        << log.join('\n').toStdString();
    const QString refused = log.filter("Property file does not correspond to loaded grid").value(0);
    EXPECT_TRUE(refused.contains(QString::fromUtf8("значений, в гриде 24 ячеек"))) << refused.toStdString();

    form.findChild<QAction*>("englishItem")->trigger();
    EXPECT_EQ(filter->windowTitle(), "Property filter");
}

// Codes named in comment lines beside their block and in a companion file beside the property file: the names of
// the file win, its rows left out are said in the log, and the legend lists "code name".
TEST_F(LegendWindow, CodeNamesFromTheFileAndItsCompanionShowInTheLegend)
{
    const std::string file = testing::writeText(folder.file("ZONEFILE.GRDECL"),
                                                "-- CODE NAME\n-- 0 Shale\n-- 1 Sand\nZONES\n8*0 8*1 8*2 /\n");
    testing::writeText(folder.file("ZONEFILE_codes.txt"), "2 Coal\n1 Sandstone\nnot a row\n");
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{file});
    prompts->typeAnswers = {std::vector<int>{7}};
    form.setUserPrompts(std::move(prompts));
    form.findChild<QAction*>("importPropertiesItem")->trigger();
    const Property* zones = s.document.properties.find("ZONES");
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->codeNames, (std::map<int, std::string>{{0, "Shale"}, {1, "Sandstone"}, {2, "Coal"}}));
    QStringList log;
    for (const auto& line : testing::logLines(form.findChild<QTextEdit*>("eventsLog"))) log << line.text;
    EXPECT_TRUE(
        log.contains("ZONEFILE_codes.txt, line 3: \"not a row\" is not a code and a name; the line is left out"))
        << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains("ZONES: names of 2 codes read from ZONEFILE_codes.txt"));
    QApplication::processEvents();
    ASSERT_NE(inLegend<QLabel>("codeLabel_1"), nullptr);
    EXPECT_EQ(inLegend<QLabel>("codeLabel_1")->text(), "1 Sandstone");
    EXPECT_GT(inLegend<QLabel>("codeLabel_1")->x(), inLegend<QWidget>("codeBar_1")->geometry().right());
}

// A region property of a hundred codes, one of them in a single cell: every code keeps a bar that can be seen and
// clicked, the box stays small enough to leave the model in view, and the bars beyond it scroll.
TEST(LegendCodes, AHundredRegionsEachKeepAClickableBarInABoxThatScrolls)
{
    PropertySet properties;
    std::vector<int> codes;
    for (int code = 1; code <= 100; ++code) codes.insert(codes.end(), code == 100 ? 1 : 100, code);
    properties.add(makeDiscreteProperty("REGIONS", PropertyKind::Regions, codes));
    PropertyLegend legend;
    showLegendOf(legend, properties, "REGIONS", 1500);
    legend.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&legend));
    auto* scroll = legend.findChild<QScrollArea*>("codeBarScroll");
    ASSERT_NE(scroll, nullptr);
    EXPECT_LE(legend.height(), PropertyLegend::DiscreteBottom + 8);
    EXPECT_LE(legend.width(), legend_bars::WidestRow + 40);
    for (int code = 1; code <= 100; ++code) {
        auto* bar = legend.findChild<QWidget*>(QStringLiteral("codeBar_%1").arg(code));
        ASSERT_NE(bar, nullptr) << code;
        EXPECT_GE(bar->height(), legend_bars::Shortest) << code;
    }
    QSignalSpy clicks(&legend, &PropertyLegend::barClicked);
    auto* rare = legend.findChild<QWidget*>("codeBar_100");
    scroll->ensureWidgetVisible(rare);
    QTest::mouseClick(rare, Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(1).toInt(), 100);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
