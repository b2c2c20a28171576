// orvanta as a user or a script runs it, against host databases made by orvanta-host.
#include "EndToEnd.h"
#include "CalculationRun.h"
#include "OrvantaVersion.h"

#include <vector>

// Started as a field trigger (the leading /), which the host's log shows as command 104.
TEST_F(EndToEnd, ArgumentFileWithCommentsLineBreaksAppPathAndSpaces)
{
    host({"set", "3", "40"});
    host({"set", "4", "150"});
    writeAppFile("My Calc.ocs",
        "' demo\r\n[25]=[3]*2\\/\r\n[26]=If([4]>100;\r\n  1;0) ' flag\r\n"
        "\\/[27]=[25]+[26]\r\n");
    EXPECT_EQ(orvanta({"/File:AppPath/My?Calc.ocs"}).err, "");
    EXPECT_EQ(field(25), "80");
    EXPECT_EQ(field(26), "1");
    EXPECT_EQ(field(27), "81");
    EXPECT_TRUE(host({"log"}).contains("104"));
}

TEST_F(EndToEnd, ContactListViewShowsTheWarningAndRunsNothing)
{
    host({"view", "2"});
    EXPECT_TRUE(
        orvanta({"[25]=1"})
            .err.contains("Orvanta is unable to perform calculations in the Contact List view."));
    EXPECT_EQ(field(25), "");
}

TEST_F(EndToEnd, NumbersDatesAndTruthWordsFollowTheLocaleAndTheSettings)
{
    writeFile(m_dir.filePath("config/Orvanta/Orvanta.conf"), "[Settings]\nTrue=Ja\nFalse=Nein\n");
    host({"set", "3", "2.5"});
    m_lang = "de_DE.UTF-8";
    orvanta({"[25]=[3]*2\\/[26]=[3]/4\\/[27]=[3]>1\\/[28]=[3]<1\\/~[29]=[3]>1"});
    EXPECT_EQ(field(25), "5");
    EXPECT_EQ(field(26), "0,625");
    EXPECT_EQ(field(27) + field(28) + field(29), "JaNein-1");
    // An unconfigured machine is United States.
    m_lang = "C";
    orvanta({"[25]=DateAdd(\"m\";1;\"1/31/2005\")\\/[26]=[3]/10"});
    EXPECT_EQ(field(25), "2/28/2005");
    EXPECT_EQ(field(26), "0.25");
}

// What a script learns from the exit status and error stream: one row per kind of
// outcome. A run that fails writes nothing.
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
        {"version", {"--version"}, {}, 0, ""},
        {"operation aborted", {"[25]=Left(1)"}, {}, 1,
            "Operation aborted: No data was written to the target field.\n\n"
            "Cause: Invalid number of arguments in the Left Function."},
        {"syntax error", {"[25]=Mid(\"abc\";-1)"}, {}, 1, "Syntax error"},
        {"space before =", {"[25]", "=5"}, {}, 1,
            "The Target Field ID is not numeric!\nin expression : [25] =5\n"},
        {"missing argument file", {"File:AppPath/none.ocs"}, {}, 1,
            "Unable to locate the specified argument file"},
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
    for (const char *program : {"orvanta", "orvanta-host"})
        EXPECT_EQ(
            start(program, {"--version"}).out, QString("%1 %2\n").arg(program, OrvantaVersion));
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

// Field 1 holds a record's key: when it changes, the current record and a lookup walk
// follow it; a key that another record holds is refused.
TEST_F(EndToEnd, ARenamedKeyIsFollowedAndAKeyAnotherRecordHoldsIsRefused)
{
    host({"lookup", "all"});
    const QStringList keys = lookupKeys();
    const Result taken = orvanta({"[1]=\"" + keys.at(1) + "\""});
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_TRUE(taken.err.contains("Field 1 (the key) cannot become " + keys.at(1)))
        << taken.err.toStdString();
    EXPECT_EQ(host({"current"}).trimmed(), keys.at(0));
    EXPECT_EQ(orvanta({"[1]=\"RUN1\""}).exitCode, 0);
    EXPECT_EQ(orvanta({"[25]=[1]"}).exitCode, 0);
    EXPECT_EQ(field(25), "RUN1");

    const Result r = orvanta({"--lookup", "[1]=\"K\"&[1]\\/[25]=[1]"}, "y\n");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList renamed = lookupKeys();
    ASSERT_EQ(renamed.size(), keys.size());
    for (const QString &key : renamed) {
        EXPECT_TRUE(key.startsWith("K")) << key.toStdString();
        EXPECT_EQ(field(25, key), key);
    }
}

// Runs started at once on the same records: one record's read, evaluation and write is
// one unit against the others, so no update is lost, and each run is journaled whole.
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
    const std::vector<JournalRun> journaled = journal().runs();
    ASSERT_EQ(journaled.size(), 4u);
    for (const JournalRun &run : journaled) {
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.fields, 3000);
        EXPECT_EQ(qint64(journal().writes(run.number).size()), 3000);
    }
}

