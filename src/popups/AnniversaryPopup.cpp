#include "popups/AnniversaryPopup.h"

AnniversaryPopup::AnniversaryPopup(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, popupStyleOf(ReminderKind::Anniversary), parent) {
    pictureLabel = picture();
    customPostponeRow = customRow();
}
