// Runs started at once on the same records: one record's read, evaluation and write is
// one unit against the others, so no update is lost, and each run is journaled whole.
#include "EndToEnd.h"

#include <vector>

TEST_F(EndToEnd, TwentyTriggersAtOnceOnOneContactEachCount)
{
    host({"set", "25", "0"});
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 20; ++i)
        runs.push_back(launch("orvanta", {"[25]=[25]+1"}));
    for (const auto &run : runs)
        EXPECT_EQ(finish(*run).exitCode, 0);
    EXPECT_EQ(field(25), "20");
}

TEST_F(EndToEnd, FourAllContactsRunsAtOnceEachCountEveryContactAndJournalCompletely)
{
    // Several batches per run, so the runs take turns between batches.
    importContacts(3000);
    std::vector<std::unique_ptr<QProcess>> launched;
    for (int i = 0; i < 4; ++i)
        launched.push_back(launch("orvanta", {"--all", "[25]=[25]&\"x\""}, "y\n"));
    for (const auto &run : launched)
        EXPECT_EQ(finish(*run).exitCode, 0);
    host({"lookup", "25=xxxx"});
    EXPECT_EQ(lookupKeys().size(), 3000);
    const std::vector<JournalRun> journaled = runs();
    ASSERT_EQ(journaled.size(), 4u);
    for (const JournalRun &run : journaled) {
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.fields, 3000);
        EXPECT_EQ(qint64(writes(run.number).size()), 3000);
    }
}
