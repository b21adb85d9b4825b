// The markup engine drawing, measuring and hit-testing on an offscreen canvas with a registered font. Expected
// sizes come from the font's own metrics.
#include "Canvas.h"
#include "FoundationTestSupport.h"
#include "HTMLText.h"
#include "ImageList.h"
#include "PictureContainer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QSet>
#include <functional>

namespace {

enum class Mode { Paint, HitTest, Measure };

struct Result
{
    bool hit = false;
    QString anchor;
    QString plain;
    QString focused;
    int width = 0;
    int height = 0;
    int anchors = 0;
    int anchorNumber = -1;
    TRect hoverRect;
};

class MarkupRenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(registeredFamily().isEmpty());
        image.fill(Qt::white);
        canvas.Font.Name = registeredFamily();
        canvas.Font.SetSize(10);
        canvas.Font.Color = clBlack;
        canvas.Brush.Color = clWhite;
        images.Add(QImage(16, 16, QImage::Format_ARGB32));
        QBuffer buffer;
        buffer.setData(pngBytes(20, 30, Qt::green));
        buffer.open(QIODevice::ReadOnly);
        container.GetItems().Add()->Name = "Zielony";
        container.GetItems().GetItem(0)->GetPicture()->LoadFromStream(&buffer);
    }

    Result render(const QString& markup, Mode mode, TRect bounds = Rect(0, 0, 600, 400), TPoint point = {-1, -1},
                  bool wordWrap = true, int focusIndex = -1)
    {
        Result r;
        r.hit = MarkupRender(&canvas, markup, bounds, &images, point.X, point.Y, focusIndex, -1, 1,
                             mode == Mode::HitTest, mode == Mode::Measure, false, false, true, false, wordWrap, 1.0,
                             clBlue, clNone, clNone, clGray, r.anchor, r.plain, r.focused, r.width, r.height, r.anchors,
                             r.anchorNumber, r.hoverRect, &cache, &container, 0);
        return r;
    }

    QFontMetrics metrics(int style = 0) const
    {
        TFont font = canvas.Font;
        font.Style = style;
        return QFontMetrics(font.ToQFont());
    }
    int advance(const QString& text, int style = 0) const { return metrics(style).horizontalAdvance(text); }
    int lineHeight() const { return metrics().height(); }

    QImage image{600, 400, QImage::Format_ARGB32_Premultiplied};
    TCanvas canvas{&image};
    TImageList images{16, 16};
    THTMLPictureCache cache;
    TPictureContainer container;
};

} // namespace

TEST_F(MarkupRenderTest, measuredSizesPlainTextsAndAnchorCounts)
{
    struct Case
    {
        const char* markup;
        std::function<int()> width; // widest line, without the engine's margin of 2
        std::function<int()> height;
        const char* plain;
        int anchors;
    };
    const auto h = [this] { return lineHeight(); };
    const Case cases[] = {
        {"plain", [&] { return advance("plain"); }, h, "plain", 0},
        {"<b>Bold</b> text", [&] { return advance("Bold", fsBold) + advance(" ") + advance("text"); }, h, "Bold text",
         0},
        {"<B>Bold</B>", [&] { return advance("Bold", fsBold); }, h, "Bold", 0},
        {"<b x>Bold</b>", [&] { return advance("Bold"); }, h, "Bold", 0},
        {"<font color=\"#ff0000\">red</font>", [&] { return advance("red"); }, h, "red", 0},
        {"one<br>two<BR>three",
         [&] {
             return std::max({advance("one"), advance("two"), advance("three")});
         },
         [&] { return 3 * lineHeight(); }, "one\rtwo\rthree", 0},
        {"one\r\ntwo\nthree", [&] { return std::max(advance("one"), advance("twothree")); },
         [&] { return 2 * lineHeight(); }, "one\rtwothree", 0},
        {"<a href=\"http://example.org\">link</a> and <A HREF=\"x\">more</A>",
         [&] { return advance("link") + advance(" ") + advance("and ") + advance("more"); }, h, "link and more", 2},
        {"<ul><li>one<li>two</ul>", [&] { return 12 + std::max(advance("one"), advance("two")); },
         [&] { return 3 * lineHeight(); }, "onetwo", 0},
        {"<img src=\"idx:0\">x", [&] { return 16 + advance("x"); }, [&] { return std::max(16, lineHeight()); }, "x", 0},
        {"<img src=\"Zielony\">", [] { return 20; }, [] { return 30; }, "", 0},
        {"<img src=\"zielony\" width=\"40\" height=\"50\">", [] { return 40; }, [] { return 50; }, "", 0},
        {"<img src=\"IDX:7\">", [] { return -2; }, h, "", 0},
        {"a&amp;b", [&] { return advance("a&b"); }, h, "a&b", 0},
        {"&lt;b&gt;x&lt;/b&gt;", [&] { return advance("<b>x</b>"); }, h, "<b>x</b>", 0},
        {"&amp;lt;", [&] { return advance("&lt;"); }, h, "&lt;", 0},
        {"&Plik", [&] { return advance("Plik"); }, h, "&Plik", 0},
        {"A & B", [&] { return advance("A ") + advance("& ") + advance("B"); }, h, "A & B", 0},
        {"x<z>hidden</z>y", [&] { return advance("x") + advance("y"); }, h, "xhiddeny", 0},
        {"", [] { return -2; }, h, "", 0},
    };
    for (const Case& c : cases) {
        const Result r = render(c.markup, Mode::Measure);
        EXPECT_EQ(r.width, c.width() + 2) << c.markup;
        EXPECT_EQ(r.height, c.height()) << c.markup;
        EXPECT_EQ(r.plain, QString(c.plain)) << c.markup;
        EXPECT_EQ(r.anchors, c.anchors) << c.markup;
        EXPECT_FALSE(r.hit) << c.markup;
    }
}

