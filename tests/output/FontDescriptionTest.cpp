#include "FontDescription.h"
#include "Pdfmanager.h"
#include "Vh_langmanager.h"

#include <gtest/gtest.h>

namespace {

void loadMessages()
{
    if (gLangM.Get("LABEL_BOLD") == "LABEL_BOLD")
        gLangM.Load(KX_LangManager::MessageTable());
}

} // namespace

TEST(FontDescriptionTest, descriptionsAreReadItemByItem)
{
    loadMessages();
    struct Case
    {
        const char* description;
        int items;
        const char* face;
        bool sizeGiven;
        int size;
        bool bold;
        bool italic;
        bool underline;
    };
    const Case cases[] = {
        {"", 0, "", false, 0, false, false, false},
        {"Tahoma", 1, "Tahoma", false, 0, false, false, false},
        {"  Segoe Print  ", 1, "Segoe Print", false, 0, false, false, false},
        // A single item is a face, even when it reads like a style.
        {"pogrubienie", 1, "pogrubienie", false, 0, false, false, false},
        {"Tahoma, 10pt, pogrubienie", 3, "Tahoma", true, 10, true, false, false},
        {"Tahoma, 9.5pt", 2, "Tahoma", true, 9, false, false, false},
        {"Tahoma, pt", 2, "Tahoma", true, 0, false, false, false},
        {"Tahoma, -3pt", 2, "Tahoma", true, -3, false, false, false},
        {"Tahoma, 12", 2, "Tahoma", false, 0, false, false, false},
        {"Tahoma, pogrubienie", 2, "Tahoma", false, 0, true, false, false},
        {"Tahoma, 10pt, Bold", 3, "Tahoma", true, 10, false, false, false},
        {"Verdana, 11pt, pochylenie, pogrubienie", 4, "Verdana", true, 11, true, true, false},
        {"Arial, 8pt, bold, italic", 4, "Arial", true, 8, true, true, false},
        {"Tahoma, 10pt, podkreślenie", 3, "Tahoma", true, 10, false, false, true},
        // The style words are looked for in the whole text, the face included.
        {"boldface, 10pt", 2, "boldface", true, 10, true, false, false},
        {"\"Times, New\", 14pt", 2, "Times, New", true, 14, false, false, false},
        {"Tahoma, 99999999999pt", 2, "Tahoma", true, 2147483647, false, false, false},
    };
    for (const Case& c : cases) {
        const FontDescription font = readFontDescription(QString::fromUtf8(c.description));
        SCOPED_TRACE(c.description);
        EXPECT_EQ(font.ItemCount, c.items);
        EXPECT_EQ(font.Face, QString::fromUtf8(c.face));
        EXPECT_EQ(font.SizeGiven, c.sizeGiven);
        EXPECT_EQ(font.Size, c.size);
        EXPECT_EQ(font.Bold, c.bold);
        EXPECT_EQ(font.Italic, c.italic);
        EXPECT_EQ(font.Underline, c.underline);
    }
}

TEST(FontDescriptionTest, writtenDescriptionsKeepTheTypedTextsAndReadBack)
{
    loadMessages();
    EXPECT_EQ(writeFontDescription("Tahoma", "10", false, false, false), "Tahoma, 10pt");
    EXPECT_EQ(writeFontDescription("Tahoma", "10", true, true, true),
              QString::fromUtf8("Tahoma, 10pt, pogrubienie, pochylenie, podkreślenie"));
    EXPECT_EQ(writeFontDescription("Segoe Print", "abc", false, true, false), "Segoe Print, abcpt, pochylenie");

    const FontDescription font = readFontDescription(writeFontDescription("Tahoma", "36", true, false, true));
    EXPECT_EQ(font.Face, "Tahoma");
    EXPECT_EQ(font.Size, 36);
    EXPECT_TRUE(font.Bold);
    EXPECT_FALSE(font.Italic);
    EXPECT_TRUE(font.Underline);
}

TEST(FontDescriptionTest, thePdfLayerFallsBackToTahomaAtTenPoints)
{
    struct Case
    {
        const char* description;
        const char* face;
        double size;
        bool bold;
        bool italic;
    };
    const Case cases[] = {
        {"", "Tahoma", 10, false, false},
        {"Verdana", "Verdana", 10, false, false},
        {"Verdana, pogrubienie", "Verdana", 10, true, false},
        {"Verdana, 12pt", "Verdana", 12, false, false},
        {"Verdana, pt", "Verdana", 0, false, false},
        {"Segoe Print, 36pt, pogrubienie, pochylenie", "Segoe Print", 36, true, true},
    };
    PDFManager pdf;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        // Every reading starts again from the defaults.
        pdf.ParseFontDescription("Arial, 20pt, bold, italic");
        EXPECT_TRUE(pdf.ParseFontDescription(c.description));
        EXPECT_EQ(pdf.FontFace, c.face);
        EXPECT_EQ(pdf.FontSize, c.size);
        EXPECT_EQ(pdf.FontBold, c.bold);
        EXPECT_EQ(pdf.FontItalic, c.italic);
    }
}
