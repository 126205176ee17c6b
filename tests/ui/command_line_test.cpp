// The program run from the command line: snapshots of the shipped demo model with its wells, and of a generated
// model with its properties, drawn offscreen without a window.
#include <sys/resource.h>

#include <csignal>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include "tests/support/ui_harness.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

QString program() { return QCoreApplication::applicationDirPath() + "/morvane"; }

// Runs the program without a display; its standard error is returned in `log`, its standard output in `out`.
int runWithoutDisplay(const testing::TempFolder& folder, const QStringList& arguments, QString& log,
                      QString* out = nullptr)
{
    QProcess run;
    run.setWorkingDirectory(QCoreApplication::applicationDirPath());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.path().string()));
    run.setProcessEnvironment(env);
    run.start(program(), arguments);
    if (!run.waitForFinished(60000)) return -1;
    log = QString::fromUtf8(run.readAllStandardError());
    if (out) *out = QString::fromUtf8(run.readAllStandardOutput());
    return run.exitCode();
}

bool near(const QColor& c, int r, int g, int b, int tolerance = 24)
{
    return std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
           std::abs(c.blue() - b) <= tolerance;
}

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

// A generated file of three properties, the last sized for another grid: two load, one is refused with its
// message, and the first is drawn with its legend; --property shows another one.
TEST(CommandLineSnapshot, PropertyFilesLoadAndTheShownOneHasItsLegend)
{
    testing::TempFolder folder;
    gen::GridOptions g;
    g.name = "FIELD", g.nx = 12, g.ny = 8, g.nz = 3, g.domeHeight = 30;
    const QString grid = QString::fromStdString(gen::writeGrid(g, folder.path()).front().string());
    gen::PropertyFileOptions o;
    o.nx = 12, o.ny = 8, o.nz = 3;
    o.properties = gen::fieldProperties(5);  // PORO, PERMX, NTG, SW, Facies
    o.properties.erase(o.properties.begin() + 1, o.properties.begin() + 4);
    gen::PropertyDefinition other = o.properties[0];
    other.name = "OTHER";
    other.valueCount = 12 * 8 * 4;
    o.properties.push_back(other);
    const QString props = QString::fromStdString(gen::writePropertyFile(o, folder.file("FIELD_props.GRDECL")).string());

    const QString out = QString::fromStdString(folder.file("poro.png").string());
    QString log;
    ASSERT_EQ(runWithoutDisplay(folder, {grid, props, "--snapshot", out}, log), 0) << log.toStdString();
    EXPECT_EQ(log.count("Property is loaded successfully"), 2) << log.toStdString();
    EXPECT_EQ(log.count("Property file does not correspond to loaded grid"), 1);
    EXPECT_EQ(log.count("Chosed file not consisted with geometry of loaded grid"), 1);

    // PORO without a kind takes the continuous palette: the ramp's top is its high colour, its middle green.
    const QImage poro(out);
    ASSERT_EQ(poro.size(), QSize(1024, 768));
    const QPoint ramp(4 + 77 + 17, 4 + 39);
    EXPECT_TRUE(near(poro.pixelColor(ramp + QPoint(0, 2)), 255, 153, 51)) << poro.pixelColor(ramp).name().toStdString();
    EXPECT_TRUE(near(poro.pixelColor(ramp + QPoint(0, 65)), 0, 255, 0));

    // Facies: a bar per code on the line y = 95 of the legend, in the colours of the generic discrete table.
    const QString facies = QString::fromStdString(folder.file("facies.png").string());
    ASSERT_EQ(runWithoutDisplay(folder,
                                {grid, props, "--property", "Facies", "--snapshot", facies, "--size", "600x400"}, log),
              0)
        << log.toStdString();
    const QImage bars(facies);
    int coloured = 0;
    for (const QColor code : {QColor(255, 0, 0), QColor(255, 127, 0), QColor(255, 255, 0), QColor(0, 255, 0)})
        for (int x = 4 + 5; x < 4 + 5 + 20 * 5; ++x)
            if (near(bars.pixelColor(x, 4 + 93), code.red(), code.green(), code.blue(), 8)) {
                ++coloured;
                break;
            }
    EXPECT_GE(coloured, 3);

    EXPECT_NE(runWithoutDisplay(folder, {grid, props, "--property", "NONE", "--snapshot", facies}, log), 0);
    EXPECT_TRUE(log.contains("NONE"));

    // A file of which no property fits the grid loads nothing: the run says so with the file and the cells, exit 1.
    o.properties = {other};
    const QString wrong = QString::fromStdString(gen::writePropertyFile(o, folder.file("WRONG.GRDECL")).string());
    EXPECT_EQ(runWithoutDisplay(folder, {grid, wrong, "--snapshot", facies}, log), 1);
    EXPECT_TRUE(log.contains("no property of " + wrong + " fits the grid (288 cells), so none was loaded"))
        << log.toStdString();

    // The filter view: removing the cells of PORO above the middle of its range leaves a smaller model; the filter
    // refuses a property of codes.
    const QString cut = QString::fromStdString(folder.file("cut.png").string());
    ASSERT_EQ(runWithoutDisplay(folder, {grid, props, "--filter-above", "0.17", "--snapshot", cut}, log), 0)
        << log.toStdString();
    const auto modelPixels = [](const QImage& image) {
        const QColor background = image.pixelColor(image.width() - 1, image.height() - 1);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 200; x < image.width(); ++x) n += image.pixelColor(x, y) != background;
        return n;
    };
    const int whole = modelPixels(poro), kept = modelPixels(QImage(cut));
    EXPECT_LT(kept, whole * 9 / 10);
    EXPECT_GT(kept, whole / 10);
    EXPECT_EQ(runWithoutDisplay(folder, {grid, props, "--property", "Facies", "--filter", "2", "--snapshot", cut}, log),
              1);
    EXPECT_TRUE(log.contains("holds codes"));
}

