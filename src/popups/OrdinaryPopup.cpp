#include "popups/OrdinaryPopup.h"

OrdinaryPopup::OrdinaryPopup(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, popupStyleOf(ReminderKind::Ordinary), parent) {
    pictureLabel = picture();
    customPostponeRow = customRow();
}
