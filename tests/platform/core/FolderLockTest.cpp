#include "FolderLock.h"
#include "FolderHolder.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

TEST(FolderLockTest, oneHolderAtATimeWhetherInThisProcessOrAnother)
{
    QTemporaryDir dir;
    using State = FolderLock::State;
    std::optional<FolderLock> first(std::in_place, dir.path());
    ASSERT_EQ(first->state(), State::Held) << first->error().toStdString();

    // The lock belongs to the open file: a second one in the same process is refused like another process's.
    EXPECT_EQ(FolderLock(dir.path()).state(), State::InUse);
    EXPECT_EQ(FolderHolder(dir.path()).state(), "in use");

    // A lock that moves keeps the folder locked; one let go frees it.
    FolderLock moved = std::move(*first);
    first.reset();
    EXPECT_TRUE(moved.held());
    EXPECT_EQ(FolderLock(dir.path()).state(), State::InUse);
    moved = FolderLock(QDir(dir.path()).filePath("missing"));
    EXPECT_EQ(moved.state(), State::Failed);
    EXPECT_TRUE(moved.error().contains("missing")) << moved.error().toStdString();
    EXPECT_EQ(FolderLock(dir.path()).state(), State::Held);

    // The lock file stays: removing it could let two holders lock two different files of one name.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(FolderLock::FileName)));
}

TEST(FolderLockTest, aHolderKilledWithoutCleaningUpNeverBlocksTheNext)
{
    QTemporaryDir dir;
    FolderHolder holder(dir.path());
    ASSERT_EQ(holder.state(), "held");
    EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::InUse);
    holder.kill();
    EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::Held);
}
