// The data link: what it reports as its data source's data set opens, moves, edits and goes away.
#include "DataSet.h"
#include "MemoryDataSet.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Logs the link's hooks by name.
class LoggingLink : public TDataLink
{
public:
    QStringList events;

protected:
    void ActiveChanged() override { events.append(GetActive() ? "active" : "inactive"); }
    void DataSetChanged() override { events.append("changed"); }
    void EditingChanged() override { events.append(GetEditing() ? "editing" : "browsing"); }
};

} // namespace

TEST(DataSetTest, theLinkFollowsOpeningMovingEditingAndClosing)
{
    MemoryDataSet data(3);
    TDataSource source;
    source.SetDataSet(&data);
    LoggingLink link;
    link.SetDataSource(&source);
    EXPECT_FALSE(link.GetActive());
    EXPECT_EQ(link.GetDataSet(), &data);
    EXPECT_TRUE(link.events.isEmpty());

    data.Open();
    data.Next();
    data.Edit();
    data.Post();
    data.Close();
    EXPECT_EQ(link.events, QStringList({"active", "changed", "editing", "browsing", "inactive"}));
    EXPECT_FALSE(link.GetEditing());
}

TEST(DataSetTest, aLinkWhoseSourceOrDataSetGoesAwayTurnsInactive)
{
    auto data = std::make_unique<MemoryDataSet>(2);
    data->Open();
    auto source = std::make_unique<TDataSource>();
    source->SetDataSet(data.get());
    EXPECT_EQ(source->GetState(), dsBrowse);
    LoggingLink link;
    link.SetDataSource(source.get());
    EXPECT_TRUE(link.GetActive());

    data.reset();
    EXPECT_FALSE(link.GetActive());
    EXPECT_EQ(source->GetState(), dsInactive);
    EXPECT_EQ(link.GetDataSet(), nullptr);

    MemoryDataSet other(1);
    other.Open();
    source->SetDataSet(&other);
    EXPECT_TRUE(link.GetActive());
    source.reset();
    EXPECT_FALSE(link.GetActive());
    EXPECT_EQ(link.GetDataSource(), nullptr);
    EXPECT_EQ(link.events, QStringList({"active", "inactive", "active", "inactive"}));
}
