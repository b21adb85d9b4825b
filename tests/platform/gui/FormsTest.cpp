#include "Forms.h"
#include "Canvas.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

QWidget* child(QWidget* parent, const QRect& geometry, TAlign align = alNone, TAnchors anchors = DefaultAnchors)
{
    auto* widget = new QWidget(parent);
    widget->setGeometry(geometry);
    SetAlign(widget, align);
    SetAnchors(widget, anchors);
    return widget;
}

// A container that keeps a 5-pixel border and a 20-pixel caption for itself.
class CaptionedBox : public QWidget, public TAlignHost
{
public:
    explicit CaptionedBox(QWidget* parent) : QWidget(parent), TAlignHost(this) {}
    void AdjustClientRect(TRect& rect) override
    {
        rect = Rect(rect.Left + 5, rect.Top + 5, rect.Right - 5, rect.Bottom - 5);
    }
    void AlignControls(QWidget* control, TRect& rect) override
    {
        rect.Top += 20;
        TAlignHost::AlignControls(control, rect);
    }
};

void pressKey(QWidget* receiver, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(receiver, &press);
}

// A small dialog: an edit over a bottom panel with "Zapisz" and the cancel button "Zamknij".
struct Dialog
{
    Dialog()
    {
        form.SetBorderStyle(bsDialog);
        form.SetClientSize(300, 120);
        form.SetCaption(QStringLiteral("Dane osoby"));
        bottom = child(&form, QRect(0, 70, 300, 50), alBottom);
        edit = new QLineEdit(&form);
        edit->setGeometry(10, 10, 280, 22);
        SetAnchors(edit, akLeft | akTop | akRight);
        save = new QPushButton(QStringLiteral("F3 - Zapisz"), bottom);
        save->setGeometry(10, 10, 120, 30);
        close = new QPushButton(QStringLiteral("Zamknij"), bottom);
        close->setGeometry(170, 10, 120, 30);
        SetAnchors(close, akTop | akRight);
        form.SetCancelButton(close);
        QObject::connect(save, &QPushButton::clicked, [this] { form.SetModalResult(mrOk); });
        QObject::connect(close, &QPushButton::clicked, [this] { form.Close(); });
    }

    TForm form;
    QWidget* bottom;
    QLineEdit* edit;
    QPushButton* save;
    QPushButton* close;
};

} // namespace

TEST(FormsTest, alignedChildrenShareTheClientAreaInTheToolkitOrder)
{
    TForm form;
    form.SetClientSize(400, 300);
    QWidget* client = child(&form, QRect(0, 0, 10, 10), alClient);
    QWidget* top = child(&form, QRect(0, 0, 10, 40), alTop);
    QWidget* bottom = child(&form, QRect(0, 0, 10, 50), alBottom);
    QWidget* left = child(&form, QRect(0, 0, 60, 10), alLeft);
    QWidget* right = child(&form, QRect(0, 0, 70, 10), alRight);
    QWidget* secondTop = child(&form, QRect(0, 100, 10, 20), alTop);

    EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 40));
    EXPECT_EQ(secondTop->geometry(), QRect(0, 40, 400, 20));
    EXPECT_EQ(bottom->geometry(), QRect(0, 250, 400, 50));
    EXPECT_EQ(left->geometry(), QRect(0, 60, 60, 190));
    EXPECT_EQ(right->geometry(), QRect(330, 60, 70, 190));
    EXPECT_EQ(client->geometry(), QRect(60, 60, 270, 190));

    form.show();
    form.SetClientSize(500, 400);
    EXPECT_EQ(client->geometry(), QRect(60, 60, 370, 290));

    top->hide();
    EXPECT_EQ(secondTop->geometry(), QRect(0, 0, 500, 20));
    EXPECT_EQ(client->geometry(), QRect(60, 20, 370, 330));
    top->show();
    secondTop->resize(500, 30);
    EXPECT_EQ(client->geometry(), QRect(60, 70, 370, 280));
}

TEST(FormsTest, anAlignedChildMovedWhileShownTakesItsPlaceInTheOrderAgain)
{
    TForm form;
    form.SetClientSize(200, 200);
    QWidget* box = child(&form, QRect(0, 0, 10, 30), alTop);
    QWidget* note = child(&form, QRect(0, 30, 10, 20), alTop);
    QWidget* group = child(&form, QRect(0, 50, 10, 60), alTop);
    form.show();
    EXPECT_EQ(group->geometry(), QRect(0, 50, 200, 60));
    // Put just below the box, the group goes between it and the note instead of over the box.
    group->move(0, box->y() + 4);
    EXPECT_EQ(box->geometry(), QRect(0, 0, 200, 30));
    EXPECT_EQ(group->geometry(), QRect(0, 30, 200, 60));
    EXPECT_EQ(note->geometry(), QRect(0, 90, 200, 20));
}