// An export that marks a fifth of its cells with -999.25 (no value): the run says how many cells hold the marker, the
// marked cells are grey and the real ones spread over the whole ramp. Read as a number, the marker would stretch the
// range so that every real cell took the ramp's top colour. The range filter and the code filter keep what they are
// given and say how many cells; a code no cell holds is refused.
TEST(CommandLineSnapshot, MarkersOfNoValueAreGreyAndTheRealCellsSpreadOverTheRamp)
{
    testing::TempFolder folder;
    gen::GridOptions g;
    g.name = "MARKED", g.nx = 24, g.ny = 16, g.nz = 3, g.domeHeight = 30;
    const QString grid = QString::fromStdString(gen::writeGrid(g, folder.path()).front().string());
    gen::PropertyFileOptions o;
    o.nx = 24, o.ny = 16, o.nz = 3;
    o.properties = gen::defaultProperties();  // PORO, FACIES
    o.properties[0].noValueShare = 0.2;
    const std::vector<double> written = gen::propertyValues(o, o.properties[0]);
    const auto marked = std::count(written.begin(), written.end(), gen::kNoValueMarker);
    ASSERT_GT(marked, 100);
    const QString props =
        QString::fromStdString(gen::writePropertyFile(o, folder.file("MARKED_props.GRDECL")).string());

    const QString out = QString::fromStdString(folder.file("marked.png").string());
    QString log;
    ASSERT_EQ(runWithoutDisplay(folder, {grid, props, "--snapshot", out}, log), 0) << log.toStdString();
    EXPECT_TRUE(log.contains(QString("PORO: %1 cells hold -999.25, read as no value").arg(marked)))
        << log.toStdString();

    // Right of the legend: the ramp's low colour, its green middle, its high colour and the undefined grey, each on
    // a good share of the model.
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    int low = 0, middle = 0, high = 0, grey = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 250; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            low += c.blue() > c.red() + 80 && c.blue() > c.green() + 80;
            middle += c.green() > c.red() + 80 && c.green() > c.blue() + 80;
            high += c.red() > c.green() + 40 && c.green() > c.blue() + 40;
            grey += near(c, 127, 127, 127, 6);
        }
    EXPECT_GT(low, 500);
    EXPECT_GT(middle, 500);
    EXPECT_GT(high, 500);
    EXPECT_GT(grey, 500);

    const QString kept = QString::fromStdString(folder.file("kept.png").string());
    ASSERT_EQ(runWithoutDisplay(folder, {grid, props, "--filter-range", "0.1,0.2", "--snapshot", kept}, log), 0)
        << log.toStdString();
    EXPECT_TRUE(log.contains(QRegularExpression("PORO: [0-9 ]+ of [0-9 ]+ cells kept by the filter")))
        << log.toStdString();
    ASSERT_EQ(runWithoutDisplay(
                  folder, {grid, props, "--property", "Facies", "--filter-codes", "1,3", "--snapshot", kept}, log),
              0)
        << log.toStdString();
    EXPECT_TRUE(log.contains("cells kept by the filter")) << log.toStdString();
    EXPECT_EQ(runWithoutDisplay(
                  folder, {grid, props, "--property", "Facies", "--filter-codes", "1,77", "--snapshot", kept}, log),
              1);
    EXPECT_TRUE(log.contains("no cell of Facies holds the code 77")) << log.toStdString();
}

