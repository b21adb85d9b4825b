// Measuring the boxes of the family tree and placing them on the page.
#include "Pdfmanager.h"
#include "TreeSetings.h"
#include "TreeWalk.h"
#include "Treeunit.h"

#include <algorithm>

namespace {

// No box is narrower than this text width, nor lower than this height.
constexpr double narrowestTextCm = 2.0;
constexpr double lowestBoxCm = 2.0;

double& atLevel(std::vector<double>& table, int level)
{
    if (int(table.size()) <= level)
        table.resize(level + 1, 0.0);
    return table[level];
}

double readLevel(const std::vector<double>& table, int level)
{
    return level >= 0 && level < int(table.size()) ? table[level] : 0.0;
}

} // namespace

void KV_Tree::SetAncestorSide()
{
    AncestorSide = true;
    DescendantSide = false;
}

void KV_Tree::SetDescendantSide()
{
    DescendantSide = true;
    AncestorSide = false;
}

KV_Tree::LevelSizes& KV_Tree::currentLevels()
{
    return DescendantSide ? descendantLevels : ancestorLevels;
}

const KV_Tree::LevelSizes& KV_Tree::currentLevels() const
{
    return DescendantSide ? descendantLevels : ancestorLevels;
}

double KV_Tree::LevelHeight(int level) const
{
    return readLevel(currentLevels().height, level);
}

double KV_Tree::LevelWidth(int level) const
{
    return readLevel(currentLevels().width, level);
}

double KV_Tree::NextFreeX(int level) const
{
    return readLevel(nextFree, level);
}

double& KV_Tree::nextFreeX(int level)
{
    return atLevel(nextFree, level);
}

void KV_Tree::raiseLevelSize(int level, double height, double width)
{
    LevelSizes& levels = currentLevels();
    double& tallest = atLevel(levels.height, level);
    if (tallest < height) {
        tallest = height;
        levels.tops.clear();
    }
    double& widest = atLevel(levels.width, level);
    widest = std::max(widest, width);
}

double KV_Tree::LevelTop(int level) const
{
    // The tops are summed once, generation after generation, in the order a sum per call would take.
    const LevelSizes& levels = currentLevels();
    const double gap = gTreeSetings.ScaledLevelGap();
    if (levels.topsGap != gap) {
        levels.tops.clear();
        levels.topsGap = gap;
    }
    if (levels.tops.empty())
        levels.tops = {0.0, 0.0};
    while (int(levels.tops.size()) <= level) {
        const int above = int(levels.tops.size()) - 1;
        levels.tops.push_back(levels.tops.back() + (readLevel(levels.height, above) + gap));
    }
    return levels.tops[std::max(level, 1)];
}

KV_Tree::LineFont KV_Tree::lineFont(int kind) const
{
    const KV_TreeSetings& settings = gTreeSetings;
    switch (kind) {
    case KV_TreeItemDesc::Name:
        return {NameFont, settings.NameFontSize, int(settings.PDFFontNameColor)};
    case KV_TreeItemDesc::Dates:
        return {DatesFont, settings.DatesFontSize, int(settings.PDFFontDatyColor)};
    default:
        return {SpouseFont, settings.SpouseFontSize, int(settings.PDFFontWspColor)};
    }
}

void KV_Tree::LoadFonts(bool collect)
{
    KV_TreeSetings& settings = gTreeSetings;
    struct BoxFont
    {
        const QString& description;
        QString& characters;
        int& font;
        double& size;
    };
    const BoxFont fonts[] = {{settings.PDFFontName, NameChars, NameFont, settings.NameFontSize},
                             {settings.PDFFontDaty, DatesChars, DatesFont, settings.DatesFontSize},
                             {settings.PDFFontWsp, SpouseChars, SpouseFont, settings.SpouseFontSize}};
    for (const BoxFont& f : fonts) {
        gPDFManager.ParseFontDescription(f.description);
        if (collect)
            f.characters = FontCharacters(gPDFManager.FontFace, gPDFManager.FontBold, gPDFManager.FontItalic);
    }
    for (const BoxFont& f : fonts) {
        f.font = gPDFManager.SelectFontDescription(f.description, f.characters, 0);
        f.size = gPDFManager.FontSize;
    }
}