TEST(FormsTest, aWindowLargerThanTheScreenIsShownWithinIt)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize tooLarge = available.size() + QSize(200, 100);
    TForm sizeable;
    sizeable.SetPosition(poScreenCenter);
    sizeable.SetClientSize(tooLarge.width(), tooLarge.height());
    sizeable.show();
    EXPECT_TRUE(available.contains(sizeable.frameGeometry())) << "cut down to the work area";

    // A dialog keeps its size, and its caption stays in reach.
    TForm dialog;
    dialog.SetBorderStyle(bsDialog);
    dialog.SetPosition(poScreenCenter);
    dialog.SetClientSize(tooLarge.width(), tooLarge.height());
    dialog.show();
    EXPECT_EQ(dialog.size(), tooLarge);
    EXPECT_EQ(dialog.frameGeometry().topLeft(), available.topLeft());
}

TEST(FormsTest, aContainerKeepsRoomThroughItsClientRectangle)
{
    TForm form;
    form.SetClientSize(200, 200);
    auto* box = new CaptionedBox(&form);
    box->setGeometry(0, 0, 100, 100);
    QWidget* top = child(box, QRect(0, 0, 10, 10), alTop);
    QWidget* client = child(box, QRect(0, 0, 10, 10), alClient);
    EXPECT_EQ(top->geometry(), QRect(5, 25, 90, 10));
    EXPECT_EQ(client->geometry(), QRect(5, 35, 90, 60));
    SetAlign(box, alClient);
    EXPECT_EQ(client->geometry(), QRect(5, 35, 190, 160));
}

TEST(FormsTest, anchoredChildrenKeepTheirDistances)
{
    struct Case
    {
        TAnchors anchors;
        QRect after;
    };
    // The parent grows from 200 x 100 to 260 x 140; the child starts at (20, 10, 40 x 30).
    const Case cases[] = {
        {akLeft | akTop, QRect(20, 10, 40, 30)},
        {akRight | akBottom, QRect(80, 50, 40, 30)},
        {akLeft | akTop | akRight | akBottom, QRect(20, 10, 100, 70)},
        {akTop, QRect(50, 10, 40, 30)},
        {akLeft | akRight | akBottom, QRect(20, 50, 100, 30)},
    };
    for (const Case& c : cases) {
        QWidget parent;
        parent.resize(200, 100);
        parent.show();
        QWidget* widget = child(&parent, QRect(20, 10, 40, 30), alNone, c.anchors);
        parent.resize(260, 140);
        EXPECT_EQ(widget->geometry(), c.after) << c.anchors;
        // Shrinking below nothing and growing back leaves no drift.
        parent.resize(10, 10);
        parent.resize(200, 100);
        EXPECT_EQ(widget->geometry(), QRect(20, 10, 40, 30)) << c.anchors;
        // A child moved by its owner keeps its new distances.
        widget->move(30, 20);
        parent.resize(210, 110);
        if (c.anchors == (akRight | akBottom)) {
            EXPECT_EQ(widget->geometry(), QRect(40, 30, 40, 30));
        }
    }
}

TEST(FormsTest, dialogLaysOutAndReturnsItsModalResult)
{
    struct Case
    {
        const char* how;
        std::function<void(Dialog&)> act;
        TModalResult expected;
    };
    const Case cases[] = {
        {"save", [](Dialog& d) { d.save->click(); }, mrOk},
        {"Zamknij", [](Dialog& d) { d.close->click(); }, mrCancel},
        {"Esc", [](Dialog& d) { pressKey(d.edit, Qt::Key_Escape); }, mrCancel},
        {"close box", [](Dialog& d) { d.form.close(); }, mrCancel},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        EXPECT_EQ(dialog.bottom->geometry(), QRect(0, 70, 300, 50)) << c.how;
        int activations = 0;
        dialog.form.OnActivate = [&](QObject*) { ++activations; };
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(dialog.form.isVisible());
            EXPECT_TRUE(dialog.form.IsModal());
            c.act(dialog);
        });
        EXPECT_EQ(dialog.form.ShowModal(), c.expected) << c.how;
        EXPECT_FALSE(dialog.form.isVisible()) << c.how;
        EXPECT_FALSE(dialog.form.IsModal()) << c.how;
        EXPECT_EQ(activations, 1) << c.how;
    }
}

