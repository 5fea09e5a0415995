// Where the program's files are: portable beside the executable, or installed.
#include "platform/AppLocations.h"
#include "platform/ExecutableFolder.h"
#include "platform/SettingsFile.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Mode = AppLocations::Mode;

class AppLocationsTest : public ::testing::Test {
protected:
    AppLocationsTest() : config_("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config"))) {
        QDir(root.path()).mkpath("prefix/bin");
        ExecutableFolder::overrideForTests(bin());
    }
    ~AppLocationsTest() override { ExecutableFolder::overrideForTests(QString()); }

    QString bin() const { return root.filePath("prefix/bin") + "/"; }
    QString configFolder() const { return root.filePath("config/QxReminder") + "/"; }
    void touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
    ScopedEnvironment config_;
};

TEST_F(AppLocationsTest, TheModeSettingsAndStoreFollowWhatLiesBesideTheExecutable) {
    struct Case {
        const char* beside;       // file put beside the executable, or ""
        const char* storeSetting; // the settings' Store/Path, or ""
        Mode mode;
        const char* settings; // "bin/..." or "config/..."
        const char* store;    // likewise, or a text given unchanged
    };
    const Case cases[] = {
        {"", "", Mode::Installed, "config/qxconfig.ini", ""},
        {"qxreminder.mcm", "", Mode::Portable, "bin/qxconfig.ini", "bin/qxreminder.mcm"},
        {"qxconfig.ini", "", Mode::Portable, "bin/qxconfig.ini", "bin/qxreminder.mcm"},
        {"", "shared/team.mcm", Mode::Installed, "config/qxconfig.ini", "config/shared/team.mcm"},
        {"", "../team.mcm", Mode::Installed, "config/qxconfig.ini", "config/../team.mcm"},
        {"", "/srv/team/qxreminder.mcm", Mode::Installed, "config/qxconfig.ini",
         "/srv/team/qxreminder.mcm"},
        {"", "postgresql://reminders@db.example/team", Mode::Installed, "config/qxconfig.ini",
         "postgresql://reminders@db.example/team"},
        {"qxconfig.ini", "postgres://db/team", Mode::Portable, "bin/qxconfig.ini",
         "postgres://db/team"},
    };
    const auto resolve = [&](const QString& text) {
        if (text.startsWith("bin/"))
            return bin() + text.mid(4);
        if (text.startsWith("config/"))
            return QDir::cleanPath(configFolder() + text.mid(7));
        return text;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.beside) + " | " + c.storeSetting);
        QDir(root.path()).removeRecursively();
        QDir(root.path()).mkpath("prefix/bin");
        if (*c.beside)
            touch(bin() + c.beside);
        if (*c.storeSetting)
            AppLocations::setStoreLocation(c.storeSetting);
        EXPECT_EQ(AppLocations::mode(), c.mode);
        EXPECT_EQ(AppLocations::settingsFilePath(), resolve(c.settings));
        EXPECT_EQ(SettingsFile::filePath(), resolve(c.settings));
        EXPECT_EQ(AppLocations::storeLocation(), resolve(c.store));
    }
}

TEST_F(AppLocationsTest, OnlyAnInstalledProgramWithoutItsStoreFileAsksForOne) {
    EXPECT_TRUE(AppLocations::needsStoreChoice()) << "nothing configured";
    AppLocations::setStoreLocation("team.mcm");
    EXPECT_TRUE(AppLocations::needsStoreChoice()) << "the configured file is missing";
    touch(configFolder() + "team.mcm");
    EXPECT_FALSE(AppLocations::needsStoreChoice());
    AppLocations::setStoreLocation("postgresql://db.example/team");
    EXPECT_FALSE(AppLocations::needsStoreChoice()) << "a server is never looked for as a file";

    // A portable folder without its store fails as it always has, without asking.
    touch(bin() + "qxconfig.ini");
    EXPECT_FALSE(AppLocations::needsStoreChoice());
    EXPECT_FALSE(QFile::exists(bin() + "qxreminder.mcm"));
}

TEST_F(AppLocationsTest, SoundsComeFromBesideThePortableProgramOrFromTheInstalledDataFolder) {
    QTemporaryDir systemData;
    ScopedEnvironment dataHome("XDG_DATA_HOME", QFile::encodeName(root.filePath("data-home")));
    ScopedEnvironment dataDirs("XDG_DATA_DIRS", QFile::encodeName(systemData.path()));
    // Installed somewhere without a data folder of its own: the system's data folders.
    QDir(systemData.path()).mkpath("qxreminder/wave");
    EXPECT_EQ(AppLocations::soundFolder(), systemData.filePath("qxreminder/wave") + "/");
    // Its own prefix comes first.
    QDir(root.path()).mkpath("prefix/share/qxreminder/wave");
    EXPECT_EQ(AppLocations::soundFolder(), root.filePath("prefix/share/qxreminder/wave") + "/");
    touch(bin() + "qxreminder.mcm");
    EXPECT_EQ(AppLocations::soundFolder(), bin() + "wave/");
}

} // namespace
