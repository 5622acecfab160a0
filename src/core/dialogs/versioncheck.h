// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace wirtal::version {

// The program's own version; the version page's title names the current one.
inline constexpr int releaseNumber = 10;
// Where the version page lies on the maker's web server.
inline constexpr char pagePath[] = "/updates/twersja10.html";
// The maker's server, unless wirtal.ini in the user data folder names another
// ([aktualizacje] serwer=http://host:port).
inline constexpr char defaultServer[] = "http://www.norel.pl";

// The full address of the version page.
QUrl pageUrl();

// The text of the page's title element, as a browser gives it: markup entities decoded, blanks
// at the ends removed and runs of blanks made one. Empty when there is none.
QString htmlTitle(const QByteArray& html);

// The raw text of the first title element of a decoded page, comments taken out (the first step
// of htmlTitle); nothing when the page has no complete title element.
std::optional<QString> titleElementText(const QString& page);

// The version a title names: exactly two decimal digits; anything else names none.
std::optional<int> fromTitle(const QString& title);

// What the update window says after the page loaded.
enum class State { Waiting, NotCurrent, Current, NoConnection };
State evaluate(const QString& title);

} // namespace wirtal::version
