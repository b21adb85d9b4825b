#include "Treeunit.h"
#include "Pdfmanager.h"
#include "TreeSetings.h"
#include "TreeTestSupport.h"
#include "TreeWalk.h"

#include "ModelFixture.h"

#include <QRandomGenerator>

#include <algorithm>
#include <map>

namespace {

constexpr double eps = 1e-9;

// Families made in the test, with the tree settings and the tree back at their defaults around each test.
class TreeTest : public ModelFixture
{
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        gTreeSetings = KV_TreeSetings();
        gTree.Reset();
    }
    void TearDown() override
    {
        gTree.Reset();
        gTreeSetings = KV_TreeSetings();
        ModelFixture::TearDown();
    }

    static KV_Person* woman(const QString& forename, const QString& surname = QStringLiteral("Nowak"))
    {
        return addPerson(forename, surname, 0);
    }
    static KV_Person* man(const QString& forename, const QString& surname = QStringLiteral("Nowak"))
    {
        return addPerson(forename, surname, 1);
    }
    // A chain of fathers, the youngest first.
    static QList<KV_Person*> fatherChain(int generations)
    {
        QList<KV_Person*> chain;
        for (int i = 0; i < generations; ++i) {
            KV_Person* father = man("Jan");
            if (!chain.isEmpty())
                makeChild(chain.back(), father, nullptr);
            chain << father;
        }
        return chain;
    }
    // The boxes of a half, each before those below it: "level forename", with "*" for a repeated person.
    static QString shape(KV_TreeItem& root)
    {
        QStringList boxes;
        visitTopDown(root, [&](KV_TreeItem& box) {
            boxes << QString::number(box.Level) + u' ' + box.Person->Forename + (box.Repeated ? "*" : "");
        });
        return boxes.join(", ");
    }
    // The lines of a box: "kind text", joined by " | ".
    static QString lines(const KV_TreeItem& box)
    {
        QStringList described;
        for (const KV_TreeItemDesc& line : box.Lines)
            described << QString::number(line.kind) + u' ' + line.text;
        return described.join(" | ");
    }
    static KV_TreeItem* find(KV_TreeItem& root, const QString& forename)
    {
        KV_TreeItem* found = nullptr;
        visitTopDown(root, [&](KV_TreeItem& box) {
            if (!found && box.Person->Forename == forename)
                found = &box;
        });
        return found;
    }
    static QList<KV_TreeItem*> boxesOf(KV_TreeItem& root)
    {
        QList<KV_TreeItem*> boxes;
        visitTopDown(root, [&](KV_TreeItem& box) { boxes << &box; });
        return boxes;
    }

    // The width of a line of the kind as the PDF layer measures it, in centimetres.
    static double lineWidth(int kind, const QString& text)
    {
        return measuredWithTreeFonts([&] {
            const bool name = kind == KV_TreeItemDesc::Name;
            return gPDFManager.TextWidth(text, name ? gTree.NameFont : gTree.DatesFont,
                                         name ? gTreeSetings.NameFontSize : gTreeSetings.DatesFontSize) *
                   KV_TreeSetings::CmPerPoint;
        });
    }
};

} // namespace

// Settings

TEST(TreeSetingsOperationsTest, titleBandAndScales)
{
    KV_TreeSetings settings;
    settings.SetMargins(2.0);
    EXPECT_EQ(settings.LeftMargin, 2.0);
    EXPECT_EQ(settings.BottomMargin, 2.0);
    settings.ReserveTitleBand(1.2);
    EXPECT_DOUBLE_EQ(settings.SavedTopMargin, 2.0);
    EXPECT_DOUBLE_EQ(settings.TopMargin, 5.2);

    EXPECT_EQ(settings.ScaledLevelGap(), 1.0);
    settings.UseDrawingScale();
    EXPECT_DOUBLE_EQ(settings.LengthScale, 28.346456692913385);
    EXPECT_DOUBLE_EQ(settings.ScaledSavedTopMargin(), 2.0 * 72 / 2.54);
    EXPECT_DOUBLE_EQ(settings.ScaledPhotoLineHeight(), 2.3 * 72 / 2.54);
    EXPECT_DOUBLE_EQ(settings.ScaledTenth(settings.InsetY * 10), 0.1 * 72 / 2.54);
    EXPECT_DOUBLE_EQ(settings.ScaledTenth(0.1), 0.01 * 72 / 2.54);
    EXPECT_DOUBLE_EQ(12 * KV_TreeSetings::CmPerPoint, 12 * 2.54 / 72);
    settings.UseLayoutScale();
    EXPECT_EQ(settings.ScaledFooterHeight(), 1.5);
}

