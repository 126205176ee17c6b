// The property reader: splitting an export into its properties, finding each value block, the kind rule, the
// check against the grid's cell count, the statistics and the lists an accepted property is appended to.
#include "io/property_reader.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/code_names.h"
#include "tests/support/text_fixtures.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

namespace texts = property_texts;

// The shape of a real export: header comments, FILEUNIT, then per property a keyword line with the generator
// comment, the marker line, values indented by two blanks and " /".
const std::string kExport =
    "-- Format      : Generic ECLIPSE style (ASCII) grid geometry and properties (*.GRDECL)\n"
    "-- Exported by : Petrel 2015 Schlumberger\n"
    "\n"
    "FILEUNIT\n"
    "METRIC /\n"
    "\n"
    "FACIES   -- Generated : Petrel\n"
    "-- Property name in Petrel : Facies  \n"
    "  121*0 2*1\n"
    " /\n"
    "\n"
    "PORO     -- Generated : Petrel\n"
    "-- Property name in Petrel : PORO\n"
    "  120*0.25 0.1 2*0.3\n"
    " /\n";
constexpr int kExportCells = 123;

// Reads one property as the import does: an accepted one is added to the document's properties.
PropertyReport load(std::string_view text, const PropertyEntry& entry, int kindCode, int cells, std::string_view lang,
                    PropertySet& p, const std::vector<std::uint8_t>& active = {})
{
    PropertyReport r = loadProperty(text, entry, propertyKindOf(kindCode), cells, lang, p, active);
    if (r.accepted) p.add(r.property);
    return r;
}

std::vector<std::string> namesOf(const PropertySet& p)
{
    std::vector<std::string> names;
    for (const Property& property : p.items) names.push_back(property.name);
    return names;
}

// One property with the given value lines, behind a keyword line and the marker.
std::string oneProperty(const std::string& keyword, const std::string& name, const std::string& values)
{
    return keyword + "   -- Generated : Petrel\n-- Property name in Petrel : " + name + "\n" + values + "\n /\n";
}

PropertyValues readOnly(const std::string& text, int cells)
{
    const auto entries = splitPropertyText(text);
    EXPECT_EQ(entries.size(), 1u);
    if (entries.empty()) return {};
    return readPropertyValues(text, entries[0], cells);
}

std::vector<std::string> linesOf(const PropertyReport& r, PropertyReportLine::Kind kind)
{
    std::vector<std::string> out;
    for (const auto& line : r.lines)
        if (line.kind == kind) out.push_back(line.text);
    return out;
}

TEST(PropertySplit, FindsEveryPropertyWithItsNameAndFirstValueLineInBothLineEnds)
{
    for (const std::string& text : {kExport, test::withCrlf(kExport)}) {
        const auto entries = splitPropertyText(text);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].name, "Facies  ");  // trailing blanks belong to the name, the CR does not
        EXPECT_EQ(entries[1].name, "PORO");
        EXPECT_EQ(text.substr(entries[0].valuesBegin, 7), "  121*0");
        EXPECT_EQ(text.substr(entries[1].valuesBegin, 10), "  120*0.25");
        // The first property's search ends where the second's marker line starts.
        EXPECT_EQ(text.substr(entries[0].valuesEnd, 3), "-- ");
        EXPECT_EQ(entries[1].valuesEnd, text.size());
    }
}

TEST(PropertySplit, TextWithoutMarkerIsNotAPropertyFile)
{
    EXPECT_TRUE(splitPropertyText("").empty());
    EXPECT_TRUE(splitPropertyText("PORO\n  1 2 3 /\n").empty());
    EXPECT_TRUE(splitPropertyText(std::string("\0\xff\xfe*/--\r", 9)).empty());
    const PropertyReport r = notPropertyFileReport();
    ASSERT_TRUE(r.messageBox);
    EXPECT_EQ(r.messageBox->caption, texts::CaptionRu);
    EXPECT_EQ(r.messageBox->text, texts::NotPropertyFileBox);
    const PropertyReport en = notPropertyFileReport("en", "notes.txt");
    EXPECT_EQ(en.messageBox->caption, texts::CaptionEn);
    EXPECT_EQ(en.messageBox->text, texts::NotPropertyFileBoxEn);
    EXPECT_EQ(linesOf(en, PropertyReportLine::Kind::Log),
              std::vector<std::string>{std::string(texts::NotPropertyFileLog) + ": notes.txt"});
    ASSERT_EQ(linesOf(r, PropertyReportLine::Kind::Log), std::vector<std::string>{texts::NotPropertyFileLog});
    EXPECT_EQ(r.lines[0].colour, log_colour::Red);
    // A file cut before its first property says so with the line it was read to.
    EXPECT_EQ(noPropertyFoundText("-- Format : GRDECL\n-- Grid : 6 x", "P.GRDECL", "en"),
              "P.GRDECL holds no \"Property name in Petrel\" line and no keyword block of values that could be a "
              "property, up to the end of the file (line 2)");
    EXPECT_EQ(notPropertyFileReport("en", "P.GRDECL", {"one", "two"}).messageBox->text,
              std::string(texts::NotPropertyFileBoxEn) + "\n\none\ntwo");
}