// Measuring

void KV_Tree::Measure(KV_TreeItem& root)
{
    // Top down: a box numbers its children by union before they build their own lines.
    visitTopDown(root, [this](KV_TreeItem& box) { measureBox(box); });
}

void KV_Tree::measureBox(KV_TreeItem& box)
{
    const KV_TreeSetings& settings = gTreeSetings;
    box.BuildLines(DescendantSide);
    double widest = narrowestTextCm;
    double lineWidth = 0;
    double total = 0;
    for (const KV_TreeItemDesc& line : std::as_const(box.Lines)) {
        if (line.text.isEmpty())
            continue;
        double lineHeight = 0;
        if (line.kind == KV_TreeItemDesc::Photo) {
            lineHeight = settings.ScaledPhotoLineHeight();
        } else if (line.kind == KV_TreeItemDesc::Separator) {
            lineHeight = SeparatorHeightCm;
        } else {
            // Measured at its own width, a line never wraps: names are not broken.
            const LineFont f = lineFont(line.kind);
            const double width = gPDFManager.TextWidth(line.text, f.font, f.size);
            lineWidth = width * KV_TreeSetings::CmPerPoint;
            lineHeight = gPDFManager.WrappedTextHeight(f.font, f.size, line.text, width) * KV_TreeSetings::CmPerPoint;
        }
        total += lineHeight;
        widest = std::max(widest, lineWidth);
    }
    const double height = total + 2 * settings.InsetY;
    box.Height = height > lowestBoxCm ? height : lowestBoxCm;
    box.Width = widest + 2 * settings.InsetX;
    raiseLevelSize(box.Level, box.ScaledHeight(), box.ScaledWidth());
}

void KV_Tree::measureAll()
{
    // A document that is never written: it lends the layout the PDF layer's text metrics at one unit per point.
    KV_TreeSetings& settings = gTreeSetings;
    gPDFManager.SetScale(1.0);
    gPDFManager.BeginDocument(true);
    LoadFonts(true);
    if (!settings.Title.isEmpty()) {
        const int font = gPDFManager.SelectFontDescription(settings.TitleFont, settings.Title, settings.TitleColor);
        const double height = gPDFManager.LineHeight(font, gPDFManager.FontSize);
        settings.ReserveTitleBand(height * KV_TreeSetings::CmPerPoint);
    }
    SetDescendantSide();
    Measure(DescendantsRoot);
    SetAncestorSide();
    Measure(AncestorsRoot);
    gPDFManager.EndDocument(QString());
}

// Placing

void KV_Tree::Place(KV_TreeItem& root)
{
    // Bottom up: a parent is centred over its children once they are placed.
    visitBottomUp(root, [this](KV_TreeItem& box) { placeBox(box); });
}

void KV_Tree::placeBox(KV_TreeItem& box)
{
    const KV_TreeSetings& settings = gTreeSetings;
    box.Y = LevelTop(box.Level);
    if (box.Children.empty()) {
        box.X = nextFreeX(box.Level);
    } else {
        const double centred = box.CentreOverChildren();
        const double x = std::max(nextFreeX(box.Level), centred);
        nextFreeX(box.Level) = x;
        box.X = x;
        if (x > centred) {
            // The box would overlap its left neighbour: it moves right with everything below it, and the
            // generations below are taken up to the moved boxes.
            ShiftY = 0;
            ShiftX = -(x - centred);
            Shift(box);
            box.X = x;
            visitTopDown(box, [&](KV_TreeItem& below) {
                if (&below == &box)
                    return;
                double& free = nextFreeX(below.Level);
                free = std::max(free, below.Right() + settings.ScaledSiblingGap());
            });
        }
    }
    nextFreeX(box.Level) += box.ScaledWidth() + settings.ScaledSiblingGap();
}