// The mode buttons' views, the turn and the exaggeration, each drawn into its own picture of a generated dome: every
// one differs from the shell, the layer view shows less of the model and the flat section its red plane; a layer the
// grid lacks is refused with its count. A pick says which cell is at a pixel and marks it.
TEST(CommandLineSnapshot, ViewsTurnsExaggerationAndPicksFromTheCommandLine)
{
    testing::TempFolder folder;
    gen::GridOptions g;
    g.name = "DOME", g.nx = 16, g.ny = 10, g.nz = 6, g.domeHeight = 40, g.rotation = 20;
    const QString grid = QString::fromStdString(gen::writeGrid(g, folder.path()).front().string());
    const auto draw = [&](QStringList options) {
        const QString out = QString::fromStdString(folder.file("view.png").string());
        QString log;
        options << "--snapshot" << out << "--size"
                << "400x300";
        EXPECT_EQ(runWithoutDisplay(folder, QStringList{grid} + options, log), 0) << log.toStdString();
        return QImage(out);
    };
    const auto count = [](const QImage& image, auto&& test) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += test(image.pixelColor(x, y));
        return n;
    };
    const QImage shell = draw({});
    const QColor background = shell.pixelColor(shell.width() - 1, 0);
    const auto model = [&](const QColor& c) { return c != background && c.red() > 90; };
    const int shellPixels = count(shell, model);
    ASSERT_GT(shellPixels, 400 * 300 / 40);

    const QImage layer = draw({"--layer", "2"});
    EXPECT_LT(count(layer, model), shellPixels * 9 / 10);
    EXPECT_GT(count(layer, model), shellPixels / 10);
    EXPECT_NE(layer, draw({"--layer", "2", "--eight-layers"}));

    const auto red = [](const QColor& c) { return c.red() > c.green() + 50 && c.red() > c.blue() + 50; };
    EXPECT_EQ(count(shell, red), 0);
    EXPECT_GT(count(draw({"--flat"}), red), 400 * 300 / 10);
    const QImage turned = draw({"--turn", "90"}), top = draw({"--top"});
    EXPECT_NE(turned, shell);
    EXPECT_NE(top, shell);
    EXPECT_NE(top, turned);
    // At true scale the thin model covers less of the view than at the starting exaggeration of 5.
    EXPECT_LT(count(draw({"--exaggeration", "1"}), model), shellPixels * 9 / 10);

    QString log, said;
    EXPECT_EQ(
        runWithoutDisplay(folder, {grid, "--layer", "7", "--snapshot", folder.file("x.png").string().c_str()}, log), 1);
    EXPECT_TRUE(log.contains("the grid has 6 layers")) << log.toStdString();

    // A pick at the middle names a top cell and outlines it in magenta; one at the corner finds nothing.
    const QString picked = QString::fromStdString(folder.file("picked.png").string());
    ASSERT_EQ(
        runWithoutDisplay(folder, {grid, "--pick", "200,150", "--snapshot", picked, "--size", "400x300"}, log, &said),
        0);
    EXPECT_TRUE(said.startsWith("Cell I = ") && said.contains(", K = 1")) << said.toStdString();
    EXPECT_GT(count(QImage(picked), [](const QColor& c) { return c == QColor(255, 0, 255); }), 10);
    ASSERT_EQ(runWithoutDisplay(folder, {grid, "--pick", "0,0", "--snapshot", picked, "--size", "400x300"}, log, &said),
              0);
    EXPECT_EQ(said.trimmed(), "No cell under the pointer");
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
    EXPECT_TRUE(log.contains("so their production was not loaded: Ghost (production.csv)\n")) << log.toStdString();
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

