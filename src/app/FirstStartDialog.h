#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The first start of an installed program, or a start whose store file is gone: says where the
// reminders live and lets the user open an existing store file, create a new one, or name the
// team's database server. Accepted once a store is chosen; rejected when the user would rather
// end the program.
//
// Public is what its opener (StoreConnection) needs: the constructor and, once the dialog is
// accepted, the choice. The rest is the user's, through the controls (each named as its member
// is).
class FirstStartDialog : public DialogShell {
    Q_OBJECT
public:
    // `missingLocation`: the configured store that is not there, or empty when none is configured.
    explicit FirstStartDialog(const QString& missingLocation, QWidget* parent = nullptr);

    // The store file or server address chosen, once the dialog is accepted.
    QString chosenLocation() const { return chosenLocation_; }
    // The chosen file is a store the dialog has just created.
    bool createdNewStore() const { return createdNewStore_; }

private:
    void openExisting();
    void createNew();
    void connectServer();
    void onExitClicked();

    static QString explanationText(const QString& missingLocation);

    QLabel* titleLabel = nullptr;
    QLabel* headingLabel = nullptr;
    PictureBox* bannerPicture = nullptr;
    QLabel* explanationLabel = nullptr;
    QPushButton* openExistingButton = nullptr;
    QPushButton* createNewButton = nullptr;
    QPushButton* exitButton = nullptr;
    QLabel* serverLabel = nullptr;
    QLineEdit* serverEdit = nullptr;
    QPushButton* connectServerButton = nullptr;

    QString chosenLocation_;
    bool createdNewStore_ = false;
};