// A file without markers: every keyword block of exactly one value per cell is a property named by its keyword,
// discrete when all its values are whole; the grid's own keywords, blocks of another size and blocks of words are
// passed over.
TEST(PropertyKeywordBlocks, EachBlockOfTheCellCountIsAProperty)
{
    const std::string text =
        "-- exported without marker lines\nFILEUNIT\nMETRIC /\nACTNUM\n 4*1 /\n"
        "PORO   -- Generated : Petrel\n  0.25 2.5D-1 2*0.3/PERMX\n 100 250 2*1.0D+03 /\n"
        "NTG\n 0.5 0.5 0.5 /\nFACIES\n 2*1 2*3 /\nIRR.GASSATURATION\n 4*0.1 /\n";
    for (const std::string& t : {text, test::withCrlf(text)}) {
        const auto entries = splitKeywordProperties(t, 4);
        std::vector<std::string> names;
        for (const auto& e : entries) names.push_back(e.name);
        EXPECT_EQ(names, (std::vector<std::string>{"PORO", "PERMX", "FACIES", "IRR.GASSATURATION"}));
        ASSERT_EQ(entries.size(), 4u);
        const PropertyValues poro = readPropertyValues(t, entries[0], 4);
        EXPECT_TRUE(poro.conforms);
        EXPECT_FALSE(poro.discrete);
        EXPECT_EQ(poro.values, (std::vector<double>{0.25, 0.25, 0.3, 0.3}));
        const PropertyValues perm = readPropertyValues(t, entries[1], 4);
        EXPECT_TRUE(perm.discrete);  // whole values, though one is written 1.0D+03
        EXPECT_EQ(perm.codes, (std::vector<int>{100, 250, 1000, 1000}));
        EXPECT_EQ(readPropertyValues(t, entries[2], 4).codes, (std::vector<int>{1, 1, 3, 3}));
    }
    EXPECT_TRUE(splitKeywordProperties(text, 5).empty());
    EXPECT_TRUE(splitPropertyText(text).empty());  // no marker: splitting at markers finds nothing
}

// A deck as simulators read it: NOECHO ... ECHO around the arrays and the headers of its sections (PROPS, EDIT,
// REGIONS, SOLUTION, SCHEDULE, END) hold no data, so none of them takes the block after it; an edit of several
// records (EQUALS) ends at its empty record, so its second record is no block of its own; keywords written in lower
// case are keywords, named as the simulator names them.
TEST(PropertyKeywordBlocks, SectionKeywordsHoldNoDataAndLowerCaseKeywordsCount)
{
    const std::string deck =
        "NOECHO\nGRID\nPROPS\n"
        "PORO\n 4*0.2 /\n"
        "EDIT\n"
        "EQUALS\n PERMX 100 /\n NTG 0.5 1 2 1 /\n/\n"
        "permx   -- Generated : Petrel\n 1 2 3 4 /\n"
        "REGIONS\n"
        "fipnum\n 2*1 2*2 /\n"
        "SOLUTION\nSCHEDULE\nSatnum\n 4*3 /\nEND\nECHO\n";
    for (const std::string& t : {deck, test::withCrlf(deck)}) {
        std::vector<DroppedBlock> dropped;
        const auto entries = propertyEntries(t, 4, &dropped);
        std::vector<std::string> names;
        for (const auto& e : entries) names.push_back(e.name);
        EXPECT_EQ(names, (std::vector<std::string>{"PORO", "PERMX", "FIPNUM", "SATNUM"}));
        std::vector<std::string> said;
        for (const DroppedBlock& d : dropped) said.push_back(droppedBlockLine(d, 4, "DECK.INC", "en").text);
        EXPECT_EQ(said, std::vector<std::string>{});
        ASSERT_EQ(entries.size(), 4u);
        EXPECT_EQ(readPropertyValues(t, entries[0], 4).values, (std::vector<double>{0.2, 0.2, 0.2, 0.2}));
        EXPECT_EQ(readPropertyValues(t, entries[1], 4).codes, (std::vector<int>{1, 2, 3, 4}));
        EXPECT_EQ(readPropertyValues(t, entries[2], 4).codes, (std::vector<int>{1, 1, 2, 2}));
        EXPECT_EQ(entries[1].line, 11);
        EXPECT_EQ(entries[1].keyword, "PERMX");
    }
    // A block of the wrong size never vanishes: an array with no value at all is said as one of another size.
    std::vector<DroppedBlock> dropped;
    EXPECT_TRUE(propertyEntries("NOECHO\nntg\n /\nRPTGRID\n /\nECHO\n", 4, &dropped).empty());
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(droppedBlockLine(dropped[0], 4, "DECK.INC", "en").text,
              "NTG (DECK.INC, line 2) was not loaded: it holds 0 values, the grid has 4 cells");
}

