// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/error.h"

#include <QString>

#include <functional>

namespace wirtal::test {

// What errorOf gives when fn throws nothing.
inline const QString noError = QStringLiteral("(no error)");

// The message of the Error that fn throws, or noError.
inline QString errorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.message();
    }
    return noError;
}

} // namespace wirtal::test
