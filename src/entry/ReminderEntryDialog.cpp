#include "entry/ReminderEntryDialog.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"
#include "chrome/HeadingBanner.h"
#include "chrome/PictureBox.h"
#include "chrome/RowWrites.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/TextConvert.h"
#include "schedule/IntervalInput.h"
#include "schedule/TimingRules.h"
#include "store/Statements.h"
#include "store/StoreUpgrade.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
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

ReminderEntryDialog::ReminderEntryDialog(Session& session, std::function<void()> reload,
                                         EntryDesign design, QWidget* parent)
    : DialogShell(parent), session_(session), entryQuery_(session.connectionName),
      design_(std::move(design)), reloadLists_(std::move(reload)) {
    setObjectName(design_.objectName);
    writtenKind_ = design_.save.kind;
    repeatAvailable_ =
        design_.repeatChoice && StoreUpgrade::hasYearlyRepeat(session_.connectionName);
    buildControls();
    applyDefaults();
}

ReminderEntryDialog::~ReminderEntryDialog() = default;

void ReminderEntryDialog::buildControls() {
    setWindowTitle(design_.title);
    titleLabel = named(placeTitleLabel(new QLabel(design_.title)), "titleLabel");

    auto* client = new QVBoxLayout(clientArea);
    client->setContentsMargins(8, 6, 8, 8);
    client->setSpacing(8);
    client->addWidget(buildBanner());
    client->addLayout(buildSettingsRow());
    if (design_.repeatChoice)
        client->addLayout(buildRepeatRow());
    client->addWidget(buildMiddle(), 1);
    client->addLayout(buildButtonRow());

    connect(contentEdit, &QPlainTextEdit::textChanged, this,
            &ReminderEntryDialog::forgetSavedRecipients);
    connect(intervalEdit, &QLineEdit::textChanged, this,
            &ReminderEntryDialog::forgetSavedRecipients);
    connect(intervalUnitCombo, &QComboBox::currentTextChanged, this,
            &ReminderEntryDialog::forgetSavedRecipients);
    for (QRadioButton* choice : {startNowButton, startPickedButton})
        if (choice)
            connect(choice, &QRadioButton::toggled, this,
                    &ReminderEntryDialog::forgetSavedRecipients);
    if (startDateEdit) {
        connect(startDateEdit, &QDateEdit::dateChanged, this,
                &ReminderEntryDialog::forgetSavedRecipients);
        connect(startTimeEdit, &QTimeEdit::timeChanged, this,
                &ReminderEntryDialog::forgetSavedRecipients);
    }

    resize(700, 520);
}

QWidget* ReminderEntryDialog::buildBanner() {
    if (design_.heading.isEmpty()) {
        banner = named(new QWidget(clientArea), "banner");
        banner->setFixedHeight(HeadingBanner::kHeight);
        banner->setAutoFillBackground(true);
        paintText(banner, QPalette::Window, Qt::white);
        auto* row = new QHBoxLayout(banner);
        row->setContentsMargins(0, 0, 0, 0);
        bannerFillPicture =
            named(new PictureBox(PictureBox::Fit::Stretch, banner), "bannerFillPicture");
        bannerFillPicture->setPicture(Assets::picture(design_.bannerPicture));
        row->addWidget(bannerFillPicture, 1);
        return banner;
    }
    headingLabel = makeLabel(design_.heading, "headingLabel", clientArea);
    bannerEndPicture =
        named(new PictureBox(PictureBox::Fit::Natural, clientArea), "bannerEndPicture");
    banner = named(
        HeadingBanner::make(clientArea, headingLabel, bannerEndPicture, design_.bannerPicture),
        "banner");
    return banner;
}

