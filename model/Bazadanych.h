// The one in-memory genealogy database (gDB): persons, facts and pictures in three maps keyed by ID, with the
// shared lists the windows fill their controls from. Also the program-wide folder and product texts.
#pragma once

#include "IDMap.h"
#include "Person.h"
#include "Statistics.h"
#include "Toolkit.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <future>
#include <memory>

class ChangeJournal;
class KV_Fact;
class KV_Picture;
class PersonSortKeys;
class ProgressDisplay;
namespace FileSystem {
class NewFileBatch;
}

// The word lists the name and place edits offer.
enum class DictionaryKind { Forename = 1, Surname = 2, Place = 3 };

// What the other person is to be in a relation the relative windows make or remove.
enum class RelationKind { Father = 1, Mother = 2, Partner = 3, Son = 4, Daughter = 5, Brother = 6, Sister = 7 };

// The orders of the person lists: by one of these, names and places in Polish collation.
enum class PersonSortKey {
    Surname = 1,
    Forename = 2,
    Sex = 3,
    BirthDate = 10,
    BirthPlace = 11,
    DeathDate = 20,
    DeathPlace = 21,
    // "surname, given names" with the maiden-name addition, as the lists show it.
    Name = 30,
    CreationTime = 100,
};

class KV_DB
{
public:
    // What CanBeChild answers; the windows treat any answer but ChildRefused as allowed.
    enum ChildCheck { ChildRefused = 0, ChildAllowed = 1, AlreadyAChild = 100 };

    // Keys in ordinal order of their UTF-16 code units, so walks visit objects in ascending ID text.
    using PersonMapType = KV_IDMap<KV_Person>;
    using FactMapType = KV_IDMap<KV_Fact>;
    using PictureMapType = KV_IDMap<KV_Picture>;

    KV_DB();
    ~KV_DB();
    KV_DB(const KV_DB&) = delete;
    KV_DB& operator=(const KV_DB&) = delete;

    FactMapType::iterator FactCursor;
    PersonMapType::iterator PersonCursor;
    PictureMapType::iterator PictureCursor;
    PersonMapType::reverse_iterator PersonReverseCursor;
    // Which person cursor the cursor operations use.
    bool ReverseOrder = false;
    // Extension of the object files.
    QString FileExtension;
    // Person IDs already visited by the current ancestor or descendant walk.
    QSet<QString> Visited;
    QList<KV_Atribute> AttributeTypes;
    // Sorted, duplicates ignored, compared with the locale ignoring case.
    TStringList CustomAttributeNames;
    TStringList CustomFactNames;
    // Person IDs shown by the family view, newest first.
    QStringList History;
    TStringList FemaleForenames;
    TStringList MaleForenames;
    TStringList FemaleSurnames;
    TStringList MaleSurnames;
    TStringList Places;
    // Ends with "/".
    QString DataFolder;
    // Data or display settings changed since the start page was last built.
    bool Changed = true;
    // The last user-facing error: a translated message left by a failed validation, add or delete.
    QString LastError;
    KV_Statistics Statistics;
    PersonMapType PersonMap;
    // Borrowed pointers into PersonMap, valid until PersonMap changes.
    QList<KV_Person*> WorkList;
    QList<KV_Person*> ResultList;
    QList<KV_Person*> ReportList;
    // The person list window must search again.
    bool PersonListDirty = false;
    FactMapType FactMap;
    PictureMapType PictureMap;
    // The last storage error of the object files.
    QString StorageError;
    // A data file that the last LoadAll passed over, with the reason in the user's language. Nothing is written
    // to it: the user may mend it and load it at the next start.
    struct SkippedFile
    {
        QString fileName;
        QString reason;
    };
    QList<SkippedFile> SkippedFiles;
    // A link between two loaded persons that only one of them records, met by the last LoadAll: person names other
    // as its father, mother, child or partner, and other does not name person back. Nothing is mended: the user
    // is told.
    struct OneSidedLink
    {
        enum class Kind { Father, Mother, Child, Partner };
        QString personID;
        QString otherID;
        Kind kind;
    };
    QList<OneSidedLink> OneSidedLinks;

