#include "StartUp.h"
#include "RunFixture.h"

namespace {

class StartUpTest : public RunFixture
{
protected:
    void start(std::optional<QString> title = QString("ACT! - Demo"))
    {
        QFile(appDir() + "/tempcalc.txt").open(QIODevice::WriteOnly);
        state = RunState();
        state.commandLine = "[25]=[3]*2";
        RunDialogs runDialogs(dialogs);
        Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), runDialogs);
        HostConnection connection {[title] { return title; },
            [this]() -> std::unique_ptr<HostApplication> {
                ++attached;
                return std::make_unique<ForwardingHost>(host);
            }};
        StartUp(state, connection, evaluator, runDialogs, settings, windows, progress).Main();
    }

    bool tempCalcExists() const { return QFile::exists(appDir() + "/tempcalc.txt"); }

    int attached = 0;
};

} // namespace

TEST_F(StartUpTest, AShortWindowTitleEndsBeforeTheHostIsContactedAndARunDeletesTempCalc)
{
    start(" ACT!  ");
    EXPECT_EQ(attached, 0);
    EXPECT_TRUE(tempCalcExists());
    start("ACT! -");
    EXPECT_EQ(attached, 1);
    EXPECT_EQ(host.calls.value(0), "OpenFile");
    EXPECT_EQ(host.field(0, 25), "25");
    EXPECT_FALSE(tempCalcExists());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(StartUpTest, ContactListWarnsAsTheSettingSaysAndViewsAboveThreeDoNothing)
{
    const struct
    {
        qint16 view;
        const char *setting;
        int shown;
    } rows[] = {{HostViewType::ContactList, nullptr, 1}, {HostViewType::ContactList, "0", 1},
        {HostViewType::LastCalculationView + 1, "0", 0}, {HostViewType::ContactList, "1", 0},
        {HostViewType::ContactList, "abc", 0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.setting ? row.setting : "absent");
        host.activeViewType = row.view;
        if (row.setting)
            settings.setValue("Warning", row.setting);
        windows.warningShown = 0;
        start();
        EXPECT_EQ(windows.warningShown, row.shown);
        EXPECT_TRUE(tempCalcExists());
    }
    EXPECT_TRUE(setFieldCalls().isEmpty());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}