QLayout* ReminderEntryDialog::buildSettingsRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    settingsLabel = makeLabel(QStringLiteral("提醒设置->"), "settingsLabel", clientArea);
    row->addWidget(settingsLabel);

    if (design_.start != StartChoice::PickedOnly) {
        startNowButton =
            named(new QRadioButton(QStringLiteral("现在"), clientArea), "startNowButton");
        row->addWidget(startNowButton);
    }
    if (design_.start != StartChoice::NowOnly) {
        startPickedButton =
            named(new QRadioButton(QStringLiteral("自由设置"), clientArea), "startPickedButton");
        row->addWidget(startPickedButton);

        startDateEdit = named(new QDateEdit(clientArea), "startDateEdit");
        startDateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        startDateEdit->setCalendarPopup(true);
        startDateEdit->setAccessibleName(QStringLiteral("开始日期"));
        startDateEdit->setMinimumWidth(110);
        row->addWidget(startDateEdit);

        startTimeEdit = named(new QTimeEdit(clientArea), "startTimeEdit");
        startTimeEdit->setDisplayFormat(QStringLiteral("HH:mm"));
        startTimeEdit->setAccessibleName(QStringLiteral("开始时间"));
        startTimeEdit->setMinimumWidth(70);
        row->addWidget(startTimeEdit);
    }

    intervalLabel = makeLabel(design_.intervalCaption, "intervalLabel", clientArea);
    row->addWidget(intervalLabel);

    intervalEdit = named(new QLineEdit(clientArea), "intervalEdit");
    intervalEdit->setMaxLength(4);
    intervalEdit->setFixedWidth(48);
    intervalEdit->setAccessibleName(QStringLiteral("间隔"));
    IntervalInput::restrictNumber(intervalEdit);
    intervalLabel->setBuddy(intervalEdit);
    row->addWidget(intervalEdit);

    intervalUnitCombo = named(new QComboBox(clientArea), "intervalUnitCombo");
    IntervalInput::fillUnits(intervalUnitCombo);
    intervalUnitCombo->setFixedWidth(60);
    intervalUnitCombo->setAccessibleName(QStringLiteral("间隔单位"));
    row->addWidget(intervalUnitCombo);

    perTimeLabel = makeLabel(QStringLiteral("/次"), "perTimeLabel", clientArea);
    row->addWidget(perTimeLabel);
    row->addStretch(1);

    if (design_.recipientsLabelPlace == RecipientsLabelPlace::SettingsRow) {
        recipientsLabel = makeLabel(design_.recipientsLabelText, "recipientsLabel", clientArea);
        row->addWidget(recipientsLabel);
    }
    if (!design_.noteText.isEmpty()) {
        noteLabel = makeLabel(design_.noteText, "noteLabel", clientArea);
        paintText(noteLabel, QPalette::WindowText, Qt::red);
        row->addWidget(noteLabel);
    }

    if (startNowButton)
        connect(startNowButton, &QRadioButton::toggled, this,
                guardedSlot(this, &ReminderEntryDialog::onStartNowToggled));
    // The only choice of a picked-start dialog has no handler: its pickers are always on.
    if (startPickedButton && startNowButton)
        connect(startPickedButton, &QRadioButton::toggled, this,
                guardedSlot(this, &ReminderEntryDialog::onStartPickedToggled));
    return row;
}

QLayout* ReminderEntryDialog::buildRepeatRow() {
    auto* row = new QHBoxLayout;
    // A container of their own: the two choices are not exclusive with "现在" / "自由设置".
    repeatRow = named(new QWidget(clientArea), "repeatRow");
    auto* inside = new QHBoxLayout(repeatRow);
    inside->setContentsMargins(0, 0, 0, 0);
    inside->setSpacing(6);
    repeatCheckBox = named(new QCheckBox(QStringLiteral("每年重复"), repeatRow), "repeatCheckBox");
    solarRepeatButton =
        named(new QRadioButton(QStringLiteral("按公历"), repeatRow), "solarRepeatButton");
    lunarRepeatButton =
        named(new QRadioButton(QStringLiteral("按农历"), repeatRow), "lunarRepeatButton");
    auto* calendars = new QButtonGroup(repeatRow);
    calendars->addButton(solarRepeatButton);
    calendars->addButton(lunarRepeatButton);
    lunarDateLabel = makeLabel(QString(), "lunarDateLabel", repeatRow);
    paintText(lunarDateLabel, QPalette::WindowText, QColor(0, 128, 0));
    inside->addWidget(repeatCheckBox);
    inside->addWidget(solarRepeatButton);
    inside->addWidget(lunarRepeatButton);
    inside->addWidget(lunarDateLabel);
    inside->addStretch(1);
    row->addWidget(repeatRow, 1);
    if (!repeatAvailable_) {
        const QString why = QStringLiteral("数据文件是旧版本，不能保存每年重复。请先运行“%1 "
                                           "数据文件”升级。")
                                .arg(StoreUpgrade::kUpgradeCommand);
        for (QWidget* widget :
             {static_cast<QWidget*>(repeatCheckBox), static_cast<QWidget*>(solarRepeatButton),
              static_cast<QWidget*>(lunarRepeatButton)})
            widget->setToolTip(why);
    }
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(repeatCheckBox),
                                    static_cast<QAbstractButton*>(lunarRepeatButton)}) {
        connect(button, &QAbstractButton::toggled, this,
                guardedSlot(this, &ReminderEntryDialog::onRepeatChanged));
        connect(button, &QAbstractButton::toggled, this,
                &ReminderEntryDialog::forgetSavedRecipients);
    }
    if (startDateEdit)
        connect(startDateEdit, &QDateEdit::dateChanged, this,
                guardedSlot(this, &ReminderEntryDialog::onRepeatChanged));
    return row;
}

