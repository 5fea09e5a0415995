#include "popups/PopupFactory.h"

#include "popups/TFrmMessage.h"
#include "popups/TFrmMessageJNR.h"
#include "popups/TFrmMessageSr.h"
#include "popups/TFrmMessageYh.h"

#include <memory>

ReminderPopup* Popups::make(const PopupContext& context) {
    switch (context.kind) {
    case ReminderKind::Birthday:
        return new TFrmMessageSr(context);
    case ReminderKind::Appointment:
        return new TFrmMessageYh(context);
    case ReminderKind::Anniversary:
        return new TFrmMessageJNR(context);
    case ReminderKind::Ordinary:
        break;
    }
    return new TFrmMessage(context);
}

ReminderPopup* Popups::Create(const PopupContext& context) {
    std::unique_ptr<ReminderPopup> popup(make(context));
    popup->FormCreate();
    return popup.release();
}

PopupFactory Popups::StandardFactory() {
    return [](const PopupContext& context) -> ReminderWindow* {
        std::unique_ptr<ReminderPopup> popup(make(context));
        // The list is read before anything shows: an empty one brings no window.
        popup->FormShow();
        if (popup->ListView1->count() == 0)
            return nullptr;
        popup->FormCreate();
        return popup.release();
    };
}
