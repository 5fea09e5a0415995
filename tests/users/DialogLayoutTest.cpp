// The three account dialogs on screen: every caption fits its control and every control lies
// inside its dialog. With QX_SCREENS_DIR set, each dialog is also saved there as a picture.
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/PasswordDialog.h"
#include "users/PermissionsDialog.h"
#include "users/UserAccountsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// Lists every visible control whose text is cut or that sticks out of the dialog.
QStringList misfits(QWidget& dialog) {
    QStringList found;
    const QRect inside = dialog.rect();
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&dialog) || widget->objectName().isEmpty())
            continue;
        const QRect placed(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        if (!inside.contains(placed))
            found << widget->objectName() + " outside";
        const bool hasText = qobject_cast<QLabel*>(widget) != nullptr ||
                             qobject_cast<QAbstractButton*>(widget) != nullptr;
        if (hasText && widget->width() < widget->sizeHint().width())
            found << widget->objectName() + " cut";
        if (qobject_cast<QLineEdit*>(widget) != nullptr &&
            widget->height() < widget->sizeHint().height())
            found << widget->objectName() + " squeezed";
    }
    return found;
}

void saveScreen(QWidget& dialog, const char* name) {
    const QString dir = qEnvironmentVariable("QX_SCREENS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(dir + "/users-" + name + ".png"));
}

TEST(DialogLayoutTest, EveryCaptionFitsAndEveryControlLiesInsideItsDialog) {
    TempStore store;
    ScriptedBoxes boxes;
    store.addUser("zhangsan", "张三", "1", false, "销售部");
    store.addUser("lisi", "李四", "1", false, "财务部");
    store.addUser("wangwu", "王五", "1", true, "技术支持");
    store.setPermission(3, "101111000");
    store.session().currentUserKey = 2;

    UserAccountsDialog maintenance(store.session());
    maintenance.show();
    control<ReportList>(&maintenance, "accountList")->selectRow(2);
    EXPECT_EQ(misfits(maintenance), QStringList{});
    EXPECT_GE(control<ReportList>(&maintenance, "accountList")->viewport()->width(),
              60 + 150 + 150 + 180);
    saveScreen(maintenance, "maintenance");

    PasswordDialog password(store.session());
    password.show();
    control<QLineEdit>(&password, "oldPasswordEdit")->setText("1");
    control<QLineEdit>(&password, "newPasswordEdit")->setText("newpass");
    EXPECT_EQ(misfits(password), QStringList{});
    saveScreen(password, "password");

    PermissionsDialog permissions(store.session());
    permissions.show();
    control<ReportList>(&permissions, "accountList")->setChecked(2, true);
    control<ReportList>(&permissions, "accountList")->setChecked(3, true);
    control<ReportList>(&permissions, "accountList")->selectRow(2);
    EXPECT_EQ(misfits(permissions), QStringList{});
    EXPECT_GE(control<ReportList>(&permissions, "accountList")->viewport()->width(), 150)
        << "the names show whole";
    saveScreen(permissions, "permissions");
}

} // namespace
