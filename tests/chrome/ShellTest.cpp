#include "ChromeTestSupport.h"
#include "chrome/DialogShell.h"
#include "chrome/ShellWindow.h"
#include "platform/ModalRunner.h"
#include "support/Controls.h"
#include "support/ScriptedBoxes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// Derived windows as the program's own would be: a title label in topBar, content in clientArea.
class MainLike : public ShellWindow {
public:
    MainLike() {
        titleLabel = placeTitleLabel(new QLabel(QStringLiteral("橙岭定时提醒系统 V1.0")));
    }
    using ShellFrame::clientArea;
    QLabel* titleLabel = nullptr;
    int quickAdds = 0;

protected:
    void quickAddReminder() override { ++quickAdds; }
};

class DialogLike : public DialogShell {
public:
    DialogLike() {
        titleLabel = placeTitleLabel(new QLabel(QStringLiteral("关于")));
        exitButton = new QPushButton(QStringLiteral("退出"), clientArea);
        exitButton->setObjectName(QStringLiteral("exitButton"));
        exitButton->move(40, 300);
        connect(exitButton, &QPushButton::clicked, this, [this] { close(); });
    }
    QLabel* titleLabel = nullptr;
    QPushButton* exitButton = nullptr;
};

template <class T> T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Counts the close requests a window receives.
class CloseCounter : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            ++closes;
        return QObject::eventFilter(watched, event);
    }
};

class TrayAvailability {
public:
    explicit TrayAvailability(bool available) {
        ShellWindow::overrideTrayAvailableForTests(available);
    }
    ~TrayAvailability() { ShellWindow::overrideTrayAvailableForTests(std::nullopt); }
};

