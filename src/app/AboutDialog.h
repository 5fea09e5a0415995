#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"

#include <QLabel>
#include <QPushButton>

// The about box: the program's name and version, its supplier, and a link to the
// supplier's web page.
//
// Public is only its constructor: the opener creates it and runs it with ModalRunner::run;
// the rest is the user's, through the controls (each named as its member is).
class AboutDialog : public DialogShell {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openSupplierPage();
    void onExitClicked();

    static QString aboutText();

    QLabel* titleLabel = nullptr;
    PictureBox* aboutPicture = nullptr;
    QLabel* programNameLabel = nullptr;
    QLabel* supplierLabel = nullptr;
    QPushButton* exitButton = nullptr;
};
