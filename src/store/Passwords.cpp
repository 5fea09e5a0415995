#include "store/Passwords.h"
#include "store/SaslPrepTables.h"

#include <QList>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>
#include <openssl/sha.h>
#include <optional>
#include <stdexcept>

namespace {

const QString kPrefix = QStringLiteral("SCRAM-SHA-256$");
constexpr int kKeyLength = SHA256_DIGEST_LENGTH;
constexpr int kSaltLength = 16;

// The blanks and control characters the dialogs have always ignored around a password: the
// same rule as TextConvert::trim, which the store cannot reach (the platform layer brings the
// widgets with it).
QString withoutSurroundingBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

template <std::size_t N> bool isIn(const SaslPrepTables::Range (&table)[N], char32_t code) {
    const auto* found = std::lower_bound(
        std::begin(table), std::end(table), code,
        [](const SaslPrepTables::Range& range, char32_t c) { return range.last < c; });
    return found != std::end(table) && found->first <= code;
}

// SASLprep as libpq applies it; nothing when the password cannot be prepared.
std::optional<QByteArray> saslPrepared(const QString& password) {
    if (std::all_of(password.begin(), password.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return password.toUtf8();
    QList<uint> mapped;
    for (const uint code : password.toUcs4()) {
        if (isIn(SaslPrepTables::kNonAsciiSpaces, code))
            mapped.append(U' ');
        else if (!isIn(SaslPrepTables::kMappedToNothing, code))
            mapped.append(code);
    }
    if (mapped.isEmpty())
        return std::nullopt;
    const QList<uint> codes =
        QString::fromUcs4(reinterpret_cast<const char32_t*>(mapped.constData()), mapped.size())
            .normalized(QString::NormalizationForm_KC)
            .toUcs4();
    bool rightToLeft = false;
    for (const uint code : codes) {
        if (isIn(SaslPrepTables::kProhibited, code))
            return std::nullopt;
        rightToLeft = rightToLeft || isIn(SaslPrepTables::kRandALCat, code);
    }
    if (rightToLeft) {
        if (std::any_of(codes.begin(), codes.end(),
                        [](uint code) { return isIn(SaslPrepTables::kLCat, code); }) ||
            !isIn(SaslPrepTables::kRandALCat, codes.front()) ||
            !isIn(SaslPrepTables::kRandALCat, codes.back()))
            return std::nullopt;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.constData()), codes.size())
        .toUtf8();
}

QByteArray hmac(const QByteArray& key, const char* message) {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!HMAC(EVP_sha256(), key.constData(), int(key.size()),
              reinterpret_cast<const unsigned char*>(message), std::strlen(message), out, &length))
        throw std::runtime_error("HMAC-SHA-256 failed");
    return QByteArray(reinterpret_cast<const char*>(out), int(length));
}

QByteArray saltedPassword(const QByteArray& password, const QByteArray& salt, int iterations) {
    QByteArray out(kKeyLength, Qt::Uninitialized);
    if (!PKCS5_PBKDF2_HMAC(password.constData(), int(password.size()),
                           reinterpret_cast<const unsigned char*>(salt.constData()),
                           int(salt.size()), iterations, EVP_sha256(), kKeyLength,
                           reinterpret_cast<unsigned char*>(out.data())))
        throw std::runtime_error("PBKDF2-HMAC-SHA-256 failed");
    return out;
}

QByteArray storedKey(const QByteArray& salted) {
    const QByteArray clientKey = hmac(salted, "Client Key");
    QByteArray out(kKeyLength, Qt::Uninitialized);
    SHA256(reinterpret_cast<const unsigned char*>(clientKey.constData()), clientKey.size(),
           reinterpret_cast<unsigned char*>(out.data()));
    return out;
}

struct Verifier {
    int iterations = 0;
    QByteArray salt;
    QByteArray storedKey;
    QByteArray serverKey;
};

std::optional<QByteArray> strictBase64(const QString& text) {
    auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || text.isEmpty())
        return std::nullopt;
    return *decoded;
}

std::optional<Verifier> parsed(const QString& stored) {
    if (!stored.startsWith(kPrefix))
        return std::nullopt;
    const QStringList halves = stored.mid(kPrefix.size()).split(QLatin1Char('$'));
    if (halves.size() != 2)
        return std::nullopt;
    const QStringList head = halves[0].split(QLatin1Char(':'));
    const QStringList keys = halves[1].split(QLatin1Char(':'));
    if (head.size() != 2 || keys.size() != 2)
        return std::nullopt;
    Verifier verifier;
    bool isNumber = false;
    verifier.iterations = head[0].toInt(&isNumber);
    if (!isNumber || verifier.iterations <= 0 ||
        !std::all_of(head[0].begin(), head[0].end(),
                     [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const auto salt = strictBase64(head[1]);
    const auto storedKeyBytes = strictBase64(keys[0]);
    const auto server = strictBase64(keys[1]);
    if (!salt || !storedKeyBytes || !server || storedKeyBytes->size() != kKeyLength ||
        server->size() != kKeyLength)
        return std::nullopt;
    verifier.salt = *salt;
    verifier.storedKey = *storedKeyBytes;
    verifier.serverKey = *server;
    return verifier;
}

bool equalIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

QString Passwords::normalised(const QString& typed) {
    return withoutSurroundingBlanks(typed.normalized(QString::NormalizationForm_KC)).toLower();
}

QByteArray Passwords::prepared(const QString& password) {
    return saslPrepared(password).value_or(password.toUtf8());
}

QString Passwords::makeVerifier(const QString& normalisedPassword, int iterations) {
    QByteArray salt(kSaltLength, Qt::Uninitialized);
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), kSaltLength) != 1)
        throw std::runtime_error("no random bytes for a password's salt");
    return makeVerifier(normalisedPassword, salt, iterations);
}

QString Passwords::makeVerifier(const QString& normalisedPassword, const QByteArray& salt,
                                int iterations) {
    iterations = std::max(iterations, kMinimumIterations);
    const QByteArray salted = saltedPassword(prepared(normalisedPassword), salt, iterations);
    return kPrefix + QString::number(iterations) + QLatin1Char(':') +
           QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') +
           QString::fromLatin1(storedKey(salted).toBase64()) + QLatin1Char(':') +
           QString::fromLatin1(hmac(salted, "Server Key").toBase64());
}

bool Passwords::isVerifier(const QString& stored) {
    return parsed(stored).has_value();
}

bool Passwords::matches(const QString& typed, const QString& stored) {
    if (stored.isNull())
        return false;
    if (!stored.startsWith(kPrefix))
        return equalIgnoringAsciiCase(withoutSurroundingBlanks(typed), stored);
    const auto verifier = parsed(stored);
    if (!verifier)
        return false;
    const QByteArray key = storedKey(
        saltedPassword(prepared(normalised(typed)), verifier->salt, verifier->iterations));
    return CRYPTO_memcmp(key.constData(), verifier->storedKey.constData(), kKeyLength) == 0;
}
