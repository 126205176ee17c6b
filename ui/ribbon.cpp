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
#include "core/text_ids.h"
#include "ui/panel_widgets.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {

// Tool tips of the view buttons.
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

void Ribbon::build(QMainWindow& window, std::span<const WindowCommand> commands)
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
    importCommand->setMenu(importMenu);
    commandRow->addAction(importCommand);
    if (auto* button = qobject_cast<QToolButton*>(commandRow->widgetForAction(importCommand)))
        button->setPopupMode(QToolButton::MenuButtonPopup);

    // The commands of the table, group by group, a separator after each group of the row.
    const std::pair<RibbonGroup, const char*> groups[] = {
        {RibbonGroup::ImportMenu, "importSeparator"}, {RibbonGroup::Data, "dataSeparator"},
        {RibbonGroup::Display, "displaySeparator"},   {RibbonGroup::Modes, "modesSeparator"},
        {RibbonGroup::View, "viewSeparator"},         {RibbonGroup::Analysis, nullptr}};
    for (const auto& [group, separatorName] : groups) {
        QWidget* holder = group == RibbonGroup::ImportMenu ? static_cast<QWidget*>(importMenu) : commandRow;
        for (const WindowCommand& command : commands)
            if (command.ribbon == group) holder->addAction(commandAction(command, holder));
        if (!separatorName) continue;
        QAction* s = commandRow->addSeparator();
        s->setObjectName(QString::fromLatin1(separatorName));
    }
    const auto find = [this](std::string_view id) { return action(id); };
    importWells = find("importWells");
    importGrid = find("importGrid");
    importProperties = find("importProperties");
    dataManager = find("dataManager");
    completions = find("completions");
    fractures = find("fractures");
    legend = find("legend");
    statistics = find("statistics");
    production = find("production");
    wellSection = find("wellSection");
    flatSection = find("flatSection");
    layerView = find("layerView");
    filterView = find("filterView");
    fitView = find("fitView");
    oilInPlaceContour = find("oilInPlaceContour");
    oilInPlaceWells = find("oilInPlaceWells");
    kh = find("kh");
    importSeparator = commandRow->findChild<QAction*>(QStringLiteral("importSeparator"));
    dataSeparator = commandRow->findChild<QAction*>(QStringLiteral("dataSeparator"));
    displaySeparator = commandRow->findChild<QAction*>(QStringLiteral("displaySeparator"));
    modesSeparator = commandRow->findChild<QAction*>(QStringLiteral("modesSeparator"));
    viewSeparator = commandRow->findChild<QAction*>(QStringLiteral("viewSeparator"));

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
    for (const WindowCommand& command : commands)
        if (command.ribbon == RibbonGroup::RightEnd) commandRow->addAction(commandAction(command, commandRow));
    copyPicture = action("copyPicture");
    for (QAction* a : {oilInPlaceContour, oilInPlaceWells, kh}) a->setVisible(false);
    commandRowArea->setWidget(commandRow);
    topViewButton->setEnabled(false);  // usable once a grid is loaded
    gridLinesButton->setChecked(true);
}

void Ribbon::setTexts(const std::string& lang)
{
    auto text = [&lang](int base) { return localUiText(base, lang); };
    const std::pair<QAction*, int> captions[] = {
        {geologyTab, 180}, {viewTab, 182}, {analysisTab, 184}, {historyMatchTab, 186}, {importCommand, 200}};
    for (const auto& [action, base] : captions) action->setText(text(base));
    importCommand->setToolTip(localUiText(static_cast<int>(Text::ImportTip), lang));
    for (const auto& [command, action] : actions_) {
        action->setText(commandText(command->caption, lang));
        action->setToolTip(commandText(command->tip, lang));
    }

    const auto pair = [&lang](const TextPair& t) { return QString::fromStdString(t.in(lang)); };
    const std::pair<QToolButton*, TextPair> buttonTips[] = {
        {topViewButton, kTopViewTip}, {gridLinesButton, kGridLinesTip}, {cutWellsButton, kCutWellsTip}};
    for (const auto& [button, tip] : buttonTips) button->setToolTip(pair(tip));
    rotateButton->setToolTip(text(508));  // shown by the hover handler
}

QAction* Ribbon::commandAction(const WindowCommand& command, QObject* parent)
{
    auto* action = new QAction(parent);
    action->setObjectName(ribbonActionName(command));
    action->setCheckable(command.check != CheckMark::None);
    // A command in a menu too has its key there.
    if (command.shortcut && command.menu == MenuGroup::None)
        action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
    actions_.emplace_back(&command, action);
    return action;
}

QAction* Ribbon::action(std::string_view id) const
{
    for (const auto& [command, action] : actions_)
        if (command->id == id) return action;
    return nullptr;
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
