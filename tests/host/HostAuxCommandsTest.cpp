#include "HostAuxCommands.h"
#include "HostApplication.h"
#include "SqliteHostApplication.h"
#include "TemporaryHost.h"

#include <gtest/gtest.h>

TEST(HostAuxCommands, CallsAnswerTheStatusesOfTheHostAndTheCommandLineSeesThem)
{
    TemporaryHost host;
    host.createDemo();
    const auto application = SqliteHostApplication::attach(host.path());
    const auto commands = application->AuxCommands();
    const auto define = [&](const QString &name) {
        return commands->AddAuxCommand(name, "/opt/orvanta/orvanta", "/opt/orvanta", name,
            "Click to launch " + name, "/opt/orvanta/orvanta.png", "/opt/orvanta/orvanta32.png", 1);
    };
    using S = HostAuxCommands::Status;
    EXPECT_FALSE(commands->AuxCommandExists("Orvanta"));
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::UnknownCommand);
    EXPECT_EQ(define(""), S::InvalidDefinition);
    EXPECT_EQ(define("Orvanta"), S::Done);
    EXPECT_TRUE(commands->AuxCommandExists("Orvanta"));
    EXPECT_FALSE(commands->AuxCommandExists("orvanta"));
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolbar(1, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolbar(3, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolsMenu(3, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolsMenu(6, "Orvanta"), S::Done);
    EXPECT_EQ(commands->AddAuxCommandToToolbar(0, "Orvanta"), S::UnknownView);
    EXPECT_EQ(commands->AddAuxCommandToToolsMenu(7, "Orvanta"), S::UnknownView);
    EXPECT_EQ(commands->RemoveAuxCommandFromToolbar(1, "Other"), S::UnknownCommand);
    EXPECT_EQ(commands->RemoveAuxCommandFromToolsMenu(9, "Orvanta"), S::UnknownView);
    EXPECT_EQ(commands->RemoveAuxCommandFromToolsMenu(6, "Orvanta"), S::Done);
    QString placed; // toolbar and tools menu of views 0 to 6
    for (qint16 view = 0; view <= 6; ++view)
        placed += QStringLiteral("%1%2 ")
                      .arg(commands->AuxCommandExistsInToolbar(view, "Orvanta"))
                      .arg(commands->AuxCommandExistsInToolsMenu(view, "Orvanta"));
    EXPECT_EQ(placed, "00 10 00 11 00 00 00 ");

    host.expectOut({"aux"},
        "Orvanta\n"
        "  executable: /opt/orvanta/orvanta\n"
        "  folder:     /opt/orvanta\n"
        "  tooltip:    Click to launch Orvanta\n"
        "  icons:      /opt/orvanta/orvanta.png, /opt/orvanta/orvanta32.png\n"
        "  toolbar:    1 Contacts, 3 Groups\n"
        "  tools menu: 3 Groups\n");
}
