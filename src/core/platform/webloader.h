// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QUrl>

#include <functional>

class QObject;

namespace wirtal {

// A finished page load. ok only for a complete answer with a success status (2xx); then body
// holds the page as received.
struct WebPage {
    QUrl url;
    bool ok = false;
    QByteArray body;
};

// Loads a web page (the version page) in the background. done runs later on the GUI thread,
// never inside get(), exactly once, through the error guard; it does not run at all when context
// has been destroyed meanwhile.
class WebPageLoader {
public:
    virtual ~WebPageLoader() = default;
    virtual void get(const QUrl& url, QObject* context,
                     std::function<void(const WebPage&)> done) = 0;
};

} // namespace wirtal
