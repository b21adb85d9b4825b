// The object files: one small XML file per person, fact and picture in the data folder, written at once after
// every change and read back whole at start. Also the dictionaries that the files feed.
#include "Bazadanych.h"

#include "ChangeJournal.h"
#include "Clock.h"
#include "Fact.h"
#include "FileFailure.h"
#include "FileSystem.h"
#include "OrderedWork.h"
#include "Picture.h"
#include "ProgressDisplay.h"
#include "TextPool.h"
#include "Vh_langmanager.h"
#include "XmlDocument.h"

#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>

#include <algorithm>
#include <limits>
#include <memory>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

struct KV_DB::LoadSession
{
    // ID -> name of the file it was read from, for files not named after their ID: such a file gives way when
    // the file named after the ID turns up later.
    QHash<QString, QString> misnamedFiles;
    // Every ID and short text read so far, so that the records share one copy of each: a person's ID with the
    // facts and relatives that name it, a fact's ID with the fact list of its person, a place, type or name
    // with all its other occurrences. The person search then finds a person's fact IDs equal to the fact map's
    // keys without comparing their characters.
    TextPool texts;
};

namespace {

const QString wrongFormat = QStringLiteral("Incorrect DB Fact Format");

template <typename Record>
constexpr const char* rootName()
{
    if constexpr (std::is_same_v<Record, KV_Person>)
        return "Person";
    else if constexpr (std::is_same_v<Record, KV_Fact>)
        return "Fact";
    else
        return "Picture";
}

template <typename Record>
QLatin1StringView idPrefix()
{
    if constexpr (std::is_same_v<Record, KV_Person>)
        return QLatin1StringView("person_");
    else if constexpr (std::is_same_v<Record, KV_Fact>)
        return QLatin1StringView("fact_");
    else
        return QLatin1StringView("picture_");
}

// Formatting a time costs more than writing the rest of a person's file, and an import saves thousands of persons
// within one minute: the text, which names the day and the minute only, is made again when they change.
QString timeStamp()
{
    thread_local qint64 stampedMinute = std::numeric_limits<qint64>::min();
    thread_local QString stamp;
    const QDateTime now = Clock::now();
    const QTime time = now.time();
    const qint64 minute = now.date().toJulianDay() * 24 * 60 + time.hour() * 60 + time.minute();
    if (minute != stampedMinute) {
        stamp = now.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        stampedMinute = minute;
    }
    return stamp;
}

// One stored attribute of a record: its name in the file and the member that holds it. Each record kind has one
// table of them, in the order the file lists them, that both the writer and the reader walk, so a name is
// written in one place only.
template <typename Record>
struct Field
{
    const char* name;
    std::variant<QString Record::*, QStringList Record::*, RMData Record::*, int Record::*, bool Record::*> member;
};

// The ID comes first in every file and is read apart from the rest: it is checked before anything else.
const Field<KV_Person> personFields[] = {
    {"Sex", &KV_Person::Sex},
    {"Dead", &KV_Person::Dead},
    {"Surname", &KV_Person::Surname},
    {"Forename", &KV_Person::Forename},
    {"Familyname", &KV_Person::Familyname},
    {"Displayname", &KV_Person::Displayname},
    {"Note", &KV_Person::Note},
    {"FID", &KV_Person::FID},
    {"MID", &KV_Person::MID},
    {"CList", &KV_Person::CList},
    {"FList", &KV_Person::FList},
    {"Facts", &KV_Person::Facts},
    {"Pictures", &KV_Person::Pictures},
    {"PictureProfile", &KV_Person::PictureProfile},
    {"DateCreate", &KV_Person::DateCreate},
    {"DateModify", &KV_Person::DateModify},
};

// A person's attributes are child elements "Attribute".
const Field<KV_Atribute> attributeFields[] = {
    {"Code", &KV_Atribute::Code},
    {"Name", &KV_Atribute::Name},
    {"Value", &KV_Atribute::Value},
    {"Private", &KV_Atribute::Private},
};

const Field<KV_Fact> factFields[] = {
    {"PersonIDF", &KV_Fact::PersonIDF},
    {"PersonIDS", &KV_Fact::PersonIDS},
    {"Type", &KV_Fact::Type},
    {"Form", &KV_Fact::Form},
    {"Name", &KV_Fact::Name},
    {"Place", &KV_Fact::Place},
    {"Description", &KV_Fact::Description},
    {"Date", &KV_Fact::Date},
    {"Private", &KV_Fact::Private},
};

const Field<KV_Picture> pictureFields[] = {
    {"PersonID", &KV_Picture::PersonID},
    {"Name", &KV_Picture::Name},
    {"File", &KV_Picture::File},
    {"Place", &KV_Picture::Place},
    {"Category", &KV_Picture::Category},
    {"Date", &KV_Picture::Date},
    {"Description", &KV_Picture::Description},
};

void writeValue(XmlElement& element, const char* name, const QString& value)
{
    element.setAttribute(name, value);
}
void writeValue(XmlElement& element, const char* name, const QStringList& ids)
{
    element.setAttribute(name, KV_DB::JoinIDList(ids));
}
void writeValue(XmlElement& element, const char* name, const RMData& date)
{
    element.setAttribute(name, date.ToStorageText());
}
void writeValue(XmlElement& element, const char* name, int value)
{
    element.setAttribute(name, value);
}
void writeValue(XmlElement& element, const char* name, bool value)
{
    element.setAttribute(name, value);
}

template <typename Record, size_t count>
void writeFields(XmlElement& element, const Record& record, const Field<Record> (&fields)[count])
{
    for (const Field<Record>& field : fields)
        std::visit([&](auto member) { writeValue(element, field.name, record.*member); }, field.member);
}

void writeRecord(XmlElement& root, KV_Person& person)
{
    const QString now = timeStamp();
    if (person.DateCreate.isEmpty())
        person.DateCreate = now;
    person.DateModify = now;
    root.setAttribute("ID", person.ID);
    writeFields(root, person, personFields);
    for (const KV_Atribute& attribute : std::as_const(person.Attributes)) {
        XmlElement element = root.appendChild("Attribute");
        writeFields(element, attribute, attributeFields);
    }
}

void writeRecord(XmlElement& root, KV_Fact& fact)
{
    root.setAttribute("ID", fact.ID);
    writeFields(root, fact, factFields);
}

void writeRecord(XmlElement& root, KV_Picture& picture)
{
    root.setAttribute("ID", picture.ID);
    writeFields(root, picture, pictureFields);
}

// Reads one element's attributes into fields; a missing attribute leaves its field alone, and the first value
// that does not convert stops the reading with its reason. IDs and short texts come from the pool.
class RecordReader
{
public:
    RecordReader(const XmlElement& element, const QString& fileName, TextPool& texts)
        : fileName(fileName), texts(texts), element(element)
    {}

