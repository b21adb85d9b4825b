// Another process holding a folder's lock: the helper started with "lock FOLDER", which keeps the lock until it
// is stopped or killed. For the suites built with KV_FOLDER_HELPER.
#pragma once

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

class FolderHolder
{
public:
    // Starts the holder and waits for its answer: "held", "in use" or "failed".
    explicit FolderHolder(const QString& folder)
    {
        process.start(QStringLiteral(KV_FOLDER_HELPER), {QStringLiteral("lock"), folder});
        EXPECT_TRUE(process.waitForStarted(10000));
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        answer = QString::fromUtf8(process.readLine()).trimmed();
    }
    ~FolderHolder() { kill(); }
    FolderHolder(const FolderHolder&) = delete;
    FolderHolder& operator=(const FolderHolder&) = delete;

    const QString& state() const { return answer; }
    // SIGKILL, nothing cleaned up; returns once the process has ended.
    void kill()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.kill();
        process.waitForFinished(10000);
    }

private:
    QProcess process;
    QString answer;
};
