// Small helpers the benchmark drivers share.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

// Prints the time since timer last started and how many items it covered, then starts the timer again.
inline void report(const char* what, QElapsedTimer& timer, int items)
{
    const qint64 ms = timer.elapsed();
    std::printf("%-44s %8lld ms  (%d items)\n", what, static_cast<long long>(ms), items);
    timer.restart();
}

// This process's peak resident memory in kilobytes, or -1 when the system does not tell. Read from /proc rather
// than getrusage, which also counts what a parent held when it started this process.
inline long peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}