    template <typename Record, size_t count>
    void readFields(Record& record, const Field<Record> (&fields)[count])
    {
        const char* names[count];
        for (size_t i = 0; i < count; ++i)
            names[i] = fields[i].name;
        const XmlAttributeTable attributes(element, names, int(count));
        for (size_t i = 0; i < count; ++i) {
            const int index = int(i);
            std::visit([&](auto member) { read(attributes, index, names[index], record.*member); }, fields[i].member);
        }
    }

    const QString fileName;
    TextPool& texts;
    QString failure;
    // The same failure for the user: a language key with its arguments, put into words by the loading thread.
    const char* reasonKey = nullptr;
    QStringList reasonArguments;

private:
    // Longer texts are notes and descriptions, which seldom repeat: pooling them would only grow the pool.
    static constexpr qsizetype longestPooledText = 64;

    void read(const XmlAttributeTable& attributes, int index, const char*, QString& field) const
    {
        if (!attributes.has(index))
            return;
        const QString text = attributes.text(index);
        field = text.size() <= longestPooledText ? texts.shared(text) : text;
    }
    void read(const XmlAttributeTable& attributes, int index, const char*, QStringList& field) const
    {
        if (!attributes.has(index))
            return;
        KV_DB::SplitIDList(attributes.text(index), field);
        for (QString& id : field)
            id = texts.shared(id);
        // The room a list keeps for growing, times every person, adds up; lists read from files seldom grow.
        field.squeeze();
    }
    void read(const XmlAttributeTable& attributes, int index, const char*, RMData& field) const
    {
        if (attributes.has(index))
            field.FromStorageText(attributes.text(index));
    }
    void read(const XmlAttributeTable& attributes, int index, const char* name, int& field)
    {
        if (!failure.isEmpty() || !attributes.has(index))
            return;
        bool ok = false;
        const int value = attributes.intValue(index, &ok);
        if (ok)
            field = value;
        else
            fail(name, "a number", "LABEL_WARTOSC_%S_NIE_JEST_LICZBA:_[%S]");
    }
    void read(const XmlAttributeTable& attributes, int index, const char* name, bool& field)
    {
        if (!failure.isEmpty() || !attributes.has(index))
            return;
        bool ok = false;
        const bool value = attributes.boolValue(index, &ok);
        if (ok)
            field = value;
        else
            fail(name, "true or false", "LABEL_WARTOSC_%S_NIE_JEST_WARTOSCIA_LOGICZNA:_[%S]");
    }
    void fail(const char* name, const char* expected, const char* reasonKey)
    {
        const QString value = element.attribute(name);
        failure = QStringLiteral("%1: %2 is not %3: \"%4\"")
                      .arg(fileName, QLatin1String(name), QLatin1String(expected), value);
        this->reasonKey = reasonKey;
        reasonArguments = {QLatin1String(name), value};
    }

