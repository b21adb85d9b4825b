// The record passes of the reader: individuals, families, sources and picture records, each read from its head
// line to the next level-0 line, with the multimedia-link, pictures-text and citation sub-scans they share.
#include "_gedcom.h"

#include "GedcomTags.h"
#include "LargeMemory.h"

#include <algorithm>

namespace {

// The labels a citation gets from the event it is written under.
QString citationLabel(_Gedcom::Tag event)
{
    switch (event) {
    case _Gedcom::Tag::Marr:
        return QStringLiteral("dot. małżeństwa");
    case _Gedcom::Tag::Enga:
        return QStringLiteral("dot. zaręczyn");
    case _Gedcom::Tag::Anul:
        return QStringLiteral("dot. anulowania związku");
    case _Gedcom::Tag::Div:
        return QStringLiteral("dot. rozwodu");
    case _Gedcom::Tag::Birt:
        return QStringLiteral("dot. urodzenia");
    case _Gedcom::Tag::Bapm:
    case _Gedcom::Tag::Chr:
        return QStringLiteral("dot. chrztu");
    case _Gedcom::Tag::Deat:
        return QStringLiteral("dot. zgonu");
    case _Gedcom::Tag::Buri:
        return QStringLiteral("dot. pochówku");
    case _Gedcom::Tag::Adopt:
        return QStringLiteral("dot. adopcji");
    default:
        return QString();
    }
}

// The number a QUAY value begins with; 0 when it begins with no digit.
int leadingNumber(const QString& value)
{
    int number = 0;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || number > 99999999)
            break;
        number = number * 10 + (c.unicode() - '0');
    }
    return number;
}

// The cross-reference a value points at ("@N1@"); none when the value is text of its own.
std::optional<QByteArrayView> pointerIn(QByteArrayView value)
{
    value = value.trimmed();
    if (value.size() < 3 || value.front() != '@' || value.back() != '@')
        return std::nullopt;
    const auto inside = value.sliced(1, value.size() - 2);
    if (std::find(inside.begin(), inside.end(), '@') != inside.end())
        return std::nullopt;
    return value;
}

// Appends to a list of a record's citations or links, which most records that have any have one of: the first
// entry gets a block of its own size, where growing the list would round the block up to twice that.
template <typename T>
void appendToRecord(QList<T>& list, T&& entry)
{
    if (list.isEmpty())
        list.reserve(1);
    list.append(std::move(entry));
}

// A key that looks a cross-reference up without a copy.
QByteArray lookupKey(QByteArrayView xref)
{
    return QByteArray::fromRawData(xref.data(), xref.size());
}

} // namespace

bool _Gedcom::IsRecordHead(int i, Tag word) const
{
    return lines[i].level == 0 && lines[i].tag == word && lines[i].hasXref;
}

// Room for all the records at once: the records are large, and growing their lists one by one would move them
// again and again. The note and multimedia records are kept on the way, as individuals and families point at them
// from anywhere in the file; the first record of a cross-reference counts.
void _Gedcom::IndexRecords()
{
    noteRecords.clear();
    multimediaRecords.clear();
    qsizetype individuals = 0;
    qsizetype families = 0;
    // Multimedia records are read once all notes are known, as their notes may point at later note records.
    std::vector<int> multimediaHeads;
    blockStarts.clear();
    for (int i = 0; i < int(lines.size()); ++i) {
        const Line& line = lines[i];
        if (i == 0 || line.level == 0)
            blockStarts.push_back(i);
        if (line.level != 0 || !line.hasXref)
            continue;
        if (line.tag == Tag::Indi) {
            ++individuals;
        } else if (line.tag == Tag::Fam) {
            ++families;
        } else if (line.tag == Tag::Note) {
            if (const QByteArray xref = RawXref(i); !noteRecords.contains(xref))
                noteRecords.insert(xref, ReadNoteRecord(i));
        } else if (line.tag == Tag::Obje) {
            multimediaHeads.push_back(i);
        }
    }
    for (const int head : multimediaHeads) {
        if (const QByteArray xref = RawXref(head); !multimediaRecords.contains(xref))
            multimediaRecords.insert(xref, ReadMultimedia(head));
    }
    individualRecords.reserve(individualRecords.size() + individuals);
    adviseHugePages(individualRecords.data(), std::size_t(individualRecords.capacity()) * sizeof(_Osoba));
    individualByXref.reserve(individualByXref.size() + individuals);
    familyRecords.reserve(familyRecords.size() + families);
}

