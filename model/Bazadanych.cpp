#include "Bazadanych.h"

#include "Fact.h"
#include "FileSystem.h"
#include "Guid.h"
#include "Picture.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

QString gAppFolder;
QString gDataFolder;
QString gTempFolder;
QString gReportsFolder;
QString gDocumentsFolder;
QString gProductName;
QString gProductVersion;
QString gWebAddress;
QString gSettingsFolder;
QString gConfigFile;

KV_DB gDB;

namespace {

void makeNameList(TStringList& list)
{
    list.SetSorted(true);
    list.SetDuplicates(TDuplicates::dupIgnore);
}

template <typename Map>
void deleteObjects(Map& map)
{
    for (auto& entry : map)
        delete entry.second;
    map.clear();
}

// A decimal number of ASCII digits; -1 for anything else.
int digitsValue(QStringView text)
{
    if (text.isEmpty())
        return -1;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    return text.toInt();
}

} // namespace

KV_DB::KV_DB()
{
    for (TStringList* list : {&CustomAttributeNames, &CustomFactNames, &FemaleForenames, &MaleForenames,
                              &FemaleSurnames, &MaleSurnames, &Places})
        makeNameList(*list);
    FactCursor = FactMap.end();
    PersonCursor = PersonMap.end();
    PictureCursor = PictureMap.end();
    PersonReverseCursor = PersonMap.rend();
}

KV_DB::~KV_DB()
{
    FreeAllObjects();
}

void KV_DB::FreeAllObjects()
{
    deleteObjects(PersonMap);
    deleteObjects(FactMap);
    deleteObjects(PictureMap);
    FactCursor = FactMap.end();
    PersonCursor = PersonMap.end();
    PictureCursor = PictureMap.end();
    PersonReverseCursor = PersonMap.rend();
}

KV_Person* KV_DB::FindPerson(const QString& id) const
{
    return PersonMap.value(id);
}

KV_Fact* KV_DB::FindFact(const QString& id) const
{
    return FactMap.value(id);
}

KV_Picture* KV_DB::FindPicture(const QString& id) const
{
    return PictureMap.value(id);
}

QString KV_DB::GetPersonDisplayName(const QString& id, DisplayNameMode mode, bool withBirth, bool withDeath,
                                    const QString& fallback) const
{
    const KV_Person* person = FindPerson(id);
    return person ? person->GetDisplayName(mode, withBirth, withDeath) : fallback;
}

QString KV_DB::GetFactSummary(const QString& factID, int mode) const
{
    const KV_Fact* fact = FindFact(factID);
    return fact ? fact->GetSummary(mode) : QStringLiteral("?");
}

bool KV_DB::PersonHasFactType(const QString& personID, const QString& type) const
{
    const KV_Person* person = FindPerson(personID);
    return person && person->FindFactByType(type);
}

QString KV_DB::NewID(const QString& prefix)
{
    return NewPrefixedGuid(prefix);
}

QString KV_DB::NewPersonID()
{
    return NewID(QStringLiteral("person_"));
}

QString KV_DB::NewFactID()
{
    return NewID(QStringLiteral("fact_"));
}

QString KV_DB::NewPictureID()
{
    return NewID(QStringLiteral("picture_"));
}

bool KV_DB::AddPerson(KV_Person* person)
{
    if (!person)
        return false;
    if (person->ID.isEmpty())
        person->ID = NewPersonID();
    PersonListDirty = true;
    if (!PersonMap.emplace(person->ID, person).second)
        return false;
    person->Database = this;
    return true;
}

bool KV_DB::InsertFact(KV_Fact* fact)
{
    return fact && !fact->ID.isEmpty() && FactMap.emplace(fact->ID, fact).second;
}

bool KV_DB::InsertPicture(KV_Picture* picture)
{
    return picture && !picture->ID.isEmpty() && PictureMap.emplace(picture->ID, picture).second;
}

bool KV_DB::AddFact(KV_Fact* fact)
{
    if (!fact)
        return false;
    if (fact->ID.isEmpty())
        fact->ID = NewFactID();
    // A second object under a taken ID must not reach any person's list: the lists would name the first one.
    if (FactMap.count(fact->ID)) {
        LastError = gLangM.Get(QStringLiteral("ERROR_ADDING_FACT"));
        return false;
    }
    if (KV_Person* first = FindPerson(fact->PersonIDF))
        first->InsertFactOrdered(fact);
    if (KV_Person* second = FindPerson(fact->PersonIDS))
        second->InsertFactOrdered(fact);
    return InsertFact(fact);
}

