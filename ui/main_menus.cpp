#include "ui/main_menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "core/localisation.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {

constexpr TextPair kRecentFiles{"Recent files", "Недавние файлы"};

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

}  // namespace

void MainMenus::build(QMainWindow& window)
{
    bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("mainMenuBar"));
    window.setMenuBar(bar);

    project = namedMenu("projectMenu", &window);
    openProject = namedAction("openProjectItem", project);
    saveProject = namedAction("saveProjectItem", project);
    saveProjectAs = namedAction("saveProjectAsItem", project);
    closeProject = namedAction("closeProjectItem", project);
    quit = namedAction("quitItem", project);
    project->addActions({openProject, saveProject, saveProjectAs, closeProject});
    project->addSeparator();
    recentFiles = namedMenu("recentFilesMenu", project);  // the imports join it with the row
    project->addMenu(recentFiles);
    project->addSeparator();
    project->addAction(quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    model = namedMenu("modelMenu", &window);
    statistics = namedAction("statisticsItem", model);
    verticalStatistics = namedAction("verticalStatisticsItem", model);
    reserves = namedAction("reservesItem", model);
    timeBinding = namedAction("timeBindingItem", model);
    palette = namedAction("paletteItem", model);
    gridLines = namedAction("gridLinesItem", model);
    wellsOnTop = namedAction("wellsOnTopItem", model);  // its text says the state
    model->addActions({statistics, verticalStatistics, reserves, timeBinding});
    model->addSeparator();
    model->addActions({palette, gridLines, wellsOnTop});
    model->addSeparator();
    fitView = namedAction("fitViewItem", model);
    fitView->setShortcut(QKeySequence(Qt::Key_F));  // shown in the menu; the key itself is previewed
    fitView->setShortcutContext(Qt::WidgetShortcut);
    inactiveCells = namedAction("inactiveCellsItem", model, true);
    model->addActions({fitView, inactiveCells});

    development = namedMenu("developmentMenu", &window);
    loadProduction = namedAction("loadProductionItem", development);
    developmentStart = namedAction("developmentStartItem", development);
    development->addActions({loadProduction, developmentStart});

    settings = namedMenu("settingsMenu", &window);
    generalSettings = namedAction("generalSettingsItem", settings);
    generalSettings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    hardwareSettings = namedAction("hardwareSettingsItem", settings);
    settings->addActions({generalSettings, hardwareSettings});

    about = namedMenu("aboutMenu", &window);
    aboutProgram = namedAction("aboutItem", about);
    aboutProgram->setShortcut(QKeySequence(Qt::Key_F1));
    support = namedAction("supportItem", about);
    feedback = namedAction("feedbackItem", about);
    about->addActions({aboutProgram, feedback, support});

    // The language menu names each language in itself, so it needs no translation.
    language = namedMenu("languageMenu", &window);
    language->setTitle(QStringLiteral("Language / Язык"));
    english = namedAction("englishItem", language, true);
    russian = namedAction("russianItem", language, true);
    english->setText(QStringLiteral("English"));
    russian->setText(QStringLiteral("Русский"));
    language->addActions({english, russian});

    for (QMenu* menu : {project, model, development, settings, about, language}) bar->addMenu(menu);
}

void MainMenus::offerImports(QAction* grid, QAction* properties, QAction* wells)
{
    project->insertActions(recentFiles->menuAction(), {grid, properties, wells});
}

void MainMenus::setTexts(const std::string& lang)
{
    auto text = [&lang](int base) { return localUiText(base, lang); };
    const std::pair<QMenu*, int> menus[] = {{project, 0}, {model, 20}, {development, 40}, {settings, 60}, {about, 80}};
    for (const auto& [menu, base] : menus) menu->setTitle(text(base));

    const std::pair<QAction*, int> items[] = {{openProject, 2},
                                              {saveProject, 4},
                                              {saveProjectAs, 6},
                                              {closeProject, 8},
                                              {quit, 10},
                                              {statistics, 22},
                                              {verticalStatistics, 24},
                                              {reserves, 26},
                                              {timeBinding, 28},
                                              {palette, 30},
                                              {gridLines, 32},
                                              {wellsOnTop, 34},
                                              {loadProduction, 42},
                                              {developmentStart, 44},
                                              {generalSettings, 62},
                                              {hardwareSettings, 64},
                                              {aboutProgram, 82},
                                              {support, 84},
                                              {feedback, 88}};
    for (const auto& [action, base] : items) action->setText(text(base));
    recentFiles->setTitle(QString::fromStdString(kRecentFiles.in(lang)));

    // Items the localisation table has no entries for.
    const bool ru = lang == "ru";
    fitView->setText(ru ? QStringLiteral("Вписать модель в окно") : QStringLiteral("Fit view"));
    inactiveCells->setText(ru ? QStringLiteral("Показывать неактивные ячейки") : QStringLiteral("Show inactive cells"));
}

}  // namespace morvane
