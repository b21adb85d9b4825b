// The GEDCOM reader: reads one GEDCOM file into plain records (individuals, families, sources and top-level
// picture records) that the import converts into the database. It knows nothing of the database itself.
#pragma once

#include "GedcomText.h"
#include "TextPool.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSharedData>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class KV_Person;

// The address of an individual, from its RESI line.
struct _Adres
{
    QString address; // ADDR, or ADR1 when that is given
    QString city;    // CITY, or PLAC when there is no CITY
    QString state;
    QString postalCode;
    QString country;
};

// A source citation inside an individual or family record.
struct _ODWOLANIE
{
    QString source; // the citing SOUR line's value, normally a source record's cross-reference
    int quality = 0;
    QString page;
    QString event; // the label of the event the citation stands under, or its EVEN value
    QString date;  // converted as an event's date
    QString text;  // TEXT with its continuation lines
};

// A multimedia link (OBJE) inside an individual or family record, or a multimedia record that such links point at.
struct _Multimedia
{
    QString form;
    QString file; // a path as the file wrote it
    QString title;
    QString note;
};

// A value of a repeated event (or fact) that differs from the value the first one of its kind gave: the first one
// is kept, and this one is named in the import summary rather than dropped without a word.
struct GedcomValueNotTaken
{
    QString tag;   // the event's tag and the value's own, such as "BIRT DATE"
    QString value; // as the file wrote it
};

// The texts of a DATE value. Files repeat their dates: the events of one value share one copy.
struct GedcomDateTexts : QSharedData
{
    QString original;  // as the file wrote it
    QString converted; // the plain text that RMData::FromSimpleText reads
};

// The date and place of an event. A date that RMData::FromSimpleText cannot hold stays empty; the file's own text
// is kept beside it so that the import can put it into the fact's description instead of losing it.
struct GedcomEvent
{
    QString place;
    QExplicitlySharedDataPointer<const GedcomDateTexts> dateTexts; // none without a DATE line

    const QString& date() const { return texts().converted; }
    const QString& originalDate() const { return texts().original; }
    bool isEmpty() const { return originalDate().isEmpty() && place.isEmpty(); }

private:
    const GedcomDateTexts& texts() const
    {
        static const GedcomDateTexts none;
        return dateTexts ? *dateTexts : none;
    }
};

// A part of a record that few records have: it takes no room until it is first written to, so that a file of
// many plain records stays small in memory. Copies of a record share the part until one of them writes to it.
template <typename Part>
class RarePart
{
public:
    // An empty part when none was written.
    const Part& read() const
    {
        static const Part none;
        return shared ? *shared : none;
    }
    Part& write()
    {
        if (!shared)
            shared = new Shared;
        return *shared;
    }

private:
    struct Shared : Part, QSharedData
    {};
    QSharedDataPointer<Shared> shared;
};

// An individual (INDI record).
struct _Osoba
{
    // What files give few individuals, apart from the record so that the many without any take no room for it.
    struct Details
    {
        QString namePrefix;
        QString nameSuffix;
        QString marriedName;
        QString nationality;
        QString religion;
        GedcomEvent baptism;
        QString deathCause;
        QString deathValue; // the DEAT line's own value, such as "Y"
        GedcomEvent burial;
        QString burialValue; // the BURI line's own value
        QString pictures;    // PICTURES with its CONC lines
        QString primaryPicture;
        QString adoptionFamily; // FAMC under ADOPT
        _Adres address;
        QList<GedcomValueNotTaken> valuesNotTaken;
    };

    QString databaseID; // of the person the import made from the record
    QString fullName;   // the first NAME untyped or of type birth, as written; else the first not of type maiden
    QString familyName; // birth (maiden) family name
    QString xref;       // the record's cross-reference as written, at-signs included
    QString givenNames;
    QString surname;
    QString sex; // as written
    GedcomEvent birth;
    GedcomEvent death;
    bool died = false;   // a DEAT line was read
    bool buried = false; // a BURI line was read
    QString occupation;
    QString note;
    KV_Person* person = nullptr; // made from the record by the import; not owned
    QList<_ODWOLANIE> citations;
    QList<_Multimedia> multimedia;
    int firstLine = -1; // physical line numbers (from 1) of the record's head and of its last line
    int lastLine = -1;

    const Details& details() const { return rare.read(); }
    // Makes the details when the record has none yet.
    Details& editDetails() { return rare.write(); }

private:
    RarePart<Details> rare;
};

