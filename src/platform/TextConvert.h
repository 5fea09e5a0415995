#pragma once

#include <QString>
#include <stdexcept>

// Raised when a text that should hold a whole number does not. Its message names the text.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);
    // The text that is no whole number.
    const QString& text() const { return text_; }

private:
    QString text_;
};

namespace TextConvert {
// Reads a decimal 32-bit integer: optional leading blanks, an optional sign, digits, nothing
// after them. Anything else (empty, "1.5", "abc", "5 ") throws ConversionError with the
// message "'<text>' is not a valid integer value".
int toInt(const QString& text);
// Removes leading and trailing characters of code 32 or below (blanks and control characters).
QString trim(const QString& text);
} // namespace TextConvert

// A text that people entered, shown among other texts: right-to-left letters and direction
// controls in it may reorder the text itself but never its neighbours. Each line of the text
// is wrapped as an isolated run (U+2068 ... U+2069), and controls of the text that would
// leave the run early are left out of it. A text without such characters comes back
// unchanged; the text as stored is never touched.
QString isolatedText(const QString& text);
