#include "ClsFrmIntegrate.h"
#include "ErrorReport.h"
#include "FakeAuxCommands.h"
#include "RecordingDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString addFailed
    = "Can't add icon or menu item automatically. You will need to proceed manually.";

class ClsFrmIntegrateTest : public ::testing::Test
{
protected:
    // The dialog as the main window opens it: Contacts and Groups enabled.
    std::unique_ptr<ClsFrmIntegrate> open(qint16 language = 0)
    {
        auto dialog = std::make_unique<ClsFrmIntegrate>(
            [this]() -> std::unique_ptr<HostAuxCommands> {
                if (hostMissing)
                    throw OrvantaError(OrvantaError::CantCreateObject);
                return std::make_unique<FakeAuxCommands>(host);
            },
            dialogs, reopenFlag, [this] { ++mainUnloads; });
        dialog->AppName = "Orvanta";
        dialog->Language = language;
        dialog->ContactScreen = true;
        dialog->GroupScreen = true;
        dialog->Form_Load();
        dialog->show();
        return dialog;
    }
    static void click(ClsFrmIntegrate &dialog, const char *name)
    {
        QTest::mouseClick(dialog.findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
    }
    static QList<int> boxes(ClsFrmIntegrate &dialog, bool (QCheckBox::*inState)() const)
    {
        QList<int> found;
        for (int i = 0; i < 12; ++i)
            if ((dialog.findChild<QCheckBox *>(QStringLiteral("chkScreen%1").arg(i))->*inState)())
                found << i;
        return found;
    }

    FakeAuxCommands::Shared host;
    RecordingDialogs dialogs;
    bool reopenFlag = false;
    bool hostMissing = false;
    int mainUnloads = 0;
};

} // namespace

// Loading shows the host's state and sends the adds it finds again; clicks on boxes and
// labels then add and remove.
TEST_F(ClsFrmIntegrateTest, LoadShowsTheHostsStateAndClicksAddAndRemove)
{
    host.defined = true;
    host.toolbar = {1, 4};
    host.menu = {3};
    const auto dialog = open();
    EXPECT_EQ(boxes(*dialog, &QCheckBox::isChecked), (QList<int> {0, 3, 8}));
    EXPECT_EQ(boxes(*dialog, &QCheckBox::isEnabled), (QList<int> {0, 2, 6, 8}));
    EXPECT_EQ(
        host.calls, (QStringList {"toolbar+ 1 Orvanta", "toolbar+ 4 Orvanta", "menu+ 3 Orvanta"}));
    const std::pair<const char *, const char *> rows[] = {
        {"chkScreen0", "toolbar- 1 Orvanta"},
        {"lblScreen1", "toolbar+ 2 Orvanta"}, // a disabled view's label still toggles
        {"lblScreen1", "toolbar- 2 Orvanta"},
        {"lblScreen11", "menu+ 6 Orvanta"},
    };
    for (const auto &[control, call] : rows) {
        host.calls.clear();
        click(*dialog, control);
        EXPECT_EQ(host.calls, QStringList {call}) << control;
    }
    EXPECT_EQ(boxes(*dialog, &QCheckBox::isChecked), (QList<int> {3, 8, 11}));
}

// A failed definition is said at once, and the add is still tried.
TEST_F(ClsFrmIntegrateTest, AMissingCommandIsDefinedBeforeEachAdd)
{
    host.toolbar = {1};
    host.defineStatus = 4;
    const auto dialog = open();
    EXPECT_EQ(host.calls, (QStringList {"define Orvanta", "toolbar+ 1 Orvanta"}));
    const QString program = QApplication::applicationDirPath() + "/test_ui";
    EXPECT_EQ(host.definition,
        (QStringList {"Orvanta", program, QApplication::applicationDirPath(), "Orvanta",
            "Click to launch Orvanta", program + ".png", program + "32.png", "1"}));
    EXPECT_EQ(dialogs.texts(), QStringList {addFailed});

    host.calls.clear();
    click(*dialog, "lblScreen2");
    EXPECT_EQ(host.calls, (QStringList {"define Orvanta", "toolbar+ 3 Orvanta"}));
}

TEST_F(ClsFrmIntegrateTest, CloseReportsAFailedLastCallOrAsksToRestart)
{
    const QString restart = "You need to re-start ACT! for the changes to take effect!\r\nDo you "
                            "want to re-start it now?";
    const struct
    {
        const char *name;
        qint32 placeStatus;
        bool clickFirst;
        const char *button;
        QList<Dialogs::Answer> answers;
        QStringList shown;
        bool reopen;
    } rows[] = {
        {"no click", 0, false, "cmdOK", {}, {}, false},
        {"failed add", 7, true, "cmdOK", {}, {addFailed}, false},
        {"cancel", 7, true, "cmdCancel", {}, {}, false},
        {"restart no", 0, true, "cmdOK", {Dialogs::Answer::No}, {restart}, false},
        {"restart yes", 0, true, "cmdOK", {Dialogs::Answer::Yes}, {restart}, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        host = {};
        host.defined = true;
        host.placeStatus = row.placeStatus;
        dialogs.clear();
        dialogs.scriptAnswers(row.answers);
        reopenFlag = false;
        mainUnloads = 0;
        const auto dialog = open();
        if (row.clickFirst)
            click(*dialog, "chkScreen0");
        click(*dialog, row.button);
        EXPECT_EQ(dialogs.texts(), row.shown);
        for (const auto &shown : dialogs.shown())
            EXPECT_EQ(shown.caption, "Orvanta");
        EXPECT_EQ(reopenFlag, row.reopen);
        EXPECT_EQ(mainUnloads, row.reopen ? 1 : 0);
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(ClsFrmIntegrateTest, SpeaksEnglishFrenchOrNothing)
{
    // The title, a view's label and the Close button.
    const QStringList texts[] = {{"Integrate with ACT!", "Contact List", "&Close"},
        {"Intégration à ACT!", "Liste des contacts", "&Fermer"}, {"", "", ""}};
    for (qint16 language = 0; language < 3; ++language) {
        const auto dialog = open(language);
        EXPECT_EQ(
            QStringList({dialog->windowTitle(), dialog->findChild<QLabel *>("lblScreen1")->text(),
                dialog->findChild<QPushButton *>("cmdOK")->text()}),
            texts[language]);
    }
}

// The report is in the language asked for; the window keeps its English design texts.
TEST_F(ClsFrmIntegrateTest, WithoutTheHostItOpensInEnglishAfterOneReport)
{
    hostMissing = true;
    const auto dialog = open(1);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith("Error 429: '"));
    EXPECT_TRUE(dialogs.texts()[0].endsWith(
        "'\rin frmIntegrate: Sub Form_Load - Line # 2\r\rS.V.P. contactez "
        + ErrorReport::supportAddress() + " avec ce message."));
    EXPECT_EQ(dialog->windowTitle(), "Integrate with ACT!");
    click(*dialog, "lblScreen0");
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_TRUE(dialogs.texts()[1].startsWith("Error 91: '"));
    EXPECT_TRUE(dialogs.texts()[1].contains("in frmIntegrate: Sub chkScreen_Click - Line # 2"));
}
