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

void MainMenus::build(QMainWindow& window, std::span<const WindowCommand> commands)
{
    bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("mainMenuBar"));
    window.setMenuBar(bar);

    project = namedMenu("projectMenu", &window);
    model = namedMenu("modelMenu", &window);
    development = namedMenu("developmentMenu", &window);
    settings = namedMenu("settingsMenu", &window);
    about = namedMenu("aboutMenu", &window);
    recentFiles = namedMenu("recentFilesMenu", project);  // the imports join it with the row

    // The table's items, group by group; a separator between two groups of one menu, the recent files between the
    // project's file commands and Quit.
    const std::pair<MenuGroup, QMenu*> groups[] = {
        {MenuGroup::ProjectFile, project}, {MenuGroup::ProjectEnd, project}, {MenuGroup::ModelInfo, model},
        {MenuGroup::ModelLook, model},     {MenuGroup::ModelView, model},    {MenuGroup::Development, development},
        {MenuGroup::Settings, settings},   {MenuGroup::About, about}};
    for (const auto& [group, menu] : groups) {
        if (!menu->actions().isEmpty()) menu->addSeparator();
        if (group == MenuGroup::ProjectEnd) {
            project->addMenu(recentFiles);
            project->addSeparator();
        }
        for (const WindowCommand& command : commands) {
            if (command.menu != group) continue;
            QAction* item = namedAction("", menu, command.check != CheckMark::None);
            item->setObjectName(menuItemName(command));
            if (command.shortcut) {
                item->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
                if (command.menuKeyShownOnly) item->setShortcutContext(Qt::WidgetShortcut);
            }
            menu->addAction(item);
            items_.emplace_back(&command, item);
        }
    }
    const auto find = [this](std::string_view id) { return item(id); };
    openProject = find("openProject");
    saveProject = find("saveProject");
    saveProjectAs = find("saveProjectAs");
    closeProject = find("closeProject");
    quit = find("quit");
    statistics = find("statistics");
    verticalStatistics = find("verticalStatistics");
    reserves = find("reserves");
    timeBinding = find("timeBinding");
    palette = find("palette");
    gridLines = find("gridLines");
    wellsOnTop = find("wellsOnTop");
    fitView = find("fitView");
    inactiveCells = find("inactiveCells");
    loadProduction = find("loadProduction");
    developmentStart = find("developmentStart");
    generalSettings = find("generalSettings");
    hardwareSettings = find("hardwareSettings");
    aboutProgram = find("about");
    support = find("support");
    feedback = find("feedback");

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

QAction* MainMenus::item(std::string_view id) const
{
    for (const auto& [command, item] : items_)
        if (command->id == id) return item;
    return nullptr;
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

    for (const auto& [command, item] : items_)
        item->setText(commandText(
            std::holds_alternative<std::monostate>(command->menuCaption) ? command->caption : command->menuCaption,
            lang));
    recentFiles->setTitle(QString::fromStdString(kRecentFiles.in(lang)));
}

}  // namespace morvane
