// The program's command line: what the arguments ask for, and the reasons wrong ones are refused.
#include <gtest/gtest.h>

#include "commands/command_line.h"

namespace morvane {
namespace {

TEST(CommandLineArguments, GridSnapshotAndSize)
{
    std::string error;
    auto cl = parseCommandLine({"model.GRDECL", "--snapshot", "out.png", "--size", "640x480"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->gridFile, "model.GRDECL");
    EXPECT_EQ(cl->snapshotFile, "out.png");
    EXPECT_EQ(cl->width, 640);
    EXPECT_EQ(cl->height, 480);

    cl = parseCommandLine({}, &error);
    ASSERT_TRUE(cl.has_value());
    EXPECT_TRUE(cl->gridFile.empty());
    EXPECT_EQ(cl->width, 1024);
    EXPECT_EQ(cl->height, 768);
}

TEST(CommandLineArguments, PropertyFilesFollowTheGridAndOneCanBeChosen)
{
    std::string error;
    auto cl = parseCommandLine({"model.GRDECL", "rock.GRDECL", "--property", "PORO", "fluids.GRDECL"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->gridFile, "model.GRDECL");
    EXPECT_EQ(cl->propertyFiles, (std::vector<std::string>{"rock.GRDECL", "fluids.GRDECL"}));
    EXPECT_EQ(cl->propertyName, "PORO");
}

TEST(CommandLineArguments, WrongArgumentsAreRefusedWithAReason)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--snapshot"},
                                                 {"--size", "640"},
                                                 {"--size", "0x480"},
                                                 {"--size", "640x-2"},
                                                 {"--size", "64ox480"},
                                                 {"a.GRDECL", "--property"},
                                                 {"a.GRDECL", "--property", "PORO"},
                                                 {"--frobnicate"}}) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, &error).has_value()) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace morvane