QWidget* ReminderEntryDialog::buildMiddle() {
    recipientList = named(new ReportList(clientArea), "recipientList");
    recipientList->setCheckBoxes(true);
    recipientList->setColumns({{ReportList::Column::Name, QStringLiteral("人员"), 150},
                               {ReportList::Column::Key, QStringLiteral("KEY"), 0}});
    recipientList->setAccessibleName(QStringLiteral("提醒人员"));

    contentGroup = named(new QGroupBox(QStringLiteral("提醒内容"), clientArea), "contentGroup");
    auto* frame = new QVBoxLayout(contentGroup);
    frame->setContentsMargins(6, 6, 6, 6);
    contentEdit = named(new QPlainTextEdit(contentGroup), "contentEdit");
    contentEdit->setAccessibleName(contentGroup->title());
    paintText(contentEdit, QPalette::Text, Qt::blue);
    frame->addWidget(contentEdit);
    connect(contentEdit, &QPlainTextEdit::textChanged, this,
            guardedSlot(this, &ReminderEntryDialog::onContentChanged));

    if (design_.save.updateExisting) {
        keyEdit = named(new QLineEdit(clientArea), "keyEdit");
        keyEdit->setAccessibleName(QStringLiteral("提醒编号"));
        keyEdit->hide();
    }

    if (!design_.listVisible) {
        recipientList->hide();
        return contentGroup;
    }

    splitter = named(new QSplitter(Qt::Horizontal, clientArea), "splitter");
    splitter->setChildrenCollapsible(false);
    auto* left = new QWidget(splitter);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    if (design_.recipientsLabelPlace == RecipientsLabelPlace::AboveList) {
        recipientsLabel = makeLabel(design_.recipientsLabelText, "recipientsLabel", left);
        recipientsLabel->setBuddy(recipientList);
        column->addWidget(recipientsLabel);
    }
    column->addWidget(recipientList, 1);
    // Wide enough for the name column and a scroll bar, no wider: the key column is hidden.
    left->setMinimumWidth(120);
    splitter->addWidget(left);
    splitter->addWidget(contentGroup);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({176, 494});
    return splitter;
}

QLayout* ReminderEntryDialog::buildButtonRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    if (!design_.clearAllCaption.isEmpty()) {
        selectAllButton =
            named(new QPushButton(QStringLiteral("全选"), clientArea), "selectAllButton");
        clearAllButton =
            named(new QPushButton(design_.clearAllCaption, clientArea), "clearAllButton");
        for (QPushButton* button : {selectAllButton, clearAllButton}) {
            button->setFlat(true);
            button->setAutoDefault(false);
            row->addWidget(button);
        }
        connect(selectAllButton, &QPushButton::clicked, this,
                guardedSlot(this, &ReminderEntryDialog::tickAllRecipients));
        connect(clearAllButton, &QPushButton::clicked, this,
                guardedSlot(this, &ReminderEntryDialog::clearAllRecipients));
    }
    if (design_.recipientsLabelPlace == RecipientsLabelPlace::ButtonRow) {
        recipientsLabel = makeLabel(design_.recipientsLabelText, "recipientsLabel", clientArea);
        paintText(recipientsLabel, QPalette::WindowText, Qt::red);
        row->addWidget(recipientsLabel);
    }
    row->addStretch(1);

    saveButton = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                       QStringLiteral("保存"), clientArea),
                       "saveButton");
    exitButton = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                       QStringLiteral("退出"), clientArea),
                       "exitButton");
    for (QPushButton* button : {saveButton, exitButton}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(80);
        row->addWidget(button);
    }
    connect(saveButton, &QPushButton::clicked, this, guardedSlot(this, &ReminderEntryDialog::save));
    connect(exitButton, &QPushButton::clicked, this,
            guardedSlot(this, &ReminderEntryDialog::onExitClicked));
    return row;
}

