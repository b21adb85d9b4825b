// The object files: one small XML file per person, fact and picture in the data folder, written at once after
// every change and read back whole at start. Also the dictionaries that the files feed.
#include "Bazadanych.h"

#include "Clock.h"
#include "Fact.h"
#include "FileSystem.h"
#include "Picture.h"
#include "ProgressDisplay.h"
#include "Vh_langmanager.h"
#include "XmlDocument.h"

#include <QFileInfo>
#include <QHash>

#include <memory>
#include <type_traits>

struct KV_DB::LoadSession
{
    // ID -> name of the file it was read from, for files not named after their ID: such a file gives way when
    // the file named after the ID turns up later.
    QHash<QString, QString> misnamedFiles;
};

namespace {

const QString savingFailed = QStringLiteral("Error saving data");
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

// IDs name files, so only the form the program makes is accepted: the kind's prefix and a GUID of 36 hex
// digits and dashes. Anything else could point outside the data folder or at another object's file.
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

QString timeStamp()
{
    return Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}

void writeRecord(XmlElement& root, KV_Person& person)
{
    root.setAttribute("ID", person.ID);
    root.setAttribute("Sex", person.Sex);
    root.setAttribute("Dead", person.Dead);
    root.setAttribute("Surname", person.Surname);
    root.setAttribute("Forename", person.Forename);
    root.setAttribute("Familyname", person.Familyname);
    root.setAttribute("Displayname", person.Displayname);
    root.setAttribute("Note", person.Note);
    root.setAttribute("FID", person.FID);
    root.setAttribute("MID", person.MID);
    root.setAttribute("CList", KV_DB::JoinIDList(person.CList));
    root.setAttribute("FList", KV_DB::JoinIDList(person.FList));
    root.setAttribute("Facts", KV_DB::JoinIDList(person.Facts));
    root.setAttribute("Pictures", KV_DB::JoinIDList(person.Pictures));
    root.setAttribute("PictureProfile", person.PictureProfile);
    const QString now = timeStamp();
    if (person.DateCreate.isEmpty())
        person.DateCreate = now;
    person.DateModify = now;
    root.setAttribute("DateCreate", person.DateCreate);
    root.setAttribute("DateModify", person.DateModify);
    for (const KV_Atribute& attribute : std::as_const(person.Attributes)) {
        XmlElement element = root.appendChild("Attribute");
        element.setAttribute("Code", attribute.Code);
        element.setAttribute("Name", attribute.Name);
        element.setAttribute("Value", attribute.Value);
        element.setAttribute("Private", attribute.Private);
    }
}

void writeRecord(XmlElement& root, KV_Fact& fact)
{
    root.setAttribute("ID", fact.ID);
    root.setAttribute("PersonIDF", fact.PersonIDF);
    root.setAttribute("PersonIDS", fact.PersonIDS);
    root.setAttribute("Type", fact.Type);
    root.setAttribute("Form", fact.Form);
    root.setAttribute("Name", fact.Name);
    root.setAttribute("Place", fact.Place);
    root.setAttribute("Description", fact.Description);
    root.setAttribute("Date", fact.Date.ToStorageText());
    root.setAttribute("Private", fact.Private);
}

void writeRecord(XmlElement& root, KV_Picture& picture)
{
    root.setAttribute("ID", picture.ID);
    root.setAttribute("PersonID", picture.PersonID);
    root.setAttribute("Name", picture.Name);
    root.setAttribute("File", picture.GetFile());
    root.setAttribute("Place", picture.Place);
    root.setAttribute("Category", picture.Category);
    root.setAttribute("Date", picture.Date.ToStorageText());
    root.setAttribute("Description", picture.Description);
}

// Reads one element's attributes into fields; a missing attribute leaves its field alone, and the first value
// that does not convert stops the reading with its reason.
class RecordReader
{
public:
    RecordReader(const XmlElement& element, const QString& fileName) : fileName(fileName), element(element) {}