// Every block of values the reader leaves out is named with its line and why, so the file can be mended: a block of
// another size, a word that is no number, a missing "/", a keyword that is not one, values whose marker line is
// damaged. Records of edits (EQUALS) are no properties and are passed over without a word.
TEST(PropertyDroppedBlocks, EachBlockLeftOutIsNamedWithItsLineAndReason)
{
    const std::string keywords =
        "EQUALS\n PORO 0.2 1 2 1 1 1 1 /\n/\n"  // lines 1-3
        "PORO\n 0.1 0.2 0.3 /\n"                // 4-5: three values for four cells
        "NTG\n 0.5 N/A 0.5 0.5 /\n"             // 6-7
        "SWAT\n 0.1 0.2 0.3 0.4\n"              // 8-9: no "/"
        "PERMX\n 1 2 3 4 /\n"                   // 10-11: the one property
        "PORO:\n 4*0.2 /\n";                    // 12-13: not a keyword
    std::vector<DroppedBlock> dropped;
    const auto entries = propertyEntries(keywords, 4, &dropped);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "PERMX");
    EXPECT_EQ(entries[0].line, 10);
    std::vector<std::string> said;
    for (const DroppedBlock& d : dropped) said.push_back(droppedBlockLine(d, 4, "K.GRDECL", "en").text);
    EXPECT_EQ(said, (std::vector<std::string>{
                        "PORO (K.GRDECL, line 4) was not loaded: it holds 3 values, the grid has 4 cells",
                        "NTG (K.GRDECL, line 6) was not loaded: \"N/A\" on line 7 is not a number",
                        "SWAT (K.GRDECL, line 8) was not loaded: no \"/\" ends its values before PERMX on line 10",
                        "Values on line 13 of K.GRDECL were not loaded: the line above them, \"PORO:\", is not a "
                        "keyword"}));
    for (const DroppedBlock& d : dropped)
        EXPECT_EQ(droppedBlockLine(d, 4, "K.GRDECL", "en").colour, log_colour::Orange);
    EXPECT_EQ(droppedBlockLine(dropped[0], 4, "K.GRDECL", "ru").text,
              "PORO (K.GRDECL, строка 4) не загружено: в нём 3 значений, в гриде 4 ячеек");

    // A damaged first marker line leaves its values without a name; a marker line that lost its line break keeps
    // only the name and is refused naming that line.
    const std::string marked =
        "PORO\n-- Property nme in Petrel : A\n 4*0.1\n /\n"             // 1-4
        "NTG\n-- Property name in Petrel : B 0.5 0.5\n 0.5 0.5\n /\n";  // 5-8
    dropped.clear();
    const auto markedEntries = propertyEntries(marked, 4, &dropped);
    ASSERT_EQ(markedEntries.size(), 1u);
    EXPECT_EQ(markedEntries[0].name, "B");
    EXPECT_TRUE(markedEntries[0].markerHoldsValues);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(droppedBlockLine(dropped[0], 4, "M.GRDECL", "en").text,
              "Values on line 3 of M.GRDECL were not loaded: no \"Property name in Petrel\" line names them (keyword "
              "\"PORO\")");
    // A file cut inside the lines that name its next property: the keyword is named, with where the file ends.
    for (const std::string tail : {"FACIES   -- Generated : Petrel\n-- Property name in Pet",
                                   "FACIES   -- Generated : Petrel\n", "FACIES   -- Gen"}) {
        const std::string cut = oneProperty("PORO", "P", "  4*0.1") + "\n" + tail;
        dropped.clear();
        ASSERT_EQ(propertyEntries(cut, 4, &dropped).size(), 1u);
        ASSERT_EQ(dropped.size(), 1u) << tail;
        EXPECT_EQ(droppedBlockLine(dropped[0], 4, "C.GRDECL", "en").text,
                  std::string("FACIES (C.GRDECL, line 6) was not loaded: the file ends on line ") +
                      (tail.find("Property") != std::string::npos ? "7" : "6") + " before its values");
    }
    dropped.clear();
    propertyEntries(oneProperty("PORO", "P", "  4*0.1") + "ECHO\nEND\n-- the end\n", 4, &dropped);
    EXPECT_TRUE(dropped.empty());

    PropertySet p;
    const PropertyReport b = loadProperty(marked, markedEntries[0], PropertyKind::Unset, 4, "en", p, {}, "M.GRDECL");
    EXPECT_FALSE(b.accepted);
    ASSERT_TRUE(b.messageBox);
    EXPECT_EQ(b.messageBox->text, std::string(texts::MismatchEn) +
                                      "\n\nB (M.GRDECL, line 6): 2 values, the grid has 4 cells. Its name line 6 "
                                      "holds values as well: a line break may be lost there.");
}

// Porosity, net-to-gross and saturations are fractions: values outside 0 to 1 in active cells are kept as read and
// counted in an orange line; another quantity, or the same values in inactive cells, is not warned about.
TEST(PropertyPlausibility, FractionsOutsideZeroToOneAreCountedAndKept)
{
    const std::string text = oneProperty("PORO", "Porosity", "0.2 1.5 -9.5 0.3") +
                             oneProperty("PERMX", "Perm", "0.2 1.5 -9.5 0.3") +
                             oneProperty("SWAT", "Sw", "0.2 1.5 0.5 0.3");
    const auto entries = splitPropertyText(text);
    ASSERT_EQ(entries.size(), 3u);
    auto orange = [&](const PropertyEntry& e, PropertyKind kind, const std::vector<std::uint8_t>& active) {
        PropertySet p;
        const PropertyReport r = loadProperty(text, e, kind, 4, "en", p, active, "P.GRDECL");
        EXPECT_TRUE(r.accepted);
        EXPECT_EQ(r.property.values[2], e.name == "Sw" ? 0.5 : -9.5);  // kept as read
        std::vector<std::string> lines;
        for (const PropertyReportLine& l : r.lines)
            if (l.kind == PropertyReportLine::Kind::Log && l.colour == log_colour::Orange) lines.push_back(l.text);
        return lines;
    };
    EXPECT_EQ(orange(entries[0], PropertyKind::Unset, {}),
              std::vector<std::string>{"Porosity (P.GRDECL, line 2): 2 of 4 cells hold values outside 0 to 1 (from "
                                       "-9.5 to 1.5); the values are kept as read"});
    EXPECT_TRUE(orange(entries[1], PropertyKind::Unset, {}).empty());
    EXPECT_EQ(orange(entries[1], PropertyKind::Porosity, {}).size(), 1u);        // the kind the user gave decides
    EXPECT_TRUE(orange(entries[2], PropertyKind::Unset, {1, 0, 1, 1}).empty());  // 1.5 lies in an inactive cell
    EXPECT_EQ(orange(entries[2], PropertyKind::Unset, {}).size(), 1u);
}

// The value block starts at the first value line after the marker, found by its content and not by a count of
// characters, so the first value "121*0" keeps all its digits with LF line ends as with CRLF.
TEST(PropertyValueBlock, FirstValueKeepsItsLeadingDigitsWithLfAndCrlf)
{
    for (const std::string& text : {kExport, test::withCrlf(kExport)}) {
        const auto entries = splitPropertyText(text);
        ASSERT_EQ(entries.size(), 2u);
        const PropertyValues facies = readPropertyValues(text, entries[0], kExportCells);
        EXPECT_TRUE(facies.discrete);
        EXPECT_TRUE(facies.conforms);
        ASSERT_EQ(facies.codes.size(), 123u);
        EXPECT_EQ(std::count(facies.codes.begin(), facies.codes.end(), 0), 121);
        EXPECT_EQ(facies.codes[121], 1);
        EXPECT_EQ(facies.codes[122], 1);
        const PropertyValues poro = readPropertyValues(text, entries[1], kExportCells);
        EXPECT_FALSE(poro.discrete);
        EXPECT_TRUE(poro.conforms);
        ASSERT_EQ(poro.values.size(), 123u);
        EXPECT_EQ(poro.values[0], 0.25);
        EXPECT_EQ(poro.values[120], 0.1);
        EXPECT_EQ(poro.values[122], 0.3);
    }
}

