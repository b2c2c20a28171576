// What a script learns from orvanta's exit status and error stream: one row per kind of
// outcome. A run that fails writes nothing.
#include "EndToEnd.h"

TEST_F(EndToEnd, ExitStatusSaysHowTheRunEnded)
{
    writeAppFile("Empty.ocs", "' nothing to run\r\n");
    const struct
    {
        const char *name;
        QStringList arguments;
        QByteArray input;
        int status;
        const char *said; // a part of what the run writes on the error stream
    } rows[] = {
        {"every statement written", {"[25]=1\\/[26]=2"}, {}, 0, ""},
        {"empty syntax file", {"File:AppPath/Empty.ocs"}, {}, 0, ""},
        {"help", {"--help"}, {}, 0, ""},
        {"operation aborted", {"[25]=Left(1)"}, {}, 1,
            "Operation aborted: No data was written to the target field.\n\n"
            "Cause: Invalid number of arguments in the Left Function."},
        {"syntax error", {"[25]=Mid(\"abc\";-1)"}, {}, 1, "Syntax error"},
        {"target without brackets", {"25=1"}, {}, 1, "The Target Field ID is not numeric!"},
        {"space before =", {"[25]", "=5"}, {}, 1,
            "The Target Field ID is not numeric!\nin expression : [25] =5\n"},
        {"missing argument file", {"File:AppPath/none.ocs"}, {}, 1,
            "Unable to locate the specified argument file"},
        {"unbalanced parentheses", {"[25]=((1)"}, {}, 1,
            "Your calculation is invalid. There are 2 ( but 1 )"},
        {"user stopped the run", {"--lookup", "[25]=1"}, "n\n", 1, ""},
        {"bad command line", {"--bogus", "[25]=1"}, {}, 2, "orvanta: unknown option --bogus"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString before = host({"export"});
        const Result r = orvanta(row.arguments, row.input);
        EXPECT_EQ(r.exitCode, row.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(row.said)) << r.err.toStdString();
        // A syntax error still writes what the evaluator gave back.
        if (row.status != 0 && row.name != std::string("syntax error")) {
            EXPECT_EQ(host({"export"}), before);
        }
    }
    EXPECT_TRUE(orvanta({"--help"}).out.contains("--lookup"));
}

TEST_F(EndToEnd, ExitStatus3WhenTheHostCannotBeReachedOrItsDatabaseFails)
{
    // The last batch is committed as the run's last step; nothing of it is kept.
    m_extraEnvironment = {{"ORVANTA_HOST_MAX_PAGES", "1"}};
    const Result full = orvanta({"[25]=\"" + QString(20000, 'x') + "\"\\/[26]=6"});
    EXPECT_EQ(full.exitCode, 3);
    EXPECT_TRUE(full.err.contains("database or disk is full")) << full.err.toStdString();
    EXPECT_TRUE(full.err.contains("Start_Calc - Line # 11"));
    m_extraEnvironment.clear();
    EXPECT_EQ(field(25), "");
    EXPECT_EQ(field(26), "");

    m_extraEnvironment = {{"ORVANTA_HOST", dbPath() + ".missing"}};
    const Result r = orvanta({"[25]=1"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("Error 429: 'ActiveX component can't create object'\nin Module1: "
                               "Sub Main - Line # "))
        << r.err.toStdString();
    // One more line after the standard report: where the host was looked for, and how
    // to make one.
    const QString last = r.err.trimmed().section('\n', -1);
    EXPECT_TRUE(last.contains(dbPath() + ".missing")) << last.toStdString();
    EXPECT_TRUE(last.contains("orvanta-host init --demo")) << last.toStdString();
}