void KV_Tree::Flip(KV_TreeItem& root)
{
    const double gap = gTreeSetings.ScaledLevelGap();
    visitTopDown(root, [&](KV_TreeItem& box) {
        // Each generation keeps its boxes at the top of its band, whose bottom becomes its top.
        box.Y = &box == &root ? -box.ScaledHeight() : -(LevelTop(box.Level + 1) - gap);
        ShiftY = std::min(ShiftY, box.Y);
    });
}

void KV_Tree::Shift(KV_TreeItem& root)
{
    const double scale = gTreeSetings.LengthScale;
    visitTopDown(root, [&](KV_TreeItem& box) {
        box.Y = box.Y * scale - ShiftY;
        box.X = box.X * scale - ShiftX;
    });
}

void KV_Tree::shiftBoth()
{
    Shift(DescendantsRoot);
    Shift(AncestorsRoot);
}

void KV_Tree::FindMinimum(KV_TreeItem& root)
{
    visitTopDown(root, [this](KV_TreeItem& box) {
        if (MinFirst) {
            MinX = box.X;
            MinY = box.Y;
            MinFirst = false;
        } else {
            MinX = std::min(MinX, box.X);
            MinY = std::min(MinY, box.Y);
        }
    });
}

void KV_Tree::Extent(KV_TreeItem& root)
{
    visitTopDown(root, [this](KV_TreeItem& box) {
        PageWidth = std::max(PageWidth, box.Right());
        PageHeight = std::max(PageHeight, box.Bottom());
    });
}

// The whole stage

void KV_Tree::Build(int kind, const QString& personId)
{
    KV_TreeSetings& settings = gTreeSetings;
    Reset();
    Kind = kind;
    Mirror = kind == AncestorsTree && settings.MirrorWidok;
    if (kind == AncestorsTree || kind == FullTree)
        BuildAncestors(personId);
    if (kind == DescendantsTree || kind == FullTree)
        BuildDescendants(personId);

    measureAll();

    SetDescendantSide();
    Place(DescendantsRoot);
    SetAncestorSide();
    Place(AncestorsRoot);

    if (Mirror || kind == FullTree) {
        ShiftY = ShiftX = 0;
        Flip(AncestorsRoot);
        Shift(AncestorsRoot);
        const double ancestorsHeight = ShiftY;
        if (kind == FullTree) {
            // The descendants go below the ancestors, the ancestors' root onto the descendants' root (where it is
            // not drawn), and the whole tree to the origin.
            ShiftY = ancestorsHeight;
            ShiftX = 0;
            SetDescendantSide();
            Shift(DescendantsRoot);
            ShiftY = -AncestorsRoot.ScaledHeight();
            ShiftX = AncestorsRoot.CentreX() - DescendantsRoot.CentreX();
            SetAncestorSide();
            Shift(AncestorsRoot);
            MinFirst = true;
            MinX = MinY = 0;
            FindMinimum(DescendantsRoot);
            FindMinimum(AncestorsRoot);
            ShiftY = MinY;
            ShiftX = MinX;
            shiftBoth();
        }
    }

    ShiftY = -settings.ScaledTopMargin();
    ShiftX = -settings.ScaledLeftMargin();
    shiftBoth();

    // The right margin is as wide as the left one.
    PageWidth = PageHeight = 0;
    Extent(DescendantsRoot);
    Extent(AncestorsRoot);
    PageWidth += settings.ScaledLeftMargin();
    PageHeight += settings.ScaledBottomMargin();

    // A small tree lies in the middle of the smallest page.
    ShiftY = ShiftX = 0;
    if (settings.MinPageWidth > PageWidth) {
        ShiftX = -(settings.MinPageWidth - PageWidth) * 0.5;
        PageWidth = settings.MinPageWidth;
    }
    if (settings.MinPageHeight > PageHeight) {
        ShiftY = -(settings.MinPageHeight - PageHeight) * 0.5;
        PageHeight = settings.MinPageHeight;
    }
    if (ShiftY < 0 || ShiftX < 0)
        shiftBoth();
}
