#include "treelist.h"
#include "Forms.h"
#include "ImageList.h"
#include "TestSupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TreeListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(420, 260);
        tree = new TTreeList(&window);
        tree->setGeometry(10, 40, 400, 200);
        tree->setFrameShape(QFrame::NoFrame);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void columns(std::initializer_list<int> widths)
    {
        tree->GetColumns().Clear();
        int i = 0;
        for (const int width : widths) {
            TColumnItem* column = tree->GetColumns().Add();
            column->SetWidth(width);
            column->SetHeader(QStringLiteral("Kolumna %1").arg(i++));
        }
    }
    // Where each part of the node's text is drawn in a row 400 pixels wide.
    std::vector<TTreeList::PartPlace> parts(const TTreeNode* node)
    {
        return tree->LayoutParts(node, QRect(0, 0, 400, 16), 16);
    }

    QWidget window;
    TTreeList* tree = nullptr;
};

TEST_F(TreeListTest, partsOfTheTextStandInTheirColumns)
{
    columns({100, 50, 80});
    TTreeNode* node = tree->AddChild(nullptr, "Oak;7;Paris");
    const int indent = tree->GetIndent();
    auto placed = parts(node);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].text, "Oak");
    EXPECT_EQ(placed[0].rect.Left, indent);
    EXPECT_EQ(placed[0].rect.Right, 100 - 4);
    EXPECT_EQ(placed[1].text, "7");
    EXPECT_EQ(placed[1].rect.Left, 100);
    EXPECT_EQ(placed[1].rect.Right, 150 - 4);
    EXPECT_EQ(placed[2].text, "Paris");
    EXPECT_EQ(placed[2].rect.Left, 150);
    EXPECT_EQ(placed[2].rect.Right, 230 - 4);

    // After the image of the first column, and with two columns the last part takes the rest of the row.
    TImageList images(16, 16);
    images.Add(QImage(16, 16, QImage::Format_RGB32));
    tree->SetImages(&images);
    tree->GetColumns().GetItem(0)->SetImage(true);
    node->ImageIndex = 0;
    columns({100, 50});
    tree->GetColumns().GetItem(0)->SetImage(true);
    placed = parts(node);
    EXPECT_EQ(placed[0].rect.Left, indent + 16 + 2);
    EXPECT_EQ(placed[2].rect.Left, 150);
    EXPECT_EQ(placed[2].rect.Right, 400 - 4);

    // Without separator the whole text stands in the first column; an empty separator splits nothing.
    node->SetText("Oak 7 Paris");
    EXPECT_EQ(parts(node).size(), 1u);
    tree->SetSeparator("");
    node->SetText("Oak;7");
    ASSERT_EQ(parts(node).size(), 1u);
    EXPECT_EQ(parts(node)[0].text, "Oak;7");
    tree->SetImages(nullptr);
}

TEST_F(TreeListTest, theSecondPartIsPaintedFromTheColumnsEdge)
{
    columns({100, 50, 80});
    tree->SetColumnLines(false);
    tree->AddChild(nullptr, "Oak;7;Paris");
    QApplication::processEvents();
    const QImage shot = tree->viewport()->grab().toImage();
    const auto firstInk = [&shot](int from, int to) {
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < 16; ++y) {
                if (shot.pixelColor(x, y).lightness() < 128)
                    return x;
            }
        }
        return -1;
    };
    EXPECT_GE(firstInk(95, 150), 100);
    EXPECT_LT(firstInk(95, 150), 106);
    EXPECT_GE(firstInk(146, 230), 150);
    EXPECT_LT(firstInk(146, 230), 156);
}

TEST_F(TreeListTest, nodeColumns)
{
    tree->GetColumns().Clear();
    TTreeNode* node = tree->AddChild(nullptr, "a;b;c");
    EXPECT_EQ(tree->GetNodeColumn(node, 0), "a");
    EXPECT_EQ(tree->GetNodeColumn(node, 1), "b");
    EXPECT_EQ(tree->GetNodeColumn(node, 2), "c");
    EXPECT_EQ(tree->GetNodeColumn(node, 3), "");
    EXPECT_EQ(tree->GetNodeColumn(nullptr, 0), "");
    tree->SetSeparator("||");
    node->SetText("a||b");
    EXPECT_EQ(tree->GetNodeColumn(node, 1), "b");
    tree->SetSeparator(";");

    struct Case
    {
        int columns;
        const char* text;
        int column;
        const char* value;
        const char* result;
    };
    const Case cases[] = {
        {2, "a", 1, "X", "a;X;"},   {3, "a;b;c", 2, "Z", "a;b;Z;"}, {2, "a;b;c", 2, "Z", "a;b;Z"},
        {2, "a;b", 0, "Y", "Y;b;"}, {0, "a", 3, "Q", "a"},
    };
    for (const Case& c : cases) {
        tree->GetColumns().Clear();
        for (int i = 0; i < c.columns; ++i)
            tree->GetColumns().Add();
        node->SetText(c.text);
        tree->SetNodeColumn(node, c.column, c.value);
        EXPECT_EQ(node->GetText(), c.result) << c.text << " column " << c.column;
    }
}

