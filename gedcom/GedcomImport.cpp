#include "GedcomImport.h"

#include "Bazadanych.h"
#include "Clock.h"
#include "Fact.h"
#include "FileFailure.h"
#include "FileSystem.h"
#include "ImportJournal.h"
#include "Picture.h"
#include "Picturemanager.h"
#include "Vh_langmanager.h"
#include "_gedcom.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

const QString lineBreak = QStringLiteral("\r\n");

// The database refused an object in the middle of a conversion; the import then keeps nothing.
struct RefusedObject
{
    QString reason;
};

// A list that names each entry once, in the order first met.
class ListedOnce
{
public:
    explicit ListedOnce(QStringList& list) : list(list) {}
    void add(const QString& entry)
    {
        if (!seen.contains(entry)) {
            seen.insert(entry);
            list.append(entry);
        }
    }

private:
    QStringList& list;
    QSet<QString> seen;
};

// "http://...", "mailto:...": a link to something that is no file. A drive letter ("C:") has one letter only.
bool isAddress(const QString& path)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(path).hasMatch();
}

// "C:/..." or "//server/...", once backslashes have become slashes.
bool isWindowsAbsolute(const QString& path)
{
    const bool drive = path.size() >= 3 && path[0].isLetter() && path[1] == u':' && path[2] == u'/';
    return drive || path.startsWith(QStringLiteral("//"));
}

QString fileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The level-1 tags of individual records that the conversion takes: the names, sex, events, attributes, notes
// and picture links. FAMS and FAMC count as taken: the family records carry the same links, and the conversion
// makes them from there.
const QSet<QString> convertedIndividualTags = {
    QStringLiteral("NAME"), QStringLiteral("SEX"),  QStringLiteral("BIRT"), QStringLiteral("BAPM"),
    QStringLiteral("CHR"),  QStringLiteral("DEAT"), QStringLiteral("BURI"), QStringLiteral("OCCU"),
    QStringLiteral("NATI"), QStringLiteral("RELI"), QStringLiteral("RESI"), QStringLiteral("NOTE"),
    QStringLiteral("OBJE"), QStringLiteral("FAMS"), QStringLiteral("FAMC"),
};
// The level-1 tags of family records that the conversion takes: the spouses, the children and the union events.
const QSet<QString> convertedFamilyTags = {
    QStringLiteral("HUSB"), QStringLiteral("WIFE"), QStringLiteral("CHIL"), QStringLiteral("MARR"),
    QStringLiteral("ENGA"), QStringLiteral("ANUL"), QStringLiteral("DIV"),
};

QMap<QString, int> withoutConverted(QMap<QString, int> counts, const QSet<QString>& converted)
{
    counts.removeIf([&](const auto& entry) { return converted.contains(entry.key()); });
    return counts;
}

void listValuesNotTaken(QStringList& list, const QString& owner, const QList<GedcomValueNotTaken>& values)
{
    for (const GedcomValueNotTaken& value : values)
        list.append(QStringLiteral("%1: %2: %3").arg(owner, value.tag, value.value));
}

// An event makes a fact when it gives a date or a place; a cause of death alone still makes the death fact, so
// that the cause is kept.
bool makesFact(const GedcomEvent& event, const QString& form = QString())
{
    return !event.isEmpty() || !form.isEmpty();
}

template <typename Map, typename Record>
void forget(Map& map, Record* record)
{
    const auto entry = map.find(record->ID);
    if (entry != map.end() && entry->second == record)
        map.erase(entry);
    delete record;
}

class GedcomImporter
{
public:
    GedcomImporter(KV_DB& db, _Gedcom& reader, const QString& gedcomPath, const GedcomImportProgress& progress)
        : db(db)
        , reader(reader)
        , gedcomFolder(QFileInfo(gedcomPath).absolutePath())
        , progress(progress)
        , missingPictures(summary.missingPictures)
        , notPictures(summary.notPictures)
        , uncopiedPictures(summary.uncopiedPictures)
        , journal(db.DataFolder)
    {}