void _Gedcom::ReadIndividuals()
{
    ScanRecords(1, Tag::Indi, &_Gedcom::ReadIndividual);
}

void _Gedcom::ReadFamilies()
{
    ScanRecords(2, Tag::Fam, &_Gedcom::ReadFamily);
}

void _Gedcom::ReadSources()
{
    ScanRecords(4, Tag::Sour, &_Gedcom::ReadSource);
}

void _Gedcom::ReadPictures()
{
    ScanRecords(3, Tag::Picture, &_Gedcom::ReadPicture);
}

// A record runs from a level-0 head line with a cross-reference and the record word to the next level-0 line (or
// the end of the lines), which is then examined again as a possible head. Progress is reported for each line the
// scan examines outside the records; only a callback sees those reports, so without one they are not made.
void _Gedcom::ScanRecords(int stage, Tag word, void (_Gedcom::*read)(int head, int end))
{
    for (std::size_t block = 0; block < blockStarts.size(); ++block) {
        const int i = blockStarts[block];
        const int end = block + 1 < blockStarts.size() ? blockStarts[block + 1] : int(lines.size());
        if (IsRecordHead(i, word)) {
            ReportProgress(stage, i + 1);
            (this->*read)(i, end);
        } else if (progressCallback) {
            for (int examined = i; examined < end; ++examined)
                ReportProgress(stage, examined + 1);
        }
    }
    ReportProgress(stage, -10);
}