TEST_F(MarkupRenderTest, escapedNamesShowAsWritten)
{
    const QString name = "<Kowalski & Syn> \"Ala\"";
    const Result r = render("<b>" + MarkupEscape(name) + "</b>", Mode::Measure);
    EXPECT_EQ(r.plain, name);
    EXPECT_EQ(r.width, advance("<Kowalski ", fsBold) + advance("& ", fsBold) + advance("Syn> ", fsBold) +
                           advance("\"Ala\"", fsBold) + 2);
}

TEST_F(MarkupRenderTest, wordsWrapAtTheRightEdgeAndOverlongWordsStay)
{
    const int word = advance("word ");
    const TRect narrow = Rect(0, 0, word * 2 + 5, 400);
    Result r = render("word word word word", Mode::Measure, narrow);
    EXPECT_EQ(r.height, 2 * lineHeight());
    EXPECT_EQ(r.plain, "word word word word");

    // A word split by tags stays on the line of its first part, even when it then overflows.
    const TRect tight = Rect(0, 0, advance("word ") + advance("wo") + 2, 400);
    r = render("word wo<b>rd</b>", Mode::Measure, tight);
    EXPECT_EQ(r.height, lineHeight());
    r = render("word wo rd", Mode::Measure, tight);
    EXPECT_EQ(r.height, 2 * lineHeight());

    // A word wider than the line is placed anyway; the next word starts a new line; nothing is lost.
    r = render("Konstantynopolitańczykowianeczka x", Mode::Measure, Rect(0, 0, 40, 400));
    EXPECT_EQ(r.height, 2 * lineHeight());
    EXPECT_EQ(r.width, advance("Konstantynopolitańczykowianeczka ") - advance(" ") + 2);
}