    GedcomImportSummary run();

private:
    void convert();
    void reserveRoom();
    KV_Person* ImportPerson(_Osoba& record);
    bool ImportPersonFact(KV_Person& person, const QString& type, const GedcomEvent& event, const QString& form);
    bool ImportAttribute(KV_Person& person, const QString& code, const QString& value);
    void ImportPictures(KV_Person& person, const _Osoba& record);
    void importFamily(const _Fam& family);
    void ImportUnionFact(KV_Person* husband, KV_Person* wife, const QString& type, const GedcomEvent& event);
    void linkChild(KV_Person& parent, KV_Person& child, QString& parentSlot);

    std::unique_ptr<KV_Fact> makeFact(const QString& type, const GedcomEvent& event, const QString& form);
    KV_Fact* enterFact(std::unique_ptr<KV_Fact> fact);
    KV_Person* findSpouse(const QString& xref);
    QString findPictureFile(const QString& path) const;
    QString attributeName(const QString& code);
    QString factLabel(const QString& type);
    void rememberPicturesFolder();

    bool save();
    // Why the journal refused, for the user.
    QString journalFailure() const;
    // The object file of everything made, in the order written.
    QStringList objectFiles() const;
    void undo(bool filesWritten);
    void report(int position, int maximum) const
    {
        if (progress)
            progress(position, maximum);
    }

    KV_DB& db;
    _Gedcom& reader;
    const QString gedcomFolder;
    const GedcomImportProgress& progress;
    const QString timeStamp = Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    GedcomImportSummary summary;
    ListedOnce missingPictures;
    ListedOnce notPictures;
    ListedOnce uncopiedPictures;
    QHash<QString, QString> attributeNames;
    QHash<QString, QString> factLabels;
    // The names in the pictures folder before the first copy: a copy that is not among them was made by this
    // import and goes again when the import is undone.
    std::optional<QSet<QString>> picturesBefore;

    // Names every file this import creates before it is made, so that a crash can be undone at the next start.
    ImportJournal journal;

    // Everything this import entered into the database, in the order made.
    std::vector<KV_Person*> persons;
    std::vector<KV_Fact*> facts;
    std::vector<KV_Picture*> pictures;
};

GedcomImportSummary GedcomImporter::run()
{
    // Pointers left by an earlier import of these records may name persons that are gone.
    for (_Osoba& record : reader.individuals()) {
        record.person = nullptr;
        record.databaseID.clear();
    }
    bool saving = false;
    bool kept = false;
    try {
        convert();
        saving = true;
        kept = save();
    } catch (const RefusedObject& refused) {
        summary.error = refused.reason;
    } catch (const std::bad_alloc&) {
        summary.error = gLangM.Get(QStringLiteral("LABEL_GEDCOM_ZA_MALO_PAMIECI"));
    }
    if (!kept) {
        undo(saving);
        summary.picturesCopied = 0;
        return summary;
    }
    summary.persons = int(persons.size());
    summary.facts = int(facts.size());
    summary.pictures = int(pictures.size());
    db.SetChanged(true);
    return summary;
}

void GedcomImporter::convert()
{
    QList<_Osoba>& individuals = reader.individuals();
    const int maximum = int(individuals.size() + reader.families().size());
    int position = 0;
    report(position, maximum);
    reserveRoom();
    for (_Osoba& record : individuals) {
        if (ImportPerson(record))
            report(++position, maximum);
    }
    for (const _Fam& family : reader.families()) {
        importFamily(family);
        report(++position, maximum);
    }
    summary.multimediaFromRecords = reader.multimediaFromRecords();
    summary.notesPointingNowhere = reader.notesPointingNowhere();
    summary.multimediaPointingNowhere = reader.multimediaPointingNowhere();
    summary.unconvertedIndividualTags = withoutConverted(reader.individualLevelOneTags(), convertedIndividualTags);
    summary.unconvertedFamilyTags = withoutConverted(reader.familyLevelOneTags(), convertedFamilyTags);
}

