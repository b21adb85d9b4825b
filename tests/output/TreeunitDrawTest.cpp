#include "Miniaturyunit.h"
#include "PdfTools.h"
#include "Pdfmanager.h"
#include "TestSupport.h"
#include "TreeSetings.h"
#include "TreeTestSupport.h"
#include "TreeWalk.h"
#include "Treeunit.h"

#include <QImage>
#include <QRegularExpression>

namespace {

bool near(QColor actual, QColor expected, int tolerance = 40)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// The footer texts the main window sets.
class TreeDrawTest : public TreeFolderFixture
{
protected:
    void SetUp() override
    {
        TreeFolderFixture::SetUp();
        gPDFManager.PageText1 = QStringLiteral("www.kronvel.pl | v.1.0");
        gPDFManager.PageText2 = QStringLiteral("Strona: #NR_STRONY#");
    }
    void TearDown() override
    {
        gPDFManager.PageText1.clear();
        gPDFManager.PageText2.clear();
        TreeFolderFixture::TearDown();
    }

    // Builds the tree and draws it into the data folder.
    QString draw(int kind, const KV_Person* person, const char* name = "tree.pdf")
    {
        const QString path = gDB.DataFolder + QLatin1String(name);
        gTree.Build(kind, person->ID);
        EXPECT_TRUE(gTree.DrawPdf(path));
        return path;
    }

    static KV_Person* person(const QString& forename, const QString& surname, int sex = 1)
    {
        return addPerson(forename, surname, sex);
    }
    // A picture file of the given size attached to the person.
    KV_Picture* addPhoto(KV_Person* owner, int width, int height, QColor colour)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder.filePath(QStringLiteral("photo_%1.png").arg(gDB.GetPictureCount()));
        EXPECT_TRUE(image.save(path));
        auto* picture = new KV_Picture;
        picture->File = path;
        EXPECT_TRUE(gDB.AddPictureToPerson(owner->ID, picture));
        return picture;
    }

    // Page width and height in points as pdfinfo gives them.
    static QSizeF pageSize(const QString& pdf)
    {
        static const QRegularExpression size(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)");
        const auto match = size.match(QString::fromUtf8(PdfTools::run("pdfinfo", {pdf})));
        return {match.captured(1).toDouble(), match.captured(2).toDouble()};
    }
    static int count(const QString& text, const QString& word) { return int(text.count(word)); }
    static double middleOf(const KV_TreeItem& box) { return box.Top() + box.ScaledHeight() / 2; }
};

} // namespace

TEST_F(TreeDrawTest, aSinglePersonIsOneLandscapePageWithTheBoxInTheMiddle)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    KV_Person* jan = person("Jan", "Nowak");
    const QString pdf = draw(KV_Tree::AncestorsTree, jan);

    EXPECT_EQ(PdfTools::pageCount(pdf), 1);
    // A4 landscape, in the whole points the PDF writer keeps.
    const QSizeF page = pageSize(pdf);
    EXPECT_NEAR(page.width(), 841.89, 0.5);
    EXPECT_NEAR(page.height(), 595.28, 0.5);

    const auto words = PdfTools::words(pdf, 1);
    const QRectF name = PdfTools::findWord(words, "Jan").box | PdfTools::findWord(words, "Nowak").box;
    EXPECT_NEAR(name.center().x(), page.width() / 2, 1.0);
    // The footer carries the first page text only.
    const QString text = PdfTools::text(pdf);
    EXPECT_TRUE(text.contains("www.kronvel.pl")) << text.toStdString();
    EXPECT_FALSE(text.contains("Strona")) << text.toStdString();

    // The box itself: a gradient from white at the top to the man's colour at the bottom, in a grey frame.
    const KV_TreeItem& box = gTree.AncestorsRoot;
    EXPECT_NEAR(box.CentreX(), page.width() / 2, 0.5);
    EXPECT_NEAR(middleOf(box), page.height() / 2, 0.5);
    const QImage image = PdfTools::page(pdf, 1);
    const int x = int(box.CentreX());
    EXPECT_TRUE(near(image.pixelColor(x, int(box.Top()) + 2), Qt::white, 20));
    EXPECT_TRUE(near(image.pixelColor(x, int(box.Bottom()) - 2), QColor(0xB7, 0xDB, 0xFF), 20));
    // The 0.1 mm border, four pixels per point.
    const QImage fine = PdfTools::page(pdf, 1, 288);
    const int borderX = int(std::lround(box.Left() * 4));
    int greyPixels = 0;
    for (int dx = -1; dx <= 1; ++dx) {
        const QColor c = fine.pixelColor(borderX + dx, int(middleOf(box) * 4));
        greyPixels += c.red() < 240 && std::abs(c.red() - c.blue()) < 12 && std::abs(c.red() - c.green()) < 12;
    }
    EXPECT_GE(greyPixels, 1);
}

