#include "popups/BirthdayPopup.h"

BirthdayPopup::BirthdayPopup(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, popupStyleOf(ReminderKind::Birthday), parent) {
    pictureLabel = picture();
    customPostponeRow = customRow();
    greetingLabel = pictureText();
}
