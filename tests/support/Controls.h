#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QTimerEvent>
#include <gtest/gtest.h>
#include <source_location>
#include <stdexcept>
#include <string>

// Thrown when a test asks for a control its window does not have; the failure is already
// recorded at the test's line, the throw only stops the test there.
class MissingControl : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The window's one control of type T named `name` (its objectName, which is the member's name
// in the window's code), found wherever it lies among the window's children. A missing control,
// or two of that name, fail the test at the caller's line with the name.
template <class T>
T* control(const QObject* window, const char* name,
           std::source_location where = std::source_location::current()) {
    const QList<T*> found = window->findChildren<T*>(QString::fromLatin1(name));
    if (found.size() == 1)
        return found.front();
    const std::string problem =
        (found.isEmpty() ? "no control named " : "several controls named ") + std::string(name) +
        " of the type asked for in " + window->objectName().toStdString();
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << problem;
    throw MissingControl(problem);
}

// One timeout of a started timer, delivered as the event loop delivers it.
inline void deliverTimeout(QTimer* timer) {
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
}
