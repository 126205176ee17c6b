#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QOpenGLContext>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "core/decimal_text.h"
#include "model/undefined_values.h"
#include "platform/app_settings.h"
#include "platform/trace.h"
#include "ui/dialog_prompts.h"
#include "ui/dialogs/about_dialogs.h"
#include "ui/dialogs/colour_limits_dialog.h"
#include "ui/dialogs/palette_dialog.h"
#include "ui/dialogs/property_filter_dialog.h"
#include "ui/dialogs/section_well_picker.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/statistics_dialog.h"
#include "ui/events_log_panel.h"
#include "ui/gl_view.h"
#include "ui/model_tree_panel.h"
#include "ui/property_legend.h"
#include "ui/status_strip.h"
#include "ui/view_panel.h"

namespace morvane {

namespace {
// The size the window opens at when the screen has room for it.
constexpr QSize kPreferredSize{1698, 824};
}  // namespace

MainWindow::MainWindow(ModelState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), barColours_(std::random_device{}())
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Morvane 2021.0 x64 beta"));
    setAcceptDrops(true);  // grid, property and well files dropped on the window are imported
    // Small enough for a 1366 x 768 laptop screen; the command row scrolls when the window is narrower than it.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    prompts_ = makeDialogPrompts(this);

    // The long-lived windows, reused rather than re-created.
    statisticsDialog_ = new StatisticsDialog(this);
    statisticsDialog_->setWindowFlag(Qt::Window);
    settingsDialog_ = new SettingsDialog(this);
    propertyFilterDialog_ = new PropertyFilterDialog(this);
    colourLimitsDialog_ = new ColourLimitsDialog(this);
    sectionWellPicker_ = new SectionWellPicker(this);
    paletteDialog_ = new PaletteDialog(this);
    supportDialog_ = new SupportDialog(this);

    buildControls();

    const QSize hostSize = viewPanel_->size();
    glView_ = new GlView(*this, viewPanel_, hostSize.width(), hostSize.height(), statisticsDialog_,
                         &modelTree_->dataTree(), state_);
    glView_->setObjectName(QStringLiteral("glView"));
    glView_->lower();  // the overlays stay above the view
    glView_->setSceneChanged([this] { requestFrame(); });

    connectCommands();
    connectViewPanel();
    showContactToggles();
    connect(mainSplitter_, &QSplitter::splitterMoved, this, &MainWindow::resizeGlToPanel);
    connect(propertyFilterDialog_, &PropertyFilterDialog::windowHidden, this, &MainWindow::applyChosenFilter);
    connect(colourLimitsDialog_, &ColourLimitsDialog::windowHidden, this, &MainWindow::applyEditedLimit);
    connectPaletteDialog();
    qApp->installEventFilter(this);  // the window previews every key before its controls
    previousPosition = ScreenPoint{QCursor::pos().x(), QCursor::pos().y()};

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 0.95;
        resize(kPreferredSize.boundedTo(room).expandedTo(minimumSize()));
    }

    frameTimer_ = new QTimer(this);
    frameTimer_->setObjectName(QStringLiteral("frameTimer"));
    frameTimer_->setInterval(2);
    connect(frameTimer_, &QTimer::timeout, this, &MainWindow::onFrameTimer);

    applyStoredSettings();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The view refers to the tree adapter and to this window's feedback: let it go first.
    delete glView_;
    glView_ = nullptr;
}

PropertyLegend& MainWindow::legend() const { return viewPanel_->legend(); }

void MainWindow::setUserPrompts(std::unique_ptr<UserPrompts> prompts)
{
    if (prompts) prompts_ = std::move(prompts);
}

