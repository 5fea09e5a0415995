#include "popups/ReminderPopup.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformChoice.h"
#include "platform/TextConvert.h"
#include "schedule/IntervalInput.h"
#include "schedule/TimingRules.h"
#include "schedule/YearlyReminders.h"
#include "store/ReminderRollOver.h"
#include "store/Statements.h"
#include "store/UserNames.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

const QColor kPanelGrey(224, 224, 224);
const QColor kCaptionBlue(52, 101, 164);
const QString kAcknowledgeQuestion = QStringLiteral("该动作后该消息将不再提醒，确定吗?");

// The whole window's panel: light grey with a thin darker outline, so that the borderless
// window stands out against whatever lies behind it.
class PopupPanel final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kPanelGrey);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* caption(const QString& text, QWidget* parent, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

using Column = ReportList::Column;

// Every popup lists its reminders in the same three columns: the key, the content and a
// person.
std::vector<ReportList::ColumnSetup> listColumns() {
    return {{Column::Key, QStringLiteral("编号"), 60},
            {Column::Content, QStringLiteral("内容"), 430},
            {Column::Person, QStringLiteral("提醒人"), 100}};
}

} // namespace

QRegion popupShape(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    // The rounded rectangle reaches one pixel beyond the right edge, so its right corner is
    // cut by a single pixel where the left one loses two.
    QRegion round(2, 0, w - 3, 1);
    round += QRegion(1, 1, w, 1);
    round += QRegion(0, 2, w + 1, std::max(0, h - 2));
    QRegion shape = round.united(QRegion(0, 11, w, std::max(0, h - 11)));
    return shape.intersected(QRegion(0, 0, w, h));
}

ReminderPopup::ReminderPopup(const PopupContext& context, QWidget* parent)
    : ReminderWindow(parent, Qt::Window | Qt::FramelessWindowHint),
      style_(describe(context.kind).popup), session_(context.session),
      reloadLists_(context.reloadLists), closed_(context.closed),
      remindersQuery_(context.session.connectionName), namesQuery_(context.session.connectionName) {
    setAttribute(Qt::WA_DeleteOnClose);
    // With the main window hidden in the notification area, closing the popup is not the
    // end of the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QString::fromUtf8(style_.caption));
    setWindowIcon(Assets::appIcon());

    content_ = new PopupPanel(this);
    content_->setObjectName(QStringLiteral("content"));
    buildCaption(content_);

    int top = kCaptionHeight;
    picture_ = new QLabel(content_);
    picture_->setObjectName(QStringLiteral("pictureLabel"));
    picture_->setScaledContents(true);
    picture_->setPixmap(Assets::picture(QString::fromLatin1(style_.picture)));
    picture_->setAutoFillBackground(true);
    QPalette white = picture_->palette();
    white.setColor(QPalette::Window, Qt::white);
    picture_->setPalette(white);
    if (style_.pictureOnTop) {
        picture_->setGeometry(1, top, kWidth - 2, 40);
        top += 40;
    }

    top = buildControls(content_, top + 6);

    hintLabel = named(new QLabel(QStringLiteral("注：双击查看明细   "), content_), "hintLabel");
    QPalette blue = hintLabel->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    hintLabel->setPalette(blue);
    hintLabel->setGeometry(10, top, 300, 18);
    top += 20;

    reminderList = named(new ReportList(content_), "reminderList");
    reminderList->setCheckBoxes(true);
    reminderList->setColumns(listColumns());
    reminderList->setFillColumn(Column::Content);
    reminderList->setTextColor(Qt::black);
    reminderList->setTextColor(QColor::fromRgb(style_.contentColor), Column::Content);
    reminderList->setAccessibleName(QString::fromUtf8(style_.caption));
    const int listHeight = style_.pictureOnTop ? 210 : 130;
    reminderList->setGeometry(8, top, kWidth - 16, listHeight);
    connect(reminderList, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &ReminderPopup::showSelectedDetails));
    top += listHeight + 8;

    if (!style_.pictureOnTop) {
        picture_->setGeometry(1, top, kWidth - 2, 160);
        top += 160 + 1;
    }
    if (*style_.pictureText != '\0') {
        pictureText_ =
            named(new QLabel(QString::fromUtf8(style_.pictureText), picture_), "greetingLabel");
        QFont big = pictureText_->font();
        big.setPointSize(30);
        big.setBold(true);
        pictureText_->setFont(big);
        QPalette yellow = pictureText_->palette();
        yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
        pictureText_->setPalette(yellow);
        pictureText_->setAlignment(Qt::AlignCenter);
        pictureText_->setGeometry(0, 0, picture_->width(), picture_->height());
        // Yellow letters stay readable on a light part of the picture too.
        auto* shadow = new QGraphicsDropShadowEffect(pictureText_);
        shadow->setOffset(2, 2);
        shadow->setBlurRadius(4);
        shadow->setColor(QColor(120, 60, 0));
        pictureText_->setGraphicsEffect(shadow);
    }

    designed_ = QSize(kWidth, top);
    content_->setGeometry(0, 0, designed_.width(), designed_.height());
    setMinimumSize(kWidth, kStartHeight);
    setMaximumSize(designed_);
    resize(designed_);

    slideTimer = named(new QTimer(this), "slideTimer");
    slideTimer->setInterval(kSlideIntervalMs);
    connect(slideTimer, &QTimer::timeout, this, guardedSlot(this, &ReminderPopup::slideStep));
}