TEST_F(TreeDrawTest, aTreeWiderOrTallerThanAPdfPageIsReducedAsAWhole)
{
    SKIP_WITHOUT_TOOL("pdfinfo");
    gTreeSetings.ShowPicture = false;
    // Thirty sons spread 600 cm wide under one father, whose name is one word.
    KV_Person* father = person("Jan", QString());
    for (int i = 0; i < 30; ++i)
        makeChild(person("Syn", "Nowak"), father, nullptr);
    gTree.Build(KV_Tree::DescendantsTree, father->ID);
    const double childWidth = gTree.DescendantsRoot.Children.front().Width;
    gTreeSetings.SiblingGap = (600.0 - 2.0 - 30 * childWidth) / 29;
    const QString wide = draw(KV_Tree::DescendantsTree, father, "wide.pdf");
    ASSERT_NEAR(gTree.PageWidth, 600.0, 1e-6);
    const double factor = 508.0 / 600.0;
    const QSizeF widePage = pageSize(wide);
    EXPECT_EQ(widePage.width(), 14400);
    EXPECT_NEAR(widePage.height(), 21.0 / 2.54 * 72 * factor, 1.0);
    // Every coordinate and font size is reduced: the father's name in the middle of the page, as narrow as the
    // name at its size times the factor.
    const QRectF name = PdfTools::findWord(PdfTools::words(wide, 1), "Jan").box;
    EXPECT_NEAR(name.center().x(), 7200, 1.0);
    const double nameWidth = measuredWithTreeFonts([] { return gPDFManager.TextWidth("Jan", gTree.NameFont, 10); });
    EXPECT_NEAR(name.width(), nameWidth * factor, 0.5);

    // A chain of two hundred generations is 600 cm tall.
    reset();
    QList<KV_Person*> chain{person("Jan", "Nowak")};
    for (int i = 1; i < 200; ++i) {
        chain << person("Ojciec", "Nowak");
        makeChild(chain[i - 1], chain[i], nullptr);
    }
    gTreeSetings = KV_TreeSetings();
    gTreeSetings.ShowPicture = false;
    const QString tall = draw(KV_Tree::AncestorsTree, chain.front(), "tall.pdf");
    const QSizeF tallPage = pageSize(tall);
    EXPECT_EQ(tallPage.height(), 14400);
    EXPECT_NEAR(tallPage.width(), 29.7 / 2.54 * 72 * 508.0 / gTree.PageHeight, 1.0);
    EXPECT_EQ(count(PdfTools::text(tall), "Ojciec"), 199);
}

TEST_F(TreeDrawTest, aTitleThatDoesNotFitOverThePersonIsCentredOnTheReducedPage)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    gTreeSetings.ShowPicture = false;
    // The root stands over its first two sons, at the left of a tree 600 cm wide.
    KV_Person* root = person("Jan", "Nowak");
    KV_Person* wideSon = person("Piotr", "Nowak");
    makeChild(person("Adam", "Nowak"), root, nullptr);
    makeChild(wideSon, root, nullptr);
    for (int i = 0; i < 30; ++i)
        makeChild(person("Wnuk", "Nowak"), wideSon, nullptr);
    gTreeSetings.SiblingGap = 18.0;
    gTreeSetings.Title = QString(600, QChar(u'W'));
    const QString pdf = draw(KV_Tree::DescendantsTree, root);
    ASSERT_GT(gTree.PageWidth, 508.0);
    const double factor = 508.0 / gTree.PageWidth;

    const QRectF title = PdfTools::findWord(PdfTools::words(pdf, 1), gTreeSetings.Title).box;
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.center().x(), 7200, 1.0);
    // Above the boxes, in the band kept free for it below the margin.
    EXPECT_GT(title.top(), 2.0 / 2.54 * 72 * factor - 1);
    EXPECT_LT(title.bottom(), gTree.DescendantsRoot.Top() * factor);
}

