#include "entry/TFrmEntry.h"

#include "chrome/Assets.h"
#include "chrome/HeadingBanner.h"
#include "chrome/PictureBox.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "schedule/TimingRules.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* makeLabel(const QString& text, const char* name, QWidget* parent) {
    return named(new QLabel(text, parent), name);
}

void paintText(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette colors = widget->palette();
    colors.setColor(role, color);
    widget->setPalette(colors);
}

// Painting of a list is suspended for as long as this lives, whatever leaves the scope.
class PaintingSuspended {
public:
    explicit PaintingSuspended(QWidget* widget) : widget_(widget) {
        widget_->setUpdatesEnabled(false);
    }
    ~PaintingSuspended() { widget_->setUpdatesEnabled(true); }
    PaintingSuspended(const PaintingSuspended&) = delete;
    PaintingSuspended& operator=(const PaintingSuspended&) = delete;

private:
    QWidget* widget_;
};

// Pending window events run, but no user input: a click on Save must not start a second save
// inside the list loading of the first.
void letPendingEventsRun() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

bool IntervalKeyPasses(QChar typed) {
    if (typed == QChar(8) || typed == QLatin1Char('.'))
        return true;
    if (typed >= QLatin1Char('0') && typed <= QLatin1Char('9'))
        return true;
    return typed.unicode() < 32 || typed.unicode() == 127;
}

TFrmEntry::TFrmEntry(Session& session, std::function<void()> reloadLists, EntryDesign design,
                     QWidget* parent)
    : DialogShell(parent), session_(session), ADOQuery1(session.connectionName),
      design_(std::move(design)), reloadLists_(std::move(reloadLists)) {
    setObjectName(design_.objectName);
    buildControls();
    FormCreate();
}

TFrmEntry::~TFrmEntry() = default;

void TFrmEntry::buildControls() {
    setWindowTitle(design_.title);
    Label1 = named(placeTitleLabel(new QLabel(design_.title)), "Label1");

    auto* client = new QVBoxLayout(clientArea);
    client->setContentsMargins(8, 6, 8, 8);
    client->setSpacing(8);
    client->addWidget(buildBanner());
    client->addLayout(buildSettingsRow());
    client->addWidget(buildMiddle(), 1);
    client->addLayout(buildButtonRow());

    connect(Memo1, &QPlainTextEdit::textChanged, this, &TFrmEntry::forgetSavedRecipients);
    connect(Edit1, &QLineEdit::textChanged, this, &TFrmEntry::forgetSavedRecipients);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TFrmEntry::forgetSavedRecipients);
    for (QRadioButton* choice : {RadioButton2, RadioButton3})
        if (choice)
            connect(choice, &QRadioButton::toggled, this, &TFrmEntry::forgetSavedRecipients);
    if (DateTimePicker1) {
        connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TFrmEntry::forgetSavedRecipients);
        connect(DateTimePicker2, &QTimeEdit::timeChanged, this, &TFrmEntry::forgetSavedRecipients);
    }

    resize(700, 520);
}

QWidget* TFrmEntry::buildBanner() {
    if (design_.heading.isEmpty()) {
        Panel1 = named(new QWidget(clientArea), "Panel1");
        Panel1->setFixedHeight(HeadingBanner::kHeight);
        Panel1->setAutoFillBackground(true);
        paintText(Panel1, QPalette::Window, Qt::white);
        auto* row = new QHBoxLayout(Panel1);
        row->setContentsMargins(0, 0, 0, 0);
        Image2 = named(new PictureBox(PictureBox::Fit::Stretch, Panel1), "Image2");
        Image2->setPicture(Assets::picture(design_.bannerPicture));
        row->addWidget(Image2, 1);
        return Panel1;
    }
    Label22 = makeLabel(design_.heading, "Label22", clientArea);
    Image1 = named(new PictureBox(PictureBox::Fit::Natural, clientArea), "Image1");
    Panel1 =
        named(HeadingBanner::make(clientArea, Label22, Image1, design_.bannerPicture), "Panel1");
    return Panel1;
}

