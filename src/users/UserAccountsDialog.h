#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "platform/ReportList.h"
#include "store/Query.h"
#include "store/Session.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// User maintenance: accounts are created, looked at and deleted here, never edited. The
// dialog is either browsing ("添加" enabled, edits read-only, "删除" while a row is selected)
// or adding ("撤销" and "保存" enabled, edits writable).
//
// Public is only its constructor: the opener creates it and runs it with ModalRunner::run;
// the rest is the user's, through the controls (each named as its member is).
class UserAccountsDialog : public DialogShell {
    Q_OBJECT
public:
    explicit UserAccountsDialog(Session& session, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void onShown();
    void startAdding();
    void cancelAdding();
    void saveAccount();
    void deleteAccount();
    void onExitClicked();
    // Runs whenever the list's selection changes: shows the selected account, or goes back to
    // browsing when no row is selected any more.
    void showSelectedAccount();

    QLabel* titleLabel = nullptr;
    QLabel* headingLabel = nullptr;
    PictureBox* bannerPicture = nullptr;
    QLabel* loginNameLabel = nullptr;
    QLineEdit* loginNameEdit = nullptr;
    QLabel* trueNameLabel = nullptr;
    QLineEdit* trueNameEdit = nullptr;
    QLabel* passwordLabel = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QLabel* remarksLabel = nullptr;
    QLineEdit* remarksEdit = nullptr;
    QCheckBox* adminCheckBox = nullptr;
    QLabel* adminNoteLabel = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* undoButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* exitButton = nullptr;
    QLabel* accountsLabel = nullptr;
    ReportList* accountList = nullptr;

    void loadAccounts();
    void setEditsReadOnly(bool readOnly);
    void clearEdits();

    Session& session_;
    Query accountsQuery_;
};
