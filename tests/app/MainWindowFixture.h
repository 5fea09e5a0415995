#pragma once

#include "app/MainWindow.h"
#include "platform/AppLifetime.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/LoginDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

// Logs in through the real login dialog, which the window asks for once it is first shown:
// name and password typed, "登录" clicked.
inline void logInThrough(MainWindow& window, const QString& name, const QString& password) {
    ScriptedModal modal([&](QDialog& dialog) {
        control<QLineEdit>(&dialog, "loginNameEdit")->setText(name);
        control<QLineEdit>(&dialog, "passwordEdit")->setText(password);
        control<QPushButton>(&dialog, "loginButton")->click();
        return dialog.result();
    });
    window.show();
    QCoreApplication::processEvents();
}

// The polls of a main window.
inline ReminderPolling& pollingOf(const MainWindow& window) {
    return *control<ReminderPolling>(&window, "polling");
}

// Whether the user can use a control: a tool button's, a menu item's or any widget's state.
inline bool usable(const QObject* control) {
    if (const auto* action = qobject_cast<const QAction*>(control))
        return action->isEnabled();
    return qobject_cast<const QWidget*>(control)->isEnabled();
}

// The main window on a temporary store with two accounts, "me" and "other" (password "pw"),
// the fake clock and scripted boxes; a request to end the program is counted, not obeyed.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        AppLifetime::installQuitHook([this] { ++quitRequests; });
        me = store.addUser("me", "我自己", "pw");
        other = store.addUser("other", "同事", "pw");
    }
    void TearDown() override { AppLifetime::installQuitHook({}); }

    // Logs in through the real dialog, as the first show does.
    void loginAs(const QString& name, const QString& password) {
        logInThrough(window, name, password);
    }
    int addReminder(int recipient, int publisher, const QString& detail, QVariant totalTime,
                    int done = 0, const QString& doTime = "2010-11-12 08:51:37") {
        TempStore::Reminder r;
        r.recipient = recipient;
        r.publisher = publisher;
        r.detail = detail;
        r.totalTime = totalTime;
        r.done = done;
        r.doTime = doTime;
        return store.addReminder(r);
    }
    using Column = ReportList::Column;
    static QStringList column(const ReportList* list, Column column) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->text(row, column);
        return texts;
    }
    // The window's controls, by name.
    ReportList* list(const char* name) const { return control<ReportList>(&window, name); }
    QToolButton* tool(const char* name) const { return control<QToolButton>(&window, name); }
    QAction* menuItem(const char* name) const { return control<QAction>(&window, name); }
    QTabWidget* pages() const { return control<QTabWidget>(&window, "pages"); }
    QLabel* label(const char* name) const { return control<QLabel>(&window, name); }
    QTimer* timer(const char* name) const { return control<QTimer>(&window, name); }

    TempStore store;
    FakeClock clock;
    ScriptedBoxes boxes;
    int me = 0;
    int other = 0;
    int quitRequests = 0;
    MainWindow window{store.session()};
};
