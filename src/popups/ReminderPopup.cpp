#include "popups/ReminderPopup.h"

#include "chrome/Assets.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "schedule/TimingRules.h"
#include "store/Statements.h"
#include "store/UserNames.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
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

} // namespace

QRegion PopupShape(const QSize& size) {
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

ReminderPopup::ReminderPopup(const PopupContext& context, const PopupStyle& style, QWidget* parent)
    : ReminderWindow(parent, Qt::Window | Qt::FramelessWindowHint), style_(style),
      session_(context.session), reloadLists_(context.reloadLists), closed_(context.closed),
      ADOQuery1(context.session.connectionName), ADOQuery2(context.session.connectionName) {
    setAttribute(Qt::WA_DeleteOnClose);
    // With the main window hidden in the notification area, closing the popup is not the
    // end of the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(style_.caption);
    setWindowIcon(Assets::appIcon());

    content_ = new PopupPanel(this);
    content_->setObjectName(QStringLiteral("Panel1"));
    buildCaption(content_);

    int top = kCaptionHeight;
    picture_ = new QLabel(content_);
    picture_->setObjectName(style_.pictureControlName);
    picture_->setScaledContents(true);
    picture_->setPixmap(Assets::picture(style_.pictureName));
    picture_->setAutoFillBackground(true);
    QPalette white = picture_->palette();
    white.setColor(QPalette::Window, Qt::white);
    picture_->setPalette(white);
    if (style_.pictureOnTop) {
        picture_->setGeometry(1, top, kWidth - 2, 40);
        top += 40;
    }

    top = buildControls(content_, top + 6);

    Label1 = named(new QLabel(QStringLiteral("注：双击查看明细   "), content_), "Label1");
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label1->setPalette(blue);
    Label1->setGeometry(10, top, 300, 18);
    top += 20;

    ListView1 = named(new ReportList(content_), "ListView1");
    ListView1->setCheckBoxes(true);
    ListView1->setColumns(style_.columns);
    ListView1->setFillColumn(1);
    ListView1->setTextColor(Qt::black);
    ListView1->setTextColor(style_.contentColor, 1);
    ListView1->setAccessibleName(style_.caption);
    const int listHeight = style_.pictureOnTop ? 210 : 130;
    ListView1->setGeometry(8, top, kWidth - 16, listHeight);
    connect(ListView1, &ReportList::rowDoubleClicked, this,
            guardedSlot(this, &ReminderPopup::ListView1DblClick));
    top += listHeight + 8;

    if (!style_.pictureOnTop) {
        picture_->setGeometry(1, top, kWidth - 2, 160);
        top += 160 + 1;
    }
    if (!style_.pictureText.isEmpty()) {
        pictureText_ = named(new QLabel(style_.pictureText, picture_), "Label2");
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

    SlideTimer = named(new QTimer(this), "SlideTimer");
    SlideTimer->setInterval(kSlideIntervalMs);
    connect(SlideTimer, &QTimer::timeout, this, guardedSlot(this, &ReminderPopup::SlideTimerTimer));
}

ReminderPopup::~ReminderPopup() = default;

void ReminderPopup::buildCaption(QWidget* content) {
    auto* bar = named(new QWidget(content), "CaptionBar");
    bar->setGeometry(1, 1, kWidth - 2, kCaptionHeight - 1);
    bar->setAutoFillBackground(true);
    QPalette barColours = bar->palette();
    barColours.setColor(QPalette::Window, kCaptionBlue);
    barColours.setColor(QPalette::WindowText, Qt::white);
    barColours.setColor(QPalette::ButtonText, Qt::white);
    bar->setPalette(barColours);
    bar->installEventFilter(this);

    auto* icon = new QLabel(bar);
    icon->setPixmap(Assets::picture(KindIconName(style_.kind)));
    icon->setGeometry(6, (bar->height() - 16) / 2, 16, 16);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    CaptionLabel = named(new QLabel(style_.caption, bar), "CaptionLabel");
    QFont bold = CaptionLabel->font();
    bold.setBold(true);
    CaptionLabel->setFont(bold);
    CaptionLabel->setGeometry(28, 0, 300, bar->height());
    CaptionLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    CloseButton = named(new QToolButton(bar), "CloseButton");
    CloseButton->setText(QStringLiteral("×"));
    CloseButton->setAccessibleName(QStringLiteral("关闭"));
    CloseButton->setToolTip(QStringLiteral("关闭"));
    CloseButton->setAutoRaise(true);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    QFont closeFont = CloseButton->font();
    closeFont.setPointSize(closeFont.pointSize() + 3);
    CloseButton->setFont(closeFont);
    CloseButton->setGeometry(bar->width() - 28, 1, 26, bar->height() - 2);
    connect(CloseButton, &QToolButton::clicked, this, [this] { close(); });
}

int ReminderPopup::buildControls(QWidget* content, int top) {
    auto* choices = new QButtonGroup(this);
    auto radio = [&](const char* name, const QString& text, int x, int width) {
        auto* button = named(new QRadioButton(text, content), name);
        button->setGeometry(x, top, width, 24);
        choices->addButton(button);
        return button;
    };
    RadioButton4 = radio("RadioButton4", QStringLiteral("3分钟"), 12, 66);
    RadioButton5 = radio("RadioButton5", QStringLiteral("5分钟"), 80, 66);
    RadioButton1 = radio("RadioButton1", QStringLiteral("10分钟"), 148, 74);
    RadioButton2 = radio("RadioButton2", QStringLiteral("30分钟"), 224, 74);
    RadioButton3 = radio("RadioButton3", QStringLiteral("60分钟以后提醒"), 300, 130);
    (style_.presetMinutes == 30 ? RadioButton2 : RadioButton1)->setChecked(true);

    btnok = named(new QPushButton(QStringLiteral("我知道了"), content), "btnok");
    btnok->setGeometry(442, top - 1, 82, 27);
    connect(btnok, &QPushButton::clicked, this, guardedSlot(this, &ReminderPopup::btnokClick));
    btnexit = named(new QPushButton(QStringLiteral("退 出"), content), "btnexit");
    btnexit->setGeometry(530, top - 1, 78, 27);
    connect(btnexit, &QPushButton::clicked, this, guardedSlot(this, &ReminderPopup::btnexitClick));

    top += 32;
    CheckBox1 = named(new QCheckBox(QStringLiteral("自定义"), content), "CheckBox1");
    CheckBox1->setGeometry(12, top, 70, 24);
    connect(CheckBox1, &QCheckBox::toggled, this,
            guardedSlot(this, &ReminderPopup::CheckBox1Click));

    customRow_ = new QWidget(content);
    customRow_->setObjectName(style_.customRowName);
    customRow_->setGeometry(84, top - 2, kWidth - 92, 28);
    caption(QStringLiteral("从"), customRow_, 0, 6);
    DateTimePicker1 = named(new QDateEdit(customRow_), "DateTimePicker1");
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setAccessibleName(QStringLiteral("从"));
    DateTimePicker1->setGeometry(18, 2, 112, 24);
    DateTimePicker2 = named(new QTimeEdit(customRow_), "DateTimePicker2");
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm"));
    DateTimePicker2->setAccessibleName(QStringLiteral("开始"));
    DateTimePicker2->setGeometry(134, 2, 66, 24);
    caption(QStringLiteral("开始"), customRow_, 206, 6);
    caption(QStringLiteral("间隔"), customRow_, 250, 6);
    Edit1 = named(new QLineEdit(customRow_), "Edit1");
    Edit1->setMaxLength(4);
    Edit1->setAccessibleName(QStringLiteral("间隔"));
    Edit1->setGeometry(280, 2, 46, 24);
    Edit1->installEventFilter(this);
    ComboBox1 = named(new QComboBox(customRow_), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->addItems(
        {TimingRules::kSecond, TimingRules::kMinute, TimingRules::kHour, TimingRules::kDay});
    ComboBox1->setAccessibleName(QStringLiteral("间隔单位"));
    ComboBox1->setGeometry(330, 2, 58, 24);
    caption(QStringLiteral("/次"), customRow_, 394, 6);
    customRow_->hide();
    return top + 32;
}

void ReminderPopup::FormCreate() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int startTop = area.y() + area.height() - 45;
    bottom_ = startTop + kStartHeight;
    clearMask();
    setGeometry(area.x() + area.width() - kWidth - 7, startTop, kWidth, kStartHeight);
    FormShow();
    SlideTimer->start();
    present();
}

void ReminderPopup::SlideTimerTimer() {
    const QRect now = geometry();
    const int height = now.height() + kSlideStep;
    if (height >= designed_.height()) {
        SlideTimer->stop();
        setGeometry(now.x(), bottom_ - designed_.height(), kWidth, designed_.height());
        FormResize();
        return;
    }
    setGeometry(now.x(), now.y() - kSlideStep, kWidth, height);
}

void ReminderPopup::FormShow() {
    customRow_->hide();
    Edit1->setText(QStringLiteral("5"));
    ComboBox1->setCurrentText(TimingRules::kMinute);
    const QDateTime now = SystemClock::now();
    DateTimePicker1->setDate(now.date());
    DateTimePicker2->setTime(now.time());
    if (!listLoaded_) {
        loadList();
        listLoaded_ = true;
    }
}

void ReminderPopup::loadList() {
    // Names first, in one read; the list only changes once everything is read, so a store
    // that cannot be read leaves it as it was.
    UserNames names;
    if (style_.thirdColumnIsPublisher)
        names = UserNames::read(ADOQuery2);
    ADOQuery1.setStatement(QString::fromUtf8(style_.listStatement));
    ADOQuery1.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    ADOQuery1.open();
    std::vector<QStringList> rows;
    rows.reserve(ADOQuery1.recordCount());
    for (ADOQuery1.first(); !ADOQuery1.atEnd(); ADOQuery1.next()) {
        const QString person =
            style_.thirdColumnIsPublisher
                ? names.nameOf(ADOQuery1.fieldAsInteger(QStringLiteral("ReDOuserID")))
                : ADOQuery1.fieldAsString(QStringLiteral("UserTrueName"));
        rows.push_back({ADOQuery1.fieldAsString(QStringLiteral("KeyID")),
                        ADOQuery1.fieldAsString(QStringLiteral("Redetail")), person});
    }
    ADOQuery1.close();
    // The list statement holds the rows of this popup's kind only: they share its icon.
    ListView1->replaceRows(std::move(rows), QIcon(Assets::picture(KindIconName(style_.kind))));
}

bool ReminderPopup::reloadReminders() {
    loadList();
    listLoaded_ = true;
    return ListView1->count() > 0;
}

void ReminderPopup::FormResize() {
    if (Sliding())
        return;
    setMask(PopupShape(size()));
}

void ReminderPopup::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([this] { FormResize(); });
}

void ReminderPopup::FormClose() {
    SlideTimer->stop();
    if (auto closed = std::exchange(closed_, nullptr))
        closed();
}

void ReminderPopup::closeEvent(QCloseEvent* event) {
    guarded([this] { FormClose(); });
    event->accept();
}

void ReminderPopup::CheckBox1Click() {
    const bool custom = CheckBox1->isChecked();
    for (QRadioButton* choice :
         {RadioButton4, RadioButton5, RadioButton1, RadioButton2, RadioButton3})
        choice->setEnabled(!custom);
    customRow_->setVisible(custom);
}

bool ReminderPopup::Edit1KeyPress(QChar key) {
    return key == QLatin1Char('\b') || key == QLatin1Char('.') ||
           (key >= QLatin1Char('0') && key <= QLatin1Char('9'));
}

bool ReminderPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Keys that type nothing (arrows, Home, Delete) move and delete as usual.
            if (!key->text().isEmpty() && key->key() != Qt::Key_Delete &&
                !Edit1KeyPress(key->text().front()))
                return true;
        } else if (event->type() == QEvent::InputMethod) {
            // Text composed by an input method is held to the same characters.
            const auto* input = static_cast<QInputMethodEvent*>(event);
            for (QChar c : input->commitString())
                if (!Edit1KeyPress(c))
                    return true;
        }
        return false;
    }
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
    for (int row = 0; row < ListView1->count(); ++row)
        if (ListView1->isChecked(row))
            rows << row;
    return rows;
}