TEST(PropertyValueBlock, SkipsBlankCommentAndKeywordLinesOnly)
{
    // Keyword names with points, a keyword after the marker, comments and blank lines before the values.
    const std::string text =
        "-- Property name in Petrel : Sgirr\r\n"
        "\r\n"
        "IRR.GASSATURATION   -- Generated : Petrel\r\n"
        "   -- a comment holding 1.5 and a / slash\r\n"
        "  -0.5 .25 2*1\r\n"
        " /\r\n";
    const PropertyValues read = readOnly(text, 4);
    EXPECT_TRUE(read.conforms);
    EXPECT_FALSE(read.discrete);
    EXPECT_EQ(read.values, (std::vector<double>{-0.5, 0.25, 1, 1}));
}

TEST(PropertyValueBlock, PropertyWithoutValuesNeverTakesTheNextOnesValues)
{
    const std::string text = "-- Property name in Petrel : Empty\n" + oneProperty("PORO", "PORO", "  3*0.2");
    const auto entries = splitPropertyText(text);
    ASSERT_EQ(entries.size(), 2u);
    const PropertyValues empty = readPropertyValues(text, entries[0], 3);
    EXPECT_FALSE(empty.conforms);
    EXPECT_EQ(empty.count, 0u);
    EXPECT_TRUE(readPropertyValues(text, entries[1], 3).conforms);
}

TEST(PropertyKind, PointAnywhereMakesContinuousAndRepeatsGiveExactlyNCopies)
{
    const PropertyValues codes = readOnly(oneProperty("FACIES", "F", "  3*2 1"), 4);
    EXPECT_TRUE(codes.discrete);
    EXPECT_EQ(codes.codes, (std::vector<int>{2, 2, 2, 1}));
    EXPECT_TRUE(codes.values.empty());  // the doubles are not kept beside the codes

    const PropertyValues cont = readOnly(oneProperty("PORO", "P", "  3*0.25 0.5"), 4);
    EXPECT_FALSE(cont.discrete);
    EXPECT_EQ(cont.values, (std::vector<double>{0.25, 0.25, 0.25, 0.5}));

    // A stray decimal among whole codes makes the whole property continuous.
    const PropertyValues stray = readOnly(oneProperty("FACIES", "F", "  2*1 3*1.5 2"), 6);
    EXPECT_FALSE(stray.discrete);
    EXPECT_EQ(stray.values, (std::vector<double>{1, 1, 1.5, 1.5, 1.5, 2}));

    // 1*7 is one value, 0*7 none, and a long run is expanded in full in both kinds.
    EXPECT_EQ(readOnly(oneProperty("F", "F", "1*7 0*7 2"), 2).codes, (std::vector<int>{7, 2}));
    const PropertyValues run = readOnly(oneProperty("F", "F", "4999*1 5001*3"), 10000);
    EXPECT_TRUE(run.conforms);
    EXPECT_EQ(run.codes[4998], 1);
    EXPECT_EQ(run.codes[4999], 3);
    EXPECT_TRUE(readOnly(oneProperty("P", "P", "4999*1.5 1*2.5"), 5000).conforms);

    // A plain 100000 is a value, not a repeat count.
    EXPECT_EQ(readOnly(oneProperty("PERMX", "K", "100000 2*0.5"), 3).values, (std::vector<double>{100000, 0.5, 0.5}));
}

// Exports write small values with exponents and no point at all (12*5E-1, 25E-2, Fortran's 5D-1): such a property
// holds values, not codes. Whole codes are written as whole numbers; a "3D" in a comment among them is no exponent.
TEST(PropertyKind, ExponentsMakeContinuousWithoutAPoint)
{
    for (const std::string values : {"  2*5E-1 2*25E-2", "  2*5D-1 25d-2 2.5E-1", "  12*5E-1 12*25E-2"}) {
        const int cells = values.find("12*") != std::string::npos ? 24 : 4;
        const PropertyValues read = readOnly(oneProperty("PORO", "Porosity", values), cells);
        EXPECT_FALSE(read.discrete) << values;
        EXPECT_TRUE(read.conforms) << values;
        EXPECT_TRUE(read.codes.empty());
        ASSERT_EQ(read.values.size(), static_cast<std::size_t>(cells)) << values;
        EXPECT_EQ(read.values.front(), 0.5);
        EXPECT_EQ(read.values.back(), 0.25);
        PropertySet p;
        const std::string text = oneProperty("PORO", "Porosity", values);
        const PropertyReport r = load(text, splitPropertyText(text)[0], 0, cells, "en", p);
        ASSERT_TRUE(r.accepted) << values;
        EXPECT_EQ(p.items[0].kind, PropertyKind::Continuous);
        EXPECT_DOUBLE_EQ(p.items[0].min, 0.25);
        EXPECT_DOUBLE_EQ(p.items[0].max, 0.5);
    }
    const PropertyValues codes = readOnly(oneProperty("FACIES", "F", "  2*1 -- facies of the 3D model\n  2*3"), 4);
    EXPECT_TRUE(codes.discrete);
    EXPECT_EQ(codes.codes, (std::vector<int>{1, 1, 3, 3}));
}

