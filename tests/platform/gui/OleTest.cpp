#include "Ole.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

// Records what reaches it.
class RecordingTarget : public TAEDropTarget
{
public:
    bool DropText(const TPoint& point, const QString& text) override
    {
        texts.append(text);
        at = point;
        return takeText;
    }
    bool DropRTF(const TPoint&, const QString& rtf) override
    {
        rtfs.append(rtf);
        return true;
    }
    bool DropFiles(const TPoint&, const QStringList& names) override
    {
        files += names;
        return true;
    }
    void DragMouseMove(const TPoint&, bool& allow) override { allow = allowHere; }

    QStringList texts;
    QStringList rtfs;
    QStringList files;
    TPoint at;
    bool allowHere = true;
    bool takeText = true;
};

QMimeData* textData(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

} // namespace

TEST(OleTest, ctrlCopiesAndEverythingElseMoves)
{
    EXPECT_EQ(StandardEffect(Qt::ControlModifier), DROPEFFECT_COPY);
    EXPECT_EQ(StandardEffect(Qt::ControlModifier | Qt::ShiftModifier), DROPEFFECT_COPY);
    EXPECT_EQ(StandardEffect(Qt::NoModifier), DROPEFFECT_MOVE);
}

TEST(OleTest, textFilesAndRichTextReachTheirOperations)
{
    RecordingTarget target;
    std::unique_ptr<QMimeData> text(textData(QStringLiteral("Żółć")));
    EXPECT_EQ(target.DragEnter(text.get(), Qt::NoModifier, Point(1, 2)), DROPEFFECT_MOVE);
    EXPECT_EQ(target.DragOver(Qt::ControlModifier, Point(3, 4)), DROPEFFECT_COPY);
    EXPECT_EQ(target.Drop(text.get(), Qt::NoModifier, Point(5, 6)), DROPEFFECT_MOVE);
    EXPECT_EQ(target.texts, QStringList{QStringLiteral("Żółć")});
    EXPECT_EQ(target.at, Point(5, 6));

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.ged"))});
    EXPECT_EQ(target.DragEnter(&files, Qt::NoModifier, TPoint{}), DROPEFFECT_MOVE);
    target.Drop(&files, Qt::NoModifier, TPoint{});
    EXPECT_EQ(target.files, QStringList{QStringLiteral("/tmp/a.ged")});
    EXPECT_EQ(target.texts.size(), 1);

    QMimeData rich;
    rich.setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1 a}"));
    EXPECT_EQ(target.DragEnter(&rich, Qt::NoModifier, TPoint{}), DROPEFFECT_NONE);
    EXPECT_EQ(target.Drop(&rich, Qt::NoModifier, TPoint{}), DROPEFFECT_NONE);
    SetRTFAware(true);
    EXPECT_EQ(target.DragEnter(&rich, Qt::NoModifier, TPoint{}), DROPEFFECT_MOVE);
    target.Drop(&rich, Qt::NoModifier, TPoint{});
    SetRTFAware(false);
    EXPECT_EQ(target.rtfs, QStringList{QStringLiteral("{\\rtf1 a}")});
}

TEST(OleTest, aTargetThatRefusesShowsNoEffect)
{
    RecordingTarget target;
    std::unique_ptr<QMimeData> text(textData(QStringLiteral("x")));
    target.DragEnter(text.get(), Qt::NoModifier, TPoint{});
    target.allowHere = false;
    EXPECT_EQ(target.DragOver(Qt::NoModifier, TPoint{}), DROPEFFECT_NONE);
    target.takeText = false;
    EXPECT_EQ(target.Drop(text.get(), Qt::NoModifier, TPoint{}), DROPEFFECT_NONE);
}

TEST(OleTest, aRegisteredWidgetHandsItsDropsToTheTarget)
{
    QWidget window;
    window.resize(100, 50);
    RecordingTarget target;
    ASSERT_TRUE(RegisterDragDrop(&window, &target));
    EXPECT_TRUE(window.acceptDrops());
    std::unique_ptr<QMimeData> text(textData(QStringLiteral("abc")));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, text.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, text.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::MoveAction);
    EXPECT_EQ(target.texts, QStringList{QStringLiteral("abc")});
    const QPoint global = window.mapToGlobal(QPoint(10, 10));
    EXPECT_EQ(target.at, Point(global.x(), global.y()));

    RevokeDragDrop(&window);
    EXPECT_FALSE(window.acceptDrops());
}

TEST(OleTest, aDragReportsTheDropOrTheCancel)
{
    QWidget source;
    QString offered;
    Qt::DropActions allowedSeen;
    Qt::DropAction answer = Qt::MoveAction;
    SetDragLoop([&](QDrag& drag, Qt::DropActions allowed) {
        offered = drag.mimeData()->text();
        allowedSeen = allowed;
        return answer;
    });
    int effect = -1;
    EXPECT_EQ(
        StartTextDoDragDrop(&source, QStringLiteral("Łódź"), QString(), DROPEFFECT_COPY | DROPEFFECT_MOVE, effect),
        DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(offered, QStringLiteral("Łódź"));
    EXPECT_EQ(allowedSeen, Qt::CopyAction | Qt::MoveAction);

    answer = Qt::CopyAction;
    StartTextDoDragDrop(&source, QStringLiteral("x"), QString(), DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);

    answer = Qt::IgnoreAction;
    EXPECT_EQ(StartTextDoDragDrop(&source, QStringLiteral("x"), QString(), DROPEFFECT_COPY, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    SetDragLoop({});
}
