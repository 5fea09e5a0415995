#pragma once

#include <QByteArray>
#include <QString>

// Passwords are never stored: an account holds a salted SCRAM-SHA-256 verifier in PostgreSQL's
// own format (RFC 5803), so that one verifier serves both engines: the program checks it on a
// file store, and a server gets it unchanged as the account's role password, which libpq then
// answers with the password the program computed from what was typed.
namespace Passwords {

// The most characters a password may have, wherever one is typed.
inline constexpr int kMaximumLength = 64;
// Fewer rounds than PostgreSQL's own default would make a stolen store cheaper to attack.
inline constexpr int kMinimumIterations = 4096;

// What is computed and sent for a typed password: Unicode NFKC (so full-width digits typed
// through an input method match, as the server's SASLprep does), without the blanks and
// control characters around it, then folded to lower case (a password is compared without
// regard to letter case, on both engines). Normalising twice changes nothing.
QString normalised(const QString& typed);

// The bytes the SCRAM keys are derived from, as libpq prepares a password before it logs in
// (SASLprep, RFC 4013): a password that cannot be prepared is used as it is.
QByteArray prepared(const QString& password);

// A verifier of an already normalised password, with a fresh random salt of 16 bytes:
//   SCRAM-SHA-256$<iterations>:<salt>$<StoredKey>:<ServerKey>
// Fewer than kMinimumIterations rounds are raised to that many.
QString makeVerifier(const QString& normalisedPassword, int iterations = kMinimumIterations);
// The same with a given salt, for checks against vectors computed elsewhere.
QString makeVerifier(const QString& normalisedPassword, const QByteArray& salt, int iterations);

// Whether a stored value is a well-formed verifier (anything else is a plain password of a
// store made by the previous version).
bool isVerifier(const QString& stored);

// Whether a typed password opens an account that holds `stored`. A verifier is checked by
// deriving its StoredKey again; a value that claims to be one but is malformed never matches.
// A plain value is compared as the previous version's statement did: the typed text without
// the blanks around it, equal without regard to ASCII letter case.
bool matches(const QString& typed, const QString& stored);

} // namespace Passwords
