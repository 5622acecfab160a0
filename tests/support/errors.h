#pragma once

#include "platform/error.h"

#include <QString>

#include <functional>

namespace wirtal::test {

// The message of the Error that fn throws, or "(no error)".
inline QString errorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

} // namespace wirtal::test
