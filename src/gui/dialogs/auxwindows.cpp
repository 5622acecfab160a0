// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/auxwindows.h"

#include "dialogs/aboutform.h"
#include "dialogs/helpform.h"
#include "dialogs/updateform.h"
#include "dialogs/versioncheck.h"
#include "platform/services.h"
#include "platform/webloader.h"

#include <QWidget>

namespace wirtal {

AuxWindows::AuxWindows(const Services& services, QWidget* mainWindow) : QObject(mainWindow) {
    // The silent check of the start page's hidden view "WebBrowser4".
    if (services.web)
        services.web->get(version::pageUrl(), this,
                          [this](const WebPage& page) { silentCheck(page); });
    update_ = new UpdateForm(*services.timers, services.web, mainWindow);
    about_ = new AboutForm(mainWindow);
    help_ = new HelpForm(mainWindow);
}

void AuxWindows::showUpdates() {
    update_->showWindow();
}
void AuxWindows::showAbout() {
    about_->showModal();
}
void AuxWindows::showRules() {
    help_->showRules();
}

void AuxWindows::silentCheck(const WebPage& page) {
    const QString title = page.ok ? version::htmlTitle(page.body) : QString();
    if (version::evaluate(title) == version::State::NotCurrent)
        update_->showWindow();
}

} // namespace wirtal