// The database's indexes get room for everything the records can make before the first object goes in.
void GedcomImporter::reserveRoom()
{
    std::size_t newPersons = 0;
    std::size_t newFacts = 0;
    std::size_t newPictures = 0;
    for (const _Osoba& record : std::as_const(reader.individuals())) {
        const _Osoba::Details& details = record.details();
        ++newPersons;
        newFacts += makesFact(record.birth) + makesFact(details.baptism) + makesFact(record.death, details.deathCause) +
                    makesFact(details.burial);
        newPictures += std::size_t(record.multimedia.size());
    }
    for (const _Fam& family : reader.families()) {
        const _Fam::Details& details = family.details();
        newFacts += makesFact(family.marriage) + makesFact(details.engagement) +
                    (details.end != _Fam::End::None && makesFact(details.ending));
    }
    db.PersonMap.reserve(db.PersonMap.size() + newPersons);
    db.FactMap.reserve(db.FactMap.size() + newFacts);
    db.PictureMap.reserve(db.PictureMap.size() + newPictures);
}

KV_Person* GedcomImporter::ImportPerson(_Osoba& record)
{
    if (record.xref.isEmpty()) {
        ++summary.skippedIndividuals;
        return nullptr;
    }
    // The name parts are completed on a copy of them: the reader's record stays as the file gave it. Only the
    // names are copied; the whole record is large.
    _Osoba names;
    names.fullName = record.fullName;
    names.givenNames = record.givenNames;
    names.surname = record.surname;
    names.familyName = record.familyName;
    SplitPersonName(names);

    auto made = std::make_unique<KV_Person>();
    KV_Person& person = *made;
    person.ID = KV_DB::NewPersonID();
    // Its facts go into db before the person does, and their order is found there.
    person.Database = &db;
    person.DateCreate = timeStamp;
    person.DateModify = timeStamp;
    const _Osoba::Details& details = record.details();
    person.Surname = details.marriedName.isEmpty() ? names.surname : details.marriedName;
    person.Forename = names.givenNames;
    person.Familyname = names.familyName;

    ImportPersonFact(person, QStringLiteral("BIRT"), record.birth, QString());
    ImportPersonFact(person, QStringLiteral("BAPM"), details.baptism, QString());
    const bool deathFact = ImportPersonFact(person, QStringLiteral("DEAT"), record.death, details.deathCause);
    const bool burialFact = ImportPersonFact(person, QStringLiteral("BURI"), details.burial, QString());
    // "1 DEAT Y", or a death or burial line whatever it holds, says the person has died.
    person.SetDead(record.died || record.buried || deathFact || burialFact);

    ImportAttribute(person, QStringLiteral("OCCU"), record.occupation);
    ImportAttribute(person, QStringLiteral("NSFX"), details.nameSuffix);
    ImportAttribute(person, QStringLiteral("NPFX"), details.namePrefix);
    ImportAttribute(person, QStringLiteral("NATI"), details.nationality);
    ImportAttribute(person, QStringLiteral("RELI"), details.religion);
    const _Adres& address = details.address;
    QString addressText = JoinNonEmpty(address.postalCode, QStringLiteral(" "), QString(), address.city);
    addressText = JoinNonEmpty(address.address, lineBreak, QString(), addressText);
    addressText = JoinNonEmpty(addressText, lineBreak, QString(), address.state);
    addressText = JoinNonEmpty(addressText, lineBreak, QString(), address.country);
    if (!TrimBlanks(addressText).isEmpty())
        ImportAttribute(person, QStringLiteral("ADDR"), addressText);

    person.Note = record.note;
    person.Sex = record.sex == QLatin1String("F") ? 0 : record.sex == QLatin1String("M") ? 1 : 2;

    if (!db.AddPerson(&person))
        throw RefusedObject{gLangM.FormatStr(QStringLiteral("LABEL_GEDCOM_IDENTYFIKATOR_[%S]_ZAJETY"), person.ID)};
    persons.push_back(made.release());
    record.databaseID = person.ID;
    record.person = &person;
    ImportPictures(person, record);
    if (!details.valuesNotTaken.isEmpty()) {
        const QString name = QString(record.fullName).remove(u'/').simplified();
        listValuesNotTaken(summary.valuesNotTaken,
                           name.isEmpty() ? record.xref : QStringLiteral("%1 (%2)").arg(name, record.xref),
                           details.valuesNotTaken);
    }
    return &person;
}

