#include "Treeunit.h"

#include "Bazadanych.h"
#include "Person.h"
#include "Toolkit.h"
#include "TreeSetings.h"
#include "TreeWalk.h"

#include <new>

KV_Tree gTree;

// Boxes

KV_TreeItem::~KV_TreeItem()
{
    std::vector<KV_TreeItem> pending = std::move(Children);
    while (!pending.empty()) {
        std::vector<KV_TreeItem> below = std::move(pending.back().Children);
        pending.pop_back();
        for (KV_TreeItem& box : below)
            pending.push_back(std::move(box));
    }
}

KV_TreeItem& KV_TreeItem::operator=(KV_TreeItem&& other) noexcept
{
    if (this != &other) {
        this->~KV_TreeItem();
        new (this) KV_TreeItem(std::move(other));
    }
    return *this;
}

void KV_TreeItem::AddLine(int kind, const QString& text)
{
    const QString trimmed = TrimBlanks(text);
    if (!trimmed.isEmpty())
        Lines.append({kind, trimmed});
}

namespace {

void addBirthAndDeath(KV_TreeItem& box, int kind, KV_Person& person)
{
    const bool withPlace = gTreeSetings.ShowPlaces;
    const QString unknown = QStringLiteral("?");
    box.AddLine(kind, person.GetBirthText(withPlace, false, true, unknown));
    box.AddLine(kind, person.GetDeathText(withPlace, true, unknown));
}

QString numbered(int number)
{
    return QString::number(number) + QStringLiteral(") ");
}

} // namespace

void KV_TreeItem::BuildLines(bool descendantSide)
{
    const KV_TreeSetings& settings = gTreeSetings;
    Lines.clear();
    const QString prefix = SpouseNumber > 0 ? numbered(SpouseNumber) : QString();
    if (settings.ShowPicture)
        AddLine(KV_TreeItemDesc::Photo, Person->GetProfilePictureID());
    const bool familyName = !descendantSide && settings.ShowAncestorsFamilyName;
    if (settings.ShowNamesInOneLines) {
        AddLine(KV_TreeItemDesc::Name, prefix + Person->GetNameByLayout(1, false, familyName));
    } else {
        AddLine(KV_TreeItemDesc::Name, prefix + Person->Forename);
        AddLine(KV_TreeItemDesc::Name, Person->GetSurname(familyName));
    }
    addBirthAndDeath(*this, KV_TreeItemDesc::Dates, *Person);
    if (!settings.ShowSpouses || !descendantSide)
        return;

    // The children are numbered by the union they come from, unless one union gave them all.
    bool allMatch = true;
    const int partnerCount = Person->GetPartnerCount();
    for (int k = 0; k < partnerCount; ++k) {
        KV_Person* partner = gDB.FindPerson(Person->GetPartnerID(k));
        if (!partner)
            continue;
        for (KV_TreeItem& child : Children) {
            if (child.Person->HasParents(Person->ID, partner->ID))
                child.SpouseNumber = k + 1;
            else
                allMatch = false;
        }
        AddLine(KV_TreeItemDesc::Separator, QStringLiteral("#"));
        const QString number = partnerCount > 1 || !allMatch ? numbered(k + 1) : QString();
        AddLine(KV_TreeItemDesc::SpouseName, number + partner->GetNameByLayout(10, false, false));
        addBirthAndDeath(*this, KV_TreeItemDesc::SpouseDates, *partner);
    }
    if (allMatch) {
        for (KV_TreeItem& child : Children)
            child.SpouseNumber = -1;
    }
}

double KV_TreeItem::CentreOverChildren() const
{
    const KV_TreeItem& first = Children.front();
    const KV_TreeItem& last = Children.back();
    return first.Left() + (last.Right() - first.Left()) * 0.5 - ScaledWidth() * 0.5;
}

double KV_TreeItem::Left() const
{
    return X * gTreeSetings.LengthScale;
}

double KV_TreeItem::Top() const
{
    return Y * gTreeSetings.LengthScale;
}

double KV_TreeItem::ScaledWidth() const
{
    return Width * gTreeSetings.LengthScale;
}

double KV_TreeItem::ScaledHeight() const
{
    return Height * gTreeSetings.LengthScale;
}

double KV_TreeItem::Right() const
{
    return (X + Width) * gTreeSetings.LengthScale;
}

double KV_TreeItem::Bottom() const
{
    return (Y + Height) * gTreeSetings.LengthScale;
}

double KV_TreeItem::CentreX() const
{
    return (X + Width * 0.5) * gTreeSetings.LengthScale;
}

// Building

void KV_Tree::Reset()
{
    DescendantsRoot = KV_TreeItem();
    AncestorsRoot = KV_TreeItem();
    ancestorLevels = LevelSizes();
    descendantLevels = LevelSizes();
    nextFree.clear();
    ShiftX = ShiftY = PageWidth = PageHeight = 0;
    gTreeSetings.UseLayoutScale();
}

void KV_Tree::AddChildItem(KV_TreeItem& parent, KV_Person* person)
{
    if (!person)
        return;
    KV_TreeItem& child = parent.Children.emplace_back();
    child.Person = person;
    child.Level = parent.Level + 1;
}

namespace {

// True for the first box of a person in the half; later boxes of the person are marked and stay leaves.
bool placeFirstTime(QSet<QString>& visited, KV_TreeItem& box)
{
    if (visited.contains(box.Person->ID)) {
        box.Repeated = true;
        return false;
    }
    visited.insert(box.Person->ID);
    return true;
}

} // namespace

void KV_Tree::BuildAncestors(const QString& personId)
{
    Visited = {personId};
    AncestorsRoot.Person = gDB.FindPerson(personId);
    AncestorsRoot.Level = 1;
    visitTopDown(AncestorsRoot, [this](KV_TreeItem& box) {
        if (&box != &AncestorsRoot && !placeFirstTime(Visited, box))
            return;
        AddChildItem(box, gDB.FindPerson(box.Person->FID));
        AddChildItem(box, gDB.FindPerson(box.Person->MID));
    });
}

void KV_Tree::BuildDescendants(const QString& personId)
{
    Visited = {personId};
    DescendantsRoot.Person = gDB.FindPerson(personId);
    DescendantsRoot.Level = 1;
    visitTopDown(DescendantsRoot, [this](KV_TreeItem& box) {
        if (&box != &DescendantsRoot) {
            // Daughters are shown but not followed when only the male line counts; they are not marked either.
            if (gTreeSetings.ShowOnlyManDescendents && !box.Person->IsMale())
                return;
            if (!placeFirstTime(Visited, box))
                return;
        }
        for (int i = 0; i < box.Person->GetChildCount(); ++i)
            AddChildItem(box, gDB.FindPerson(box.Person->GetChildID(i)));
    });
}
