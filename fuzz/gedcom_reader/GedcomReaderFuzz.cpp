// The GEDCOM reader on arbitrary bytes: the load (encodings, line splitting, the checks of the bytes) and every
// record pass, then the name splitting the import applies to each individual.
#include "FuzzSupport.h"
#include "_gedcom.h"

#include <QCoreApplication>
#include <QFile>

namespace {

template <typename Record>
void checkLines(const QList<Record>& records, int lineCount)
{
    for (const Record& record : records) {
        FUZZ_CHECK(record.firstLine >= 1 && record.firstLine <= record.lastLine && record.lastLine <= lineCount,
                   QStringLiteral("%1: lines %2 to %3 of %4")
                       .arg(record.xref)
                       .arg(record.firstLine)
                       .arg(record.lastLine)
                       .arg(lineCount));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startApplication<QCoreApplication>("fuzz_gedcom_reader");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader takes files only: the input goes through one, as a file from any producer would.
    const QString path = scratchFolder() + QStringLiteral("input.ged");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(inputBytes(data, size)) != qint64(size))
        fuzzFinding("the input could not be written", path);
    file.close();

    _Gedcom reader;
    FUZZ_CHECK(reader.LoadFile(path), path);
    reader.Parse();

    // Problems are numbered by physical line; the last line of a file may lack its line end.
    const int physicalLines = int(inputBytes(data, size).count('\n') + inputBytes(data, size).count('\r')) + 1;
    for (const GedcomProblem& problem : reader.problems())
        FUZZ_CHECK(problem.line >= 1 && problem.line <= physicalLines, QString::number(problem.line));
    checkLines(reader.individuals(), physicalLines);
    checkLines(reader.families(), physicalLines);
    checkLines(reader.sources(), physicalLines);
    checkLines(reader.pictures(), physicalLines);

    for (_Osoba& individual : reader.individuals()) {
        SplitPersonName(individual);
        const _Osoba once = individual;
        SplitPersonName(individual);
        FUZZ_CHECK(individual.givenNames == once.givenNames && individual.surname == once.surname &&
                       individual.familyName == once.familyName,
                   individual.fullName);
        int sex = -1;
        reader.FindImportedPerson(individual.xref, sex);
    }
    reader.individualLevelOneTags();
    reader.familyLevelOneTags();
    return 0;
}
