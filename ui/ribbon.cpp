#include "ui/ribbon.h"

#include <QAction>
#include <QFrame>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

#include "core/localisation.h"
#include "ui/panel_widgets.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {

// Tool tips of the commands the table gives none.
constexpr TextPair kCompletionsTip{"Well completions (not available yet)", "Перфорации скважин (пока недоступно)"};
constexpr TextPair kFracsTip{"Hydraulic fractures (not available yet)", "Гидроразрывы пласта (пока недоступно)"};
constexpr TextPair kStoiipContourTip{"Oil in place within a contour (not available yet)",
                                     "Запасы нефти в контуре (пока недоступно)"};
constexpr TextPair kStoiipWellTip{"Oil in place around the wells (not available yet)",
                                  "Запасы нефти по скважинам (пока недоступно)"};
constexpr TextPair kKhTip{"Kh: permeability times thickness (not available yet)",
                          "Расчёт Kh: проницаемость на толщину (пока недоступно)"};
constexpr TextPair kTopViewTip{"Top view in 2D; press again to turn back to the 3D view",
                               "Вид сверху в 2D; повторное нажатие возвращает к 3D"};
constexpr TextPair kGridLinesTip{"Show or hide the cell edges", "Показать или скрыть рёбра ячеек"};
constexpr TextPair kCutWellsTip{"Cut the wells at the top and bottom of the model",
                                "Обрезать скважины по кровле и подошве модели"};

QAction* namedAction(const char* name, QObject* parent, bool checkable = false)
{
    auto* action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

QToolBar* toolRow(const char* name, QWidget* parent)
{
    auto* row = new QToolBar(parent);
    row->setObjectName(QString::fromLatin1(name));
    row->setMovable(false);
    row->setFloatable(false);
    row->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return row;
}

// Holds the command row. When the window is narrower than the row, the row keeps its width and scrolls sideways,
// and the area grows by the scroll bar's height so the row is never cut at the bottom either.
class CommandRowArea final : public QScrollArea {
public:
    explicit CommandRowArea(QWidget* parent) : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("commandRowArea"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return {rowWidth(), rowHeight()}; }
    QSize minimumSizeHint() const override { return {0, rowHeight()}; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        if (event->size().width() != event->oldSize().width()) updateGeometry();  // the scroll bar may come or go
    }

private:
    int rowWidth() const { return widget() ? widget()->minimumWidth() : 0; }
    int rowHeight() const
    {
        if (!widget()) return 0;
        const bool scrolls = rowWidth() > width();
        const int row = widget()->sizeHint().expandedTo(widget()->minimumSize()).height();
        return row + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0);
    }
};

}  // namespace