    void text(const char* name, QString& field) const
    {
        bool found = false;
        QString value = element.attribute(name, &found);
        if (found)
            field = std::move(value);
    }
    void idList(const char* name, QStringList& field) const
    {
        bool found = false;
        const QString value = element.attribute(name, &found);
        if (found)
            KV_DB::SplitIDList(value, field);
    }
    void date(const char* name, RMData& field) const
    {
        bool found = false;
        const QString value = element.attribute(name, &found);
        if (found)
            field.FromStorageText(value);
    }
    void number(const char* name, int& field)
    {
        if (!failure.isEmpty() || !element.hasAttribute(name))
            return;
        bool ok = false;
        const int value = element.intAttribute(name, &ok);
        if (ok)
            field = value;
        else
            fail(name, "a number");
    }
    void truth(const char* name, bool& field)
    {
        if (!failure.isEmpty() || !element.hasAttribute(name))
            return;
        bool ok = false;
        const bool value = element.boolAttribute(name, &ok);
        if (ok)
            field = value;
        else
            fail(name, "true or false");
    }

    const QString fileName;
    QString failure;

private:
    void fail(const char* name, const char* expected)
    {
        failure = QStringLiteral("%1: %2 is not %3: \"%4\"")
                      .arg(fileName, QLatin1String(name), QLatin1String(expected), element.attribute(name));
    }