void ReminderEntryDialog::applyDefaults() {
    const QDateTime now = SystemClock::now();
    if (startDateEdit) {
        startDateEdit->setDate(now.date());
        startTimeEdit->setTime(now.time());
    }
    if (startNowButton)
        startNowButton->setChecked(true);
    else
        startPickedButton->setChecked(true);
    updatePickers();
    intervalEdit->setText(QStringLiteral("5"));
    intervalUnitCombo->setCurrentIndex(1);
    if (keyEdit)
        keyEdit->clear();
    if (repeatCheckBox) {
        repeatCheckBox->setEnabled(repeatAvailable_);
        repeatCheckBox->setChecked(repeatAvailable_ && design_.repeatByDefault);
        solarRepeatButton->setChecked(true);
        onRepeatChanged();
    }
    contentEdit->setPlainText(design_.placeholder);
    // Last: putting the placeholder in is a change of the memo, which enables Save.
    saveButton->setEnabled(false);
}

void ReminderEntryDialog::showEvent(QShowEvent* event) {
    DialogShell::showEvent(event);
    // A window coming back from the minimised state is shown again by the window system; the
    // list is only loaded when the dialog itself is shown.
    if (!event->spontaneous())
        guarded([this] { onShown(); });
}

void ReminderEntryDialog::onShown() {
    if (design_.focusMemoOnShow)
        contentEdit->setFocus();
    if (design_.loadOnShow)
        loadRecipientList();
}

void ReminderEntryDialog::loadRecipientList() {
    entryQuery_.setStatement(QString::fromUtf8(Statements::kSelectAllUsers));
    entryQuery_.open();
    letPendingEventsRun();
    {
        PaintingSuspended suspended(recipientList);
        recipientList->clear();
        const QIcon icon =
            design_.rowIcons ? QIcon(Assets::picture(QStringLiteral("listUser"))) : QIcon();
        for (entryQuery_.first(); !entryQuery_.atEnd(); entryQuery_.next()) {
            const int row = recipientList->addRow(
                recipientList->row({{ReportList::Column::Name,
                                     entryQuery_.fieldAsString(QStringLiteral("UserTrueName"))},
                                    {ReportList::Column::Key,
                                     entryQuery_.fieldAsString(QStringLiteral("keyid"))}}),
                icon);
            if (!design_.listVisible)
                recipientList->setChecked(row, true);
        }
    }
    letPendingEventsRun();
}

void ReminderEntryDialog::updatePickers() {
    if (!startDateEdit)
        return;
    const bool picked = startPickedButton->isChecked();
    startDateEdit->setEnabled(picked);
    startTimeEdit->setEnabled(picked);
}

void ReminderEntryDialog::onRepeatChanged() {
    if (!repeatCheckBox)
        return;
    const bool on = repeatAvailable_ && repeatCheckBox->isChecked();
    solarRepeatButton->setEnabled(on);
    lunarRepeatButton->setEnabled(on);
    lunarDateLabel->setVisible(lunarRepeatButton->isChecked());
    lunarDateLabel->setEnabled(on);
    if (startDateEdit)
        lunarDateLabel->setText(YearlyRepeat::lunarDateText(startDateEdit->date()));
}

void ReminderEntryDialog::showRepetition(bool shown,
                                         const std::optional<YearlyRepeat::YearlyAnchor>& anchor) {
    if (!repeatCheckBox)
        return;
    repeatRow->setVisible(shown);
    repeatCheckBox->setChecked(repeatAvailable_ && anchor.has_value());
    if (anchor) {
        const bool lunar = anchor->calendar == YearlyRepeat::RepeatCalendar::Lunar;
        (lunar ? lunarRepeatButton : solarRepeatButton)->setChecked(true);
        // The pickers show the origin, so that a save keeps the years counted from it.
        if (const std::optional<QDateTime> origin =
                YearlyRepeat::occurrenceInYear(*anchor, anchor->year);
            origin && startDateEdit) {
            startPickedButton->setChecked(true);
            startDateEdit->setDate(origin->date());
            startTimeEdit->setTime(origin->time());
        }
    }
    onRepeatChanged();
}

