#include "ClsFrmIntegrate.h"
#include "FakeAuxCommands.h"
#include "FrmMainFixture.h"
#include "FrmSyntax.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

// The recording host with launch commands of its own.
class HostWithLaunchCommands : public RecordingHost
{
public:
    std::unique_ptr<HostAuxCommands> AuxCommands() override
    {
        return std::make_unique<FakeAuxCommands>(launch);
    }

    FakeAuxCommands::Shared launch;
};

using FrmMainDialogs = FrmMainFixture;

} // namespace

TEST_F(FrmMainDialogs, BuilderShowsThePromptAsATriggerArgument)
{
    const struct
    {
        const char *opener;
        bool isButton;
    } rows[] = {{"cmdTriggerSyntax", true}, {"mnuTriggerSyntax", false}};
    for (const auto &row : rows) {
        QString argument;
        runWindow([&](FrmMain &window) {
            type(window, QStringLiteral("[25] = [3] * 2"));
            whenModal<FrmSyntax>([&](FrmSyntax &builder) {
                argument = child<QLineEdit>(builder, "txtPath1")->text();
                child<QPushButton>(builder, "cmdClose")->click();
            });
            if (row.isButton)
                child<QPushButton>(window, row.opener)->click();
            else
                trigger(window, row.opener);
            trigger(window, "mnuExit");
        });
        EXPECT_EQ(argument, QStringLiteral("[25]=[3]*2")) << row.opener;
    }
}

TEST_F(FrmMainDialogs, IntegrateOpensInEnglishForContactsAndGroups)
{
    HostWithLaunchCommands launchHost;
    launchHost.launch.defined = true;
    state.hostApplication = &launchHost;
    QString title;
    runWindow([&](FrmMain &window) {
        whenModal<ClsFrmIntegrate>([&](ClsFrmIntegrate &integrate) {
            title = integrate.windowTitle();
            // A disabled box ignores the click: only the two enabled views reach the host.
            for (const char *name : {"chkScreen0", "chkScreen1", "chkScreen2"})
                child<QCheckBox>(integrate, name)->click();
            child<QPushButton>(integrate, "cmdCancel")->click();
        });
        trigger(window, "mnuIntegrate");
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(title, QStringLiteral("Integrate with ACT!"));
    EXPECT_EQ(launchHost.launch.calls, (QStringList {"toolbar+ 1 Orvanta", "toolbar+ 3 Orvanta"}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
