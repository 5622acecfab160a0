// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/error.h"

#include <QDebug>

#include <exception>
#include <utility>

namespace wirtal {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

namespace {
ErrorSink& sink() {
    static ErrorSink s;
    return s;
}

void report(const QString& text) {
    if (sink())
        sink()(text);
    else
        qWarning().noquote() << text;
}
} // namespace

ErrorSink setErrorSink(ErrorSink s) {
    return std::exchange(sink(), std::move(s));
}

bool guarded(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const Error& e) {
        report(e.message());
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("Wystąpił nieoczekiwany błąd programu."));
    }
    return false;
}

} // namespace wirtal