void _Gedcom::ReadIndividual(int head, int end)
{
    _Osoba& individual = individualRecords.emplaceBack();
    individual.xref = Xref(head);
    individual.firstLine = lines[head].number;
    individual.lastLine = lines[end - 1].number;

    bool nameTaken = false;
    bool maidenName = false; // the lines are those under a NAME of type maiden
    int otherName = -1;      // the first NAME line of a type other than birth and maiden
    QString eventLabel;
    RecordNote note;
    QList<GedcomValueNotTaken> notTaken;

    for (int i = head + 1; i < end; ++i) {
        const Line& line = lines[i];
        if (line.level == 1) {
            eventLabel.clear();
            maidenName = false;
            CountLevelOneTag(individualTags, i);
        }
        if (TakeNoteLine(note, i))
            continue;
        switch (line.tag) {
        case Tag::Name:
            if (line.level == 1) {
                const QString type = FindSub(i + 1, Tag::Type, 1).toUpper();
                maidenName = type == QLatin1String("MAIDEN") || type == QLatin1String("3");
                if (type.isEmpty() || type == QLatin1String("BIRTH")) {
                    // The first name without a type is the person's name; later ones are other names.
                    if (!nameTaken) {
                        TakeName(i, individual);
                        nameTaken = true;
                    }
                } else if (maidenName) {
                    individual.familyName = MaidenFamilyName(Value(i));
                } else if (otherName < 0) {
                    otherName = i;
                }
            }
            break;
        case Tag::Surn:
            if (line.level == 2 && maidenName)
                individual.familyName = SharedValue(i);
            break;
        case Tag::Sex:
            if (line.level == 1)
                individual.sex = SharedValue(i);
            break;
        case Tag::Birt:
        case Tag::Bapm:
        case Tag::Chr:
        case Tag::Buri:
            if (line.level == 1) {
                eventLabel = citationLabel(line.tag);
                GedcomEvent& event = line.tag == Tag::Birt   ? individual.birth
                                     : line.tag == Tag::Buri ? individual.editDetails().burial
                                                             : individual.editDetails().baptism;
                MergeEvent(event, ReadEvent(i), TagText(i), notTaken);
                if (line.tag == Tag::Buri) {
                    individual.buried = true;
                    if (QString value = Value(i); !value.isEmpty())
                        individual.editDetails().burialValue = std::move(value);
                }
            }
            break;
        case Tag::Deat:
            if (line.level == 1) {
                eventLabel = citationLabel(line.tag);
                individual.died = true;
                if (QString value = Value(i); !value.isEmpty())
                    individual.editDetails().deathValue = std::move(value);
                MergeEvent(individual.death, ReadEvent(i), TagText(i), notTaken);
                if (QString cause = FindSub(i + 1, Tag::Caus, 1); !cause.isEmpty())
                    MergeValue(individual.editDetails().deathCause, std::move(cause), "DEAT", "CAUS", notTaken);
            }
            break;
        case Tag::Occu:
            if (line.level == 1)
                individual.occupation = SharedValue(i);
            break;
        case Tag::Nati:
            if (line.level == 1)
                individual.editDetails().nationality = SharedValue(i);
            break;
        case Tag::Reli:
            if (line.level == 1)
                individual.editDetails().religion = SharedValue(i);
            break;
        case Tag::Resi:
            if (line.level == 1) {
                // An address line with no parts (a residence given only by its date) keeps the address read before.
                _Adres address = ReadAddress(i);
                if (!(address.address + address.city + address.state + address.postalCode + address.country).isEmpty())
                    individual.editDetails().address = std::move(address);
            }
            break;
        case Tag::Adopt:
            if (line.level == 1) {
                eventLabel = citationLabel(line.tag);
                individual.editDetails().adoptionFamily = FindSub(i + 1, Tag::Famc, 1);
            }
            break;
        case Tag::Obje:
            // A picture under one of the person's events (a document of a death, say) is the person's too.
            if (line.level == 1 || (line.level == 2 && !eventLabel.isEmpty())) {
                if (std::optional<_Multimedia> link = ReadLink(i)) {
                    appendToRecord(individual.multimedia, std::move(*link));
                    ++multimediaLinks;
                }
            }
            break;
        case Tag::Pictures:
            if (line.level == 1)
                ReadPicturesText(i, individual);
            break;
        case Tag::Sour:
            if (line.level == 1 || line.level == 2)
                appendToRecord(individual.citations, ReadCitation(i, line.level == 2 ? eventLabel : QString()));
            break;
        default:
            break;
        }
    }
    individual.note = Decode(note.text);
    if (!notTaken.isEmpty())
        individual.editDetails().valuesNotTaken = std::move(notTaken);
    // A person known only by a married name or an alias is known by that rather than by none.
    if (!nameTaken && otherName >= 0)
        TakeName(otherName, individual);
    SplitPersonName(individual);
    ShareName(individual.givenNames);
    ShareName(individual.surname);
    ShareName(individual.familyName);
    if (!individualByXref.contains(individual.xref))
        individualByXref.insert(individual.xref, int(individualRecords.size()) - 1);
}

void _Gedcom::ReadFamily(int head, int end)
{
    _Fam& family = familyRecords.emplaceBack();
    family.xref = Xref(head);
    family.firstLine = lines[head].number;
    family.lastLine = lines[end - 1].number;

    QString eventLabel;
    RecordNote note;
    QList<GedcomValueNotTaken> notTaken;

    for (int i = head + 1; i < end; ++i) {
        const Line& line = lines[i];
        if (line.level == 1) {
            CountLevelOneTag(familyTags, i);
            if (line.tag == Tag::Husb)
                family.husband = IndividualPointer(i);
            else if (line.tag == Tag::Wife)
                family.wife = IndividualPointer(i);
            else if (line.tag == Tag::Chil)
                family.children.append(IndividualPointer(i));
            eventLabel.clear();
        }
        if (TakeNoteLine(note, i))
            continue;
        switch (line.tag) {
        case Tag::Marr:
        case Tag::Enga:
        case Tag::Anul:
        case Tag::Div:
            if (line.level == 1) {
                eventLabel = citationLabel(line.tag);
                GedcomEvent* event = &family.marriage;
                if (line.tag == Tag::Marr) {
                    family.married = true;
                } else if (line.tag == Tag::Enga) {
                    _Fam::Details& details = family.editDetails();
                    details.engaged = true;
                    event = &details.engagement;
                } else {
                    // The later of annulment and divorce wins, with its own date and place.
                    _Fam::Details& details = family.editDetails();
                    const _Fam::End kind = line.tag == Tag::Anul ? _Fam::End::Annulment : _Fam::End::Divorce;
                    if (kind != details.end)
                        details.ending = GedcomEvent();
                    details.end = kind;
                    event = &details.ending;
                }
                MergeEvent(*event, ReadEvent(i), TagText(i), notTaken);
            }
            break;
        case Tag::Obje:
            if (line.level == 1) {
                if (std::optional<_Multimedia> link = ReadLink(i))
                    appendToRecord(family.multimedia, std::move(*link));
            }
            break;
        case Tag::Sour:
            if (line.level == 1 || line.level == 2)
                appendToRecord(family.citations, ReadCitation(i, eventLabel));
            break;
        default:
            break;
        }
    }
    family.note = Decode(note.text);
    if (!notTaken.isEmpty())
        family.editDetails().valuesNotTaken = std::move(notTaken);
}

