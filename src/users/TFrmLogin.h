#pragma once

#include "store/Query.h"
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
    virtual void ShowGreeting(const QString& userName) = 0;
    virtual void ApplyPermissions(int userKey) = 0;
};

// The login dialog: decides who the current user is for the rest of the run.
class TFrmLogin : public DialogShell {
    Q_OBJECT
public:
    TFrmLogin(Session& session, LoginHost& host, QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    void btnloginClick();
    void btnexitClick();

    // The hint under the edits names the administrator's first password.
    static QString HintText();
    bool LoggedIn() const { return loggedIn_; }

    QLabel* Label1 = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* btnlogin = nullptr;
    QPushButton* btnexit = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    Session& session_;
    LoginHost& host_;
    Query ADOQuery1;
    bool loggedIn_ = false;
};
