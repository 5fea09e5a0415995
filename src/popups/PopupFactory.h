#pragma once

#include "schedule/ReminderPolling.h"

class ReminderPopup;

// The popups as ReminderPolling creates them. The main window wires them in once:
//
//   polling_ = new ReminderPolling(session_, [this] { reloadLists(); }, wavePlayer_,
//                                  Popups::standardFactory(), this);
namespace Popups {

// The popup of the context's kind, not yet shown.
ReminderPopup* make(const PopupContext& context);
// Makes the popup, loads its list and starts its slide-in. Throws when the list cannot be
// read; nothing is left behind then.
ReminderPopup* create(const PopupContext& context);
// The factory ReminderPolling takes: create(), except that a popup whose list is empty is
// never shown (nullptr).
PopupFactory standardFactory();

} // namespace Popups
