// The reader's core: loading a file into lines, the line-level operations and the progress protocol. The record
// passes are in _gedcomRecords.cpp, dates and names in _gedcomDatesNames.cpp.
#include "_gedcom.h"

#include "GedcomTags.h"
#include "LargeMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

_Gedcom gGedcom;

namespace {

// A level: decimal digits only, within an int; -1 for anything else.
int levelNumber(const char* from, const char* to)
{
    if (from == to || to - from > 9)
        return -1;
    int level = 0;
    for (; from != to; ++from) {
        if (*from < '0' || *from > '9')
            return -1;
        level = level * 10 + (*from - '0');
    }
    return level;
}

// The end of the token that starts at `from`: the next blank, or `to`.
const char* tokenEnd(const char* from, const char* to)
{
    while (from != to && *from != ' ')
        ++from;
    return from;
}

const char* skipBlanks(const char* from, const char* to)
{
    while (from != to && *from == ' ')
        ++from;
    return from;
}

QByteArrayView between(const char* from, const char* to)
{
    return QByteArrayView(from, to - from);
}

// The high bit of each of eight bytes that is a control character (below 0x20, or DEL). A borrow may mark a byte
// above a marked one too, so only the lowest mark is sure.
quint64 controlMarks(quint64 eight)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highs = 0x8080808080808080ULL;
    const quint64 del = eight ^ (0x7F * ones);
    return (((eight - 0x20 * ones) & ~eight) | ((del - ones) & ~del)) & highs;
}

qsizetype countOf(QByteArrayView bytes, char c)
{
    qsizetype count = 0;
    const char* end = bytes.data() + bytes.size();
    for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, c, std::size_t(end - p)))); ++p)
        ++count;
    return count;
}

bool isControl(uchar c)
{
    return c < 0x20 || c == 0x7F;
}

// The position of the next control character (line ends included) from `from` on; `size` when there is none.
int nextControl(const char* data, int from, int size)
{
    for (; from + 8 <= size; from += 8) {
        // Read in little-endian order, the lowest mark is the first control character.
        if (const quint64 marks = controlMarks(qFromLittleEndian<quint64>(data + from)))
            return from + std::countr_zero(marks) / 8;
    }
    while (from < size && !isControl(uchar(data[from])))
        ++from;
    return from;
}

// The position of the next byte above ASCII from `from` on; `size` when there is none.
int nextAboveAscii(const char* data, int from, int size)
{
    for (; from + 8 <= size; from += 8) {
        if (const quint64 highs = qFromLittleEndian<quint64>(data + from) & 0x8080808080808080ULL)
            return from + std::countr_zero(highs) / 8;
    }
    while (from < size && uchar(data[from]) < 0x80)
        ++from;
    return from;
}

QString hexBytes(QByteArrayView bytes)
{
    QStringList hex;
    for (const char c : bytes)
        hex.append(QString::asprintf("0x%02X", uchar(c)));
    return hex.join(QLatin1Char(' '));
}

// The whole file, read into one block that is advised as a large one before it is written.
QByteArray readWholeFile(QFile& file)
{
    const qint64 size = file.size();
    if (size <= 0 || size > std::numeric_limits<int>::max())
        return file.readAll();
    QByteArray bytes(size, Qt::Uninitialized);
    adviseHugePages(bytes.data(), std::size_t(size));
    const qint64 read = file.read(bytes.data(), size);
    bytes.truncate(qMax<qint64>(read, 0));
    // A file that grew meanwhile is read to its end, as readAll would.
    if (read == size)
        bytes += file.readAll();
    return bytes;
}

} // namespace

_Gedcom::_Gedcom() = default;

void _Gedcom::Clear()
{
    if (parsing)
        return;
    individualRecords.clear();
    familyRecords.clear();
    sourceRecords.clear();
    pictureRecords.clear();
    individualByXref.clear();
    multimediaLinks = multimediaResolved = danglingNotes = danglingMultimedia = 0;
    individualTags = TagTally();
    familyTags = TagTally();
}

