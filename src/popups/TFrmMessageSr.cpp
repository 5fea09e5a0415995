#include "popups/TFrmMessageSr.h"

TFrmMessageSr::TFrmMessageSr(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, PopupStyleOf(ReminderKind::Birthday), parent) {
    Image1 = picture();
    Panel3 = customRow();
    Label2 = pictureText();
}