// A family (FAM record).
struct _Fam
{
    enum class End { None, Annulment, Divorce };
    // What files give few families, apart from the record as for individuals.
    struct Details
    {
        bool engaged = false;
        GedcomEvent engagement;
        End end = End::None; // the later of ANUL and DIV
        GedcomEvent ending;
        QList<GedcomValueNotTaken> valuesNotTaken;
    };

    QString xref;
    QString husband; // an individual's cross-reference
    QString wife;
    bool married = false;
    GedcomEvent marriage;
    QString note;
    int firstLine = -1;
    int lastLine = -1;
    QStringList children; // cross-references in file order
    QList<_ODWOLANIE> citations;
    QList<_Multimedia> multimedia;

    const Details& details() const { return rare.read(); }
    // Makes the details when the record has none yet.
    Details& editDetails() { return rare.write(); }

private:
    RarePart<Details> rare;
};

// A source (SOUR record).
struct _SOURCE
{
    QString xref;
    QString title;
    QString publication;
    QString author;
    QString abbreviation;
    QString callNumber; // CALN under REPO
    QString medium;     // MEDI under REPO
    QString text;
    int firstLine = -1;
    int lastLine = -1;
};

// A top-level picture record (record word "Picture").
struct _PICTURE
{
    QString xref;
    QString path;
    QString name;
    QString description;
    int firstLine = -1;
    int lastLine = -1;
};

// Something wrong that the reader met in a file, and what it skipped or replaced because of it. Problems are
// collected, not shown one by one: whoever runs the read shows them in one summary.
struct GedcomProblem
{
    enum class Kind {
        InvalidBytes,      // bytes that are not valid UTF-8; each sequence became U+FFFD
        ControlCharacters, // control characters, removed from the line
        LevelNotANumber,   // a line whose level is not a number; skipped
        NoTag,             // a line without a tag, such as a stray piece of text; skipped
        LevelTooHigh,      // a line whose level is above 99; skipped with the lines below it
        RepeatedXref,      // a record whose cross-reference an earlier record of its kind has; read, but pointers
                           // to the cross-reference lead to the earlier record
    };

    int line; // physical line of the file, from 1
    Kind kind;
    QString skipped;          // the skipped line, the removed bytes in hexadecimal, or the repeated cross-reference
    int subordinateLines = 0; // LevelTooHigh: the lines below the skipped one, skipped with it
    int earlierLine = 0;      // RepeatedXref: the head line of the record that pointers lead to
};

// Called with the stage (1 individuals, 2 families, 3 pictures, 4 sources), the position (0 announces a stage,
// then the number of the line being examined, from 1) and the total number of lines.
using GedcomProgressCallback = std::function<void(int stage, int position, int total)>;

class _Gedcom
{
public:
    // One line cut into its parts, as views into its bytes.
    struct LineParts
    {
        int level = 0;
        QByteArrayView xref;
        QByteArrayView tag;
        QByteArrayView value; // everything after the one blank that follows the tag, verbatim
    };
    enum class LineFault { None, LevelNotANumber, NoTag };

    _Gedcom();

    // Empties the records; the lines of the file stay, so that Parse reads them again.
    void Clear();
    // Replaces the lines with those of the file. False, with the lines, records and file kept, when the file
    // cannot be read (the system's reason in loadFailure()), or while a parse is running (its progress callback
    // may let the user pick another file).
    bool LoadFile(const QString& path);
    const QString& loadFailure() const { return loadFailureReason; }
    // Reads the records of the loaded lines, appending them to those already held.
    void Parse();
    void ReportProgress(int stage, int position);
    // The person made from the first individual with that cross-reference (null when there is none or it was not
    // converted); sex becomes 0 for "F", 1 for "M" and 2 otherwise, and stays as it was when there is no such
    // individual.
    KV_Person* FindImportedPerson(const QString& xref, int& sex) const;

    static LineFault SplitLine(QByteArrayView line, LineParts& parts);
    // The value of the first line from `start` on that carries the tag, searching while the level stays above
    // `limit` and passing over the insides of SOUR, NOTE and OBJE structures; empty when there is none. Only the
    // tags the reader understands are searched for.
    QString FindSubValue(int start, QByteArrayView tag, int limit) const;
    // Appends a line break and the continuation; text is joined as bytes so that a character a producer split
    // between lines is decoded whole.
    static void JoinContinuation(QByteArray& text, QByteArrayView continuation);
    // A GEDCOM date as the plain text RMData::FromSimpleText reads ("około 01-01-1900", "1900 - 1910"); empty
    // when the value is no date that RMData can hold.
    static QString ConvertDate(const QString& value);
    // True for a text of decimal digits that fits a 32-bit signed integer.
    static bool IsInteger(QStringView text);

