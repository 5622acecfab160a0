// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wirtal {

class TimerService;
class Dialogs;
class Random;
class WallClock;
class MediaPlayer;
class WebPageLoader;
class Downloader;
class ReportOutput;

// The seams handed to the main window: real implementations in the program, test doubles in the
// tests. None is owned here.
struct Services {
    TimerService* timers = nullptr;
    Dialogs* dialogs = nullptr;
    Random* random = nullptr;
    WallClock* clock = nullptr;
    MediaPlayer* player = nullptr;
    WebPageLoader* web = nullptr; // the version page; without it no check is made
    ReportOutput* report = nullptr;
    Downloader* downloader = nullptr; // the catalogue page and files; without it none is read
};

} // namespace wirtal
