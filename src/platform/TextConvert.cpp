#include "platform/TextConvert.h"

#include <limits>

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(
          QStringLiteral("'%1' is not a valid integer value").arg(text).toUtf8().toStdString()),
      text_(text) {}

int TextConvert::toInt(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        throw ConversionError(text);
    long long value = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            throw ConversionError(text);
        value = value * 10 + (c.unicode() - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            throw ConversionError(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw ConversionError(text);
    return static_cast<int>(value);
}

QString TextConvert::trim(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

namespace {

constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopDirectionalIsolate = 0x2069;

// Characters that can move the text around them: right-to-left letters and numbers, and
// every direction control.
bool movesNeighbours(char32_t c) {
    switch (QChar::direction(c)) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        return false;
    }
}

bool anyMovesNeighbours(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (movesNeighbours(c))
            return true;
    }
    return false;
}

// Line ends close every run of direction, so each line gets a run of its own.
bool isParagraphSeparator(QChar c) {
    return c.direction() == QChar::DirB;
}

} // namespace

QString isolatedText(const QString& text) {
    if (!anyMovesNeighbours(text))
        return text;
    QString shown;
    shown.reserve(text.size() + 8);
    int openedInside = 0; // isolates the text opened on this line and has not closed
    auto closeRun = [&] {
        for (; openedInside > 0; --openedInside)
            shown += QChar(kPopDirectionalIsolate);
        shown += QChar(kPopDirectionalIsolate);
    };
    shown += QChar(kFirstStrongIsolate);
    for (const QChar c : text) {
        if (isParagraphSeparator(c)) {
            closeRun();
            shown += c;
            shown += QChar(kFirstStrongIsolate);
            continue;
        }
        switch (c.direction()) {
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
            ++openedInside;
            break;
        case QChar::DirPDI:
            // Without an isolate of its own to close, it would close the run.
            if (openedInside == 0)
                continue;
            --openedInside;
            break;
        default:
            break;
        }
        shown += c;
    }
    closeRun();
    return shown;
}