// A run over many records that meets an error shows it once and asks whether to go on;
// while the question waits, the records done are in and other writers go on.
TEST_F(EndToEnd, AnErrorInABulkRunIsAskedAboutOnceWhileOtherWritersGoOn)
{
    host({"lookup", "all"});
    const QStringList keys = lookupKeys();
    const int count = int(keys.size());
    // Every record fails on its last statement and still writes field 26.
    const QStringList calculation = {"--lookup", "[26]=7\\/[25]=Left(1)"};
    const auto expectReport = [&](const QString &err, const QString &report, int written) {
        EXPECT_EQ(err.count("Operation aborted"), 1) << err.toStdString();
        EXPECT_EQ(err.count(CalculationRun::continueAfterErrorsText(1, count)), 1);
        EXPECT_TRUE(err.contains(report.arg(count))) << err.toStdString();
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(field(26, keys.at(i)), i < written ? "7" : "") << i;
            host({"set", "26", "", "--record", keys.at(i)});
        }
    };
    for (const QString &key : keys)
        host({"set", "26", "", "--record", key});
    const Result all = orvanta(calculation, "y\ny\n");
    EXPECT_EQ(all.exitCode, 1);
    expectReport(all.err, "Errors occurred in %1 of %1 records.", count);

    QProcess run;
    run.setProcessEnvironment(environment());
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(ExecutableDir() + "/orvanta", calculation);
    run.write("y\n");
    QString err;
    while (!err.contains("Continue with the remaining records") && run.waitForReadyRead(10000))
        err += QString::fromUtf8(run.readAll());
    ASSERT_TRUE(err.contains("Continue with the remaining records")) << err.toStdString();
    m_extraEnvironment = {{"ORVANTA_HOST_BUSY_TIMEOUT_MS", "500"}};
    EXPECT_EQ(field(26, keys.first()), "7");
    EXPECT_EQ(
        start("orvanta-host", {"set", "27", "meanwhile", "--record", keys.first()}).exitCode, 0);
    run.write("n\n");
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 1);
    expectReport(err + QString::fromUtf8(run.readAll()),
        "The run was stopped after record 1 of %1. Errors occurred in 1 of %1 records.", 1);
    EXPECT_EQ(field(27, keys.first()), "meanwhile");
}

namespace {

// orvanta --explain as a user runs it.
class Explain : public EndToEnd
{
protected:
    // Everything printed, checking that the host's fields and command log are left alone.
    QString explain(const QString &calculation) const
    {
        const QString before = host({"export"}) + host({"log"});
        const Result r = orvanta({"--explain", calculation});
        EXPECT_EQ(host({"export"}) + host({"log"}), before);
        return r.out + r.err;
    }
};

TEST_F(Explain, PrintsEveryStatementOfAFileAndWritesNothing)
{
    host({"set", "3", "1250"});
    host({"set", "2", "Acme Corp"});
    writeAppFile(
        "explain.ocs", "[26]=Len(Left([2];4))>3\\/\r\n~[27]=[3]>100\\/\r\n[28]=If([3])\r\n");
    EXPECT_EQ(explain("File:" + appDir() + "/explain.ocs"),
        "Record: C0001\n"
        "Statement 1: [26]=Len(Left([2];4))>3\n"
        "  Target: [26]=\n"
        "  Expression: Len(Left(\"Acme Corp\";4))>3\n"
        "  Steps:\n"
        "      Left(\"Acme Corp\";4) = Acme\n"
        "    Len(Left(\"Acme Corp\";4)) = 4\n"
        "  Value: Yes\n"
        "Statement 2: ~[27]=[3]>100\n"
        "  Target: [27]=\n"
        "  Expression: \"1250\">100\n"
        "  Steps: none\n"
        "  Value: -1\n"
        "Statement 3: [28]=If([3])\n"
        "  Target: [28]=\n"
        "  Expression: If(\"1250\")\n"
        "  Steps:\n"
        "    If(\"1250\") =   <- error: The if function requires at least 2 arguments.\n"
        "  Not written: The if function requires at least 2 arguments.\n");
}

TEST_F(Explain, StopsWhereARunWouldStop)
{
    const std::pair<const char *, const char *> rows[] = {
        {"[25]=1\\/[26]",
            "Statement 2: [26]\n  Invalid Expression : missing =\n  (a run stops here)\n"},
        {"[25]=[x]\\/[26]=2", "  Invalid Field in Calculation\n  (a run stops here)\n"},
        {"File:/nowhere/at/all.ocs", "orvanta: Unable to locate the specified argument file\n"},
    };
    for (const auto &[calculation, lastLines] : rows) {
        const QString out = explain(calculation);
        EXPECT_TRUE(out.endsWith(lastLines)) << out.toStdString();
    }
}

} // namespace
