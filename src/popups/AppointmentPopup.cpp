#include "popups/AppointmentPopup.h"

AppointmentPopup::AppointmentPopup(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, popupStyleOf(ReminderKind::Appointment), parent) {
    pictureLabel = picture();
    customPostponeRow = customRow();
}
