// The object-file readers on arbitrary bytes, the same bytes read as a person, a fact and a picture file. What a
// reader takes must save and load again as itself: the record loaded from the saved file holds what was first
// read, less the characters an XML file cannot carry, and saving it again gives the same bytes (the clock is
// fixed, so the save stamps match).
#include "Bazadanych.h"
#include "Clock.h"
#include "Fact.h"
#include "FileSystem.h"
#include "FuzzSupport.h"
#include "Picture.h"
#include "StoredDate.h"
#include "Vh_langmanager.h"
#include "XmlDocument.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// A text as a save keeps it.
QString kept(const QString& text)
{
    return xmlCharactersOnly(text);
}

QStringList kept(const QStringList& list)
{
    QStringList result;
    for (const QString& item : list)
        result << kept(item);
    return result;
}

QString kept(const RMData& date)
{
    return storedDateKey(date);
}

QStringList describe(const KV_Person& p)
{
    QStringList fields{p.ID,
                       kept(p.Surname),
                       kept(p.Forename),
                       kept(p.Familyname),
                       kept(p.Displayname),
                       kept(p.Note),
                       QString::number(p.Sex),
                       QString::number(p.Dead),
                       kept(p.DateCreate),
                       kept(p.DateModify),
                       kept(p.FID),
                       kept(p.MID),
                       kept(p.CList).join(u'|'),
                       kept(p.FList).join(u'|'),
                       kept(p.Facts).join(u'|'),
                       kept(p.Pictures).join(u'|'),
                       kept(p.PictureProfile)};
    for (const KV_Atribute& a : p.Attributes)
        fields << kept(a.Code) << kept(a.Name) << kept(a.Value) << QString::number(a.Private);
    return fields;
}

QStringList describe(const KV_Fact& f)
{
    return {f.ID,          kept(f.PersonIDF), kept(f.PersonIDS), kept(f.Name), kept(f.Description),
            kept(f.Place), kept(f.Type),      kept(f.Form),      kept(f.Date), QString::number(f.Private)};
}

QStringList describe(const KV_Picture& p)
{
    return {p.ID,         kept(p.File),  kept(p.PersonID), kept(p.Name),
            kept(p.Date), kept(p.Place), kept(p.Category), kept(p.Description)};
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves the record under its ID and loads the file into a new record; the file's bytes go to saved.
template <typename Record>
Record savedAndLoaded(Record& record, bool (KV_DB::*load)(Record*, const QString&),
                      bool (KV_DB::*save)(Record*, const QString&, FileSystem::NewFileBatch*), QByteArray& saved)
{
    FUZZ_CHECK((gDB.*save)(&record, record.ID, nullptr), record.ID + QStringLiteral(": ") + gDB.StorageError);
    const QString name = record.ID + gDB.FileExtension;
    saved = fileBytes(gDB.DataFolder + name);
    Record loaded;
    FUZZ_CHECK((gDB.*load)(&loaded, name), QString::fromUtf8(saved) + u'\n' + gDB.StorageError);
    QFile::remove(gDB.DataFolder + name);
    return loaded;
}

template <typename Record>
void roundTrip(const QByteArray& input, const QString& prefix, bool (KV_DB::*load)(Record*, const QString&),
               bool (KV_DB::*save)(Record*, const QString&, FileSystem::NewFileBatch*))
{
    // A file named after an ID of its kind, as the data folder holds them; the file's own ID may name another.
    const QString inputName = prefix + QStringLiteral("00000000-0000-0000-0000-000000000000") + gDB.FileExtension;
    if (!FileSystem::atomicWrite(gDB.DataFolder + inputName, input))
        fuzzFinding("the input could not be written", inputName);
    Record first;
    const bool loaded = (gDB.*load)(&first, inputName);
    QFile::remove(gDB.DataFolder + inputName);
    if (!loaded)
        return;

    // What was read comes back from its file. The first save may still change the file's form (a list item
    // loses its quotes with the characters that needed them); from then on the record and its file stay as
    // they are.
    QByteArray saved;
    Record second = savedAndLoaded(first, load, save, saved);
    const QStringList read = describe(first);
    const QStringList readBack = describe(second);
    FUZZ_CHECK(read == readBack, read.join(u'\n') + QStringLiteral("\n----\n") + readBack.join(u'\n'));
    QByteArray savedAgain;
    Record third = savedAndLoaded(second, load, save, savedAgain);
    QByteArray savedThird;
    savedAndLoaded(third, load, save, savedThird);
    FUZZ_CHECK(describe(third) == readBack && savedThird == savedAgain,
               QString::fromUtf8(savedAgain) + u'\n' + QString::fromUtf8(savedThird));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startApplication<QCoreApplication>("fuzz_object_files");
    gLangM.Load(KX_LangManager::MessageTable());
    Clock::setFixedNow(QDateTime(QDate(2024, 3, 5), QTime(7, 8)));
    gDB.DataFolder = scratchFolder();
    gDB.FileExtension = QStringLiteral(".kvfile");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = inputBytes(data, size);
    roundTrip<KV_Person>(input, QStringLiteral("person_"), &KV_DB::LoadPerson, &KV_DB::SavePerson);
    roundTrip<KV_Fact>(input, QStringLiteral("fact_"), &KV_DB::LoadFact, &KV_DB::SaveFact);
    roundTrip<KV_Picture>(input, QStringLiteral("picture_"), &KV_DB::LoadPicture, &KV_DB::SavePicture);
    // The dictionaries and custom names the reads fed grow with every input; they start empty for each.
    gDB.Clear();
    return 0;
}
