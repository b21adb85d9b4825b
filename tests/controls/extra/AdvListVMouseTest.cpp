#include "AdvListV.h"
#include "ListViewFixture.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

class AdvListVMouseTest : public ListViewFixture
{
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        addColumns({150, 150});
        list.SetItemHeight(20);
    }

    void moveTo(const QPoint& point)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), list.viewport()->mapToGlobal(QPointF(point)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
    }

    void click(const QPoint& point) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point); }

    Qt::CursorShape cursor() const { return list.viewport()->cursor().shape(); }

    // The hint the list shows for a point, empty for none. A hint put away lingers for a moment, so a marker hint
    // stands before the list's.
    QString hintAt(const QPoint& point)
    {
        const QString marker = u("(none)");
        QToolTip::showText(list.viewport()->mapToGlobal(point), marker, list.viewport());
        QHelpEvent help(QEvent::ToolTip, point, list.viewport()->mapToGlobal(point));
        QApplication::sendEvent(list.viewport(), &help);
        return QToolTip::text() == marker ? QString() : QToolTip::text();
    }

    // The middle of the n-th run of a markup cell's text, whose runs are given in order.
    QPoint runMiddle(int row, int column, const QStringList& runs, int n) const
    {
        TCanvas canvas;
        canvas.Font = list.GetFont();
        const TRect r = list.GetItemRect(row, column);
        const int before = canvas.TextWidth(runs.mid(0, n).join(QString()));
        return QPoint(r.Left + 2 + before + canvas.TextWidth(runs[n]) / 2, r.Top + canvas.TextHeight(u("A")) / 2);
    }
};

TEST_F(AdvListVMouseTest, linkCellsShowTheHandAndOpenThroughThePolicy)
{
    RecordingOpener opener;
    list.SetURLShow(true);
    list.SetCheckboxes(true);
    addRow({u("http://example.com/rodzina"), u("zwykły tekst")});
    const TRect box = list.GetItemRect(0, 0);
    moveTo(QPoint(8, 10));
    EXPECT_NE(cursor(), Qt::PointingHandCursor) << "on the check box";
    moveTo(QPoint(box.Left + 20, 10));
    EXPECT_EQ(cursor(), Qt::PointingHandCursor);
    moveTo(QPoint(200, 10));
    EXPECT_NE(cursor(), Qt::PointingHandCursor);

    QStringList clicked;
    bool handled = false;
    list.OnURLClick = [&](QObject*, int row, const QString& url, bool& h) {
        clicked.append(u("%1 %2").arg(row).arg(url));
        h = handled;
    };
    click(QPoint(box.Left + 20, 10));
    EXPECT_EQ(opener.opened, QStringList({u("http://example.com/rodzina")})) << "the full text, scheme and all";
    handled = true;
    click(QPoint(box.Left + 20, 10));
    EXPECT_EQ(opener.opened.size(), 1) << "handled by the application";
    EXPECT_EQ(clicked.size(), 2);

    handled = false;
    click(QPoint(8, 10));
    EXPECT_EQ(clicked.size(), 2) << "a click on the check box is no link click";

    for (const char* text : {"javascript:x//://y", "file:///bin/sh", "zobacz http://example.com tutaj"}) {
        list.Items()[0]->SetCaption(u(text));
        click(QPoint(box.Left + 20, 10));
        EXPECT_EQ(clicked.last(), u("0 ") + u(text));
    }
    EXPECT_EQ(opener.opened.size(), 1) << "none of them opened";
}