QLayout* TFrmEntry::buildSettingsRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    Label5 = makeLabel(QStringLiteral("提醒设置->"), "Label5", clientArea);
    row->addWidget(Label5);

    if (design_.start != StartChoice::PickedOnly) {
        RadioButton2 = named(new QRadioButton(QStringLiteral("现在"), clientArea), "RadioButton2");
        row->addWidget(RadioButton2);
    }
    if (design_.start != StartChoice::NowOnly) {
        RadioButton3 =
            named(new QRadioButton(QStringLiteral("自由设置"), clientArea), "RadioButton3");
        row->addWidget(RadioButton3);

        DateTimePicker1 = named(new QDateEdit(clientArea), "DateTimePicker1");
        DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        DateTimePicker1->setCalendarPopup(true);
        DateTimePicker1->setAccessibleName(QStringLiteral("开始日期"));
        DateTimePicker1->setMinimumWidth(110);
        row->addWidget(DateTimePicker1);

        DateTimePicker2 = named(new QTimeEdit(clientArea), "DateTimePicker2");
        DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm"));
        DateTimePicker2->setAccessibleName(QStringLiteral("开始时间"));
        DateTimePicker2->setMinimumWidth(70);
        row->addWidget(DateTimePicker2);
    }

    Label7 = makeLabel(design_.intervalCaption, "Label7", clientArea);
    row->addWidget(Label7);

    Edit1 = named(new QLineEdit(clientArea), "Edit1");
    Edit1->setMaxLength(4);
    Edit1->setFixedWidth(48);
    Edit1->setAccessibleName(QStringLiteral("间隔"));
    Edit1->installEventFilter(this);
    Label7->setBuddy(Edit1);
    row->addWidget(Edit1);

    ComboBox1 = named(new QComboBox(clientArea), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->addItems(
        {TimingRules::kSecond, TimingRules::kMinute, TimingRules::kHour, TimingRules::kDay});
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setFixedWidth(60);
    ComboBox1->setAccessibleName(QStringLiteral("间隔单位"));
    row->addWidget(ComboBox1);

    Label3 = makeLabel(QStringLiteral("/次"), "Label3", clientArea);
    row->addWidget(Label3);
    row->addStretch(1);

    if (design_.label4Place == Label4Place::SettingsRow) {
        Label4 = makeLabel(design_.label4Text, "Label4", clientArea);
        row->addWidget(Label4);
    }
    if (!design_.label6Text.isEmpty()) {
        Label6 = makeLabel(design_.label6Text, "Label6", clientArea);
        paintText(Label6, QPalette::WindowText, Qt::red);
        row->addWidget(Label6);
    }

    if (RadioButton2)
        connect(RadioButton2, &QRadioButton::toggled, this,
                guardedSlot(this, &TFrmEntry::RadioButton2Click));
    // The only choice of a picked-start dialog has no handler: its pickers are always on.
    if (RadioButton3 && RadioButton2)
        connect(RadioButton3, &QRadioButton::toggled, this,
                guardedSlot(this, &TFrmEntry::RadioButton3Click));
    connect(Edit1, &QLineEdit::textEdited, this,
            [this](const QString& text) { guarded([this, &text] { Edit1Edited(text); }); });
    return row;
}

