// The main window: the menus and the ribbon (tab row and command row) above, the wells, model tree and events log
// panels at the left, the view panel (the GL view and its overlays) at the right, the status strip below.
//
// The class is spread over several files by concern: main_window.cpp (construction, load, resize, feedback
// channels), main_window_layout.cpp (the controls and where they sit), main_window_language.cpp (texts and
// language), main_window_modes.cpp (the commands: view modes, tabs, display toggles, windows),
// main_window_camera.cpp (frame timer, mouse, keys, slider), main_window_import.cpp (grid and property import,
// model tree selection), main_window_legend.cpp (legend, palettes, property filter and colour limits),
// main_window_wells.cpp (well import and the well display settings), main_window_data_manager.cpp (the data
// manager and the contact toggles), main_window_section.cpp (the well section), main_window_clipboard.cpp (copy
// picture), main_window_files.cpp (recent files and drops). The panels, the menus and the ribbon are classes of
// their own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QColor>
#include <QMainWindow>
#include <QPoint>

#include "commands/camera_control.h"
#include "commands/cell_pick.h"
#include "commands/contacts_command.h"
#include "commands/frame_schedule.h"
#include "commands/grid_import_command.h"
#include "commands/model_state.h"
#include "commands/property_display.h"
#include "commands/property_import_command.h"
#include "commands/recent_files.h"
#include "commands/view_modes.h"
#include "commands/well_import_command.h"
#include "commands/well_section_command.h"
#include "core/feedback.h"
#include "core/user_prompts.h"
#include "ui/gl_view.h"
#include "ui/main_menus.h"
#include "ui/ribbon.h"
#include "ui/window_commands.h"

class QAction;
class QSplitter;
class QTimer;

