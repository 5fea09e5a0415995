#pragma once

#include "popups/ReminderPopup.h"

// The popup of the ordinary reminders (kind 0): a picture strip above the controls, the
// content in blue and the publisher's name in the third column.
class OrdinaryPopup final : public ReminderPopup {
    Q_OBJECT
public:
    explicit OrdinaryPopup(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* pictureLabel = nullptr;
    QWidget* customPostponeRow = nullptr;
};
