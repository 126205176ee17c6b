// The legend, the colour-limit window, the property filter window and the palette window through the main window,
// on a generated grid with a porosity and a lithology.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "core/decimal_text.h"
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
    EXPECT_EQ(s.view.filter.cut, 0.0f);
    threed->trigger();
    ASSERT_TRUE(filter->isVisible());
    filter->close();
    EXPECT_FALSE(threed->isChecked());
    EXPECT_FALSE(s.view.is(ViewMode::Filter));
    EXPECT_EQ(s.view.filter.cut, 0.0f);
}

TEST_F(LegendWindow, ThePaletteWindowOpensEmpty)
{
    QString title;
    QStringList headers;
    int rows = -1;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        auto* table = dialog->findChild<QTableWidget*>();
        rows = table->rowCount();
        for (int c = 0; c < table->columnCount(); ++c) headers << table->horizontalHeaderItem(c)->text();
        dialog->close();
    });
    form.findChild<QAction*>("paletteItem")->trigger();
    EXPECT_EQ(title, "Настройка цветовой палитры свойства");
    EXPECT_EQ(headers, (QStringList{"Код", "Цвет"}));
    EXPECT_EQ(rows, 0);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
