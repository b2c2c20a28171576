// What a script learns from orvanta's exit status and error stream: one row per kind of
// outcome. A run that fails writes nothing.
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
        {"help", {"--help"}, {}, 0, ""},
        {"operation aborted", {"[25]=Left(1)"}, {}, 1,
            "Operation aborted: No data was written to the target field.\n\n"
            "Cause: Invalid number of arguments in the Left Function."},
        {"syntax error", {"[25]=Mid(\"abc\";-1)"}, {}, 1, "Syntax error"},
        {"invalid field", {"[25]=[abc]"}, {}, 1, "Invalid Field: abc\nin expression : [25]=[abc]"},
        {"missing =", {"[25]5"}, {}, 1, "missing ="},
        {"target not numeric", {"[x]=5"}, {}, 1, "The Target Field ID is not numeric!"},
        {"target without brackets", {"25=1"}, {}, 1, "The Target Field ID is not numeric!"},
        {"space before =", {"[25]", "=5"}, {}, 1,
            "The Target Field ID is not numeric!\nin expression : [25] =5\n"},
        {"unknown field written", {"[999]=5"}, {}, 1, "Field 999 does not exist"},
        {"missing argument file", {"File:AppPath/none.ocs"}, {}, 1,
            "Unable to locate the specified argument file"},
        {"unbalanced parentheses", {"[25]=((1)"}, {}, 1,
            "Your calculation is invalid. There are 2 ( but 1 )"},
        {"an error in one record of many", {"--lookup", "[25]=Left(1)"}, "y\ny\n", 1,
            "Errors occurred in"},
        {"user stopped the run", {"--lookup", "[25]=1"}, "n\n", 1, ""},
        {"bad command line", {"--bogus", "[25]=1"}, {}, 2, "orvanta: unknown option --bogus"},
    };
    for (const StatusCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = host({"export"});
        const Result r = orvanta(c.arguments, c.input);
        EXPECT_EQ(r.exitCode, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
        // A syntax error still writes what the evaluator gave back.
        if (c.status != 0 && c.name != std::string("syntax error")) {
            EXPECT_EQ(host({"export"}), before);
        }
    }
    EXPECT_TRUE(orvanta({"--help"}).out.contains("--lookup"));
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
    EXPECT_TRUE(r.err.contains("Error 429: 'ActiveX component can't create object'\nin Module1: "
                               "Sub Main - Line # "))
        << r.err.toStdString();
    // One more line after the standard report: where the host was looked for, and how
    // to make one.
    EXPECT_TRUE(lines.last().contains(dbPath() + ".missing")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains("orvanta-host init --demo")) << lines.last().toStdString();
}
