// The XDG autostart entry: written where the desktop reads it, quoted where the path needs it.
#include "app/Autostart.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QString read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

TEST(AutostartTest, WritesAndRemovesTheEntryInItsFolder) {
    QTemporaryDir dir;
    XdgAutostart autostart(dir.filePath("autostart"));
    autostart.removeEntry(); // nothing there yet: silent
    autostart.writeEntry("/opt/qx/bin/qxreminder");
    const QString entry = read(dir.filePath("autostart/QxReminder.desktop"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nExec=/opt/qx/bin/qxreminder\n"));
    autostart.writeEntry("/opt/qx/bin/qxreminder"); // again: still one entry, same content
    EXPECT_EQ(QDir(dir.filePath("autostart")).entryList(QDir::Files).size(), 1);
    autostart.removeEntry();
    EXPECT_FALSE(QFile::exists(dir.filePath("autostart/QxReminder.desktop")));
}

TEST(AutostartTest, ExecQuotesPathsWithBlanksAndEscapesSpecialCharacters) {
    EXPECT_EQ(XdgAutostart::execValue("/usr/bin/qxreminder"),
              QStringLiteral("/usr/bin/qxreminder"));
    EXPECT_EQ(XdgAutostart::execValue("/home/li si/橙岭/qxreminder"),
              QStringLiteral("\"/home/li si/橙岭/qxreminder\""));
    EXPECT_EQ(XdgAutostart::execValue("/a b/$x\"y"), QStringLiteral("\"/a b/\\\\$x\\\\\"y\""));
    EXPECT_EQ(XdgAutostart::execValue("/100%/qx"), QStringLiteral("/100%%/qx"));
}

TEST(AutostartTest, AnUnwritableFolderIsReported) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    XdgAutostart autostart(dir.filePath("autostart"));
    EXPECT_THROW(autostart.writeEntry("/usr/bin/qxreminder"), std::runtime_error);
    autostart.removeEntry(); // silent
}

TEST(AutostartTest, TheDefaultFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/some-config");
    EXPECT_EQ(XdgAutostart::defaultFolder(), QStringLiteral("/tmp/some-config/autostart"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgAutostart::defaultFolder(), QDir::homePath() + "/.config/autostart");
    qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