ReminderPopup::~ReminderPopup() = default;

void ReminderPopup::buildCaption(QWidget* content) {
    auto* bar = named(new QWidget(content), "captionBar");
    bar->setGeometry(1, 1, kWidth - 2, kCaptionHeight - 1);
    bar->setAutoFillBackground(true);
    QPalette barColours = bar->palette();
    barColours.setColor(QPalette::Window, kCaptionBlue);
    barColours.setColor(QPalette::WindowText, Qt::white);
    barColours.setColor(QPalette::ButtonText, Qt::white);
    bar->setPalette(barColours);
    bar->installEventFilter(this);

    auto* icon = new QLabel(bar);
    icon->setPixmap(Assets::picture(QString::fromLatin1(style_.icon)));
    icon->setGeometry(6, (bar->height() - 16) / 2, 16, 16);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    captionLabel = named(new QLabel(QString::fromUtf8(style_.caption), bar), "captionLabel");
    QFont bold = captionLabel->font();
    bold.setBold(true);
    captionLabel->setFont(bold);
    captionLabel->setGeometry(28, 0, 300, bar->height());
    captionLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    closeButton = named(new QToolButton(bar), "closeButton");
    closeButton->setText(QStringLiteral("×"));
    closeButton->setAccessibleName(QStringLiteral("关闭"));
    closeButton->setToolTip(QStringLiteral("关闭"));
    closeButton->setAutoRaise(true);
    closeButton->setFocusPolicy(Qt::NoFocus);
    QFont closeFont = closeButton->font();
    closeFont.setPointSize(closeFont.pointSize() + 3);
    closeButton->setFont(closeFont);
    closeButton->setGeometry(bar->width() - 28, 1, 26, bar->height() - 2);
    connect(closeButton, &QToolButton::clicked, this, [this] { close(); });
}