    const XmlElement& element;
};

void readRecord(RecordReader& in, const XmlElement& root, KV_Person& person)
{
    in.readFields(person, personFields);
    for (XmlElement child = root.firstChild(); !child.isNull() && in.failure.isEmpty(); child = child.nextSibling()) {
        if (!child.hasName("Attribute"))
            continue;
        KV_Atribute attribute;
        RecordReader attributeIn(child, in.fileName, in.texts);
        attributeIn.readFields(attribute, attributeFields);
        if (!attributeIn.failure.isEmpty()) {
            in.failure = attributeIn.failure;
            in.reasonKey = attributeIn.reasonKey;
            in.reasonArguments = attributeIn.reasonArguments;
            return;
        }
        person.AddAttribute(attribute);
    }
}

void readRecord(RecordReader& in, const XmlElement&, KV_Fact& fact)
{
    in.readFields(fact, factFields);
}

void readRecord(RecordReader& in, const XmlElement&, KV_Picture& picture)
{
    in.readFields(picture, pictureFields);
}

// One object file as read for a load: its record, or why the file is passed over. The reading touches nothing
// shared (no member of the database, not the language manager), so that many files can be read at once; the
// reason is put into words, and the record entered, on the loading thread.
template <typename Record>
struct ObjectFile
{
    // Reads into given, or into a record of its own when none is given.
    explicit ObjectFile(Record* given = nullptr)
        : made(given ? nullptr : std::make_unique<Record>()), record(given ? given : made.get())
    {}

    // folder ends with "/".
    void read(const QString& folder, const QString& extension, const QString& fileName, TextPool& texts);
    bool failed() const { return reasonKey != nullptr; }
    // The reason in the user's language.
    QString reason() const
    {
        const QString text = gLangM.Get(QLatin1String(reasonKey));
        return reasonArguments.isEmpty() ? text : FormatText(text, reasonArguments);
    }