TEST_F(AdvListVMouseTest, anchorsReportEnterExitAndClicks)
{
    RecordingOpener opener;
    const QStringList runs{u("AAAA"), u("BBBB"), u("CCCC"), u("DDDD"), u(" zwykły")};
    addRow({u("<a href=\"one\">AAAA</a><a href=\"two\">BBBB</a><a href=\"http://example.com/x\">CCCC</a>"
              "<a href=\"mailto:jan@example.com\">DDDD</a> zwykły")});
    QStringList events;
    list.OnAnchorEnter = [&](QObject*, const QString& a) { events.append(u("enter ") + a); };
    list.OnAnchorExit = [&](QObject*, const QString& a) { events.append(u("exit ") + a); };
    list.OnAnchorClick = [&](QObject*, const QString& a) { events.append(u("click ") + a); };
    list.OnURLClick = [&](QObject*, int, const QString& a, bool&) { events.append(u("url ") + a); };

    moveTo(runMiddle(0, 0, runs, 0));
    EXPECT_EQ(cursor(), Qt::PointingHandCursor);
    moveTo(runMiddle(0, 0, runs, 1));
    moveTo(runMiddle(0, 0, runs, 4));
    EXPECT_NE(cursor(), Qt::PointingHandCursor);
    moveTo(runMiddle(0, 0, runs, 4));
    EXPECT_EQ(events, QStringList({u("enter one"), u("exit one")}))
        << "straight onto another anchor fires nothing; the exit names the first";

    events.clear();
    for (int n : {0, 2, 3})
        click(runMiddle(0, 0, runs, n));
    EXPECT_EQ(events.filter(u("click")).join(u','), u("click one,click mailto:jan@example.com"));
    EXPECT_TRUE(events.contains(u("url http://example.com/x")));
    EXPECT_EQ(opener.opened, QStringList({u("http://example.com/x")}));
}

TEST_F(AdvListVMouseTest, cellHintsShowPlainTextOrMarkup)
{
    addRow({u("<b>gruby</b> tekst"), u("{\\rtf1 bogaty {\\b tekst}}")});
    addRow({QString(), u("zwykły")});
    EXPECT_EQ(hintAt(QPoint(20, 10)), QString()) << "only with AutoHint";
    list.SetAutoHint(true);
    EXPECT_EQ(hintAt(QPoint(20, 10)), u("gruby tekst"));
    EXPECT_EQ(hintAt(QPoint(200, 10)), u("bogaty tekst"));
    EXPECT_EQ(hintAt(QPoint(20, 30)), QString()) << "an empty cell has none";
    list.SetHTMLHint(true);
    EXPECT_EQ(hintAt(QPoint(20, 10)), u("<b>gruby</b> tekst"));
    list.OnInfoTip = [](QObject*, TListItem* item, QString& tip) { tip = item->GetCaption() + u("?"); };
    EXPECT_EQ(hintAt(QPoint(200, 30)), u("?"));
}

TEST_F(AdvListVMouseTest, scrollHintShowsTheTopRowDuringAThumbDrag)
{
    for (int i = 0; i < 100; ++i)
        addRow({u("wiersz %1").arg(i)});
    list.SetScrollHint(true);
    QScrollBar* bar = list.verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(50);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), u("wiersz 50"));
    bar->setSliderPosition(70);
    EXPECT_EQ(QToolTip::text(), u("wiersz 70"));
    bar->setSliderDown(false);
}

TEST_F(AdvListVMouseTest, checkBoxClicksFollowTheCaptionsColumn)
{
    list.SetCheckboxes(true);
    TListItem* item = addRow({u("a"), u("b")});
    QVector<QPair<int, bool>> clicks;
    list.OnCheckboxClick = [&](QObject*, int row, bool state) { clicks.append({row, state}); };
    list.SetColumnOrder({1, 0});
    list.Items()[0]->SetSelected(false);
    click(QPoint(10, 10));
    EXPECT_FALSE(item->GetChecked()) << "no check box over the column now at the left";
    click(QPoint(150 + 9, 10));
    EXPECT_TRUE(item->GetChecked());
    EXPECT_EQ(clicks, (QVector<QPair<int, bool>>{{0, true}}));

    item->SetFocused(true);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_FALSE(item->GetChecked());
    EXPECT_EQ(clicks.last(), qMakePair(0, false)) << "told before the box changes, with its new state";
}
