#pragma once

#include "chrome/ErrorTexts.h"
#include "platform/MessageBoxes.h"

#include <QString>
#include <exception>
#include <utility>

// Every event handler is entered through this guard: a store error or a failed integer
// conversion leaves the handler and shows the default error box with its message. No
// exception ever crosses a Qt signal or event boundary.
template <class Handler> void guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        MessageBoxes::defaultError(ErrorTexts::of(error));
    } catch (...) {
        MessageBoxes::defaultError(QStringLiteral("未知错误"));
    }
}

// A slot that enters the object's handler through the guard.
template <class Object> auto guardedSlot(Object* object, void (Object::*handler)()) {
    return [object, handler] { guarded([object, handler] { (object->*handler)(); }); };
}
