// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

namespace wirtal {

struct Services;
class UpdateForm;
class AboutForm;
class HelpForm;
struct WebPage;

// The auxiliary windows of the main window, created hidden at start-up in the order update,
// about, rules, and the silent version check made at start. The windows are the main window's
// children, so they live as long as it does.
class AuxWindows : public QObject {
    Q_OBJECT
public:
    // Starts the silent check first, then creates the update window (which starts its own load).
    AuxWindows(const Services& services, QWidget* mainWindow);

    UpdateForm* updateForm() const { return update_; }
    AboutForm* aboutForm() const { return about_; }
    HelpForm* helpForm() const { return help_; }

    // "Aktualizacje", "O programie", "zasady egzaminu...".
    void showUpdates();
    void showAbout();
    void showRules();

    // The main window's silent check of a finished load ("WebBrowser4DocumentComplete"): the
    // update window opens by itself when the page names another version.
    void silentCheck(const WebPage& page);

private:
    UpdateForm* update_ = nullptr;
    AboutForm* about_ = nullptr;
    HelpForm* help_ = nullptr;
};

} // namespace wirtal