TEST_F(TreeTest, aTitleWidensTheTopMarginOfEachBuildOnce)
{
    KV_Person* jan = man("Jan");
    gTreeSetings.Title = QStringLiteral("Jan Nowak - drzewo przodków");
    const double title = measuredWithTreeFonts([] {
        const int font = gPDFManager.SelectFontDescription(gTreeSetings.TitleFont, gTreeSetings.Title, 0);
        return gPDFManager.LineHeight(font, gPDFManager.FontSize) * KV_TreeSetings::CmPerPoint;
    });
    for (int build = 0; build < 2; ++build) {
        gTreeSetings.SetMargins(2.0);
        gTree.Build(KV_Tree::AncestorsTree, jan->ID);
        EXPECT_DOUBLE_EQ(gTreeSetings.SavedTopMargin, 2.0) << build;
        EXPECT_DOUBLE_EQ(gTreeSetings.TopMargin, 4.0 + title) << build;
    }
}

// Building

TEST_F(TreeTest, aPersonReachedTwiceIsExpandedFirstInDepthFirstOrder)
{
    // Piotr and Ewa are half-siblings through Adam; Karol's father is, against nature, the chosen Ala herself.
    KV_Person* ala = woman("Ala");
    KV_Person* piotr = man("Piotr");
    KV_Person* ewa = woman("Ewa");
    KV_Person* adam = man("Adam");
    KV_Person* karol = man("Karol");
    makeChild(ala, piotr, ewa);
    makeChild(piotr, adam, woman("Zofia"));
    makeChild(ewa, adam, woman("Maria"));
    makeChild(adam, karol, nullptr);
    makeChild(karol, ala, nullptr);

    gTree.Reset();
    gTree.BuildAncestors(ala->ID);
    EXPECT_EQ(shape(gTree.AncestorsRoot), "1 Ala, 2 Piotr, 3 Adam, 4 Karol, 5 Ala*, 3 Zofia, 2 Ewa, 3 Adam*, 3 Maria");
}

TEST_F(TreeTest, descendantsReachedTwiceAndTheMaleLine)
{
    // Kuba is listed as a child of both Piotr and Anna.
    KV_Person* jan = man("Jan");
    KV_Person* piotr = man("Piotr");
    KV_Person* anna = woman("Anna");
    KV_Person* kuba = man("Kuba");
    makeChild(piotr, jan, nullptr);
    makeChild(anna, jan, nullptr);
    makeChild(kuba, piotr, anna);
    makeChild(man("Leon"), kuba, nullptr);
    KV_Person* ola = woman("Ola");
    makeChild(jan, nullptr, ola);

    struct Case
    {
        KV_Person* root;
        bool onlyMen;
        const char* shape;
    };
    const Case cases[] = {
        {jan, false, "1 Jan, 2 Piotr, 3 Kuba, 4 Leon, 2 Anna, 3 Kuba*"},
        // A daughter is shown without her children, and is not marked as placed.
        {jan, true, "1 Jan, 2 Piotr, 3 Kuba, 4 Leon, 2 Anna"},
        // The root's own children are listed whatever the root's sex.
        {ola, true, "1 Ola, 2 Jan, 3 Piotr, 4 Kuba, 5 Leon, 3 Anna"},
    };
    for (const Case& c : cases) {
        gTreeSetings.ShowOnlyManDescendents = c.onlyMen;
        gTree.Reset();
        gTree.BuildDescendants(c.root->ID);
        EXPECT_EQ(shape(gTree.DescendantsRoot), c.shape) << c.root->Forename.toStdString() << c.onlyMen;
    }
}