    std::unique_ptr<Record> made;
    Record* record;
    // The text for StorageError.
    QString failure;
    const char* reasonKey = nullptr;
    QStringList reasonArguments;

private:
    void fail(const QString& text, const char* key, const QStringList& arguments = {})
    {
        failure = text;
        reasonKey = key;
        reasonArguments = arguments;
    }
};

template <typename Record>
void ObjectFile<Record>::read(const QString& folder, const QString& extension, const QString& fileName, TextPool& texts)
{
    XmlDocument document;
    QString loadFailure;
    const QString path = folder + fileName;
    if (!document.loadFile(path, &loadFailure)) {
        // The reason names the file already; the XML layer's text starts with its path.
        const QString detail =
            loadFailure.startsWith(path + QStringLiteral(": ")) ? loadFailure.mid(path.size() + 2) : loadFailure;
        return fail(loadFailure, "LABEL_PLIK_NIE_JEST_POPRAWNYM_DOKUMENTEM_XML_(%S)", {detail});
    }
    const XmlElement root = document.root(rootName<Record>());
    if (root.isNull())
        return fail(wrongFormat, "LABEL_BRAK_ELEMENTU_%S", {QLatin1String(rootName<Record>())});

    const QLatin1StringView prefix = idPrefix<Record>();
    bool hasID = false;
    QString id = root.attribute("ID", &hasID);
    if (hasID) {
        if (!isValidID(id, prefix)) {
            return fail(QStringLiteral("%1: invalid ID \"%2\"; the file was not loaded").arg(fileName, id),
                        "LABEL_NIEPRAWIDLOWY_IDENTYFIKATOR_[%S]", {id});
        }
    } else {
        // A file without its ID is still the object its name says.
        const QString stem = fileName.left(fileName.size() - extension.size());
        if (isValidID(stem, prefix)) {
            id = stem;
        } else if (!std::is_same_v<Record, KV_Person>) {
            // A person without an ID gets a new one; a fact or picture could not be reached under one.
            return fail(QStringLiteral("%1: no valid ID; the file was not loaded").arg(fileName),
                        "LABEL_BRAK_PRAWIDLOWEGO_IDENTYFIKATORA");
        }
    }

    if (!id.isEmpty())
        record->ID = texts.shared(id);
    RecordReader in(root, fileName, texts);
    readRecord(in, root, *record);
    if (!in.failure.isEmpty())
        fail(in.failure, in.reasonKey, in.reasonArguments);
}

void feedDictionaries(KV_DB& db, const KV_Person& person)
{
    db.AddToDictionaries(DictionaryKind::Forename, person.Sex, person.Forename);
    db.AddToDictionaries(DictionaryKind::Surname, person.Sex, person.Surname);
    db.AddToDictionaries(DictionaryKind::Surname, person.Sex, person.Familyname);
}

void feedDictionaries(KV_DB& db, const KV_Fact& fact)
{
    db.AddToDictionaries(DictionaryKind::Place, 0, fact.Place);
}

void feedDictionaries(KV_DB& db, const KV_Picture& picture)
{
    db.AddToDictionaries(DictionaryKind::Place, 0, picture.Place);
}

// What a read file adds to the lists of names beyond the dictionaries.
void noteCustomNames(KV_DB& db, const KV_Person& person)
{
    for (const KV_Atribute& attribute : person.Attributes) {
        if (KV_Atribute::IsCustomCode(attribute.Code) && !attribute.Name.isEmpty())
            db.AddCustomAttributeName(attribute.Name);
    }
}

void noteCustomNames(KV_DB& db, const KV_Fact& fact)
{
    if (fact.IsCustom())
        db.AddCustomFactName(fact.Name);
}

void noteCustomNames(KV_DB&, const KV_Picture&) {}

// The dictionaries by kind and sex, as dictionaryAt lists them; -1 when the combination has none (names of a
// person of unspecified sex, or a kind that is none of the three).
int dictionaryIndex(DictionaryKind kind, int sex)
{
    if (kind == DictionaryKind::Place)
        return 4;
    const bool knownSex = sex == 0 || sex == 1;
    if (kind == DictionaryKind::Forename && knownSex)
        return sex;
    if (kind == DictionaryKind::Surname && knownSex)
        return 2 + sex;
    return -1;
}

TStringList& dictionaryAt(KV_DB& db, int index)
{
    TStringList* const lists[] = {&db.FemaleForenames, &db.MaleForenames, &db.FemaleSurnames, &db.MaleSurnames,
                                  &db.Places};
    return *lists[index];
}

} // namespace