int ReminderPopup::buildControls(QWidget* content, int top) {
    auto* choices = new QButtonGroup(this);
    auto radio = [&](const char* name, const QString& text, int x, int width) {
        auto* button = named(new QRadioButton(text, content), name);
        button->setGeometry(x, top, width, 24);
        choices->addButton(button);
        return button;
    };
    threeMinutesButton = radio("threeMinutesButton", QStringLiteral("3分钟"), 12, 66);
    fiveMinutesButton = radio("fiveMinutesButton", QStringLiteral("5分钟"), 80, 66);
    tenMinutesButton = radio("tenMinutesButton", QStringLiteral("10分钟"), 148, 74);
    thirtyMinutesButton = radio("thirtyMinutesButton", QStringLiteral("30分钟"), 224, 74);
    sixtyMinutesButton = radio("sixtyMinutesButton", QStringLiteral("60分钟以后提醒"), 300, 130);
    (style_.presetMinutes == 30 ? thirtyMinutesButton : tenMinutesButton)->setChecked(true);

    acknowledgeButton =
        named(new QPushButton(QStringLiteral("我知道了"), content), "acknowledgeButton");
    acknowledgeButton->setGeometry(442, top - 1, 82, 27);
    connect(acknowledgeButton, &QPushButton::clicked, this,
            guardedSlot(this, &ReminderPopup::acknowledgeTicked));
    exitButton = named(new QPushButton(QStringLiteral("退 出"), content), "exitButton");
    exitButton->setGeometry(530, top - 1, 78, 27);
    connect(exitButton, &QPushButton::clicked, this,
            guardedSlot(this, &ReminderPopup::postponeTicked));

    top += 32;
    customCheckBox = named(new QCheckBox(QStringLiteral("自定义"), content), "customCheckBox");
    customCheckBox->setGeometry(12, top, 70, 24);
    connect(customCheckBox, &QCheckBox::toggled, this,
            guardedSlot(this, &ReminderPopup::onCustomToggled));

    customRow_ = new QWidget(content);
    customRow_->setObjectName(QStringLiteral("customPostponeRow"));
    customRow_->setGeometry(84, top - 2, kWidth - 92, 28);
    caption(QStringLiteral("从"), customRow_, 0, 6);
    startDateEdit = named(new QDateEdit(customRow_), "startDateEdit");
    startDateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    startDateEdit->setCalendarPopup(true);
    startDateEdit->setAccessibleName(QStringLiteral("从"));
    startDateEdit->setGeometry(18, 2, 112, 24);
    startTimeEdit = named(new QTimeEdit(customRow_), "startTimeEdit");
    startTimeEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    startTimeEdit->setAccessibleName(QStringLiteral("开始"));
    startTimeEdit->setGeometry(134, 2, 66, 24);
    caption(QStringLiteral("开始"), customRow_, 206, 6);
    caption(QStringLiteral("间隔"), customRow_, 250, 6);
    intervalEdit = named(new QLineEdit(customRow_), "intervalEdit");
    intervalEdit->setMaxLength(4);
    intervalEdit->setAccessibleName(QStringLiteral("间隔"));
    intervalEdit->setGeometry(280, 2, 46, 24);
    IntervalInput::restrictNumber(intervalEdit);
    intervalUnitCombo = named(new QComboBox(customRow_), "intervalUnitCombo");
    IntervalInput::fillUnits(intervalUnitCombo);
    intervalUnitCombo->setAccessibleName(QStringLiteral("间隔单位"));
    intervalUnitCombo->setGeometry(330, 2, 58, 24);
    caption(QStringLiteral("/次"), customRow_, 394, 6);
    customRow_->hide();
    return top + 32;
}

void ReminderPopup::showAndSlideIn() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int startTop = area.y() + area.height() - 45;
    bottom_ = startTop + kStartHeight;
    clearMask();
    setGeometry(area.x() + area.width() - kWidth - 7, startTop, kWidth, kStartHeight);
    applyDefaults();
    if (PlatformChoice::canPlaceWindows(QGuiApplication::platformName())) {
        slideTimer->start();
    } else {
        // The window system puts the window where it likes: a slide would only be a growing
        // window somewhere on the screen, so it comes up whole.
        takeDesignedSize();
    }
    present();
}

void ReminderPopup::slideStep() {
    const QRect now = geometry();
    const int height = now.height() + kSlideStep;
    if (height >= designed_.height()) {
        slideTimer->stop();
        takeDesignedSize();
        return;
    }
    setGeometry(now.x(), now.y() - kSlideStep, kWidth, height);
}

void ReminderPopup::takeDesignedSize() {
    setGeometry(x(), bottom_ - designed_.height(), kWidth, designed_.height());
    updateShape();
}

