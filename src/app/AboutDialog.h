#pragma once

#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"

#include <QLabel>
#include <QPushButton>

// The about box: the program's name and version, its supplier, and a link to the
// supplier's web page.
class AboutDialog : public DialogShell {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void openSupplierPage();
    void onExitClicked();

    static QString aboutText();

    QLabel* titleLabel = nullptr;
    PictureBox* aboutPicture = nullptr;
    QLabel* programNameLabel = nullptr;
    QLabel* supplierLabel = nullptr;
    QPushButton* exitButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