std::unique_ptr<KV_Fact> GedcomImporter::makeFact(const QString& type, const GedcomEvent& event, const QString& form)
{
    auto fact = std::make_unique<KV_Fact>();
    fact->ID = KV_DB::NewFactID();
    fact->Type = type;
    fact->Date.FromSimpleText(event.date());
    fact->Place = event.place;
    fact->Form = form;
    // A date the program cannot hold is kept as the file wrote it, after the description.
    if (fact->Date.IsEmpty() && !event.originalDate().isEmpty())
        fact->Description = JoinNonEmpty(fact->Description, lineBreak, QString(), event.originalDate());
    fact->Name = factLabel(type);
    return fact;
}

KV_Fact* GedcomImporter::enterFact(std::unique_ptr<KV_Fact> fact)
{
    if (!db.InsertFact(fact.get()))
        throw RefusedObject{gLangM.FormatStr(QStringLiteral("LABEL_GEDCOM_IDENTYFIKATOR_[%S]_ZAJETY"), fact->ID)};
    facts.push_back(fact.release());
    return facts.back();
}

bool GedcomImporter::ImportPersonFact(KV_Person& person, const QString& type, const GedcomEvent& event,
                                      const QString& form)
{
    if (!makesFact(event, form))
        return false;
    std::unique_ptr<KV_Fact> fact = makeFact(type, event, form);
    fact->PersonIDF = person.ID;
    person.InsertFactOrdered(enterFact(std::move(fact)));
    return true;
}

bool GedcomImporter::ImportAttribute(KV_Person& person, const QString& code, const QString& value)
{
    if (value.isEmpty())
        return false;
    person.AddAttribute(KV_Atribute{attributeName(code), value, code, false});
    return true;
}

QString GedcomImporter::attributeName(const QString& code)
{
    auto found = attributeNames.constFind(code);
    if (found == attributeNames.constEnd())
        found = attributeNames.insert(code, db.GetAttributeTypeName(code));
    return found.value();
}

// The label of each type is looked up in the language table once per import, not once per fact.
QString GedcomImporter::factLabel(const QString& type)
{
    auto found = factLabels.constFind(type);
    if (found == factLabels.constEnd())
        found = factLabels.insert(type, GetFactTypeLabel(type));
    return found.value();
}

void GedcomImporter::ImportPictures(KV_Person& person, const _Osoba& record)
{
    for (const _Multimedia& link : record.multimedia) {
        if (link.file.isEmpty())
            continue;
        const QString path = QString(link.file).replace(u'\\', u'/');
        if (isAddress(path) || !IsPictureFile(path)) {
            notPictures.add(link.file);
            continue;
        }
        auto picture = std::make_unique<KV_Picture>();
        const QString found = findPictureFile(path);
        if (found.isEmpty()) {
            picture->SetFile(link.file);
            missingPictures.add(link.file);
        } else {
            rememberPicturesFolder();
            const auto recordCopy = [this](const QString& target) { return journal.add({target}); };
            if (picture->ImportFile(found, recordCopy)) {
                ++summary.picturesCopied;
            } else {
                if (!journal.error().isEmpty())
                    throw RefusedObject{journalFailure()};
                picture->SetFile(found);
                uncopiedPictures.add(link.file);
            }
        }
        picture->Name = link.title;
        picture->Description = link.note;
        if (!db.AddPictureToPerson(person.ID, picture.get()))
            throw RefusedObject{db.GetLastError()};
        pictures.push_back(picture.release());
    }
}