int ReminderPopup::ChosenMinutes() const {
    if (RadioButton4->isChecked())
        return 3;
    if (RadioButton5->isChecked())
        return 5;
    if (RadioButton2->isChecked())
        return 30;
    if (RadioButton3->isChecked())
        return 60;
    return 10;
}

void ReminderPopup::btnokClick() {
    const QList<int> rows = tickedRows();
    if (rows.isEmpty()) {
        MessageBoxes::information(style_.nothingTickedNotice);
        return;
    }
    if (!MessageBoxes::question(kAcknowledgeQuestion))
        return;
    for (int row : rows) {
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kAcknowledge));
        ADOQuery1.bindText(QStringLiteral("p"), ListView1->caption(row));
        ADOQuery1.execute();
    }
    const std::function<void()> reload = reloadLists_;
    close();
    if (reload)
        reload();
}

void ReminderPopup::btnexitClick() {
    const QList<int> rows = tickedRows();
    if (!rows.isEmpty() && CheckBox1->isChecked()) {
        const QString number = TextConvert::trim(Edit1->text());
        const QString unit = TextConvert::trim(ComboBox1->currentText());
        const std::optional<qint64> totalTime =
            TimingRules::postponeTotalTime(TextConvert::toInt(number), unit);
        if (!totalTime) {
            MessageBoxes::information(TimingRules::kBadUnitMessage);
            return;
        }
        const QString start =
            TimingRules::pickedMomentText(DateTimePicker1->date(), DateTimePicker2->time());
        for (int row : rows) {
            ADOQuery1.setStatement(QString::fromUtf8(Statements::kPostponeCustom));
            ADOQuery1.bindText(QStringLiteral("p4"), start);
            ADOQuery1.bindText(QStringLiteral("p1"), number);
            ADOQuery1.bindText(QStringLiteral("p2"), unit);
            ADOQuery1.bindLargeInt(QStringLiteral("p5"), *totalTime);
            ADOQuery1.bindText(QStringLiteral("p3"), ListView1->caption(row));
            ADOQuery1.execute();
        }
    } else if (!rows.isEmpty()) {
        const int minutes = ChosenMinutes();
        for (int row : rows) {
            ADOQuery1.setStatement(QString::fromUtf8(Statements::kPostponeFixed));
            ADOQuery1.bindSmallInt(QStringLiteral("p1"), static_cast<qint16>(minutes));
            ADOQuery1.bindText(QStringLiteral("p2"), TimingRules::kMinute);
            ADOQuery1.bindLargeInt(QStringLiteral("p4"), minutes * 60);
            ADOQuery1.bindText(QStringLiteral("p3"), ListView1->caption(row));
            ADOQuery1.execute();
        }
    }
    close();
}

void ReminderPopup::ListView1DblClick() {
    const int row = ListView1->selectedRow();
    if (row < 0)
        return;
    // Each text people entered stands apart, so that none can reorder the others.
    MessageBoxes::detail(QStringLiteral("【发布人】") + isolatedText(ListView1->subItem(row, 1)) +
                         QStringLiteral("\r\r【内容】\r\r\n") +
                         isolatedText(ListView1->subItem(row, 0)));
}