// A real lithology export holds a stray 3*1.5 among its codes. Typed as lithology, the property stays discrete:
// whole values keep their codes, the others become undefined cells that no code, share or range counts, and the log
// says how many there are. Untyped, the decimal point still makes it continuous.
TEST(PropertyKind, LithologyWithStrayDecimalsKeepsItsCodesAndCountsTheRest)
{
    const std::string text = oneProperty("LITHOLOGIES", "Litho", "  4*1 3*1.5 2*2.0 -999.99");
    const auto entries = splitPropertyText(text);
    PropertySet p;
    const PropertyReport litho = load(text, entries[0], 1, 10, "en", p);
    ASSERT_TRUE(litho.accepted);
    EXPECT_TRUE(litho.discrete);
    constexpr int U = kUndefinedCode;
    const Property& read = p.items.at(0);
    EXPECT_EQ(read.kind, PropertyKind::Lithology);
    EXPECT_EQ(read.codes, (std::vector<int>{1, 1, 1, 1, U, U, U, 2, 2, U}));
    EXPECT_EQ(read.distinctCodes, (std::vector<int>{1, 2}));
    EXPECT_EQ(read.codePercent, (std::vector<float>{40.0f, 20.0f}));
    EXPECT_EQ(read.min, 1);
    EXPECT_EQ(read.max, 2);
    EXPECT_EQ(
        linesOf(litho, PropertyReportLine::Kind::Log),
        (std::vector<std::string>{"Litho: 3 cells hold values that are not whole codes; they are drawn as undefined",
                                  "Litho: 1 cell holds -999.99, read as no value"}));
    EXPECT_EQ(linesOf(litho, PropertyReportLine::Kind::Trace)[1], texts::TraceDiscrete);

    PropertySet untyped;
    EXPECT_FALSE(load(text, entries[0], 0, 10, "en", untyped).discrete);
    EXPECT_EQ(untyped.items.at(0).kind, PropertyKind::Continuous);  // no kind given: continuous by its values
    PropertySet facies;
    const std::string wrongSize = oneProperty("FACIES", "F", "2*1 3*1.5");
    const PropertyReport rejected = load(wrongSize, splitPropertyText(wrongSize)[0], 2, 4, "en", facies);
    ASSERT_TRUE(rejected.messageBox);
    // Discrete too: the text in the interface language, with the values found against the cells.
    EXPECT_EQ(rejected.messageBox->text, std::string(texts::MismatchEn) + "\n\nF: 5 values, the grid has 4 cells.");
}

// Exports mark cells without a value with -999.25, -999, 1e20 and the like. Read as numbers they would stretch the
// range a hundredfold and colour every real cell alike; read as no value they are left out of the range, the codes
// and their shares, counted on the property and said in the log with the marker, in either language.
TEST(PropertyNoValue, MarkersOfAnExportAreNoValueCountedAndSaid)
{
    const std::string deck = "NOECHO\n-- simulator export\nPORO\n  0.25D0 2*-999.25 1.5D-1\n  3.0D-1 1.0D+20 /\nECHO\n";
    const auto entries = splitKeywordProperties(deck, 6);
    ASSERT_EQ(entries.size(), 1u);
    for (const std::string lang : {"en", "ru"}) {
        PropertySet p;
        const PropertyReport poro = load(deck, entries[0], 0, 6, lang, p);
        ASSERT_TRUE(poro.accepted);
        const Property& read = p.items.at(0);
        EXPECT_FALSE(read.discrete);
        ASSERT_EQ(read.values.size(), 6u);
        EXPECT_EQ(read.values[0], 0.25);
        EXPECT_TRUE(isNoValue(read.values[1]) && isNoValue(read.values[2]) && isNoValue(read.values[5]));
        EXPECT_DOUBLE_EQ(read.min, 0.15);
        EXPECT_DOUBLE_EQ(read.max, 0.3);
        EXPECT_DOUBLE_EQ(read.lowLimit, 0.15);
        EXPECT_EQ(read.undefinedCount, 3u);
        EXPECT_EQ(linesOf(poro, PropertyReportLine::Kind::Log),
                  lang == "en" ? (std::vector<std::string>{"PORO: 2 cells hold -999.25, read as no value",
                                                           "PORO: 1 cell holds 1e+20, read as no value"})
                               : (std::vector<std::string>{
                                     "PORO: в 2 ячейках значение -999.25, прочитано как отсутствие значения",
                                     "PORO: в 1 ячейке значение 1e+20, прочитано как отсутствие значения"}));
    }
    // A marker the user took off the list is a value again.
    PropertySet p;
    const PropertyReport asRead =
        loadProperty(deck, entries[0], PropertyKind::Unset, 6, "en", p, {}, {}, UndefinedMarkers({1e20}));
    EXPECT_DOUBLE_EQ(asRead.property.min, -999.25);
    EXPECT_EQ(asRead.property.undefinedCount, 1u);
    EXPECT_EQ(groupedCount(1204), "1 204");
    EXPECT_EQ(groupedCount(12345678), "12 345 678");
}