    void setProgressCallback(GedcomProgressCallback callback) { progressCallback = std::move(callback); }
    int total() const { return totalLines; }
    int stage() const { return lastStage; }
    int position() const { return lastPosition; }

    QList<_Osoba>& individuals() { return individualRecords; }
    const QList<_Osoba>& individuals() const { return individualRecords; }
    const QList<_Fam>& families() const { return familyRecords; }
    const QList<_SOURCE>& sources() const { return sourceRecords; }
    const QList<_PICTURE>& pictures() const { return pictureRecords; }
    int multimediaCount() const { return multimediaLinks; }
    // Links ("1 OBJE @M1@") that took their fields from a multimedia record, and NOTE and OBJE pointers to records
    // the file does not hold: such a note stays empty and such a link is not made.
    int multimediaFromRecords() const { return multimediaResolved; }
    int notesPointingNowhere() const { return danglingNotes; }
    int multimediaPointingNowhere() const { return danglingMultimedia; }
    // How often each tag stood on a level-1 line of the individual (family) records read, by tag.
    QMap<QString, int> individualLevelOneTags() const { return levelOneTags(individualTags); }
    QMap<QString, int> familyLevelOneTags() const { return levelOneTags(familyTags); }

    // The file last loaded: its absolute path (the folder that relative picture paths in it may count from), the
    // encoding it was read in, the number of lines kept and what was wrong in it.
    const QString& filePath() const { return path; }
    GedcomEncoding encoding() const { return fileEncoding; }
    int lineCount() const { return int(lines.size()); }
    const QList<GedcomProblem>& problems() const { return faults; }

    // The tags the reader understands, defined in GedcomTags.h.
    enum class Tag : quint8;

private:
    // A kept line in 12 bytes, as a file has hundreds of thousands: its cross-reference and tag text are found
    // again in its bytes when needed, which is seldom.
    struct Line
    {
        int number;             // physical line of the file, from 1
        int valueBegin;         // where the value starts; the end of the tag when there is none
        quint32 valueSize : 16; // longValue for a value that long or longer, which runs to its line's end
        Tag tag : 8;
        quint32 level : 7;   // deeper lines are skipped
        quint32 hasXref : 1; // a cross-reference stands before the tag
    };
    static_assert(sizeof(Line) == 12);
    static constexpr quint32 longValue = 0xFFFF;
    // A skipped line, kept as bytes until the encoding that decodes it is known.
    struct SkippedLine
    {
        int number;
        GedcomProblem::Kind kind;
        int begin;
        int size;
        int level = 0;        // of a line skipped for its level, whose subordinate lines go with it
        int subordinates = 0; // the lines skipped with it
    };
    // The highest level a line may have; a deeper line is no part of any structure the reader knows.
    static constexpr int deepestLevel = 99;
    static_assert(deepestLevel < (1 << 7), "a kept line's level has seven bits");

    void Load(QByteArray bytes);
    void SplitLines(std::vector<SkippedLine>& skipped);
    // deepSkip: the skipped line (an index into skipped) whose subordinate lines are being skipped, or none.
    void EndLine(int begin, int end, int number, std::vector<SkippedLine>& skipped,
                 std::optional<std::size_t>& deepSkip);
    // Lists each record whose cross-reference an earlier record of the same kind has, for the kinds that pointers
    // lead to: individuals, notes and multimedia records.
    void FindRepeatedXrefs();
    std::optional<QByteArrayView> HeaderCharset() const;
    void CheckUtf8(Utf8Checker& checker) const;

    QByteArrayView Raw(int i) const
    {
        const Line& line = lines[i];
        return QByteArrayView(text).sliced(line.valueBegin,
                                           line.valueSize != longValue ? line.valueSize : LongValueSize(i));
    }
    qsizetype LongValueSize(int i) const;
    // Line i cut into its parts again.
    LineParts Parts(int i) const;
    QString Decode(QByteArrayView bytes) const { return decodeGedcomText(bytes, fileEncoding); }
    // A line's value decoded and trimmed, for fields that hold one value.
    QString Value(int i) const { return Decode(Raw(i).trimmed()); }
    QString Xref(int i) const;
    // A record's cross-reference as the file's bytes, at-signs included.
    QByteArray RawXref(int i) const { return Parts(i).xref.toByteArray(); }
    QByteArrayView TagText(int i) const;
    QString FindSub(int start, Tag tag, int limit) const;
    // The line FindSub takes its value from; -1 when there is none.
    int FindSubLine(int start, Tag tag, int limit) const;
    GedcomEvent ReadEvent(int at);
    // The value of line at, of a kind that records repeat (places, dates, name parts, sexes, occupations, the
    // sources and pages of citations): decoded once per parse and shared by the records that hold it.
    QString SharedValue(int at);
    using SharedDate = QExplicitlySharedDataPointer<const GedcomDateTexts>;
    const SharedDate& SharedDateValue(int at);
    // Makes a name part that an earlier record of the parse has too share that record's copy.
    void ShareName(QString& name);
    // The value of line at, a pointer to an individual: the individual's own cross-reference, shared, where the
    // pointer leads to one.
    QString IndividualPointer(int at) const;
    void ForgetSharedValues();
    // The first event of a kind keeps its values; a later one fills only what the first left empty.
    static void MergeEvent(GedcomEvent& kept, GedcomEvent later, QByteArrayView tag,
                           QList<GedcomValueNotTaken>& notTaken);
    static void MergeValue(QString& kept, QString later, QByteArrayView tag, QByteArrayView part,
                           QList<GedcomValueNotTaken>& notTaken);
    // The tag of a value not taken, such as "BIRT DATE".
    static QString ValueTag(QByteArrayView tag, QByteArrayView part);
    static QString MaidenFamilyName(const QString& value);