bool ReminderEntryDialog::chosenRepetition(ReminderValues& values) {
    if (!repeatCheckBox || !repeatAvailable_ || !repeatCheckBox->isChecked() ||
        writtenKind_ == ReminderKind::Ordinary)
        return true;
    const QDateTime now = SystemClock::now();
    const bool picked = startPickedButton && startPickedButton->isChecked();
    const QDateTime moment = picked ? QDateTime(startDateEdit->date(), startTimeEdit->time()) : now;
    const auto calendar = lunarRepeatButton->isChecked() ? YearlyRepeat::RepeatCalendar::Lunar
                                                         : YearlyRepeat::RepeatCalendar::Solar;
    const std::optional<YearlyRepeat::YearlyAnchor> anchor =
        YearlyRepeat::anchorOf(calendar, moment);
    std::optional<QDateTime> start;
    if (anchor) {
        // A day before today is the origin (a birth, a wedding): the reminder starts at its
        // next occurrence. Today and later days are their own first occurrence.
        if (moment.date() >= now.date())
            start = QDateTime(moment.date(), anchor->timeOfDay);
        else
            start = YearlyRepeat::nextOccurrence(*anchor, now);
    }
    if (!start) {
        MessageBoxes::information(
            QStringLiteral("所选日期不能按农历每年重复：农历只推算到 2100 年！"));
        return false;
    }
    values.repeat = YearlyRepeat::format(*anchor);
    values.repeatingStart = *start;
    return true;
}

void ReminderEntryDialog::onStartNowToggled() {
    updatePickers();
}

void ReminderEntryDialog::onStartPickedToggled() {
    updatePickers();
}

void ReminderEntryDialog::tickAllRecipients() {
    recipientList->setAllChecked(true);
}

void ReminderEntryDialog::clearAllRecipients() {
    recipientList->setAllChecked(false);
}

void ReminderEntryDialog::onContentChanged() {
    saveButton->setEnabled(true);
}

void ReminderEntryDialog::onExitClicked() {
    close();
}

void ReminderEntryDialog::save() {
    const SavePlan& plan = design_.save;
    const int tickedCount = recipientList->checkedCount();
    if (tickedCount == 0 && !plan.noRecipientMessage.isEmpty()) {
        MessageBoxes::information(plan.noRecipientMessage);
        return;
    }
    // An edit dialog whose reminder was gone when it opened has no row to rewrite; that is what
    // the user must hear, not a complaint about the empty unit it opened with.
    if (plan.updateExisting && TextConvert::trim(keyEdit->text()).isEmpty()) {
        MessageBoxes::information(QStringLiteral("请选择一条记录进行操作！"));
        return;
    }
    const std::optional<QString> chosenUnit = IntervalInput::storedUnit(intervalUnitCombo);
    if (plan.secondsMinimum) {
        const QString number =
            TimingRules::applySecondsMinimum(intervalEdit->text(), chosenUnit.value_or(QString()));
        if (number != intervalEdit->text())
            intervalEdit->setText(number);
    }
    // A unit outside the four would be stored without a sort key and never pop up at a
    // sensible pace; it is refused before anything is asked or written.
    if (!chosenUnit) {
        MessageBoxes::information(TimingRules::kBadUnitMessage);
        return;
    }
    const QString unit = *chosenUnit;
    ReminderValues values;
    if (!chosenRepetition(values))
        return;

    if (tickedCount > 0 && !MessageBoxes::question(plan.question)) {
        if (!plan.declinedMessage.isEmpty())
            MessageBoxes::information(plan.declinedMessage);
        return;
    }
    const QString content = TextConvert::trim(contentEdit->toPlainText());
    // A number that is no integer leaves Save here, before anything is written.
    const std::optional<qint64> totalTime =
        TimingRules::entryTotalTime(TextConvert::toInt(intervalEdit->text()), unit);
    values.content = content;
    values.unit = unit;
    values.totalTime = totalTime;

    RowWrites writes;
    if (tickedCount == 0) {
        const int self = session_.currentUserKey;
        if (writes.attempt([&] {
                writeReminder(
                    [self](Query& query) { query.bindInteger(QStringLiteral("p1"), self); },
                    values);
            }))
            announceWritten(plan.selfSuccessText);
    } else {
        for (int row = 0; row < recipientList->count(); ++row) {
            if (!recipientList->isChecked(row))
                continue;
            const QString key = recipientList->text(row, ReportList::Column::Key);
            // Saved by an earlier try of this same reminder: a retry writes only the others.
            if (savedRecipients_.contains(key)) {
                writes.countWritten();
                continue;
            }
            if (writes.attempt([&] {
                    writeReminder(
                        [&key](Query& query) { query.bindText(QStringLiteral("p1"), key); },
                        values);
                })) {
                savedRecipients_.insert(key);
                announceWritten(plan.successText);
            }
        }
    }

    // Nothing of what the user entered is lost when a write was refused: content, start,
    // interval and ticks stay for a retry once the cause is gone.
    if (writes.reportRefusals(QStringLiteral("提醒信息未保存！"),
                              QStringLiteral("提醒信息未保存：已保存 %1 人，未保存 %2 人！")))
        return;
    // The next save is a new reminder, for whoever is ticked then.
    savedRecipients_.clear();
    if (plan.resetMemo)
        contentEdit->setPlainText(design_.placeholder);
}

