#include "AdvListV.h"
#include "IniFile.h"
#include "ListViewFixture.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QToolButton>

namespace {

// A glyph of one colour; its bottom-left pixel is the transparent one.
TBitmap glyph(QColor color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    image.setPixelColor(0, 15, Qt::white);
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

QImage part(const QImage& image, const QRect& area)
{
    return image.copy(area).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class AdvListVHeaderTest : public ListViewFixture
{
protected:
    QImage headerPicture()
    {
        QCoreApplication::processEvents();
        return list.header()->grab().toImage();
    }

    // An owner-drawn item as it should look: the face, the separator and the caption drawn with the flags.
    QImage referenceItem(int width, int height, const QString& caption, unsigned flags)
    {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(ToQColor(clBtnFace));
        {
            TCanvas canvas(&image);
            canvas.Pen.Color = clGray;
            canvas.MoveTo(width - 1, 0);
            canvas.LineTo(width - 1, height);
            canvas.Font = list.GetHeaderFont();
            canvas.Brush.Style = bsClear;
            TRect r = Rect(2, 1, width - 2, height - 1);
            canvas.DrawText(caption, r, flags);
        }
        return image.convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(AdvListVHeaderTest, ownerDrawnItemsPaintTheirColourAndSeparator)
{
    list.SetHeaderOwnerDraw(true);
    list.SetHeaderHeight(20);
    addColumns({100, 100});
    EXPECT_EQ(list.header()->height(), 20);
    QImage image = headerPicture();
    EXPECT_EQ(pixelAt(image, 50, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixelAt(image, 99, 10), clGray);
    EXPECT_EQ(pixelAt(image, 199, 3), clGray);
    EXPECT_NE(pixelAt(image, 300, 10), clYellow);

    list.SetHeaderColor(clYellow);
    image = headerPicture();
    EXPECT_EQ(pixelAt(image, 50, 10), clYellow);
    EXPECT_EQ(pixelAt(image, 99, 10), clGray);
    EXPECT_EQ(pixelAt(image, 300, 10), clYellow) << "right of the last column";

    list.SetHeaderOwnerDraw(false);
    EXPECT_NE(pixelAt(headerPicture(), 50, 10), clYellow) << "Qt's look again";
}

TEST_F(AdvListVHeaderTest, ownerDrawnCaptionsBreakAtCrAndEndInAnEllipsis)
{
    list.SetHeaderOwnerDraw(true);
    list.SetHeaderHeight(40);
    addColumns({100, 60});
    const QString lines = u("Imię\rNazwisko");
    const QString longCaption = u("Bardzo długi nagłówek kolumny");
    list.Columns()[0]->SetCaption(lines);
    list.Columns()[1]->SetCaption(longCaption);
    const QImage image = headerPicture();
    EXPECT_EQ(part(image, QRect(0, 0, 100, 40)), referenceItem(100, 40, lines, DT_LEFT));
    EXPECT_EQ(part(image, QRect(100, 0, 60, 40)),
              referenceItem(60, 40, longCaption, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS));
    EXPECT_GT(inkBounds(image, clBtnFace, QRect(2, 1, 96, 38)).height(),
              inkBounds(image, clBtnFace, QRect(102, 1, 56, 38)).height() * 3 / 2)
        << "two lines";
}

TEST_F(AdvListVHeaderTest, sortGlyphsDifferBetweenQtsLookAndTheOwnerDrawnHeader)
{
    addColumns({100, 100});
    addRow({u("b")});
    addRow({u("a")});
    const TBitmap up = glyph(Qt::red);
    const TBitmap down = glyph(Qt::blue);
    list.SetSortUpGlyph(&up);
    list.SetSortDownGlyph(&down);
    list.SetSortShow(true);
    list.SetSortColumn(0);
    const auto shows = [&](TColor colour) {
        const QImage picture = headerPicture();
        return !colourBounds(picture, colour, QRect(0, 0, 100, picture.height())).isEmpty();
    };
    EXPECT_TRUE(shows(clRed)) << "ascending, Qt's look: the up glyph";
    EXPECT_FALSE(shows(clBlue));
    EXPECT_FALSE(colourBounds(headerPicture(), clRed, QRect(100, 0, 100, list.header()->height())).isValid());

    list.SetHeaderOwnerDraw(true);
    EXPECT_TRUE(shows(clBlue)) << "ascending, owner-drawn: the down glyph";
    EXPECT_FALSE(shows(clRed));

    list.SetSortDirection(sdDescending);
    list.SetSortColumn(0);
    EXPECT_TRUE(shows(clRed));
    list.SetHeaderOwnerDraw(false);
    EXPECT_TRUE(shows(clBlue));
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("b"));
}

TEST_F(AdvListVHeaderTest, lastColumnStretchesIntoTheRoomLeft)
{
    const int frame = list.width() - list.viewport()->width();
    list.resize(180 + frame, list.height());
    addColumns({100, 100, 100});
    list.SetStretchColumn(true);
    EXPECT_TRUE(list.GetColumnSize().GetStretch());
    QCoreApplication::processEvents();
    ASSERT_EQ(list.viewport()->width(), 180);
    EXPECT_EQ(list.Columns()[2]->GetWidth(), 100) << "no room left";

    list.resize(400 + frame, list.height());
    QCoreApplication::processEvents();
    ASSERT_EQ(list.viewport()->width(), 400);
    EXPECT_EQ(list.Columns()[2]->GetWidth(), 199);
    list.Columns()[0]->SetWidth(150);
    EXPECT_EQ(list.Columns()[2]->GetWidth(), 149);
}

TEST_F(AdvListVHeaderTest, autoSizeCountsCheckBoxImageAndWidestCaption)
{
    addColumns({40, 40});
    list.SetCheckboxes(true);
    TImageList images(20, 20);
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    images.Add(picture);
    list.SetSmallImages(&images);
    addRow({u("a"), u("x")})->SetImageIndex(0);
    addRow({u("Bardzo długi podpis"), u("<b>pogrubiony i długi</b>")})->SetImageIndex(0);
    list.AutoSizeColumn(0);
    TCanvas canvas;
    canvas.Font = list.GetFont();
    EXPECT_EQ(list.Columns()[0]->GetWidth(), 10 + 16 + 20 + canvas.TextWidth(u("Bardzo długi podpis")));
    list.AutoSizeColumn(1);
    EXPECT_GT(list.Columns()[1]->GetWidth(), 10 + canvas.TextWidth(u("pogrubiony i długi"))) << "measured bold";
    EXPECT_LT(list.Columns()[1]->GetWidth(), 10 + canvas.TextWidth(u("<b>pogrubiony i długi</b>")));
}

TEST_F(AdvListVHeaderTest, columnWidthsAreKeptInAnIniFile)
{
    addColumns({70, 80});
    TColumnSize& sizes = list.GetColumnSize();
    sizes.SetKey(u("x.ini"));
    sizes.SetSection(u("cols"));
    list.SaveColumnSizes();
    const QString file = PersistenceFile(u("x.ini"), false);
    EXPECT_FALSE(QFile::exists(file)) << "only with Save on";

    sizes.SetSave(true);
    list.SaveColumnSizes();
    TIniFile stored(file);
    EXPECT_EQ(stored.ReadInteger(u("cols"), u("col0"), -1), 70);
    EXPECT_EQ(stored.ReadInteger(u("cols"), u("col1"), -1), 80);

    list.Columns()[0]->SetWidth(10);
    list.Columns()[1]->SetWidth(10);
    stored.WriteString(u("cols"), u("col1"), u("szeroka"));
    ASSERT_TRUE(stored.UpdateFile());
    list.LoadColumnSizes();
    EXPECT_EQ(list.Columns()[0]->GetWidth(), 70);
    EXPECT_EQ(list.Columns()[1]->GetWidth(), 10) << "a width that is no number is left alone";
    QFile::remove(file);

    {
        TAdvListView closing;
        closing.Columns().Add()->SetWidth(55);
        closing.GetColumnSize().SetSave(true);
        closing.GetColumnSize().SetKey(u("x.ini"));
        closing.GetColumnSize().SetSection(u("other"));
    }
    EXPECT_EQ(TIniFile(file).ReadInteger(u("other"), u("col0"), -1), 55) << "saved when the list goes";
    QFile::remove(file);
}

TEST_F(AdvListVHeaderTest, columnsMoveAndSwapByDisplayPosition)
{
    addColumns({50, 50, 50});
    struct Case
    {
        const char* name;
        std::function<void()> change;
        QVector<int> order;
    };
    const Case cases[] = {
        {"move 0 to 2", [&] { list.MoveColumn(0, 2); }, {1, 2, 0}},
        {"move 2 to 0", [&] { list.MoveColumn(2, 0); }, {2, 0, 1}},
        {"swap 0 and 2", [&] { list.SwapColumns(0, 2); }, {2, 1, 0}},
        {"move outside", [&] { list.MoveColumn(0, 3); }, {0, 1, 2}},
        {"swap with itself", [&] { list.SwapColumns(1, 1); }, {0, 1, 2}},
        {"swap outside", [&] { list.SwapColumns(-1, 1); }, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        list.SetColumnOrder({0, 1, 2});
        c.change();
        EXPECT_EQ(list.GetColumnOrder(), c.order) << c.name;
        for (int position = 0; position < 3; ++position)
            EXPECT_EQ(list.IndexOfColumn(position), c.order[position]) << c.name;
    }
    EXPECT_EQ(list.IndexOfColumn(-1), -1);
    EXPECT_EQ(list.IndexOfColumn(3), -1);
}

TEST_F(AdvListVHeaderTest, ownerDrawnCaptionsStayOverTheirOwnColumns)
{
    TAdvListView placed;
    placed.resize(list.size());
    placed.Loaded();
    for (TAdvListView* l : {&list, &placed}) {
        l->SetHeaderOwnerDraw(true);
        l->SetHeaderHeight(20);
    }
    addColumns({80, 120});
    list.Columns()[0]->SetCaption(u("Imię"));
    list.Columns()[1]->SetCaption(u("Nazwisko"));
    placed.Columns().Add()->SetCaption(u("Nazwisko"));
    placed.Columns().Add()->SetCaption(u("Imię"));
    placed.Columns()[0]->SetWidth(120);
    placed.Columns()[1]->SetWidth(80);
    placed.show();
    list.MoveColumn(0, 1);
    EXPECT_EQ(part(headerPicture(), QRect(0, 0, 200, 20)),
              part(placed.header()->grab().toImage(), QRect(0, 0, 200, 20)));
}

TEST_F(AdvListVHeaderTest, draggingAColumnsEdgeTellsTheList)
{
    addColumns({100, 100});
    QStringList events;
    bool allow = true;
    list.OnStartColumnTrack = [&](QObject*, int column, bool& a) {
        events.append(u("start %1").arg(column));
        a = allow;
    };
    list.OnEndColumnTrack = [&](QObject*, int column) { events.append(u("end %1").arg(column)); };
    list.OnColumnSized = [&](QObject*, int column) { events.append(u("sized %1").arg(column)); };
    list.OnColumnRClick = [&](QObject*, int column) { events.append(u("right %1").arg(column)); };
    QWidget* header = list.header()->viewport();
    const int y = list.header()->height() / 2;
    const auto drag = [&](int from, int to) {
        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(from, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(to, y), header->mapToGlobal(QPointF(to, y)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header, &move);
        QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(to, y));
    };

    drag(99, 150);
    EXPECT_EQ(list.Columns()[0]->GetWidth(), 151);
    EXPECT_EQ(events, QStringList({u("start 0"), u("end 0"), u("sized 0")}));

    events.clear();
    allow = false;
    drag(150, 180);
    EXPECT_EQ(list.Columns()[0]->GetWidth(), 151) << "refused";
    EXPECT_EQ(events, QStringList({u("start 0")}));

    events.clear();
    QTest::mouseClick(header, Qt::RightButton, {}, QPoint(200, y));
    EXPECT_EQ(events, QStringList({u("right 1")}));

    list.SetHeaderFlatStyle(true);
    EXPECT_FALSE(list.header()->sectionsClickable());
}

TEST_F(AdvListVHeaderTest, filterBarTellsOfChangesAfterThePause)
{
    addColumns({100, 100});
    const int plainHeight = list.header()->height();
    EXPECT_EQ(list.GetFilterTimeOut(), 500);
    list.SetFilterBar(true);
    QCoreApplication::processEvents();
    EXPECT_GT(list.header()->height(), plainHeight) << "the header grows to hold the bar";
    auto* field = list.header()->findChild<QLineEdit*>(u("filter1"));
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->isVisible());
    EXPECT_EQ(field->geometry().left(), 100);

    list.SetFilterTimeOut(200);
    EXPECT_EQ(list.GetFilterTimeOut(), 200);
    QVector<int> changes;
    list.OnFilterChange = [&](QObject*, int column) { changes.append(column); };
    QTest::keyClicks(field, u("Kow"));
    EXPECT_TRUE(list.IsFilterTimerRunning());
    EXPECT_TRUE(changes.isEmpty()) << "not while typing";
    list.FilterTimerTick();
    list.FilterTimerTick();
    EXPECT_EQ(changes, QVector<int>{1}) << "once after the pause";
    EXPECT_FALSE(list.IsFilterTimerRunning());
    EXPECT_EQ(list.GetFilter(1, 0), u("Kow"));

    QVector<int> buttons;
    list.OnFilterBtnClick = [&](QObject*, int column) { buttons.append(column); };
    QTest::mouseClick(list.header()->findChild<QToolButton*>(u("filterButton0")), Qt::LeftButton);
    EXPECT_EQ(buttons, QVector<int>{0});

    list.Columns()[0]->SetWidth(150);
    EXPECT_EQ(field->geometry().left(), 150) << "the fields follow the columns";
    list.MoveColumn(1, 0);
    EXPECT_EQ(field->geometry().left(), 0);

    list.SetFilterBar(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(list.header()->height(), plainHeight);
    EXPECT_FALSE(field->isVisible());
}

TEST_F(AdvListVHeaderTest, filtersHoldTextsAndNumbers)
{
    addColumns({100, 100});
    list.SetFilterBar(true);
    list.SetFilter(0, 0, 0, u("Nowak"));
    list.SetFilter(1, 1, 42, u("pominięty"));
    EXPECT_EQ(list.GetFilter(0, 0), u("Nowak"));
    EXPECT_EQ(list.GetFilter(1, 1), u("42"));
    EXPECT_EQ(list.header()->findChild<QLineEdit*>(u("filter0"))->text(), u("Nowak"));
    EXPECT_EQ(list.header()->findChild<QLineEdit*>(u("filter1"))->text(), u("42"));
    list.SetFilter(0, 0, 0, QString(300, u'x'));
    EXPECT_EQ(list.GetFilter(0, 0).size(), 255);
    EXPECT_EQ(list.GetFilter(5, 0), QString());
    EXPECT_FALSE(list.IsFilterTimerRunning()) << "set by code: no change to tell";
}
