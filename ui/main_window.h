// The main window: menus, the ribbon-like tab and command rows, the wells, model and events panes, the status
// strip, and the 3D view with its overlays in the right panel of the split container.
//
// The class is spread over several files by concern: main_window.cpp (construction, load, resize, feedback
// channels), main_window_layout.cpp (the controls), main_window_language.cpp (texts and language),
// main_window_modes.cpp (view modes and the other commands), main_window_camera.cpp (frame timer, mouse, keys,
// slider), main_window_import.cpp (grid and property import, property tree selection), main_window_legend.cpp
// (legend, palettes, property filter and colour limits), main_window_wells.cpp (well import and the well display
// settings), main_window_data_manager.cpp (the data manager and the contact toggles), main_window_section.cpp (the
// well section), main_window_clipboard.cpp (copy picture), main_window_files.cpp (recent files and drops).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <QColor>
#include <QMainWindow>
#include <QPoint>

#include "commands/camera_control.h"
#include "commands/cell_pick.h"
#include "commands/contacts_command.h"
#include "commands/frame_schedule.h"
#include "commands/grid_import_command.h"
#include "commands/property_display.h"
#include "commands/property_import_command.h"
#include "commands/recent_files.h"
#include "commands/view_modes.h"
#include "commands/well_import_command.h"
#include "commands/well_section_command.h"
#include "core/feedback.h"
#include "model/model_state.h"
#include "core/user_prompts.h"
#include "ui/main_menus.h"
#include "ui/ribbon.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;

namespace morvane {

class ColorButton;
class ColourLimitsDialog;
class EventsLogPanel;
class GlView;
class ModelTreePanel;
class WellsPanel;
class PaletteDialog;
class SupportDialog;
class PropertyFilterDialog;
class PropertyLegend;
class StatusStrip;
class ViewPanel;
class SectionWellPicker;
class SettingsDialog;
class StatisticsDialog;

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
    explicit MainWindow(QWidget* parent = nullptr);
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

    // Load and layout.
    void applyStoredSettings();
    void layOutView();
    void splitContainer1_SplitterMoved();

    // Texts and language.
    void updateFormLang();
    void updateLang();
    void EnglishLangMenuItem_Click();
    void RussianLangMenuItem_Click();

    // Commands.
    void importMainMenu_ButtonClick();
    GridImportOutcome importMainMenu_grid_Click();
    GridImportOutcome importGridFromPath(const std::string& path);  // the command without its file dialog
    PropertyImportResult importMainMenu_prop_Click();
    // The property import without its file dialog: by default every property without a kind (the command line);
    // a drop or a recent file asks the kinds as the menu command does.
    PropertyImportResult importPropertiesFromPath(const std::string& path, PropertyTypes types = PropertyTypes::None);
    // Selects the tree node of the loaded property `name`; false when none has that name.
    bool showProperty(const std::string& name);
    WellImportResult importMainMenu_well_Click();
    // Well files given on the command line: loaded with the column dialog's preselection, without the dialog; with
    // `askColumns`, the column dialog is asked for each as in the menu command.
    WellImportResult importWellsFromPaths(const std::vector<std::string>& paths, bool askColumns = false);

    // Files by their content (grids, property files, deviation files), as a drop or the recent files open them:
    // the grids first, then the properties, then the wells; a file of no known kind is said in the log.
    void openDataFiles(const std::vector<std::string>& paths);
    void openRecentFile(const RecentFile& file);
    // The Project menu's recent files, from the settings.
    void refreshRecentMenu();
    void dataManagerMainMenu_Click();
    // Uniform contacts given on the command line (metres below datum), shown with their toggles checked.
    void showUniformContacts(std::optional<double> owcDepth, std::optional<double> gocDepth);
    void productionMainMenu_Click();
    // Production from a file given on the command line, shown as circle diagrams when wells are loaded.
    void importProductionFromPath(const std::string& path);
    void загрузитьДанныеПоДобычеToolStripMenuItem_Click();
    void legendMainMenu_Click();
    void toolStripButton10_Click();
    void авторToolStripMenuItem_Click();
    void настроитьПалитруToolStripMenuItem_Click();
    void скрытьСеткуЯчеекToolStripMenuItem_Click();
    void modelMenu_fitview_Click();
    void modelMenu_inactive_Click();
    void отобразитьСкважиныПоверхМоделиToolStripMenuItem_Click();
    void общиеНастройкиToolStripMenuItem_Click();
    void takeSettings();
    void выйтиToolStripMenuItem_Click();
    void viewTab_Click_1();
    void analysisTab_Click_1();
    void wellsectionMainMenu_Click();
    // The selection window was shown or hidden: hidden by its build button, the section is built.
    void buildSectionWhenPicked();
    // Unfolds the picked section and shows it in 2D (or switches the mode off when it cannot be built).
    bool RenderWellSection();
    void flatsectionMainMenu_Click();
    void layersMainMenu_Click();
    void threedMainMenu_Click();
    void twod_Menu_Click();
    void rotate_Menu_Click();
    void rotate_Menu_MouseHover();
    void displayGrid_Menu_Click();
    void cut_well_Menu_Click();
    // A contact toggle under the model tree: the contact drawn or not.
    void showContact(ContactKind kind, bool on);
    // The wells panel's choices: entry n of the line width menu (1..10) and of the label size menu (4..30), the
    // label and the line colour.
    void setWellLineWidth(int n);
    void setWellLabelSize(int n);
    void setWellLabelColour(const QColor& colour);
    void setWellLineColour(const QColor& colour);
    void toolStripButton14_Click();
    void оПрограммеToolStripMenuItem2_Click();
    void FeedbackMenu_Click();
    void помощьToolStripMenuItem_Click();
    // The node selected in the model tree: the property shown, or the grid alone.
    void selectModelTreeNode();