// A relative path counts from the GEDCOM file's folder first; a path of another computer's drive is looked for by
// its file name beside the GEDCOM file, where pictures travel with it.
QString GedcomImporter::findPictureFile(const QString& path) const
{
    QStringList candidates;
    if (isWindowsAbsolute(path))
        candidates << gedcomFolder + u'/' + fileNamePart(path);
    else if (QDir::isAbsolutePath(path))
        candidates << path;
    else
        candidates << gedcomFolder + u'/' + path << QDir::current().absoluteFilePath(path);
    for (const QString& candidate : std::as_const(candidates)) {
        if (FileSystem::fileExists(candidate))
            return QDir::cleanPath(candidate);
    }
    return QString();
}

void GedcomImporter::rememberPicturesFolder()
{
    if (picturesBefore)
        return;
    const QStringList names = FileSystem::listFiles(GetPicturesFolder(), QStringLiteral("*"));
    picturesBefore.emplace(names.cbegin(), names.cend());
}

void GedcomImporter::importFamily(const _Fam& family)
{
    const _Fam::Details& details = family.details();
    listValuesNotTaken(summary.valuesNotTaken, family.xref, details.valuesNotTaken);
    KV_Person* husband = findSpouse(family.husband);
    KV_Person* wife = findSpouse(family.wife);
    if (husband && husband == wife) {
        summary.selfLinks.append(family.xref + u' ' + family.husband);
        wife = nullptr;
    }
    if (husband && wife) {
        husband->AddPartner(wife->ID);
        wife->AddPartner(husband->ID);
    }
    ImportUnionFact(husband, wife, QStringLiteral("MARR"), family.marriage);
    ImportUnionFact(husband, wife, QStringLiteral("ENGA"), details.engagement);
    if (details.end == _Fam::End::Annulment)
        ImportUnionFact(husband, wife, QStringLiteral("ANUL"), details.ending);
    else if (details.end == _Fam::End::Divorce)
        ImportUnionFact(husband, wife, QStringLiteral("DIV"), details.ending);

    for (const QString& xref : family.children) {
        int sex = 0;
        KV_Person* child = reader.FindImportedPerson(xref, sex);
        if (!child) {
            ++summary.danglingReferences;
            continue;
        }
        if (child == husband || child == wife)
            summary.selfLinks.append(family.xref + u' ' + xref);
        if (husband && husband != child)
            linkChild(*husband, *child, child->FID);
        if (wife && wife != child)
            linkChild(*wife, *child, child->MID);
    }
}

KV_Person* GedcomImporter::findSpouse(const QString& xref)
{
    if (xref.isEmpty())
        return nullptr;
    int sex = 0;
    KV_Person* person = reader.FindImportedPerson(xref, sex);
    if (!person)
        ++summary.danglingReferences;
    return person;
}

void GedcomImporter::ImportUnionFact(KV_Person* husband, KV_Person* wife, const QString& type, const GedcomEvent& event)
{
    if (!makesFact(event))
        return;
    if (!husband || !wife) {
        ++summary.droppedUnionFacts;
        return;
    }
    std::unique_ptr<KV_Fact> made = makeFact(type, event, QString());
    made->PersonIDF = husband->ID;
    made->PersonIDS = wife->ID;
    KV_Fact* fact = enterFact(std::move(made));
    husband->InsertFactOrdered(fact);
    wife->InsertFactOrdered(fact);
}

// A child has one father and one mother: a further family's parent lists the child only while the child's slot
// is free or already names that parent, so that both ends of every link agree.
void GedcomImporter::linkChild(KV_Person& parent, KV_Person& child, QString& parentSlot)
{
    if (!parentSlot.isEmpty() && parentSlot != parent.ID) {
        ++summary.childrenKeptWithFirstParent;
        return;
    }
    parentSlot = parent.ID;
    parent.AddChild(child.ID);
}

