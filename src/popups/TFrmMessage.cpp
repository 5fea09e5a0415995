#include "popups/TFrmMessage.h"

TFrmMessage::TFrmMessage(const PopupContext& context, QWidget* parent)
    : ReminderPopup(context, PopupStyleOf(ReminderKind::Ordinary), parent) {
    Image2 = picture();
    Panel2 = customRow();
}
