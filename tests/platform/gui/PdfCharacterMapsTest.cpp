#include "PdfCharacterMaps.h"

#include <gtest/gtest.h>

namespace {

// One map as the PDF writer lays it out, with its sections given by the test.
QByteArray characterMap(const QByteArray& sections)
{
    return "1 0 obj\n<< /Length 0 >>\nstream\n/CIDInit /ProcSet findresource begin\nbegincmap\n1 "
           "begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n" +
           sections + "endcmap\nendstream\nendobj\n";
}

} // namespace

TEST(PdfCharacterMapsTest, theSpaceGlyphReadsAsSpaceAndGlyphNumbersStay)
{
    struct Case
    {
        const char* what;
        QByteArray sections;
        QByteArray mended;
    };
    const Case cases[] = {
        {"a code point in a range's array",
         "2 beginbfrange\n<0000> <0000> <0000>\n<0001> <0003> [<004B> <0009> <0072>]\nendbfrange\n",
         "2 beginbfrange\n<0000> <0000> <0000>\n<0001> <0003> [<004B> <0020> <0072>]\nendbfrange\n"},
        {"a range of one glyph", "1 beginbfrange\n<0009> <0009> <0009>\nendbfrange\n",
         "1 beginbfrange\n<0009> <0009> <0020>\nendbfrange\n"},
        {"a single glyph, numbered 9 itself", "2 beginbfchar\n<0009> <0009>\n<0004> <0041>\nendbfchar\n",
         "2 beginbfchar\n<0009> <0020>\n<0004> <0041>\nendbfchar\n"},
        {"glyph 9 mapped to a letter", "1 beginbfchar\n<0009> <0041>\nendbfchar\n",
         "1 beginbfchar\n<0009> <0041>\nendbfchar\n"},
        {"a range of several glyphs mapped on from the tab", "1 beginbfrange\n<0005> <0006> <0009>\nendbfrange\n",
         "1 beginbfrange\n<0005> <0006> <0009>\nendbfrange\n"},
    };
    for (const Case& c : cases) {
        QByteArray pdf = "%PDF-1.4\n" + characterMap(c.sections) + "<0009> outside any map\n";
        const QByteArray expected = "%PDF-1.4\n" + characterMap(c.mended) + "<0009> outside any map\n";
        mendSpaceInCharacterMaps(pdf);
        EXPECT_EQ(pdf, expected) << c.what;
    }
}

TEST(PdfCharacterMapsTest, everyMapOfTheDocumentIsMended)
{
    const QByteArray map = characterMap("1 beginbfrange\n<0001> <0002> [<0009> <0061>]\nendbfrange\n");
    QByteArray pdf = map + map + map;
    const qsizetype size = pdf.size();
    mendSpaceInCharacterMaps(pdf);
    EXPECT_EQ(pdf.size(), size) << "no offset of the file may move";
    EXPECT_EQ(pdf.count("[<0020> <0061>]"), 3);
    EXPECT_FALSE(pdf.contains("<0009>"));
}
