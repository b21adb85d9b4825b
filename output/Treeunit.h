// The family tree of one person: its ancestors, its descendants or both, as two trees of boxes with the person at
// each root. Building reads the database; the layout measures every box with the PDF layer and places the boxes
// generation by generation on one page; lengths are centimetres, read through the settings' length scale.
#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <vector>

class KV_Person;

// One text line of a box.
struct KV_TreeItemDesc
{
    // Kinds of line.
    static constexpr int Separator = 0; // text "#"
    static constexpr int Name = 1;
    static constexpr int Dates = 2; // birth or death
    static constexpr int SpouseName = 3;
    static constexpr int SpouseDates = 4;
    static constexpr int Photo = 10; // text: the profile picture's ID

    int kind = Separator;
    QString text;
};

// One box of the tree with the boxes below it, which it owns. In the ancestors half the "children" of a box are
// its person's father and mother, in that order.
class KV_TreeItem
{
public:
    KV_TreeItem() = default;
    // Frees the boxes below without recursing once per generation.
    ~KV_TreeItem();
    // Boxes are moved, never copied: a copy would duplicate the whole subtree.
    KV_TreeItem(KV_TreeItem&&) noexcept = default;
    KV_TreeItem& operator=(KV_TreeItem&& other) noexcept;
    KV_TreeItem(const KV_TreeItem&) = delete;
    KV_TreeItem& operator=(const KV_TreeItem&) = delete;

    double Width = 4.0;
    double Height = 2.0;
    double X = 0;
    double Y = 0;
    QList<KV_TreeItemDesc> Lines;
    // Number (from 1) of the parent's union this person comes from, shown before the name; -1 for none.
    int SpouseNumber = -1;
    // The person is placed elsewhere in the same half already: this box is not expanded.
    bool Repeated = false;
    // Not owned; null for an empty box, which every pass skips.
    KV_Person* Person = nullptr;
    // Generation: 1 at the root.
    int Level = 0;
    std::vector<KV_TreeItem> Children;

    // Fills Lines with what the settings ask a box to show. On the descendants side a box lists the partners,
    // and numbers its child boxes by union when they come from more than one.
    void BuildLines(bool descendantSide);
    // Appends a line of the trimmed text; an empty text adds nothing.
    void AddLine(int kind, const QString& text);
    // The x at which this box is centred over its children.
    double CentreOverChildren() const;

    // Geometry multiplied by the settings' length scale.
    double Left() const;
    double Top() const;
    double ScaledWidth() const;
    double ScaledHeight() const;
    double Right() const;
    double Bottom() const;
    double CentreX() const;
};

class KV_Tree
{
public:
    // Kinds of tree.
    static constexpr int AncestorsTree = 1;
    static constexpr int DescendantsTree = 2;
    static constexpr int FullTree = 3; // ancestors above the person, descendants below
    // Height of the band a separator line takes in a box.
    static constexpr double SeparatorHeightCm = 0.5;

    // Empties both halves and the level data, and puts the settings into layout scale.
    void Reset();
    // Build one half from the database; both follow Reset, the ancestors first when both are built.
    void BuildAncestors(const QString& personId);
    void BuildDescendants(const QString& personId);
    // Appends a box of the person one generation below parent; nothing for a null person.
    void AddChildItem(KV_TreeItem& parent, KV_Person* person);

    // Builds, measures and lays out the tree of the kind for the person: afterwards every box has its place and
    // size in centimetres on a page of PageWidth x PageHeight centimetres.
    void Build(int kind, const QString& personId);
    // Takes the three box fonts into the current PDF document; collect first gathers the characters each face
    // provides, which later documents of the same tree reuse.
    void LoadFonts(bool collect);
    // Top of the band of a generation in the current half: the tallest boxes and the gaps of the generations above.
    double LevelTop(int level) const;
    void SetAncestorSide();
    void SetDescendantSide();

    // The passes of the layout over a box and every box below it.
    void Measure(KV_TreeItem& box);
    void Place(KV_TreeItem& box);
    // Puts the generations of the ancestors half in reverse order, the person at the bottom.
    void Flip(KV_TreeItem& box);
    // Moves every box by -ShiftX, -ShiftY (and into the length scale).
    void Shift(KV_TreeItem& box);
    void FindMinimum(KV_TreeItem& box);
    // Grows PageWidth and PageHeight to the right and bottom edges of the boxes.
    void Extent(KV_TreeItem& box);

    // Draws the tree laid out by the last Build on one PDF page and writes it to path; false when the file could
    // not be written (the user has been told). A page larger than the PDF format allows is reduced as a whole.
    bool DrawPdf(const QString& path);
    // The boxes and connectors of a half; the root's box is left out where it lies under the other half's root.
    void DrawSubtree(KV_TreeItem& root);
    void DrawBox(const KV_TreeItem& box);
    // Joins a box to its children: a line to an only child, a bracket over several.
    void DrawConnectors(const KV_TreeItem& box);
    // The title in the top margin over the chosen person, shrunk to fit between the margins.
    void DrawTitle();

    // Per generation of the current half: the tallest and the widest box; shared by both halves: the next free x.
    double LevelHeight(int level) const;
    double LevelWidth(int level) const;
    double NextFreeX(int level) const;

    bool DescendantSide = false;
    bool AncestorSide = false;
    // IDs of the persons placed in the half being built.
    QSet<QString> Visited;
    int Kind = 0;
    // Ancestors above the person.
    bool Mirror = false;
    // Fonts of the boxes in the current PDF document.
    int NameFont = -1;
    int DatesFont = -1;
    int SpouseFont = -1;
    bool MinFirst = true;
    double MinX = 0;
    double MinY = 0;
    double ShiftX = 0;
    double ShiftY = 0;
    // The page in centimetres.
    double PageWidth = 0;
    double PageHeight = 0;
    KV_TreeItem DescendantsRoot;
    KV_TreeItem AncestorsRoot;
    QString NameChars;
    QString DatesChars;
    QString SpouseChars;

private:
    // The font, size and colour a line of that kind is written in.
    struct LineFont
    {
        int font;
        double size;
        int colour;
    };
    LineFont lineFont(int kind) const;

    // Per-generation sizes of one half, indexed by level; grown as deep as the half goes.
    struct LevelSizes
    {
        std::vector<double> height;
        std::vector<double> width;
        // Cached band tops, extended on demand; cleared when a height changes.
        mutable std::vector<double> tops;
        mutable double topsGap = 0;
    };
    LevelSizes& currentLevels();
    const LevelSizes& currentLevels() const;
    double& nextFreeX(int level);
    void raiseLevelSize(int level, double height, double width);
    void measureBox(KV_TreeItem& box);
    void placeBox(KV_TreeItem& box);
    void measureAll();
    void drawPhoto(const KV_TreeItem& box, const QString& pictureId, double y);
    void shiftBoth();

    LevelSizes ancestorLevels;
    LevelSizes descendantLevels;
    std::vector<double> nextFree;
};

extern KV_Tree gTree;