    // The object files of one user action that writes several of them (a relation with both its persons, a delete
    // with its cascade): while one is open, every object file saved or deleted joins it, and all of them reach the
    // disk together, whole or not at all across a crash, when the outermost one commits. Changes opened inside
    // another join it.
    class FileChange
    {
    public:
        explicit FileChange(KV_DB& db);
        // An outermost change that was not committed is dropped: its files stay as they were.
        ~FileChange();
        FileChange(const FileChange&) = delete;
        FileChange& operator=(const FileChange&) = delete;
        // The outermost change writes everything; an inner one leaves that to it and answers true. False, with
        // the reason in StorageError, when not all of it reached the disk.
        bool commit();

    private:
        KV_DB& db;
        std::unique_ptr<ChangeJournal> own;
    };

    KV_Person* FindPerson(const QString& id) const;
    KV_Fact* FindFact(const QString& id) const;
    KV_Picture* FindPicture(const QString& id) const;
    QString GetPersonDisplayName(const QString& id, DisplayNameMode mode, bool withBirth, bool withDeath,
                                 const QString& fallback) const;
    QString GetFactSummary(const QString& factID, int mode) const;
    bool PersonHasFactType(const QString& personID, const QString& type) const;

    // prefix + a new GUID without braces.
    static QString NewID(const QString& prefix);
    static QString NewPersonID();
    static QString NewFactID();
    static QString NewPictureID();
    // Gives a person without ID a new one and enters it. False when the ID is already taken: the map keeps its
    // person, and the given one stays with the caller.
    bool AddPerson(KV_Person* person);
    // Enter an object under its ID; false (nothing entered) for an empty or taken ID.
    bool InsertFact(KV_Fact* fact);
    bool InsertPicture(KV_Picture* picture);
    // Links a fact to its one or two persons and enters it. False, with nothing changed, for a taken ID.
    bool AddFact(KV_Fact* fact);
    // Makes the fact one person's own. False, with nothing changed, for a taken ID or an unknown person.
    bool AddFactToPerson(const QString& personID, KV_Fact* fact);
    bool AddPictureToPerson(const QString& personID, KV_Picture* picture);

    // One walk of each map at a time: first / while not at end / current / next. Removing the object under a
    // cursor ends its walk.
    void FirstPerson(bool reverse);
    bool IsPersonCursorAtEnd() const;
    KV_Person* GetCursorPerson() const;
    void NextPerson();
    void FirstFact();
    bool IsFactCursorAtEnd() const;
    KV_Fact* GetCursorFact() const;
    void NextFact();
    void FirstPicture();
    bool IsPictureCursorAtEnd() const;
    KV_Picture* GetCursorPicture() const;
    void NextPicture();

    int GetPersonCount() const { return int(PersonMap.size()); }
    int GetFactCount() const { return int(FactMap.size()); }
    int GetPictureCount() const { return int(PictureMap.size()); }
    int GetResultCount() const { return int(ResultList.size()); }
    // Null for an index out of range.
    KV_Person* GetResultPerson(int index) const;
    // The row to select once row index has been deleted from ResultList: the one now at that index, else the
    // last row, else "".
    QString GetResultNeighbourID(int index) const;
    int GetReportCount() const { return int(ReportList.size()); }
    KV_Person* GetReportPerson(int index) const;

    const TStringList& GetCustomAttributeNames() const { return CustomAttributeNames; }
    int GetCustomAttributeNameCount() const { return CustomAttributeNames.Count(); }
    void AddCustomAttributeName(const QString& name);
    const TStringList& GetCustomFactNames() const { return CustomFactNames; }
    int GetCustomFactNameCount() const { return CustomFactNames.Count(); }
    void AddCustomFactName(const QString& name);

    void PushHistory(const QString& id);
    QString PopHistory();
    bool IsHistoryEmpty() const { return History.isEmpty(); }

    void SetChanged(bool value) { Changed = value; }
    bool IsChanged() const { return Changed; }
    QString GetLastError() const { return LastError; }

    // Frees every person, fact and picture in memory and empties the dictionaries, the custom names and every
    // list of persons; files are not touched.
    void Clear();
    static QString JoinIDList(const QStringList& ids);
    static void SplitIDList(const QString& text, QStringList& ids);
    // One line: line breaks become blanks, doubled blanks are halved, the ends trimmed.
    static QString FlattenText(const QString& text);
    // LF line breaks become CR LF; a text that already holds a CR LF is returned as it is.
    static QString NormalizeLineBreaks(const QString& text);

    // The attribute-type table: the predefined attribute kinds with their translated labels.
    void InitAttributeTypes();
    int GetAttributeTypeCount() const { return int(AttributeTypes.size()); }
    // Null for a row out of range.
    KV_Atribute* GetAttributeType(int row);
    // The label of a code; an unknown code is reported (once per code) and gives "".
    QString GetAttributeTypeName(const QString& code) const;

private:
    void FreeAllObjects();