void _Gedcom::ReadSource(int head, int end)
{
    _SOURCE& source = sourceRecords.emplaceBack();
    source.xref = Xref(head);
    source.firstLine = lines[head].number;
    source.lastLine = lines[end - 1].number;
    bool textMode = false;
    QByteArray sourceText;

    for (int i = head + 1; i < end; ++i) {
        const Line& line = lines[i];
        if (textMode && line.level != 2)
            textMode = false;
        if (line.level == 1) {
            switch (line.tag) {
            case Tag::Titl:
                source.title = Value(i);
                break;
            case Tag::Auth:
                source.author = Value(i);
                break;
            case Tag::Publ:
                source.publication = Value(i);
                break;
            case Tag::Abbr:
                source.abbreviation = Value(i);
                break;
            case Tag::Repo:
                source.callNumber = FindSub(i + 1, Tag::Caln, 1);
                source.medium = FindSub(i + 1, Tag::Medi, 1);
                break;
            case Tag::Text:
                sourceText = Raw(i).toByteArray();
                textMode = true;
                break;
            default:
                break;
            }
        } else if (textMode && line.tag == Tag::Conc) {
            sourceText.append(Raw(i));
        } else if (textMode && line.tag == Tag::Cont) {
            JoinContinuation(sourceText, Raw(i));
        }
    }
    source.text = Decode(sourceText);
}

void _Gedcom::ReadPicture(int head, int end)
{
    _PICTURE& picture = pictureRecords.emplaceBack();
    picture.xref = Xref(head);
    picture.firstLine = lines[head].number;
    picture.lastLine = lines[end - 1].number;
    for (int i = head + 1; i < end; ++i) {
        if (lines[i].level != 1)
            continue;
        if (lines[i].tag == Tag::Path)
            picture.path = Value(i);
        else if (lines[i].tag == Tag::Name)
            picture.name = Value(i);
        else if (lines[i].tag == Tag::Description)
            picture.description = Value(i);
    }
}

GedcomEvent _Gedcom::ReadEvent(int at)
{
    GedcomEvent event;
    if (const int date = FindSubLine(at + 1, Tag::Date, 1); date >= 0) {
        event.dateTexts = SharedDateValue(date);
    }
    if (const int place = FindSubLine(at + 1, Tag::Plac, 1); place >= 0)
        event.place = SharedValue(place);
    return event;
}

QString _Gedcom::SharedValue(int at)
{
    const QByteArrayView bytes = Raw(at).trimmed();
    const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
    auto found = sharedValues.constFind(key);
    if (found == sharedValues.constEnd())
        found = sharedValues.insert(key, Decode(bytes));
    return found.value();
}

const _Gedcom::SharedDate& _Gedcom::SharedDateValue(int at)
{
    const QByteArrayView bytes = Raw(at).trimmed();
    const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
    auto found = sharedDates.constFind(key);
    if (found == sharedDates.constEnd()) {
        auto* texts = new GedcomDateTexts;
        texts->original = Decode(bytes);
        texts->converted = ConvertDate(texts->original);
        found = sharedDates.insert(key, SharedDate(texts));
    }
    return found.value();
}

void _Gedcom::ShareName(QString& name)
{
    name = sharedNames.shared(name);
}

