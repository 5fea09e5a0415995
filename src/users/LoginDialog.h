#pragma once

#include "store/Query.h"
#include "store/StoreError.h"
#include "store/Session.h"

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// What a successful login sets in the window that asked for it.
class LoginHost {
public:
    virtual ~LoginHost() = default;
    // Greeting "欢迎你：" and the name, the clock shown and started.
    virtual void showGreeting(const QString& userName) = 0;
    virtual void applyPermissions(int userKey) = 0;
};

// The login dialog: decides who the current user is for the rest of the run. Its opener only
// creates and runs it; a successful login is told to the host and accepts the dialog.
class LoginDialog : public DialogShell {
    Q_OBJECT
public:
    LoginDialog(Session& session, LoginHost& host, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void onShown();
    void logIn();
    // The password dialog, for an administrator who logged in with the initial password;
    // whether he saved a new one.
    bool choseNewPassword();
    // The box for a store the login could not reach or use; ends the program for a store
    // that cannot be used at all.
    void refuseStore(const StoreError& error);
    void quitProgram();

    // The hint under the edits names the administrator's first password.
    static QString hintText();

    QLabel* titleLabel = nullptr;
    PictureBox* loginPicture = nullptr;
    QLabel* loginNameLabel = nullptr;
    QLineEdit* loginNameEdit = nullptr;
    QLabel* passwordLabel = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QLabel* hintLabel = nullptr;
    QPushButton* loginButton = nullptr;
    QPushButton* exitButton = nullptr;

    Session& session_;
    LoginHost& host_;
    Query loginQuery_;
    bool loggedIn_ = false;
};