void ReminderEntryDialog::writeReminder(const std::function<void(Query&)>& bindRecipient,
                                        const ReminderValues& values) {
    const SavePlan& plan = design_.save;
    const bool picked = startPickedButton && startPickedButton->isChecked();
    // The clock is read for every recipient: each row carries the moment it was written.
    const QString now = TimingRules::nowText();

    // A store that keeps repetitions gets the statements that write them, with none for a
    // reminder that does not repeat (an edit may have removed it).
    const char* statement = plan.updateExisting
                                ? (repeatAvailable_ ? Statements::kUpdateRepeatingReminder
                                                    : Statements::kUpdateReminder)
                                : (repeatAvailable_ ? Statements::kInsertRepeatingReminder
                                                    : Statements::kInsertReminder);
    entryQuery_.setStatement(QString::fromUtf8(statement));
    bindRecipient(entryQuery_);
    entryQuery_.bindText(QStringLiteral("p2"), values.content);
    entryQuery_.bindSmallInt(QStringLiteral("p3"), picked || values.repeat ? 1 : 0);
    QString begin = now;
    if (values.repeat)
        begin = TimingRules::pickedMomentText(values.repeatingStart.date(),
                                              values.repeatingStart.time());
    else if (picked)
        begin = TimingRules::pickedMomentText(startDateEdit->date(), startTimeEdit->time());
    entryQuery_.bindText(QStringLiteral("p4"), begin);
    entryQuery_.bindText(QStringLiteral("p5"), TextConvert::trim(intervalEdit->text()));
    entryQuery_.bindText(QStringLiteral("p6"), values.unit);
    entryQuery_.bindText(QStringLiteral("p7"), now);
    entryQuery_.bindInteger(QStringLiteral("p8"), session_.currentUserKey);
    // Bound as text, as the column has always received it.
    entryQuery_.bindText(QStringLiteral("p9"), QString::number(kindIndex(writtenKind_)));
    entryQuery_.bindText(QStringLiteral("p10"), QStringLiteral("0"));
    if (values.totalTime)
        entryQuery_.bindLargeInt(QStringLiteral("p11"), *values.totalTime);
    if (plan.updateExisting)
        entryQuery_.bindText(QStringLiteral("p12"), TextConvert::trim(keyEdit->text()));
    if (values.repeat)
        entryQuery_.bindText(QStringLiteral("p13"), *values.repeat);
    entryQuery_.execute();
}

void ReminderEntryDialog::announceWritten(const QString& successText) {
    MessageBoxes::information(successText);
    if (reloadLists_)
        reloadLists_();
}

void ReminderEntryDialog::forgetSavedRecipients() {
    savedRecipients_.clear();
}