QString _Gedcom::IndividualPointer(int at) const
{
    const QString value = Value(at);
    const auto found = individualByXref.constFind(value);
    return found != individualByXref.constEnd() ? found.key() : value;
}

void _Gedcom::ForgetSharedValues()
{
    sharedValues = {};
    sharedDates = {};
    sharedNames.clear();
}

void _Gedcom::MergeEvent(GedcomEvent& kept, GedcomEvent later, QByteArrayView tag, QList<GedcomValueNotTaken>& notTaken)
{
    // Files list the preferred event first; later ones of the kind are alternatives, sources or corrections of
    // parts the first one lacks.
    if (kept.originalDate().isEmpty()) {
        kept.dateTexts = std::move(later.dateTexts);
    } else if (!later.originalDate().isEmpty() && later.originalDate() != kept.originalDate()) {
        notTaken.append({ValueTag(tag, "DATE"), later.originalDate()});
    }
    MergeValue(kept.place, std::move(later.place), tag, "PLAC", notTaken);
}

void _Gedcom::MergeValue(QString& kept, QString later, QByteArrayView tag, QByteArrayView part,
                         QList<GedcomValueNotTaken>& notTaken)
{
    if (kept.isEmpty())
        kept = std::move(later);
    else if (!later.isEmpty() && later != kept)
        notTaken.append({ValueTag(tag, part), std::move(later)});
}

// Built only for a value not taken: most events are not repeated.
QString _Gedcom::ValueTag(QByteArrayView tag, QByteArrayView part)
{
    return QString::fromLatin1(tag) + QLatin1Char(' ') + QString::fromLatin1(part);
}

_Adres _Gedcom::ReadAddress(int at) const
{
    _Adres address;
    address.city = FindSub(at + 1, Tag::City, 1);
    address.address = FindSub(at + 1, Tag::Addr, 1);
    if (QString line1 = FindSub(at + 1, Tag::Adr1, 1); !line1.isEmpty())
        address.address = std::move(line1);
    address.state = FindSub(at + 1, Tag::Stae, 1);
    address.postalCode = FindSub(at + 1, Tag::Post, 1);
    address.country = FindSub(at + 1, Tag::Ctry, 1);
    if (address.city.isEmpty())
        address.city = FindSub(at + 1, Tag::Plac, 1);
    return address;
}

// A record may carry several notes; each further one goes on a line of its own rather than replacing the others.
bool _Gedcom::TakeNoteLine(RecordNote& note, int at)
{
    const Line& line = lines[at];
    if (line.level != 2)
        note.open = false;
    if (line.level == 1 && line.tag == Tag::Note) {
        const std::optional<QByteArrayView> own = NoteText(at);
        if (!own)
            return true;
        if (note.any)
            JoinContinuation(note.text, *own);
        else
            note.text = own->toByteArray();
        note.any = note.open = true;
        return true;
    }
    if (!note.open || (line.tag != Tag::Conc && line.tag != Tag::Cont))
        return false;
    if (line.tag == Tag::Conc)
        note.text.append(Raw(at));
    else
        JoinContinuation(note.text, Raw(at));
    return true;
}

std::optional<QByteArrayView> _Gedcom::NoteText(int at)
{
    const QByteArrayView value = Raw(at);
    const std::optional<QByteArrayView> xref = pointerIn(value);
    if (!xref)
        return value;
    const auto found = noteRecords.constFind(lookupKey(*xref));
    if (found == noteRecords.constEnd()) {
        ++danglingNotes;
        return std::nullopt;
    }
    return QByteArrayView(found.value());
}

// A note record's text: its head line's value with the CONC and CONT lines of level 1.
QByteArray _Gedcom::ReadNoteRecord(int head) const
{
    QByteArray note = Raw(head).toByteArray();
    for (int j = head + 1; j < int(lines.size()) && lines[j].level > 0; ++j) {
        if (lines[j].level != 1)
            continue;
        if (lines[j].tag == Tag::Conc)
            note.append(Raw(j));
        else if (lines[j].tag == Tag::Cont)
            JoinContinuation(note, Raw(j));
    }
    return note;
}