TEST_F(TreeDrawTest, aFullTreeShowsEveryoneOnceWithTitleAndPhotos)
{
    SKIP_WITHOUT_TOOL("pdfimages");
    KV_Person* jan = person("Jan", "Kowalski");
    KV_Person* maria = person("Maria", "Wiśniewska", 0);
    makeUnion(jan, maria);
    makeChild(jan, person("Piotr", "Kowalski"), person("Zofia", "Żółkiewska", 0));
    makeChild(person("Łucja", "Kowalska", 0), jan, maria);
    makeChild(person("Stanisław", "Kowalski"), jan, maria);
    addPhoto(jan, 2000, 1500, Qt::red);
    addPhoto(maria, 300, 400, Qt::blue); // a partner's photo is not drawn: partners are lines of text
    addPhoto(gDB.FindPerson(jan->FID), 400, 300, Qt::green);
    gTreeSetings.Title = QStringLiteral("Jan Kowalski - drzewo przodków i potomków");
    const QString pdf = draw(KV_Tree::FullTree, jan);

    const QString text = PdfTools::text(pdf);
    EXPECT_EQ(count(text, "Jan Kowalski"), 2) << "the box and the title";
    for (const char* name : {"Piotr Kowalski", "Zofia Żółkiewska", "Łucja Kowalska", "Stanisław Kowalski",
                             "Maria Wiśniewska", "drzewo przodków i potomków"})
        EXPECT_EQ(count(text, QString::fromUtf8(name)), 1) << name << "\n" << text.toStdString();
    // Jan's photo and his father's; the others have none. Each is rendered at three times the photo area.
    const QStringList images = PdfTools::images(pdf);
    ASSERT_EQ(images.size(), 2) << images.join('\n').toStdString();
    const KV_TreeItem& janBox = gTree.DescendantsRoot;
    const int areaWidth = int(janBox.ScaledWidth());
    const int areaHeight = int(gTreeSetings.ScaledPhotoSize());
    const QStringList columns = images[0].split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(columns.size(), 5);
    const int width = columns[3].toInt();
    const int height = columns[4].toInt();
    EXPECT_NEAR(double(width) / height, 2000.0 / 1500.0, 0.02);
    EXPECT_TRUE(width == 3 * areaWidth || height == 3 * areaHeight) << width << " x " << height;
    PdfTools::page(pdf, 1, 144).save(testOutputFolder() + QStringLiteral("/tree_full.png"));
}