TEST_F(TreeListTest, headerSectionsClicksAndSizing)
{
    columns({100, 50, 80});
    TTLHeader* header = tree->GetHeader();
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(header->SectionCount(), 3);
    EXPECT_EQ(header->GetSectionWidth(0), 99) << "the first section lines up with a tree without border";
    EXPECT_EQ(header->GetSectionWidth(1), 50);

    QVector<int> clicked;
    tree->OnHeaderClick = [&](QObject* sender, int section) {
        EXPECT_EQ(sender, tree);
        clicked << section;
    };
    QVector<int> rightClicked;
    tree->OnHeaderRightClick = [&](QObject*, int section) { rightClicked << section; };
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(0, 5));
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(120, 5));
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(390, 5));
    QTest::mouseClick(header, Qt::RightButton, {}, QPoint(60, 5));
    EXPECT_EQ(clicked, (QVector<int>{-1, 1, 2}));
    EXPECT_EQ(rightClicked, QVector<int>{0});

    // Sizing only near a border other than the last one, and only when allowed.
    EXPECT_EQ(header->SizingBorderAt(99), -1);
    tree->GetHeaderSettings().SetAllowResize(true);
    EXPECT_EQ(header->SizingBorderAt(101), 0);
    EXPECT_EQ(header->SizingBorderAt(148), 1);
    EXPECT_EQ(header->SizingBorderAt(140), -1);
    EXPECT_EQ(header->SizingBorderAt(229), -1) << "the last border";

    QVector<int> sized;
    tree->OnHeaderSizeChanged = [&](QObject*, int section) { sized << section; };
    TImageList images(16, 16);
    tree->SetImages(&images);
    tree->SectionSize(header, 0, 5);
    const int minimum = tree->GetIndent() + 16;
    EXPECT_EQ(header->GetSectionWidth(0), minimum);
    EXPECT_EQ(tree->GetColWidth(0), minimum);
    tree->SectionSize(header, 1, 70);
    EXPECT_EQ(tree->GetColWidth(1), 70);
    EXPECT_EQ(sized, (QVector<int>{0, 1}));
    tree->SetImages(nullptr);

    // A drag of the first border widens the first column.
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(header->SectionRect(1).left(), 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(header->SectionRect(1).left() + 30, 5), QPointF(), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header, &move);
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(header->SectionRect(1).left(), 5));
    EXPECT_EQ(tree->GetColWidth(0), minimum + 30);
}

TEST_F(TreeListTest, placesLinesHeightAndVersion)
{
    columns({100, 50, 80});
    tree->AddChild(nullptr, "Oak;7;Paris");
    QApplication::processEvents();
    const auto silverAt = [this](int x) {
        return tree->viewport()->grab().toImage().pixelColor(x, 100) == QColor(0xC0, 0xC0, 0xC0);
    };
    EXPECT_TRUE(silverAt(98));
    EXPECT_TRUE(silverAt(148));
    EXPECT_EQ(tree->GetColumnSpacing(), 4);
    tree->SetColumnLines(false);
    QApplication::processEvents();
    EXPECT_FALSE(silverAt(98));
    EXPECT_EQ(tree->GetColumnSpacing(), 2);

    TTLHeader* header = tree->GetHeader();
    SetAlign(tree, alTop);
    const auto rows = [this] { return QRect(tree->viewport()->mapTo(&window, QPoint()), tree->viewport()->size()); };
    EXPECT_EQ(rows().top(), tree->y() + 16) << "the rows start 2 pixels above the header's bottom";
    EXPECT_EQ(rows().height(), tree->height() - 16);
    EXPECT_EQ(header->geometry(), QRect(tree->x(), tree->y(), tree->width(), 18));
    EXPECT_EQ(tree->GetClientRect().Bottom, tree->viewport()->height() + 18);
    tree->GetHeaderSettings().SetVisible(false);
    EXPECT_TRUE(header->isHidden());
    EXPECT_EQ(rows().top(), tree->y());
    SetAlign(tree, alNone);
    tree->GetHeaderSettings().SetVisible(true);
    tree->SetBounds(10, 40, 300, 200);
    EXPECT_EQ(header->geometry(), QRect(10, 24, 300, 18)) << "above the tree, 2 pixels over it";
    tree->hide();
    EXPECT_TRUE(header->isHidden());
    tree->show();
    EXPECT_FALSE(header->isHidden());

    tree->SetItemHeight(20);
    EXPECT_EQ(tree->visualItemRect(tree->topLevelItem(0)).height(), 20);
    EXPECT_EQ(tree->GetVersion(), "1.0.1.0");
}

TEST_F(TreeListTest, captionsFollowTheColumnsSideways)
{
    columns({300, 300, 300});
    TTreeNode* node = tree->AddChild(nullptr, "Dąb;Kraków;Wisła");
    tree->AddChild(node, "Buk;Gdańsk;Motława");
    tree->AddChild(nullptr, "Lipa;Poznań;Warta");
    tree->expandAll();
    tree->setCurrentItem(node);
    QApplication::processEvents();
    QScrollBar* bar = tree->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 200);
    bar->setValue(200);
    QApplication::processEvents();
    // Within the pixel the first section gives up to line up with a tree without border.
    EXPECT_NEAR(tree->GetHeader()->SectionRect(1).left(), 300 - 200, 1);
    EXPECT_NEAR(tree->GetHeader()->SectionRect(2).left(), 600 - 200, 1);
    const auto placed = tree->LayoutParts(node, QRect(-200, 0, 600, 16), 16);
    EXPECT_NEAR(placed[1].rect.Left, tree->GetHeader()->SectionRect(1).left(), 1);
    bar->setValue(0);

    columns({120, 110, 140});
    tree->GetHeaderSettings().SetAllowResize(true);
    QApplication::processEvents();
    window.grab().save(testOutputFolder() + "/tree-list.png");
}

} // namespace