TEST_F(TreeTest, anUnknownPersonGivesAnEmptyTreeOnTheSmallestPage)
{
    gTree.Build(KV_Tree::FullTree, QStringLiteral("person_unknown"));
    EXPECT_EQ(gTree.DescendantsRoot.Person, nullptr);
    EXPECT_EQ(gTree.AncestorsRoot.Person, nullptr);
    EXPECT_DOUBLE_EQ(gTree.PageWidth, 29.7);
    EXPECT_DOUBLE_EQ(gTree.PageHeight, 21.0);
}

TEST_F(TreeTest, spouseLinesNumberTheUnionsOnlyWhenTheChildrenComeFromMoreThanOne)
{
    KV_Person* jan = man("Jan");
    KV_Person* maria = woman("Maria", "Kowalska");
    KV_Person* ewa = woman("Ewa", "Zielińska");
    makeUnion(jan, maria);
    KV_Person* piotr = man("Piotr");
    KV_Person* anna = woman("Anna");
    makeChild(piotr, jan, maria);
    makeChild(anna, jan, maria);

    gTree.Build(KV_Tree::DescendantsTree, jan->ID);
    EXPECT_EQ(lines(gTree.DescendantsRoot), "1 Jan Nowak | 0 # | 3 Maria Kowalska");
    EXPECT_EQ(lines(*find(gTree.DescendantsRoot, "Anna")), "1 Anna Nowak");

    // A second union, a child of it and a child whose mother is not a partner.
    makeUnion(jan, ewa);
    makeChild(woman("Ola"), jan, ewa);
    makeChild(man("Kuba"), jan, woman("Zuzanna"));
    gTree.Build(KV_Tree::DescendantsTree, jan->ID);
    EXPECT_EQ(lines(gTree.DescendantsRoot), "1 Jan Nowak | 0 # | 3 1) Maria Kowalska | 0 # | 3 2) Ewa Zielińska");
    const std::pair<const char*, const char*> children[] = {{"Piotr", "1 1) Piotr Nowak"},
                                                            {"Anna", "1 1) Anna Nowak"},
                                                            {"Ola", "1 2) Ola Nowak"},
                                                            {"Kuba", "1 Kuba Nowak"}};
    for (const auto& [forename, line] : children)
        EXPECT_EQ(lines(*find(gTree.DescendantsRoot, forename)), line) << forename;

    // One partner, but a child from outside the union: the union is numbered.
    KV_Person* adam = man("Adam");
    KV_Person* zofia = woman("Zofia");
    makeUnion(adam, zofia);
    makeChild(man("Tomasz"), adam, zofia);
    makeChild(man("Paweł"), adam, nullptr);
    gTree.Build(KV_Tree::DescendantsTree, adam->ID);
    EXPECT_EQ(lines(gTree.DescendantsRoot), "1 Adam Nowak | 0 # | 3 1) Zofia Nowak");
    EXPECT_EQ(lines(*find(gTree.DescendantsRoot, "Tomasz")), "1 1) Tomasz Nowak");
    EXPECT_EQ(lines(*find(gTree.DescendantsRoot, "Paweł")), "1 Paweł Nowak");
}

