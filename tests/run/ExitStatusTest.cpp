// What a script learns from orvanta's exit status: one row per kind of outcome.
#include "EndToEnd.h"
#include "SqliteConnection.h"

namespace {

struct StatusCase
{
    const char *name;
    QStringList arguments;
    QByteArray input;
    int status;
    const char *said; // a part of what the run writes on the error stream
};

} // namespace

TEST_F(EndToEnd, ExitStatusSaysHowTheRunEnded)
{
    writeAppFile("Empty.ocs", "' nothing to run\r\n");
    const StatusCase cases[] = {
        {"every statement written", {"[25]=1\\/[26]=2"}, {}, 0, ""},
        {"empty syntax file", {"File:AppPath/Empty.ocs"}, {}, 0, ""},
        {"operation aborted", {"[25]=Left(1)"}, {}, 1, "Operation aborted"},
        {"syntax error", {"[25]=Mid(\"abc\";-1)"}, {}, 1, "Syntax error"},
        {"invalid field", {"[25]=[abc]"}, {}, 1, "Invalid Field: abc"},
        {"missing =", {"[25]5"}, {}, 1, "missing ="},
        {"target not numeric", {"[x]=5"}, {}, 1, "The Target Field ID is not numeric!"},
        {"unknown field written", {"[999]=5"}, {}, 1, "Field 999 does not exist"},
        {"missing argument file", {"File:AppPath/none.ocs"}, {}, 1,
            "Unable to locate the specified argument file"},
        {"unbalanced parentheses", {"[25]=((1)"}, {}, 1, "There are 2 ( but 1 )"},
        {"an error in one record of many", {"--lookup", "[25]=Left(1)"}, "y\ny\n", 1,
            "Errors occurred in"},
        {"user stopped the run", {"--lookup", "[25]=1"}, "n\n", 1, ""},
        {"bad command line", {"--bogus", "[25]=1"}, {}, 2, "unknown option --bogus"},
    };
    for (const StatusCase &c : cases) {
        const Result r = orvanta(c.arguments, c.input);
        EXPECT_EQ(r.exitCode, c.status) << c.name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.said)) << c.name << ": " << r.err.toStdString();
    }
}

TEST_F(EndToEnd, ExitStatus3WhenTheHostCannotBeReachedOrItsDatabaseFails)
{
    {
        // Another program holds the write lock past the busy timeout.
        SqliteConnection locker(dbPath(), SqliteConnection::OpenMode::ExistingOnly);
        locker.execScript("BEGIN IMMEDIATE");
        m_extraEnvironment = {{"ORVANTA_HOST_BUSY_TIMEOUT_MS", "200"}};
        const Result r = orvanta({"[25]=1"});
        EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("locked")) << r.err.toStdString();
        locker.execScript("ROLLBACK");
    }
    m_extraEnvironment = {{"ORVANTA_HOST", dbPath() + ".missing"}};
    const Result r = orvanta({"[25]=1"});
    EXPECT_EQ(r.exitCode, 3);
    const QStringList lines = r.err.trimmed().split('\n');
    ASSERT_GE(lines.size(), 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Error 429")) << r.err.toStdString();
    // One more line after the standard report: where the host was looked for, and how
    // to make one.
    EXPECT_TRUE(lines.last().contains(dbPath() + ".missing")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains("orvanta-host init --demo")) << lines.last().toStdString();
}

TEST_F(EndToEnd, HelpDocumentsTheExitStatuses)
{
    const Result r = orvanta({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char *line : {"0  every statement was written", "2  a bad command line",
             "3  the host could not be reached or its database failed"})
        EXPECT_TRUE(r.out.contains(line)) << line;
}
