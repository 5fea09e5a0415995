#pragma once

#include <QString>
#include <stdexcept>

// A statement the engine refused or could not run; carries the engine's message.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toUtf8().toStdString()) {}
};
