#include "HostAuxCommands.h"
#include "HostApplication.h"
#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <gtest/gtest.h>

namespace {

class HostAuxCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.createDemo();
        application = SqliteHostApplication::attach(host.path());
        commands = application->AuxCommands();
    }

    qint32 define(const QString &name)
    {
        return commands->AddAuxCommand(name, "/opt/orvanta/orvanta", "/opt/orvanta", name,
            "Click to launch " + name, "/opt/orvanta/orvanta.png", "/opt/orvanta/orvanta32.png", 1);
    }

    TemporaryHost host;
    std::unique_ptr<HostApplication> application;
    std::unique_ptr<HostAuxCommands> commands;
};

} // namespace

TEST_F(HostAuxCommandsTest, CallsAnswerTheStatusesOfTheHost)
{
    using S = HostAuxCommands::Status;
    EXPECT_FALSE(commands->AuxCommandExists("Orvanta"));
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::UnknownCommand);
    EXPECT_EQ(define(""), S::InvalidDefinition);
    EXPECT_EQ(define("Orvanta"), S::Done);
    EXPECT_TRUE(commands->AuxCommandExists("Orvanta"));
    EXPECT_FALSE(commands->AuxCommandExists("orvanta"));

    const struct
    {
        const char *call;
        std::function<qint32()> run;
        qint32 status;
    } rows[] = {
        {"toolbar 1", [&] { return commands->AddAuxCommandToToolbar(1, "Orvanta"); }, S::Done},
        {"toolbar 1 again", [&] { return commands->AddAuxCommandToToolbar(1, "Orvanta"); },
            S::Done},
        {"menu 3", [&] { return commands->AddAuxCommandToToolsMenu(3, "Orvanta"); }, S::Done},
        {"menu 6", [&] { return commands->AddAuxCommandToToolsMenu(6, "Orvanta"); }, S::Done},
        {"toolbar 0", [&] { return commands->AddAuxCommandToToolbar(0, "Orvanta"); },
            S::UnknownView},
        {"menu 7", [&] { return commands->AddAuxCommandToToolsMenu(7, "Orvanta"); },
            S::UnknownView},
        {"remove unknown", [&] { return commands->RemoveAuxCommandFromToolbar(1, "Other"); },
            S::UnknownCommand},
        {"remove view 9", [&] { return commands->RemoveAuxCommandFromToolsMenu(9, "Orvanta"); },
            S::UnknownView},
        {"remove menu 6", [&] { return commands->RemoveAuxCommandFromToolsMenu(6, "Orvanta"); },
            S::Done},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.run(), row.status) << row.call;

    const struct
    {
        qint16 view;
        qint32 toolbar;
        qint32 menu;
    } states[] = {{1, 1, 0}, {2, 0, 0}, {3, 0, 1}, {6, 0, 0}, {0, 0, 0}};
    for (const auto &state : states) {
        EXPECT_EQ(commands->AuxCommandExistsInToolbar(state.view, "Orvanta"), state.toolbar)
            << state.view;
        EXPECT_EQ(commands->AuxCommandExistsInToolsMenu(state.view, "Orvanta"), state.menu)
            << state.view;
    }
}

TEST_F(HostAuxCommandsTest, ChangesAreSeenByTheHostCommandLineAtOnce)
{
    ASSERT_EQ(define("Orvanta"), 0);
    ASSERT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), 0);
    ASSERT_EQ(commands->AddAuxCommandToToolbar(3, "Orvanta"), 0);
    ASSERT_EQ(commands->AddAuxCommandToToolsMenu(1, "Orvanta"), 0);
    const TemporaryHost::CliResult listed = host.cli({"aux"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out,
        "Orvanta\n"
        "  executable: /opt/orvanta/orvanta\n"
        "  folder:     /opt/orvanta\n"
        "  tooltip:    Click to launch Orvanta\n"
        "  icons:      /opt/orvanta/orvanta.png, /opt/orvanta/orvanta32.png\n"
        "  toolbar:    1 Contacts, 3 Groups\n"
        "  tools menu: 1 Contacts\n");

    ASSERT_EQ(commands->RemoveAuxCommandFromToolbar(3, "Orvanta"), 0);
    EXPECT_TRUE(host.cli({"aux"}).out.contains("  toolbar:    1 Contacts\n"));
}
