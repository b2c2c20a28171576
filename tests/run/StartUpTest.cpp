#include "StartUp.h"
#include "RunFixture.h"

namespace {

class StartUpTest : public RunFixture
{
protected:
    void start(const QString &commandLine, std::optional<QString> title = QString("ACT! - Demo"))
    {
        state = RunState();
        state.commandLine = commandLine;
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

TEST_F(StartUpTest, TriggerRunWritesAndDeletesTempCalc)
{
    writeAppFile("tempcalc.txt", {});
    start("[25]=[3]*2");
    EXPECT_EQ(host.field(0, 25), "25");
    EXPECT_FALSE(tempCalcExists());
    EXPECT_EQ(host.calls.first(), "OpenFile");
}

TEST_F(StartUpTest, ShortWindowTitleEndsBeforeTheHostIsContacted)
{
    const struct
    {
        QString title;
        int attachments;
    } rows[] = {{"", 0}, {"  ACT!  ", 0}, {"ACT! -", 1}, {" ACT! - Demo ", 1}};
    for (const auto &row : rows) {
        attached = 0;
        start("[25]=1", row.title);
        EXPECT_EQ(attached, row.attachments) << row.title.toStdString();
    }
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(StartUpTest, ViewsAboveThreeDoNothing)
{
    writeAppFile("tempcalc.txt", {});
    host.activeViewType = HostViewType::LastCalculationView + 1;
    start("[25]=1");
    EXPECT_TRUE(host.calls.filter("SetField").isEmpty());
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_TRUE(tempCalcExists());
}

TEST_F(StartUpTest, ContactListWarningFollowsTheSetting)
{
    host.activeViewType = HostViewType::ContactList;
    const struct
    {
        const char *setting;
        int shown;
    } rows[] = {{nullptr, 1}, {"0", 1}, {"1", 0}, {"7", 0}, {"abc", 0}};
    for (const auto &row : rows) {
        if (row.setting)
            settings.setValue("Warning", row.setting);
        windows.warningShown = 0;
        writeAppFile("tempcalc.txt", {});
        start("[25]=1");
        EXPECT_EQ(windows.warningShown, row.shown) << (row.setting ? row.setting : "absent");
        EXPECT_TRUE(tempCalcExists());
    }
    EXPECT_TRUE(host.calls.filter("SetField").isEmpty());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}