QWidget* TFrmEntry::buildMiddle() {
    ListView1 = named(new ReportList(clientArea), "ListView1");
    ListView1->setCheckBoxes(true);
    ListView1->setColumns({{QStringLiteral("人员"), 150}, {QStringLiteral("KEY"), 0}});
    ListView1->setAccessibleName(QStringLiteral("提醒人员"));

    GroupBox1 = named(new QGroupBox(QStringLiteral("提醒内容"), clientArea), "GroupBox1");
    auto* frame = new QVBoxLayout(GroupBox1);
    frame->setContentsMargins(6, 6, 6, 6);
    Memo1 = named(new QPlainTextEdit(GroupBox1), "Memo1");
    Memo1->setAccessibleName(GroupBox1->title());
    paintText(Memo1, QPalette::Text, Qt::blue);
    frame->addWidget(Memo1);
    connect(Memo1, &QPlainTextEdit::textChanged, this, guardedSlot(this, &TFrmEntry::Memo1Change));

    if (design_.save.updateExisting) {
        Edit2 = named(new QLineEdit(clientArea), "Edit2");
        Edit2->setAccessibleName(QStringLiteral("提醒编号"));
        Edit2->hide();
    }

    if (!design_.listVisible) {
        ListView1->hide();
        return GroupBox1;
    }

    Splitter1 = named(new QSplitter(Qt::Horizontal, clientArea), "Splitter1");
    Splitter1->setChildrenCollapsible(false);
    auto* left = new QWidget(Splitter1);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    if (design_.label4Place == Label4Place::AboveList) {
        Label4 = makeLabel(design_.label4Text, "Label4", left);
        Label4->setBuddy(ListView1);
        column->addWidget(Label4);
    }
    column->addWidget(ListView1, 1);
    // Wide enough for the name column and a scroll bar, no wider: the key column is hidden.
    left->setMinimumWidth(120);
    Splitter1->addWidget(left);
    Splitter1->addWidget(GroupBox1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({176, 494});
    return Splitter1;
}

QLayout* TFrmEntry::buildButtonRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    if (!design_.clearAllCaption.isEmpty()) {
        SpeedButton1 = named(new QPushButton(QStringLiteral("全选"), clientArea), "SpeedButton1");
        SpeedButton2 = named(new QPushButton(design_.clearAllCaption, clientArea), "SpeedButton2");
        for (QPushButton* button : {SpeedButton1, SpeedButton2}) {
            button->setFlat(true);
            button->setAutoDefault(false);
            row->addWidget(button);
        }
        connect(SpeedButton1, &QPushButton::clicked, this,
                guardedSlot(this, &TFrmEntry::SpeedButton1Click));
        connect(SpeedButton2, &QPushButton::clicked, this,
                guardedSlot(this, &TFrmEntry::SpeedButton2Click));
    }
    if (design_.label4Place == Label4Place::ButtonRow) {
        Label4 = makeLabel(design_.label4Text, "Label4", clientArea);
        paintText(Label4, QPalette::WindowText, Qt::red);
        row->addWidget(Label4);
    }
    row->addStretch(1);

    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                    QStringLiteral("保存"), clientArea),
                    "BitBtn1");
    BitBtn2 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("退出"), clientArea),
                    "BitBtn2");
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(80);
        row->addWidget(button);
    }
    connect(BitBtn1, &QPushButton::clicked, this, guardedSlot(this, &TFrmEntry::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guardedSlot(this, &TFrmEntry::BitBtn2Click));
    return row;
}

void TFrmEntry::FormCreate() {
    const QDateTime now = SystemClock::now();
    if (DateTimePicker1) {
        DateTimePicker1->setDate(now.date());
        DateTimePicker2->setTime(now.time());
    }
    if (RadioButton2)
        RadioButton2->setChecked(true);
    else
        RadioButton3->setChecked(true);
    updatePickers();
    Edit1->setText(QStringLiteral("5"));
    ComboBox1->setCurrentIndex(1);
    if (Edit2)
        Edit2->clear();
    Memo1->setPlainText(design_.placeholder);
    // Last: putting the placeholder in is a change of the memo, which enables Save.
    BitBtn1->setEnabled(false);
}

void TFrmEntry::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the minimised state is shown again by the window system; the
    // list is only loaded when the dialog itself is shown.
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TFrmEntry::FormShow() {
    if (design_.focusMemoOnShow)
        Memo1->setFocus();
    if (design_.loadOnShow)
        LoadRecipientList();
}

