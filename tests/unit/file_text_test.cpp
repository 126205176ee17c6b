#include "io/file_text.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/grid_reader.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

// What stands at a path that is no regular file is named as such, and a pipe or a device is never read: reading a
// pipe without a writer would wait for ever, and /dev/zero would never end. The grid reader passes the reason on.
TEST(FileText, SpecialFilesAreNamedAndNeverRead)
{
    const testing::TempFolder folder;
    const std::filesystem::path pipe = folder.file("PIPE.GRDECL");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::filesystem::path loop = folder.file("LOOP.GRDECL");
    std::filesystem::create_symlink(folder.file("LOOP.GRDECL"), loop);
    std::filesystem::create_directory(folder.file("FOLDER.GRDECL"));

    const struct {
        std::filesystem::path path;
        FileProblem problem;
        std::string said;
    } cases[] = {
        {pipe, FileProblem::Pipe, pipe.string() + " is a named pipe (FIFO), not a file; it is not read."},
        {"/dev/zero", FileProblem::Device, "/dev/zero is a device, not a file; it is not read."},
        {loop, FileProblem::LinkLoop, loop.string() + " is a symbolic link that leads round in a loop."},
        {folder.file("FOLDER.GRDECL"), FileProblem::Folder,
         folder.file("FOLDER.GRDECL").string() + " is a folder, not a file."},
        {folder.file("NONE.GRDECL"), FileProblem::Missing,
         "There is no file " + folder.file("NONE.GRDECL").string() + "."},
    };
    for (const auto& c : cases) {
        FileText text;
        FileProblem problem = FileProblem::None;
        EXPECT_FALSE(readWholeFile(c.path, text, true, &problem)) << c.path;
        EXPECT_EQ(problem, c.problem) << c.path;
        EXPECT_EQ(text.size(), 0u);
        std::string start;
        problem = FileProblem::None;
        EXPECT_FALSE(readFileStart(c.path, 64, start, &problem)) << c.path;
        EXPECT_EQ(problem, c.problem) << c.path;
        EXPECT_EQ(fileProblemText(c.problem, c.path.string()).en, c.said);

        const GridReadResult read = readGridFile(c.path.string());
        EXPECT_EQ(read.outcome, GridReadOutcome::NotAGrid);
        EXPECT_EQ(read.message.en, "Cannot read the file " + c.path.string() + ". " + c.said);
    }

    // A file its reader may not open (root may open anything, so the case is only made for other users).
    if (::geteuid() != 0) {
        const std::filesystem::path locked = folder.file("LOCKED.GRDECL");
        ASSERT_FALSE(testing::writeText(locked, "COORD 1 2 3 4 5 6 /\n").empty());
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        FileText text;
        FileProblem problem = FileProblem::None;
        EXPECT_FALSE(readWholeFile(locked, text, false, &problem));
        EXPECT_EQ(problem, FileProblem::NoPermission);
    }

    // An included pipe is named in the include's warning, and the grid in the main file is read without it.
    const std::string main = folder.file("MAIN.GRDECL").string();
    ASSERT_FALSE(
        testing::writeText(main, "COORD\n0 0 1000 0 0 1010 /\nZCORN\n8*1000 /\nINCLUDE 'PIPE.GRDECL' /\n").empty());
    const GridReadResult withPipe = readGridFile(main);
    EXPECT_EQ(withPipe.outcome, GridReadOutcome::Read);
    ASSERT_EQ(withPipe.warnings.size(), 1u);
    EXPECT_NE(withPipe.warnings[0].en.find("is a named pipe (FIFO)"), std::string::npos) << withPipe.warnings[0].en;
}

}  // namespace
}  // namespace morvane
