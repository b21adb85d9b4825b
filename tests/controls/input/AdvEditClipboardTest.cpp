#include "AdvEdit.h"
#include "InputTestSupport.h"
#include "Ole.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

namespace {

struct ClipboardFixture : ::testing::Test
{
    void SetUp() override
    {
        edit = new TAdvEdit(&window.form);
        edit->setGeometry(20, 20, 250, 21);
        ASSERT_TRUE(window.show());
        edit->setFocus();
        settle();
    }
    void TearDown() override { SetDragLoop({}); }

    static void putOnClipboard(const QString& text) { QApplication::clipboard()->setText(text); }

    void pasteFromMenu()
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &event);
        QMenu* menu = edit->findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        ASSERT_NE(paste, nullptr);
        paste->trigger();
        menu->close();
        settle();
    }

    // Delivers a drag of text to the edit at a character, as the platform does, with the keys held.
    Qt::DropAction dropAt(const QMimeData* data, int index, Qt::KeyboardModifiers keys, Qt::DropActions allowed)
    {
        const QPoint at = edit->PosFromChar(index) + QPoint(1, 4);
        QDragEnterEvent enter(at, allowed, data, Qt::LeftButton, keys);
        QApplication::sendEvent(edit, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDragMoveEvent move(at, allowed, data, Qt::LeftButton, keys);
        QApplication::sendEvent(edit, &move);
        QDropEvent drop(at, allowed, data, Qt::LeftButton, keys);
        QApplication::sendEvent(edit, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }

    Qt::DropAction dropText(const QString& text, int index)
    {
        QMimeData data;
        data.setText(text);
        return dropAt(&data, index, Qt::NoModifier, Qt::CopyAction | Qt::MoveAction);
    }

    // Drags the selection out with the mouse; the drop lands in the edit itself at a character.
    void dragSelectionTo(int index, Qt::KeyboardModifiers keys)
    {
        SetDragLoop([this, index, keys](QDrag& drag, Qt::DropActions allowed) {
            return dropAt(drag.mimeData(), index, keys, allowed);
        });
        const QPoint from = edit->PosFromChar(edit->selectionStart()) + QPoint(2, 4);
        QTest::mousePress(edit, Qt::LeftButton, {}, from);
        QTest::mouseMove(edit, from + QPoint(30, 0));
        QTest::mouseRelease(edit, Qt::LeftButton, {}, from + QPoint(30, 0));
    }

    ShownForm window;
    TAdvEdit* edit = nullptr;
};

struct PasteCase
{
    TAdvEditType type;
    int precision;
    const char* before;
    int caret;
    const char* pasted;
    const char* after;
};

} // namespace

TEST_F(ClipboardFixture, pastedTextTakesTheFilterOfTheEditType)
{
    const PasteCase cases[] = {
        {etNumeric, 0, "34", 1, "12", "3124"},
        {etNumeric, 0, "", 0, "-5", ""},
        {etFloat, 0, "1", 1, ",5", "1"},
        {etFloat, 2, "1", 1, ",5", "1,50"},
        {etAlphaNumeric, 0, "", 0, "a b", ""},
        {etAlphaNumeric, 0, "", 0, "ab1", "ab1"},
        {etUppercase, 0, "", 0, "żółw", "ŻÓŁW"},
        {etMixedCase, 0, "", 0, "jan kowalski", "Jan Kowalski"},
        {etHex, 0, "1", 1, "F", "1"},
        // One line of several.
        {etString, 0, "", 0, "Jan\r\nKowalski", "Jan"},
        {etString, 0, "", 0, "Jan\nKowalski", "Jan"},
    };
    for (const PasteCase& c : cases) {
        edit->SetAllowNumericNullValue(true);
        edit->SetEditType(c.type);
        edit->SetPrecision(c.precision);
        edit->SetTextDirect(QString::fromUtf8(c.before));
        edit->setCursorPosition(c.caret);
        putOnClipboard(QString::fromUtf8(c.pasted));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->GetText(), QString::fromUtf8(c.after)) << c.pasted;
        edit->SetEditType(etString);
    }
    edit->SetEditType(etNumeric);
    edit->SetTextDirect(QStringLiteral("34"));
    edit->setCursorPosition(1);
    putOnClipboard(QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->cursorPosition(), 3);
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(ClipboardFixture, thePasteVetoIsAskedOnEveryRoute)
{
    QStringList candidates;
    bool allow = false;
    edit->OnClipboardPaste = [&](TAdvEdit* sender, const QString& value, bool& allowed) {
        EXPECT_EQ(sender, edit);
        candidates.append(value);
        allowed = allow;
    };
    edit->SetOleDropTarget(true);
    edit->SetText(QStringLiteral("Jan"));
    edit->setCursorPosition(3);
    putOnClipboard(QStringLiteral(" Maria"));

    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    pasteFromMenu();
    EXPECT_EQ(dropText(QStringLiteral(" Maria"), 3), Qt::IgnoreAction);
    EXPECT_EQ(candidates, QStringList(4, QStringLiteral("Jan Maria")));
    EXPECT_EQ(edit->GetText(), QStringLiteral("Jan"));

    allow = true;
    pasteFromMenu();
    EXPECT_EQ(edit->GetText(), QStringLiteral("Jan Maria"));
}

