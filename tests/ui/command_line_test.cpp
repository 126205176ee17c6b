// The program run from the command line: a snapshot of the shipped demo model and its wells drawn offscreen without a
// window.
#include <QCoreApplication>
#include <QImage>
#include <QProcess>

#include "tests/support/ui_harness.h"

namespace morvane {
namespace {

QString program() { return QCoreApplication::applicationDirPath() + "/morvane"; }

// Pixels clearly blue and clearly green (contact surfaces, circle diagrams), half transparent or not.
std::pair<int, int> bluesAndGreens(const QImage& image)
{
    int blue = 0, green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > c.red() + 60 && c.blue() > c.green() + 40;
            green += c.green() > c.red() + 60 && c.green() > c.blue() + 20;
        }
    return {blue, green};
}

TEST(CommandLineSnapshot, DemoModelIsDrawnWithoutAWindow)
{
    testing::TempFolder folder;
    const QString out = QString::fromStdString(folder.file("demo.png").string());
    QProcess run;
    run.setWorkingDirectory(QCoreApplication::applicationDirPath());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");  // no display needed
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.path().string()));
    run.setProcessEnvironment(env);
    run.start(program(), {"demo/DEMO.GRDECL", "demo/well-1.dev", "demo/P-2.dev", "demo/W-3.dev", "demo/well-4.dev",
                          "--snapshot", out, "--size", "400x300"});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QByteArray log = run.readAllStandardError();
    ASSERT_EQ(run.exitCode(), 0) << log.toStdString();
    EXPECT_TRUE(log.contains("Grid is loaded successfully"));
    EXPECT_EQ(log.count("Well is loaded successfully"), 4) << log.toStdString();

    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(400, 300));
    // Not blank: a good share of the picture is the grid (grey cells and white lines), not the background.
    int model = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 90 && std::abs(c.red() - c.green()) < 12 && std::abs(c.green() - c.blue()) < 12) ++model;
        }
    EXPECT_GT(model, image.width() * image.height() / 20);
}

TEST(CommandLineSnapshot, ContactsGivenInMetresAreDrawnOverTheModel)
{
    testing::TempFolder folder;
    const QString out = QString::fromStdString(folder.file("contacts.png").string());
    QProcess run;
    run.setWorkingDirectory(QCoreApplication::applicationDirPath());
    // The demo lies between 1968 and 2067 m: the GOC cuts its crest, the OWC its lower part.
    run.start(program(), {"demo/DEMO.GRDECL", "--owc", "2000,5", "--goc", "1985.0", "--snapshot", out});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    const auto [blue, green] = bluesAndGreens(image);
    EXPECT_GT(blue, 2000);
    EXPECT_GT(green, 20000);

    QProcess noGrid;
    noGrid.start(program(), {"--owc", "1500", "--snapshot", QString::fromStdString(folder.file("x.png").string())});
    ASSERT_TRUE(noGrid.waitForFinished(30000));
    EXPECT_EQ(noGrid.exitCode(), 1);
    EXPECT_TRUE(noGrid.readAllStandardError().contains("OWC needs a loaded grid"));
}

TEST(CommandLineSnapshot, ProductionIsDrawnAsDiscsAndUnknownWellsAreNamed)
{
    testing::TempFolder folder;
    const QString out = QString::fromStdString(folder.file("production.png").string());
    const std::string production = testing::writeText(folder.file("production.csv"),
                                                      "Well;Oil;Water;Gas\nP-2;150,5;250;3\nW-3;300;100;1\n"
                                                      "Ghost;1;2;3\n");
    QProcess run;
    run.setWorkingDirectory(QCoreApplication::applicationDirPath());
    run.start(program(), {"demo/DEMO.GRDECL", "demo/P-2.dev", "demo/W-3.dev", "--production",
                          QString::fromStdString(production), "--snapshot", out});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QByteArray log = run.readAllStandardError();
    ASSERT_EQ(run.exitCode(), 0) << log.toStdString();
    EXPECT_TRUE(log.contains("so their production was not loaded: Ghost\n")) << log.toStdString();
    EXPECT_TRUE(log.contains("Production is loaded for 2 wells"));
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    const auto [blue, green] = bluesAndGreens(image);
    EXPECT_GT(blue, 5000);
    EXPECT_GT(green, 5000);

    // A line that cannot be read: no picture, the line named.
    QProcess wrong;
    wrong.setWorkingDirectory(QCoreApplication::applicationDirPath());
    wrong.start(program(), {"demo/DEMO.GRDECL", "demo/P-2.dev", "--production",
                            QString::fromStdString(testing::writeText(folder.file("wrong.csv"), "P-2,1,5,2,3\n")),
                            "--snapshot", QString::fromStdString(folder.file("x.png").string())});
    ASSERT_TRUE(wrong.waitForFinished(60000));
    EXPECT_EQ(wrong.exitCode(), 1);
    EXPECT_TRUE(wrong.readAllStandardError().contains("line 1: more than four columns"));
}

TEST(CommandLineSnapshot, HelpAndMissingFiles)
{
    QProcess help;
    help.start(program(), {"--help"});
    ASSERT_TRUE(help.waitForFinished(30000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--snapshot OUT.png"));

    testing::TempFolder folder;
    QProcess missing;
    missing.start(program(), {QString::fromStdString(folder.file("nothing.GRDECL").string()), "--snapshot",
                              QString::fromStdString(folder.file("x.png").string())});
    ASSERT_TRUE(missing.waitForFinished(30000));
    EXPECT_NE(missing.exitCode(), 0);
    EXPECT_TRUE(missing.readAllStandardError().contains("nothing.GRDECL"));

    QProcess badSize;
    badSize.start(program(), {"--size", "big"});
    ASSERT_TRUE(badSize.waitForFinished(30000));
    EXPECT_EQ(badSize.exitCode(), 2);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
