// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace wirtal {

// The one exception type of the program: carries a clear Polish message that names the file,
// line or value concerned. Thrown where a handler cannot go on; caught only by the guard.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Every entry point (click, value change, key, timer tick) runs through the guard: an exception
// that escapes the handler is shown in the "Wirtal" message box and the program goes on.
using ErrorSink = std::function<void(const QString&)>;

// Installs where the guard reports; returns the previous sink. Without a sink the message goes
// to standard error.
ErrorSink setErrorSink(ErrorSink sink);

// Runs fn; returns false when it ended with an exception (already reported).
bool guarded(const std::function<void()>& fn);

} // namespace wirtal
