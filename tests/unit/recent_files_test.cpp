// Files told apart by their content, and the list of recent files kept in the settings.
#include <gtest/gtest.h>

#include "commands/recent_files.h"
#include "io/data_file_kind.h"
#include "tests/support/temp_folder.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

TEST(DataFileKind, GridsPropertiesAndWellsAreToldApartByTheirContent)
{
    gen::GridOptions grid;
    grid.nx = 3;
    grid.ny = 2;
    grid.nz = 2;
    EXPECT_EQ(dataFileKindOfText(gen::gridText(grid)), DataFileKind::Grid);
    EXPECT_EQ(dataFileKindOfText(gen::includeMainText(grid)), DataFileKind::Grid) << "a main file of INCLUDEs";
    EXPECT_EQ(dataFileKindOfText("\xEF\xBB\xBF"
                                 "COORD\n0 0 0 0 0 1 /\n"),
              DataFileKind::Grid)
        << "after a BOM";
    gen::PropertyFileOptions props;
    props.properties = gen::defaultProperties();
    EXPECT_EQ(dataFileKindOfText(gen::propertyFileText(props)), DataFileKind::Property);
    EXPECT_EQ(dataFileKindOfText(gen::wellFileText(gen::WellOptions{})), DataFileKind::Well);
    // Words inside comments or other words are no keywords; text of no kind is Unknown.
    EXPECT_EQ(dataFileKindOfText("-- COORD and ZCORN follow in another file\nPORO\n0.1 0.2 /\n"),
              DataFileKind::Unknown);
    EXPECT_EQ(dataFileKindOfText("COORDINATES 1 2 3\n"), DataFileKind::Unknown);
    EXPECT_EQ(dataFileKindOfText(""), DataFileKind::Unknown);
    EXPECT_EQ(dataFileKindOf("/no/such/file.GRDECL"), DataFileKind::Unknown);
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostTen)
{
    std::vector<RecentFile> list;
    for (int n = 0; n < 12; ++n)
        list = withRecentFile(list, {DataFileKind::Grid, "/models/G" + std::to_string(n) + ".GRDECL"});
    ASSERT_EQ(list.size(), kMaxRecentFiles);
    EXPECT_EQ(list.front().path, "/models/G11.GRDECL");
    EXPECT_EQ(list.back().path, "/models/G2.GRDECL");

    // Opened again, a file moves to the front with the kind it was opened as.
    list = withRecentFile(list, {DataFileKind::Property, "/models/G5.GRDECL"});
    EXPECT_EQ(list.front(), (RecentFile{DataFileKind::Property, "/models/G5.GRDECL"}));
    EXPECT_EQ(list.size(), kMaxRecentFiles);
    EXPECT_EQ(
        std::count_if(list.begin(), list.end(), [](const RecentFile& f) { return f.path == "/models/G5.GRDECL"; }), 1);
    // What the stored form cannot hold changes nothing.
    for (const RecentFile& bad : {RecentFile{DataFileKind::Unknown, "/a"}, RecentFile{DataFileKind::Grid, ""},
                                  RecentFile{DataFileKind::Well, "/a\nb.dev"}})
        EXPECT_EQ(withRecentFile(list, bad), list);
}

TEST(RecentFiles, RoundTripThroughTheSettingsFile)
{
    testing::TempFolder folder;
    AppSettings settings(QString::fromStdString(folder.file("Morvane.ini").string()));
    EXPECT_TRUE(readRecentFiles(settings).empty());
    rememberRecentFile(settings, {DataFileKind::Grid, "/models/Поле A/FIELD.GRDECL"});
    rememberRecentFile(settings, {DataFileKind::Well, "/models/wells/W-1.dev"});
    rememberRecentFile(settings, {DataFileKind::Property, "/models/props.GRDECL"});
    rememberRecentFile(settings, {DataFileKind::Grid, "/models/Поле A/FIELD.GRDECL"});

    // Read through a store of its own, as after a restart.
    const AppSettings later(settings.filePath());
    const std::vector<RecentFile> expected{{DataFileKind::Grid, "/models/Поле A/FIELD.GRDECL"},
                                           {DataFileKind::Property, "/models/props.GRDECL"},
                                           {DataFileKind::Well, "/models/wells/W-1.dev"}};
    EXPECT_EQ(readRecentFiles(later), expected);
    forgetRecentFile(settings, "/models/props.GRDECL");
    EXPECT_EQ(readRecentFiles(later).size(), 2u);
    clearRecentFiles(settings);
    EXPECT_TRUE(readRecentFiles(later).empty());

    // A hand-edited or damaged entry is passed over, the rest kept.
    settings.UpdateAppSettings(settings_key::recentFiles,
                               "grid\t/a.GRDECL\nmovie\t/b.avi\nwell\n\ngrid\t/a.GRDECL\r\n");
    EXPECT_EQ(readRecentFiles(later), (std::vector<RecentFile>{{DataFileKind::Grid, "/a.GRDECL"}}));
}

}  // namespace
}  // namespace morvane