    const XmlElement& element;
};

void readRecord(RecordReader& in, const XmlElement& root, KV_Person& person)
{
    in.text("Surname", person.Surname);
    in.text("Forename", person.Forename);
    in.text("Familyname", person.Familyname);
    in.text("Displayname", person.Displayname);
    in.text("Note", person.Note);
    in.number("Sex", person.Sex);
    in.number("Dead", person.Dead);
    in.text("FID", person.FID);
    in.text("MID", person.MID);
    in.idList("CList", person.CList);
    in.idList("FList", person.FList);
    in.idList("Facts", person.Facts);
    in.idList("Pictures", person.Pictures);
    in.text("PictureProfile", person.PictureProfile);
    in.text("DateCreate", person.DateCreate);
    in.text("DateModify", person.DateModify);
    for (XmlElement child = root.firstChild(); !child.isNull() && in.failure.isEmpty(); child = child.nextSibling()) {
        if (!child.hasName("Attribute"))
            continue;
        KV_Atribute attribute;
        RecordReader attributeIn(child, in.fileName);
        attribute.Code = child.attribute("Code");
        attribute.Name = child.attribute("Name");
        attribute.Value = child.attribute("Value");
        attributeIn.truth("Private", attribute.Private);
        if (!attributeIn.failure.isEmpty()) {
            in.failure = attributeIn.failure;
            return;
        }
        person.AddAttribute(attribute);
    }
}

void readRecord(RecordReader& in, const XmlElement&, KV_Fact& fact)
{
    in.text("PersonIDF", fact.PersonIDF);
    in.text("PersonIDS", fact.PersonIDS);
    in.truth("Private", fact.Private);
    in.text("Type", fact.Type);
    in.text("Name", fact.Name);
    in.text("Place", fact.Place);
    in.text("Form", fact.Form);
    in.text("Description", fact.Description);
    in.date("Date", fact.Date);
}

void readRecord(RecordReader& in, const XmlElement& root, KV_Picture& picture)
{
    in.text("PersonID", picture.PersonID);
    in.text("Name", picture.Name);
    bool hasFile = false;
    const QString file = root.attribute("File", &hasFile);
    if (hasFile)
        picture.SetFile(file);
    in.text("Place", picture.Place);
    in.text("Category", picture.Category);
    in.date("Date", picture.Date);
    in.text("Description", picture.Description);
}

void feedDictionaries(KV_DB& db, const KV_Person& person)
{
    db.AddToDictionaries(1, person.Sex, person.Forename);
    db.AddToDictionaries(2, person.Sex, person.Surname);
    db.AddToDictionaries(2, person.Sex, person.Familyname);
}

void feedDictionaries(KV_DB& db, const KV_Fact& fact)
{
    db.AddToDictionaries(3, 0, fact.Place);
}

void feedDictionaries(KV_DB& db, const KV_Picture& picture)
{
    db.AddToDictionaries(3, 0, picture.Place);
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

// The dictionaries by kind and sex; -1 when the combination has none (names of a person of unspecified sex).
int dictionaryIndex(int kind, int sex)
{
    if (kind == 3)
        return 4;
    if ((kind == 1 || kind == 2) && (sex == 0 || sex == 1))
        return (kind - 1) * 2 + (sex == 0 ? 0 : 1);
    return -1;
}

TStringList& dictionaryAt(KV_DB& db, int index)
{
    TStringList* const lists[] = {&db.FemaleForenames, &db.MaleForenames, &db.FemaleSurnames, &db.MaleSurnames,
                                  &db.Places};
    return *lists[index];
}

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

template <typename Record>
bool KV_DB::saveObject(Record* record, const QString& id, FileSystem::NewFileBatch* batch)
{
    if (id.isEmpty())
        return true;
    SetChanged(true);
    if (!record || !isValidID(id, idPrefix<Record>())) {
        StorageError = savingFailed;
        return false;
    }
    XmlDocument document;
    XmlElement root = document.addRoot(rootName<Record>());
    writeRecord(root, *record);
    const QString path = DataFolder + id + FileExtension;
    const QByteArray bytes = document.toBytes();
    if (!(batch ? batch->write(path, bytes) : FileSystem::atomicWrite(path, bytes))) {
        StorageError = savingFailed;
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

void KV_DB::SavePersons(KV_Person* first, KV_Person* second, KV_Person* third)
{
    for (KV_Person* person : {first, second, third}) {
        if (person)
            SavePerson(person, person->ID);
    }
}

template <typename Record>
bool KV_DB::loadObject(Record* given, const QString& fileName)
{
    XmlDocument document;
    QString failure;
    if (!document.loadFile(DataFolder + fileName, &failure)) {
        StorageError = failure;
        return false;
    }
    const XmlElement root = document.root(rootName<Record>());
    if (root.isNull()) {
        StorageError = wrongFormat;
        return false;
    }

    const QLatin1StringView prefix = idPrefix<Record>();
    bool hasID = false;
    QString id = root.attribute("ID", &hasID);
    if (hasID) {
        if (!isValidID(id, prefix)) {
            StorageError = QStringLiteral("%1: invalid ID \"%2\"; the file was not loaded").arg(fileName, id);
            return false;
        }
    } else {
        // A file without its ID is still the object its name says.
        const QString stem = fileName.left(fileName.size() - FileExtension.size());
        if (isValidID(stem, prefix)) {
            id = stem;
        } else if (!std::is_same_v<Record, KV_Person>) {
            // A person without an ID gets a new one; a fact or picture could not be reached under one.
            StorageError = QStringLiteral("%1: no valid ID; the file was not loaded").arg(fileName);
            return false;
        }
    }

    std::unique_ptr<Record> made;
    Record* record = given;
    if (!record) {
        made = std::make_unique<Record>();
        record = made.get();
    }
    if (!id.isEmpty())
        record->ID = id;
    RecordReader in(root, fileName);
    readRecord(in, root, *record);
    if (!in.failure.isEmpty()) {
        StorageError = in.failure;
        return false;
    }
    noteCustomNames(*this, *record);
    feedDictionaries(*this, *record);
    if (!made)
        return true;
    return enterLoaded(made.release(), fileName);
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
    const QString ownName = record->ID + FileExtension;
    const auto [entry, entered] = map.emplace(record->ID, record);
    if (entered) {
        if constexpr (std::is_same_v<Record, KV_Person>)
            PersonListDirty = true;
        if (Loading && fileName != ownName)
            Loading->misnamedFiles.insert(record->ID, fileName);
        return true;
    }

    // Two files carry one ID. The file named after the ID is the one the program writes, so it wins over a
    // stray copy under another name; otherwise the first one read stays.
    const QString earlier = Loading ? Loading->misnamedFiles.value(record->ID) : QString();
    if (fileName == ownName && !earlier.isEmpty()) {
        if constexpr (std::is_same_v<Record, KV_Person>)
            forgetPerson(entry->second);
        delete entry->second;
        entry->second = record;
        Loading->misnamedFiles.remove(record->ID);
        StorageError =
            QStringLiteral("%1: the ID %2 is also in %3, which was not loaded").arg(fileName, record->ID, earlier);
        return true;
    }
    StorageError = QStringLiteral("%1: the ID %2 is already taken by %3; the file was not loaded")
                       .arg(fileName, record->ID, earlier.isEmpty() ? ownName : earlier);
    delete record;
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

void KV_DB::LoadAll(ProgressDisplay* progress)
{
    SetChanged(true);
    PersonListDirty = true;
    CustomAttributeNames.Clear();
    CustomFactNames.Clear();

    LoadSession session;
    Loading = &session;
    using Reader = bool (*)(KV_DB&, const QString&);
    const struct
    {
        const char* mask;
        Reader read;
        const char* label;
    } passes[] = {
        {"person_*", [](KV_DB& db, const QString& name) { return db.LoadPerson(nullptr, name); },
         "LABEL_WCZYTYWANIE_DANYCH_OSOBY"},
        {"fact_*", [](KV_DB& db, const QString& name) { return db.LoadFact(nullptr, name); },
         "LABEL_WCZYTYWANIE_DANYCH_FAKTY"},
        {"picture_*", [](KV_DB& db, const QString& name) { return db.LoadPicture(nullptr, name); },
         "LABEL_WCZYTYWANIE_DANYCH_ZDJECIA"},
    };
    int passNumber = 0;
    for (const auto& pass : passes) {
        ++passNumber;
        QStringList files;
        int count = 0;
        FindFilesRecursive(true, DataFolder, &files, QLatin1String(pass.mask) + FileExtension, count);
        if (progress)
            progress->begin(gLangM.FormatInt2(QLatin1String(pass.label), passNumber, int(std::size(passes))), count);
        for (int i = 0; i < files.size(); ++i) {
            // A file that fails leaves its reason in StorageError; the others still load.
            pass.read(*this, fileNameOf(files[i]));
            if (progress)
                progress->setPosition(i + 1);
        }
    }
    Loading = nullptr;
    shareFactIDs();
    if (progress)
        progress->end();
}

void KV_DB::shareFactIDs()
{
    for (const auto& [id, person] : PersonMap) {
        for (QString& factID : person->Facts) {
            const auto entry = FactMap.find(factID);
            if (entry != FactMap.end())
                factID = entry->first;
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
        if (!FileSystem::deleteFile(files[i]))
            failed.append(fileNameOf(files[i]));
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
    StorageError = QStringLiteral("Error deleting data: %1").arg(failed.join(QStringLiteral(", ")));
    return false;
}

bool KV_DB::deleteObjectFile(const QString& id, QString& failure)
{
    if (id.isEmpty())
        return true;
    const QString path = DataFolder + id + FileExtension;
    // Anything standing under the object's name must go, or the object would come back with the next load.
    if (!QFileInfo::exists(path) || FileSystem::deleteFile(path))
        return true;
    failure = QStringLiteral("Error deleting data: %1").arg(path);
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

void KV_DB::AddToDictionaries(int kind, int sex, const QString& word)
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

void KV_DB::FillFromDictionary(QStringList& list, int kind, int sex) const
{
    list.clear();
    const int index = dictionaryIndex(kind, sex);
    if (index >= 0)
        list = dictionaryAt(const_cast<KV_DB&>(*this), index).ToStringList();
}