void ReminderPopup::applyDefaults() {
    customRow_->hide();
    intervalEdit->setText(QStringLiteral("5"));
    IntervalInput::showUnit(intervalUnitCombo, TimingRules::kMinute);
    const QDateTime now = SystemClock::now();
    startDateEdit->setDate(now.date());
    startTimeEdit->setTime(now.time());
    if (!listLoaded_)
        loadList();
}

void ReminderPopup::loadList() {
    // The counter first, so that a change made while the list is read is found by the next
    // refresh.
    const std::optional<qint64> readAt = Connection::changeCounter(session_.connectionName);
    // Names first, in one read; the list only changes once everything is read, so a store
    // that cannot be read leaves it as it was.
    UserNames names;
    if (style_.publisherInThirdColumn)
        names = UserNames::read(namesQuery_);
    remindersQuery_.setStatement(QString::fromUtf8(style_.listStatement));
    remindersQuery_.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    remindersQuery_.open();
    std::vector<ReportList::Row> rows;
    rows.reserve(remindersQuery_.recordCount());
    QSet<QString> repeating;
    const bool repetitionsKept = remindersQuery_.hasField(QStringLiteral("ReRepeat"));
    const QDateTime now = SystemClock::now();
    for (remindersQuery_.first(); !remindersQuery_.atEnd(); remindersQuery_.next()) {
        const QString key = remindersQuery_.fieldAsString(QStringLiteral("KeyID"));
        if (repetitionsKept &&
            YearlyReminders::repetitionOf(
                static_cast<int>(remindersQuery_.fieldAsInteger(QStringLiteral("Retype"))),
                remindersQuery_.fieldAsString(QStringLiteral("ReRepeat")))) {
            // Next year's occurrence waits for its day: acknowledged now, it would skip a year.
            if (!TimingRules::isDue(remindersQuery_.fieldAsDateTime(QStringLiteral("ReBeginTime")),
                                    now))
                continue;
            repeating.insert(key);
        }
        const QString person =
            style_.publisherInThirdColumn
                ? names.nameOf(remindersQuery_.fieldAsInteger(QStringLiteral("ReDOuserID")))
                : remindersQuery_.fieldAsString(QStringLiteral("UserTrueName"));
        rows.push_back(reminderList->row(
            {{Column::Key, key},
             {Column::Content, remindersQuery_.fieldAsString(QStringLiteral("Redetail"))},
             {Column::Person, person}}));
    }
    remindersQuery_.close();
    repeatingKeys_ = std::move(repeating);
    // The list statement holds the rows of this popup's kind only: they share its icon.
    reminderList->replaceRows(std::move(rows),
                              QIcon(Assets::picture(QString::fromLatin1(style_.icon))));
    listLoaded_ = true;
    listReadAt_ = readAt;
}

bool ReminderPopup::refreshReminders() {
    // Thousands of rows read again at every repeat tick would hold up the window, and could
    // take a tick the user was just giving: only a change brings them.
    if (!listLoaded_ || !listReadAt_ ||
        Connection::changeCounter(session_.connectionName) != listReadAt_)
        loadList();
    return reminderList->count() > 0;
}

void ReminderPopup::updateShape() {
    if (isSliding())
        return;
    setMask(popupShape(size()));
}

void ReminderPopup::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([this] { updateShape(); });
}

void ReminderPopup::onClosed() {
    slideTimer->stop();
    if (auto closed = std::exchange(closed_, nullptr))
        closed();
}

void ReminderPopup::closeEvent(QCloseEvent* event) {
    guarded([this] { onClosed(); });
    event->accept();
}

void ReminderPopup::onCustomToggled() {
    const bool custom = customCheckBox->isChecked();
    for (QRadioButton* choice : {threeMinutesButton, fiveMinutesButton, tenMinutesButton,
                                 thirtyMinutesButton, sixtyMinutesButton})
        choice->setEnabled(!custom);
    customRow_->setVisible(custom);
}

bool ReminderPopup::eventFilter(QObject* watched, QEvent* event) {
    // The caption bar moves the borderless window.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const bool systemMove = windowHandle() && windowHandle()->startSystemMove();
            dragging_ = !systemMove;
            dragOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
    } else if (event->type() == QEvent::MouseMove && dragging_) {
        move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
        return true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        dragging_ = false;
    }
    return QWidget::eventFilter(watched, event);
}

