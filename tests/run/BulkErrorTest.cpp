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
