// Trimming, the settings file, the handler guard and the message-box seam.
#include "platform/AppInfo.h"
#include "platform/ExecutableFolder.h"
#include "platform/SettingsFile.h"
#include "platform/TextConvert.h"
#include "support/ScriptedBoxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(TextConvertTest, TrimRemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(TextConvert::trim(QStringLiteral(" \t\r\n admin \x01")), QStringLiteral("admin"));
    EXPECT_EQ(TextConvert::trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    // The ideographic space is a character of the text, not a blank to the program.
    EXPECT_EQ(TextConvert::trim(QStringLiteral("\u3000内容\u3000")),
              QStringLiteral("\u3000内容\u3000"));
    EXPECT_EQ(TextConvert::trim(QStringLiteral("   ")), QString());
}

class SettingsFileTest : public ::testing::Test {
protected:
    // A portable installation: its store beside the executable.
    void SetUp() override {
        ExecutableFolder::overrideForTests(dir.path());
        QFile store(dir.filePath("qxreminder.mcm"));
        ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    }
    void TearDown() override { ExecutableFolder::overrideForTests(QString()); }
    QTemporaryDir dir;
};

TEST_F(SettingsFileTest, LivesBesideTheExecutableWhateverTheWorkingDirectory) {
    const QString previous = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    SettingsFile::write("Login", "Name", "admin");
    QDir::setCurrent(previous);
    EXPECT_TRUE(QFile::exists(dir.filePath("qxconfig.ini")));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("qxconfig.ini")));
}

TEST_F(SettingsFileTest, MissingFileOrKeyGivesTheDefaultAndEveryReadSeesTheFileAsItIsNow) {
    EXPECT_EQ(SettingsFile::read("Run", "dword", "0"), QStringLiteral("0"));
    SettingsFile::write("Run", "dword", "1");
    SettingsFile::write("Login", "Name", "张三");
    EXPECT_EQ(SettingsFile::read("Run", "dword", "0"), QStringLiteral("1"));
    EXPECT_EQ(SettingsFile::read("Login", "Name", ""), QStringLiteral("张三"));
    // Another program edits the file: the next read sees it, nothing is cached.
    QFile file(dir.filePath("qxconfig.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Run]\ndword=2\n");
    file.close();
    EXPECT_EQ(SettingsFile::read("Run", "dword", "0"), QStringLiteral("2"));
    EXPECT_EQ(SettingsFile::read("Login", "Name", "none"), QStringLiteral("none"));
}

TEST_F(SettingsFileTest, AFailedWriteIsReported) {
    // A folder where the file should be: nothing can be written there, even as root.
    ASSERT_TRUE(QDir(dir.path()).mkdir("qxconfig.ini"));
    EXPECT_THROW(SettingsFile::write("Run", "dword", "1"), std::runtime_error);
}

TEST(MessageBoxesTest, NoticesAndQuestionsCarryTheirCaptionsIconsAndAnswers) {
    ScriptedBoxes boxes;
    boxes.answerNext(false);
    EXPECT_FALSE(MessageBoxes::question("确定吗？"));
    EXPECT_TRUE(MessageBoxes::question("再问一次？"));
    MessageBoxes::information("完成！");
    MessageBoxes::detail("【内容】");
    ASSERT_EQ(boxes.count(), 4);
    EXPECT_EQ(boxes.all()[0].caption, QStringLiteral("系统提示"));
    EXPECT_EQ(boxes.all()[0].icon, MessageBoxes::Icon::Question);
    EXPECT_EQ(boxes.all()[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(boxes.all()[2].caption, QStringLiteral("系统提示"));
    EXPECT_EQ(boxes.all()[2].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(boxes.all()[3].caption, AppInfo::kApplicationTitle);
    EXPECT_EQ(boxes.all()[3].icon, MessageBoxes::Icon::None);
}

} // namespace