bool _Gedcom::LoadFile(const QString& filePath)
{
    if (parsing)
        return false;
    totalLines = lastStage = lastPosition = 0;
    loadFailureReason.clear();
    QFile file(filePath);
    // A folder opens, but reading it fails with a reason that does not say why.
    if (QFileInfo(filePath).isDir()) {
        loadFailureReason = QString::fromLocal8Bit(std::strerror(EISDIR));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        loadFailureReason = file.errorString();
        return false;
    }
    QByteArray bytes = readWholeFile(file);
    if (file.error() != QFileDevice::NoError) {
        loadFailureReason = file.errorString();
        return false;
    }
    // Lines keep their places in the file as 32-bit offsets.
    if (bytes.size() > std::numeric_limits<int>::max()) {
        loadFailureReason = QString::fromLocal8Bit(std::strerror(EFBIG));
        return false;
    }
    Load(std::move(bytes));
    path = QDir::cleanPath(QFileInfo(filePath).absoluteFilePath());
    return true;
}

void _Gedcom::Load(QByteArray bytes)
{
    const std::optional<GedcomEncoding> form = takeUnicodeForm(bytes);
    ForgetSharedValues();
    text = std::move(bytes);
    lines.clear();
    faults.clear();
    std::vector<SkippedLine> skipped;
    SplitLines(skipped);

    // UTF-16 became valid UTF-8 on the way in. A file in UTF-8 has its bytes checked; so has one that names no
    // encoding, whose bytes then decide it.
    Utf8Checker checker;
    if (form) {
        fileEncoding = *form;
        if (fileEncoding == GedcomEncoding::Utf8)
            CheckUtf8(checker);
    } else if (const std::optional<QByteArrayView> charset = HeaderCharset()) {
        // A named encoding does not depend on whether the bytes are valid UTF-8.
        fileEncoding = encodingForCharset(charset, text, true);
        if (fileEncoding == GedcomEncoding::Utf8)
            CheckUtf8(checker);
    } else {
        CheckUtf8(checker);
        fileEncoding = encodingForCharset(std::nullopt, text, checker.faults().isEmpty());
    }
    if (fileEncoding == GedcomEncoding::Utf8)
        for (const Utf8Checker::Fault& fault : checker.faults())
            faults.append({fault.line, GedcomProblem::Kind::InvalidBytes, hexBytes(fault.bytes)});
    for (const SkippedLine& line : skipped) {
        faults.append(
            {line.number, line.kind, Decode(QByteArrayView(text).sliced(line.begin, line.size)), line.subordinates});
    }
    FindRepeatedXrefs();
    std::stable_sort(faults.begin(), faults.end(),
                     [](const GedcomProblem& a, const GedcomProblem& b) { return a.line < b.line; });
}

// Cuts the file into lines on its bytes: LF, CR and CR LF each end a line. A TAB becomes a blank and other control
// characters are taken out of the line in place (and listed), so nothing later meets them.
void _Gedcom::SplitLines(std::vector<SkippedLine>& skipped)
{
    char* data = text.data();
    const int size = int(text.size());
    const qsizetype lineFeeds = countOf(text, '\n');
    lines.reserve(1 + (lineFeeds > 0 ? lineFeeds : countOf(text, '\r')));
    adviseHugePages(lines.data(), lines.capacity() * sizeof(Line));
    int write = 0;
    int lineBegin = 0;
    int number = 1;
    QByteArray controls;
    std::optional<std::size_t> deepSkip;
    const auto endLine = [&] {
        if (!controls.isEmpty()) {
            faults.append({number, GedcomProblem::Kind::ControlCharacters, hexBytes(controls)});
            controls.clear();
        }
        EndLine(lineBegin, write, number, skipped, deepSkip);
    };
    int read = 0;
    while (read < size) {
        if (write == read) {
            // Nothing taken out so far: runs of ordinary bytes stay where they are.
            read = write = nextControl(data, read, size);
            if (read == size)
                break;
        }
        const auto c = uchar(data[read++]);
        if (!isControl(c)) {
            data[write++] = char(c);
        } else if (c == '\n' || c == '\r') {
            endLine();
            // The line end stays in the buffer, so that bytes keep their places in files without control
            // characters.
            data[write++] = char(c);
            if (c == '\r' && read < size && data[read] == '\n')
                data[write++] = data[read++];
            ++number;
            lineBegin = write;
        } else if (c == '\t') {
            data[write++] = ' ';
        } else {
            controls.append(char(c));
        }
    }
    endLine();
    text.truncate(write);
}

