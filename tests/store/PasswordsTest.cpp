// Password verifiers: what a typed password becomes, the SCRAM math against vectors computed
// elsewhere, the check of both stored forms, and agreement with the server and libpq.
#include "store/Passwords.h"
#include "support/TempStore.h"

#include <QUuid>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <memory>

namespace {

TEST(PasswordsTest, NormalisingFoldsWidthAndLetterCaseAndKeepsChinese) {
    const struct {
        QString typed;
        QString expected;
    } cases[] = {
        {"Secret", "secret"},
        {"１２３４５６", "123456"},
        {"ＡｂＣ", "abc"},
        {"密码提醒", "密码提醒"},
        {"  PassWord\t", "password"},
        {"a\u3000b", "a b"},            // ideographic space
        {"\u3000密码\u3000", "密码"},   // ...also around the password
        {"\u2160\u2163", "iiv"},        // Roman numerals
        {"\uFB01\u00BD", "fi1\u20442"}, // ligature, vulgar fraction
        {"A\u030A", "\u00E5"},          // composed
        {"\uFF76\uFF9E", "\u30AC"},     // half-width katakana with its voicing mark
        {"\u00C9COLE", "\u00E9cole"},   // non-ASCII capital
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(Passwords::normalised(c.typed), c.expected);
        EXPECT_EQ(Passwords::normalised(c.expected), c.expected);
    }
}

// libpq prepares a password before deriving its keys; a password it cannot prepare is used
// as given, so dropping or mapping characters there would lock the account out.
TEST(PasswordsTest, PreparingMapsAndDropsCharactersUnlessSomethingIsProhibited) {
    const struct {
        const char* what;
        QString password;
        QString expected;
    } cases[] = {
        {"ASCII is left alone, controls included", "a\tB c", "a\tB c"},
        {"soft hyphen dropped, zero-width space a space", "密\u00AD码\u200B", "密码 "},
        {"no-break space a space", "密\u00A0码", "密 码"},
        {"only characters that go: kept", "\u200D", "\u200D"},
        {"unassigned in Unicode 3.2: kept", "\u00AD密\u9FA6", "\u00AD密\u9FA6"},
        {"private use: kept", "\u00AD密\uE000", "\u00AD密\uE000"},
        {"right to left throughout", "\u05E9\u00AD\u05DC", "\u05E9\u05DC"},
        {"right to left ending in a digit: kept", "\u05E9\u00AD\u05DC1", "\u05E9\u00AD\u05DC1"},
        {"right to left beside Latin: kept", "\u05E9\u00ADa\u05DC", "\u05E9\u00ADa\u05DC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(QString::fromUtf8(Passwords::prepared(c.password)), c.expected);
    }
}

TEST(PasswordsTest, AVerifierForAGivenSaltIsTheOneComputedElsewhere) {
    // Computed with Python's hashlib.pbkdf2_hmac and hmac.
    const struct {
        QString password;
        QByteArray salt;
        int iterations;
        QString expected;
    } cases[] = {
        {"pencil", QByteArray::fromBase64("W22ZaJ0SNY7soEsUEjb6gQ=="), 4096,
         "SCRAM-SHA-256$4096:W22ZaJ0SNY7soEsUEjb6gQ==$WG5d8oPm3OtcPnkdi4Uo7BkeZkBFzpcXkuLmtbsT4qY="
         ":wfPLwcE6nTWhTAmQ7tl2KeoiWGPlZqQxSrmfPwDl2dU="},
        {"密码123", QByteArray::fromHex("000102030405060708090a0b0c0d0e0f"), 5000,
         "SCRAM-SHA-256$5000:AAECAwQFBgcICQoLDA0ODw==$aWmtCFAJIbaIuxKh7itMAt5WJctwzN4DSNOlz27J5aM="
         ":g86w3XRbq1PkHKndZOr/CZiFwX+ucaiwY6n6XrKVgVw="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password.toStdString());
        EXPECT_EQ(Passwords::makeVerifier(c.password, c.salt, c.iterations), c.expected);
        EXPECT_TRUE(Passwords::matches(c.password, c.expected));
    }
    EXPECT_TRUE(Passwords::makeVerifier("pencil", QByteArray(16, 'x'), 1000)
                    .startsWith("SCRAM-SHA-256$4096:"))
        << "fewer rounds than the minimum are raised";
}

TEST(PasswordsTest, EachVerifierHasItsOwnRandomSalt) {
    const QString first = Passwords::makeVerifier("secret");
    const QString second = Passwords::makeVerifier("secret");
    EXPECT_NE(first, second);
    for (const QString& verifier : {first, second}) {
        EXPECT_TRUE(Passwords::isVerifier(verifier)) << verifier.toStdString();
        const QString salt = verifier.section('$', 1, 1).section(':', 1, 1);
        EXPECT_EQ(QByteArray::fromBase64(salt.toLatin1()).size(), 16);
        EXPECT_TRUE(Passwords::matches("SECRET", verifier));
    }
}

TEST(PasswordsTest, ATypedPasswordMatchesAVerifierOrAPlainValueAsBefore) {
    const QString verifier = Passwords::makeVerifier(Passwords::normalised("Secret１２"));
    const struct {
        const char* what;
        QString typed;
        QString stored;
        bool expected;
    } cases[] = {
        {"as typed at creation", "Secret１２", verifier, true},
        {"other letter case, ASCII digits", "sECRET12", verifier, true},
        {"blanks around", "  secret12\t", verifier, true},
        {"wrong", "secret13", verifier, false},
        {"empty", "", verifier, false},
        {"plain: other letter case", "aBC", "Abc", true},
        {"plain: blanks around the typed text", " abc\t", "Abc", true},
        {"plain: blanks kept in the stored text", "abc", "abc ", false},
        {"plain: full width is another text", "ＡＢＣ", "abc", false},
        {"plain: non-ASCII letter case counts", "ä", "Ä", false},
        {"plain: wrong", "abd", "abc", false},
        {"plain: empty matches empty", " ", "", true},
        {"no stored value at all", "", QString(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Passwords::matches(c.typed, c.stored), c.expected);
    }
}

TEST(PasswordsTest, AMalformedVerifierIsNoneAndNeverMatches) {
    const QString good = Passwords::makeVerifier("x");
    const QString salt = good.section('$', 1, 1).section(':', 1, 1);
    const QString stored = good.section('$', 2, 2).section(':', 0, 0);
    const QString server = good.section('$', 2, 2).section(':', 1, 1);
    const QString prefix = "SCRAM-SHA-256$";
    const QString malformed[] = {
        prefix,
        prefix + "0:" + salt + "$" + stored + ":" + server,
        prefix + "-4096:" + salt + "$" + stored + ":" + server,
        prefix + "+4096:" + salt + "$" + stored + ":" + server,
        prefix + "4096x:" + salt + "$" + stored + ":" + server,
        prefix + "4096:$" + stored + ":" + server,
        prefix + "4096:" + salt + "$" + stored,
        prefix + "4096:" + salt + "$" + stored + ":" + server + "$",
        prefix + "4096:" + salt + "$" + stored + ":" + server + ":" + server,
        prefix + "4096:" + salt + "$" + stored.left(40) + ":" + server,
        prefix + "4096:" + salt + "$" + stored + ":" + server.left(43) + "*",
        prefix + "4096:" + salt + "$" + QByteArray(31, 'k').toBase64() + ":" + server,
    };
    EXPECT_TRUE(Passwords::isVerifier(good));
    for (const QString& m : malformed) {
        SCOPED_TRACE(m.toStdString());
        EXPECT_FALSE(Passwords::isVerifier(m));
        EXPECT_FALSE(Passwords::matches("x", m));
        EXPECT_FALSE(Passwords::matches(m, m));
    }
}

// On the server: what a user may type, in the form the dialogs send it.
const QString kServerPasswords[] = {
    "Secret",
    "密码１２３",
    "春　眠 不觉晓",
    "密\u00AD码\u200B9",
    "\u00AD密\u9FA6",
    "\u05E9\u00AD\u05DC",
    "\u05E9\u00AD\u05DC1",
    QString("提醒").repeated(16) + QString("Ａb3").repeated(10) + "xy",
};

struct PgConnectionClose {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
using PgConnection = std::unique_ptr<PGconn, PgConnectionClose>;

PgConnection connectTo(const QString& user, const QString& password) {
    const QByteArray uri = TempStore::serverUri().toUtf8();
    const QByteArray userBytes = user.toUtf8();
    const QByteArray passwordBytes = password.toUtf8();
    const char* keywords[] = {"dbname", "user", "password", nullptr};
    const char* values[] = {uri.constData(), userBytes.constData(), passwordBytes.constData(),
                            nullptr};
    return PgConnection(PQconnectdbParams(keywords, values, 1));
}

class ServerRole {
public:
    explicit ServerRole(const QString& verifier)
        : name_("qx_pw_" + QUuid::createUuid().toString(QUuid::Id128)) {
        TempDatabase::runOnServer(
            QString("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(name_, verifier));
    }
    ~ServerRole() { TempDatabase::runOnServer("DROP ROLE " + name_); }
    const QString& name() const { return name_; }

private:
    QString name_;
};

#define REQUIRE_SERVER()                                                                           \
    if (!TempStore::serverConfigured())                                                            \
    GTEST_SKIP() << "needs the PostgreSQL test server: ctest -L postgres"

TEST(PasswordsOnPostgreSQLTest, ARoleWithOurVerifierLogsInThroughLibpqWithTheNormalisedPassword) {
    REQUIRE_SERVER();
    ASSERT_EQ(kServerPasswords[7].size(), Passwords::kMaximumLength);
    for (const QString& password : kServerPasswords) {
        SCOPED_TRACE(password.toStdString());
        const QString normalised = Passwords::normalised(password);
        const ServerRole role(Passwords::makeVerifier(normalised));
        const PgConnection right = connectTo(role.name(), normalised);
        EXPECT_EQ(PQstatus(right.get()), CONNECTION_OK) << PQerrorMessage(right.get());
        const PgConnection wrong = connectTo(role.name(), normalised + "x");
        EXPECT_NE(PQstatus(wrong.get()), CONNECTION_OK) << "the server asked for the password";
    }
}

TEST(PasswordsOnPostgreSQLTest, OurCheckAcceptsTheVerifierLibpqComputes) {
    REQUIRE_SERVER();
    const PgConnection server(PQconnectdb(TempStore::serverUri().toUtf8().constData()));
    ASSERT_EQ(PQstatus(server.get()), CONNECTION_OK) << PQerrorMessage(server.get());
    for (const QString& password : kServerPasswords) {
        SCOPED_TRACE(password.toStdString());
        char* computed = PQencryptPasswordConn(server.get(),
                                               Passwords::normalised(password).toUtf8().constData(),
                                               "someone", "scram-sha-256");
        ASSERT_NE(computed, nullptr) << PQerrorMessage(server.get());
        const QString verifier = QString::fromUtf8(computed);
        PQfreemem(computed);
        EXPECT_TRUE(Passwords::isVerifier(verifier)) << verifier.toStdString();
        EXPECT_TRUE(Passwords::matches(password.toUpper(), verifier));
        EXPECT_FALSE(Passwords::matches(password + "x", verifier));
    }
}

} // namespace