    bool IsRecordHead(int i, Tag word) const;
    void IndexRecords();
    QByteArray ReadNoteRecord(int head) const;
    void ReadIndividuals();
    void ReadFamilies();
    void ReadSources();
    void ReadPictures();
    void ScanRecords(int stage, Tag word, void (_Gedcom::*read)(int head, int end));
    void ReadIndividual(int head, int end);
    void ReadFamily(int head, int end);
    void ReadSource(int head, int end);
    void ReadPicture(int head, int end);
    // The link of an OBJE line: its own sub-lines, or the multimedia record it points at; none when it points at no
    // record.
    std::optional<_Multimedia> ReadLink(int at);
    _Multimedia ReadMultimedia(int at);
    // The text of a NOTE line: its own value, or the text of the note record it points at; none when it points at no
    // record.
    std::optional<QByteArrayView> NoteText(int at);
    _ODWOLANIE ReadCitation(int at, const QString& event);
    void ReadPicturesText(int at, _Osoba& individual) const;
    _Adres ReadAddress(int at) const;
    // A record's own notes: each level-1 NOTE with the CONC and CONT lines under it.
    struct RecordNote
    {
        QByteArray text;
        bool any = false;
        bool open = false;
    };
    // Takes line at into note when it is one of the record's note lines; false for any other line.
    bool TakeNoteLine(RecordNote& note, int at);
    // The full name and its parts from the NAME line at and its sub-lines.
    void TakeName(int at, _Osoba& individual);

    // Counts of the tags of level-1 lines: the tags the reader knows by their number, the others by their text.
    struct TagTally
    {
        std::array<int, 256> known{};
        QHash<QByteArray, int> other;
    };
    void CountLevelOneTag(TagTally& tally, int i);
    static QMap<QString, int> levelOneTags(const TagTally& tally);

    GedcomProgressCallback progressCallback;
    int totalLines = 0;
    int lastStage = 0;
    int lastPosition = 0;
    bool parsing = false;

    QList<_Osoba> individualRecords;
    QList<_Fam> familyRecords;
    QList<_SOURCE> sourceRecords;
    QList<_PICTURE> pictureRecords;
    int multimediaLinks = 0;
    int multimediaResolved = 0;
    int danglingNotes = 0;
    int danglingMultimedia = 0;
    QHash<QString, int> individualByXref; // the first individual of each cross-reference
    // The note and multimedia records of the file, by cross-reference as written: notes as bytes in the file's
    // encoding with their continuation lines joined, so that they join other notes before they are decoded.
    QHash<QByteArray, QByteArray> noteRecords;
    QHash<QByteArray, _Multimedia> multimediaRecords;
    TagTally individualTags;
    TagTally familyTags;
    // By the value's trimmed bytes, which stay in the text while a parse runs, so the keys are not copies.
    QHash<QByteArray, QString> sharedValues;
    // Where the blocks the record passes walk start: the first line and each level-0 line after it.
    std::vector<int> blockStarts;
    QHash<QByteArray, SharedDate> sharedDates;
    TextPool sharedNames;

    QString path;
    QString loadFailureReason;
    GedcomEncoding fileEncoding = GedcomEncoding::Utf8;
    QByteArray text; // the file's bytes, in its encoding (UTF-16 files as UTF-8); lines point into it
    std::vector<Line> lines;
    QList<GedcomProblem> faults;
};

// Fills given names, surname and family name from the full name where the file gave no separate name parts;
// applying it again changes nothing.
void SplitPersonName(_Osoba& individual);

// The one reader of the program.
extern _Gedcom gGedcom;
