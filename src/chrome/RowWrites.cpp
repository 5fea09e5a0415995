#include "chrome/RowWrites.h"

#include "chrome/ErrorTexts.h"
#include "platform/MessageBoxes.h"

#include <exception>

bool RowWrites::attempt(const std::function<void()>& write) {
    try {
        write();
    } catch (const std::exception& error) {
        ++refused_;
        const QString reason = ErrorTexts::of(error);
        if (!reasons_.contains(reason))
            reasons_ << reason;
        return false;
    }
    ++written_;
    return true;
}

bool RowWrites::reportRefusals(const QString& oneRowHeading, const QString& manyRowsHeading) const {
    if (refused_ == 0)
        return false;
    const QString heading =
        written_ + refused_ > 1 ? manyRowsHeading.arg(written_).arg(refused_) : oneRowHeading;
    MessageBoxes::defaultError(heading + QLatin1Char('\n') + reasons_.join(QLatin1Char('\n')));
    return true;
}