void showAndWait(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

void clickCaption(QWidget& window, const char* name) {
    auto* button = child<SkinButton>(window, name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseMove(button, QPoint(6, 6));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
}

void expectFrameFor(QWidget& window, QSize size) {
    EXPECT_EQ(window.size(), size);
    const QRegion mask = window.mask();
    EXPECT_EQ(mask.boundingRect(), QRect(QPoint(0, 0), size));
    const int r = size.width() - 1;
    const int b = size.height() - 1;
    // The 11 x 11 corner ellipses cut three, two and one pixels from the outermost rows.
    for (const QPoint cut : {QPoint(0, 0), QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(r, 0),
                             QPoint(r - 2, 0), QPoint(0, b), QPoint(r, b), QPoint(r - 1, b - 1)})
        EXPECT_FALSE(mask.contains(cut)) << cut.x() << "," << cut.y();
    for (const QPoint kept :
         {QPoint(3, 0), QPoint(2, 1), QPoint(1, 2), QPoint(0, 3), QPoint(r - 3, 0), QPoint(r, 3),
          QPoint(r - 3, b), QPoint(size.width() / 2, b)})
        EXPECT_TRUE(mask.contains(kept)) << kept.x() << "," << kept.y();
    auto* topBar = child<QWidget>(window, "topBar");
    auto* close = child<SkinButton>(window, "closeButton");
    EXPECT_EQ(topBar->width(), size.width());
    EXPECT_EQ(close->pos(), QPoint(size.width() - 24, 9));
}

} // namespace

TEST(Shells, FrameControlsAndCaptionButtonsOfBothShells) {
    MainLike shell;
    shell.resize(800, 600);
    showAndWait(shell);
    EXPECT_TRUE(shell.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(child<QWidget>(shell, "topBar")->height(), 35);
    EXPECT_EQ(child<QWidget>(shell, "topLeftPicture")->geometry(), QRect(0, 0, 9, 35));
    EXPECT_EQ(child<QWidget>(shell, "topRightPicture")->geometry(), QRect(800 - 52, 0, 52, 35));
    EXPECT_EQ(child<QWidget>(shell, "topCenterPicture")->geometry(), QRect(9, 0, 800 - 61, 35));
    EXPECT_EQ(child<QWidget>(shell, "bottomBar")->geometry(), QRect(0, 600 - 22, 800, 22));
    EXPECT_EQ(child<QWidget>(shell, "bottomLeftPicture")->size(), QSize(6, 22));
    EXPECT_EQ(child<QWidget>(shell, "bottomRightPicture")->geometry(), QRect(800 - 15, 0, 15, 22));
    EXPECT_EQ(child<QWidget>(shell, "leftEdgePicture")->geometry(), QRect(0, 0, 6, 600 - 57));
    EXPECT_EQ(child<QWidget>(shell, "rightEdgePicture")->geometry(),
              QRect(800 - 6, 0, 6, 600 - 57));
    EXPECT_EQ(child<QWidget>(shell, "clientArea")->geometry(), QRect(6, 0, 800 - 12, 600 - 57));
    EXPECT_EQ(shell.clientArea, child<QWidget>(shell, "clientArea"));

    const std::pair<const char*, int> places[] = {
        {"closeButton", 24}, {"maximizeButton", 41}, {"minimizeButton", 58}, {"helpButton", 75}};
    for (const auto& [name, offset] : places) {
        auto* button = child<SkinButton>(shell, name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->parentWidget()->objectName(), QStringLiteral("topBar"));
        EXPECT_EQ(button->geometry(), QRect(800 - offset, 9, 13, 13)) << name;
    }
    EXPECT_EQ(child<SkinButton>(shell, "maximizeButton")->buttonStyle(), SkinButtonStyle::Maximize);
    EXPECT_EQ(child<SkinButton>(shell, "minimizeButton")->buttonStyle(), SkinButtonStyle::Minimize);
    EXPECT_EQ(child<SkinButton>(shell, "helpButton")->buttonStyle(), SkinButtonStyle::Help);
    EXPECT_EQ(shell.titleLabel->parentWidget()->objectName(), QStringLiteral("topBar"));

    DialogLike dialog;
    showAndWait(dialog);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_NE(child<SkinButton>(dialog, "closeButton"), nullptr);
    EXPECT_EQ(child<SkinButton>(dialog, "maximizeButton"), nullptr);
    EXPECT_EQ(child<SkinButton>(dialog, "minimizeButton"), nullptr);
    EXPECT_EQ(child<SkinButton>(dialog, "helpButton"), nullptr);
}

TEST(Shells, NeverSmallerThan640By480AndTheOutlineFollowsEverySize) {
    MainLike shell;
    shell.resize(800, 600);
    showAndWait(shell);
    expectFrameFor(shell, QSize(800, 600));
    shell.resize(300, 200);
    expectFrameFor(shell, QSize(640, 480));
    shell.resize(1000, 300);
    expectFrameFor(shell, QSize(1000, 480));
    EXPECT_EQ(child<SkinButton>(shell, "helpButton")->x(), 1000 - 75);

    // A dialog designed smaller grows when it is shown, its controls where they were placed.
    DialogLike dialog;
    dialog.resize(400, 300);
    showAndWait(dialog);
    expectFrameFor(dialog, QSize(640, 480));
    EXPECT_EQ(dialog.exitButton->pos(), QPoint(40, 300));
}

TEST(Shells, TitleBarPressMovesTheWindowCaptionButtonPressDoesNot) {
    MainLike shell;
    shell.resize(800, 600);
    shell.move(100, 100);
    showAndWait(shell);
    QSignalSpy moves(&shell, &ShellWindow::moveStarted);

    QTest::mousePress(child<SkinButton>(shell, "closeButton"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(child<SkinButton>(shell, "closeButton"), Qt::LeftButton, {}, QPoint(40, 5));
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(shell.pos(), QPoint(100, 100));

    for (const char* name : {"topLeftPicture", "topRightPicture"}) {
        auto* image = child<QWidget>(shell, name);
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(4, 20));
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(4, 20));
    }
    EXPECT_EQ(moves.count(), 2);

    // Through the title label (the mouse passes it to the title picture below).
    const QPoint onTitle = shell.titleLabel->geometry().topLeft() + QPoint(10, 12);
    auto* topCenterPicture = child<QWidget>(shell, "topCenterPicture");
    const QPoint onImage = topCenterPicture->mapFrom(child<QWidget>(shell, "topBar"), onTitle);
    EXPECT_EQ(shell.childAt(child<QWidget>(shell, "topBar")->mapTo(&shell, onTitle)),
              topCenterPicture);
    QTest::mousePress(topCenterPicture, Qt::LeftButton, {}, onImage);
    ASSERT_EQ(moves.count(), 3);
    if (moves.last().at(0).toBool())
        GTEST_SKIP() << "the window system moves the window itself here";
    QTest::mouseMove(topCenterPicture, onImage + QPoint(30, 20));
    QTest::mouseRelease(topCenterPicture, Qt::LeftButton, {}, onImage + QPoint(30, 20));
    EXPECT_EQ(shell.pos(), QPoint(130, 120));
}

TEST(Shells, ShellWindowCloseAndMinimiseHideIntoTheTrayWithOneIcon) {
    TrayAvailability tray(true);
    MainLike shell;
    CloseCounter closes;
    shell.installEventFilter(&closes);
    showAndWait(shell);
    EXPECT_EQ(shell.findChild<QSystemTrayIcon*>(), nullptr);

    clickCaption(shell, "closeButton");
    EXPECT_TRUE(shell.isHidden());
    EXPECT_EQ(closes.closes, 0);
    auto* icon = control<QSystemTrayIcon>(&shell, "trayIcon");
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->toolTip(), QStringLiteral("橙岭定时提醒"));
    EXPECT_EQ(icon->contextMenu(), control<QMenu>(&shell, "trayMenu"));

    // A double click on the icon shows the window, a second one hides it again.
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(shell.isVisible());
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(shell.isVisible());
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(shell.isHidden());

    showAndWait(shell);
    clickCaption(shell, "minimizeButton");
    EXPECT_TRUE(shell.isHidden());
    showAndWait(shell);
    clickCaption(shell, "closeButton");
    EXPECT_EQ(control<QSystemTrayIcon>(&shell, "trayIcon"), icon);
    EXPECT_EQ(closes.closes, 0);
}

TEST(Shells, WithoutATrayTheShellWindowMinimisesInsteadOfHiding) {
    TrayAvailability tray(false);
    MainLike shell;
    CloseCounter closes;
    shell.installEventFilter(&closes);
    showAndWait(shell);
    clickCaption(shell, "closeButton");
    EXPECT_TRUE(shell.isVisible());
    EXPECT_TRUE(shell.isMinimized());
    EXPECT_EQ(closes.closes, 0);
    EXPECT_EQ(shell.findChild<QSystemTrayIcon*>(), nullptr);
}

TEST(Shells, MaximiseAlternatesWithRestoreOnOneButton) {
    MainLike shell;
    shell.resize(800, 600);
    showAndWait(shell);
    auto* button = child<SkinButton>(shell, "maximizeButton");
    clickCaption(shell, "maximizeButton");
    EXPECT_TRUE(shell.isMaximized());
    EXPECT_EQ(button->buttonStyle(), SkinButtonStyle::Restore);
    EXPECT_EQ(button->x(), shell.width() - 41);
    clickCaption(shell, "maximizeButton");
    EXPECT_FALSE(shell.isMaximized());
    EXPECT_EQ(button->buttonStyle(), SkinButtonStyle::Maximize);

    clickCaption(shell, "helpButton");
    EXPECT_TRUE(shell.isVisible());
    EXPECT_FALSE(shell.isMaximized());
}

TEST(Shells, TrayMenuItemsAndTheirDefaultActions) {
    MainLike shell;
    QStringList items;
    for (QAction* action : control<QMenu>(&shell, "trayMenu")->actions())
        items << action->objectName() + QLatin1Char('=') +
                     (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(items, QStringList({"showWindowAction=显示主窗口", "firstTraySeparator=-",
                                  "quickAddAction=快速添加事件", "secondTraySeparator=-",
                                  "exitAction=退出系统"}));

    control<QAction>(&shell, "quickAddAction")->trigger();
    EXPECT_EQ(shell.quickAdds, 1);
    control<QAction>(&shell, "showWindowAction")->trigger();
    EXPECT_TRUE(shell.isVisible());
    CloseCounter closes;
    shell.installEventFilter(&closes);
    control<QAction>(&shell, "exitAction")->trigger();
    EXPECT_EQ(closes.closes, 1);
    EXPECT_TRUE(shell.isHidden());
}

TEST(Shells, DialogCloseButtonEndsAModalDialogAsItsExitButtonDoes) {
    // This test runs the real modal loop, which the timers below end.
    ScriptedModal realLoop{ModalRunner::Runner{}};
    const auto runAndClick = [](const char* name) {
        DialogLike dialog;
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTimer::singleShot(0, &dialog, [&dialog, name] {
            QWidget* target = child<QWidget>(dialog, name);
            QTest::mouseMove(target, QPoint(6, 6));
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, 6));
        });
        QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(99); }); // never hang
        const int result = ModalRunner::run(dialog);
        EXPECT_TRUE(dialog.isHidden());
        EXPECT_EQ(finished.count(), 1);
        return result;
    };
    const int byExitButton = runAndClick("exitButton");
    const int byCloseButton = runAndClick("closeButton");
    EXPECT_EQ(byExitButton, QDialog::Rejected);
    EXPECT_EQ(byCloseButton, byExitButton);
}