TEST_F(MarkupRenderTest, withoutWordWrapLongRunsEndInAnEllipsis)
{
    const QString text = QString("dlugi tekst ").repeated(20);
    const Result r = render(text, Mode::Measure, Rect(0, 0, 100, 400), {-1, -1}, false);
    EXPECT_EQ(r.height, lineHeight());
    EXPECT_LE(r.width, 100 + 2);
    EXPECT_EQ(r.plain, text);

    render(text, Mode::Paint, Rect(0, 0, 100, 400), {-1, -1}, false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 100; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
}

TEST_F(MarkupRenderTest, paintingStopsAtTheBottomButMeasuringGoesOn)
{
    const QString text = "1<br>2<br>3<br>4";
    const TRect twoLines = Rect(0, 0, 200, 2 * lineHeight() + 1);
    EXPECT_EQ(render(text, Mode::Measure, twoLines).height, 4 * lineHeight());
    EXPECT_EQ(render(text, Mode::Paint, twoLines).height, 2 * lineHeight());
}

TEST_F(MarkupRenderTest, hitTestFindsAnchorTextAndPicturesInAnchors)
{
    const QString markup = "go <a href=\"http://example.org/Path\">here</a> or "
                           "<a href=\"osoba:12\"><img src=\"Zielony\"></a>";
    const int y = lineHeight() / 2 + 30 - lineHeight(); // text sits at the bottom of the 30-pixel line
    const int hereLeft = 1 + advance("go ");
    struct Case
    {
        int x;
        int y;
        bool hit;
        const char* anchor;
        int number;
    };
    const int pictureLeft = 1 + advance("go ") + advance("here") + advance(" ") + advance("or ");
    const Case cases[] = {
        {hereLeft + 2, y, true, "http://example.org/Path", 1},
        {1, y, false, "", -1},
        {pictureLeft + 5, 10, true, "osoba:12", -1},
        {pictureLeft + 25, 10, false, "", -1},
    };
    for (const Case& c : cases) {
        const Result r = render(markup, Mode::HitTest, Rect(0, 0, 600, 400), {c.x, c.y});
        EXPECT_EQ(r.hit, c.hit) << c.x << "," << c.y;
        if (c.hit) {
            EXPECT_EQ(r.anchor, QString(c.anchor)) << c.x << "," << c.y;
        }
        if (c.number > 0) {
            EXPECT_EQ(r.anchorNumber, c.number);
            EXPECT_EQ(r.hoverRect.Left, hereLeft);
            EXPECT_EQ(r.hoverRect.Right, hereLeft + advance("here"));
        }
        EXPECT_EQ(r.anchors, 2);
    }
}

TEST_F(MarkupRenderTest, paintingUsesTheColoursAndRestoresTheCanvas)
{
    const TFont font = canvas.Font;
    const TBrush brush = canvas.Brush;
    render("<font color=\"clRed\">HHHH</font> <a href=\"x\">HHHH</a> <hi>HHHH</hi>", Mode::Paint);
    EXPECT_EQ(canvas.Font, font);
    EXPECT_EQ(canvas.Brush, brush);

    const auto inkIn = [this](int left, int right) {
        QSet<QRgb> colours;
        for (int y = 0; y < lineHeight(); ++y)
            for (int x = left; x < right; ++x)
                colours.insert(image.pixel(x, y) & RGB_MASK);
        return colours;
    };
    const int red = 1 + advance("HHHH");
    const int link = red + advance(" ");
    const int hi = link + advance("HHHH") + advance(" ");
    EXPECT_TRUE(inkIn(1, red).contains(qRgb(255, 0, 0) & RGB_MASK));
    EXPECT_TRUE(inkIn(link, link + advance("HHHH")).contains(qRgb(0, 0, 255) & RGB_MASK));
    // Highlighted text stands on the highlight colour.
    EXPECT_TRUE(inkIn(hi, hi + advance("HHHH")).contains(ToQColor(clHighlight).rgb() & RGB_MASK));
}

TEST_F(MarkupRenderTest, fontSizesOfZeroOrWithoutDigitsKeepTheSizeAndAbsurdOnesAreClamped)
{
    const int base = render("x", Mode::Measure).height;
    EXPECT_EQ(render("<font size=\"0\">x</font>", Mode::Measure).height, base);
    EXPECT_EQ(render("<font size=\"big\">x</font>", Mode::Measure).height, base);
    TFont twelve = canvas.Font;
    twelve.SetSize(12);
    EXPECT_EQ(render("<font size=\"3\">x</font>", Mode::Measure).height, QFontMetrics(twelve.ToQFont()).height());
    EXPECT_EQ(render("<font size=3>x</font>", Mode::Measure).height, QFontMetrics(twelve.ToQFont()).height());
    EXPECT_LT(render("<font size=\"99999999\">x</font>", Mode::Measure).height, 400);
    EXPECT_EQ(render("<img src=\"Zielony\" width=\"999999\" height=\"999999\">", Mode::Measure).width, 4096 + 2);
}

TEST_F(MarkupRenderTest, tagAndAttributeNamesIgnoreCaseButPictureNamesKeepIt)
{
    const QString file = QDir::temp().filePath("Markup Picture.png");
    ASSERT_TRUE(writeFileBytes(file, pngBytes(24, 12, Qt::red)));
    EXPECT_EQ(render("<IMG SRC=\"file://" + file + "\">", Mode::Measure).width, 24 + 2);
    EXPECT_EQ(render("<img Src=\"FILE://" + file + "\">", Mode::Measure).width, 24 + 2);
    EXPECT_EQ(render("<img src=\"file://" + file.toUpper() + "\">", Mode::Measure).width, -2 + 2);
    QFile::remove(file);
}

TEST_F(MarkupRenderTest, listBulletsAreDrawnInTheCurrentFont)
{
    render("<ul><li>a<ul><li>b</ul></ul>", Mode::Paint);
    // The first level's bullet sits at the list's left edge, the second one 12 pixels further in.
    const auto inkBetween = [this](int left, int right, int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    return true;
        return false;
    };
    const int h = lineHeight();
    EXPECT_TRUE(inkBetween(1, 13, h, 2 * h));
    EXPECT_TRUE(inkBetween(13, 25, 2 * h, 3 * h));
    EXPECT_FALSE(inkBetween(1, 13, 2 * h, 3 * h));
}

TEST_F(MarkupRenderTest, onlyALiteralAmpersandInTheSourceUnderlinesTheNextLetter)
{
    // The reference: the text routine itself, once with and once without accelerator processing.
    const auto reference = [this](const QString& text, unsigned prefixFlag) {
        image.fill(Qt::white);
        TRect r = Rect(1, 0, 600, lineHeight());
        canvas.Brush.Style = bsClear;
        canvas.DrawText(text, r, DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | prefixFlag);
        canvas.Brush.Style = bsSolid;
        return image.copy();
    };
    const auto painted = [this](const QString& markup) {
        image.fill(Qt::white);
        render(markup, Mode::Paint);
        return image.copy();
    };
    EXPECT_EQ(painted("&amp;Plik"), reference("&Plik", DT_NOPREFIX));
    EXPECT_EQ(painted("&Plik"), reference("&Plik", 0));
    EXPECT_NE(painted("&Plik"), painted("&amp;Plik"));
    EXPECT_EQ(painted("Ala &amp; kot"), painted("Ala & kot"));
}

TEST_F(MarkupRenderTest, layoutRulesSeenThroughTheAnchorRectangle)
{
    struct Case
    {
        const char* markup;
        int wrapWidth;                     // 0: the whole width
        std::function<TRect()> anchorRect; // where the anchor "a" lies
    };
    const int h = lineHeight();
    const Case cases[] = {
        // A picture wider than the rest of the line starts the next one; one wider than the line stays.
        {"<a href=\"a\">xxxx</a><img src=\"Zielony\" width=\"30\" height=\"20\">", 50,
         [&] { return Rect(1, 0, 1 + advance("xxxx"), h); }},
        {"xxxx<img src=\"Zielony\" width=\"30\" height=\"20\"><a href=\"a\">y</a>", 50,
         [&] { return Rect(1 + 30, h, 1 + 30 + advance("y"), h + 20); }},
        {"<a href=\"a\">x</a><img src=\"Zielony\" width=\"60\" height=\"20\">", 50,
         [&] { return Rect(1, 0, 1 + advance("x"), 20); }},
        // A centred paragraph keeps its alignment on the following lines.
        {"<p align=\"center\">x<br><a href=\"a\">middle</a>", 0,
         [&] {
             const int left = 1 + (599 - advance("middle")) / 2;
             return Rect(left, h, left + advance("middle"), 2 * h);
         }},
        {"<p align=\"right\"><a href=\"a\">end</a> ", 0, [&] { return Rect(600 - advance("end"), 0, 600, h); }},
        // An anchor's text is measured from the list indent.
        {"<ul><li><a href=\"a\">item</a></ul>", 0, [&] { return Rect(13, h, 13 + advance("item"), 2 * h); }},
    };
    for (const Case& c : cases) {
        const TRect bounds = Rect(0, 0, c.wrapWidth ? c.wrapWidth : 600, 400);
        const TRect expected = c.anchorRect();
        const TPoint inside{(expected.Left + expected.Right) / 2, expected.Bottom - 2};
        const Result r = render(c.markup, Mode::HitTest, bounds, inside);
        EXPECT_TRUE(r.hit) << c.markup;
        EXPECT_EQ(r.anchor, "a") << c.markup;
        EXPECT_EQ(r.hoverRect, expected) << c.markup;
    }
}

TEST_F(MarkupRenderTest, focusedAnchorIsReportedAndFramed)
{
    const QString markup = "<a href=\"first\">one</a> <a href=\"second\">two</a>";
    Result r = render(markup, Mode::Paint, Rect(0, 0, 600, 400), {-1, -1}, true, 1);
    EXPECT_EQ(r.focused, "second");
    EXPECT_EQ(r.anchors, 2);
    // The focus frame is dotted around the anchor, one pixel wider on both sides.
    const int left = 1 + advance("one") + advance(" ") - 1;
    bool framed = false;
    for (int y = 0; y < lineHeight() + 1; ++y)
        framed = framed || image.pixelColor(left, y) != QColor(Qt::white);
    EXPECT_TRUE(framed);
    EXPECT_TRUE(render(markup, Mode::Paint).focused.isEmpty());
}

TEST_F(MarkupRenderTest, everyTagPaintsAndTheCanvasComesBackAsItWas)
{
    const QString sample =
        "<body bgcolor=\"clInfoBk\"><p align=\"left\"><b>Bold</b> <i>italic</i> <u>under</u> <s>strike</s> "
        "<font face=\"" +
        registeredFamily() +
        "\" size=\"4\" color=\"#800000\" bgcolor=\"#ffff00\">font</font> "
        "H<sub>2</sub>O x<sup>2</sup> <shad>shadow</shad> <e>mispelt wurds</e> <hi>highlight</hi><br>"
        "<a href=\"http://example.org\">link</a> <img src=\"idx:0\"> <img src=\"Zielony\" align=\"middle\"> "
        "<ind x=\"300\">at 300<hr>"
        "<ul><li>one<ul><li>two</ul><li>three</ul>"
        "<p align=\"center\" bgcolor=\"#e0e0ff\">centred paragraph</p>"
        "<ofs x=\"40\">offset by 40<br>still offset</ofs><br>"
        "<p align=\"right\" bgcolor=\"#ffffff\" bgcolorto=\"#0000ff\">right, gradient</p>"
        "<z>hidden</z><blink>blinking</blink> &lt;tag&gt; &amp; &sect; &euro; &copy;";
    const TFont font = canvas.Font;
    const TBrush brush = canvas.Brush;
    const Result r = render(sample, Mode::Paint);
    EXPECT_EQ(canvas.Font, font);
    EXPECT_EQ(canvas.Brush, brush);
    EXPECT_EQ(r.anchors, 1);
    EXPECT_TRUE(r.plain.contains("<tag> & \u00A7 \u20AC \u00A9"));
    EXPECT_TRUE(image.save(testOutputFolder() + QStringLiteral("/MarkupRenderTest-every-tag.png")));
}

TEST_F(MarkupRenderTest, turnedTextIsDrawnTurnedWhereItIsMeasuredAndHit)
{
    const QString text = QStringLiteral("Obrócony");
    const QString markup = QStringLiteral("<a href=\"x\"><R a=\"90\">%1</R></a>").arg(text);
    const Result measured = render(markup, Mode::Measure);
    render(markup, Mode::Paint);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
    EXPECT_TRUE(image.save(testOutputFolder() + QStringLiteral("/MarkupRenderTest-turned.png")));
    ASSERT_FALSE(ink.isEmpty());

    // Turned a quarter: as tall as the upright text is long, as wide as its line is high.
    EXPECT_GT(ink.height(), 2 * ink.width()) << ink.width() << "x" << ink.height();
    EXPECT_EQ(measured.height, advance(text));
    EXPECT_EQ(measured.width, lineHeight() + 2);
    // The ink lies inside the measured box and fills most of its height.
    EXPECT_LE(ink.right(), measured.width);
    EXPECT_LE(ink.bottom(), measured.height);
    EXPECT_GT(ink.height(), measured.height * 8 / 10);
    // The turned text is a link wherever its ink is.
    const Result hit = render(markup, Mode::HitTest, Rect(0, 0, 600, 400), {ink.center().x(), ink.center().y()});
    EXPECT_EQ(hit.anchor, "x");
    const Result beside = render(markup, Mode::HitTest, Rect(0, 0, 600, 400), {measured.width + 10, ink.center().y()});
    EXPECT_EQ(beside.anchor, "");
}