bool isValidID(const QString& id, QLatin1StringView prefix)
{
    if (id.size() != prefix.size() + 36 || !id.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < id.size(); ++i) {
        const char16_t c = id[i].unicode();
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!hex && c != u'-')
            return false;
    }
    return true;
}

bool isPersonID(const QString& id)
{
    return isValidID(id, idPrefix<KV_Person>());
}

template <typename Record>
bool KV_DB::saveObject(Record* record, const QString& id, FileSystem::NewFileBatch* batch)
{
    if (id.isEmpty())
        return true;
    SetChanged(true);
    const QString path = DataFolder + id + FileExtension;
    if (!record || !isValidID(id, idPrefix<Record>())) {
        StorageError = FileFailureText(FileError::Operation::Write, path,
                                       gLangM.Get(QStringLiteral("LABEL_NIEPRAWIDLOWY_IDENTYFIKATOR_OBIEKTU")));
        return false;
    }
    XmlDocument document;
    XmlElement root = document.addRoot(rootName<Record>());
    writeRecord(root, *record);
    const QByteArray bytes = document.toBytes();
    QString reason;
    const bool written = batch        ? batch->write(path, bytes, &reason)
                         : OpenChange ? OpenChange->write(path, bytes, &reason)
                                      : FileSystem::atomicWrite(path, bytes, &reason);
    if (!written) {
        StorageError = FileFailureText(FileError::Operation::Write, path, reason);
        return false;
    }
    feedDictionaries(*this, *record);
    return true;
}

bool KV_DB::SavePerson(KV_Person* person, const QString& id, FileSystem::NewFileBatch* batch)
{
    return saveObject(person, id, batch);
}

bool KV_DB::SaveFact(KV_Fact* fact, const QString& id, FileSystem::NewFileBatch* batch)
{
    return saveObject(fact, id, batch);
}

bool KV_DB::SavePicture(KV_Picture* picture, const QString& id, FileSystem::NewFileBatch* batch)
{
    return saveObject(picture, id, batch);
}

bool KV_DB::SavePersons(KV_Person* first, KV_Person* second, KV_Person* third)
{
    FileChange change(*this);
    bool saved = true;
    for (KV_Person* person : {first, second, third}) {
        if (person && !SavePerson(person, person->ID))
            saved = false;
    }
    return change.commit() && saved;
}

KV_DB::FileChange::FileChange(KV_DB& db) : db(db)
{
    if (db.OpenChange)
        return;
    own = std::make_unique<ChangeJournal>(db.DataFolder);
    db.OpenChange = own.get();
}

KV_DB::FileChange::~FileChange()
{
    if (own)
        db.OpenChange = nullptr;
}

bool KV_DB::FileChange::commit()
{
    if (!own)
        return true;
    db.OpenChange = nullptr;
    QString reason;
    const bool committed = own->commit(&reason);
    own.reset();
    if (!committed)
        db.StorageError = FileFailureText(FileError::Operation::Write, db.DataFolder, reason);
    return committed;
}

template <typename Record>
bool KV_DB::loadObject(Record* given, const QString& fileName)
{
    ObjectFile<Record> file(given);
    TextPool texts;
    file.read(DataFolder, FileExtension, fileName, texts);
    return enterRead(file, fileName);
}

