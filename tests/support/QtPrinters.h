#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>

// Readable failure messages for Qt values in GoogleTest.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral("|")).toStdString() << ']';
}
inline void PrintTo(const QVariant& value, std::ostream* os) {
    *os << "QVariant(" << value.typeName() << ", " << value.toString().toStdString() << ')';
}
inline void PrintTo(const QDateTime& moment, std::ostream* os) {
    *os << moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
}
