// Small helpers the benchmark drivers share.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// The file's bytes; empty when it cannot be read.
inline QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The middle of the measured times.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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

// A benchmark that writes into a folder refuses one that is missing or cannot be written into, with a message.
inline bool writableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir()) {
        std::printf("%s is no folder\n", qPrintable(folder));
        return false;
    }
    if (!info.isWritable()) {
        std::printf("cannot write into %s\n", qPrintable(folder));
        return false;
    }
    return true;
}

// Measures the data folder named by the first argument after the program's name; without one, a folder of 100,000
// persons that the generator (the object files benchmark) writes into a temporary folder first.
inline int measureDataFolder(const QStringList& args, const QString& generator,
                             const std::function<int(const QString& folder)>& measure)
{
    if (args.size() > 1)
        return measure(args[1]);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    std::printf("generating the data folder with bench_object_files\n");
    std::fflush(stdout);
    if (QProcess::execute(generator, {QStringLiteral("--generate"), folder.path()}) != 0) {
        std::printf("the generator failed\n");
        return 1;
    }
    return measure(folder.path());
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

// A family tree of `count` individuals in couples with two children each, with the lines a genealogy program
// writes for them: names with their parts, events with dates, places and citations, notes with continuations,
// occupations and now and then a picture link. Polish letters throughout.
inline void writeDetailedTree(const QString& path, int count)
{
    Writer out(path);
    if (!out.isOpen())
        return;
    const auto line = [&out](const QString& text) { out.line(text); };
    for (int i = 0; i < count; ++i) {
        line(QStringLiteral("0 @I%1@ INDI").arg(i));
        line(QStringLiteral("1 NAME %1 /%2/").arg(given[i % 8], surnames[(i / 3) % 10]));
        line(QStringLiteral("2 GIVN %1").arg(given[i % 8]));
        line(QStringLiteral("2 SURN %1").arg(surnames[(i / 3) % 10]));
        line(QStringLiteral("1 SEX %1").arg(i % 2 ? "F" : "M"));
        line(QStringLiteral("1 BIRT"));
        line(QStringLiteral("2 DATE %1 %2 %3").arg(1 + i % 28).arg(months[i % 12]).arg(1700 + i % 300));
        line(QStringLiteral("2 PLAC %1").arg(places[i % 6]));
        line(QStringLiteral("2 SOUR @S%1@").arg(i % 50));
        line(QStringLiteral("3 PAGE s. %1").arg(i % 400));
        if (i % 2 == 0) {
            line(QStringLiteral("1 DEAT"));
            line(QStringLiteral("2 DATE ABT %1").arg(1760 + i % 300));
            line(QStringLiteral("2 PLAC %1").arg(places[(i + 3) % 6]));
        }
        line(QStringLiteral("1 OCCU rolnik"));
        if (i % 3 == 0) {
            line(QStringLiteral("1 NOTE Wspomnienie rodziny o tej osobie, spisane przez wnuków"));
            line(QStringLiteral("2 CONC  w zeszycie z %1 roku.").arg(1900 + i % 100));
            line(QStringLiteral("2 CONT Drugi akapit notatki."));
        }
        if (i % 10 == 0) {
            line(QStringLiteral("1 OBJE"));
            line(QStringLiteral("2 FILE zdjecia/osoba%1.jpg").arg(i));
            line(QStringLiteral("2 TITL Portret"));
        }
        out.familyLink(i);
    }
    out.families(count,
                 [](int f) { return QStringLiteral("2 DATE BET %1 AND %2").arg(1720 + f % 280).arg(1721 + f % 280); });
    for (int s = 0; s < 50; ++s) {
        line(QStringLiteral("0 @S%1@ SOUR").arg(s));
        line(QStringLiteral("1 TITL Księga metrykalna parafii %1").arg(places[s % 6]));
    }
    out.finish();
}
// The file's records `copies` times over, every cross-reference of copy k renamed with the prefix "Kk_"; one
// header and one trailer.
inline void replicate(const QString& source, const QString& target, int copies)
{
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return;
    const QList<QByteArray> lines = in.readAll().split('\n');
    QByteArray header;
    QList<QByteArray> records;
    bool inHeader = false;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.startsWith("0 ")) {
            inHeader = line == "0 HEAD";
            if (line == "0 TRLR")
                break;
        }
        if (inHeader)
            header += line + '\n';
        else if (!line.isEmpty())
            records.append(line);
    }
    out.write(header);
    static const QRegularExpression xref(QStringLiteral("@([^@ ]+)@"));
    for (int k = 0; k < copies; ++k) {
        const QString renamed = QStringLiteral("@K%1_\\1@").arg(k);
        QByteArray block;
        for (const QByteArray& line : std::as_const(records))
            block += QString::fromLatin1(line).replace(xref, renamed).toLatin1() + '\n';
        out.write(block);
    }
    out.write("0 TRLR\n");
}

} // namespace GeneratedGedcom
