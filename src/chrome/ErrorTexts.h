#pragma once

#include <QString>
#include <exception>

class StoreError;

// The words the program shows for a failure. The store and the conversions report what went
// wrong and its facts; only here do they become sentences, so that a rewording or another
// language changes nothing the program decides.
namespace ErrorTexts {

// The text of the default error box for a failure a handler did not catch.
QString of(const std::exception& error);
QString of(const StoreError& error);

// The notices of the work nobody waits for (the polls and the refreshes).
QString missingNotice(const QString& storePath);
QString busyNotice(const StoreError& error);
QString failureNotice(const QString& reason);
// The box of a store that cannot be reached or used, with what its engine said.
QString connectionFailure(const StoreError& error);

} // namespace ErrorTexts