    // Legend, palettes, property filter and colour limits.
    void refreshContMorvane(int perKindIndex, int nodeIndex) override;
    void refreshDiscMorvane(int perKindIndex) override;
    // A colour picked for stop 1 (low), 2 (middle) or 3 (high) of the legend's ramp.
    void changeRampColourTo(int stop, const QColor& colour);
    // A click on a limit of the legend opens the colour-limit window on it.
    void editColourLimit(bool upper);
    // A click on the bar of `code` in the discrete legend: the code gets a new random colour.
    void recolourCodeBar(QWidget* bar, int code);
    // The pointer over the legend shows the ramp's colour pickers; over the view it hides them.
    void showRampPickers();
    void hideRampPickers();
    void applyChosenFilter();
    void applyEditedLimit();

    // Frame timer, mouse over the view, keys, exaggeration slider. The timer runs only while a frame is asked for
    // or the view animates (see FrameSchedule): requestFrame after any change the view shows.
    void requestFrame();
    // A tick of the frame timer: the frame drawn if one is due, the next step of a turn, the hover and the status.
    void onFrameTimer();
    // The mouse over the view: a drag with `buttons` held moves the camera, a press in the well section mode adds
    // the hovered well, a release ends the drag, the wheel zooms.
    void dragInView(Qt::MouseButtons buttons, QPoint screenPos);
    void pressInView(Qt::MouseButton button);
    void releaseInView(Qt::MouseButton button);
    void turnWheelInView(int delta);
    // Ctrl+click or a double-click on the view: the cell there is marked and the status bar says what it is.
    void pickCellAt(QPoint panelPos);
    // `key` the toolkit's key code; `x11KeyCode` the key's place on the keyboard where the platform gives it.
    void onKeyDown(int key, std::uint32_t x11KeyCode = 0);
    void onKeyUp(int key, std::uint32_t x11KeyCode = 0);
    // The vertical exaggeration slider: grabbed at `y` inside it, dragged, released.
    void grabExaggerationSlider(int y);
    void dragExaggerationSlider(Qt::MouseButtons buttons);
    void releaseExaggerationSlider();

    // The copied picture's width for the current panel (see clipboardPictureWidth).
    int clipboardWidth() const;

    // The 3D view (null once the window is going).
    GlView* glView() const { return glView_; }

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
    // GridImportWindow and PropertyImportWindow: the controls the imports drive.
    void beginWait() override;
    void endWait(bool finished) override;
    void keepResponsive() override;
    void focusTree() override;
    void enableTopView() override;
    void uncheckLayerAndFlatSection() override;
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
    // The room the view leaves the legend for a row of code bars.
    int legendRowWidth() const;
    // WellImportWindow: the controls the well import drives.
    void setWaitCursor(bool on) override;
    void showFinished(bool front) override;
    void focusWellTree() override;
    void addWellNode(const std::string& name) override;
    WellImportContext wellImportContext(UserPrompts& prompts);
    // WellSectionWindow: the selection window, the mode button, the view buttons and the section's colours.
    void showSelectionWindow() override;
    void hideSelectionWindow() override;
    void addSectionRow(const std::string& well, int number) override;
    void releaseSectionButton() override;
    void enableViewButtons(bool enabled) override;
    void applySectionColours(bool sectionShown) override;
    WellSectionContext wellSectionContext();
    // The contact toggles: shown for a contact that is set, hidden (and off) otherwise.
    void showContactToggles();

    void buildControls();
    void buildPanels();
    void buildViewPanel();
    void connectViewPanel();
    PropertyLegend& legend() const;
    void connectCommands();
    void placeViewButtons();
    // The command row never narrower than its buttons (the area scrolls instead); after captions or tabs change.
    void fitCommandRow();
    void showExaggeration();
    void applyBackgroundColor();
    void updateFrameTimer();
    // The hand cursor over a well label and the wells under the pointer.
    void updateHover();
    // Undoes Qt's automatic check toggle so a handler sees the state before the click.
    void onClickKeepingState(QAction* action, void (MainWindow::*handler)());

    // View-mode helpers: the check marks of the mode group, the shell view, the displayed property recoloured.
    void checkOnlyMode(QAction* mode);
    void applyModeButtons(QAction* mode, ModeButtons buttons);
    void uncheckModes();
    void rebuildPropertyArrays();
    void showTab(bool view);
    // The picked cell's status said again in the current language and with the displayed property; cleared when a
    // new grid took the mark away.
    void refreshPickedCell();

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
