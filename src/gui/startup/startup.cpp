// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/startup.h"

#include "art/palette.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace wirtal {

std::optional<QString> infoOptionText(int argc, const char* const* argv, const QString& version) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0)
            return QStringLiteral("wirtal %1\n").arg(version);
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0)
            return QStringLiteral(
                "Użycie: wirtal [OPCJA]\n"
                "Wirtal 2013 - trener egzaminu teoretycznego na prawo jazdy.\n"
                "\n"
                "  -h, --help     wypisuje ten opis i kończy\n"
                "  -v, --version  wypisuje wersję programu i kończy\n"
                "\n"
                "Folder programu (baza pytań): bieżący katalog, jeśli zawiera bazę; inaczej\n"
                "katalog zaimportowany do folderu danych użytkownika; inaczej folder\n"
                "zainstalowany z programem. Dane użytkownika (statystyki, powtórki): folder\n"
                "Norel w katalogu danych użytkownika (zwykle ~/.local/share/Norel).\n"
                "Zobacz też: wirtal-bank(1).\n");
    }
    return std::nullopt;
}

void setApplicationIdentity(const QString& version) {
    QCoreApplication::setApplicationName(QStringLiteral("Wirtal 2013"));
    // No separate display name: Qt would append it to every window title.
    QCoreApplication::setApplicationVersion(version);
    QCoreApplication::setOrganizationName(QStringLiteral("Norel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pl.norel.Wirtal"));
}

QPalette fixedPalette() {
    const QColor paper(240, 240, 240);
    const QColor white(255, 255, 255);
    const QColor ink(0, 0, 0);
    const QColor navy = art::palette::navy; // the program's own lettering colour
    const QColor grey(120, 120, 120);
    QPalette p(paper);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, paper);
        p.setColor(group, QPalette::WindowText, ink);
        p.setColor(group, QPalette::Base, white);
        p.setColor(group, QPalette::AlternateBase, QColor(233, 238, 246));
        p.setColor(group, QPalette::Text, ink);
        p.setColor(group, QPalette::Button, paper);
        p.setColor(group, QPalette::ButtonText, ink);
        p.setColor(group, QPalette::BrightText, white);
        p.setColor(group, QPalette::Highlight, navy);
        p.setColor(group, QPalette::HighlightedText, white);
        p.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        p.setColor(group, QPalette::ToolTipText, ink);
        p.setColor(group, QPalette::PlaceholderText, grey);
        p.setColor(group, QPalette::Link, QColor(0, 0, 200));
        p.setColor(group, QPalette::LinkVisited, QColor(85, 26, 139));
        p.setColor(group, QPalette::Light, white);
        p.setColor(group, QPalette::Midlight, QColor(227, 227, 227));
        p.setColor(group, QPalette::Mid, QColor(160, 160, 160));
        p.setColor(group, QPalette::Dark, QColor(105, 105, 105));
        p.setColor(group, QPalette::Shadow, QColor(64, 64, 64));
    }
    p.setColor(QPalette::Disabled, QPalette::Window, paper);
    p.setColor(QPalette::Disabled, QPalette::Base, paper);
    p.setColor(QPalette::Disabled, QPalette::Button, paper);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, grey);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, white);
    return p;
}

double panelScaleFor(double availableWidth, double availableHeight) {
    constexpr double neededWidth = 1129, neededHeight = 768;
    if (availableWidth <= 0 || availableHeight <= 0)
        return 1.0;
    const double fit = std::min(availableWidth / neededWidth, availableHeight / neededHeight);
    // Only up: Qt 6.4's widgets paint with holes at a global scale below 1, so a small screen
    // keeps scale 1 and the window's layout keeps the essentials in view (layoutWithin).
    if (fit < 1.25)
        return 1.0;
    return std::min(fit, 4.0);
}

void restartScaledIfNeeded(char** argv) {
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qEnvironmentVariableIsSet("WIRTAL_SCALED"))
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const double scale = panelScaleFor(area.width(), area.height());
    if (std::abs(scale - 1.0) < 0.01)
        return;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale, 'f', 3));
    qputenv("WIRTAL_SCALED", "1");
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    ::execv(self.constData(), argv);
    // The restart failed: go on unscaled.
    qunsetenv("QT_SCALE_FACTOR");
#else
    Q_UNUSED(argv);
#endif
}

bool installQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool any = false;
    for (const char* name : {"qtbase_pl", "qtmultimedia_pl"}) {
        auto* t = new QTranslator(&app);
        if (t->load(QString::fromLatin1(name), folder)) {
            QCoreApplication::installTranslator(t);
            any = true;
        } else {
            delete t;
        }
    }
    return any;
}

bool measuringStartup() {
    return qEnvironmentVariableIntValue("WIRTAL_MEASURE_STARTUP") == 1;
}

void stampStartup(const char* what) {
    if (!measuringStartup())
        return;
    std::printf("wirtal-startup %s %lld\n", what, QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
}

} // namespace wirtal
