// The check for a newer version at the maker's web service, and the update page where people fetch it.
#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>

namespace UpdateService {

// The folder of the service on the maker's web site, ending with "/"; tests point it at a local server.
QString BaseUrl();
void SetBaseUrl(const QString& url);
// How long the query waits for the whole reply, in milliseconds.
int Timeout();
void SetTimeout(int milliseconds);

QUrl QueryUrl();
QUrl UpdatePageUrl();

} // namespace UpdateService

// Whole days since 30 December 1899 (day 1 is 31 December 1899), truncated toward zero.
int DayNumber(const QDateTime& dateTime);

// Asks the service for the newest version unless a check succeeded within the last two days. True when the
// service names a version other than this program's; a successful answer moves gSettings.LastCheck to today.
// A failed request, an HTTP error or a reply of any other form changes nothing and shows nothing.
bool CheckForUpdate();
// Opens the update page in the desktop's browser.
void OpenUpdatePage();
// The automatic check at start: when the service names another version, offers the update page.
void AutomaticUpdateCheck();