    // ---- Object files, relation rules, statistics, search and sort ----------------------------------------
    // (BazadanychFiles.cpp, BazadanychRelations.cpp, Statistics.cpp, Search.cpp)
public:
    // Writers: each writes the object's file at once (an atomic replace, or a plain new-file write into batch
    // for bulk imports) and feeds the dictionaries. An empty ID writes nothing and succeeds; a failure leaves
    // the user's sentence naming the file and the system's reason in StorageError.
    bool SavePerson(KV_Person* person, const QString& id, FileSystem::NewFileBatch* batch = nullptr);
    bool SaveFact(KV_Fact* fact, const QString& id, FileSystem::NewFileBatch* batch = nullptr);
    bool SavePicture(KV_Picture* picture, const QString& id, FileSystem::NewFileBatch* batch = nullptr);
    // Writes each given person, all of them even after a failure, in one FileChange; true when every write
    // succeeded.
    bool SavePersons(KV_Person* first, KV_Person* second = nullptr, KV_Person* third = nullptr);
    // Readers of one file of the data folder. Without an object to fill they make one and enter it.
    bool LoadPerson(KV_Person* person, const QString& fileName);
    bool LoadFact(KV_Fact* fact, const QString& fileName);
    bool LoadPicture(KV_Picture* picture, const QString& fileName);
    // Reads every person, fact and picture file of DataFolder; a file that fails is listed with its reason in
    // SkippedFiles (and leaves it in StorageError) and the load goes on. progress may be null.
    void LoadAll(ProgressDisplay* progress);
    // Deletes every file LoadAll would load and empties the database; false (with the files named in
    // StorageError) when a file could not be deleted.
    bool DeleteAllData(ProgressDisplay* progress);
    // Deletes the person's file and the person; false, with nothing changed, when the file stays.
    bool ErasePerson(KV_Person* person);
    // Forenames and surnames are kept per sex (0 or 1; other sexes add none), places for any sex.
    void AddToDictionaries(DictionaryKind kind, int sex, const QString& word);
    // Replaces the list's items with the dictionary of the kind and sex; none leaves it empty.
    void FillFromDictionary(QStringList& list, DictionaryKind kind, int sex) const;

    // Relation checks: false (0) with a message in LastError when the relation may not be made.
    bool CanCreateUnion(const QString& firstID, const QString& secondID);
    // kind Father or Mother.
    bool CanBeParent(const QString& candidateID, const QString& childID, RelationKind kind);
    // kind Son or Daughter (any other kind leaves LastError alone when the candidate already is a child).
    ChildCheck CanBeChild(const QString& parentID, const QString& candidateID, RelationKind kind);
    bool IsAncestor(const KV_Person* start, const QString& targetID);
    // 1 the target is a descendant, 2 a partner of the start person or of a descendant, 0 neither.
    int FindDescendantRelation(const KV_Person* start, const QString& targetID);
    // The surname's form for a relative of the wanted sex (Kowalski for a son, Kowalska for a daughter).
    static QString SurnameForSex(int ownSex, const QString& surname, int wantedSex);
    // Appends the children of first and second to ids, skipping excludedID and IDs already there.
    static void CollectChildren(const KV_Person* first, const KV_Person* second, const QString& excludedID,
                                QStringList& ids);

    // Deletes record and file and unlinks every person that lists it, saving each of them except the person on
    // whose behalf the window deletes (that window saves it itself; without one, every touched person is saved).
    bool DeleteFact(const KV_Person* onBehalf, KV_Fact* fact);
    bool DeleteFactObject(const KV_Person* onBehalf, KV_Fact* fact);
    bool DeleteFactByID(const KV_Person* onBehalf, const QString& factID);
    bool DeleteFactOfPerson(const QString& personID, const QString& factID);
    bool DeletePicture(KV_Person* person, KV_Picture* picture, bool save);
    bool DeletePictureByID(KV_Person* person, const QString& pictureID, bool save);
    bool DeletePictureOfPerson(const QString& personID, const QString& pictureID, bool save);
    // Deletes the person with its facts and pictures and removes every link to it. False, with nothing changed
    // and the reason in StorageError, when its file cannot be deleted; later failures are reported to the user.
    bool DeletePerson(KV_Person* person);

