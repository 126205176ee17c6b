// The controls of the main window and where they sit.
#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/color_button.h"
#include "ui/events_log_panel.h"
#include "ui/main_window.h"
#include "ui/model_tree_panel.h"
#include "ui/property_legend.h"
#include "ui/status_strip.h"
#include "ui/view_panel.h"
#include "ui/wells_panel.h"

namespace morvane {

namespace {

QAction* namedAction(const char* name, QObject* parent, bool checkable = false)
{
    auto* action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

QMenu* namedMenu(const char* name, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QToolButton* checkButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedSize(64, 26);
    return button;
}

QLabel* paneLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("font-weight: bold; padding: 2px;"));
    return label;
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

void MainWindow::buildMenus()
{
    menuStrip1 = new QMenuBar(this);
    menuStrip1->setObjectName(QStringLiteral("menuStrip1"));
    setMenuBar(menuStrip1);

    projectMenu = namedMenu("projectMenu", this);
    projectMenu_Open = namedAction("projectMenu_Open", projectMenu);
    projectMenu_Save = namedAction("projectMenu_Save", projectMenu);
    projectMenu_SaveAs = namedAction("projectMenu_SaveAs", projectMenu);
    projectMenu_Close = namedAction("projectMenu_Close", projectMenu);
    projectMenu_Exit = namedAction("projectMenu_Exit", projectMenu);
    projectMenu->addActions({projectMenu_Open, projectMenu_Save, projectMenu_SaveAs, projectMenu_Close});
    projectMenu->addSeparator();
    projectMenu_Recent = namedMenu("projectMenu_Recent", projectMenu);  // the imports join it with the row
    projectMenu->addMenu(projectMenu_Recent);
    connect(projectMenu_Recent, &QMenu::aboutToShow, this, &MainWindow::refreshRecentMenu);
    projectMenu->addSeparator();
    projectMenu->addAction(projectMenu_Exit);
    projectMenu_Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    modelMenu = namedMenu("modelMenu", this);
    modelMenu_Stat = namedAction("modelMenu_Stat", modelMenu);
    modelMenu_GSR = namedAction("modelMenu_GSR", modelMenu);
    modelMenu_reserves = namedAction("modelMenu_reserves", modelMenu);
    modelMenu_time = namedAction("modelMenu_time", modelMenu);
    modelMenu_palette = namedAction("modelMenu_palette", modelMenu);
    modelMenu_hidegrid = namedAction("modelMenu_hidegrid", modelMenu);
    modelMenu_wellontop = namedAction("modelMenu_wellontop", modelMenu);  // its text says the state
    modelMenu->addActions({modelMenu_Stat, modelMenu_GSR, modelMenu_reserves, modelMenu_time});
    modelMenu->addSeparator();
    modelMenu->addActions({modelMenu_palette, modelMenu_hidegrid, modelMenu_wellontop});
    modelMenu->addSeparator();
    modelMenu_fitview = namedAction("modelMenu_fitview", modelMenu);
    modelMenu_fitview->setShortcut(QKeySequence(Qt::Key_F));  // shown in the menu; the key itself is previewed
    modelMenu_fitview->setShortcutContext(Qt::WidgetShortcut);
    modelMenu_inactive = namedAction("modelMenu_inactive", modelMenu, true);
    modelMenu->addActions({modelMenu_fitview, modelMenu_inactive});

    developmentMenu = namedMenu("developmentMenu", this);
    developmentMenu_load = namedAction("developmentMenu_load", developmentMenu);
    developmentMenu_time = namedAction("developmentMenu_time", developmentMenu);
    developmentMenu->addActions({developmentMenu_load, developmentMenu_time});

    settingsMenu = namedMenu("settingsMenu", this);
    settingsMenu_general = namedAction("settingsMenu_general", settingsMenu);
    settingsMenu_general->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settingsMenu_hardware = namedAction("settingsMenu_hardware", settingsMenu);
    settingsMenu->addActions({settingsMenu_general, settingsMenu_hardware});

    aboutMenu = namedMenu("aboutMenu", this);
    aboutMenu_about = namedAction("aboutMenu_about", aboutMenu);
    aboutMenu_about->setShortcut(QKeySequence(Qt::Key_F1));
    aboutMenu_support = namedAction("aboutMenu_support", aboutMenu);
    aboutMenu_feedback = namedAction("aboutMenu_feedback", aboutMenu);
    aboutMenu->addActions({aboutMenu_about, aboutMenu_feedback, aboutMenu_support});

    // The language menu names each language in itself, so it needs no translation.
    LanguageToolStripMenuItem = namedMenu("LanguageToolStripMenuItem", this);
    LanguageToolStripMenuItem->setTitle(QStringLiteral("Language / Язык"));
    EnglishLangMenu = namedAction("EnglishLangMenu", LanguageToolStripMenuItem, true);
    RussianLangMenu = namedAction("RussianLangMenu", LanguageToolStripMenuItem, true);
    EnglishLangMenu->setText(QStringLiteral("English"));
    RussianLangMenu->setText(QStringLiteral("Русский"));
    LanguageToolStripMenuItem->addActions({EnglishLangMenu, RussianLangMenu});

    for (QMenu* menu : {projectMenu, modelMenu, developmentMenu, settingsMenu, aboutMenu, LanguageToolStripMenuItem})
        menuStrip1->addMenu(menu);
}

void MainWindow::buildToolStrips()
{
    toolStrip1 = new QToolBar(this);
    toolStrip1->setObjectName(QStringLiteral("toolStrip1"));
    toolStrip1->setMovable(false);
    toolStrip1->setFloatable(false);
    toolStrip1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Only the view and analysis tabs switch; the other two have no pages yet and keep their look when clicked.
    geologyTab = namedAction("geologyTab", toolStrip1);
    viewTab = namedAction("viewTab", toolStrip1, true);
    analysisTab = namedAction("analysisTab", toolStrip1, true);
    historyMatchTab = namedAction("historyMatchTab", toolStrip1);
    toolStrip1->addActions({geologyTab, viewTab, analysisTab, historyMatchTab});
    viewTab->setChecked(true);
    addToolBar(Qt::TopToolBarArea, toolStrip1);
    addToolBarBreak(Qt::TopToolBarArea);

    commandRowArea = new CommandRowArea(this);
    toolStrip2 = new QToolBar(commandRowArea);
    toolStrip2->setObjectName(QStringLiteral("toolStrip2"));
    toolStrip2->setMovable(false);
    toolStrip2->setFloatable(false);
    toolStrip2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolStrip2->setMinimumHeight(56);

    importMainMenu = namedAction("importMainMenu", toolStrip2);
    importMenu = namedMenu("importMenu", this);
    importMainMenu_well = namedAction("importMainMenu_well", importMenu);
    importMainMenu_grid = namedAction("importMainMenu_grid", importMenu);
    importMainMenu_prop = namedAction("importMainMenu_prop", importMenu);
    importMenu->addActions({importMainMenu_well, importMainMenu_grid, importMainMenu_prop});
    importMainMenu->setMenu(importMenu);
    importMainMenu_grid->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    importMainMenu_prop->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    // The Project menu offers the imports too, above the recent files.
    projectMenu->insertActions(projectMenu_Recent->menuAction(),
                               {importMainMenu_grid, importMainMenu_prop, importMainMenu_well});

    dataManagerMainMenu = namedAction("dataManagerMainMenu", toolStrip2);
    completionsMainMenu = namedAction("completionsMainMenu", toolStrip2);
    fracsMainMenu = namedAction("fracsMainMenu", toolStrip2);
    legendMainMenu = namedAction("legendMainMenu", toolStrip2, true);
    statisticsMainMenu = namedAction("statisticsMainMenu", toolStrip2);
    productionMainMenu = namedAction("productionMainMenu", toolStrip2, true);
    wellsectionMainMenu = namedAction("wellsectionMainMenu", toolStrip2, true);
    flatsectionMainMenu = namedAction("flatsectionMainMenu", toolStrip2, true);
    layersMainMenu = namedAction("layersMainMenu", toolStrip2, true);
    threedMainMenu = namedAction("threedMainMenu", toolStrip2, true);
    clopboardMainMenu = namedAction("clopboardMainMenu", toolStrip2);
    clopboardMainMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    fitViewMainMenu = namedAction("fitViewMainMenu", toolStrip2);
    stoiipContourMainMenu = namedAction("stoiipContourMainMenu", toolStrip2);
    stoiipWellMainMenu = namedAction("stoiipWellMainMenu", toolStrip2);
    KHMainMenu = namedAction("KHMainMenu", toolStrip2);

    auto separator = [this](const char* name) {
        QAction* s = toolStrip2->addSeparator();
        s->setObjectName(QString::fromLatin1(name));
        return s;
    };
    toolStrip2->addAction(importMainMenu);
    if (auto* button = qobject_cast<QToolButton*>(toolStrip2->widgetForAction(importMainMenu)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    toolStripSeparator4 = separator("toolStripSeparator4");
    toolStrip2->addActions({dataManagerMainMenu, completionsMainMenu, fracsMainMenu});
    toolStripSeparator6 = separator("toolStripSeparator6");
    toolStrip2->addActions({legendMainMenu, statisticsMainMenu, productionMainMenu});
    toolStripSeparator5 = separator("toolStripSeparator5");
    toolStrip2->addActions({wellsectionMainMenu, flatsectionMainMenu, layersMainMenu});
    toolStripSeparator2 = separator("toolStripSeparator2");
    toolStrip2->addActions({threedMainMenu, fitViewMainMenu});
    toolStripSeparator1 = separator("toolStripSeparator1");
    toolStrip2->addActions({stoiipContourMainMenu, stoiipWellMainMenu, KHMainMenu});
    // The copy button keeps the right end; the four small view buttons sit just left of it, over a spacer that
    // keeps their room.
    rotate_Menu = checkButton("rotate_Menu", QStringLiteral("Rotate"), toolStrip2);
    twod_Menu = checkButton("twod_Menu", QStringLiteral("2D"), toolStrip2);
    displayGrid_Menu = checkButton("displayGrid_Menu", QStringLiteral("Grid"), toolStrip2);
    cut_well_Menu = checkButton("cut_well_Menu", QStringLiteral("Cut wells"), toolStrip2);
    auto* spacer = new QWidget(toolStrip2);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    spacer->setMinimumWidth(rotate_Menu->width() + twod_Menu->width() + 8);
    toolStrip2->addWidget(spacer);
    toolStrip2->addAction(clopboardMainMenu);
    for (QAction* a : {stoiipContourMainMenu, stoiipWellMainMenu, KHMainMenu}) a->setVisible(false);
    commandRowArea->setWidget(toolStrip2);
    twod_Menu->setEnabled(false);  // usable once a grid is loaded
    displayGrid_Menu->setChecked(true);
}

void MainWindow::buildPanes()
{
    // The command row heads the central area, above the split container.
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralPane"));
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    centralLayout->addWidget(commandRowArea);
    splitContainer1 = new QSplitter(Qt::Horizontal, central);
    splitContainer1->setObjectName(QStringLiteral("splitContainer1"));
    centralLayout->addWidget(splitContainer1, 1);
    setCentralWidget(central);

    splitContainer2 = new QSplitter(Qt::Vertical, splitContainer1);
    splitContainer2->setObjectName(QStringLiteral("splitContainer2"));
    splitContainer2->setMinimumWidth(153);
    splitContainer3 = new QSplitter(Qt::Vertical, splitContainer2);
    splitContainer3->setObjectName(QStringLiteral("splitContainer3"));

    const auto& labelColour = state_.WELL_LABEL_COLOR;
    const auto& lineColour = state_.WELL_LINE_COLOR;
    wellsPanel_ = new WellsPanel(state_.WELL_LINE_SIZE, state_.WELL_LABEL_SIZE,
                                 QColor::fromRgbF(labelColour[0], labelColour[1], labelColour[2]),
                                 QColor::fromRgbF(lineColour[0], lineColour[1], lineColour[2]), splitContainer3);
    modelTree_ = new ModelTreePanel(splitContainer3);

    eventsLog_ = new EventsLogPanel(splitContainer2);

    splitContainer3->setStretchFactor(0, 1);
    splitContainer3->setStretchFactor(1, 2);
    splitContainer2->setStretchFactor(0, 3);
    splitContainer2->setStretchFactor(1, 1);
}

void MainWindow::buildViewPanel()
{
    viewPanel_ = new ViewPanel(splitContainer1);
    splitContainer1->setStretchFactor(0, 0);
    splitContainer1->setStretchFactor(1, 1);
    splitContainer1->setSizes({260, 1400});
    splitContainer1->setChildrenCollapsible(false);
}

void MainWindow::buildStatusStrip() { statusStrip_ = new StatusStrip(this); }

}  // namespace morvane