bool KV_DB::AddFactToPerson(const QString& personID, KV_Fact* fact)
{
    if (!fact)
        return false;
    if (fact->ID.isEmpty())
        fact->ID = NewFactID();
    if (FactMap.count(fact->ID)) {
        LastError = gLangM.Get(QStringLiteral("ERROR_ADDING_FACT"));
        return false;
    }
    KV_Person* person = FindPerson(personID);
    if (!person) {
        LastError = gLangM.Get(QStringLiteral("ERROR_ADDING_FACT_MISSING_PERSON"));
        return false;
    }
    fact->PersonIDF = person->ID;
    fact->PersonIDS.clear();
    person->InsertFactOrdered(fact);
    return InsertFact(fact);
}

bool KV_DB::AddPictureToPerson(const QString& personID, KV_Picture* picture)
{
    if (!picture)
        return false;
    if (picture->ID.isEmpty())
        picture->ID = NewPictureID();
    KV_Person* person = FindPerson(personID);
    if (!person || PictureMap.count(picture->ID)) {
        LastError = gLangM.Get(QStringLiteral("LABEL_BLAD_PODCZAS_DODAWANIA_ZDJECIA_DO_OSOBY"));
        return false;
    }
    picture->PersonID = person->ID;
    person->AddPicture(picture);
    return InsertPicture(picture);
}

void KV_DB::FirstPerson(bool reverse)
{
    ReverseOrder = reverse;
    if (reverse)
        PersonReverseCursor = PersonMap.rbegin();
    else
        PersonCursor = PersonMap.begin();
}

bool KV_DB::IsPersonCursorAtEnd() const
{
    return ReverseOrder ? PersonReverseCursor == PersonMap.rend() : PersonCursor == PersonMap.end();
}

KV_Person* KV_DB::GetCursorPerson() const
{
    if (IsPersonCursorAtEnd())
        return nullptr;
    return ReverseOrder ? PersonReverseCursor->second : PersonCursor->second;
}

void KV_DB::NextPerson()
{
    if (IsPersonCursorAtEnd())
        return;
    if (ReverseOrder)
        ++PersonReverseCursor;
    else
        ++PersonCursor;
}

void KV_DB::FirstFact()
{
    FactCursor = FactMap.begin();
}

bool KV_DB::IsFactCursorAtEnd() const
{
    return FactCursor == FactMap.end();
}

KV_Fact* KV_DB::GetCursorFact() const
{
    return IsFactCursorAtEnd() ? nullptr : FactCursor->second;
}

void KV_DB::NextFact()
{
    if (!IsFactCursorAtEnd())
        ++FactCursor;
}

void KV_DB::FirstPicture()
{
    PictureCursor = PictureMap.begin();
}

bool KV_DB::IsPictureCursorAtEnd() const
{
    return PictureCursor == PictureMap.end();
}

KV_Picture* KV_DB::GetCursorPicture() const
{
    return IsPictureCursorAtEnd() ? nullptr : PictureCursor->second;
}

void KV_DB::NextPicture()
{
    if (!IsPictureCursorAtEnd())
        ++PictureCursor;
}

KV_Person* KV_DB::GetResultPerson(int index) const
{
    return index >= 0 && index < ResultList.size() ? ResultList[index] : nullptr;
}

QString KV_DB::GetResultNeighbourID(int index) const
{
    if (ResultList.isEmpty() || index < 0)
        return QString();
    return ResultList[std::min<qsizetype>(index, ResultList.size() - 1)]->ID;
}

KV_Person* KV_DB::GetReportPerson(int index) const
{
    return index >= 0 && index < ReportList.size() ? ReportList[index] : nullptr;
}

void KV_DB::AddCustomAttributeName(const QString& name)
{
    CustomAttributeNames.Add(name);
}

void KV_DB::AddCustomFactName(const QString& name)
{
    if (!name.isEmpty())
        CustomFactNames.Add(name);
}

void KV_DB::PushHistory(const QString& id)
{
    if (id.isEmpty() || (!History.isEmpty() && History.first() == id))
        return;
    History.prepend(id);
}

QString KV_DB::PopHistory()
{
    return History.isEmpty() ? QString() : History.takeFirst();
}

void KV_DB::Clear()
{
    if (!PersonMap.empty())
        PersonListDirty = true;
    FreeAllObjects();
    for (TStringList* list : {&FemaleForenames, &MaleForenames, &FemaleSurnames, &MaleSurnames, &Places,
                              &CustomAttributeNames, &CustomFactNames})
        list->Clear();
    // No list may keep a freed person.
    WorkList.clear();
    ResultList.clear();
    ReportList.clear();
    History.clear();
}

