// orvanta as a user or a script runs it, against host databases made by orvanta-host.
#include "EndToEnd.h"
#include "CalculationRun.h"
#include "OrvantaVersion.h"

#include <vector>

TEST_F(EndToEnd, FieldTriggerFromTheCommandLine)
{
    host({"set", "3", "1250"});
    const Result r = orvanta({"/[25]=[3]*2"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(field(25), "2500");
    EXPECT_TRUE(host({"log"}).contains("104"));
}

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
}

TEST_F(EndToEnd, TruthWordsAndTilde)
{
    writeFile(m_dir.filePath("config/Orvanta/Orvanta.conf"), "[Settings]\nTrue=Ja\nFalse=Nein\n");
    host({"set", "3", "500"});
    orvanta({"[25]=[3]>100\\/[26]=[3]<100\\/~[27]=[3]>100"});
    EXPECT_EQ(field(25), "Ja");
    EXPECT_EQ(field(26), "Nein");
    EXPECT_EQ(field(27), "-1");
}

TEST_F(EndToEnd, ContactListViewShowsTheWarningAndRunsNothing)
{
    host({"view", "2"});
    EXPECT_TRUE(
        orvanta({"[25]=1"})
            .err.contains("Orvanta is unable to perform calculations in the Contact List view."));
    EXPECT_EQ(field(25), "");
}

TEST_F(EndToEnd, NumbersAndDatesFollowTheLocaleAndAnUnconfiguredMachineIsUnitedStates)
{
    host({"set", "3", "2.5"});
    m_lang = "de_DE.UTF-8";
    orvanta({"[25]=[3]*2\\/[26]=[3]/4"});
    EXPECT_EQ(field(25), "5");
    EXPECT_EQ(field(26), "0,625");
    m_lang = "C";
    orvanta({"[25]=DateAdd(\"m\";1;\"1/31/2005\")\\/[26]=[3]/10"});
    EXPECT_EQ(field(25), "2/28/2005");
    EXPECT_EQ(field(26), "0.25");
}

TEST_F(EndToEnd, BothProgramsTellTheBuildsVersion)
{
    for (const char *program : {"orvanta", "orvanta-host"}) {
        const Result r = start(program, {"--version"});
        EXPECT_EQ(r.exitCode, 0) << program;
        EXPECT_EQ(r.out, QString("%1 %2\n").arg(program, OrvantaVersion)) << program;
    }
}

// Field 1 holds a record's key: when it changes, the current record follows it.
TEST_F(EndToEnd, ARenamedKeyStaysTheCurrentRecordForTheNextRun)
{
    EXPECT_EQ(orvanta({"[1]=\"RUN1\""}).exitCode, 0);
    EXPECT_EQ(orvanta({"[25]=[1]"}).exitCode, 0);
    EXPECT_EQ(field(25), "RUN1");
}

TEST_F(EndToEnd, AKeyThatAnotherRecordHoldsIsRefused)
{
    const QStringList keys = lookupKeys();
    ASSERT_GE(keys.size(), 2);
    host({"goto", keys.at(0)});
    const Result r = orvanta({"[1]=\"" + keys.at(1) + "\""});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Field 1 (the key) cannot become " + keys.at(1)))
        << r.err.toStdString();
    EXPECT_EQ(host({"current"}).trimmed(), keys.at(0));
}

TEST_F(EndToEnd, ALookupWalkFollowsKeysItRenames)
{
    host({"lookup", "all"});
    const qsizetype count = lookupKeys().size();
    const Result r = orvanta({"--lookup", "[1]=\"K\"&[1]\\/[25]=[1]"}, "y\n");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList renamed = lookupKeys();
    ASSERT_EQ(renamed.size(), count);
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

// A run over many records that meets an error shows it once and asks whether to go on.
TEST_F(EndToEnd, AnErrorInABulkRunIsAskedAboutOnce)
{
    host({"lookup", "all"});
    const QStringList keys = lookupKeys();
    const int count = int(keys.size());
    const struct
    {
        const char *answer;
        int recordsWritten; // of the lookup's records, in order
        QString report;
    } rows[] = {
        {"y\n", count, "Errors occurred in %1 of %1 records."},
        {"n\n", 1, "The run was stopped after record 1 of %1. Errors occurred in 1 of %1 records."},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.answer);
        for (const QString &key : keys)
            host({"set", "26", "", "--record", key});
        // Every record fails on its first statement and still writes field 26.
        const Result r
            = orvanta({"--lookup", "[25]=Left(1)\\/[26]=7"}, QByteArray("y\n") + row.answer);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.count("Operation aborted"), 1) << r.err.toStdString();
        EXPECT_EQ(r.err.count(CalculationRun::continueAfterErrorsText(1, count)), 1);
        EXPECT_TRUE(r.err.contains(row.report.arg(count))) << r.err.toStdString();
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(field(26, keys.at(i)), i < row.recordsWritten ? "7" : "") << i;
    }
}

TEST_F(EndToEnd, WhileTheQuestionWaitsOtherWritersGoOn)
{
    host({"lookup", "all"});
    const QString first = lookupKeys().first();
    host({"set", "26", "", "--record", first});
    QProcess run;
    run.setProcessEnvironment(environment());
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(ExecutableDir() + "/orvanta", {"--lookup", "[26]=7\\/[25]=Left(1)"});
    run.write("y\n");
    QString err;
    while (!err.contains("Continue with the remaining records") && run.waitForReadyRead(10000))
        err += QString::fromUtf8(run.readAll());
    ASSERT_TRUE(err.contains("Continue with the remaining records")) << err.toStdString();
    // The first record's write is in, and the database is free for others.
    m_extraEnvironment = {{"ORVANTA_HOST_BUSY_TIMEOUT_MS", "500"}};
    EXPECT_EQ(field(26, first), "7");
    EXPECT_EQ(start("orvanta-host", {"set", "27", "meanwhile", "--record", first}).exitCode, 0);
    run.write("n\n");
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_EQ(field(27, first), "meanwhile");
}