namespace morvane {

class AppSettings;
class ColourLimitsDialog;
class EventsLogPanel;
class ModelTreePanel;
class PaletteDialog;
class PropertyFilterDialog;
class PropertyLegend;
class SectionWellPicker;
class SettingsDialog;
class StatisticsDialog;
class StatusStrip;
class SupportDialog;
class ViewPanel;
class WellsPanel;

class MainWindow : public QMainWindow,
                   public Feedback,
                   public CameraFields,
                   private GridImportWindow,
                   private PropertyImportWindow,
                   private PropertyDisplayWindow,
                   private WellImportWindow,
                   private WellSectionWindow {
    Q_OBJECT
public:
    // The window shows and changes `state`, which its owner keeps for the window's whole life.
    explicit MainWindow(ModelState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The smallest window: it fits a 1366 x 768 laptop screen with its title bar and a task bar.
    static constexpr int kMinimumWidth = 1000;
    static constexpr int kMinimumHeight = 600;

    // Answers to file dialogs and message boxes; tests put recorded answers here.
    void setUserPrompts(std::unique_ptr<UserPrompts> prompts);
    UserPrompts& userPrompts() { return *prompts_; }

    // Feedback channels: the status label, the progress bar, the events log and the trace.
    void setStatus(const std::string& text) override;
    void setProgress(int value) override;
    int progress() const override;
    void appendLog(const std::string& text, LogColour colour) override;
    void trace(const std::string& line) override;

    // The imports, as the menu commands run them (with their file dialogs) and without the dialogs.
    GridImportOutcome importGrid();
    GridImportOutcome importGridFromPath(const std::string& path);
    PropertyImportResult importProperties();
    // The property import without its file dialog: by default every property without a kind (the command line);
    // a drop or a recent file asks the kinds as the menu command does.
    PropertyImportResult importPropertiesFromPath(const std::string& path, PropertyTypes types = PropertyTypes::None);
    WellImportResult importWells();
    // Well files given on the command line: loaded with the column dialog's preselection, without the dialog; with
    // `askColumns`, the column dialog is asked for each as in the menu command.
    WellImportResult importWellsFromPaths(const std::vector<std::string>& paths, bool askColumns = false);
    // Selects the tree node of the loaded property `name`; false when none has that name.
    bool showProperty(const std::string& name);
    // Uniform contacts given on the command line (metres below datum), shown with their toggles checked.
    void showUniformContacts(std::optional<double> owcDepth, std::optional<double> gocDepth);
    // Production from a file given on the command line, shown as circle diagrams when wells are loaded.
    void importProductionFromPath(const std::string& path);

    // Files by their content (grids, property files, deviation files), as a drop or the recent files open them:
    // the grids first, then the properties, then the wells; a file of no known kind is said in the log.
    void openDataFiles(const std::vector<std::string>& paths);
    void openRecentFile(const RecentFile& file);
    // The Project menu's recent files, from the settings.
    void refreshRecentMenu();

    // The frame timer runs only while a frame is asked for or the view animates (see FrameSchedule): requestFrame
    // after any change the view shows. A tick draws the frame if one is due, takes the next step of a turn and
    // updates the hover and the status.
    void requestFrame();
    void onFrameTimer();

    // The copied picture's width for the current panel (see clipboardPictureWidth).
    int clipboardWidth() const;
    // The 3D view (null once the window is going).
    GlView* glView() const { return glView_; }
    // The window's commands: where they show, their texts and shortcuts, what they run (ui/window_commands.cpp).
    static std::span<const WindowCommand> commandTable();
    // Runs the command `id` of the table as its ribbon action or menu item would; false for an unknown id or a
    // command that is not available yet.
    bool runCommand(std::string_view id);
    // The view's scene operations for the commands; null once the window is going.
    SceneOperations* sceneOperations() { return glView_ ? &glView_->scene() : nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction: the controls, where they sit, what they are connected to; the stored settings taken.
    void buildControls();
    void buildPanels();
    void buildViewPanel();
    void connectCommands();
    void connectViewPanel();
    void applyStoredSettings();
    // The window's place and size and the splitters' positions, put back from the settings and saved on close.
    void restoreWindowLayout(const AppSettings& store);
    void saveWindowLayout(AppSettings& store) const;
    // The view panel's overlays, the finished tick and the view buttons placed for the window's size.
    void layOutView();
    void resizeGlToPanel();
    void placeViewButtons();
    // The command row never narrower than its buttons (the area scrolls instead); after captions or tabs change.
    void fitCommandRow();
    void showExaggeration();
    void applyBackgroundColor();
    PropertyLegend& legend() const;

    // Texts and language.
    void showTexts();
    void checkLanguageItem();
    void chooseLanguage(const std::string& lang);

    // The commands of the menus and the ribbon.
    void openImportMenu();
    // The data manager, on its first page or (Load production data) on its production page.
    void openDataManager(bool productionPage = false);
    void toggleProduction();
    void toggleLegend();
    void showStatistics();
    void openPaletteDialog();
    // The palette window: the shown property's codes with their colours, names and legend marks; what the user
    // changes there goes to the property and its legend.
    void fillPaletteDialog();
    void connectPaletteDialog();
    void toggleGridLinesItem();
    void toggleInactiveCells();
    void toggleWellsOnTop();
    void openSettings();
    // The settings dialog closed: what it stored taken into the view.
    void takeSettings();
    void quit();
    void clickViewTab();
    void clickAnalysisTab();
    void showTab(bool view);
    void toggleWellSection();
    void toggleFlatSection();
    void toggleLayerView();
    void toggleFilterView();
    void toggleTopView();
    void toggleRotation();
    void showRotateTip();
    void setGridLinesFromButton();
    void toggleCutWells();
    void copyViewToClipboard();
    void showAbout();
    void showFeedback();
    void showSupport();
    // View-mode helpers: the check marks of the mode group, the shell view, the displayed property recoloured.
    void checkOnlyMode(QAction* mode);
    void applyModeButtons(QAction* mode, ModeButtons buttons);
    void uncheckModes();
    void rebuildPropertyArrays();

    // The well section: the picking window was shown or hidden (hidden by its build button, the section is built);
    // the picked section unfolded and shown in 2D (or the mode switched off when it cannot be built).
    void buildSectionWhenPicked();
    bool buildWellSection();

    // The panels' choices: a contact toggle; the node selected in the model tree (the property shown, or the grid
    // alone); entry n of the well line width menu (1..10) and of the label size menu (4..30), the label and line
    // colours.
    void showContact(ContactKind kind, bool on);
    void selectModelTreeNode();
    void setWellLineWidth(int n);
    void setWellLabelSize(int n);
    void setWellLabelColour(const QColor& colour);
    void setWellLineColour(const QColor& colour);
    // The contact toggles: shown for a contact that is set, hidden (and off) otherwise.
    void showContactToggles();

    // The legend: a colour picked for stop 1 (low), 2 (middle) or 3 (high) of the ramp; a click on a limit opens
    // the colour-limit window on it; a click on the bar of `code` gives the code a new random colour; the pointer
    // over the legend shows the ramp's pickers, over the view it hides them.
    void refreshLegend() override;
    void changeRampColourTo(int stop, const QColor& colour);
    void editColourLimit(bool upper);
    void recolourCodeBar(QWidget* bar, int code);
    void showRampPickers();
    void hideRampPickers();
    // The property filter and colour-limit windows hidden: what they hold applied unless they were cancelled or
    // belong to a property no longer on show.
    void applyChosenFilter();
    void applyEditedLimit();
    // The filter and colour-limit windows opened for another property than `shown` closed, applying nothing.
    void closeWindowsOfOtherProperties(const std::string& shown);
    // The room the view leaves the legend for a row of code bars.
    int legendRowWidth() const;

    // The mouse over the view: a drag with `buttons` held moves the camera, a press in the well section mode adds
    // the hovered well, a release ends the drag, the wheel zooms.
    void dragInView(Qt::MouseButtons buttons, QPoint screenPos);
    void pressInView(Qt::MouseButton button);
    void releaseInView(Qt::MouseButton button);
    void turnWheelInView(int delta);
    // Ctrl+click or a double-click on the view: the cell there is marked and the status bar says what it is.
    void pickCellAt(QPoint panelPos);
    // The picked cell's status said again in the current language and with the displayed property; cleared when a
    // new grid took the mark away.
    void refreshPickedCell();
    // `key` the toolkit's key code; `x11KeyCode` the key's place on the keyboard where the platform gives it.
    void onKeyDown(int key, std::uint32_t x11KeyCode = 0);
    void onKeyUp(int key, std::uint32_t x11KeyCode = 0);
    // The vertical exaggeration slider: grabbed at `y` inside it, dragged, released.
    void grabExaggerationSlider(int y);
    void dragExaggerationSlider(Qt::MouseButtons buttons);
    void releaseExaggerationSlider();
    void updateFrameTimer();
    // The hand cursor over a well label and the wells under the pointer.
    void updateHover();

    // GridImportWindow and PropertyImportWindow: the controls the imports drive.
    void beginWait() override;
    void endWait(bool finished) override;
    void keepResponsive() override;
    void focusTree() override;
    void enableTopView() override;
    void uncheckModeButtons() override;
    void useTreeImages() override;
    void setLegendCaption(const std::string& text) override;
    void showLegend() override;
    GridImportContext importContext(UserPrompts& prompts);
    PropertyImportContext propertyImportContext(UserPrompts& prompts);
    // Files of one kind that loaded go to the front of the recent files.
    void rememberRecentFiles(DataFileKind kind, const std::vector<std::string>& paths);
    // PropertyDisplayWindow: the legend and the filter view button for the property display commands.
    void clearLegend() override;
    bool filterViewChecked() const override;
    void uncheckFilterView() override;
    PropertyDisplayContext propertyDisplayContext();
    // WellImportWindow: the controls the well import drives.
    void setWaitCursor(bool on) override;
    void showFinished(bool front) override;
    void focusWellTree() override;
    void addWellNode(const std::string& name) override;
    // PropertyImportWindow: a property just loaded gets its node in the model tree.
    void addPropertyNode(const std::string& name, int kindCode) override;
    WellImportContext wellImportContext(UserPrompts& prompts);
    // WellSectionWindow: the selection window, the mode button, the view buttons and the section's colours.
    void showSelectionWindow() override;
    void hideSelectionWindow() override;
    void addSectionRow(const std::string& well, int number) override;
    void releaseSectionButton() override;
    void enableViewButtons(bool enabled) override;
    void applySectionColours(bool sectionShown) override;
    WellSectionContext wellSectionContext();

    ModelState& state_;
    GlView* glView_ = nullptr;
    ViewPanel* viewPanel_ = nullptr;
    QTimer* frameTimer_ = nullptr;
    StatusStrip* statusStrip_ = nullptr;
    WellsPanel* wellsPanel_ = nullptr;
    ModelTreePanel* modelTree_ = nullptr;
    EventsLogPanel* eventsLog_ = nullptr;
    StatisticsDialog* statisticsDialog_ = nullptr;
    PaletteDialog* paletteDialog_ = nullptr;
    ColourLimitsDialog* colourLimitsDialog_ = nullptr;
    PropertyFilterDialog* propertyFilterDialog_ = nullptr;
    SettingsDialog* settingsDialog_ = nullptr;
    SectionWellPicker* sectionWellPicker_ = nullptr;
    SupportDialog* supportDialog_ = nullptr;
    std::optional<CellAddress> pickedCell_;
    std::unique_ptr<UserPrompts> prompts_;
    // The key event last acted on, so one that travels up through the parents counts once.
    const QEvent* lastKeyEvent_ = nullptr;
    quint64 lastKeyTimestamp_ = 0;
    int lastKeyType_ = 0;
    int lastKey_ = 0;
    FrameSchedule frames_;
    std::mt19937 barColours_;  // seeded once per run: every click on a code bar draws a new colour
    bool wellWaitCursor_ = false;
    QColor legendTextColour_ = Qt::white;  // black while the well section is shown on white

    MainMenus menus_;
    Ribbon ribbon_;
    QSplitter *mainSplitter_ = nullptr, *sidePanelsSplitter_ = nullptr, *dataPanelsSplitter_ = nullptr;
};

}  // namespace morvane