template <typename File>
bool KV_DB::enterRead(File& file, const QString& fileName)
{
    if (file.failed())
        return skipFile(fileName, file.failure, file.reason());
    noteCustomNames(*this, *file.record);
    feedDictionaries(*this, *file.record);
    if (!file.made)
        return true;
    return enterLoaded(file.made.release(), fileName);
}

template <typename Record>
bool KV_DB::enterLoaded(Record* record, const QString& fileName)
{
    if constexpr (std::is_same_v<Record, KV_Person>) {
        if (record->ID.isEmpty())
            return AddPerson(record);
    }
    auto& map = [this]() -> auto&
    {
        if constexpr (std::is_same_v<Record, KV_Person>)
            return PersonMap;
        else if constexpr (std::is_same_v<Record, KV_Fact>)
            return FactMap;
        else
            return PictureMap;
    }
    ();
    // Compared in place: nearly every file is named after its ID, and building the name costs an allocation.
    const bool ownFile = fileName.size() == record->ID.size() + FileExtension.size() &&
                         fileName.startsWith(record->ID) && fileName.endsWith(FileExtension);
    const auto [entry, entered] = map.emplace(record->ID, record);
    if (entered) {
        if constexpr (std::is_same_v<Record, KV_Person>) {
            PersonListDirty = true;
            record->Database = this;
        }
        if (Loading && !ownFile)
            Loading->misnamedFiles.insert(record->ID, fileName);
        return true;
    }

    // Two files carry one ID. The file named after the ID is the one the program writes, so it wins over a
    // stray copy under another name; otherwise the first one read stays.
    const QString earlier = Loading ? Loading->misnamedFiles.value(record->ID) : QString();
    if (ownFile && !earlier.isEmpty()) {
        if constexpr (std::is_same_v<Record, KV_Person>)
            forgetPerson(entry->second);
        delete entry->second;
        entry->second = record;
        Loading->misnamedFiles.remove(record->ID);
        skipFile(earlier,
                 QStringLiteral("%1: the ID %2 is also in %3, which was not loaded").arg(fileName, record->ID, earlier),
                 gLangM.FormatStr2(QStringLiteral("LABEL_IDENTYFIKATOR_%S_MA_JUZ_PLIK_%S"), record->ID, fileName));
        return true;
    }
    const QString holder = earlier.isEmpty() ? record->ID + FileExtension : earlier;
    const QString id = record->ID;
    delete record;
    return skipFile(
        fileName,
        QStringLiteral("%1: the ID %2 is already taken by %3; the file was not loaded").arg(fileName, id, holder),
        gLangM.FormatStr2(QStringLiteral("LABEL_IDENTYFIKATOR_%S_MA_JUZ_PLIK_%S"), id, holder));
}

bool KV_DB::skipFile(const QString& fileName, const QString& storageText, const QString& reason)
{
    StorageError = storageText;
    if (Loading)
        SkippedFiles.append({fileName, reason});
    return false;
}

bool KV_DB::LoadPerson(KV_Person* person, const QString& fileName)
{
    return loadObject(person, fileName);
}

bool KV_DB::LoadFact(KV_Fact* fact, const QString& fileName)
{
    return loadObject(fact, fileName);
}

bool KV_DB::LoadPicture(KV_Picture* picture, const QString& fileName)
{
    return loadObject(picture, fileName);
}

