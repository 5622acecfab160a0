// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/versioncheck.h"

#include <QWidget>

#include <memory>

class QLabel;

namespace wirtal {

class HtmlView;
class Timer;
class TimerService;
class WebPageLoader;
struct WebPage;

// The update window "updateform": loads the version page by itself when it is created and tells
// whether the program is current, with the page shown below. Modeless; closing only hides it.
class UpdateForm : public QWidget {
    Q_OBJECT
public:
    // Without a loader nothing is loaded and the window keeps its waiting text.
    UpdateForm(TimerService& timers, WebPageLoader* web, QWidget* parent = nullptr);
    ~UpdateForm() override;

    version::State state() const { return state_; }
    Timer* timer() const { return closeTimer_.get(); }
    HtmlView* view() const { return view_; }
    void showWindow();

    // A finished load of the window's own view ("UpdateWebBrowserDocumentComplete").
    void pageLoaded(const WebPage& page);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fetchPictures();

    QLabel* statusLabel_ = nullptr;
    QLabel* downloadLabel_ = nullptr;
    QWidget* panel_ = nullptr;
    HtmlView* view_ = nullptr;
    WebPageLoader* web_ = nullptr;
    std::unique_ptr<Timer> closeTimer_;
    version::State state_ = version::State::Waiting;
};

} // namespace wirtal