QList<int> ReminderPopup::tickedRows() const {
    QList<int> rows;
    for (int row = 0; row < reminderList->count(); ++row)
        if (reminderList->isChecked(row))
            rows << row;
    return rows;
}

int ReminderPopup::chosenMinutes() const {
    if (threeMinutesButton->isChecked())
        return 3;
    if (fiveMinutesButton->isChecked())
        return 5;
    if (thirtyMinutesButton->isChecked())
        return 30;
    if (sixtyMinutesButton->isChecked())
        return 60;
    return 10;
}

void ReminderPopup::acknowledgeTicked() {
    const QList<int> rows = tickedRows();
    if (rows.isEmpty()) {
        MessageBoxes::information(QString::fromUtf8(style_.nothingTickedNotice));
        return;
    }
    if (!MessageBoxes::question(kAcknowledgeQuestion))
        return;
    for (int row : rows) {
        const QString key = reminderList->text(row, Column::Key);
        if (repeatingKeys_.contains(key)) {
            // History now, and next year's occurrence pending, in one transaction.
            ReminderRollOver::acknowledge(session_.connectionName, key,
                                          YearlyReminders::nextOccurrenceAt(SystemClock::now()));
            continue;
        }
        remindersQuery_.setStatement(QString::fromUtf8(Statements::kAcknowledge));
        remindersQuery_.bindText(QStringLiteral("p"), key);
        remindersQuery_.execute();
    }
    const std::function<void()> reload = reloadLists_;
    close();
    if (reload)
        reload();
}

void ReminderPopup::postponeTicked() {
    const QList<int> rows = tickedRows();
    if (!rows.isEmpty() && customCheckBox->isChecked()) {
        const QString number = TextConvert::trim(intervalEdit->text());
        const QString unit = IntervalInput::storedUnit(intervalUnitCombo).value_or(QString());
        const std::optional<qint64> totalTime =
            TimingRules::postponeTotalTime(TextConvert::toInt(number), unit);
        if (!totalTime) {
            MessageBoxes::information(TimingRules::kBadUnitMessage);
            return;
        }
        const QString start =
            TimingRules::pickedMomentText(startDateEdit->date(), startTimeEdit->time());
        for (int row : rows) {
            remindersQuery_.setStatement(QString::fromUtf8(Statements::kPostponeCustom));
            remindersQuery_.bindText(QStringLiteral("p4"), start);
            remindersQuery_.bindText(QStringLiteral("p1"), number);
            remindersQuery_.bindText(QStringLiteral("p2"), unit);
            remindersQuery_.bindLargeInt(QStringLiteral("p5"), *totalTime);
            remindersQuery_.bindText(QStringLiteral("p3"), reminderList->text(row, Column::Key));
            remindersQuery_.execute();
        }
    } else if (!rows.isEmpty()) {
        const int minutes = chosenMinutes();
        for (int row : rows) {
            remindersQuery_.setStatement(QString::fromUtf8(Statements::kPostponeFixed));
            remindersQuery_.bindSmallInt(QStringLiteral("p1"), static_cast<qint16>(minutes));
            remindersQuery_.bindText(QStringLiteral("p2"), TimingRules::kMinute);
            remindersQuery_.bindLargeInt(QStringLiteral("p4"), minutes * 60);
            remindersQuery_.bindText(QStringLiteral("p3"), reminderList->text(row, Column::Key));
            remindersQuery_.execute();
        }
    }
    close();
}

void ReminderPopup::showSelectedDetails() {
    const int row = reminderList->selectedRow();
    if (row < 0)
        return;
    // Each text people entered stands apart, so that none can reorder the others.
    MessageBoxes::detail(QStringLiteral("【发布人】") +
                         isolatedText(reminderList->text(row, Column::Person)) +
                         QStringLiteral("\r\r【内容】\r\r\n") +
                         isolatedText(reminderList->text(row, Column::Content)));
}
