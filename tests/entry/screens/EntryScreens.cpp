// Shows the entry dialogs with sample data and writes a picture of each into the folder given
// on the command line: entry-add.png, entry-edit.png, entry-birthday.png (a lunar birthday that
// repeats every year) and entry-quick.png.
#include "entry/AddReminderDialog.h"
#include "entry/DatedReminderDialog.h"
#include "entry/EditReminderDialog.h"
#include "entry/QuickPublishDialog.h"
#include "platform/ModalRunner.h"
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {

void showOnScreen(QWidget& dialog) {
    dialog.show();
    dialog.move(dialog.screen()->availableGeometry().center() - dialog.rect().center());
    dialog.activateWindow();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

void picture(QWidget& dialog, const QString& path) {
    showOnScreen(dialog);
    if (!dialog.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    // Keep it on screen a moment, so that a picture of the whole screen can be taken too.
    if (qEnvironmentVariableIsSet("QX_SCREENS_LINGER"))
        QTest::qWait(qEnvironmentVariableIntValue("QX_SCREENS_LINGER"));
    dialog.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: entry_screens <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    TempStore store;
    const int me = store.addUser("zhang", "张伟");
    const int colleague = store.addUser("li", "李娜");
    store.addUser("wang", "王芳");
    store.addUser("zhao", "赵磊");
    store.addUser("chen", "陈静");
    store.session().currentUserKey = me;
    store.session().currentUserName = QStringLiteral("张伟");

    {
        AddReminderDialog add(store.session(), {});
        showOnScreen(add); // loads the recipient list
        control<ReportList>(&add, "recipientList")->setChecked(2, true);
        control<ReportList>(&add, "recipientList")->setChecked(3, true);
        control<QPlainTextEdit>(&add, "contentEdit")
            ->setPlainText(QStringLiteral("下午三点在二楼会议室开项目例会，请带上本周进度。"));
        picture(add, folder.filePath(QStringLiteral("entry-add.png")));
    }
    {
        TempStore::Reminder r;
        r.recipient = colleague;
        r.publisher = me;
        r.detail = QStringLiteral("周五前提交季度报告");
        r.action = 1;
        r.beginTime = QStringLiteral("2010-11-12 08:51:00 ");
        r.intervalNumber = 30;
        r.intervalType = QStringLiteral("分");
        const int key = store.addReminder(r);
        ScriptedModal modal([&](QDialog& edit) {
            picture(edit, folder.filePath(QStringLiteral("entry-edit.png")));
            return int(QDialog::Rejected);
        });
        EditReminderDialog::editPublished(store.session(), {}, QString::number(key), r.detail);
    }
    {
        // A lunar birthday from its origin: the lunar date shows beside the pickers.
        DatedReminderDialog birthday(store.session(), {}, ReminderKind::Birthday);
        showOnScreen(birthday);
        control<QRadioButton>(&birthday, "lunarRepeatButton")->setChecked(true);
        control<QDateEdit>(&birthday, "startDateEdit")->setDate(QDate(1986, 1, 20));
        control<QTimeEdit>(&birthday, "startTimeEdit")->setTime(QTime(9, 0));
        control<QPlainTextEdit>(&birthday, "contentEdit")
            ->setPlainText(QStringLiteral("妈妈的农历生日，记得订蛋糕。"));
        picture(birthday, folder.filePath(QStringLiteral("entry-birthday.png")));
    }
    {
        QuickPublishDialog quick(store.session(), {});
        picture(quick, folder.filePath(QStringLiteral("entry-quick.png")));
    }
    return 0;
}