TEST_F(TreeTest, linesShowWhatIsKnownAndWhatTheSettingsAsk)
{
    KV_Person* maria = woman("Maria");
    maria->Familyname = QStringLiteral("Kowalska");
    addFact(maria, "BIRT", "12 maj 1901", "Kraków");
    maria->SetDead(true);
    auto* picture = new KV_Picture;
    ASSERT_TRUE(gDB.AddPictureToPerson(maria->ID, picture));
    KV_Person* jan = man("Jan");
    makeChild(jan, nullptr, maria);
    addFact(jan, "DEAT", "1980", "Gdańsk");
    jan->SetDead(true);
    // Date texts break only between date and place.
    const QString born = QString::fromUtf8("2 ur. 12-05-1901\u00a0r.");
    const QString unknownDeath = QString::fromUtf8("2 zm.\u00a0?");
    const QString photo = "10 " + picture->ID;

    struct Case
    {
        const char* what;
        void (*settings)(KV_TreeSetings&);
        int kind;
        KV_Person* person;
        QStringList lines;
    };
    const Case cases[] = {
        {"an ancestor shows the family name; a death without a fact is unknown",
         [](KV_TreeSetings&) {},
         KV_Tree::AncestorsTree,
         maria,
         {photo, "1 Maria Kowalska", born, unknownDeath}},
        {"a descendant shows the surname",
         [](KV_TreeSetings&) {},
         KV_Tree::DescendantsTree,
         maria,
         {photo, "1 Maria Nowak", born, unknownDeath}},
        {"no pictures, no birth fact: no photo and no birth line",
         [](KV_TreeSetings&) {},
         KV_Tree::AncestorsTree,
         jan,
         {"1 Jan Nowak", QString::fromUtf8("2 zm.\u00a01980\u00a0r.")}},
        {"places, names in two lines, no photos",
         [](KV_TreeSetings& s) {
             s.ShowPlaces = true;
             s.ShowNamesInOneLines = false;
             s.ShowPicture = false;
         },
         KV_Tree::AncestorsTree,
         maria,
         {"1 Maria", "1 Kowalska", born + " Kraków", unknownDeath}},
        {"the family name only where asked",
         [](KV_TreeSetings& s) { s.ShowAncestorsFamilyName = false; },
         KV_Tree::AncestorsTree,
         maria,
         {photo, "1 Maria Nowak", born, unknownDeath}},
    };
    for (const Case& c : cases) {
        gTreeSetings = KV_TreeSetings();
        c.settings(gTreeSetings);
        gTree.Build(c.kind, c.person->ID);
        KV_TreeItem& root = c.kind == KV_Tree::AncestorsTree ? gTree.AncestorsRoot : gTree.DescendantsRoot;
        EXPECT_EQ(lines(root), c.lines.join(" | ")) << c.what;
    }
}

// Measuring and layout

TEST_F(TreeTest, aSinglePersonIsOneSmallBoxInTheMiddleOfTheSmallestPage)
{
    KV_Person* jan = man("Jan");
    for (int kind : {KV_Tree::AncestorsTree, KV_Tree::DescendantsTree, KV_Tree::FullTree}) {
        gTree.Build(kind, jan->ID);
        const KV_TreeItem& box = kind == KV_Tree::AncestorsTree ? gTree.AncestorsRoot : gTree.DescendantsRoot;
        EXPECT_DOUBLE_EQ(gTree.PageWidth, 29.7) << kind;
        EXPECT_DOUBLE_EQ(gTree.PageHeight, 21.0) << kind;
        EXPECT_GE(box.Width, 2.2) << kind;
        EXPECT_DOUBLE_EQ(box.Height, 2.0) << kind;
        EXPECT_NEAR(box.X + box.Width / 2, 29.7 / 2, eps) << kind;
        EXPECT_NEAR(box.Y + box.Height / 2, 21.0 / 2, eps) << kind;
    }
}