std::optional<_Multimedia> _Gedcom::ReadLink(int at)
{
    const std::optional<QByteArrayView> xref = pointerIn(Raw(at));
    if (!xref)
        return ReadMultimedia(at);
    const auto found = multimediaRecords.constFind(lookupKey(*xref));
    if (found == multimediaRecords.constEnd()) {
        ++danglingMultimedia;
        return std::nullopt;
    }
    ++multimediaResolved;
    return found.value();
}

// The lines of a sub-structure are those after its head whose level is greater; the line that ends it belongs to
// the record again. A multimedia record reads alike whether FORM and TITL stand beside FILE or under it.
_Multimedia _Gedcom::ReadMultimedia(int at)
{
    _Multimedia link;
    const int level = lines[at].level;
    QByteArray note;
    for (int j = at + 1; j < int(lines.size()) && lines[j].level > level; ++j) {
        const Line& line = lines[j];
        switch (line.tag) {
        case Tag::Form:
            link.form = Value(j);
            break;
        case Tag::File:
            link.file = Value(j);
            break;
        case Tag::Titl:
            link.title = Value(j);
            break;
        case Tag::Note:
            if (line.level == level + 1)
                note = NoteText(j).value_or(QByteArrayView()).toByteArray();
            break;
        case Tag::Conc:
            if (line.level == level + 2)
                note.append(Raw(j));
            break;
        case Tag::Cont:
            if (line.level == level + 2)
                JoinContinuation(note, Raw(j));
            break;
        default:
            break;
        }
    }
    link.note = Decode(note);
    return link;
}

void _Gedcom::TakeName(int at, _Osoba& individual)
{
    individual.fullName = Value(at);
    for (int j = at + 1; j < int(lines.size()) && lines[j].level > 1; ++j) {
        if (lines[j].level != 2)
            continue;
        switch (lines[j].tag) {
        case Tag::Givn:
            individual.givenNames = SharedValue(j);
            break;
        case Tag::Middle:
            individual.givenNames = (individual.givenNames + QLatin1Char(' ') + Value(j)).trimmed();
            break;
        case Tag::Surn:
            individual.surname = SharedValue(j);
            break;
        case Tag::Npfx:
            individual.editDetails().namePrefix = Value(j);
            break;
        case Tag::Nsfx:
            individual.editDetails().nameSuffix = Value(j);
            break;
        case Tag::Marnm:
        case Tag::Mar:
            individual.editDetails().marriedName = Value(j);
            break;
        default:
            break;
        }
    }
}

void _Gedcom::ReadPicturesText(int at, _Osoba& individual) const
{
    _Osoba::Details& details = individual.editDetails();
    QByteArray pictures = Raw(at).toByteArray();
    const int level = lines[at].level;
    for (int j = at + 1; j < int(lines.size()) && lines[j].level > level; ++j) {
        if (lines[j].tag == Tag::Conc)
            pictures.append(Raw(j));
        else if (lines[j].tag == Tag::Primary)
            details.primaryPicture = Value(j);
    }
    details.pictures = Decode(pictures);
}

_ODWOLANIE _Gedcom::ReadCitation(int at, const QString& event)
{
    _ODWOLANIE citation;
    citation.source = SharedValue(at);
    citation.event = event;
    const int level = lines[at].level;
    QByteArray citationText;
    for (int j = at + 1; j < int(lines.size()) && lines[j].level > level; ++j) {
        const Line& line = lines[j];
        const bool continuation = line.level == level + 3 || line.level == level + 1;
        switch (line.tag) {
        case Tag::Page:
            citation.page = SharedValue(j);
            break;
        case Tag::Even:
            citation.event = Value(j);
            break;
        case Tag::Date:
            if (line.level == level + 2)
                citation.date = SharedDateValue(j)->converted;
            break;
        case Tag::Text:
            if (line.level == level + 2)
                citationText = Raw(j).toByteArray();
            break;
        case Tag::Conc:
            if (continuation)
                citationText.append(Raw(j));
            break;
        case Tag::Cont:
            if (continuation)
                JoinContinuation(citationText, Raw(j));
            break;
        case Tag::Quay:
            citation.quality = leadingNumber(Value(j));
            break;
        default:
            break;
        }
    }
    citation.text = Decode(citationText);
    return citation;
}
