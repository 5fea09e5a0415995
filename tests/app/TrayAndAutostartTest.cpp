// The autostart option, hiding into the notification area and the about box.
#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "platform/AppInfo.h"
#include "platform/AppLifetime.h"
#include "platform/SettingsFile.h"
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"

#include <QDesktopServices>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppLifetime::installQuitHook([this] { ++quitRequests; });
        ShellWindow::overrideTrayAvailableForTests(true);
    }
    void TearDown() override {
        AppLifetime::installQuitHook({});
        ShellWindow::overrideTrayAvailableForTests(std::nullopt);
    }
    QString entryPath() const { return autostartDir.filePath("QxReminder.desktop"); }
    void plantEntry() {
        QFile entry(entryPath());
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nExec=/old/qxreminder\n");
    }
    QString entryText() const {
        QFile entry(entryPath());
        return entry.open(QIODevice::ReadOnly) ? QString::fromUtf8(entry.readAll()) : QString();
    }

    TempStore store;
    ScriptedBoxes boxes;
    QTemporaryDir autostartDir;
    int quitRequests = 0;
    MainWindow window{store.session(), std::make_unique<XdgAutostart>(autostartDir.path())};
};

TEST_F(TrayTest, AFreshInstallationRemovesAPresentEntryAtTheFirstShow) {
    plantEntry();
    EXPECT_TRUE(control<QAction>(&window, "autostartAction")->isChecked());
    window.show();
    EXPECT_FALSE(control<QAction>(&window, "autostartAction")->isChecked());
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(TrayTest, TheOptionChangesTheFileAtOnceAndTheEntryAtTheNextShow) {
    window.show();
    control<QAction>(&window, "autostartAction")->trigger(); // unticked → ticked
    EXPECT_EQ(SettingsFile::read("Run", "dword", ""), QStringLiteral("1"));
    EXPECT_TRUE(control<QAction>(&window, "autostartAction")->isChecked());
    EXPECT_FALSE(QFile::exists(entryPath()));
    window.hide();
    window.show();
    EXPECT_TRUE(entryText().contains(
        "Exec=" + XdgAutostart::execValue(QCoreApplication::applicationFilePath())));

    control<QAction>(&window, "autostartAction")
        ->trigger(); // ticked → unticked: the entry stays until the next show
    EXPECT_EQ(SettingsFile::read("Run", "dword", ""), QStringLiteral("0"));
    EXPECT_FALSE(control<QAction>(&window, "autostartAction")->isChecked());
    EXPECT_TRUE(QFile::exists(entryPath()));
    window.hide();
    window.show();
    EXPECT_FALSE(QFile::exists(entryPath()));
}

TEST_F(TrayTest, AnyOtherSettingLeavesTheTickAndEntryAsTheyWere) {
    plantEntry();
    SettingsFile::write("Run", "dword", "yes");
    window.show();
    EXPECT_TRUE(control<QAction>(&window, "autostartAction")->isChecked());
    EXPECT_EQ(entryText(), QStringLiteral("[Desktop Entry]\nExec=/old/qxreminder\n"));
}

TEST_F(TrayTest, AFailedEntryWriteShowsTheErrorBoxAtEveryShow) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MainWindow blocked(store.session(), std::make_unique<XdgAutostart>(dir.filePath("autostart")));
    SettingsFile::write("Run", "dword", "1");
    blocked.show();
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    blocked.hide();
    blocked.show();
    EXPECT_EQ(boxes.count(), 2);
}

TEST_F(TrayTest, HideThenDoubleClickBringsTheWindowBackOnTheFirstPage) {
    window.show();
    control<QTabWidget>(&window, "pages")->setCurrentIndex(2);
    control<QToolButton>(&window, "hideButton")->click();
    EXPECT_FALSE(window.isVisible());
    auto* icon = control<QSystemTrayIcon>(&window, "trayIcon");
    EXPECT_EQ(icon->toolTip(), QStringLiteral("橙岭定时提醒"));
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(control<QTabWidget>(&window, "pages")->currentIndex(), 0);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(window.isVisible());
    control<QAction>(&window, "showWindowAction")->trigger(); // "显示主窗口"
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayTest, HidingTwiceLeavesOneIcon) {
    window.show();
    control<QToolButton>(&window, "hideButton")->click();
    QSystemTrayIcon* icon = control<QSystemTrayIcon>(&window, "trayIcon");
    window.show();
    control<QToolButton>(&window, "hideButton")->click();
    EXPECT_EQ(control<QSystemTrayIcon>(&window, "trayIcon"), icon);
    EXPECT_EQ(window.findChildren<QSystemTrayIcon*>().size(), 1);
}

TEST_F(TrayTest, WithoutANotificationAreaHidingMinimisesInstead) {
    ShellWindow::overrideTrayAvailableForTests(false);
    window.show();
    control<QToolButton>(&window, "hideButton")->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(TrayTest, TheTrayMenusExitEndsTheProgramWithoutAQuestion) {
    window.show();
    control<QToolButton>(&window, "hideButton")->click();
    control<QAction>(&window, "exitAction")->trigger();
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(boxes.count(), 0);
    control<QAction>(&window, "exitAction")->trigger(); // already ending: asked once
    EXPECT_EQ(quitRequests, 1);
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(AboutBoxTest, ItsTextOpensTheSuppliersPageAndExitClosesIt) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    AboutDialog about;
    about.show();
    QTest::mouseClick(control<QLabel>(&about, "supplierLabel"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front(), QUrl(AppInfo::kSupplierWebPage));
    EXPECT_TRUE(about.isVisible());
    control<QPushButton>(&about, "exitButton")->click();
    EXPECT_FALSE(about.isVisible());
}

} // namespace

#include "TrayAndAutostartTest.moc"
