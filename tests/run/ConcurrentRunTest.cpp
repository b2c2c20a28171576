// Runs started at once on the same records: one record's read, evaluation and write is
// one unit against the others, so no update is lost.
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

TEST_F(EndToEnd, FourAllContactsRunsAtOnceEachCountEveryContact)
{
    // Several batches per run, so the runs take turns between batches.
    QByteArray csv = "2,29\n";
    for (int i = 1; i <= 3000; ++i)
        csv += "Company " + QByteArray::number(i) + ",0\n";
    writeAppFile("contacts.csv", csv);
    host({"import", appDir() + "/contacts.csv"});
    host({"lookup", "all"});
    const qsizetype contacts = lookupKeys().size();
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 4; ++i)
        runs.push_back(launch("orvanta", {"--all", "[29]=[29]+1"}, "y\n"));
    for (const auto &run : runs)
        EXPECT_EQ(finish(*run).exitCode, 0);
    host({"lookup", "29=4"});
    EXPECT_EQ(lookupKeys().size(), contacts);
}