TEST_F(TreeTest, aBoxIsItsWidestLineWideAndItsLinesHighWithoutWrapping)
{
    const QString longName = QString::fromUtf8("Konstantynopolitańczykowianeczka Wierzbięta-Szczebrzeszyńska");
    KV_Person* ala = woman("Ala");
    KV_Person* long1 = woman("Konstantynopolitańczykowianeczka", "Wierzbięta-Szczebrzeszyńska");
    makeChild(ala, nullptr, long1);
    addFact(ala, "BIRT", "12 maj 1901");
    auto* picture = new KV_Picture;
    ASSERT_TRUE(gDB.AddPictureToPerson(ala->ID, picture));

    gTree.Build(KV_Tree::AncestorsTree, ala->ID);
    const KV_TreeItem& mother = gTree.AncestorsRoot.Children.at(0);
    EXPECT_DOUBLE_EQ(mother.Width, lineWidth(KV_TreeItemDesc::Name, longName) + 0.2);
    EXPECT_DOUBLE_EQ(mother.Height, 2.0);

    // A photo, a name and a birth line: each text line is one line high, however tightly it was measured.
    const double nameHeight = measuredWithTreeFonts([] { return gPDFManager.LineHeight(gTree.NameFont, 10); });
    const double datesHeight = measuredWithTreeFonts([] { return gPDFManager.LineHeight(gTree.DatesFont, 9); });
    const KV_TreeItem& root = gTree.AncestorsRoot;
    EXPECT_DOUBLE_EQ(root.Height, 2.3 + (nameHeight + datesHeight) * KV_TreeSetings::CmPerPoint + 0.2);
    const double birthWidth = lineWidth(KV_TreeItemDesc::Dates, root.Lines.at(2).text);
    EXPECT_DOUBLE_EQ(root.Width, std::max({2.0, lineWidth(KV_TreeItemDesc::Name, "Ala Nowak"), birthWidth}) + 0.2);

    // Many names, each measured at its own width, are one line each.
    measuredWithTreeFonts([] {
        for (const char* name : {"Jan Nowak", "Łucja Żółkiewska-Ściegienna", "W", "Anna Maria Józefa Kowalska",
                                 "Jerzy z Kowalskich", "ĄĘŚĆŻŹŃÓŁ ąęśćżźńół"}) {
            const QString text = QString::fromUtf8(name);
            for (const auto& [font, size] :
                 {std::pair{gTree.NameFont, 10.0}, std::pair{gTree.DatesFont, 9.0}, std::pair{gTree.NameFont, 13.0}}) {
                const double width = gPDFManager.TextWidth(text, font, size);
                EXPECT_DOUBLE_EQ(gPDFManager.WrappedTextHeight(font, size, text, width),
                                 gPDFManager.LineHeight(font, size))
                    << name << " " << size;
            }
        }
        return 0;
    });
}

TEST_F(TreeTest, threeBoxesAreLaidOutToTheCentimetre)
{
    KV_Person* jan = man("Jan");
    makeChild(jan, man("Bartłomiej", "Wierzbięta-Szczebrzeszyński"), woman("Ewa"));
    gTreeSetings.ShowPicture = false;
    gTree.Build(KV_Tree::AncestorsTree, jan->ID);

    const KV_TreeItem& root = gTree.AncestorsRoot;
    const KV_TreeItem& father = root.Children.at(0);
    const KV_TreeItem& mother = root.Children.at(1);
    // Placed from 0, 0: the parents side by side in the second band, the child centred over them.
    const double motherX = father.Width + 1.0;
    const double rootX = std::max(0.0, (motherX + mother.Width) / 2 - root.Width / 2);
    const double width = std::max(motherX + mother.Width, rootX + root.Width);
    const double parentsY = root.Height + 1.0;
    const double height = parentsY + std::max(father.Height, mother.Height);
    // Then moved into the margins (2 cm at the top, 1 cm at the left) and into the middle of the smallest page.
    const double dx = 1.0 + (29.7 - (width + 2.0)) / 2;
    const double dy = 2.0 + (21.0 - (height + 4.0)) / 2;
    EXPECT_NEAR(father.X, dx, eps);
    EXPECT_NEAR(mother.X, motherX + dx, eps);
    EXPECT_NEAR(root.X, rootX + dx, eps);
    EXPECT_NEAR(root.Y, dy, eps);
    EXPECT_NEAR(father.Y, parentsY + dy, eps);
    EXPECT_NEAR(mother.Y, parentsY + dy, eps);
    gTree.SetAncestorSide();
    EXPECT_DOUBLE_EQ(gTree.LevelHeight(1), root.Height);
    EXPECT_DOUBLE_EQ(gTree.LevelWidth(2), std::max(father.Width, mother.Width));
    EXPECT_DOUBLE_EQ(gTree.LevelTop(2), parentsY);
    EXPECT_DOUBLE_EQ(gTree.NextFreeX(2), motherX + mother.Width + 1.0);
}