TEST_F(TreeDrawTest, solidFillsAreOffsetByAMillimetreAndSeparatorsSpanNinetyPercent)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    KV_Person* jan = person("Jan", "Kowalski");
    makeUnion(jan, person("Maria", "Wiśniewska", 0));
    KV_FrameStyle& manFrame = gTreeSetings.Frames[1];
    manFrame = {2, 0, 0x00FF00, 0xFFFFFF, 0};
    gTreeSetings.ColorToChild = 0x0000FF;
    gTreeSetings.ShowPicture = false;
    const QString pdf = draw(KV_Tree::DescendantsTree, jan);

    // Four pixels per point.
    const QImage page = PdfTools::page(pdf, 1, 288);
    const KV_TreeItem& box = gTree.DescendantsRoot;
    const auto at = [&](double x, double y) { return page.pixelColor(int(x * 4), int(y * 4)); };
    const double mm = 72 / 25.4;
    const double middle = middleOf(box);
    const QColor green(0, 255, 0);
    EXPECT_TRUE(near(at(box.Left() + mm / 2, middle), Qt::white)) << "left of the moved fill";
    EXPECT_TRUE(near(at(box.Left() + 1.5 * mm, middle), green));
    EXPECT_TRUE(near(at(box.Right() + mm / 2, middle), green)) << "past the box's right edge";
    EXPECT_TRUE(near(at(box.Right() + 1.5 * mm, middle), Qt::white));
    EXPECT_TRUE(near(at(box.CentreX(), box.Top() + mm / 2), Qt::white)) << "above the moved fill";
    EXPECT_TRUE(near(at(box.CentreX(), box.Bottom() + mm / 2), green)) << "below the box's bottom edge";

    // The separator under the name: in the middle of a 0.5 cm band, over 90 % of the box's width.
    const double nameHeight = measuredWithTreeFonts([] { return gPDFManager.LineHeight(gTree.NameFont, 10); });
    const double separatorY = box.Top() + 0.1 / 2.54 * 72 + nameHeight + 0.25 / 2.54 * 72;
    int redRow = -1;
    for (int y = int((separatorY - 2) * 4); y <= int((separatorY + 2) * 4); ++y) {
        if (page.pixelColor(int(box.CentreX() * 4), y).red() > 150 &&
            page.pixelColor(int(box.CentreX() * 4), y).green() < 150)
            redRow = y;
    }
    ASSERT_GE(redRow, 0) << "no separator near " << separatorY;
    const auto red = [&](double x) {
        const QColor c = page.pixelColor(int(x * 4), redRow);
        return c.red() > 150 && c.green() < 150;
    };
    const double width = box.ScaledWidth();
    EXPECT_FALSE(red(box.Left() + 0.03 * width));
    EXPECT_TRUE(red(box.Left() + 0.07 * width));
    EXPECT_TRUE(red(box.Right() - 0.07 * width));
    EXPECT_FALSE(red(box.Right() - 0.03 * width));
}

TEST_F(TreeDrawTest, eachSexHasItsFrameStyleAndAnUnknownSexTakesTheUnspecifiedOne)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    KV_Person* father = person("Jan", "Nowak");
    const QList<KV_Person*> children = {person("Anna", "Nowak", 0), person("Piotr", "Nowak", 1),
                                        person("Alex", "Nowak", 2), person("Kim", "Nowak", 7)};
    for (KV_Person* child : children)
        makeChild(child, father, nullptr);
    const TColor colours[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    for (int sex = 0; sex < 3; ++sex)
        gTreeSetings.Frames[sex] = {KV_FrameStyle::SolidFill, KV_FrameStyle::NoBorder, colours[sex], 0xFFFFFF, 0};
    gTreeSetings.ShowPicture = false;
    const QImage page = PdfTools::page(draw(KV_Tree::DescendantsTree, father), 1);

    const QColor expected[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 0, 255)};
    for (int i = 0; i < 4; ++i) {
        const KV_TreeItem& box = gTree.DescendantsRoot.Children.at(i);
        EXPECT_TRUE(near(page.pixelColor(int(box.CentreX()), int(box.Bottom())), expected[i]))
            << box.Person->Forename.toStdString();
    }
}

TEST_F(TreeDrawTest, aPhotoWithoutAPictureRecordIsAnEmptyGreyFrame)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    KV_Person* jan = person("Jan", "Nowak");
    jan->PictureProfile = QStringLiteral("picture_gone");
    gTreeSetings.Frames[1].fill = KV_FrameStyle::NoFill;
    gTreeSetings.Frames[1].border = KV_FrameStyle::NoBorder;
    const QImage page = PdfTools::page(draw(KV_Tree::AncestorsTree, jan), 1, 288);
    const KV_TreeItem& box = gTree.AncestorsRoot;
    const double mm = 72 / 25.4;
    const double frameTop = box.Top() + 0.1 / 2.54 * 72 + mm;
    const double frameBottom = frameTop + gTreeSetings.ScaledPhotoSize() - 2 * mm;
    const auto grey = [&](double x, double y) {
        for (int d = -2; d <= 2; ++d) {
            const QColor c = page.pixelColor(int(x * 4), int(y * 4) + d);
            if (c.red() < 220 && std::abs(c.red() - c.blue()) < 10)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(grey(box.CentreX(), frameTop));
    EXPECT_TRUE(grey(box.CentreX(), frameBottom));
    EXPECT_FALSE(grey(box.CentreX(), (frameTop + frameBottom) / 2)) << "the frame is empty";
}
