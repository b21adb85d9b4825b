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

// What the generated GEDCOM files of the benchmarks are made of: Polish names and places, so that every reader and
// writer on the way meets letters outside ASCII.
namespace GeneratedGedcom {
inline const char* const given[] = {"Jan", "Anna", "Łukasz", "Zofia", "Józef", "Małgorzata", "Stanisław", "Jadwiga"};
inline const char* const surnames[] = {"Kowalski",    "Nowak",     "Wiśniewski", "Wójcik",  "Kamiński",
                                       "Lewandowski", "Zieliński", "Szymański",  "Woźniak", "Dąbrowski"};
inline const char* const places[] = {"Kraków", "Łódź", "Gdańsk", "Poznań", "Wrocław", "Zielona Góra"};
inline const char* const months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
inline const char* const header = "0 HEAD\n1 SOUR KRONVEL\n1 GEDC\n2 VERS 5.5.1\n2 FORM LINEAGE-LINKED\n1 CHAR UTF-8\n";
} // namespace GeneratedGedcom