void TFrmEntry::LoadRecipientList() {
    ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    ADOQuery1.open();
    letPendingEventsRun();
    {
        PaintingSuspended suspended(ListView1);
        ListView1->clear();
        const QIcon icon =
            design_.rowIcons ? QIcon(Assets::picture(QStringLiteral("listUser"))) : QIcon();
        for (ADOQuery1.first(); !ADOQuery1.atEnd(); ADOQuery1.next()) {
            const int row =
                ListView1->addRow({ADOQuery1.fieldAsString(QStringLiteral("UserTrueName")),
                                   ADOQuery1.fieldAsString(QStringLiteral("keyid"))},
                                  icon);
            if (!design_.listVisible)
                ListView1->setChecked(row, true);
        }
    }
    letPendingEventsRun();
}

void TFrmEntry::updatePickers() {
    if (!DateTimePicker1)
        return;
    const bool picked = RadioButton3->isChecked();
    DateTimePicker1->setEnabled(picked);
    DateTimePicker2->setEnabled(picked);
}

void TFrmEntry::RadioButton2Click() {
    updatePickers();
}

void TFrmEntry::RadioButton3Click() {
    updatePickers();
}

bool TFrmEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        for (const QChar c : typed)
            if (!IntervalKeyPasses(c))
                return true;
    }
    return DialogShell::eventFilter(watched, event);
}

void TFrmEntry::Edit1Edited(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))
            kept += c;
    if (kept == text)
        return;
    const int dropped = static_cast<int>(text.size() - kept.size());
    const int cursor = std::max(0, Edit1->cursorPosition() - dropped);
    Edit1->setText(kept);
    Edit1->setCursorPosition(std::min(cursor, static_cast<int>(kept.size())));
}

void TFrmEntry::SpeedButton1Click() {
    ListView1->setAllChecked(true);
}

void TFrmEntry::SpeedButton2Click() {
    ListView1->setAllChecked(false);
}

void TFrmEntry::Memo1Change() {
    BitBtn1->setEnabled(true);
}

void TFrmEntry::BitBtn2Click() {
    close();
}

void TFrmEntry::BitBtn1Click() {
    const SavePlan& plan = design_.save;
    const int tickedCount = ListView1->checkedCount();
    if (tickedCount == 0 && !plan.noRecipientMessage.isEmpty()) {
        MessageBoxes::information(plan.noRecipientMessage);
        return;
    }
    // An edit dialog whose reminder was gone when it opened has no row to rewrite; that is what
    // the user must hear, not a complaint about the empty unit it opened with.
    if (plan.updateExisting && TextConvert::trim(Edit2->text()).isEmpty()) {
        MessageBoxes::information(QStringLiteral("请选择一条记录进行操作！"));
        return;
    }
    if (plan.secondsMinimum) {
        const QString number =
            TimingRules::applySecondsMinimum(Edit1->text(), ComboBox1->currentText());
        if (number != Edit1->text())
            Edit1->setText(number);
    }
    // A unit outside the four would be stored without a sort key and never pop up at a
    // sensible pace; it is refused before anything is asked or written.
    const QString unit = TextConvert::trim(ComboBox1->currentText());
    if (!TimingRules::isIntervalUnit(unit)) {
        MessageBoxes::information(TimingRules::kBadUnitMessage);
        return;
    }

    if (tickedCount > 0 && !MessageBoxes::question(plan.question)) {
        if (!plan.declinedMessage.isEmpty())
            MessageBoxes::information(plan.declinedMessage);
        return;
    }
    const QString content = TextConvert::trim(Memo1->toPlainText());
    // A number that is no integer leaves Save here, before anything is written.
    const std::optional<qint64> totalTime =
        TimingRules::entryTotalTime(TextConvert::toInt(Edit1->text()), unit);
    const ReminderValues values{content, unit, totalTime};

    SaveTally tally;
    if (tickedCount == 0) {
        const int self = session_.currentUserKey;
        if (writeReminder([self](Query& query) { query.bindInteger(QStringLiteral("p1"), self); },
                          values, tally))
            announceWritten(plan.selfSuccessText, tally);
    } else {
        for (int row = 0; row < ListView1->count(); ++row) {
            if (!ListView1->isChecked(row))
                continue;
            const QString key = ListView1->subItem(row, 0);
            // Saved by an earlier try of this same reminder: a retry writes only the others.
            if (savedRecipients_.contains(key)) {
                ++tally.saved;
                continue;
            }
            if (writeReminder([&key](Query& query) { query.bindText(QStringLiteral("p1"), key); },
                              values, tally)) {
                savedRecipients_.insert(key);
                announceWritten(plan.successText, tally);
            }
        }
    }

    if (tally.failed == 0) {
        // The next save is a new reminder, for whoever is ticked then.
        savedRecipients_.clear();
        if (plan.resetMemo)
            Memo1->setPlainText(design_.placeholder);
        return;
    }
    // Nothing of what the user entered is lost: content, start, interval and ticks stay for a
    // retry once the cause is gone.
    const QString heading = tickedCount > 1
                                ? QStringLiteral("提醒信息未保存：已保存 %1 人，未保存 %2 人！")
                                      .arg(tally.saved)
                                      .arg(tally.failed)
                                : QStringLiteral("提醒信息未保存！");
    MessageBoxes::defaultError(heading + QLatin1Char('\n') + tally.reasons.join(QLatin1Char('\n')));
}

