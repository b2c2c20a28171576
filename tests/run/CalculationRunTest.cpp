#include "HostNumbers.h"
#include "RunFixture.h"

#include <ostream>

namespace {

const QString MissingEquals = QStringLiteral("Invalid Expression : missing =\rin expression : ");
const QString TargetNotNumeric
    = QStringLiteral("The Target Field ID is not numeric!\rin expression : ");
const QString UseDoubleEquals
    = QStringLiteral("\rIf you are using a function to calculate the target field,\rmake sure you "
                     "use == instead of = between the target field and the calculation.");

struct StatementRow
{
    const char *name;
    QString commandLine;
    QMap<qint32, QString> written; // expected field values of the current record afterwards
    QStringList messages;
};

void PrintTo(const StatementRow &row, std::ostream *os)
{
    *os << row.commandLine.toStdString();
}

class Statements : public RunFixture, public ::testing::WithParamInterface<StatementRow>
{
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        writeAppFile("lf.ocs", "[25]=1 ' comment\n\\/[26]=2\n");
        writeAppFile("comments.ocs", "' nothing\r\n'[25]=1\r\n");
    }
};

} // namespace

TEST_P(Statements, WriteWhatTheyShouldAndSayWhatTheyMust)
{
    const StatementRow &row = GetParam();
    run(row.commandLine);
    EXPECT_EQ(dialogs.texts(), row.messages);
    for (auto it = row.written.cbegin(); it != row.written.cend(); ++it)
        EXPECT_EQ(host.field(0, it.key()), it.value()) << "field " << it.key();
    if (row.written.isEmpty()) {
        EXPECT_EQ(host.calls.filter("SetField").size(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(CalculationRun, Statements,
    ::testing::Values(StatementRow {"Product", "[25]=[3]*2", {{25, "25"}}, {}},
        StatementRow {"LeadingSlash", "/[25]=[3]*2", {{25, "25"}}, {}},
        StatementRow {
            "LaterReadsEarlier", "[25]=[3]*2\\/[26]=[25]+1", {{25, "25"}, {26, "26"}}, {}},
        StatementRow {"TruthWords", "[30]=[4]>100\\/[31]=[4]<100", {{30, "Yes"}, {31, "No"}}, {}},
        StatementRow {"TildeKeepsResult", "~[30]=[4]>100", {{30, "-1"}}, {}},
        StatementRow {"PlainMinusOne", "[30]=0-1", {{30, "-1"}}, {}},
        StatementRow {"DoubleEqualsNumericTarget", "[25]==[3]+1", {{25, "13.5"}}, {}},
        StatementRow {"DoubleEqualsComputedTarget", "[3*9]==7", {{27, "7"}}, {}},
        StatementRow {"UnderscoreIsSpace", "[25]=Len(\"a_b\")", {{25, "3"}}, {}},
        StatementRow {"EmptyFieldIsTwoQuotes", "[25]=[5]&\"x\"", {{25, "x"}}, {}},
        StatementRow {"EmptyMainWindowCalculation", "", {}, {}},
        StatementRow {
            "FileWithLineFeedsOnlyIsOneLine", "File:AppPath/lf.ocs", {{25, "1"}, {26, ""}}, {}},
        StatementRow {"FileOfCommentsRunsNothing", "File:AppPath/comments.ocs", {}, {}},
        StatementRow {"MissingEquals", "[25]", {}, {MissingEquals + "[25]"}},
        StatementRow {"EqualsFirst", "=5", {}, {MissingEquals + "=5"}},
        StatementRow {
            "LowerCaseFileIsACalculation", "file:x.ocs", {}, {MissingEquals + "file:x.ocs"}},
        StatementRow {"TrailingSeparator", "[25]=1\\/", {{25, "1"}}, {MissingEquals}},
        StatementRow {
            "SpaceBeforeEquals", "[25] =5", {}, {TargetNotNumeric + "[25] =5" + UseDoubleEquals}},
        StatementRow {"ComputedTargetNotNumeric", "[abc]==5", {}, {TargetNotNumeric + "[abc]==5"}},
        StatementRow {"InvalidField", "[25]=[abc]*2", {},
            {"Invalid Field: abc\rin expression : [25]=[abc]*2"}},
        StatementRow {"EmptyField", "[25]=[]", {}, {"Invalid Field: \rin expression : [25]=[]"}},
        StatementRow {
            "Parentheses", "[25]=((1)", {}, {"Your calculation is invalid. There are 2 ( but 1 )"}},
        StatementRow {"QuotedParenthesesCount", "[25]=\"(\"", {},
            {"Your calculation is invalid. There are 1 ( but 0 )"}}),
    [](const ::testing::TestParamInfo<StatementRow> &info) { return info.param.name; });

TEST_F(RunFixture, EvaluatorErrorAbortsOnlyItsStatement)
{
    run("[25]=1\\/[26]=Left(1)\\/[27]=3");
    EXPECT_EQ(host.field(0, 25), "1");
    EXPECT_EQ(host.field(0, 26), "");
    EXPECT_EQ(host.field(0, 27), "3");
    ASSERT_EQ(dialogs.shown().size(), 1);
    const auto &box = dialogs.shown().first();
    EXPECT_EQ(box.caption, "Operation aborted");
    EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(box.text,
        "No data was written to the target field.\r\rCause: Invalid number of "
        "arguments in the Left Function.");
}

TEST_F(RunFixture, CommaDecimalSeparatorReachesEveryDot)
{
    host.records[0][6] = "a.b";
    run("[25]=[3]*2\\/[26]=[6]", QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(host.field(0, 25), "25");
    EXPECT_EQ(host.field(0, 26), "a,b");
}

TEST_F(RunFixture, HostFailuresAreReportedAndTheNextStatementRuns)
{
    const struct
    {
        const char *name;
        QString commandLine;
        bool viewLost;
        QString reportStart;
        const char *field25;
    } rows[] = {
        {"lost view", "[25]=[3]", true, CalculationRun::lostHostText(), ""},
        {"other failure", "[25]=[99]", false,
            "Error 5: 'Field 99 does not exist'\rin Prog: Sub Start_Calc - Line # ", ""},
        {"refused write", "[77]=1\\/[25]=2", false,
            "Error 5: 'Field 77 does not exist'\rin Prog: Sub WriteTargetField - Line # 1", "2"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        dialogs.clear();
        host.records[0].remove(25);
        state = RunState();
        state.hostApplication = &host;
        state.viewCollection = &host;
        state.activeViewType = HostViewType::Contacts;
        state.calculationView = row.viewLost ? nullptr : host.Create(HostViewType::Contacts, "CV");
        run(row.commandLine);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.shown().first().text.startsWith(row.reportStart))
            << dialogs.shown().first().text.toStdString();
        EXPECT_EQ(host.field(0, 25), row.field25);
        if (row.viewLost) {
            EXPECT_EQ(dialogs.shown().first().caption, "Orvanta error");
        }
    }
}

TEST_F(RunFixture, GroupViewField25LeavesAndReturns)
{
    host.add("C2", {});
    host.lookup = {0, 1};
    state.activeViewType = HostViewType::Groups;
    run("[25]=5");
    EXPECT_EQ(host.commands, QList<qint16>({HostCommand::BeforeRun, HostCommand::BeforeRun}));
    EXPECT_EQ(host.calls.mid(host.calls.indexOf("SetField 25=5")),
        QStringList({"SetField 25=5", "getField 1", "MoveNext", "GoTo C1"}));
    EXPECT_EQ(host.current, 0);
}
