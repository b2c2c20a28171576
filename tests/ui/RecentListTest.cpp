#include "RecentList.h"
#include "FrmMainFixture.h"

namespace {

TEST(RecentListRewrite, PutsTheCurrentTextFirstAndKeepsNineOthersAtMost)
{
    const struct
    {
        const char *name;
        QString current;
        QStringList entries;
        QStringList expected;
    } rows[] = {
        {"RunAgainMovesToTheTop", "[25]=1", {"[25]=2", "[25]=1"}, {"[25]=1", "[25]=2"}},
        {"TenEntriesLoseTheOldest", "new", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
            {"new", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"CaseCounts", "[25]=a", {"[25]=A"}, {"[25]=a", "[25]=A"}},
        {"EmptyPromptGivesAnEmptyFirstLine", "", {"[25]=1"}, {"", "[25]=1"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(RecentList::rewritten(row.current, row.entries), row.expected) << row.name;
}

// The list lives in the program folder, which the fixture makes private.
using RecentListFile = FrmMainFixture;

// Saving replaces the file with UTF-8 lines ending in CR LF; loading skips empty lines and
// takes any line end.
TEST_F(RecentListFile, SaveWritesUtf8CrLfLinesAndLoadReadsThemBack)
{
    writeRecent("old 1\r\nold 2\r\nold 3\r\nold 4\r\n");
    const QString accented = QString::fromUtf8("[25]=\"\xc3\xa9\"");
    RecentList().save(accented, {"[25]=1", ""});
    EXPECT_EQ(readRecent(), QByteArray("[25]=\"\xc3\xa9\"\r\n[25]=1\r\n\r\n"));
    EXPECT_EQ(RecentList().load(), QStringList({accented, "[25]=1"}));
    writeRecent("\ra\rb\nc");
    EXPECT_EQ(RecentList().load(), QStringList({"a", "b", "c"}));
}

} // namespace
