#pragma once

#include "app/MainWindow.h"
#include "platform/AppLifetime.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/LoginDialog.h"

#include <gtest/gtest.h>

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

    // Logs in through the real dialog, as the first activation does.
    void loginAs(const QString& name, const QString& password) {
        ScriptedModal modal([&](QDialog& dialog) {
            auto& login = dynamic_cast<LoginDialog&>(dialog);
            login.loginNameEdit->setText(name);
            login.passwordEdit->setText(password);
            login.logIn();
            return dialog.result();
        });
        window.showLoginOnce();
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
    static QStringList column(ReportList* list, int column) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->text(row, column);
        return texts;
    }

    TempStore store;
    FakeClock clock;
    ScriptedBoxes boxes;
    int me = 0;
    int other = 0;
    int quitRequests = 0;
    MainWindow window{store.session()};
};