QString KV_DB::JoinIDList(const QStringList& ids)
{
    return ToCommaText(ids);
}

void KV_DB::SplitIDList(const QString& text, QStringList& ids)
{
    ids = FromCommaText(text);
}

QString KV_DB::FlattenText(const QString& text)
{
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    flat.replace(u'\n', u' ');
    flat.replace(u'\r', u' ');
    flat.replace(QStringLiteral("  "), QStringLiteral(" "));
    return TrimBlanks(flat);
}

QString KV_DB::NormalizeLineBreaks(const QString& text)
{
    if (text.contains(QStringLiteral("\r\n")))
        return text;
    QString normalized = text;
    return normalized.replace(u'\n', QStringLiteral("\r\n"));
}

void KV_DB::InitAttributeTypes()
{
    static const struct
    {
        const char* label;
        const char* code;
    } rows[] = {
        {"LABEL_TYTUL", "NPFX"},
        {"LABEL_PRZYROSTEK", "NSFX"},
        {"LABEL_NAZWISKO_PATRONIMICZNE", "PATRONYMIC"},
        {"LABEL_NAZWISKO_MATRONIMICZNE", "MATRONYMIC"},
        {"-", "-"},
        {"LABEL_NARODOWOSC", "NATI"},
        {"LABEL_RELIGIA", "RELI"},
        {"LABEL_WYKSZTALCENIE", "EDUCATION"},
        {"LABEL_ZAWOD", "OCCU"},
        {"LABEL_ADRES_ZAMIESZKANIA", "ADDR"},
        {"LABEL_TELEFON", "PHONE"},
        {"LABEL_ADRES_E-MAIL", "E-MAIL"},
        {"LABEL_IMIENINY", "NAME-DAY"},
        {"LABEL_ZAINTERESOWANIA", "HOBBY"},
        {"-", "-"},
        {"LABEL_WLASNE", "LIST"},
        {"-", "-"},
        {"LABEL_DOWOLNY_ATRYBUT", "CUSTOM"},
    };
    AttributeTypes.clear();
    for (const auto& row : rows) {
        const QString label = QString::fromLatin1(row.label);
        // Separator rows keep their "-": the attribute menu draws them as lines.
        const QString name = label == QStringLiteral("-") ? label : gLangM.Get(label);
        AttributeTypes.append(KV_Atribute{name, QString(), QString::fromLatin1(row.code), false});
    }
}

KV_Atribute* KV_DB::GetAttributeType(int row)
{
    if (row < 0 || row >= GetAttributeTypeCount())
        return nullptr;
    return &AttributeTypes[row];
}

QString KV_DB::GetAttributeTypeName(const QString& code) const
{
    for (const KV_Atribute& type : AttributeTypes) {
        if (type.Code == code)
            return type.Name;
    }
    // Imported codes are asked for again and again; one message per unknown code is enough.
    static QSet<QString> reported;
    if (!reported.contains(code)) {
        reported.insert(code);
        prompter().message(QStringLiteral("ERROR_NO_ATR:") + code, gProductName, Prompter::Icon::Error);
    }
    return QString();
}

QString JoinNonEmpty(const QString& base, const QString& separator, const QString& middle, const QString& addition)
{
    if (TrimBlanks(addition).isEmpty())
        return base;
    if (!base.isEmpty())
        return base + separator + middle + addition;
    return TrimBlanks(middle + addition);
}

double ParseCreationTime(const QString& text)
{
    if (text.isEmpty())
        return -9999;
    if (text.size() != 10 && text.size() != 16)
        return -1;
    const QStringView view(text);
    const QDate date(digitsValue(view.mid(0, 4)), digitsValue(view.mid(5, 2)), digitsValue(view.mid(8, 2)));
    if (!date.isValid() || date.year() < 1)
        return -1;
    QTime time(0, 0);
    if (text.size() == 16) {
        time = QTime(digitsValue(view.mid(11, 2)), digitsValue(view.mid(14, 2)));
        if (!time.isValid())
            return -1;
    }
    return ToCalendarValue(date, time);
}

void FindFilesRecursive(bool clear, const QString& folder, QStringList* list, const QString& mask, int& count)
{
    if (clear) {
        if (list)
            list->clear();
        count = 0;
    }
    if (!list)
        return;
    const QString prefix = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
    const QStringList names = FileSystem::listFiles(folder, mask);
    for (const QString& name : names)
        list->append(prefix + name);
    count += int(names.size());
}
