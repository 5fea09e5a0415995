#include "popups/PopupFactory.h"

#include "popups/AnniversaryPopup.h"
#include "popups/AppointmentPopup.h"
#include "popups/BirthdayPopup.h"
#include "popups/OrdinaryPopup.h"

#include <memory>

ReminderPopup* Popups::make(const PopupContext& context) {
    switch (context.kind) {
    case ReminderKind::Birthday:
        return new BirthdayPopup(context);
    case ReminderKind::Appointment:
        return new AppointmentPopup(context);
    case ReminderKind::Anniversary:
        return new AnniversaryPopup(context);
    case ReminderKind::Ordinary:
        break;
    }
    return new OrdinaryPopup(context);
}

ReminderPopup* Popups::create(const PopupContext& context) {
    std::unique_ptr<ReminderPopup> popup(make(context));
    popup->showAndSlideIn();
    return popup.release();
}

PopupFactory Popups::standardFactory() {
    return [](const PopupContext& context) -> ReminderWindow* {
        std::unique_ptr<ReminderPopup> popup(make(context));
        // The list is read before anything shows: an empty one brings no window.
        popup->applyDefaults();
        if (popup->reminderList->count() == 0)
            return nullptr;
        popup->showAndSlideIn();
        return popup.release();
    };
}
