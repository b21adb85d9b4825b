// The data-set navigation button on an in-memory data set: when each type is enabled, the question before a
// delete, the commands run, the glyphs, and what happens to a command that fails.
#include "DBAdvGlowButton.h"
#include "GlowButtonTestSupport.h"
#include "MemoryDataSet.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <memory>
#include <vector>

namespace {

class DataSetButton : public TDBAdvGlowButton
{
public:
    using TAdvCustomGlowButton::FaceInputs;
    using TAdvCustomGlowButton::InternalImages;
    using TDBAdvGlowButton::TDBAdvGlowButton;
};

const TDBGlowButtonType commandTypes[] = {dbFirst,  dbPrior, dbNext, dbLast,   dbInsert, dbAppend,
                                          dbDelete, dbEdit,  dbPost, dbCancel, dbRefresh};

// A data source over an in-memory data set, with a button of each type the window has built.
struct Navigator
{
    explicit Navigator(int records) : data(records)
    {
        data.Open();
        source.SetDataSet(&data);
        for (TDBGlowButtonType type : commandTypes)
            buttons.push_back(button(type));
    }
    std::unique_ptr<DataSetButton> button(TDBGlowButtonType type)
    {
        auto b = std::make_unique<DataSetButton>();
        b->SetDBButtonType(type);
        b->SetDataSource(&source);
        b->Loaded();
        return b;
    }
    // "1" for each enabled button, "0" for each disabled one, in the order of commandTypes.
    QString enabledStates() const
    {
        QString states;
        for (const auto& b : buttons)
            states += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    }

    MemoryDataSet data;
    TDataSource source;
    std::vector<std::unique_ptr<DataSetButton>> buttons;
};

QImage glyph(const char* name)
{
    TImageList list;
    list.AddMasked(QImage(QStringLiteral(":/glyphs/%1.bmp").arg(QLatin1String(name))), 0xFF00FF);
    return list.GetImage(0);
}

} // namespace

TEST(DBAdvGlowButtonTest, eachTypeIsEnabledByTheDataSetsState)
{
    struct Case
    {
        const char* situation;
        int records;
        std::function<void(MemoryDataSet&)> step;
        // first, prior, next, last, insert, append, delete, edit, post, cancel, refresh
        const char* enabled;
    };
    const Case cases[] = {
        {"empty", 0, [](MemoryDataSet&) {}, "00001100001"},
        {"empty and read-only", 0, [](MemoryDataSet& d) { d.SetReadOnly(true); }, "00000000001"},
        {"at the first record", 3, [](MemoryDataSet&) {}, "00111111001"},
        {"in the middle", 3, [](MemoryDataSet& d) { d.Next(); }, "11111111001"},
        {"after the last record", 3, [](MemoryDataSet& d) { d.Last(); }, "11001111001"},
        {"read-only", 3, [](MemoryDataSet& d) { d.SetReadOnly(true); }, "00110000001"},
        {"editing", 3, [](MemoryDataSet& d) { d.Edit(); }, "00000000110"},
        {"inserting", 0, [](MemoryDataSet& d) { d.Insert(); }, "00000000110"},
        {"posted", 0,
         [](MemoryDataSet& d) {
             d.Append();
             d.Post();
         },
         "11111111001"},
        {"closed", 3, [](MemoryDataSet& d) { d.Close(); }, "00000000000"},
    };
    for (const Case& c : cases) {
        Navigator navigator(c.records);
        c.step(navigator.data);
        EXPECT_EQ(navigator.enabledStates(), QString::fromLatin1(c.enabled)) << c.situation;
    }
}

TEST(DBAdvGlowButtonTest, anInactiveLinkDisablesAndDrEventLeavesTheDecisionToTheEvent)
{
    DataSetButton unbound;
    unbound.SetDBButtonType(dbRefresh);
    unbound.Loaded();
    EXPECT_FALSE(unbound.isEnabled());

    Navigator navigator(0);
    DataSetButton custom;
    custom.SetDisableControl(drEvent);
    custom.SetDataSource(&navigator.source);
    std::vector<bool> offered;
    bool answer = false;
    custom.OnGetEnabled = [&](QObject*, bool& Enabled) {
        offered.push_back(Enabled);
        Enabled = answer;
    };
    int changes = 0;
    custom.OnEnabledChanged = [&changes](QObject*) { ++changes; };
    custom.Loaded();
    EXPECT_FALSE(custom.isEnabled());
    EXPECT_EQ(changes, 1);
    answer = true;
    navigator.data.Refresh();
    EXPECT_TRUE(custom.isEnabled()) << "an empty set does not count without drEmpty";
    EXPECT_EQ(changes, 2);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_TRUE(offered[0] && offered[1]) << "the event starts from enabled";

    // Enabling from outside lets the data set decide again.
    DataSetButton* first = navigator.buttons[0].get();
    first->setEnabled(true);
    EXPECT_FALSE(first->isEnabled());
    first->SetAutoDisable(false);
    first->setEnabled(true);
    EXPECT_TRUE(first->isEnabled());
}

