// One blocking HTTP GET. The caller waits on the user-interface thread while the windows keep painting; user
// input is held back until the reply is in, so no command can start in the middle of the wait.
#pragma once

#include <QByteArray>
#include <QList>
#include <QUrl>
#include <utility>

namespace HttpClient {

struct Response
{
    // True only for a complete reply with a 2xx status.
    bool ok = false;
    // The HTTP status, 0 when none arrived.
    int status = 0;
    QByteArray body;
    bool timedOut = false;
};

using Headers = QList<std::pair<QByteArray, QByteArray>>;

// Sends a GET of url with the given request headers, straight to the host (no proxy), and waits at most
// timeoutMs for the whole reply.
Response get(const QUrl& url, const Headers& headers, int timeoutMs);

} // namespace HttpClient
