#pragma once

#include "schedule/ReminderPolling.h"

class ReminderPopup;

// The popups as ReminderPolling creates them. The main window wires them in once:
//
//   polling_ = new ReminderPolling(session_, [this] { ReloadLists(); }, wavePlayer_,
//                                  Popups::StandardFactory(), this);
namespace Popups {

// The popup of the context's kind, not yet shown.
ReminderPopup* Make(const PopupContext& context);
// Makes the popup, loads its list and starts its slide-in. Throws when the list cannot be
// read; nothing is left behind then.
QWidget* Create(const PopupContext& context);
// Create, as the factory ReminderPolling takes.
PopupFactory StandardFactory();

} // namespace Popups