// Each object made is written once, as a new file, and the file system is flushed once at the end. Any failure
// undoes the whole import, so that memory and the data folder never disagree; the journal, written before the
// first file, does the same for a crash.
bool GedcomImporter::save()
{
    const int maximum = int(persons.size() + facts.size() + pictures.size());
    int position = 0;
    report(position, maximum);
    if (!journal.add(objectFiles())) {
        summary.error = journalFailure();
        return false;
    }
    FileSystem::NewFileBatch batch(db.DataFolder);
    // The first failed write ends the saving: the cause (a full disk, a read-only folder) would fail the rest too,
    // and everything written so far is undone anyway.
    const auto saved = [&](bool written) {
        summary.filesWritten = batch.writtenCount();
        if (!written) {
            summary.saveFailures = 1;
            summary.error = db.StorageError;
            return false;
        }
        report(++position, maximum);
        return true;
    };
    for (KV_Person* person : persons) {
        if (!saved(db.SavePerson(person, person->ID, &batch)))
            return false;
    }
    for (KV_Fact* fact : facts) {
        if (!saved(db.SaveFact(fact, fact->ID, &batch)))
            return false;
    }
    for (KV_Picture* picture : pictures) {
        if (!saved(db.SavePicture(picture, picture->ID, &batch)))
            return false;
    }
    QString flushFailure;
    if (!batch.finish(&flushFailure)) {
        summary.error = FileFailureText(FileError::Operation::Write, db.DataFolder, flushFailure);
        return false;
    }
    // Only now is the import whole on disk; while the journal stays, the next start would undo it.
    if (!journal.close()) {
        summary.error = journalFailure();
        return false;
    }
    return true;
}

QString GedcomImporter::journalFailure() const
{
    return FileFailureText(FileError::Operation::Write, db.DataFolder + ImportJournal::FileName, journal.error());
}

QStringList GedcomImporter::objectFiles() const
{
    QStringList files;
    files.reserve(qsizetype(persons.size() + facts.size() + pictures.size()));
    const auto add = [&](const QString& id) { files.append(db.DataFolder + id + db.FileExtension); };
    for (const KV_Person* person : persons)
        add(person->ID);
    for (const KV_Fact* fact : facts)
        add(fact->ID);
    for (const KV_Picture* picture : pictures)
        add(picture->ID);
    return files;
}

void GedcomImporter::undo(bool filesWritten)
{
    QStringList left;
    const auto removeFile = [&left](const QString& path) {
        // A folder standing where a file should have gone is not this import's to remove.
        QString reason;
        if (FileSystem::fileExists(path) && !FileSystem::deleteFile(path, &reason))
            left.append(FileFailureText(FileError::Operation::Delete, path, reason));
    };
    if (filesWritten) {
        for (const QString& file : objectFiles())
            removeFile(file);
    }
    QSet<QString> copies;
    for (const KV_Picture* picture : pictures) {
        const QString name = fileNamePart(picture->GetFullPath());
        if (picture->File.startsWith(QStringLiteral("[#]")) && picturesBefore && !picturesBefore->contains(name))
            copies.insert(picture->GetFullPath());
    }
    for (const QString& copy : std::as_const(copies))
        removeFile(copy);

    for (KV_Picture* picture : pictures)
        forget(db.PictureMap, picture);
    for (KV_Fact* fact : facts)
        forget(db.FactMap, fact);
    for (KV_Person* person : persons)
        forget(db.PersonMap, person);
    pictures.clear();
    facts.clear();
    persons.clear();
    db.PersonListDirty = true;
    for (_Osoba& record : reader.individuals()) {
        record.person = nullptr;
        record.databaseID.clear();
    }
    summary.filesWritten = 0;
    // While files are left the journal stays, so that the next start tries again.
    if (left.isEmpty() && !journal.close())
        left.append(
            FileFailureText(FileError::Operation::Delete, db.DataFolder + ImportJournal::FileName, journal.error()));
    if (!left.isEmpty())
        summary.error += lineBreak + lineBreak +
                         gLangM.Get(QStringLiteral("LABEL_GEDCOM_NIE_USUNIETO_PLIKOW_IMPORTU")) + lineBreak +
                         left.join(lineBreak);
}

} // namespace

