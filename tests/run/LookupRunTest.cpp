#include "HostNumbers.h"
#include "RunFixture.h"

namespace {

class LookupRun : public RunFixture
{
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        host.add("C2", {{3, "1"}});
        host.add("C3", {{3, "2"}});
        host.lookup = {2, 0, 1};
        state.lookupFlag = true;
    }
};

} // namespace

TEST_F(LookupRun, YesProcessesEachRecordOnceInLookupOrder)
{
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    run("[25]=[3]*2");
    ASSERT_FALSE(dialogs.shown().isEmpty());
    const auto &question = dialogs.shown().first();
    EXPECT_EQ(question.text, CalculationRun::confirmLookupText());
    EXPECT_EQ(question.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Dialogs::Answer::No);
    EXPECT_EQ(question.icon, Dialogs::Icon::Critical);
    EXPECT_EQ(host.field(0, 25), "25");
    EXPECT_EQ(host.field(1, 25), "2");
    EXPECT_EQ(host.field(2, 25), "4");
    EXPECT_EQ(host.calls.filter("SetField"),
        QStringList({"SetField 25=4", "SetField 25=25", "SetField 25=2"}));
    EXPECT_EQ(progress.begun, 3);
    EXPECT_TRUE(progress.ended);
}

TEST_F(LookupRun, EmptyLookupStillProcessesTheCurrentRecord)
{
    host.lookup.clear();
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    run("[25]=7");
    EXPECT_EQ(host.calls.filter("SetField"), QStringList({"SetField 25=7"}));
}

TEST_F(LookupRun, InvalidFieldIsShownOnceThenAskedAbout)
{
    dialogs.scriptAnswers({Dialogs::Answer::Yes, Dialogs::Answer::Yes});
    run("[25]=[x]");
    EXPECT_EQ(dialogs.texts().filter("Invalid Field: x").size(), 1);
    EXPECT_EQ(dialogs.texts().filter(CalculationRun::continueAfterErrorsText(1, 3)).size(), 1);
    EXPECT_EQ(dialogs.texts().last(), "Errors occurred in 3 of 3 records.");
    EXPECT_EQ(state.exitStatus, ExitStatus::NotWritten);
}

TEST_F(LookupRun, AllContactsSends701BeforeTheRun)
{
    state.allContactsRequested = true;
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    run("[25]=1");
    EXPECT_EQ(
        host.commands, QList<qint16>({HostCommand::LookupAllContacts, HostCommand::BeforeRun}));
    EXPECT_EQ(host.calls.filter("SetField").size(), 3);
}

TEST_F(LookupRun, MainWindowChoosesCalculationAndScopeOrStopsTheRun)
{
    windows.calculation = "[25]=9";
    windows.lookup = true;
    windows.proceed = false;
    run("");
    EXPECT_TRUE(host.commands.isEmpty());
    EXPECT_TRUE(host.calls.filter("SetField").isEmpty());

    windows.proceed = true;
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    run("");
    EXPECT_EQ(windows.mainWindowShown, 2);
    EXPECT_EQ(host.calls.filter("SetField").size(), 3);
}