// A file may say in its header which value it writes for no value; a code property holding it, or a standard marker,
// has those cells undefined: no code, no share, no part of the range.
TEST(PropertyNoValue, AMarkerTheFileDeclaresIsNoValueInCodesToo)
{
    const std::string text = "-- Exported by : a mapping tool\n-- NULL value = -7\n" +
                             oneProperty("FACIES", "Facies", "  1 2 -7 3\n  2*-7 -999 1 /");
    PropertySet p;
    const PropertyReport facies = load(text, splitPropertyText(text).at(0), 0, 8, "en", p);
    ASSERT_TRUE(facies.accepted);
    const Property& read = p.items.at(0);
    constexpr int U = kUndefinedCode;
    EXPECT_EQ(read.codes, (std::vector<int>{1, 2, U, 3, U, U, U, 1}));
    EXPECT_EQ(read.distinctCodes, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(read.codePercent, (std::vector<float>{25.0f, 12.5f, 12.5f}));
    EXPECT_EQ(read.min, 1);
    EXPECT_EQ(read.undefinedCount, 4u);
    EXPECT_EQ(linesOf(facies, PropertyReportLine::Kind::Log),
              (std::vector<std::string>{"Facies: 1 cell holds -999, read as no value",
                                        "Facies: 3 cells hold -7, read as no value"}));

    // The common wordings, in any case; a comment that names no number, or a number that is no marker, declares none.
    auto declared = [](const std::string& header) {
        const std::string file = header + "PORO\n 1 2 3 /\n";
        return declaredMarkers(file, file.find(" 1 2 3"));
    };
    EXPECT_EQ(declared("-- Undefined value: -999\n"), std::vector<double>{-999});
    EXPECT_EQ(declared("-- nodata -9999\n"), std::vector<double>{-9999});
    EXPECT_EQ(declared("-- NODATA_value 1.0D+30\n"), std::vector<double>{1e30});
    EXPECT_EQ(declared("--NULL VALUE IS -99\n-- Missing value = 5\n"), (std::vector<double>{-99, 5}));
    EXPECT_TRUE(declared("-- undefined cells are 0\n-- null\n-- Generated : Petrel\n").empty());
    // A declaration after the values of one property is not the header of the first.
    const std::string two = "PORO\n 1 2 /\n-- undefined value: 2\nNTG\n 2 1 /\n";
    EXPECT_TRUE(declaredMarkers(two, two.find(" 1 2")).empty());
    EXPECT_EQ(declaredMarkers(two, two.find(" 2 1")), std::vector<double>{2});

    // The user's list: blanks or ";" between the numbers, "." or "," in them; a word that is no number is named.
    const MarkerListParse list = parseMarkerList(" -999 ; -999,25  1e20 -999");
    EXPECT_EQ(list.markers, (std::vector<double>{-999, -999.25, 1e20}));
    EXPECT_EQ(parseMarkerList(markerListText(UndefinedMarkers::standard().values())).markers,
              UndefinedMarkers::standard().values());
    EXPECT_EQ(parseMarkerList("-999 none").badWord, "none");
}

// Importing a file twice gives every property a name of its own, so the tree never shows two equal nodes and
// choosing a node by its name finds one property.
TEST(PropertyAppend, ANameAlreadyLoadedIsNumberedAndSaidSo)
{
    PropertySet p;
    for (int round = 0; round < 3; ++round)
        for (const auto& e : splitPropertyText(kExport))
            ASSERT_TRUE(load(kExport, e, 0, kExportCells, "en", p).accepted);
    EXPECT_EQ(namesOf(p),
              (std::vector<std::string>{"Facies  ", "PORO", "Facies   (2)", "PORO (2)", "Facies   (3)", "PORO (3)"}));
    EXPECT_EQ(p.find("PORO (3)"), &p.items.back());

    const auto entries = splitPropertyText(kExport);
    const PropertyReport again = loadProperty(kExport, entries[1], PropertyKind::Unset, kExportCells, "en", p);
    EXPECT_EQ(again.property.name, "PORO (4)");
    EXPECT_EQ(linesOf(again, PropertyReportLine::Kind::Log),
              std::vector<std::string>{"A property named PORO is already loaded: this one is named PORO (4)"});
}

TEST(PropertyStatistics, NegativeValuesKeepTheirSignInValuesAndRange)
{
    PropertySet p;
    const std::string text = oneProperty("PERMX", "Perm", "  -5.5 2*10.25 0.0");
    const auto entries = splitPropertyText(text);
    const PropertyReport r = load(text, entries[0], 5, 4, "en", p);
    ASSERT_TRUE(r.accepted);
    const Property& perm = p.items.at(0);
    EXPECT_EQ(perm.values, (std::vector<double>{-5.5, 10.25, 10.25, 0.0}));
    EXPECT_EQ(perm.min, -5.5);
    EXPECT_EQ(perm.max, 10.25);
    EXPECT_EQ(perm.lowLimit, -5.5);
    EXPECT_EQ(perm.highLimit, 10.25);
}

// The values of inactive cells are placeholders (often 0): the range and the shares count active cells only.
TEST(PropertyStatistics, RangeAndSharesCountActiveCellsOnly)
{
    const std::vector<std::uint8_t> active{0, 1, 1, 0, 1, 1};
    PropertySet p;
    const std::string poro = oneProperty("PORO", "P", "  0 0.2 0.3 -999 0.1 0.25");
    ASSERT_TRUE(load(poro, splitPropertyText(poro)[0], 4, 6, "en", p, active).accepted);
    EXPECT_EQ(p.items.back().min, 0.1);
    EXPECT_EQ(p.items.back().highLimit, 0.3);
    EXPECT_EQ(p.items.back().values.size(), 6u);  // the values themselves are all kept

    const std::string facies = oneProperty("FACIES", "F", "  0 2 2 0 3 3");
    ASSERT_TRUE(load(facies, splitPropertyText(facies)[0], 2, 6, "en", p, active).accepted);
    EXPECT_EQ(p.items.back().distinctCodes, (std::vector<int>{2, 3}));
    EXPECT_EQ(p.items.back().codePercent, (std::vector<float>{50.0f, 50.0f}));
    EXPECT_EQ(p.items.back().min, 2);
}

TEST(PropertyStatistics, CodesAscendingWithSharesInPercent)
{
    const CodeShares s = codeShares({3, 0, 3, 1, 3, 0, 3, 3});
    EXPECT_EQ(s.codes, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(s.percent, (std::vector<float>{25.0f, 12.5f, 62.5f}));
    // Codes far apart take the sorting path; negative codes sort first.
    const CodeShares wide = codeShares({2000000000, -7, 5, 5, -2000000000, 5});
    EXPECT_EQ(wide.codes, (std::vector<int>{-2000000000, -7, 5, 2000000000}));
    EXPECT_FLOAT_EQ(std::accumulate(wide.percent.begin(), wide.percent.end(), 0.0f), 100.0f);
    EXPECT_FLOAT_EQ(wide.percent[2], 50.0f);
    EXPECT_TRUE(codeShares({}).codes.empty());
}

TEST(PropertyAppend, AcceptedPropertiesCarryTheirKindRangeAndShares)
{
    PropertySet p;
    const auto entries = splitPropertyText(kExport);
    const PropertyReport facies = load(kExport, entries[0], 2, kExportCells, "en", p);
    const PropertyReport poro = load(kExport, entries[1], 0, kExportCells, "en", p);
    ASSERT_TRUE(facies.accepted);
    ASSERT_TRUE(poro.accepted);
    EXPECT_TRUE(facies.discrete);
    EXPECT_EQ(namesOf(p), (std::vector<std::string>{"Facies  ", "PORO"}));
    const Property& codes = p.items[0];
    const Property& values = p.items[1];
    EXPECT_EQ(codes.kind, PropertyKind::Facies);
    EXPECT_EQ(values.kind, PropertyKind::Continuous);  // given none: continuous by its values
    EXPECT_EQ(codes.distinctCodes, (std::vector<int>{0, 1}));
    ASSERT_EQ(codes.codePercent.size(), 2u);
    EXPECT_FLOAT_EQ(codes.codePercent[0], static_cast<float>(121 * 100.0 / 123));
    EXPECT_EQ(codes.max, 1);
    EXPECT_EQ(codes.min, 0);
    EXPECT_EQ(values.max, 0.3);
    EXPECT_EQ(values.min, 0.1);
    EXPECT_EQ(values.highLimit, values.max);
    EXPECT_EQ(values.lowLimit, values.min);
    EXPECT_TRUE(codes.values.empty());
    EXPECT_TRUE(values.codes.empty());

    // What the user is told for the discrete one, in order.
    EXPECT_EQ(linesOf(facies, PropertyReportLine::Kind::Status),
              (std::vector<std::string>{texts::CheckingKind, texts::CheckingConformity, texts::CalculatingRange,
                                        texts::Rendering}));
    const auto trace = linesOf(facies, PropertyReportLine::Kind::Trace);
    ASSERT_GE(trace.size(), 6u);
    EXPECT_EQ(trace[0], "PROP_types_loading = 2");
    EXPECT_EQ(trace[1], texts::TraceDiscrete);
    EXPECT_EQ(trace[2], "PROP size = 123");
    EXPECT_EQ(trace[3], "GRID size = 123");
    EXPECT_EQ(trace[4].rfind("code = 0, freq = 98.37", 0), 0u) << trace[4];
    EXPECT_EQ(trace[5].rfind("code = 1, freq = 1.626", 0), 0u) << trace[5];
    EXPECT_TRUE(linesOf(facies, PropertyReportLine::Kind::Log).empty());
    EXPECT_FALSE(facies.messageBox);
    EXPECT_EQ(linesOf(poro, PropertyReportLine::Kind::Trace)[1], texts::TraceContinuous);
}

TEST(PropertyConformity, WrongCountIsRejectedWithItsMessageAndChangesNothing)
{
    const std::string discrete = oneProperty("FACIES", "F", "  3*1");
    const std::string continuous = oneProperty("PORO", "P", "  3*0.1");
    struct Case {
        const std::string* text;
        const char* lang;
        const char* caption;
        const char* box;
    };
    const Case cases[] = {
        {&discrete, "en", texts::CaptionEn, texts::MismatchEn},
        {&discrete, "ru", texts::CaptionRu, texts::MismatchRu},
        {&continuous, "en", texts::CaptionEn, texts::MismatchEn},
        {&continuous, "ru", texts::CaptionRu, texts::MismatchRu},
    };
    for (const Case& c : cases) {
        for (int cells : {2, 4}) {
            PropertySet p;
            const auto entries = splitPropertyText(*c.text);
            const PropertyReport r = load(*c.text, entries[0], 4, cells, c.lang, p);
            EXPECT_FALSE(r.accepted);
            ASSERT_TRUE(r.messageBox);
            EXPECT_EQ(r.messageBox->caption, c.caption);
            // The fixed text, then the property's name with the values found against the grid's cells.
            const bool ru = std::string(c.lang) == "ru";
            const std::string counts = entries[0].name + ": 3" +
                                       (ru ? " значений, в гриде " : " values, the grid has ") + std::to_string(cells) +
                                       (ru ? " ячеек." : " cells.");
            EXPECT_EQ(r.messageBox->text, std::string(c.box) + "\n\n" + counts);
            const auto log = linesOf(r, PropertyReportLine::Kind::Log);
            // The log's fixed line, then the same counts in the interface language.
            EXPECT_EQ(log, std::vector<std::string>{std::string(texts::MismatchLog) + ". " + counts});
            EXPECT_EQ(linesOf(r, PropertyReportLine::Kind::Status).back(), texts::AllGood);
            EXPECT_EQ(linesOf(r, PropertyReportLine::Kind::Trace)[2], "PROP size = 3");
            // Nothing to add.
            EXPECT_TRUE(p.items.empty());
            EXPECT_TRUE(r.property.values.empty() && r.property.codes.empty());
        }
    }
}

TEST(PropertyConformity, ThreePropertiesWithTheSecondWrongLoadTheOtherTwo)
{
    const std::string text =
        oneProperty("A", "A", "4*1") + oneProperty("B", "B", "3*0.5") + oneProperty("C", "C", "2*0.5 2*0.75");
    PropertySet p;
    int boxes = 0;
    const auto entries = splitPropertyText(text);
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& e : entries) boxes += load(text, e, 0, 4, "en", p).messageBox ? 1 : 0;
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(namesOf(p), (std::vector<std::string>{"A", "C"}));
    EXPECT_TRUE(p.items[0].discrete);
    EXPECT_FALSE(p.items[1].discrete);
}

TEST(PropertyConformity, GarbageAndAbsurdCountsAreRejectedWithoutExpanding)
{
    // A word that is not a number rejects the property even when the count before it matches.
    const PropertyValues tail = readOnly(oneProperty("P", "P", "1 2 3 abc 4"), 3);
    EXPECT_FALSE(tail.conforms);
    EXPECT_NE(tail.problem.find("abc"), std::string::npos);
    EXPECT_FALSE(readOnly(oneProperty("P", "P", "1 2 3*"), 5).conforms);
    EXPECT_FALSE(readOnly(oneProperty("P", "P", "nan inf 1"), 3).conforms);

    // Far more values than cells: refused before anything is allocated, counted for the trace.
    const std::string huge = oneProperty("FACIES", "F", "  4000000000*1 5*2");
    const PropertyValues read = readOnly(huge, 10);
    EXPECT_TRUE(read.tooMany);
    EXPECT_FALSE(read.conforms);
    EXPECT_TRUE(read.codes.empty());
    EXPECT_LT(read.values.capacity(), 1000u);
    PropertySet p;
    const auto entries = splitPropertyText(huge);
    const PropertyReport r = load(huge, entries[0], 1, 10, "en", p);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(linesOf(r, PropertyReportLine::Kind::Trace)[2], "PROP size = more than 268435456");
    EXPECT_EQ(readOnly(oneProperty("F", "F", "12*1"), 10).count, 12u);

    // A discrete code beyond the int range cannot be stored: rejected, not wrapped.
    const PropertyValues big = readOnly(oneProperty("F", "F", "1 30000000000"), 2);
    EXPECT_TRUE(big.discrete);
    EXPECT_FALSE(big.conforms);

    // A grid of no cells accepts nothing; a marker at the very end of the text has no values.
    EXPECT_FALSE(readOnly(oneProperty("F", "F", ""), 0).conforms);
    const std::string cut = "-- Property name in Petrel : X";
    const auto tailEntries = splitPropertyText(cut);
    ASSERT_EQ(tailEntries.size(), 1u);
    EXPECT_EQ(tailEntries[0].name, "X");
    EXPECT_FALSE(readPropertyValues(cut, tailEntries[0], 1).conforms);
}

TEST(PropertyRoundTrip, GeneratedExportLoadsExactlyAsWritten)
{
    gen::PropertyFileOptions o;
    o.nx = 7;
    o.ny = 5;
    o.nz = 4;
    o.properties = gen::defaultProperties();
    gen::PropertyDefinition perm;
    perm.keyword = "IRR.GASSATURATION";
    perm.name = "Sg irr";
    perm.minValue = -0.5;
    perm.maxValue = 0.5;
    perm.seed = 5;
    o.properties.push_back(perm);
    const int cells = o.nx * o.ny * o.nz;
    for (gen::LineEnd lineEnd : {gen::LineEnd::LF, gen::LineEnd::CRLF}) {
        o.lineEnd = lineEnd;
        const std::string text = gen::propertyFileText(o);
        const auto entries = splitPropertyText(text);
        ASSERT_EQ(entries.size(), 3u);
        PropertySet p;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            EXPECT_EQ(entries[k].name, o.properties[k].name);
            const PropertyReport r = load(text, entries[k], 0, cells, "en", p);
            ASSERT_TRUE(r.accepted) << entries[k].name;
            const std::vector<double> expected = gen::propertyValues(o, o.properties[k]);
            if (o.properties[k].kind == gen::PropertyKind::Discrete) {
                ASSERT_TRUE(r.discrete);
                EXPECT_EQ(p.items.back().codes, std::vector<int>(expected.begin(), expected.end()));
            } else {
                ASSERT_FALSE(r.discrete);
                EXPECT_EQ(p.items.back().values, expected);
                EXPECT_EQ(p.items.back().min, *std::min_element(expected.begin(), expected.end()));
            }
        }
        EXPECT_EQ(p.items.size(), 3u);
    }
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// Code names as exporters write them beside a block of codes: a headed table of comment lines above the keyword,
// rows with ":" or "=" between the keyword and the values; a lone comment that starts with a number is no table, and
// the comments of the block above never name the codes of the block below.
TEST(CodeNames, CommentTablesBesideABlockNameItsCodes)
{
    const std::string text =
        "-- Exported by a modelling package\n"
        "-- CODE NAME\n"
        "-- 1 Sand\n"
        "-- 2: Shaly sand\n"
        "FACIES\n"
        "-- 3 = Shale\n"
        "1 2 3 1 2 3 /\n"
        "-- 2024 export\n"
        "SATNUM\n"
        "1 1 1 2 2 2 /\n"
        "-- 7 Fine\n"
        "-- 8 Coarse\n"
        "GRAIN\n"
        "7 8 7 8 7 8 /\n";
    const std::vector<PropertyEntry> entries = propertyEntries(text, 6);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(codeNamesNearBlock(text, entries[0]).names,
              (std::map<int, std::string>{{1, "Sand"}, {2, "Shaly sand"}, {3, "Shale"}}));
    EXPECT_TRUE(codeNamesNearBlock(text, entries[1]).names.empty());
    EXPECT_EQ(codeNamesNearBlock(text, entries[2]).names, (std::map<int, std::string>{{7, "Fine"}, {8, "Coarse"}}));

    int code = 0;
    std::string name;
    EXPECT_TRUE(readCodeNameRow("  -4\tGas cap ", code, name));
    EXPECT_EQ(code, -4);
    EXPECT_EQ(name, "Gas cap");
    for (const char* row : {"12a Sand", "3", "Sand 3", "99999999999 Big", ": Sand", ""})
        EXPECT_FALSE(readCodeNameRow(row, code, name)) << row;
}

// A companion file: its heading and comments are skipped; a row that is no code and name and a code named twice are
// left out with a warning naming the file, the line and what was found; the files tried are PROPERTY.txt and
// FILE_codes.txt beside the property file.
TEST(CodeNames, ACompanionFileSaysWhatItLeavesOut)
{
    const CodeNameTable table = readCodeNameFile(
        "Code Name\r\n# lithology\r\n0 Shale\r\n1\tSand\r\n\r\nSand two\r\n1 Coal\r\n5: Песчаник\r\n", "FACIES.txt");
    EXPECT_EQ(table.names, (std::map<int, std::string>{{0, "Shale"}, {1, "Sand"}, {5, "Песчаник"}}));
    ASSERT_EQ(table.warnings.size(), 2u);
    EXPECT_EQ(table.warnings[0].en, "FACIES.txt, line 6: \"Sand two\" is not a code and a name; the line is left out");
    EXPECT_EQ(table.warnings[1].ru,
              "FACIES.txt, строка 7: код 1 назван ещё раз (\"Coal\"); оставлено первое название \"Sand\"");

    EXPECT_EQ(codeNameFiles("/data/model/ROCK.GRDECL", "FACIES"),
              (std::vector<std::string>{"/data/model/FACIES.txt", "/data/model/ROCK_codes.txt"}));
    EXPECT_EQ(codeNameFiles("/data/model/ROCK.GRDECL", "a/b"),
              (std::vector<std::string>{"/data/model/ROCK_codes.txt"}));
}

}  // namespace
}  // namespace morvane