TEST_F(TreeTest, generationsRunDownwardsOrUpwardsByKindAndMirror)
{
    KV_Person* jan = man("Jan");
    KV_Person* piotr = man("Piotr");
    KV_Person* adam = man("Adam");
    makeChild(jan, piotr, woman("Ewa"));
    makeChild(piotr, adam, nullptr);
    KV_Person* kuba = man("Kuba");
    makeChild(kuba, jan, nullptr);
    makeChild(man("Leon"), kuba, nullptr);

    struct Case
    {
        int kind;
        bool mirror;
        // Forenames from the top of the page to the bottom.
        QStringList topToBottom;
    };
    const Case cases[] = {
        {KV_Tree::AncestorsTree, false, {"Jan", "Piotr", "Adam"}},
        {KV_Tree::AncestorsTree, true, {"Adam", "Piotr", "Jan"}},
        {KV_Tree::DescendantsTree, true, {"Jan", "Kuba", "Leon"}}, // mirror is only for ancestors trees
        {KV_Tree::FullTree, true, {"Adam", "Piotr", "Jan", "Kuba", "Leon"}},
        {KV_Tree::FullTree, false, {"Adam", "Piotr", "Jan", "Kuba", "Leon"}},
    };
    for (const Case& c : cases) {
        gTreeSetings.MirrorWidok = c.mirror;
        gTree.Build(c.kind, jan->ID);
        QList<KV_TreeItem*> boxes = boxesOf(gTree.DescendantsRoot) + boxesOf(gTree.AncestorsRoot);
        std::map<double, QString> byTop;
        for (KV_TreeItem* box : boxes) {
            if (box->Person->Forename != "Ewa")
                byTop[box->Y] = box->Person->Forename; // the two roots of a full tree share a place
        }
        QStringList order;
        for (const auto& [top, name] : byTop)
            order << name;
        EXPECT_EQ(order, c.topToBottom) << c.kind << c.mirror;
    }

    // A full tree: the ancestors' root lies on the descendants' root, the tree starts right at the margins.
    gTreeSetings.SetMargins(2.0);
    gTree.Build(KV_Tree::FullTree, jan->ID);
    EXPECT_NEAR(gTree.AncestorsRoot.CentreX(), gTree.DescendantsRoot.CentreX(), eps);
    EXPECT_NEAR(gTree.AncestorsRoot.Y, gTree.DescendantsRoot.Y, eps);
    const KV_TreeItem& adamBox = *find(gTree.AncestorsRoot, "Adam");
    const KV_TreeItem& leonBox = *find(gTree.DescendantsRoot, "Leon");
    const double contentHeight = leonBox.Bottom() - adamBox.Y;
    EXPECT_NEAR(adamBox.Y, 2.0 + std::max(0.0, (21.0 - contentHeight - 4.0) / 2), eps);
    EXPECT_NEAR(gTree.PageHeight, std::max(21.0, contentHeight + 4.0), eps);
}

TEST_F(TreeTest, aParentThatWouldOverlapItsNeighbourMovesRightWithItsChildren)
{
    KV_Person* jan = man("Jan");
    KV_Person* wide = man("Bartłomiej", "Wierzbięta-Szczebrzeszyński");
    KV_Person* piotr = man("Piotr");
    makeChild(wide, jan, nullptr);
    makeChild(piotr, jan, nullptr);
    makeChild(man("Kuba"), piotr, nullptr);
    gTreeSetings.ShowPicture = false;
    gTree.Build(KV_Tree::DescendantsTree, jan->ID);

    const KV_TreeItem& wideBox = *find(gTree.DescendantsRoot, "Bartłomiej");
    const KV_TreeItem& piotrBox = *find(gTree.DescendantsRoot, "Piotr");
    const KV_TreeItem& kubaBox = *find(gTree.DescendantsRoot, "Kuba");
    EXPECT_NEAR(piotrBox.X, wideBox.Right() + 1.0, eps);
    EXPECT_NEAR(kubaBox.CentreX(), piotrBox.CentreX(), eps);
}