void MainWindow::applyStoredSettings()
{
    AppSettings& store = appSettings();
    restoreWindowLayout(store);
    // Maximised only when the settings ask for full screen; otherwise the size and place the user left.
    if (store.readFlag(settings_key::fullscreen)) setWindowState(windowState() | Qt::WindowMaximized);

    state_.view.display.signature = store.ReadAppSettings(settings_key::copy);
    state_.view.language = store.ReadAppSettings(settings_key::Lang);
    checkLanguageItem();

    state_.view.display.gridLines = store.readFlag(settings_key::grid_lines_enable);
    state_.view.display.orthographicTopView = store.readFlag(settings_key::twod_ortho);
    state_.view.layer.oneAtATime = store.readFlag(settings_key::oneLayer);
    ribbon_.gridLinesButton->setChecked(state_.view.display.gridLines);
    state_.view.display.inactiveCells = store.readFlag(settings_key::show_inactive_cells);
    state_.document.properties.undefinedMarkers =
        markersOfSetting(store.ReadAppSettings(settings_key::undefinedValues));
    menus_.inactiveCells->setChecked(state_.view.display.inactiveCells);

    const BubbleFactors bubbles =
        loadBubbleFactors(store, {state_.view.production.scale, state_.view.production.labelSize});
    state_.view.production.scale = bubbles.size;
    state_.view.production.labelSize = bubbles.text_size;

    showTexts();
    fitCommandRow();
    // The view reads the stored background when its context starts, which in Qt comes only with the first show;
    // the panels around it take the same colour now.
    state_.view.display.background = readBackgroundColor(store, state_.view.display.background);
    applyBackgroundColor();

    layOutView();
    statusStrip_->placeFinishedPicture(5);
    viewPanel_->placeSlider(200);

    statusStrip_->setStatus(QStringLiteral("All good"));
}

void MainWindow::applyBackgroundColor()
{
    viewPanel_->setBackground(state_.view.display.background, legendTextColour_);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layOutView();
}

void MainWindow::layOutView()
{
    if (!statusStrip_ || !viewPanel_) return;
    statusStrip_->placeFinishedPicture(6);
    placeViewButtons();
    const int panelWidth = viewPanel_->width();
    const int panelHeight = viewPanel_->height();
    viewPanel_->placeOverlays();
    showExaggeration();
    if (glView_) glView_->scene().resizeView(panelWidth, panelHeight);
    trace("h = " + std::to_string(panelHeight));
    // Code bars wrap to the room the view leaves them.
    if (legend().showsDiscrete()) refreshLegend();
    requestFrame();
}

void MainWindow::resizeGlToPanel()
{
    if (glView_) glView_->scene().resizeView(viewPanel_->width(), viewPanel_->height());
}

void MainWindow::placeViewButtons() { ribbon_.placeViewButtons(); }

void MainWindow::fitCommandRow() { ribbon_.fitCommandRow(); }

void MainWindow::showExaggeration() { viewPanel_->showExaggeration(state_.view.camera.verticalScale); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing always succeeds. Settings are saved when they change; only the window's own layout waits for the
    // close, since it changes with every drag.
    saveWindowLayout(appSettings());
    event->accept();
}

void MainWindow::restoreWindowLayout(const AppSettings& store)
{
    const std::string geometry = store.ReadAppSettings(settings_key::windowGeometry);
    // Qt checks the blob and keeps the window on a screen that exists now; a damaged value leaves the first size.
    if (!geometry.empty()) restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
    const QList<QByteArray> states =
        QByteArray::fromStdString(store.ReadAppSettings(settings_key::windowSplitters)).split(' ');
    QSplitter* const splitters[] = {mainSplitter_, sidePanelsSplitter_, dataPanelsSplitter_};
    for (qsizetype i = 0; i < states.size() && i < qsizetype(std::size(splitters)); ++i)
        if (!states[i].isEmpty()) splitters[i]->restoreState(QByteArray::fromBase64(states[i]));
}

void MainWindow::saveWindowLayout(AppSettings& store) const
{
    store.UpdateAppSettings(settings_key::windowGeometry, saveGeometry().toBase64().toStdString());
    QByteArray states;
    for (const QSplitter* splitter : {mainSplitter_, sidePanelsSplitter_, dataPanelsSplitter_})
        states += splitter->saveState().toBase64() + ' ';
    store.UpdateAppSettings(settings_key::windowSplitters, states.trimmed().toStdString());
}

// Feedback channels.

void MainWindow::setStatus(const std::string& text) { statusStrip_->setStatus(QString::fromStdString(text)); }

void MainWindow::setProgress(int value) { statusStrip_->setProgress(value); }

int MainWindow::progress() const { return statusStrip_->progress(); }

void MainWindow::appendLog(const std::string& text, LogColour colour) { eventsLog_->append(text, colour); }

void MainWindow::trace(const std::string& line) { morvane::trace(line); }

}  // namespace morvane
