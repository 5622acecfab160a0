// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "results/reportparams.h"

#include <functional>

namespace wirtal {

class Dialogs;
class ReportOutput;

// "Drukuj" and "Zapisz" of a finished test. The template is "testy.rav" in the user data folder;
// without it both do nothing and say nothing.
class Report {
public:
    // input() gives the finished test at the moment of the click.
    Report(Dialogs& dialogs, ReportOutput& output, std::function<ReportInput()> input);

    void printReport();
    void saveReport();

    static QString templatePath();
    // Copies the template that ships with the program into the user data folder when none is
    // there; a user's own template is never overwritten.
    static void installDefaultTemplate();

private:
    // The filled-in template, or an empty string when there is no template.
    QString filled() const;
    // Where the save dialog opens: the documents folder and a dated file name.
    QString suggestedFile() const;

    Dialogs& dialogs_;
    ReportOutput& output_;
    std::function<ReportInput()> input_;
};

} // namespace wirtal