// Random families: the layout's promises hold whatever the family looks like.
TEST_F(TreeTest, boxesOfAGenerationNeverOverlapShareTheirTopAndParentsAreCentred)
{
    const char* names[] = {"Jan", "Anna Maria", "Bartłomiej Józef", "Ewa", "Konstanty Wawrzyniec", "Ola"};
    for (quint32 seed = 1; seed <= 12; ++seed) {
        reset();
        QRandomGenerator random(seed);
        QList<KV_Person*> men, women;
        for (int i = 0; i < 60; ++i) {
            const bool isMan = random.bounded(2) == 1;
            KV_Person* p = addPerson(QString::fromUtf8(names[random.bounded(6)]), "Nowak", isMan ? 1 : 0);
            // Most persons get parents among those made before them, so there are neither loops nor orphans only.
            if (!men.isEmpty() && !women.isEmpty() && random.bounded(5) != 0) {
                KV_Person* father = men[random.bounded(int(men.size()))];
                KV_Person* mother = women[random.bounded(int(women.size()))];
                makeChild(p, father, random.bounded(4) != 0 ? mother : nullptr);
                if (!p->MID.isEmpty())
                    makeUnion(father, mother);
            }
            (isMan ? men : women) << p;
        }
        for (int kind : {KV_Tree::AncestorsTree, KV_Tree::DescendantsTree, KV_Tree::FullTree}) {
            for (bool mirror : {false, true}) {
                gTreeSetings = KV_TreeSetings();
                gTreeSetings.MirrorWidok = mirror;
                gTreeSetings.ShowPicture = seed % 2 == 0;
                const QList<KV_Person*>& pool = seed % 3 == 0 ? women : men;
                KV_Person* root = kind == KV_Tree::AncestorsTree ? pool.back() : pool.front();
                gTree.Build(kind, root->ID);
                for (KV_TreeItem* half : {&gTree.DescendantsRoot, &gTree.AncestorsRoot}) {
                    std::map<int, QList<KV_TreeItem*>> levels;
                    for (KV_TreeItem* box : boxesOf(*half)) {
                        levels[box->Level] << box;
                        if (!box->Children.empty()) {
                            EXPECT_NEAR(box->X, box->CentreOverChildren(), eps) << seed << " " << kind;
                        }
                    }
                    for (auto& [level, boxes] : levels) {
                        std::sort(boxes.begin(), boxes.end(),
                                  [](const KV_TreeItem* a, const KV_TreeItem* b) { return a->X < b->X; });
                        for (qsizetype i = 1; i < boxes.size(); ++i) {
                            EXPECT_GE(boxes[i]->X, boxes[i - 1]->Right() + 1.0 - eps) << seed << " " << kind;
                            EXPECT_NEAR(boxes[i]->Y, boxes[0]->Y, eps) << seed << " " << kind;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(TreeTest, aHundredAndFiftyGenerationsLieInAHundredAndFiftyBands)
{
    gTreeSetings.ShowPicture = false;
    const QList<KV_Person*> chain = fatherChain(150);
    gTree.Build(KV_Tree::AncestorsTree, chain.front()->ID);
    const KV_TreeItem* box = &gTree.AncestorsRoot;
    for (int level = 1; level <= 150; ++level) {
        ASSERT_EQ(box->Level, level);
        // Boxes of 2 cm and gaps of 1 cm below the 2 cm top margin.
        EXPECT_DOUBLE_EQ(box->Y, 2.0 + (level - 1) * 3.0) << level;
        box = box->Children.empty() ? nullptr : &box->Children.front();
    }
    EXPECT_EQ(box, nullptr);
    EXPECT_DOUBLE_EQ(gTree.PageHeight, 2.0 + 150 * 3.0 - 1.0 + 2.0);
}

TEST_F(TreeTest, aHundredThousandGenerationsAreLaidOutWithoutRecursion)
{
    gTreeSetings.ShowPicture = false;
    const int generations = 100000;
    const QList<KV_Person*> chain = fatherChain(generations);
    for (int kind : {KV_Tree::AncestorsTree, KV_Tree::DescendantsTree}) {
        gTree.Build(kind, (kind == KV_Tree::AncestorsTree ? chain.front() : chain.back())->ID);
        const KV_TreeItem* box = kind == KV_Tree::AncestorsTree ? &gTree.AncestorsRoot : &gTree.DescendantsRoot;
        while (!box->Children.empty())
            box = &box->Children.front();
        EXPECT_EQ(box->Level, generations);
        EXPECT_DOUBLE_EQ(box->Y, 2.0 + (generations - 1) * 3.0);
    }
    gTree.Reset();
}
