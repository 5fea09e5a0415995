#include "entry/TFrmEditMessage.h"

#include "platform/ModalRunner.h"
#include "store/Statements.h"

#include <QSet>
#include <vector>

EntryDesign TFrmEditMessage::MakeDesign() {
    EntryDesign design;
    design.objectName = QStringLiteral("FrmEditMessage");
    design.title = QStringLiteral("提醒信息维护");
    design.heading = QStringLiteral("编辑提醒信息");
    design.bannerPicture = QStringLiteral("bannerEntry");
    design.start = StartChoice::NowOrPicked;
    design.rowIcons = false;
    design.clearAllCaption = QStringLiteral("全删");
    design.loadOnShow = false;
    design.focusMemoOnShow = false;
    design.save.noRecipientMessage = QStringLiteral("请选择一条记录进行操作！");
    design.save.secondsMinimum = false;
    design.save.question = QStringLiteral("确定要编辑提醒信息吗？");
    design.save.declinedMessage = QStringLiteral("请选择一条记录！");
    design.save.updateExisting = true;
    design.save.successText = QStringLiteral("成功编辑提醒信息！");
    design.save.resetMemo = false;
    return design;
}

TFrmEditMessage::TFrmEditMessage(Session& session, std::function<void()> reloadLists,
                                 QWidget* parent)
    : TFrmEntry(session, std::move(reloadLists), MakeDesign(), parent) {}

void TFrmEditMessage::EditPublished(Session& session, std::function<void()> reloadLists,
                                    const QString& keyText, const QString& listedContent,
                                    QWidget* parent) {
    TFrmEditMessage dialog(session, std::move(reloadLists), parent);
    dialog.fill(keyText, listedContent);
    ModalRunner::run(dialog);
}

void TFrmEditMessage::fill(const QString& keyText, const QString& listedContent) {
    Memo1->setPlainText(listedContent);

    auto readReminder = [&] {
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectPublishedReminder));
        ADOQuery1.bindInteger(QStringLiteral("p"), session_.currentUserKey);
        ADOQuery1.bindText(QStringLiteral("p1"), keyText);
        ADOQuery1.open();
    };
    readReminder();
    // A reminder acknowledged or deleted meanwhile gives no row: every field reads empty or 0,
    // and the dialog opens on "现在" with nothing to rewrite.
    if (ADOQuery1.fieldAsInteger(QStringLiteral("ReAction")) == 1)
        RadioButton3->setChecked(true);
    else
        RadioButton2->setChecked(true);
    if (RadioButton3->isChecked()) {
        const QDateTime begin = ADOQuery1.fieldAsDateTime(QStringLiteral("ReBeginTime"));
        DateTimePicker1->setDate(begin.date());
        DateTimePicker2->setTime(QTime(begin.time().hour(), begin.time().minute()));
    }
    Edit1->setText(ADOQuery1.fieldAsString(QStringLiteral("ReIntervalNumber")));
    ComboBox1->setEditText(ADOQuery1.fieldAsString(QStringLiteral("ReIntervalType")));
    const QString storedKey = ADOQuery1.fieldAsString(QStringLiteral("KeyID"));

    LoadRecipientList();
    Edit2->setText(storedKey);

    readReminder();
    std::vector<qint64> recipients;
    for (ADOQuery1.first(); !ADOQuery1.atEnd(); ADOQuery1.next())
        recipients.push_back(ADOQuery1.fieldAsInteger(QStringLiteral("ReUserID")));
    QSet<QString> names;
    for (const qint64 recipient : recipients) {
        ADOQuery1.setStatement(QString::fromUtf8(Statements::kSelectUserByKey));
        ADOQuery1.bindInteger(QStringLiteral("p"), static_cast<qint32>(recipient));
        ADOQuery1.open();
        const QString name = ADOQuery1.fieldAsString(QStringLiteral("UserTrueName"));
        // A recipient whose account is gone has no name; it must not tick a user who merely
        // has an empty name.
        if (!name.isEmpty())
            names.insert(name);
    }
    for (int row = 0; row < ListView1->count(); ++row)
        if (names.contains(ListView1->caption(row)))
            ListView1->setChecked(row, true);
}
