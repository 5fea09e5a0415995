#include "entry/EditReminderDialog.h"

#include "platform/ModalRunner.h"
#include "schedule/IntervalInput.h"
#include "schedule/YearlyReminders.h"
#include "store/Statements.h"

#include <QSet>
#include <vector>

EntryDesign EditReminderDialog::makeDesign() {
    EntryDesign design;
    design.objectName = QStringLiteral("editReminderDialog");
    design.title = QStringLiteral("提醒信息维护");
    design.heading = QStringLiteral("编辑提醒信息");
    design.bannerPicture = QStringLiteral("bannerEntry");
    design.start = StartChoice::NowOrPicked;
    design.rowIcons = false;
    design.clearAllCaption = QStringLiteral("全删");
    design.loadOnShow = false;
    design.focusMemoOnShow = false;
    // Shown for a dated reminder only (fill()).
    design.repeatChoice = true;
    design.save.noRecipientMessage = QStringLiteral("请选择一条记录进行操作！");
    design.save.secondsMinimum = false;
    design.save.question = QStringLiteral("确定要编辑提醒信息吗？");
    design.save.declinedMessage = QStringLiteral("请选择一条记录！");
    design.save.updateExisting = true;
    design.save.successText = QStringLiteral("成功编辑提醒信息！");
    design.save.resetMemo = false;
    return design;
}

EditReminderDialog::EditReminderDialog(Session& session, std::function<void()> reload,
                                       QWidget* parent)
    : ReminderEntryDialog(session, std::move(reload), makeDesign(), parent) {}

void EditReminderDialog::editPublished(Session& session, std::function<void()> reload,
                                       const QString& keyText, const QString& listedContent,
                                       QWidget* parent) {
    EditReminderDialog dialog(session, std::move(reload), parent);
    dialog.fill(keyText, listedContent);
    ModalRunner::run(dialog);
}

void EditReminderDialog::fill(const QString& keyText, const QString& listedContent) {
    contentEdit->setPlainText(listedContent);

    auto readReminder = [&] {
        entryQuery_.setStatement(QString::fromUtf8(Statements::kSelectPublishedReminder));
        entryQuery_.bindInteger(QStringLiteral("p"), session_.currentUserKey);
        entryQuery_.bindText(QStringLiteral("p1"), keyText);
        entryQuery_.open();
    };
    readReminder();
    // A reminder acknowledged or deleted meanwhile gives no row: every field reads empty or 0,
    // and the dialog opens on "现在" with nothing to rewrite.
    if (entryQuery_.fieldAsInteger(QStringLiteral("ReAction")) == 1)
        startPickedButton->setChecked(true);
    else
        startNowButton->setChecked(true);
    if (startPickedButton->isChecked()) {
        const QDateTime begin = entryQuery_.fieldAsDateTime(QStringLiteral("ReBeginTime"));
        startDateEdit->setDate(begin.date());
        startTimeEdit->setTime(QTime(begin.time().hour(), begin.time().minute()));
    }
    intervalEdit->setText(entryQuery_.fieldAsString(QStringLiteral("ReIntervalNumber")));
    IntervalInput::showUnit(intervalUnitCombo,
                            entryQuery_.fieldAsString(QStringLiteral("ReIntervalType")));
    const QString storedKey = entryQuery_.fieldAsString(QStringLiteral("KeyID"));
    // The kind stays what it was, and a dated reminder shows its repetition; a row that is
    // gone reads as an ordinary one.
    const int kind = static_cast<int>(entryQuery_.fieldAsInteger(QStringLiteral("Retype")));
    const bool dated = kind > 0 && kind < static_cast<int>(kAllReminderKinds.size());
    writtenKind_ =
        dated ? kAllReminderKinds[static_cast<std::size_t>(kind)] : ReminderKind::Ordinary;
    const QString repeat = entryQuery_.hasField(QStringLiteral("ReRepeat"))
                               ? entryQuery_.fieldAsString(QStringLiteral("ReRepeat"))
                               : QString();
    showRepetition(dated, YearlyReminders::repetitionOf(kind, repeat));

    loadRecipientList();
    keyEdit->setText(storedKey);

    readReminder();
    std::vector<qint64> recipients;
    for (entryQuery_.first(); !entryQuery_.atEnd(); entryQuery_.next())
        recipients.push_back(entryQuery_.fieldAsInteger(QStringLiteral("ReUserID")));
    QSet<QString> names;
    for (const qint64 recipient : recipients) {
        entryQuery_.setStatement(QString::fromUtf8(Statements::kSelectUserByKey));
        entryQuery_.bindInteger(QStringLiteral("p"), static_cast<qint32>(recipient));
        entryQuery_.open();
        const QString name = entryQuery_.fieldAsString(QStringLiteral("UserTrueName"));
        // A recipient whose account is gone has no name; it must not tick a user who merely
        // has an empty name.
        if (!name.isEmpty())
            names.insert(name);
    }
    for (int row = 0; row < recipientList->count(); ++row)
        if (names.contains(recipientList->text(row, ReportList::Column::Name)))
            recipientList->setChecked(row, true);
}
