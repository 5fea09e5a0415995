#include "popups/TFrmMessageJNR.h"

TFrmMessageJNR::TFrmMessageJNR(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, PopupStyleOf(ReminderKind::Anniversary), parent) {
    Image1 = picture();
    Panel3 = customRow();
}
