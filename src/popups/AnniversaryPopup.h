#pragma once

#include "popups/ReminderPopup.h"

// The popup of the anniversary reminders (kind 3).
class AnniversaryPopup final : public ReminderPopup {
    Q_OBJECT
public:
    explicit AnniversaryPopup(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* pictureLabel = nullptr;
    QWidget* customPostponeRow = nullptr;
};
