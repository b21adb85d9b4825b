// Small helpers the benchmark drivers share.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdio>
#include <functional>

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

// Writes a generated file from its header on, line by line, a megabyte at a time. Individual i belongs to family
// i / 4: the first two of each four are its couple, the other two its children.
class Writer
{
public:
    explicit Writer(const QString& path) : file(path) { file.open(QIODevice::WriteOnly); }
    bool isOpen() const { return file.isOpen(); }

    void line(const QString& text)
    {
        out += text.toUtf8() + '\n';
        if (out.size() > (1 << 20)) {
            file.write(out);
            out.clear();
        }
    }
    // The individual's link to its family, as spouse or as child.
    void familyLink(int individual)
    {
        line(QStringLiteral("1 %1 @F%2@").arg(individual % 4 < 2 ? "FAMS" : "FAMC").arg(individual / 4));
    }
    // The family records of count individuals, each with its marriage: the given date line and a place.
    void families(int count, const std::function<QString(int family)>& marriageDate)
    {
        for (int f = 0; f < count / 4; ++f) {
            line(QStringLiteral("0 @F%1@ FAM").arg(f));
            line(QStringLiteral("1 HUSB @I%1@").arg(4 * f));
            line(QStringLiteral("1 WIFE @I%1@").arg(4 * f + 1));
            line(QStringLiteral("1 CHIL @I%1@").arg(4 * f + 2));
            line(QStringLiteral("1 CHIL @I%1@").arg(4 * f + 3));
            line(QStringLiteral("1 MARR"));
            line(marriageDate(f));
            line(QStringLiteral("2 PLAC %1").arg(places[f % 6]));
        }
    }
    void finish()
    {
        line(QStringLiteral("0 TRLR"));
        file.write(out);
        out.clear();
    }

private:
    QFile file;
    QByteArray out = header;
};
} // namespace GeneratedGedcom