template <typename Record>
void KV_DB::loadFiles(QStringList files, ProgressDisplay* progress)
{
    // Files are read on worker threads a chunk at a time and entered here in the order of the list, so the
    // result is that of reading them one by one. Chunks read ahead of the entering are bounded, so memory holds
    // little beyond the records themselves.
    constexpr int filesPerChunk = 64;
    constexpr int chunksAhead = 32;
    using Chunk = std::vector<ObjectFile<Record>>;
    std::vector<Chunk> ring(chunksAhead);
    const QString folder = DataFolder;
    const QString extension = FileExtension;
    const int count = int(files.size());
    // Each name goes once its file is entered, so that the maps being filled take the memory of the names
    // already done instead of growing beside all of them. The other threads only read names not yet entered.
    QString* const names = files.data();
    TextPool& texts = Loading->texts;
    OrderedWork::run((count + filesPerChunk - 1) / filesPerChunk, chunksAhead,
                     [&](int chunk) {
                         Chunk& read = ring[size_t(chunk % chunksAhead)];
                         const int first = chunk * filesPerChunk;
                         for (int i = first; i < std::min(count, first + filesPerChunk); ++i)
                             read.emplace_back().read(folder, extension, names[i], texts);
                     },
                     [&](int chunk) {
                         Chunk& read = ring[size_t(chunk % chunksAhead)];
                         int i = chunk * filesPerChunk;
                         for (ObjectFile<Record>& file : read) {
                             // A file that fails is listed in SkippedFiles and stays on disk as it is; the others still
                             // load.
                             enterRead(file, names[i]);
                             names[i] = QString();
                             ++i;
                         }
                         read.clear();
                         // Once per chunk: a progress bar cannot show hundreds of thousands of steps, and each costs a
                         // repaint.
                         if (progress)
                             progress->setPosition(i);
                     });
}

void KV_DB::LoadAll(ProgressDisplay* progress)
{
    SetChanged(true);
    PersonListDirty = true;
    CustomAttributeNames.Clear();
    CustomFactNames.Clear();
    SkippedFiles.clear();

    LoadSession session;
    Loading = &session;
    // Ends the session however the load ends: one that throws (out of memory on a worker) reaches the caller.
    const auto endSession = qScopeGuard([this] { Loading = nullptr; });
    const struct
    {
        const char* mask;
        void (KV_DB::*load)(QStringList, ProgressDisplay*);
        const char* label;
    } passes[] = {
        {"person_*", &KV_DB::loadFiles<KV_Person>, "LABEL_WCZYTYWANIE_DANYCH_OSOBY"},
        {"fact_*", &KV_DB::loadFiles<KV_Fact>, "LABEL_WCZYTYWANIE_DANYCH_FAKTY"},
        {"picture_*", &KV_DB::loadFiles<KV_Picture>, "LABEL_WCZYTYWANIE_DANYCH_ZDJECIA"},
    };
    // Bare names, as the readers take them: no path is built only to be cut off again. One reading of the folder
    // serves all three kinds.
    QStringList masks;
    for (const auto& pass : passes)
        masks.append(QLatin1String(pass.mask) + FileExtension);
    QList<QStringList> listed = FileSystem::listFiles(DataFolder, masks);
    int passNumber = 0;
    for (const auto& pass : passes) {
        // Taken out of the listing, so that each kind's names are freed as its pass goes.
        QStringList files = std::exchange(listed[passNumber], QStringList());
        ++passNumber;
        if (progress)
            progress->begin(gLangM.FormatInt2(QLatin1String(pass.label), passNumber, int(std::size(passes))),
                            int(files.size()));
        (this->*pass.load)(std::move(files), progress);
    }
    findOneSidedLinks();
    prepareSortKeys();
    if (progress)
        progress->end();
}

void KV_DB::findOneSidedLinks()
{
    OneSidedLinks.clear();
    using Kind = OneSidedLink::Kind;
    for (const auto& [id, person] : PersonMap) {
        for (const auto& [parentID, kind] :
             {std::pair{&person->FID, Kind::Father}, std::pair{&person->MID, Kind::Mother}}) {
            const KV_Person* parent = FindPerson(*parentID);
            if (parent && !parent->CList.contains(id))
                OneSidedLinks.append({id, *parentID, kind});
        }
        for (const QString& childID : std::as_const(person->CList)) {
            const KV_Person* child = FindPerson(childID);
            if (child && child->FID != id && child->MID != id)
                OneSidedLinks.append({id, childID, Kind::Child});
        }
        for (const QString& partnerID : std::as_const(person->FList)) {
            const KV_Person* partner = FindPerson(partnerID);
            if (partner && !partner->FList.contains(id))
                OneSidedLinks.append({id, partnerID, Kind::Partner});
        }
    }
}

