#include "UpdateCheck.h"
#include "AppFixture.h"
#include "Clock.h"
#include "FakeWebServer.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

const QDateTime fixedNow(QDate(2024, 5, 17), QTime(10, 30));

class UpdateCheckTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Clock::setFixedNow(fixedNow);
        UpdateService::SetBaseUrl(server.baseUrl());
        UpdateService::SetTimeout(400);
        today = DayNumber(fixedNow);
    }
    void TearDown() override
    {
        Clock::setFixedNow(QDateTime());
        AppFixture::TearDown();
    }

    FakeWebServer server;
    int today = 0;
};

TEST_F(UpdateCheckTest, dayNumbersCountFromTheLastDayOf1899)
{
    EXPECT_EQ(DayNumber(QDateTime(QDate(1899, 12, 31), QTime(23, 59))), 1);
    EXPECT_EQ(DayNumber(QDateTime(QDate(1900, 1, 1), QTime(0, 0))), 2);
    EXPECT_EQ(DayNumber(QDateTime(QDate(2024, 5, 17), QTime(10, 30))), 45429);
}

TEST_F(UpdateCheckTest, queryAsksTheServiceWithTheProductCodeVersionAndHeaders)
{
    server.reply(200, "OK:1.2.2.0");
    gSettings.LastCheck = today - 3;
    CheckForUpdate();
    ASSERT_EQ(server.requests.size(), 1);
    const QList<QByteArray> lines = server.requests[0].split('\n');
    EXPECT_EQ(lines[0].trimmed(), "GET /kronvel/akt.php?akc=check&id=KV&ver=1.2.2.0 HTTP/1.1");
    EXPECT_TRUE(server.requests[0].contains("\r\nAccept: text/html, */*\r\n")) << server.requests[0].constData();
    EXPECT_TRUE(server.requests[0].contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)"))
        << server.requests[0].constData();
}

TEST_F(UpdateCheckTest, repliesDecideTheResultAndTheDayOfTheLastCheck)
{
    struct Case
    {
        const char* what;
        int lastCheckDaysAgo;
        int status; // 0: the server never answers
        QByteArray body;
        int requests;
        bool newer;
        bool checkedToday;
    };
    const Case cases[] = {
        {"checked two days ago", 2, 200, "OK:1.3", 0, false, false},
        {"clock set back", -5, 200, "OK:1.3", 0, false, false},
        {"another version", 3, 200, "OK:1.3", 1, true, true},
        {"an older version also counts", 3, 200, "OK:1.0", 1, true, true},
        {"this version", 3, 200, "OK:1.2.2.0", 1, false, true},
        {"this version and a line break", 3, 200, "OK:1.2.2.0\r\n", 1, true, true},
        {"lower case", 3, 200, "ok:1.3", 1, false, false},
        {"nothing after the colon", 3, 200, "OK:", 1, false, false},
        {"empty reply", 3, 200, "", 1, false, false},
        {"error page that reads like an answer", 3, 500, "OK:1.3", 1, false, false},
        {"not found", 3, 404, "<html>Not found</html>", 1, false, false},
        {"server stalls", 3, 0, "", 1, false, false},
    };
    for (const Case& c : cases) {
        server.requests.clear();
        if (c.status == 0)
            server.stall();
        else
            server.reply(c.status, c.body);
        gSettings.LastCheck = today - c.lastCheckDaysAgo;
        EXPECT_EQ(CheckForUpdate(), c.newer) << c.what;
        EXPECT_EQ(server.requests.size(), c.requests) << c.what;
        EXPECT_EQ(gSettings.LastCheck, c.checkedToday ? today : today - c.lastCheckDaysAgo) << c.what;
    }
}

TEST_F(UpdateCheckTest, stalledServerEndsAtTheTimeOutWhileTimersStillRun)
{
    server.stall();
    gSettings.LastCheck = 0;
    bool timerRan = false;
    QTimer::singleShot(50, [&] { timerRan = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(CheckForUpdate());
    EXPECT_GE(elapsed.elapsed(), 350);
    EXPECT_LT(elapsed.elapsed(), 5000);
    EXPECT_TRUE(timerRan);
}

TEST_F(UpdateCheckTest, automaticCheckOffersTheUpdatePageForAnotherVersion)
{
    struct Case
    {
        const char* what;
        QByteArray body;
        Prompter::Answer answer;
        int questions;
        bool opened;
    };
    const Case cases[] = {
        {"yes", "OK:1.3", Prompter::Answer::Yes, 1, true},
        {"no", "OK:1.3", Prompter::Answer::No, 1, false},
        {"cancel", "OK:1.3", Prompter::Answer::Cancel, 1, false},
        {"same version", "OK:1.2.2.0", Prompter::Answer::Yes, 0, false},
    };
    for (const Case& c : cases) {
        RecordingPrompter prompts;
        prompts.answers = {c.answer};
        RecordingOpener opener;
        server.reply(200, c.body);
        gSettings.LastCheck = 0;
        AutomaticUpdateCheck();
        ASSERT_EQ(prompts.texts.size(), c.questions) << c.what;
        if (c.questions) {
            EXPECT_EQ(prompts.texts[0], "Dostępna jest nowa wersja programu.\r\n\r\nCzy chcesz pobrać nową wersję "
                                        "programu? ");
            EXPECT_EQ(prompts.captions[0], "Uwaga");
        }
        EXPECT_EQ(opener.opened,
                  c.opened ? QStringList{server.baseUrl() + "update.php?id=KV&ver=1.2.2.0"} : QStringList())
            << c.what;
    }
}

} // namespace