TEST(FormsTest, closeQueryAndCloseActionCanKeepTheDialogOpen)
{
    Dialog dialog;
    int queries = 0;
    dialog.form.OnCloseQuery = [&](QObject*, bool& canClose) { canClose = ++queries > 1; };
    int closes = 0;
    dialog.form.OnClose = [&](QObject*, TCloseAction& action) { action = ++closes > 1 ? caHide : caNone; };
    QTimer::singleShot(0, [&] {
        dialog.save->click(); // refused by OnCloseQuery
        QTimer::singleShot(0, [&] {
            dialog.save->click(); // refused by OnClose
            QTimer::singleShot(0, [&] {
                EXPECT_TRUE(dialog.form.isVisible());
                EXPECT_EQ(dialog.form.GetModalResult(), mrNone);
                dialog.close->click();
            });
        });
    });
    EXPECT_EQ(dialog.form.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 3);
    EXPECT_EQ(closes, 2);
}

TEST(FormsTest, keysReachTheFormFirst)
{
    Dialog dialog;
    dialog.form.show();
    dialog.edit->setFocus();
    QStringList seen;
    dialog.form.OnShortCut = [&](QKeyEvent* event, bool& handled) {
        handled = event->key() == Qt::Key_F3 && dialog.save->isEnabled();
        if (handled)
            seen << QStringLiteral("F3");
    };
    pressKey(dialog.edit, Qt::Key_F3);
    EXPECT_EQ(seen, QStringList{QStringLiteral("F3")});

    // Without KeyPreview the edit gets its keys untouched.
    pressKey(dialog.edit, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(dialog.edit->text(), QStringLiteral("a"));

    dialog.form.SetKeyPreview(true);
    dialog.form.OnKeyPress = [](QObject*, QChar& key) {
        if (key == u'x')
            key = QChar();
        else
            key = key.toUpper();
    };
    pressKey(dialog.edit, Qt::Key_B, QStringLiteral("b"));
    pressKey(dialog.edit, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(dialog.edit->text(), QStringLiteral("aB"));
}

TEST(FormsTest, screenshotOfADialog)
{
    Dialog dialog;
    dialog.edit->setText(QStringLiteral("Zażółć gęślą jaźń"));
    dialog.form.show();
    dialog.form.SetClientSize(360, 140);
    EXPECT_EQ(dialog.edit->width(), 340);
    EXPECT_EQ(dialog.close->x(), 230);
    const QImage shot = dialog.form.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(360, 140));
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/FormsTest-dialog.png")));
}

TEST(FormsTest, parentFormOfAControl)
{
    Dialog dialog;
    EXPECT_EQ(GetParentForm(dialog.save), &dialog.form);
    QWidget loose;
    EXPECT_EQ(GetParentForm(&loose), nullptr);
}

TEST(FormsTest, modalWindowsStackAboveTheActiveWindowAndGiveItBack)
{
    TForm owner;
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    // Opened from the editor, not from its own parent window: the window goes above the active one.
    TForm editor;
    TForm family(&owner);
    TForm relative;
    QStringList seen;
    QTimer::singleShot(0, [&] {
        // The offscreen platform activates a window only at its first showing.
        QApplication::setActiveWindow(&editor);
        EXPECT_EQ(editor.windowHandle()->transientParent(), owner.windowHandle());
        QTimer::singleShot(0, [&] {
            QApplication::setActiveWindow(&family);
            EXPECT_EQ(family.windowHandle()->transientParent(), editor.windowHandle());
            EXPECT_EQ(QGuiApplication::modalWindow(), family.windowHandle());
            QTimer::singleShot(0, [&] {
                EXPECT_EQ(relative.windowHandle()->transientParent(), family.windowHandle());
                relative.Close();
            });
            relative.ShowModal();
            seen << QStringLiteral("relative closed");
            EXPECT_TRUE(QTest::qWaitForWindowActive(&family));
            EXPECT_EQ(QGuiApplication::modalWindow(), family.windowHandle());
            family.Close();
        });
        family.ShowModal();
        seen << QStringLiteral("family closed");
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        EXPECT_EQ(QGuiApplication::modalWindow(), editor.windowHandle());
        editor.Close();
    });
    EXPECT_EQ(editor.ShowModal(), mrCancel);
    EXPECT_EQ(seen, QStringList({QStringLiteral("relative closed"), QStringLiteral("family closed")}));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
}

TEST(FormsTest, windowsOpenAboveTheActiveOrElseTheModalOrElseAShownWindow)
{
    EXPECT_EQ(ActiveOwnerWindow(), nullptr);
    TForm main;
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(ActiveOwnerWindow(), &main);
    // A desktop that activates nothing.
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(ActiveOwnerWindow(), &main);
    TForm dialog;
    QTimer::singleShot(0, [&] {
        QApplication::setActiveWindow(nullptr);
        EXPECT_EQ(ActiveOwnerWindow(), &dialog);
        dialog.Close();
    });
    dialog.ShowModal();
}
