#include "RunFixture.h"

namespace {

const QString MissingEquals = QStringLiteral("Invalid Expression : missing =\rin expression : ");
const QString TargetNotNumeric
    = QStringLiteral("The Target Field ID is not numeric!\rin expression : ");

// Record C4 is outside the lookup.
class LookupRun : public RunFixture
{
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        host.add("C2", {{3, "1"}});
        host.add("C3", {{3, "2"}});
        host.add("C4", {{3, "3"}});
        host.lookup = {2, 0, 1};
        state.lookupFlag = true;
        dialogs.scriptAnswers({Dialogs::Answer::Yes, Dialogs::Answer::Yes});
    }
};

} // namespace

TEST_F(RunFixture, StatementsWriteWhatTheyShouldAndSayWhatTheyMust)
{
    const struct
    {
        QString commandLine;
        QMap<qint32, QString> written; // field values of the current record afterwards
        QStringList messages;
    } rows[] = {
        {"[25]=[3]*2\\/[26]=[25]+1", {{25, "25"}, {26, "26"}}, {}},
        {"[30]=0-1", {{30, "-1"}}, {}},
        {"[25]==[3]+1", {{25, "13.5"}}, {}},
        {"[3*9]==7", {{27, "7"}}, {}},
        {"[25]=\"a_b\"", {{25, "a b"}}, {}},
        {"", {}, {}}, // the main window gives nothing to run
        {"[25]", {}, {MissingEquals + "[25]"}},
        {"=5", {}, {MissingEquals + "=5"}},
        {"file:x.ocs", {}, {MissingEquals + "file:x.ocs"}},
        {"[25]=1\\/", {{25, "1"}}, {MissingEquals}},
        {"[25] =5", {},
            {TargetNotNumeric
                + "[25] =5\rIf you are using a function to calculate the target field,\rmake "
                  "sure you use == instead of = between the target field and the calculation."}},
        {"[abc]==5", {}, {TargetNotNumeric + "[abc]==5"}},
        {"[25]=[abc]*2", {}, {"Invalid Field: abc\rin expression : [25]=[abc]*2"}},
        {"[25]=\"(\"", {}, {"Your calculation is invalid. There are 1 ( but 0 )"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.commandLine.toStdString());
        dialogs.clear();
        host.calls.clear();
        run(row.commandLine);
        EXPECT_EQ(dialogs.texts(), row.messages);
        for (auto it = row.written.cbegin(); it != row.written.cend(); ++it)
            EXPECT_EQ(host.field(0, it.key()), it.value()) << "field " << it.key();
        EXPECT_EQ(setFieldCalls().isEmpty(), row.written.isEmpty());
    }
}

TEST_F(RunFixture, HostFailuresAreReportedAndTheNextStatementRuns)
{
    run("[77]=1\\/[25]=2");
    EXPECT_EQ(host.field(0, 25), "2");
    state.calculationView = nullptr;
    run("[26]=[3]");
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_TRUE(dialogs.texts().at(0).startsWith(
        "Error 5: 'Field 77 does not exist'\rin Prog: Sub WriteTargetField - Line # 1"));
    EXPECT_TRUE(dialogs.texts().at(1).startsWith(CalculationRun::lostHostText()));
    EXPECT_EQ(dialogs.shown().at(1).caption, "Orvanta error");
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

TEST_F(LookupRun, FromTheMainWindowYesProcessesEachRecordOnceInLookupOrder)
{
    windows.calculation = "[25]=[3]*2";
    windows.lookup = true;
    windows.proceed = false;
    run("");
    EXPECT_TRUE(host.commands.isEmpty());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    windows.proceed = true;
    run("");
    ASSERT_FALSE(dialogs.shown().isEmpty());
    const auto &question = dialogs.shown().first();
    EXPECT_EQ(question.text, CalculationRun::confirmLookupText());
    EXPECT_EQ(question.defaultAnswer, Dialogs::Answer::No);
    EXPECT_EQ(setFieldCalls(), QStringList({"SetField 25=4", "SetField 25=25", "SetField 25=2"}));
    EXPECT_EQ(host.field(3, 25), "");
    EXPECT_EQ(progress.begun, 3);
    EXPECT_TRUE(progress.ended);
}

TEST_F(LookupRun, EmptyLookupStillProcessesTheCurrentRecordAndAllContactsFillsIt)
{
    host.lookup.clear();
    run("[25]=7");
    EXPECT_EQ(setFieldCalls(), QStringList({"SetField 25=7"}));
    state.allContactsRequested = true;
    state.calculationView = host.Create(HostViewType::Contacts, "CV");
    run("[25]=7");
    EXPECT_EQ(setFieldCalls().size(), 1 + 4);
}