bool KV_DB::DeleteAllData(ProgressDisplay* progress)
{
    // The same listing as the load, so exactly the files a load would read are deleted.
    QStringList files;
    int count = 0;
    FindFilesRecursive(true, DataFolder, &files, QStringLiteral("person_*") + FileExtension, count);
    FindFilesRecursive(false, DataFolder, &files, QStringLiteral("fact_*") + FileExtension, count);
    FindFilesRecursive(false, DataFolder, &files, QStringLiteral("picture_*") + FileExtension, count);
    if (progress)
        progress->begin(gLangM.Get(QStringLiteral("LABEL_USUWANIE_DANYCH")), count);
    QStringList failed;
    for (int i = 0; i < files.size(); ++i) {
        QString reason;
        if (!FileSystem::deleteFile(files[i], &reason))
            failed.append(FileFailureText(FileError::Operation::Delete, files[i], reason));
        if (progress)
            progress->setPosition(i + 1);
    }
    Clear();
    PersonListDirty = true;
    SetChanged(true);
    if (progress)
        progress->end();
    if (failed.isEmpty())
        return true;
    StorageError = failed.join(QStringLiteral("\r\n"));
    return false;
}

bool KV_DB::deleteObjectFile(const QString& id, QString& failure)
{
    if (id.isEmpty())
        return true;
    const QString path = DataFolder + id + FileExtension;
    // Within a change the file goes when the change is committed; a folder in its place would stay then.
    if (OpenChange && !QFileInfo(path).isDir()) {
        OpenChange->remove(path);
        return true;
    }
    // Anything standing under the object's name must go, or the object would come back with the next load.
    QString reason;
    if (!QFileInfo::exists(path) || FileSystem::deleteFile(path, &reason))
        return true;
    failure = FileFailureText(FileError::Operation::Delete, path, reason);
    StorageError = failure;
    return false;
}

void KV_DB::forgetPerson(KV_Person* person)
{
    WorkList.removeAll(person);
    ResultList.removeAll(person);
    ReportList.removeAll(person);
    History.removeAll(person->ID);
}

bool KV_DB::ErasePerson(KV_Person* person)
{
    if (!person)
        return false;
    QString failure;
    if (!deleteObjectFile(person->ID, failure))
        return false;
    const auto entry = PersonMap.find(person->ID);
    if (entry != PersonMap.end() && entry->second == person) {
        // Erasing the person under a cursor ends that walk rather than leaving the cursor on freed memory.
        if (PersonCursor == entry)
            PersonCursor = PersonMap.end();
        if (PersonReverseCursor != PersonMap.rend() && std::prev(PersonReverseCursor.base()) == entry)
            PersonReverseCursor = PersonMap.rend();
        PersonMap.erase(entry);
    }
    forgetPerson(person);
    PersonListDirty = true;
    delete person;
    return true;
}

void KV_DB::AddToDictionaries(DictionaryKind kind, int sex, const QString& word)
{
    const int index = dictionaryIndex(kind, sex);
    if (index < 0 || word.isEmpty())
        return;
    TStringList& list = dictionaryAt(*this, index);
    QSet<QString>& known = DictionaryWords[index];
    // Words leave a dictionary only all at once (Clear), so an empty dictionary means the known words are gone.
    if (list.Count() == 0)
        known.clear();
    if (known.contains(word))
        return;
    known.insert(word);
    list.Add(word);
}

void KV_DB::FillFromDictionary(QStringList& list, DictionaryKind kind, int sex) const
{
    list.clear();
    const int index = dictionaryIndex(kind, sex);
    if (index >= 0)
        list = dictionaryAt(const_cast<KV_DB&>(*this), index).ToStringList();
}