TEST_F(ClipboardFixture, copyAndCutAskTheirVetoes)
{
    edit->SetText(QStringLiteral("Jan Kowalski"));
    edit->setSelection(4, 8);
    putOnClipboard(QStringLiteral("przedtem"));
    QString offered;
    edit->OnClipboardCopy = [&](TAdvEdit*, const QString& value, bool& allow) {
        offered = value;
        allow = false;
    };
    edit->OnClipboardCut = [&](TAdvEdit*, const QString&, bool& allow) { allow = false; };
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(offered, QStringLiteral("Kowalski"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("przedtem"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("Jan Kowalski"));

    edit->OnClipboardCut = nullptr;
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->GetText(), QStringLiteral("Jan "));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Kowalski"));
}

TEST_F(ClipboardFixture, droppedTextIsItsFirstLineThroughTheFilter)
{
    EXPECT_FALSE(edit->acceptDrops());
    edit->SetOleDropTarget(true);
    edit->SetText(QStringLiteral("Jan"));
    EXPECT_EQ(dropText(QStringLiteral(" Maria\r\nKowalska"), 3), Qt::MoveAction);
    EXPECT_EQ(edit->GetText(), QStringLiteral("Jan Maria"));

    edit->SetEditType(etNumeric);
    edit->SetText(QStringLiteral("12"));
    EXPECT_EQ(dropText(QStringLiteral("abc"), 1), Qt::IgnoreAction);
    EXPECT_EQ(edit->GetText(), QStringLiteral("12"));

    edit->SetOleDropTarget(false);
    EXPECT_FALSE(edit->acceptDrops());
}

TEST_F(ClipboardFixture, selectedTextIsMovedOrCopiedByDragging)
{
    edit->SetOleDropSource(true);
    edit->SetOleDropTarget(true);
    edit->SetText(QStringLiteral("Jan Kowalski"));
    edit->setSelection(0, 4);
    dragSelectionTo(12, Qt::NoModifier);
    EXPECT_EQ(edit->GetText(), QStringLiteral("KowalskiJan "));

    edit->setSelection(0, 8);
    dragSelectionTo(12, Qt::ControlModifier);
    EXPECT_EQ(edit->GetText(), QStringLiteral("KowalskiJan Kowalski"));

    // Onto its own selection: nothing changes.
    edit->setSelection(0, 8);
    dragSelectionTo(3, Qt::NoModifier);
    EXPECT_EQ(edit->GetText(), QStringLiteral("KowalskiJan Kowalski"));
}

TEST_F(ClipboardFixture, aClickInsideTheSelectionPlacesTheCaret)
{
    edit->SetText(QStringLiteral("Jan Kowalski"));
    edit->setSelection(0, 12);
    const QPoint at = edit->PosFromChar(5) + QPoint(1, 4);
    QTest::mouseClick(edit, Qt::LeftButton, {}, at);
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), edit->CharFromPos(at));
}
