// chrome_showcase: shows a shell window and a dialog shell dressed as the program's windows
// will be, for screenshots of the frame (docs/screens). Not a test; built on request only.
#include "chrome/Assets.h"
#include "chrome/DialogShell.h"
#include "chrome/PictureBox.h"
#include "chrome/ShellWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel* footerLabel(const QString& text, QColor colour, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

class ShowcaseMain : public ShellWindow {
public:
    ShowcaseMain() {
        placeTitleLabel(new QLabel(QStringLiteral("橙岭定时提醒系统 V1.0")));
        auto* column = new QVBoxLayout(clientArea);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        auto* tools = new QToolBar(clientArea);
        tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tools->setIconSize(QSize(32, 32));
        const std::pair<const char*, const char*> buttons[] = {
            {"tbAdd", "添加提醒"},           {"tbEdit", "编辑提醒"},
            {"tbDelete", "删除提醒"},        {"tbQuickPublish", "快速发布"},
            {"tbBirthday", "生日提醒"},      {"tbAppointment", "约会提醒"},
            {"tbAnniversary", "纪念日提醒"}, {"tbHide", "隐藏窗口"},
            {"tbExit", "退出系统"}};
        for (const auto& [picture, text] : buttons)
            tools->addAction(QIcon(Assets::picture(picture)), QString::fromUtf8(text));
        column->addWidget(tools);
        auto* list = new QTreeWidget(clientArea);
        list->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("内容"),
                               QStringLiteral("发布人"), QStringLiteral("发布时间")});
        list->setRootIsDecorated(false);
        list->setAlternatingRowColors(true);
        const std::tuple<const char*, const char*, const char*> rows[] = {
            {"kindOrdinary", "周例会材料请在下午三点前提交", "张明"},
            {"kindBirthday", "王芳生日，记得送上祝福", "李娜"},
            {"kindAppointment", "与客户在会议室 A 洽谈合同", "管理员"},
            {"kindAnniversary", "公司成立十周年纪念", "管理员"}};
        int key = 11;
        for (const auto& [icon, text, who] : rows) {
            auto* item = new QTreeWidgetItem(list, {QString::number(key++), QString::fromUtf8(text),
                                                    QString::fromUtf8(who),
                                                    QStringLiteral("2010-11-12 08:51:37")});
            item->setIcon(0, QIcon(Assets::picture(icon)));
        }
        list->header()->resizeSection(0, 70);
        list->header()->resizeSection(1, 300);
        column->addWidget(list);

        auto* footer = new QHBoxLayout(bottomCenterPicture);
        footer->setContentsMargins(8, 0, 8, 0);
        footer->addWidget(
            footerLabel(QStringLiteral("欢迎你：管理员"), Qt::yellow, bottomCenterPicture));
        footer->addStretch();
        footer->addWidget(footerLabel(QStringLiteral("2010年11月12日 星期五 08:51:37 "), Qt::cyan,
                                      bottomCenterPicture));
    }
};

class ShowcaseDialog : public DialogShell {
public:
    ShowcaseDialog() {
        placeTitleLabel(new QLabel(QStringLiteral("添加提醒")));
        auto* column = new QVBoxLayout(clientArea);
        column->setContentsMargins(0, 0, 0, 8);
        auto* banner = new QWidget(clientArea);
        banner->setAutoFillBackground(true);
        banner->setPalette(QPalette(Qt::white));
        banner->setFixedHeight(56);
        auto* bannerRow = new QHBoxLayout(banner);
        bannerRow->setContentsMargins(16, 0, 0, 0);
        auto* heading = new QLabel(QStringLiteral("添加提醒信息"), banner);
        QFont big = heading->font();
        big.setBold(true);
        big.setPointSize(big.pointSize() + 5);
        heading->setFont(big);
        bannerRow->addWidget(heading);
        bannerRow->addStretch();
        auto* picture = new PictureBox(PictureBox::Fit::Natural, banner);
        picture->setPicture(Assets::picture("bannerEntry"));
        bannerRow->addWidget(picture);
        column->addWidget(banner);

        auto* settings = new QHBoxLayout;
        settings->setContentsMargins(10, 6, 10, 6);
        settings->addWidget(new QLabel(QStringLiteral("提醒设置->")));
        auto* now = new QRadioButton(QStringLiteral("现在"));
        now->setChecked(true);
        settings->addWidget(now);
        settings->addWidget(new QRadioButton(QStringLiteral("自由设置")));
        settings->addWidget(new QLabel(QStringLiteral("开始提醒    间隔")));
        auto* interval = new QLineEdit(QStringLiteral("5"));
        interval->setFixedWidth(40);
        settings->addWidget(interval);
        auto* unit = new QComboBox;
        unit->addItems({QStringLiteral("秒"), QStringLiteral("分"), QStringLiteral("时"),
                        QStringLiteral("天")});
        unit->setCurrentIndex(1);
        settings->addWidget(unit);
        settings->addWidget(new QLabel(QStringLiteral("/次")));
        settings->addStretch();
        column->addLayout(settings);

        auto* body = new QHBoxLayout;
        body->setContentsMargins(10, 0, 10, 0);
        auto* people = new QTreeWidget;
        people->setHeaderLabels({QStringLiteral("人员")});
        people->setRootIsDecorated(false);
        people->setFixedWidth(170);
        for (const char* name : {"管理员", "张明", "李娜", "王芳"}) {
            auto* item = new QTreeWidgetItem(people, {QString::fromUtf8(name)});
            item->setIcon(0, QIcon(Assets::picture("listUser")));
            item->setCheckState(0, Qt::Unchecked);
        }
        body->addWidget(people);
        auto* group = new QGroupBox(QStringLiteral("提醒内容"));
        auto* memoBox = new QVBoxLayout(group);
        memoBox->addWidget(new QPlainTextEdit(QStringLiteral("请输入提醒内容...")));
        body->addWidget(group, 1);
        column->addLayout(body, 1);

        auto* buttons = new QHBoxLayout;
        buttons->setContentsMargins(10, 6, 10, 0);
        buttons->addWidget(new QPushButton(QStringLiteral("全选")));
        buttons->addWidget(new QPushButton(QStringLiteral("全不选")));
        buttons->addStretch();
        auto* save = new QPushButton(QStringLiteral("保存"));
        save->setEnabled(false);
        buttons->addWidget(save);
        auto* exit = new QPushButton(QStringLiteral("退出"));
        connect(exit, &QPushButton::clicked, this, [this] { close(); });
        buttons->addWidget(exit);
        column->addLayout(buttons);
    }
};

} // namespace

// chrome_showcase [main|dialog|both] [milliseconds]
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("both");
    // A plain desktop behind the windows, so that their rounded corners show.
    QWidget desktop(nullptr, Qt::FramelessWindowHint);
    desktop.setAutoFillBackground(true);
    desktop.setPalette(QPalette(QColor(0x6B, 0x77, 0x80)));
    desktop.setGeometry(0, 0, 1280, 800);
    desktop.show();
    ShowcaseMain main;
    main.setGeometry(40, 40, 760, 500);
    if (which != QLatin1String("dialog"))
        main.show();
    ShowcaseDialog dialog;
    dialog.setGeometry(which == QLatin1String("dialog") ? QRect(40, 40, 640, 480)
                                                        : QRect(600, 270, 640, 480));
    if (which != QLatin1String("main"))
        dialog.show();
    // Ends by itself, so that a screenshot script never waits on it.
    QTimer::singleShot(argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 8000, &app,
                       &QApplication::quit);
    return app.exec();
}
