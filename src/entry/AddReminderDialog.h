#pragma once

#include "entry/ReminderEntryDialog.h"

#include <QDate>

// The add-reminder dialog: publishes an ordinary reminder, starting now or at a picked moment,
// to every ticked user, oneself included. Opened modally by "添加提醒":
//
//   AddReminderDialog dialog(session, [this] { reloadLists(); }, this);
//   if (calendarPageShowing)
//       dialog.presetStartDay(calendarView->dateTime().date());
//   ModalRunner::run(dialog);
//
// Public is what that opener calls.
class AddReminderDialog : public ReminderEntryDialog {
    Q_OBJECT
public:
    AddReminderDialog(Session& session, std::function<void()> reload, QWidget* parent = nullptr);

    // The calendar page's preset: the date picker takes `day` (at 00:00) and "自由设置" is
    // selected, which enables both pickers as a click on it would. The time picker keeps the
    // current time of day.
    void presetStartDay(const QDate& day);
    // The calendar's double-click: "自由设置" on that day and time of day.
    void presetStart(const QDate& day, const QTime& time);

private:
    static EntryDesign makeDesign();
};