// A picture is written whole or not at all: a write that fails half-way (here a file size limit, as a full disk
// does), a device or a folder in the picture's place exit 1 with the reason and leave what was there untouched.
TEST(CommandLineSnapshot, AFailedPictureWriteExits1AndKeepsThePictureThere)
{
    testing::TempFolder folder;
    const QString out = QString::fromStdString(folder.file("view.png").string());
    auto snapshot = [&](const QString& target, rlim_t sizeLimit, QByteArray& said) {
        QProcess run;
        run.setWorkingDirectory(QCoreApplication::applicationDirPath());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.path().string()));
        run.setProcessEnvironment(env);
        run.setChildProcessModifier([sizeLimit] {
            if (sizeLimit == RLIM_INFINITY) return;
            std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit then fails as on a full disk
            const rlimit limit{sizeLimit, sizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        run.start(program(), {"demo/DEMO.GRDECL", "--snapshot", target, "--size", "400x300"});
        if (!run.waitForFinished(60000)) return -1;
        said = run.readAllStandardError();
        return run.exitCode();
    };
    auto bytesOf = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QByteArray said;
    ASSERT_EQ(snapshot(out, RLIM_INFINITY, said), 0) << said.toStdString();
    const QByteArray before = bytesOf(out);
    ASSERT_GT(before.size(), 4096);

    EXPECT_EQ(snapshot(out, 4096, said), 1);
    EXPECT_TRUE(said.contains("cannot write " + out.toUtf8() + ": ")) << said.toStdString();
    EXPECT_EQ(bytesOf(out), before);
    EXPECT_EQ(QDir(QString::fromStdString(folder.path().string())).entryList({"view.png*"}, QDir::Files),
              QStringList{"view.png"});  // no piece of the failed write left beside it

    EXPECT_EQ(snapshot(QStringLiteral("/dev/full"), RLIM_INFINITY, said), 1);
    EXPECT_TRUE(said.contains("cannot write /dev/full: ")) << said.toStdString();
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile());

    const QString folderInPlace = QString::fromStdString(folder.file("folder.png").string());
    ASSERT_TRUE(QDir().mkdir(folderInPlace));
    EXPECT_EQ(snapshot(folderInPlace, RLIM_INFINITY, said), 1);
    EXPECT_TRUE(said.contains("folder.png: it is not a regular file")) << said.toStdString();
    EXPECT_TRUE(QFileInfo(folderInPlace).isDir());
    EXPECT_EQ(snapshot(QString::fromStdString(folder.file("missing/view.png").string()), RLIM_INFINITY, said), 1);
    EXPECT_TRUE(said.contains("cannot write")) << said.toStdString();
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
