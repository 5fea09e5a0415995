#pragma once

#include <QString>
#include <optional>

class Query;

// Logging in and passwords, whichever engine holds the store. A file store keeps each
// account's password as a verifier that the program checks; a server store knows each account
// as a role of its own, so that the server itself checks the password when the program
// connects as that role. Either way, what is typed is normalised (Passwords::normalised)
// before anything is computed or sent, and no password is ever stored or read.
namespace Accounts {

// The longest login name account creation takes, and so the login dialog too.
inline constexpr int kLongestLoginName = 20;

struct LoggedIn {
    int key = 0;
    QString trueName;
    bool administrator = false;
    // Logged in with the initial administrator password: a new one must be chosen first.
    bool mustChangePassword = false;
};

// Checks a login on the query's connection; on a server it connects as the account's role.
// Empty for a wrong login name or password. A plain password of a store made by the previous
// version is replaced by its verifier at its first successful login. Throws StoreError when
// the store cannot be reached or is not usable (a server store not upgraded).
std::optional<LoggedIn> logIn(Query& query, const QString& loginName, const QString& typedPassword);

// Whether asking if a password is right costs nothing (a file), or a connection to the server
// (which is then asked only when the user confirms, never at each keystroke).
bool checkingPasswordIsCheap(const Query& query);
// Whether the typed password is the account's.
bool passwordMatches(Query& query, int accountKey, const QString& loginName,
                     const QString& typedPassword);
// Gives the account a new password (its verifier); on a server the account's role gets it as
// well, and the connection keeps the new one for opening itself again.
void changePassword(Query& query, int accountKey, const QString& typedPassword);

// What UserPwd receives for a new account's password.
QString storedPassword(const QString& typedPassword);
// Whether the login name can be an account of this store (a server's role names have a
// limit of 63 bytes).
bool fitsStore(const Query& query, const QString& loginName);
// Whether an account may have an empty password (a server's roles cannot log in without one).
bool acceptsEmptyPassword(const Query& query);
// Whether the store may still hold an administrator with the initial password, which the
// login dialog then shows: a file store (a server's administrator chose his when it was made).
bool mayHaveInitialPassword(const Query& query);

} // namespace Accounts
