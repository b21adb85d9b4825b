#include "UpdateCheck.h"

#include "Bazadanych.h"
#include "Clock.h"
#include "HttpClient.h"
#include "Prompter.h"
#include "Settings.h"
#include "Unitdata.h"
#include "UrlOpener.h"
#include "Vh_langmanager.h"

#include <cmath>

namespace UpdateService {

namespace {

// The product's two-letter code at the service.
const QString productCode = QStringLiteral("KV");
QString baseUrl = QStringLiteral("https://www.varnhold.example/kronvel/");
int timeout = 10000;

} // namespace

QString BaseUrl()
{
    return baseUrl;
}

void SetBaseUrl(const QString& url)
{
    baseUrl = url;
}

int Timeout()
{
    return timeout;
}

void SetTimeout(int milliseconds)
{
    timeout = milliseconds;
}

QUrl QueryUrl()
{
    return QUrl(baseUrl + QStringLiteral("akt.php?akc=check&id=") + productCode + QStringLiteral("&ver=") +
                gProductVersion);
}

QUrl UpdatePageUrl()
{
    return QUrl(baseUrl + QStringLiteral("update.php?id=") + productCode + QStringLiteral("&ver=") + gProductVersion);
}

} // namespace UpdateService

int DayNumber(const QDateTime& dateTime)
{
    return int(std::trunc(ToCalendarValue(dateTime)));
}

bool CheckForUpdate()
{
    const int today = DayNumber(Clock::now());
    if (gSettings.LastCheck + 2 >= today)
        return false;

    const HttpClient::Response reply =
        HttpClient::get(UpdateService::QueryUrl(),
                        {{"Accept", "text/html, */*"}, {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"}},
                        UpdateService::Timeout());
    // An error page may happen to read like an answer: only a successful reply counts.
    if (!reply.ok || reply.body.size() <= 3 || !reply.body.startsWith("OK:"))
        return false;
    const QString newest = QString::fromLatin1(reply.body.mid(3, 100));
    gSettings.LastCheck = today;
    return newest != gProductVersion;
}

void OpenUpdatePage()
{
    openLink(UpdateService::UpdatePageUrl().toString());
}

void AutomaticUpdateCheck()
{
    // The tables hold no text for "Uwaga", so the caption is the key itself.
    if (CheckForUpdate() &&
        prompter().confirm(gLangM.Get(QStringLiteral("LABEL_NOWA_WERSJA")), gLangM.Get(QStringLiteral("Uwaga"))))
        OpenUpdatePage();
}
