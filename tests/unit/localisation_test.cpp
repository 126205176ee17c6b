// The interface text table: the pair layout, the language rule and the texts the windows rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <utility>

#include "commands/model_state.h"
#include "core/localisation.h"

namespace morvane {
namespace {

const std::array<std::string, LOCALS_SIZE>& table()
{
    static const std::array<std::string, LOCALS_SIZE> locals = makeLocals();
    return locals;
}

// Every base that holds a pair; all other slots stay empty.
const std::set<int> bases{0,   2,   4,   6,   8,   10,  20,  22,  24,  26,  28,  30,  32,  34,  40,  42,  44,  60,  62,
                          64,  80,  82,  84,  88,  100, 102, 104, 180, 182, 184, 186, 200, 202, 204, 206, 208, 220, 240,
                          260, 262, 280, 282, 300, 302, 320, 322, 340, 342, 360, 362, 380, 382, 400, 402, 420, 422, 500,
                          502, 504, 506, 508, 600, 602, 604, 606, 608, 610, 612, 614, 616, 618, 620, 622, 624, 626, 628,
                          630, 632, 634, 636, 638, 640, 642, 644, 646, 648, 650, 652, 654, 656, 658, 660, 662, 664, 666,
                          668, 670, 672, 674, 676, 678, 680, 682, 684, 686, 688, 690, 692, 694, 700, 702, 704, 706, 708,
                          710, 712, 714, 716, 718, 720, 722, 724, 726, 728, 730, 732, 734, 736, 738, 740, 742, 744, 746,
                          748, 750, 752, 754, 756, 758, 760, 780, 782, 784, 786, 788, 790, 792, 794, 800, 802, 804, 806,
                          808, 810, 812, 814, 816, 818, 820, 822, 824, 826, 840, 842, 860};

int occurrences(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
    return count;
}

TEST(LocalisationTest, OnlyExactlyRuSelectsRussian)
{
    EXPECT_EQ(languageOffset("ru"), 1);
    EXPECT_EQ(languageOffset("en"), 0);
    EXPECT_EQ(languageOffset("RU"), 0);
    EXPECT_EQ(languageOffset("Ru"), 0);
    EXPECT_EQ(languageOffset(""), 0);
    EXPECT_EQ(languageOffset("ru "), 0);
    EXPECT_EQ(languageOffset("de"), 0);

    EXPECT_EQ(localText(table(), 0, "ru"), "Проект");
    EXPECT_EQ(localText(table(), 0, "en"), "Project");
    EXPECT_EQ(localText(table(), 0, "RU"), "Project");
    EXPECT_EQ(localText(table(), 0, ""), "Project");
}

TEST(LocalisationTest, MessagesTakeTheirFileLineAndNumbersInOrder)
{
    EXPECT_EQ(fillText("{}: line {}", {"a.dev", "12"}), "a.dev: line 12");
    // A value holding "{}" (a file named so) is taken as it is, not filled again.
    EXPECT_EQ(fillText("{} and {}", {"{}", "b"}), "{} and b");
    EXPECT_EQ(fillText("{} of {}", {"3"}), "3 of {}");  // too few values: the rest stay visible
    EXPECT_EQ(fillText("no place", {"x"}), "no place");
    EXPECT_EQ(fillText(TextPair{"{} rows", "строк: {}"}.in(std::string("ru")), {"4"}), "строк: 4");
}

TEST(LocalisationTest, EveryListedPairIsFilledInBothLanguagesAndNothingElse)
{
    ASSERT_EQ(table().size(), 862u);
    for (int slot = 0; slot < LOCALS_SIZE; ++slot) {
        const bool english = bases.count(slot) != 0;
        const bool russian = bases.count(slot - 1) != 0;
        if (english || russian)
            EXPECT_FALSE(table()[static_cast<std::size_t>(slot)].empty()) << "slot " << slot;
        else
            EXPECT_TRUE(table()[static_cast<std::size_t>(slot)].empty()) << "slot " << slot;
    }
    // A Russian twin is a translation, not a copy of the English text (the author's own name aside).
    for (int base : bases) {
        const std::string& en = table()[static_cast<std::size_t>(base)];
        const std::string& ru = table()[static_cast<std::size_t>(base) + 1];
        EXPECT_NE(en, ru) << "base " << base;
        EXPECT_TRUE(std::any_of(ru.begin(), ru.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xD0; }))
            << "base " << base << " has no Cyrillic text";
    }
}

TEST(LocalisationTest, RibbonTabCaptionsKeepTheirPaddingInBothLanguages)
{
    const std::pair<int, std::pair<const char*, const char*>> tabs[] = {
        {180, {"    GEOLOGY    ", "    ГЕОЛОГИЯ    "}},
        {182, {"    VISUAL    ", "    ПРОСМОТР    "}},
        {184, {"    ANALYSIS    ", "    АНАЛИЗ    "}},
        {186, {"    HISTORY MATCHING    ", "    АДАПТАЦИЯ    "}}};
    for (const auto& [base, texts] : tabs) {
        EXPECT_EQ(localText(table(), base, "en"), texts.first);
        EXPECT_EQ(localText(table(), base, "ru"), texts.second);
    }
}

TEST(LocalisationTest, TwoLineCaptionsBreakWithCarriageReturnAndLineFeed)
{
    EXPECT_EQ(localText(table(), 220, "en"), "Well \r\ncompletions");
    EXPECT_EQ(localText(table(), 260, "en"), "Production \r\ndata");
    EXPECT_EQ(localText(table(), 260, "ru"), "Работа \r\nскважин");
    EXPECT_EQ(localText(table(), 400, "en"), "Data\r\nmanager");
    EXPECT_EQ(localText(table(), 420, "en"), "Copy to\r\nclipboard");
    EXPECT_EQ(localText(table(), 320, "en"), "Layer view");
    EXPECT_EQ(localText(table(), 320, "ru"), "Послойный\r\nпросмотр");
    EXPECT_EQ(localText(table(), 360, "ru"), "Разрез через\r\nскважины");
    EXPECT_EQ(localText(table(), 756, "en"), "Oil production,\r\n*1000 m3");
    EXPECT_EQ(localText(table(), 756, "ru"), "Добыча нефти,\r\nтыс. м3");
    EXPECT_EQ(localText(table(), 760, "en"), "Gas production,\r\n*mln. m3");
    // Every English two-line caption has a two-line Russian twin, each line break a full "\r\n".
    for (int base : bases) {
        const std::string& en = table()[static_cast<std::size_t>(base)];
        const std::string& ru = table()[static_cast<std::size_t>(base) + 1];
        for (const std::string* text : {&en, &ru}) {
            EXPECT_EQ(occurrences(*text, "\n"), occurrences(*text, "\r\n")) << "base " << base;
            EXPECT_EQ(occurrences(*text, "\r"), occurrences(*text, "\r\n")) << "base " << base;
        }
        if (occurrences(en, "\r\n") > 0) {
            EXPECT_EQ(occurrences(ru, "\r\n"), 1) << "base " << base;
        }
    }
}

TEST(LocalisationTest, TextsOfTheWindowsAsTheyAreShown)
{
    const std::pair<int, std::pair<const char*, const char*>> samples[] = {
        {30, {"Palette tinung", "Настройка палитры"}},
        {32, {"Hide grid lines", "Скрыть сетку ячеек"}},
        {42, {"Load production data", "Загрузить данные по добыче"}},
        {200, {"Import", "Загрузка"}},
        {202, {"Import wells", "Загрузить скважины"}},
        {206, {"Import properties", "Загрузить свойства"}},
        {262, {"Show well injection and production data", "Показать круговые диаграммы накопленных отборов и закачки"}},
        {362, {"Make a well section through selected wells", "Построить разрез через выделенные скважины"}},
        {402, {"Show data completness manager", "Показать менеджер полноты данных"}},
        {506, {"Property", "Свойство"}},
        {648, {"1 layer", "1 непрозрачный слой"}},
        {650, {"7 transparent layers", "7 прозрачных слоёв"}},
        {658, {"cut wells by top and bottom of model", "обрезать траектории скважин по кровле и подошве пласта"}},
        {660, {"Location of well label :", "Положение подписи скважины :"}},
        {704, {"completness", "данных"}},
        {744, {"OWC", "ВНК"}},
        {746, {"unique", "единый"}},
        {748, {"regions", "куб регионов"}},
        {750, {"Cumulative production", "Накопленная добыча"}},
        {754, {"Wells", "Скважина"}},
        {782, {"Column typization", "Соотнесение столбцов"}},
        {788, {"X ccordinate", "Координата X"}},
        {792, {"Z ccordinate", "Координата Z"}},
        {794, {"OK for all", "ОК для всех"}},
        {840, {"Property loading", "Загрузка свойств"}},
        {860, {"Change limit", "Изменение лимитов"}}};
    for (const auto& [base, texts] : samples) {
        EXPECT_EQ(localText(table(), base, "en"), texts.first) << "base " << base;
        EXPECT_EQ(localText(table(), base, "ru"), texts.second) << "base " << base;
    }
}

TEST(LocalisationTest, TheProgramTableIsTheFilledTableAndTheStateStartsInEnglish)
{
    EXPECT_EQ(textTable(), table());
    EXPECT_EQ(&textTable(), &textTable());
    EXPECT_EQ(ModelState().view.language, "en");
}

}  // namespace
}  // namespace morvane
