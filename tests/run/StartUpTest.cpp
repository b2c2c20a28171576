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

TEST_F(StartUpTest, ContactListWarnsAsTheSettingSaysAndViewsAboveThreeDoNothing)
{
    const struct
    {
        qint16 view;
        const char *setting;
        int shown;
    } rows[] = {{HostViewType::ContactList, nullptr, 1}, {HostViewType::ContactList, "0", 1},
        {HostViewType::LastCalculationView + 1, "0", 0}, {HostViewType::ContactList, "1", 0},
        {HostViewType::ContactList, "7", 0}, {HostViewType::ContactList, "abc", 0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.setting ? row.setting : "absent");
        host.activeViewType = row.view;
        if (row.setting)
            settings.setValue("Warning", row.setting);
        windows.warningShown = 0;
        writeAppFile("tempcalc.txt", {});
        start("[25]=1");
        EXPECT_EQ(windows.warningShown, row.shown);
        EXPECT_TRUE(tempCalcExists());
    }
    EXPECT_TRUE(host.calls.filter("SetField").isEmpty());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}
