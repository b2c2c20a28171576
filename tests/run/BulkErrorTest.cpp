// A run over many records that meets an error shows it once and asks whether to go on.
#include "CalculationRun.h"
#include "EndToEnd.h"

namespace {

struct AnswerCase
{
    const char *name;
    QByteArray input; // the confirmation, then the answer to the question
    int recordsWritten; // of the lookup's first three, in order
    const char *report;
};

} // namespace

TEST_F(EndToEnd, AnErrorInABulkRunIsAskedAboutOnce)
{
    host({"lookup", "all"});
    const QStringList keys = lookupKeys();
    ASSERT_GE(keys.size(), 3);
    const int count = int(keys.size());
    // Every record writes field 26 and then fails on its second statement.
    const QString calculation = "[26]=7\\/[25]=Left(1)";
    const AnswerCase cases[] = {
        {"yes goes on silently", "y\ny\n", count, "Errors occurred in %1 of %1 records."},
        {"no stops after the first record", "y\nn\n", 1,
            "The run was stopped after record 1 of %1. Errors occurred in 1 of %1 records."},
        {"end of input means no", "y\n", 1,
            "The run was stopped after record 1 of %1. Errors occurred in 1 of %1 records."},
    };
    for (const AnswerCase &c : cases) {
        for (const QString &key : keys)
            host({"set", "26", "", "--record", key});
        const Result r = orvanta({"--lookup", calculation}, c.input);
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_EQ(r.err.count("Operation aborted"), 1) << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.count(CalculationRun::continueAfterErrorsText(1, count)), 1) << c.name;
        EXPECT_TRUE(r.err.contains(QString(c.report).arg(count)))
            << c.name << ": " << r.err.toStdString();
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(field(26, keys.at(i)), i < c.recordsWritten ? "7" : "") << c.name << i;
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
    const Result other = start("orvanta-host", {"set", "27", "meanwhile", "--record", first});
    EXPECT_EQ(other.exitCode, 0) << other.err.toStdString();
    run.write("n\n");
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_EQ(field(27, first), "meanwhile");
}
