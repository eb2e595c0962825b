// Requests and exits that race the update thread: every run either reaches the
// UI stand-in whole or not at all, and Shutdown always joins.
#include "UpdateTestSupport.h"
#include "fixtures/TestEnvironment.h"

TEST(UpdateCheckerTsanTest, RequestsAndShutdownRaceTheWorker)
{
    kmtest::CLocalHttpServer server;
    server.SetReply("/scripts/updates.php", {200, "0.0.1", false});
    server.SetReply("/scripts/auto_news.php", {200, "<html>news</html>", false});
    const auto news = kmtest::TestDir() / "tsan-news" / "news.html";
    for (int round = 0; round < 30; ++round) {
        kmtest::CQueuePoster poster;
        kmtest::CRecordingMessages messages;
        {
            CUpdateChecker checker(CUpdateService(server.BaseUrl(), news), poster, messages);
            checker.StartAuto();
            checker.CheckNow();
            if (round % 3 == 1) poster.RunUntil([&] { return messages.autoDone > 0; });
            if (round % 3 == 2) poster.RunUntil([&] { return messages.manualDone > 0; });
            checker.CheckNow();
            checker.Shutdown();
            checker.CheckNow();  // after Shutdown: ignored
        }
        poster.Drain();
        EXPECT_LE(messages.manualDone, 2);
        EXPECT_LE(messages.autoDone, 1);
    }
}
