// The HTML label: links in the link colour that open through the platform's link policy, other anchors reported
// to the owner, sizing to the text, hover events, highlighting and held updates.
#include "HTMLabel.h"
#include "FoundationTestSupport.h"
#include "TestSupport.h"
#include "UrlOpener.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QUrl>

namespace {

class HTMLabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(registeredFamily().isEmpty());
        TFont font;
        font.Name = registeredFamily();
        font.SetSize(10);
        font.Color = clBlack;
        label.SetFont(font);
        label.SetColor(clWhite);
        label.resize(320, 40);
    }

    int advance(const QString& text) const { return QFontMetrics(label.GetFont().ToQFont()).horizontalAdvance(text); }
    int lineHeight() const { return QFontMetrics(label.GetFont().ToQFont()).height(); }

    void mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, QPointF(at), label.mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&label, &event);
    }

    THTMLabel label;
};

const QString aboutText = QStringLiteral("Więcej na stronie: <a href=\"https://kronvel.example/\">kronvel.example</a>");

} // namespace

TEST_F(HTMLabelTest, linkIsShownInTheLinkColourAndAClickOpensIt)
{
    RecordingOpener opener;
    label.SetHTMLText(aboutText);
    const QImage shot = label.grab().toImage();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/HTMLabelTest-link.png")));

    const int linkLeft = 1 + advance("Więcej ") + advance("na ") + advance("stronie: ");
    const int linkRight = linkLeft + advance("kronvel.example");
    int linkPixels = 0;
    int textPixels = 0;
    for (int y = 0; y < lineHeight(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c == QColor(0, 0, 255))
                (x >= linkLeft && x < linkRight ? linkPixels : textPixels) += 1;
        }
    }
    EXPECT_GT(linkPixels, 20);
    EXPECT_EQ(textPixels, 0);

    mouse(QEvent::MouseButtonPress, QPoint(linkLeft + 5, lineHeight() / 2));
    EXPECT_EQ(opener.opened, QStringList{"https://kronvel.example/"});
    mouse(QEvent::MouseButtonPress, QPoint(5, lineHeight() / 2));
    EXPECT_EQ(opener.opened.size(), 1);
}

TEST_F(HTMLabelTest, onlyWebAndMailTargetsReachTheShell)
{
    struct Case
    {
        const char* target;
        bool shell;
    };
    const Case cases[] = {
        {"http://example.org", true},  {"MAILTO:jan@example.org", true}, {"FTP://files.example.org", true},
        {"file:///etc/passwd", false}, {"osoba:{1A2B}", false},          {"javascript:alert(1)", false},
        {"/usr/bin/xterm", false},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        QStringList clicked;
        label.OnAnchorClick = [&](THTMLabel* sender, const QString& anchor) {
            EXPECT_EQ(sender, &label);
            clicked.append(anchor);
        };
        label.SetHTMLText(QStringLiteral("<a href=\"%1\">link</a>").arg(c.target));
        mouse(QEvent::MouseButtonPress, QPoint(4, lineHeight() / 2));
        EXPECT_EQ(opener.opened.size(), c.shell ? 1 : 0) << c.target;
        EXPECT_EQ(clicked, c.shell ? QStringList() : QStringList{c.target}) << c.target;
    }
}

TEST_F(HTMLabelTest, anchorEnterAndExitFollowTheMouse)
{
    label.SetHTMLText("<a href=\"one\">one</a> plain <a href=\"two\">two</a>");
    QStringList events;
    label.OnAnchorEnter = [&](THTMLabel*, const QString& anchor) { events.append("enter " + anchor); };
    label.OnAnchorExit = [&](THTMLabel*, const QString& anchor) { events.append("exit " + anchor); };
    const int y = lineHeight() / 2;
    mouse(QEvent::MouseMove, QPoint(4, y));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, QPoint(6, y));
    mouse(QEvent::MouseMove, QPoint(1 + advance("one") + advance(" ") + 4, y));
    EXPECT_NE(label.cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, QPoint(1 + advance("one") + advance(" ") + advance("plain ") + 4, y));
    EXPECT_EQ(events, QStringList({"enter one", "exit ", "enter two"}));
}

TEST_F(HTMLabelTest, autoSizingFollowsAlignmentAndSizeType)
{
    QWidget parent;
    parent.resize(500, 300);
    label.setParent(&parent);
    label.SetHTMLText("<b>Kronvel</b><br>Program do ewidencji");
    const QSize text = label.GetSize();
    struct Case
    {
        TAlign align;
        TAutoSizeType type;
        bool width;
        bool height;
    };
    const Case cases[] = {
        {alNone, asBoth, true, true},        {alNone, asVertical, false, true},  {alNone, asHorizontal, true, false},
        {alTop, asHorizontal, false, false}, {alLeft, asVertical, false, false}, {alLeft, asBoth, true, false},
    };
    for (const Case& c : cases) {
        label.SetAutoSizing(false);
        SetAlign(&label, c.align);
        SetAlign(&label, alNone);
        label.setGeometry(0, 0, 320, 40);
        SetAlign(&label, c.align);
        const QSize before = label.size();
        label.SetAutoSizeType(c.type);
        label.SetAutoSizing(true);
        EXPECT_EQ(label.width(), c.width ? text.width() + 6 : before.width()) << c.align << " " << c.type;
        EXPECT_EQ(label.height(), c.height ? text.height() + 6 : before.height()) << c.align << " " << c.type;
    }
    label.setParent(nullptr);
}

TEST_F(HTMLabelTest, textLinesAreOneMarkupAndHighlightingComesAndGoes)
{
    label.SetHTMLText("Jan <b>Kowalski</b>\r\n i syn Kowalski");
    EXPECT_EQ(label.GetHTMLText(), "Jan <b>Kowalski</b> i syn Kowalski");
    EXPECT_EQ(label.GetText(), "Jan Kowalski i syn Kowalski");
    label.HilightText("kowalski", false);
    EXPECT_EQ(label.GetHTMLText(), "Jan <hi><b>Kowalski</hi></b> i syn <hi>Kowalski</hi>");
    label.MarkText("syn", true);
    label.UnHilightText();
    label.UnMarkText();
    EXPECT_EQ(label.GetHTMLText(), "Jan <b>Kowalski</b> i syn Kowalski");
}

TEST_F(HTMLabelTest, paintingShowsNothingNewWhileUpdatesAreHeld)
{
    label.SetHTMLText("pierwszy");
    const QImage first = label.grab().toImage();
    label.BeginUpdate();
    label.BeginUpdate();
    label.SetHTMLText("drugi tekst");
    EXPECT_EQ(label.grab().toImage(), first);
    label.EndUpdate();
    EXPECT_EQ(label.grab().toImage(), first);
    label.EndUpdate();
    EXPECT_NE(label.grab().toImage(), first);
}