bool TFrmEntry::writeReminder(const std::function<void(Query&)>& bindRecipient,
                              const ReminderValues& values, SaveTally& tally) {
    const SavePlan& plan = design_.save;
    const bool picked = RadioButton3 && RadioButton3->isChecked();
    // The clock is read for every recipient: each row carries the moment it was written.
    const QString now = TimingRules::nowText();

    try {
        ADOQuery1.setStatement(QString::fromUtf8(
            plan.updateExisting ? Statements::kUpdateReminder : Statements::kInsertReminder));
        bindRecipient(ADOQuery1);
        ADOQuery1.bindText(QStringLiteral("p2"), values.content);
        ADOQuery1.bindSmallInt(QStringLiteral("p3"), picked ? 1 : 0);
        ADOQuery1.bindText(
            QStringLiteral("p4"),
            picked ? TimingRules::pickedMomentText(DateTimePicker1->date(), DateTimePicker2->time())
                   : now);
        ADOQuery1.bindText(QStringLiteral("p5"), TextConvert::trim(Edit1->text()));
        ADOQuery1.bindText(QStringLiteral("p6"), values.unit);
        ADOQuery1.bindText(QStringLiteral("p7"), now);
        ADOQuery1.bindInteger(QStringLiteral("p8"), session_.currentUserKey);
        ADOQuery1.bindText(QStringLiteral("p9"), plan.kind);
        ADOQuery1.bindText(QStringLiteral("p10"), QStringLiteral("0"));
        if (values.totalTime)
            ADOQuery1.bindLargeInt(QStringLiteral("p11"), *values.totalTime);
        if (plan.updateExisting)
            ADOQuery1.bindText(QStringLiteral("p12"), TextConvert::trim(Edit2->text()));
        ADOQuery1.execute();
    } catch (const std::exception& error) {
        // The other recipients are still written; the save reports every refusal at its end.
        ++tally.failed;
        const QString reason = QString::fromUtf8(error.what());
        if (!tally.reasons.contains(reason))
            tally.reasons << reason;
        return false;
    }
    return true;
}

void TFrmEntry::announceWritten(const QString& successText, SaveTally& tally) {
    ++tally.saved;
    MessageBoxes::information(successText);
    if (reloadLists_)
        reloadLists_();
}

void TFrmEntry::forgetSavedRecipients() {
    savedRecipients_.clear();
}
