#include "popups/TFrmMessageYh.h"

TFrmMessageYh::TFrmMessageYh(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, PopupStyleOf(ReminderKind::Appointment), parent) {
    Image1 = picture();
    Panel3 = customRow();
}
