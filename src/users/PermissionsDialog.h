#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "platform/ReportList.h"
#include "store/Query.h"
#include "store/Session.h"
#include "users/Permissions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>

// Permission settings. Each row of the user list carries two independent marks: the
// selection decides which account the nine boxes show, the ticks decide which accounts a save
// writes. A save writes the boxes as they stand to every ticked account; writes the store
// refused on the way are reported together in one error box.
//
// Public is only its constructor: the opener creates it and runs it with ModalRunner::run;
// the rest is the user's, through the controls (each named as its member is).
class PermissionsDialog : public DialogShell {
    Q_OBJECT
public:
    explicit PermissionsDialog(Session& session, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void onShown();
    // Runs whenever the list's selection changes.
    void showSelectedGrants();
    void tickAllAccounts();
    void clearAllAccounts();
    void savePermissions();
    void onExitClicked();

    // The nine boxes, position 1 first.
    std::array<QCheckBox*, Permissions::kPositions> permissionBoxes() const;
    void showGrants(const Permissions::Grants& grants);

    QLabel* titleLabel = nullptr;
    QLabel* headingLabel = nullptr;
    PictureBox* bannerPicture = nullptr;
    QGroupBox* accountsGroup = nullptr;
    ReportList* accountList = nullptr;
    QPushButton* selectAllButton = nullptr;
    QPushButton* clearAllButton = nullptr;
    QGroupBox* menuRightsGroup = nullptr;
    QGroupBox* buttonRightsGroup = nullptr;
    QCheckBox* userAccountsBox = nullptr;
    QCheckBox* permissionsBox = nullptr;
    QCheckBox* addReminderBox = nullptr;
    QCheckBox* editReminderBox = nullptr;
    QCheckBox* deleteReminderBox = nullptr;
    QCheckBox* quickPublishBox = nullptr;
    QCheckBox* birthdayBox = nullptr;
    QCheckBox* appointmentBox = nullptr;
    QCheckBox* anniversaryBox = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* exitButton = nullptr;

    Session& session_;
    Query permissionsQuery_;
};
