#include "AdvListV.h"
#include "ListViewFixture.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

struct Formatted
{
    QString text;
    bool bold;
    bool italic;
    QColor color;
    friend bool operator==(const Formatted&, const Formatted&) = default;
};

void PrintTo(const Formatted& f, std::ostream* os)
{
    *os << '"' << f.text.toStdString() << '"' << (f.bold ? " bold" : "") << (f.italic ? " italic" : "") << " "
        << f.color.name().toStdString();
}

QVector<Formatted> formatted(const QTextDocument& document)
{
    QVector<Formatted> result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            result.append({it.fragment().text(), f.fontWeight() >= QFont::Bold, f.fontItalic(),
                           f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor()});
        }
    return result;
}

} // namespace

class AdvListVRichTest : public ListViewFixture
{};

TEST_F(AdvListVRichTest, cellsKeepEveryCharacterAndFormat)
{
    addColumns({200, 200});
    addRow({u("a")});
    TAdvRichEdit* edit = list.GetRichEdit();
    ASSERT_EQ(edit, list.GetRichEdit()) << "made once";
    edit->Clear();
    QTextCursor cursor(&edit->Document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italicGreen;
    italicGreen.setFontItalic(true);
    italicGreen.setForeground(QColor(0, 128, 0));
    cursor.insertText(u("Józef "), bold);
    cursor.insertText(u("Żółkiewski – 😀"), italicGreen);
    const QVector<Formatted> written = formatted(edit->Document());

    list.RichToItem(0, 0, *edit);
    const QString cell = list.GetTextAtColRow(1, 0);
    EXPECT_EQ(CellKindOf(cell), TCellKind::RichText);
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("a")) << "the caption stays";

    TAdvRichEdit other;
    list.ItemToRich(0, 0, other);
    EXPECT_EQ(formatted(other.Document()), written);
    EXPECT_EQ(other.GetText(), u("Józef Żółkiewski – 😀"));

    list.ItemToRich(0, -1, other);
    EXPECT_EQ(other.GetText(), u("a")) << "a plain caption reads as its text";
    list.SetTextAtColRow(1, 0, QString());
    list.ItemToRich(0, 0, other);
    EXPECT_EQ(other.GetText(), QString()) << "an empty cell empties the edit";
    list.RichToItem(5, 0, *edit);
    EXPECT_EQ(list.Items().Count(), 1);
}

TEST_F(AdvListVRichTest, richCellsPaintInTheirColoursOrTheSelections)
{
    addColumns({200, 200});
    list.SetItemHeight(30);
    const QString red = u("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\fs40 MMMM}");
    addRow({red, red});
    const QImage image = rows();
    EXPECT_FALSE(colourBounds(image, clRed, QRect(0, 0, 200, 30)).isEmpty());
    EXPECT_GE(colourBounds(image, clRed, QRect(0, 0, 200, 30)).left(), 2) << "drawn 2 pixels inside the cell";

    // The selected cell shows the selection's text colour, the other cell of the row its own.
    list.Items()[0]->SetSelected(true);
    const QImage selected = rows();
    EXPECT_TRUE(colourBounds(selected, clRed, QRect(0, 0, 200, 30)).isEmpty());
    EXPECT_FALSE(colourBounds(selected, ColorToRGB(clHighlightText), QRect(0, 0, 200, 30)).isEmpty());
    EXPECT_FALSE(colourBounds(selected, clRed, QRect(200, 0, 190, 30)).isEmpty());
    list.SetSelectionRTFKeep(true);
    EXPECT_FALSE(colourBounds(rows(), clRed, QRect(0, 0, 200, 30)).isEmpty());
}

TEST_F(AdvListVRichTest, autoSizeMeasuresTheRichTextsPlainText)
{
    addColumns({50});
    addRow({u("{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\b Zażółć gęślą}")});
    list.AutoSizeColumn(0);
    TCanvas canvas;
    canvas.Font = list.GetFont();
    EXPECT_EQ(list.Columns()[0]->GetWidth(), canvas.TextWidth(u("Zażółć gęślą")) + 10);
}
