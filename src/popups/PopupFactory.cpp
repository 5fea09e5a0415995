#include "popups/PopupFactory.h"

#include "popups/ReminderPopup.h"

#include <memory>

ReminderPopup* Popups::make(const PopupContext& context) {
    return new ReminderPopup(context);
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
        if (!popup->refreshReminders())
            return nullptr;
        popup->showAndSlideIn();
        return popup.release();
    };
}