void Ribbon::build(QMainWindow& window)
{
    tabRow = toolRow("ribbonTabs", &window);
    // Only the view and analysis tabs switch; the other two have no pages yet and keep their look when clicked.
    geologyTab = namedAction("geologyTab", tabRow);
    viewTab = namedAction("viewTab", tabRow, true);
    analysisTab = namedAction("analysisTab", tabRow, true);
    historyMatchTab = namedAction("historyMatchTab", tabRow);
    tabRow->addActions({geologyTab, viewTab, analysisTab, historyMatchTab});
    viewTab->setChecked(true);
    window.addToolBar(Qt::TopToolBarArea, tabRow);
    window.addToolBarBreak(Qt::TopToolBarArea);

    commandRowArea = new CommandRowArea(&window);
    commandRow = toolRow("ribbonCommands", commandRowArea);
    commandRow->setMinimumHeight(56);

    importCommand = namedAction("importCommand", commandRow);
    importMenu = new QMenu(&window);
    importMenu->setObjectName(QStringLiteral("importMenu"));
    importWells = namedAction("importWellsItem", importMenu);
    importGrid = namedAction("importGridItem", importMenu);
    importProperties = namedAction("importPropertiesItem", importMenu);
    importMenu->addActions({importWells, importGrid, importProperties});
    importCommand->setMenu(importMenu);
    importGrid->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    importProperties->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));

    dataManager = namedAction("dataManagerCommand", commandRow);
    completions = namedAction("completionsCommand", commandRow);
    fractures = namedAction("fracturesCommand", commandRow);
    legend = namedAction("legendCommand", commandRow, true);
    statistics = namedAction("statisticsCommand", commandRow);
    production = namedAction("productionCommand", commandRow, true);
    wellSection = namedAction("wellSectionCommand", commandRow, true);
    flatSection = namedAction("flatSectionCommand", commandRow, true);
    layerView = namedAction("layerViewCommand", commandRow, true);
    filterView = namedAction("filterViewCommand", commandRow, true);
    copyPicture = namedAction("copyPictureCommand", commandRow);
    copyPicture->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    fitView = namedAction("fitViewCommand", commandRow);
    oilInPlaceContour = namedAction("oilInPlaceContourCommand", commandRow);
    oilInPlaceWells = namedAction("oilInPlaceWellsCommand", commandRow);
    kh = namedAction("khCommand", commandRow);

    auto separator = [this](const char* name) {
        QAction* s = commandRow->addSeparator();
        s->setObjectName(QString::fromLatin1(name));
        return s;
    };
    commandRow->addAction(importCommand);
    if (auto* button = qobject_cast<QToolButton*>(commandRow->widgetForAction(importCommand)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    importSeparator = separator("importSeparator");
    commandRow->addActions({dataManager, completions, fractures});
    dataSeparator = separator("dataSeparator");
    commandRow->addActions({legend, statistics, production});
    displaySeparator = separator("displaySeparator");
    commandRow->addActions({wellSection, flatSection, layerView});
    modesSeparator = separator("modesSeparator");
    commandRow->addActions({filterView, fitView});
    viewSeparator = separator("viewSeparator");
    commandRow->addActions({oilInPlaceContour, oilInPlaceWells, kh});
    // The copy button keeps the right end; the four small view buttons sit just left of it, over a spacer that
    // keeps their room.
    rotateButton = toggleButton("rotateButton", QStringLiteral("Rotate"), commandRow);
    topViewButton = toggleButton("topViewButton", QStringLiteral("2D"), commandRow);
    gridLinesButton = toggleButton("gridLinesButton", QStringLiteral("Grid"), commandRow);
    cutWellsButton = toggleButton("cutWellsButton", QStringLiteral("Cut wells"), commandRow);
    auto* spacer = new QWidget(commandRow);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    spacer->setMinimumWidth(rotateButton->width() + topViewButton->width() + 8);
    commandRow->addWidget(spacer);
    commandRow->addAction(copyPicture);
    for (QAction* a : {oilInPlaceContour, oilInPlaceWells, kh}) a->setVisible(false);
    commandRowArea->setWidget(commandRow);
    topViewButton->setEnabled(false);  // usable once a grid is loaded
    gridLinesButton->setChecked(true);
}

void Ribbon::setTexts(const std::string& lang)
{
    auto text = [&lang](int base) { return localUiText(base, lang); };
    const std::pair<QAction*, int> captions[] = {{oilInPlaceContour, 100},
                                                 {oilInPlaceWells, 102},
                                                 {kh, 104},
                                                 {geologyTab, 180},
                                                 {viewTab, 182},
                                                 {analysisTab, 184},
                                                 {historyMatchTab, 186},
                                                 {importCommand, 200},
                                                 {importWells, 202},
                                                 {importGrid, 204},
                                                 {importProperties, 206},
                                                 {completions, 220},
                                                 {fractures, 240},
                                                 {production, 260},
                                                 {statistics, 280},
                                                 {legend, 300},
                                                 {layerView, 320},
                                                 {flatSection, 340},
                                                 {wellSection, 360},
                                                 {filterView, 380},
                                                 {dataManager, 400},
                                                 {copyPicture, 420}};
    for (const auto& [action, base] : captions) action->setText(text(base));

    const std::pair<QAction*, int> tips[] = {
        {importCommand, 208}, {production, 262},  {statistics, 282}, {legend, 302},      {layerView, 322},
        {flatSection, 342},   {wellSection, 362}, {filterView, 382}, {dataManager, 402}, {copyPicture, 422}};
    for (const auto& [action, base] : tips) action->setToolTip(text(base));

    const auto pair = [&lang](const TextPair& t) { return QString::fromStdString(t.in(lang)); };
    const std::pair<QAction*, TextPair> actionTips[] = {{completions, kCompletionsTip},
                                                        {fractures, kFracsTip},
                                                        {oilInPlaceContour, kStoiipContourTip},
                                                        {oilInPlaceWells, kStoiipWellTip},
                                                        {kh, kKhTip}};
    for (const auto& [action, tip] : actionTips) action->setToolTip(pair(tip));
    const std::pair<QToolButton*, TextPair> buttonTips[] = {
        {topViewButton, kTopViewTip}, {gridLinesButton, kGridLinesTip}, {cutWellsButton, kCutWellsTip}};
    for (const auto& [button, tip] : buttonTips) button->setToolTip(pair(tip));
    rotateButton->setToolTip(text(508));  // shown by the hover handler

    // Commands the localisation table has no entries for.
    const bool ru = lang == "ru";
    fitView->setText(ru ? QStringLiteral("Вписать") : QStringLiteral("Fit view"));
    fitView->setToolTip(ru ? QStringLiteral("Показать всю модель (F)") : QStringLiteral("Show the whole model (F)"));
}

void Ribbon::showTab(bool view)
{
    viewTab->setChecked(view);
    analysisTab->setChecked(!view);
    for (QAction* a : {importCommand, dataManager, completions, fractures, production, displaySeparator, statistics,
                       legend, layerView, modesSeparator, flatSection, wellSection, filterView, fitView, viewSeparator})
        a->setVisible(view);
    for (QAction* a : {oilInPlaceContour, oilInPlaceWells, kh}) a->setVisible(!view);
    fitCommandRow();
}

void Ribbon::placeViewButtons()
{
    QWidget* copy = commandRow->widgetForAction(copyPicture);
    const int copyWidth = copy ? copy->width() : 0;
    const int right = commandRow->width() - 2 - copyWidth;
    rotateButton->move(right - rotateButton->width(), 0);
    topViewButton->move(right - rotateButton->width() - topViewButton->width(), 0);
    gridLinesButton->move(right - gridLinesButton->width(), rotateButton->height());
    cutWellsButton->move(right - gridLinesButton->width() - cutWellsButton->width(), gridLinesButton->height());
    for (QToolButton* b : {rotateButton, topViewButton, gridLinesButton, cutWellsButton}) b->raise();
}

void Ribbon::fitCommandRow()
{
    commandRow->setMinimumWidth(0);
    commandRow->layout()->invalidate();
    commandRow->setMinimumWidth(commandRow->sizeHint().width());
    commandRowArea->updateGeometry();
    placeViewButtons();
}

}  // namespace morvane
