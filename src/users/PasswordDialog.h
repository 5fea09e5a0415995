#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "store/Query.h"
#include "store/Session.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The logged-in user replaces his own password. On a file store "修改" is enabled exactly
// while the old password, checked afresh at every change, is typed correctly; on a server,
// where each check is a connection, it is enabled once anything is typed and the old password
// is checked when it is pressed.
//
// The opener creates it and runs it with ModalRunner::run, and may ask afterwards whether a
// new password was saved (the first login with the initial password needs one); the rest is
// the user's, through the controls (each named as its member is).
class PasswordDialog : public DialogShell {
    Q_OBJECT
public:
    explicit PasswordDialog(Session& session, QWidget* parent = nullptr);

    bool savedNewPassword() const { return saved_; }

private:
    void buildControls();
    // The old-password check; runs on every change of oldPasswordEdit's text, the program's own
    // too.
    void checkOldPassword();
    void changePassword();
    void onExitClicked();

    QLabel* titleLabel = nullptr;
    QLabel* headingLabel = nullptr;
    PictureBox* bannerPicture = nullptr;
    QLabel* oldPasswordLabel = nullptr;
    QLineEdit* oldPasswordEdit = nullptr;
    QLabel* newPasswordLabel = nullptr;
    QLineEdit* newPasswordEdit = nullptr;
    QPushButton* changeButton = nullptr;
    QPushButton* exitButton = nullptr;

    Session& session_;
    Query passwordQuery_;
    bool saved_ = false;
};
