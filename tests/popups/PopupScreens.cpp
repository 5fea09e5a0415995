// Pictures of the popups for the documentation: written only when QX_SCREENS_DIR names a
// folder, and only on a real display (run under Xvfb with QT_QPA_PLATFORM=xcb).
#include "PopupFixture.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

namespace {

class PopupScreens : public PopupFixture {
protected:
    void SetUp() override {
        folder = qEnvironmentVariable("QX_SCREENS_DIR");
        if (folder.isEmpty() || QGuiApplication::platformName() == "offscreen")
            GTEST_SKIP() << "set QX_SCREENS_DIR and run on a display to write the pictures";
        PopupFixture::SetUp();
        lin = store.addUser("lin", "林晓");
        // A desktop behind the popup, so that its outline shows as it would on screen.
        desktop.setGeometry(QGuiApplication::primaryScreen()->geometry());
        desktop.setAutoFillBackground(true);
        QPalette colours = desktop.palette();
        colours.setColor(QPalette::Window, QColor(58, 110, 140));
        desktop.setPalette(colours);
        desktop.show();
    }
    // Shows the popup fully slid in and saves the screen around it.
    void shoot(ReminderPopup* popup, const QString& name) {
        while (sliding(popup))
            deliverTimeout(control<QTimer>(popup, "slideTimer"));
        popup->raise();
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents();
            QTest::qWait(20);
        }
        const QRect area = popup->frameGeometry().adjusted(-12, -12, 12, 12);
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
            0, area.x(), area.y(), area.width(), area.height());
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(shot.save(folder + "/" + name, "PNG"));
        popup->close();
        QCoreApplication::processEvents();
    }
    int add(ReminderKind kind, int publisher, const QString& detail, qint64 total,
            const QString& begin) {
        TempStore::Reminder r;
        r.recipient = me;
        r.publisher = publisher;
        r.kind = kindIndex(kind);
        r.detail = detail;
        r.totalTime = total;
        r.beginTime = begin;
        return store.addReminder(r);
    }

    QString folder;
    int lin = 0;
    QWidget desktop{nullptr, Qt::FramelessWindowHint};
};

TEST_F(PopupScreens, OrdinaryBirthdayAndCustomPostponement) {
    add(ReminderKind::Ordinary, other, "下午三点在三楼会议室开项目周会，请带上本周进度表", 600,
        "2011-03-08 08:00:00");
    add(ReminderKind::Ordinary, lin, "给客户回电话，确认合同第二版的交付日期", 18000,
        "2011-03-08 08:10:00");
    add(ReminderKind::Ordinary, other, "提交三月份报销单", 216000, "2011-03-09 09:00:00 ");
    add(ReminderKind::Birthday, lin, "今天是张明的生日，记得送上祝福和蛋糕", 300,
        "2011-03-08 08:00:00 ");
    add(ReminderKind::Birthday, other, "妈妈的生日，晚上回家吃饭", 5184000, "2011-03-08 18:00:00 ");

    shoot(open(ReminderKind::Ordinary), "popup-ordinary.png");
    shoot(open(ReminderKind::Birthday), "popup-birthday.png");

    ReminderPopup* custom = open(ReminderKind::Ordinary);
    control<QCheckBox>(custom, "customCheckBox")->setChecked(true);
    listOf(custom)->setChecked(1, true);
    shoot(custom, "popup-custom.png");
}

} // namespace
