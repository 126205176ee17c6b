// The settings store: defaults, flags, decimal settings and their repair, the background colour, and that a bad
// file never costs the user more than the defaults.
#include <sys/resource.h>

#include <csignal>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/decimal_text.h"
#include "platform/app_settings.h"

namespace morvane {
namespace {

std::vector<std::string> trace_lines;

void recordTrace(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (context.category && std::string(context.category) == "morvane.trace")
        trace_lines.push_back(message.toStdString());
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QLoggingCategory::setFilterRules(QStringLiteral("morvane.trace.debug=true"));
        previous_handler = qInstallMessageHandler(recordTrace);
        trace_lines.clear();
    }
    void TearDown() override { qInstallMessageHandler(previous_handler); }

    QString path(const char* name = "settings.ini") const { return dir.filePath(QString::fromLatin1(name)); }

    void writeFile(const QByteArray& bytes, const char* name = "settings.ini") const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray fileBytes(const char* name = "settings.ini") const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QtMessageHandler previous_handler = nullptr;
};

const std::vector<std::pair<std::string, std::string>> expected_defaults{{"Lang", "en"},
                                                                         {"fullscreen", "False"},
                                                                         {"copy", "Morvane"},
                                                                         {"grid_lines_enable", "True"},
                                                                         {"twod_ortho", "False"},
                                                                         {"oneLayer", "True"},
                                                                         {"bubbleSize", "1"},
                                                                         {"bubbleTextSize", "0,3"},
                                                                         {"BackgroundColorR", "51"},
                                                                         {"BackgroundColorG", "76"},
                                                                         {"BackgroundColorB", "76"}};

TEST_F(SettingsTest, MissingFileReadsEveryDefaultAndStaysMissing)
{
    AppSettings settings(path());
    for (const auto& [key, value] : expected_defaults) EXPECT_EQ(settings.ReadAppSettings(key), value) << key;
    EXPECT_EQ(settings.ReadAppSettings("noSuchKey"), "");
    EXPECT_TRUE(settings.readFlag("grid_lines_enable"));
    EXPECT_FALSE(settings.readFlag("fullscreen"));
    EXPECT_FALSE(QFile::exists(path())) << "reading must not create the file";

    const BubbleFactors factors = loadBubbleFactors(settings, {2.0f, 0.9f});
    EXPECT_FLOAT_EQ(factors.size, 1.0f);
    EXPECT_FLOAT_EQ(factors.text_size, 0.3f);
    const std::array<int, 3> colour = readBackgroundColor(settings, {0, 0, 0});
    EXPECT_EQ(colour, (std::array<int, 3>{51, 76, 76}));
}

TEST_F(SettingsTest, CorruptFileGivesDefaultsAndIsSetAsideOnTheNextWrite)
{
    const QByteArray garbage("\x00\x01\xff[[[garbage\nLang=ru\n=x\n[unterminated\nfullscreen=True\n\"quoted=3\n", 62);
    writeFile(garbage);
    AppSettings settings(path());
    EXPECT_EQ(settings.ReadAppSettings("Lang"), "en");
    EXPECT_FALSE(settings.readFlag("fullscreen"));
    EXPECT_EQ(settings.ReadAppSettings("bubbleTextSize"), "0,3");
    // The INI reader parses an unchanged file once per process; later reads must not see its pieces either.
    EXPECT_EQ(settings.ReadAppSettings("Lang"), "en");
    EXPECT_EQ(AppSettings(path()).ReadAppSettings("Lang"), "en");
    ASSERT_FALSE(trace_lines.empty());
    EXPECT_EQ(trace_lines.back(), "some error");

    ASSERT_TRUE(settings.UpdateAppSettings("copy", "Geologist"));
    EXPECT_EQ(trace_lines.back(), "saved");
    EXPECT_EQ(settings.ReadAppSettings("copy"), "Geologist");
    EXPECT_EQ(settings.ReadAppSettings("Lang"), "en") << "nothing of the corrupt file may come back";
    EXPECT_EQ(fileBytes("settings.ini.bad"), garbage) << "the corrupt file is kept for the user, unchanged";
}

TEST_F(SettingsTest, FlagsReadInAnyLetterCase)
{
    EXPECT_TRUE(readBool("True"));
    EXPECT_TRUE(readBool("TRUE"));
    EXPECT_TRUE(readBool(" true\r"));
    EXPECT_FALSE(readBool("False", true));
    EXPECT_FALSE(readBool("fALSE", true));
    EXPECT_FALSE(readBool(""));
    EXPECT_TRUE(readBool("yes", true));
    EXPECT_FALSE(readBool("1", false));
    EXPECT_EQ(boolText(true), "True");
    EXPECT_EQ(boolText(false), "False");

    writeFile("[General]\nfullscreen=TRUE\ngrid_lines_enable=\noneLayer=maybe\ntwod_ortho=\n");
    AppSettings settings(path());
    EXPECT_TRUE(settings.readFlag("fullscreen"));
    EXPECT_FALSE(settings.readFlag("grid_lines_enable")) << "an empty flag reads as false, whatever its default";
    EXPECT_TRUE(settings.readFlag("oneLayer")) << "an unreadable flag falls back to its default";
    EXPECT_FALSE(settings.readFlag("twod_ortho"));
}

TEST_F(SettingsTest, BubbleSizeParsesWithEitherSeparatorAndIsRepairedWhenBad)
{
    AppSettings settings(path());
    settings.UpdateAppSettings("bubbleSize", "1.5");
    settings.UpdateAppSettings("bubbleTextSize", "0.3");
    BubbleFactors factors = loadBubbleFactors(settings, {1.0f, 0.5f});
    EXPECT_FLOAT_EQ(factors.size, 1.5f);
    EXPECT_FLOAT_EQ(factors.text_size, 0.3f);
    EXPECT_EQ(settings.ReadAppSettings("bubbleSize"), "1.5") << "a good value is not rewritten";

    settings.UpdateAppSettings("bubbleTextSize", "0,45");
    EXPECT_FLOAT_EQ(loadBubbleFactors(settings, {}).text_size, 0.45f);

    settings.UpdateAppSettings("bubbleSize", "abc");
    settings.UpdateAppSettings("bubbleTextSize", "");
    factors = loadBubbleFactors(settings, {1.0f, 0.3f});
    EXPECT_FLOAT_EQ(factors.size, 1.0f);
    EXPECT_EQ(settings.ReadAppSettings("bubbleSize"), "1");
    EXPECT_EQ(settings.ReadAppSettings("bubbleTextSize"), "0,3");

    // A bad value keeps whatever factor is current rather than resetting it.
    settings.UpdateAppSettings("bubbleSize", "2,5x");
    factors = loadBubbleFactors(settings, {3.0f, 0.7f});
    EXPECT_FLOAT_EQ(factors.size, 3.0f);
    EXPECT_FLOAT_EQ(factors.text_size, 0.3f);
    EXPECT_EQ(settings.ReadAppSettings("bubbleSize"), "1");
}

TEST_F(SettingsTest, DecimalCommaWrittenByHandIntoTheFileReadsWhole)
{
    // Unquoted, the INI reader splits "0,3" at the comma; the store must give the text back as written.
    writeFile("[General]\nbubbleTextSize=0,3\nbubbleSize=1,25\n");
    AppSettings settings(path());
    EXPECT_EQ(settings.ReadAppSettings("bubbleTextSize"), "0,3");
    const BubbleFactors factors = loadBubbleFactors(settings, {});
    EXPECT_FLOAT_EQ(factors.size, 1.25f);
    EXPECT_FLOAT_EQ(factors.text_size, 0.3f);
}

TEST_F(SettingsTest, UpdatesAreSeenByEveryStoreOverTheFile)
{
    AppSettings writer(path());
    AppSettings reader(path());
    ASSERT_TRUE(writer.UpdateAppSettings("Lang", "ru"));
    EXPECT_EQ(trace_lines.back(), "saved");
    EXPECT_EQ(reader.ReadAppSettings("Lang"), "ru");
    ASSERT_TRUE(writer.UpdateAppSettings("Lang", "en"));
    EXPECT_EQ(reader.ReadAppSettings("Lang"), "en");

    ASSERT_TRUE(writer.UpdateAppSettings("copy", "Иванов, отдел 3 = \"ГРП\""));
    EXPECT_EQ(reader.ReadAppSettings("copy"), "Иванов, отдел 3 = \"ГРП\"");
    ASSERT_TRUE(writer.UpdateAppSettings("bubbleTextSize", decimalCommaText("0.35")));
    EXPECT_EQ(reader.ReadAppSettings("bubbleTextSize"), "0,35");
    EXPECT_EQ(reader.ReadAppSettings("fullscreen"), "False") << "untouched keys keep their defaults";

    EXPECT_TRUE(writer.AddAppSettings("extraKey", "one"));
    EXPECT_FALSE(writer.AddAppSettings("extraKey", "two"));
    EXPECT_EQ(trace_lines.back(), "some error");
    EXPECT_EQ(reader.ReadAppSettings("extraKey"), "one");
}

TEST_F(SettingsTest, FailedWriteIsReportedAndChangesNothing)
{
    writeFile("not a folder");
    AppSettings settings(dir.filePath(QStringLiteral("settings.ini/inner.ini")));
    EXPECT_FALSE(settings.UpdateAppSettings("Lang", "ru"));
    ASSERT_FALSE(trace_lines.empty());
    EXPECT_EQ(trace_lines.back(), "some error");
    EXPECT_EQ(settings.ReadAppSettings("Lang"), "en");
    EXPECT_EQ(fileBytes(), QByteArray("not a folder"));
}

// A disk that takes only part of the file (here a file size limit, as a full disk does) fails the write, and the
// settings written before are all still there.
TEST_F(SettingsTest, AWriteTheDiskTakesOnlyInPartKeepsTheFileThere)
{
    AppSettings settings(path());
    ASSERT_TRUE(settings.UpdateAppSettings("Lang", "ru"));
    ASSERT_TRUE(settings.UpdateAppSettings("copy", "Field A"));
    const QByteArray before = fileBytes();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 2048;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = settings.UpdateAppSettings("copy", std::string(4000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(trace_lines.back(), "some error");
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(AppSettings(path()).ReadAppSettings("Lang"), "ru");
    EXPECT_EQ(AppSettings(path()).ReadAppSettings("copy"), "Field A");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.ini"});  // nothing left beside it
    EXPECT_TRUE(settings.UpdateAppSettings("copy", std::string(4000, 'x')));          // without the limit it is written
}

TEST_F(SettingsTest, BackgroundColourNeedsThreeWholeComponents)
{
    AppSettings settings(path());
    const std::array<int, 3> current{51, 76, 76};
    settings.UpdateAppSettings("BackgroundColorR", "10");
    settings.UpdateAppSettings("BackgroundColorG", "20");
    settings.UpdateAppSettings("BackgroundColorB", "x");
    EXPECT_EQ(readBackgroundColor(settings, current), current);

    settings.UpdateAppSettings("BackgroundColorB", "30");
    EXPECT_EQ(readBackgroundColor(settings, current), (std::array<int, 3>{10, 20, 30}));

    // Components outside 0..255 are not a colour.
    settings.UpdateAppSettings("BackgroundColorB", "256");
    EXPECT_EQ(readBackgroundColor(settings, {1, 2, 3}), (std::array<int, 3>{1, 2, 3}));
    settings.UpdateAppSettings("BackgroundColorB", "-1");
    EXPECT_EQ(readBackgroundColor(settings, {1, 2, 3}), (std::array<int, 3>{1, 2, 3}));
    settings.UpdateAppSettings("BackgroundColorB", "12.5");
    EXPECT_EQ(readBackgroundColor(settings, {1, 2, 3}), (std::array<int, 3>{1, 2, 3}));
    settings.UpdateAppSettings("BackgroundColorB", " 255 ");
    EXPECT_EQ(readBackgroundColor(settings, current), (std::array<int, 3>{10, 20, 255}));
}

TEST(SettingsFileTest, UserFileLivesInTheUserConfigurationFolder)
{
    QStandardPaths::setTestModeEnabled(true);  // points the configuration folder away from the user's own
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString file = AppSettings::userFilePath();
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_EQ(file, folder + QStringLiteral("/Morvane/Morvane.ini")) << file.toStdString();
}

TEST(DecimalTextTest, AcceptsBothSeparatorsAndRejectsAnythingElse)
{
    EXPECT_DOUBLE_EQ(*parseDecimalText("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(*parseDecimalText("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(*parseDecimalText("0,3"), 0.3);
    EXPECT_DOUBLE_EQ(*parseDecimalText("-2450,75"), -2450.75);
    EXPECT_DOUBLE_EQ(*parseDecimalText("+12"), 12.0);
    EXPECT_DOUBLE_EQ(*parseDecimalText(" 7\r\n"), 7.0);
    EXPECT_DOUBLE_EQ(*parseDecimalText(",5"), 0.5);
    EXPECT_DOUBLE_EQ(*parseDecimalText("1e3"), 1000.0);
    for (const char* bad :
         {"", " ", "abc", "1,5x", "1.2.3", "1,2,3", "+-1", "+ 1", "- 1", "inf", "nan", "0x10", "1 5", "1e999"})
        EXPECT_FALSE(parseDecimalText(bad).has_value()) << '"' << bad << '"';
    EXPECT_EQ(decimalCommaText("1.25"), "1,25");
    EXPECT_EQ(decimalCommaText("abc"), "abc");
}

}  // namespace
}  // namespace morvane
