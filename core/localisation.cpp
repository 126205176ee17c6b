#include "core/localisation.h"

namespace morvane {

namespace {

// One pair of the table: its base slot, the English text and its Russian twin.
struct Pair {
    int base;
    const char* en;
    const char* ru;
};

// Two-line ribbon captions break with "\r\n"; the four ribbon tab captions are padded with four spaces on each
// side in both languages so the tabs keep their width.
constexpr Pair pairs[] = {
    // Main window: menus.
    {0, "Project", "Проект"},
    {2, "Open project", "Открыть проект"},
    {4, "Save", "Сохранить"},
    {6, "Save as", "Сохранить как"},
    {8, "Close project", "Закрыть проект"},
    {10, "Exit", "Выход"},
    {20, "Model", "Модель"},
    {22, "Statistics", "Статистика"},
    {24, "Geological vertical statistics", "Геологическая вертикальная статистика"},
    {26, "Reserves", "Запасы"},
    {28, "Time binding", "Привязка ко времени"},
    {30, "Palette tinung", "Настройка палитры"},
    {32, "Hide grid lines", "Скрыть сетку ячеек"},
    {34, "Show wells above model", "Отображать скважины поверх модели"},
    {40, "Development", "Разработка"},
    {42, "Load production data", "Загрузить данные по добыче"},
    {44, "Set development start time", "Задать дату начала разработки"},
    {60, "Settings", "Настройки"},
    {62, "General settings", "Общие настройки"},
    {64, "Hardware settings", "Настройки оборудования"},
    {80, "About Morvane", "О программе Morvane"},
    {82, "About Morvane", "О программе Morvane"},
    {84, "Support Morvane", "Поддержать Morvane"},
    {88, "Feedback", "Обратная связь"},
    {100, "STOIIP in contour", "Геологические запасы в контуре"},
    {102, "STOIIP of wells", "Геологические запасы скважин"},
    {104, "Kh calculation", "Расчёт Kh"},
    // Main window: ribbon tabs.
    {180, "    GEOLOGY    ", "    ГЕОЛОГИЯ    "},
    {182, "    VISUAL    ", "    ПРОСМОТР    "},
    {184, "    ANALYSIS    ", "    АНАЛИЗ    "},
    {186, "    HISTORY MATCHING    ", "    АДАПТАЦИЯ    "},
    // Main window: ribbon buttons and their tool tips.
    {200, "Import", "Загрузка"},
    {202, "Import wells", "Загрузить скважины"},
    {204, "Import grid", "Загрузить грид"},
    {206, "Import properties", "Загрузить свойства"},
    {208, "Import initial data: model, wells etc.", "Загрузить исходные данные: модель, скважины и т. д."},
    {220, "Well \r\ncompletions", "Перфорации \r\nскважин"},
    {240, "HF", "ГРП"},
    {260, "Production \r\ndata", "Работа \r\nскважин"},
    {262, "Show well injection and production data", "Показать круговые диаграммы накопленных отборов и закачки"},
    {280, "Statistics", "Статистика"},
    {282, "Show model statistics", "Показать статистику модели"},
    {300, "Legend", "Легенда"},
    {302, "Legend", "Легенда"},
    {320, "Layer view", "Послойный\r\nпросмотр"},
    {322, "View the model layer by layer", "Просмотр модели по слоям"},
    {340, "Flat section", "Плоский\r\nсрез"},
    {342, "Make a flat section through the model", "Построить плоский срез модели"},
    {360, "Well section", "Разрез через\r\nскважины"},
    {362, "Make a well section through selected wells", "Построить разрез через выделенные скважины"},
    {380, "3D view", "3D вид"},
    {382, "View model in 3D space", "Просмотр модели в трёхмерном пространстве"},
    {400, "Data\r\nmanager", "Менеджер\r\nданных"},
    {402, "Show data completness manager", "Показать менеджер полноты данных"},
    {420, "Copy to\r\nclipboard", "Копировать\r\nв буфер"},
    {422, "Copy image to paste on presentation, report etc.",
     "Скопировать изображение для вставки в презентацию, отчёт и т. д."},
    // Main window: panes, legend, rotation button tool tip.
    {500, "Wells", "Скважины"},
    {502, "Model", "Модель"},
    {504, "Events log", "Журнал событий"},
    {506, "Property", "Свойство"},
    {508, "Smoothly rotate the model", "Плавно вращать модель"},
    // Settings dialog.
    {600, "Settings", "Настройки"},
    {602, "Main", "Основные"},
    {604, "Visual", "Вид"},
    {606, "Composition", "Компоновка"},
    {608, "Access", "Доступ"},
    {610, "Apply", "Применить"},
    {612, "Exit", "Выход"},
    {614, "Grid", "Грид"},
    {616, "2D view", "2D вид"},
    {618, "3D view", "3D вид"},
    {620, "Layers mode", "Послойный режим"},
    {622, "Wells", "Скважины"},
    {624, "Intersection", "Разрез"},
    {626, "Bubble point diagrams", "Круговые диаграммы"},
    {628, "Composition", "Компоновка"},
    {630, "Visuals", "Оформление"},
    {632, "Access rights", "Права доступа"},
    {634, "show grid lines", "показывать сетку ячеек"},
    {636, "select", "выбрать"},
    {638, "Orthogonal view", "Ортогональная проекция"},
    {640, "Perspective view", "Перспективная проекция"},
    {642, "Always turn North", "Всегда поворачивать на север"},
    {644, "Background", "Фон"},
    {646, "select", "выбрать"},
    {648, "1 layer", "1 непрозрачный слой"},
    {650, "7 transparent layers", "7 прозрачных слоёв"},
    {652, "Background", "Фон"},
    {654, "equals to 3D view background", "как фон 3D вида"},
    {656, "select", "выбрать"},
    {658, "cut wells by top and bottom of model", "обрезать траектории скважин по кровле и подошве пласта"},
    {660, "Location of well label :", "Положение подписи скважины :"},
    {662, "bottom hole", "забой"},
    {664, "well top", "устье"},
    {666, "model top", "кровля модели"},
    {668, "model bot", "подошва модели"},
    {670, "shift", "сдвиг"},
    {672, "Diagram size", "Размер диаграммы"},
    {674, "Label size", "Размер подписи"},
    {676, "MM-YYYY", "ММ-ГГГГ"},
    {678, "month year", "месяц год"},
    {680, "shift X to", "сдвинуть X на"},
    {682, "shift Y to", "сдвинуть Y на"},
    {684, "Date format", "Формат даты"},
    {686, "Coordinate system", "Система координат"},
    {688, "Application run", "Запуск приложения"},
    {690, "Author label", "Подпись автора"},
    {692, "Run fullscreen", "Запускать во весь экран"},
    {694, "Show author label", "Показывать подпись автора"},
    // Data manager.
    {700, "Data manager", "Менеджер данных"},
    {702, "Data", "Полнота"},
    {704, "completness", "данных"},
    {706, "Wells", "Скважины"},
    {708, "Model", "Модель"},
    {710, "Production", "Добыча"},
    {712, "Apply", "Применить"},
    {714, "Exit", "Выход"},
    {716, "pads", "кусты"},
    {718, "wells", "скважины"},
    {720, "type", "тип"},
    {722, "completions", "перфорации"},
    {724, "grid", "грид"},
    {726, "properties", "свойства"},
    {728, "zones", "зоны"},
    {730, "contacts", "контакты"},
    {732, "Grid", "Грид"},
    {734, "Zones", "Зоны"},
    {736, "Property types", "Типы свойств"},
    {738, "Make contacts", "Задать контакты"},
    {740, "New zone*", "Новая зона*"},
    {742, "GOC", "ГНК"},
    {744, "OWC", "ВНК"},
    {746, "unique", "единый"},
    {748, "regions", "куб регионов"},
    {750, "Cumulative production", "Накопленная добыча"},
    {752, "Cumulative injection", "Накопленная закачка"},
    {754, "Wells", "Скважина"},
    {756, "Oil production,\r\n*1000 m3", "Добыча нефти,\r\nтыс. м3"},
    {758, "Water production,\r\n*1000 m3", "Добыча воды,\r\nтыс. м3"},
    {760, "Gas production,\r\n*mln. m3", "Добыча газа,\r\nмлн. м3"},
    // Well column dialog.
    {780, "Well loading", "Загрузка скважин"},
    {782, "Column typization", "Соотнесение столбцов"},
    {784, "Well name", "Имя скважины"},
    {786, "Measured depth, MD", "Глубина, MD"},
    {788, "X ccordinate", "Координата X"},
    {790, "Y ccordinate", "Координата Y"},
    {792, "Z ccordinate", "Координата Z"},
    {794, "OK for all", "ОК для всех"},
    // Model statistics window.
    {800, "Model statistics", "Статистика модели"},
    {802, "Geometry", "Геометрия"},
    {804, "Reservoir parameters", "Параметры пласта"},
    {806, "I cells count", "Число ячеек по I"},
    {808, "J cells count", "Число ячеек по J"},
    {810, "K cells count", "Число ячеек по K"},
    {812, "Total cells number", "Общее число ячеек"},
    {814, "Mean cell thickness", "Средняя толщина ячейки"},
    {816, "Cells size", "Размер ячеек"},
    {818, "Net to gross", "Песчанистость"},
    {820, "Vert. heterogen.", "Верт. неоднородн."},
    {822, "Mean porosity", "Средняя пористость"},
    {824, "Mean permeability", "Средняя проницаемость"},
    {826, "Close", "Закрыть"},
    // Property loading dialog.
    {840, "Property loading", "Загрузка свойств"},
    {842, "Property types", "Типизация свойств"},
    // Colour limit dialog.
    {860, "Change limit", "Изменение лимитов"},
};

// Every pair starts at an even slot inside the table, in rising order, so no pair overwrites another.
constexpr bool pairsFitTheTable()
{
    int previous = -2;
    for (const Pair& pair : pairs) {
        if (pair.base % 2 != 0 || pair.base <= previous || pair.base + 1 >= LOCALS_SIZE) return false;
        previous = pair.base;
    }
    return true;
}
static_assert(pairsFitTheTable());

}  // namespace

std::array<std::string, LOCALS_SIZE> makeLocals()
{
    std::array<std::string, LOCALS_SIZE> locals;
    for (const Pair& pair : pairs) {
        locals[static_cast<std::size_t>(pair.base)] = pair.en;
        locals[static_cast<std::size_t>(pair.base) + 1] = pair.ru;
    }
    return locals;
}

const std::array<std::string, LOCALS_SIZE>& textTable()
{
    static const std::array<std::string, LOCALS_SIZE> table = makeLocals();
    return table;
}

std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto value = values.begin();
    std::size_t from = 0;
    for (std::size_t at = pattern.find("{}"); at != std::string_view::npos && value != values.end();
         at = pattern.find("{}", from)) {
        out.append(pattern.substr(from, at - from));
        out.append(*value++);
        from = at + 2;
    }
    out.append(pattern.substr(from));
    return out;
}

int languageOffset(const std::string& lang) { return lang == "ru" ? 1 : 0; }

LocalMessage fillIn(const TextPair& pattern, std::initializer_list<std::string_view> words)
{
    return {fillText(pattern.en, words), fillText(pattern.ru, words)};
}

LocalMessage& LocalMessage::operator+=(const LocalMessage& more)
{
    if (more.empty()) return *this;
    en += (en.empty() ? "" : " ") + more.en;
    ru += (ru.empty() ? "" : " ") + more.ru;
    return *this;
}

const std::string& localText(const std::array<std::string, LOCALS_SIZE>& locals, int base, const std::string& lang)
{
    return locals.at(static_cast<std::size_t>(base + languageOffset(lang)));
}

const std::string& localText(int base, const std::string& lang) { return localText(textTable(), base, lang); }

}  // namespace morvane