    // kind 1 surnames, 2 forenames, 3 places of birth, 4 places of death.
    void GatherStatistics(int kind);
    QString GetSurnameStatisticsKey(const QString& surname) const;

    // Fills WorkList with the persons that match the words and pass the filters (0 = no filter).
    void SearchPersons(const QString& text, int fieldMode, int sexFilter, int lifeFilter, int pictureFilter);
    // Sorts WorkList and copies it into ResultList, or into ReportList when toReportList is set.
    void SortPersons(PersonSortKey key, bool ascending, bool toReportList);
    // ReportList by name, from WorkList or (keepWorkList false) from all persons; WorkList then stays as it is.
    void SortByName(bool keepWorkList);

private:
    struct LoadSession;
    // The outermost FileChange open now, or null: saves then join it instead of writing at once.
    ChangeJournal* OpenChange = nullptr;
    // Fills OneSidedLinks from the loaded persons.
    void findOneSidedLinks();
    // Set while LoadAll runs: the files read so far whose names are not their IDs.
    LoadSession* Loading = nullptr;
    // The exact texts already in each dictionary, so that a word seen before costs no collation.
    QSet<QString> DictionaryWords[5];
    // Collation keys of the texts persons are sorted by, kept between sorts.
    std::shared_ptr<PersonSortKeys> SortKeys;
    // The keys of the persons just loaded, being made in the background; the next sort takes them over.
    std::future<std::shared_ptr<PersonSortKeys>> SortKeysBeingMade;
    // Starts making the sort keys of every person, so that the first sort after a load costs no more than the
    // next.
    void prepareSortKeys();
    // The persons in the order of the key; sets gSortKey and gSortAscending.
    QList<KV_Person*> SortedPersons(const QList<KV_Person*>& persons, PersonSortKey key, bool ascending);

    template <typename Visit>
    int walkFrom(const KV_Person* start, Visit visit);
    template <typename Record>
    bool saveObject(Record* record, const QString& id, FileSystem::NewFileBatch* batch);
    template <typename Record>
    bool loadObject(Record* record, const QString& fileName);
    // Enters what the reading of one file gave (an ObjectFile): the record, or the file among the skipped ones.
    template <typename File>
    bool enterRead(File& file, const QString& fileName);
    template <typename Record>
    bool enterLoaded(Record* record, const QString& fileName);
    // Reads the files of one kind on worker threads and enters them in the order listed, reporting each.
    template <typename Record>
    void loadFiles(QStringList files, ProgressDisplay* progress);
    // Leaves storageText in StorageError and, while LoadAll runs, lists the file with the reason; false.
    bool skipFile(const QString& fileName, const QString& storageText, const QString& reason);
    bool deleteObjectFile(const QString& id, QString& failure);
    void forgetPerson(KV_Person* person);
    bool removeFact(const KV_Person* onBehalf, KV_Fact* fact, QStringList& failures);
    bool removePicture(KV_Person* person, KV_Picture* picture, bool save, QStringList& failures);
    void saveTouched(KV_Person* person, QStringList& failures);
    // ---- end of object files, relation rules, statistics, search and sort ------------------------------
};

// base + separator + middle + addition when both base and addition hold text; base alone when the addition
// is blank; middle + addition, trimmed, when the base is empty.
QString JoinNonEmpty(const QString& base, const QString& separator, const QString& middle, const QString& addition);
// "yyyy-MM-dd" or "yyyy-MM-dd hh:nn" as a calendar value; -9999 for "", -1 for anything malformed.
double ParseCreationTime(const QString& text);
// Adds folder + the name of every file directly in folder that matches mask (case ignored), names in ordinal
// order, and counts them. Sub-folders are never entered: the program writes none, and a delete-all must not
// reach files it did not load.
void FindFilesRecursive(bool clear, const QString& folder, QStringList* list, const QString& mask, int& count);
// IDs name files, so only the form the program makes is accepted where a path is built from one: the kind's prefix
// ("person_", "fact_", "picture_") and a GUID of 36 hex digits and dashes. Anything else could point outside the
// data folder or at another object's file.
bool isValidID(const QString& id, QLatin1StringView prefix);
bool isPersonID(const QString& id);

// Folder texts end with "/".
extern QString gAppFolder;
extern QString gDataFolder;
extern QString gTempFolder;
extern QString gReportsFolder;
extern QString gDocumentsFolder;
extern QString gProductName;
extern QString gProductVersion;
extern QString gWebAddress;
extern QString gSettingsFolder;
extern QString gConfigFile;

extern KV_DB gDB;
