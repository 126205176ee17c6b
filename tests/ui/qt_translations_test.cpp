// Qt's own texts in the interface's language: standard buttons and message boxes in Russian when the interface is,
// in English again when it switches back, also in a dialog that was open while the language changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt_translations.h"

namespace morvane {
namespace {

QString buttonText(const QDialogButtonBox& box, QDialogButtonBox::StandardButton which)
{
    return box.button(which)->text().remove('&');
}

TEST(QtTranslations, StandardButtonsAndDialogsSpeakTheInterfaceLanguage)
{
    QDialogButtonBox openBefore(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ASSERT_EQ(buttonText(openBefore, QDialogButtonBox::Cancel), "Cancel");

    ASSERT_TRUE(installQtTranslations("ru")) << "Qt's Russian translations (qt6-translations-l10n) are not installed";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(buttonText(openBefore, QDialogButtonBox::Cancel), QString::fromUtf8("Отмена"));
    QMessageBox question(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove('&'), QString::fromUtf8("Да"));
    EXPECT_EQ(question.button(QMessageBox::No)->text().remove('&'), QString::fromUtf8("Нет"));
    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle(), QString::fromUtf8("Выбор цвета"));

    ASSERT_TRUE(installQtTranslations("en"));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(buttonText(openBefore, QDialogButtonBox::Cancel), "Cancel");
    QDialogButtonBox openAfter(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttonText(openAfter, QDialogButtonBox::Cancel), "Cancel");
    EXPECT_EQ(QColorDialog().windowTitle(), "Select Color");
}

}  // namespace
}  // namespace morvane

// Widgets without a window system: Qt's windowless platform is enough for their texts.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