QString GedcomImportSummary::message() const
{
    if (succeeded())
        return gLangM.Get(QStringLiteral("LABEL_GEDCOM_AFTER_IMPORT"));
    return gLangM.Get(QStringLiteral("LABEL_GEDCOM_IMPORT_WYCOFANY")) + lineBreak + lineBreak + error;
}

QString GedcomImportSummary::details() const
{
    // Each list shows this many entries; the message shows the details in a scrolled area, and a list longer than
    // this tells no more than its count does.
    constexpr int shownEntries = 500;
    QStringList paragraphs{FormatText(gLangM.Get(QStringLiteral("LABEL_GEDCOM_IMPORT_COUNTS")),
                                      {QString::number(persons), QString::number(facts), QString::number(pictures)})};
    const auto count = [&paragraphs](const char* key, int value) {
        if (value > 0)
            paragraphs << gLangM.FormatInt(QLatin1String(key), value);
    };
    count("LABEL_GEDCOM_SKIPPED_INDIVIDUALS", skippedIndividuals);
    count("LABEL_GEDCOM_DANGLING_REFERENCES", danglingReferences);
    count("LABEL_GEDCOM_MULTIMEDIA_FROM_RECORDS", multimediaFromRecords);
    count("LABEL_GEDCOM_NOTES_POINTING_NOWHERE", notesPointingNowhere);
    count("LABEL_GEDCOM_MULTIMEDIA_POINTING_NOWHERE", multimediaPointingNowhere);
    count("LABEL_GEDCOM_DROPPED_UNION_FACTS", droppedUnionFacts);
    count("LABEL_GEDCOM_CHILDREN_KEPT_WITH_FIRST_PARENT", childrenKeptWithFirstParent);
    const auto list = [&paragraphs](const char* key, const QStringList& entries) {
        if (!entries.isEmpty())
            paragraphs << gLangM.Get(QLatin1String(key)) + lineBreak +
                              FirstLines(entries.mid(0, shownEntries), entries.size());
    };
    list("LABEL_GEDCOM_SELF_LINKS", selfLinks);
    list("LABEL_GEDCOM_MISSING_PICTURES", missingPictures);
    list("LABEL_GEDCOM_NOT_PICTURES", notPictures);
    list("LABEL_GEDCOM_UNCOPIED_PICTURES", uncopiedPictures);
    list("LABEL_GEDCOM_VALUES_NOT_TAKEN", valuesNotTaken);
    list("LABEL_GEDCOM_UNCONVERTED_INDIVIDUAL_LINES", TagCounts(unconvertedIndividualTags));
    list("LABEL_GEDCOM_UNCONVERTED_FAMILY_LINES", TagCounts(unconvertedFamilyTags));
    return paragraphs.join(lineBreak + lineBreak);
}

QStringList TagCounts(const QMap<QString, int>& counts)
{
    QList<std::pair<QString, int>> ordered;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        ordered.append({it.key(), it.value()});
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    QStringList entries;
    for (const auto& [tag, count] : ordered)
        entries << QStringLiteral("%1: %2").arg(tag).arg(count);
    return entries;
}

QString FirstLines(const QStringList& firstLines, qsizetype total)
{
    QStringList lines = firstLines;
    if (total > firstLines.size())
        lines << gLangM.FormatInt(QStringLiteral("LABEL_GEDCOM_AND_MORE"), int(total - firstLines.size()));
    return lines.join(lineBreak);
}

GedcomImportSummary ImportGedcomRecords(KV_DB& db, _Gedcom& reader, const QString& gedcomPath,
                                        const GedcomImportProgress& progress)
{
    return GedcomImporter(db, reader, gedcomPath, progress).run();
}