TEST(DBAdvGlowButtonTest, aDeleteButtonAsksFirstAndDeletesOnlyAfterOk)
{
    RecordingPrompter prompter;
    Navigator navigator(2);
    DataSetButton& remove = *navigator.buttons[6];
    ASSERT_EQ(remove.GetDBButtonType(), dbDelete);
    EXPECT_EQ(remove.GetConfirmActionString(), QStringLiteral("Delete record?"));
    remove.SetConfirmAction(true);
    QStringList events;
    remove.OnBeforeAction = [&events](QObject*, bool&) { events.append("before"); };
    remove.OnAfterAction = [&events](QObject*, bool& ShowException) {
        events.append(ShowException ? "after, failed" : "after");
    };

    prompter.answers = {Prompter::Answer::Cancel};
    remove.Click();
    EXPECT_EQ(prompter.texts, QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(prompter.buttonSets, QList<Prompter::Buttons>{Prompter::Buttons::OkCancel});
    EXPECT_TRUE(navigator.data.log.isEmpty());
    EXPECT_TRUE(events.isEmpty());

    prompter.answers = {Prompter::Answer::Ok};
    remove.Click();
    EXPECT_EQ(navigator.data.log, QStringList{QStringLiteral("Delete")});
    EXPECT_EQ(navigator.data.RecordCount(), 1);
    EXPECT_EQ(events, QStringList({"before", "after"}));

    // OnGetConfirm may change the question and its buttons; Yes confirms as well.
    remove.OnGetConfirm = [](QObject*, QString& Question, Prompter::Buttons& Buttons, int&) {
        Question = QStringLiteral("Usunąć rekord?");
        Buttons = Prompter::Buttons::YesNo;
    };
    prompter.answers = {Prompter::Answer::Yes};
    remove.Click();
    EXPECT_EQ(prompter.texts.last(), QStringLiteral("Usunąć rekord?"));
    EXPECT_EQ(prompter.buttonSets.last(), Prompter::Buttons::YesNo);
    EXPECT_EQ(navigator.data.RecordCount(), 0);

    // Without ConfirmAction nothing is asked; OnBeforeAction may stop the command.
    Navigator other(3);
    DataSetButton& next = *other.buttons[2];
    next.OnBeforeAction = [](QObject*, bool& DoAction) { DoAction = false; };
    next.Click();
    EXPECT_TRUE(other.data.log.isEmpty());
    EXPECT_EQ(prompter.texts.size(), 3);
}

TEST(DBAdvGlowButtonTest, eachTypeRunsItsCommand)
{
    const char* const commands[] = {"First",  "Prior", "Next", "Last",   "Insert", "Append",
                                    "Delete", "Edit",  "Post", "Cancel", "Refresh"};
    for (size_t i = 0; i < std::size(commandTypes); ++i) {
        Navigator navigator(3);
        if (commandTypes[i] == dbPost || commandTypes[i] == dbCancel)
            navigator.data.Edit();
        navigator.data.log.clear();
        navigator.buttons[i]->Click();
        EXPECT_EQ(navigator.data.log, QStringList{QString::fromLatin1(commands[i])});
    }
    // A custom button runs nothing; neither does a button whose data set is closed.
    Navigator navigator(3);
    navigator.button(dbCustom)->Click();
    navigator.data.Close();
    navigator.buttons[0]->Click();
    EXPECT_TRUE(navigator.data.log.isEmpty());
}

TEST(DBAdvGlowButtonTest, theGlyphFollowsTheEnabledStateUnlessTheButtonHasItsOwnImages)
{
    Navigator navigator(3);
    DataSetButton& next = *navigator.buttons[2];
    ASSERT_TRUE(next.isEnabled());
    EXPECT_EQ(next.GetImageIndex(), 0);
    EXPECT_EQ(next.InternalImages()->GetImage(0), glyph("DBIMGNEXT"));
    navigator.data.Last();
    ASSERT_FALSE(next.isEnabled());
    EXPECT_EQ(next.InternalImages()->Count(), 1);
    EXPECT_EQ(next.InternalImages()->GetImage(0), glyph("DBIMGNEXTD"));
    TBitmap tool(1, 1);
    const TGlowButtonFace face = next.FaceInputs(bsLarge, tool);
    EXPECT_EQ(face.Images, next.InternalImages());
    EXPECT_TRUE(face.ImageEnabled) << "the disabled glyph is drawn as it is";

    // Insert and append share one glyph.
    EXPECT_EQ(navigator.buttons[5]->InternalImages()->GetImage(0), glyph("DBIMGINSERT"));

    QObject owner;
    TImageList* own = glyphList(&owner);
    auto withImages = std::make_unique<DataSetButton>();
    withImages->SetImages(own);
    withImages->SetImageIndex(0);
    withImages->SetDBButtonType(dbFirst);
    withImages->SetDataSource(&navigator.source);
    withImages->Loaded();
    EXPECT_EQ(withImages->GetImages(), own);
    EXPECT_EQ(withImages->InternalImages()->Count(), 0);
}

TEST(DBAdvGlowButtonTest, aFailedCommandIsSwallowedOrPassedOnAsOnAfterActionDecides)
{
    Navigator navigator(3);
    DataSetButton& refresh = *navigator.buttons[10];
    bool show = false;
    int afters = 0;
    refresh.OnAfterAction = [&](QObject*, bool& ShowException) {
        EXPECT_TRUE(ShowException);
        ShowException = show;
        ++afters;
    };
    navigator.data.failWith = QStringLiteral("Brak połączenia");
    EXPECT_NO_THROW(refresh.Click());
    EXPECT_EQ(afters, 1);

    show = true;
    navigator.data.failWith = QStringLiteral("Brak połączenia");
    try {
        refresh.Click();
        ADD_FAILURE() << "the exception was swallowed";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Brak połączenia"));
    }
    EXPECT_EQ(afters, 2);
    EXPECT_EQ(navigator.data.log, QStringList({"Refresh", "Refresh"}));
}