void _Gedcom::EndLine(int begin, int end, int number, std::vector<SkippedLine>& skipped,
                      std::optional<std::size_t>& deepSkip)
{
    const char* data = text.constData();
    while (begin < end && data[begin] == ' ')
        ++begin;
    if (begin == end)
        return;
    const QByteArrayView line(data + begin, end - begin);
    LineParts parts;
    const LineFault fault = SplitLine(line, parts);
    if (fault != LineFault::None) {
        const auto kind = fault == LineFault::NoTag ? GedcomProblem::Kind::NoTag : GedcomProblem::Kind::LevelNotANumber;
        skipped.push_back({number, kind, begin, end - begin});
        return;
    }
    if (deepSkip) {
        SkippedLine& head = skipped[*deepSkip];
        if (parts.level > head.level) {
            ++head.subordinates;
            return;
        }
        deepSkip.reset();
    }
    if (parts.level > deepestLevel) {
        // Taken, the lines below it would read as parts of the structure before it.
        deepSkip = skipped.size();
        skipped.push_back({number, GedcomProblem::Kind::LevelTooHigh, begin, end - begin, parts.level});
        return;
    }
    const QByteArrayView value = parts.value.isNull() ? parts.tag.sliced(parts.tag.size()) : parts.value;
    Line kept;
    kept.number = number;
    kept.valueBegin = int(value.data() - text.constData());
    kept.valueSize = quint32(std::min<qsizetype>(value.size(), longValue));
    kept.tag = gedcomTag(parts.tag);
    kept.level = quint32(parts.level);
    kept.hasXref = !parts.xref.isEmpty();
    lines.push_back(kept);
}

_Gedcom::LineFault _Gedcom::SplitLine(QByteArrayView line, LineParts& parts)
{
    parts = LineParts();
    const char* const last = line.data() + line.size();
    const char* at = skipBlanks(line.data(), last);
    const char* end = tokenEnd(at, last);
    parts.level = levelNumber(at, end);
    if (parts.level < 0)
        return LineFault::LevelNotANumber;

    at = skipBlanks(end, last);
    if (at != last && *at == '@') {
        // A cross-reference runs to its closing at-sign, blanks included; one that is never closed ends at a blank.
        end = at + 1;
        while (end != last && *end != '@')
            ++end;
        end = end != last ? end + 1 : tokenEnd(at, last);
        parts.xref = between(at, end);
        at = skipBlanks(end, last);
    }
    if (at == last)
        return LineFault::NoTag;
    end = tokenEnd(at, last);
    parts.tag = between(at, end);
    if (end != last)
        parts.value = between(end + 1, last);
    return LineFault::None;
}

void _Gedcom::FindRepeatedXrefs()
{
    // By the record's tag and its cross-reference as the file's bytes: the head line of the first such record.
    QHash<QByteArray, int> firstHeads;
    for (int i = 0; i < int(lines.size()); ++i) {
        const Line& line = lines[i];
        if (line.level != 0 || !line.hasXref ||
            (line.tag != Tag::Indi && line.tag != Tag::Note && line.tag != Tag::Obje))
            continue;
        const QByteArray xref = RawXref(i);
        const QByteArray key = char(line.tag) + xref;
        const auto first = firstHeads.constFind(key);
        if (first == firstHeads.constEnd())
            firstHeads.insert(key, line.number);
        else
            faults.append({line.number, GedcomProblem::Kind::RepeatedXref, Decode(xref), 0, first.value()});
    }
}

std::optional<QByteArrayView> _Gedcom::HeaderCharset() const
{
    for (int i = 1; i < int(lines.size()) && lines[i].level != 0; ++i)
        if (lines[i].level == 1 && lines[i].tag == Tag::Char)
            return Raw(i);
    return std::nullopt;
}

void _Gedcom::CheckUtf8(Utf8Checker& checker) const
{
    // An ASCII value is valid and completes nothing held back: the checker sees only the values that reach a byte
    // above ASCII, found for the whole text a word at a time, and the value after one that held bytes back.
    const char* data = text.constData();
    const int size = int(text.size());
    int nextHigh = -1;
    for (int i = 0; i < int(lines.size()); ++i) {
        const QByteArrayView value = Raw(i);
        const int begin = int(value.data() - data);
        if (nextHigh < begin)
            nextHigh = nextAboveAscii(data, begin, size);
        if (nextHigh < begin + value.size() || checker.holding())
            checker.check(lines[i].number, value, lines[i].tag == Tag::Conc);
    }
    checker.finish();
}

void _Gedcom::Parse()
{
    parsing = true;
    totalLines = int(lines.size());
    ForgetSharedValues();
    IndexRecords();
    ReportProgress(1, 0);
    ReportProgress(2, 0);
    ReportProgress(3, 0);
    ReadIndividuals();
    ReadFamilies();
    ReadSources();
    ReadPictures();
    ForgetSharedValues();
    blockStarts = {};
    parsing = false;
}

void _Gedcom::ReportProgress(int stage, int position)
{
    lastStage = stage;
    lastPosition = position == -10 ? totalLines : position;
    if (progressCallback)
        progressCallback(lastStage, lastPosition, totalLines);
}

KV_Person* _Gedcom::FindImportedPerson(const QString& xref, int& sex) const
{
    const auto found = individualByXref.constFind(xref);
    if (found == individualByXref.constEnd())
        return nullptr;
    const _Osoba& individual = individualRecords[found.value()];
    sex = individual.sex == QLatin1String("F") ? 0 : individual.sex == QLatin1String("M") ? 1 : 2;
    return individual.person;
}

QString _Gedcom::FindSubValue(int start, QByteArrayView tag, int limit) const
{
    return FindSub(start, gedcomTag(tag), limit);
}

QString _Gedcom::FindSub(int start, Tag tag, int limit) const
{
    const int line = FindSubLine(start, tag, limit);
    return line >= 0 ? Value(line) : QString();
}

int _Gedcom::FindSubLine(int start, Tag tag, int limit) const
{
    if (tag == Tag::Other)
        return -1;
    for (int i = start; i < int(lines.size()) && int(lines[i].level) > limit; ++i) {
        const Line& line = lines[i];
        if (line.tag == tag)
            return i;
        // A source's DATA DATE or a note's text is not the value of the event they stand under.
        if (line.tag == Tag::Sour || line.tag == Tag::Note || line.tag == Tag::Obje)
            while (i + 1 < int(lines.size()) && lines[i + 1].level > line.level)
                ++i;
    }
    return -1;
}

void _Gedcom::JoinContinuation(QByteArray& text, QByteArrayView continuation)
{
    text.append("\r\n", 2);
    text.append(continuation);
}

qsizetype _Gedcom::LongValueSize(int i) const
{
    const QByteArrayView rest = QByteArrayView(text).sliced(lines[i].valueBegin);
    const auto end = std::find_if(rest.begin(), rest.end(), [](char c) { return c == '\r' || c == '\n'; });
    return end - rest.begin();
}

_Gedcom::LineParts _Gedcom::Parts(int i) const
{
    // The line starts after the line end before its value; its leading blanks are passed over again.
    const Line& line = lines[i];
    const char* data = text.constData();
    int begin = line.valueBegin;
    while (begin > 0 && data[begin - 1] != '\n' && data[begin - 1] != '\r')
        --begin;
    const QByteArrayView value = Raw(i);
    LineParts parts;
    SplitLine(QByteArrayView(data + begin, value.data() + value.size()), parts);
    return parts;
}

QString _Gedcom::Xref(int i) const
{
    return Decode(Parts(i).xref);
}

QByteArrayView _Gedcom::TagText(int i) const
{
    const Line& line = lines[i];
    if (line.tag != Tag::Other)
        return gedcomTagText(line.tag);
    if (line.hasXref)
        return Parts(i).tag;
    // Without a cross-reference the tag is the word between the level's blank and the value, whose one blank
    // separator (when there is a value) stands before its first byte.
    const char* data = text.constData();
    const char* end = data + line.valueBegin;
    if (end[-1] == ' ')
        --end;
    const char* begin = end;
    while (begin[-1] != ' ')
        --begin;
    return between(begin, end);
}

void _Gedcom::CountLevelOneTag(TagTally& tally, int i)
{
    const Tag tag = lines[i].tag;
    if (tag != Tag::Other) {
        ++tally.known[std::size_t(tag)];
        return;
    }
    const QByteArrayView name = TagText(i);
    // Looked up without a copy; only a tag met for the first time is copied, as the file's bytes go with it.
    const auto found = tally.other.find(QByteArray::fromRawData(name.data(), name.size()));
    if (found != tally.other.end())
        ++found.value();
    else
        tally.other.insert(name.toByteArray(), 1);
}

QMap<QString, int> _Gedcom::levelOneTags(const TagTally& tally)
{
    QMap<QString, int> counts;
    for (std::size_t tag = 0; tag < tally.known.size(); ++tag) {
        if (tally.known[tag] > 0)
            counts.insert(QString::fromLatin1(gedcomTagText(Tag(tag))), tally.known[tag]);
    }
    for (auto it = tally.other.cbegin(); it != tally.other.cend(); ++it)
        counts[QString::fromUtf8(it.key())] += it.value();
    return counts;
}
