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
    static QCheckBox *box(ClsFrmIntegrate &dialog, int index)
    {
        return dialog.findChild<QCheckBox *>(QStringLiteral("chkScreen%1").arg(index));
    }
    static QLabel *label(ClsFrmIntegrate &dialog, int index)
    {
        return dialog.findChild<QLabel *>(QStringLiteral("lblScreen%1").arg(index));
    }
    static void click(ClsFrmIntegrate &dialog, const char *name)
    {
        QTest::mouseClick(dialog.findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
    }
    QList<int> checkedBoxes(ClsFrmIntegrate &dialog) const
    {
        QList<int> checked;
        for (int i = 0; i < 12; ++i)
            if (box(dialog, i)->isChecked())
                checked << i;
        return checked;
    }

    FakeAuxCommands::Shared host;
    RecordingDialogs dialogs;
    bool reopenFlag = false;
    bool hostMissing = false;
    int mainUnloads = 0;
};

} // namespace

TEST_F(ClsFrmIntegrateTest, LoadShowsTheHostsStateAndSendsTheFoundAddsAgain)
{
    host.defined = true;
    host.toolbar = {1, 4};
    host.menu = {3};
    const auto dialog = open();
    EXPECT_EQ(checkedBoxes(*dialog), (QList<int> {0, 3, 8}));
    EXPECT_EQ(
        host.calls, (QStringList {"toolbar+ 1 Orvanta", "toolbar+ 4 Orvanta", "menu+ 3 Orvanta"}));
    EXPECT_FALSE(dialog->changed());
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(box(*dialog, i)->isEnabled(), i % 6 == 0 || i % 6 == 2) << i;
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(ClsFrmIntegrateTest, AMissingCommandIsDefinedBeforeTheFirstAdd)
{
    host.toolbar = {1};
    const auto dialog = open();
    ASSERT_EQ(host.calls, (QStringList {"define Orvanta", "toolbar+ 1 Orvanta"}));
    const QString program = QApplication::applicationDirPath() + "/test_ui";
    EXPECT_EQ(host.definition,
        (QStringList {"Orvanta", program, QApplication::applicationDirPath(), "Orvanta",
            "Click to launch Orvanta", program + ".png", program + "32.png", "1"}));
    EXPECT_FALSE(dialog->changed());

    host.calls.clear();
    click(*dialog, "chkScreen2");
    EXPECT_EQ(host.calls, QStringList {"toolbar+ 3 Orvanta"});
    EXPECT_TRUE(dialog->changed());
}

TEST_F(ClsFrmIntegrateTest, ClicksOnBoxesAndLabelsAddAndRemove)
{
    host.defined = true;
    const auto dialog = open();
    const struct
    {
        const char *control;
        const char *call;
    } rows[] = {
        {"chkScreen0", "toolbar+ 1 Orvanta"},
        {"chkScreen0", "toolbar- 1 Orvanta"},
        {"lblScreen8", "menu+ 3 Orvanta"},
        {"lblScreen1", "toolbar+ 2 Orvanta"}, // a disabled view's label still toggles
        {"lblScreen1", "toolbar- 2 Orvanta"},
        {"lblScreen11", "menu+ 6 Orvanta"},
    };
    for (const auto &row : rows) {
        host.calls.clear();
        click(*dialog, row.control);
        EXPECT_EQ(host.calls, QStringList {row.call}) << row.control;
    }
    EXPECT_EQ(checkedBoxes(*dialog), (QList<int> {8, 11}));
    EXPECT_FALSE(box(*dialog, 1)->isEnabled());
    EXPECT_TRUE(dialog->changed());
    EXPECT_EQ(dialog->lastResult(), 0);
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
        QList<Dialogs::Answer> answers;
        QStringList shown;
        bool reopen;
        int unloads;
    } rows[] = {
        {"no click", 0, false, {}, {}, false, 0},
        {"failed add", 7, true, {},
            {"Can't add icon or menu item automatically. You will need to proceed manually."},
            false, 0},
        {"restart no", 0, true, {Dialogs::Answer::No}, {restart}, false, 0},
        {"restart yes", 0, true, {Dialogs::Answer::Yes}, {restart}, true, 1},
    };
    for (const auto &row : rows) {
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
        click(*dialog, "cmdOK");
        EXPECT_EQ(dialogs.texts(), row.shown) << row.name;
        for (const auto &shown : dialogs.shown()) {
            EXPECT_EQ(shown.caption, "Orvanta") << row.name;
            EXPECT_EQ(shown.icon, Dialogs::Icon::None) << row.name;
        }
        EXPECT_EQ(reopenFlag, row.reopen) << row.name;
        EXPECT_EQ(mainUnloads, row.unloads) << row.name;
        EXPECT_FALSE(dialog->isVisible()) << row.name;
    }
}

TEST_F(ClsFrmIntegrateTest, AFailedDefinitionIsReportedAtOnceAndCancelAsksNothing)
{
    host.defineStatus = 4;
    const auto dialog = open();
    click(*dialog, "lblScreen2");
    EXPECT_EQ(host.calls, (QStringList {"define Orvanta", "toolbar+ 3 Orvanta"}));
    EXPECT_EQ(dialogs.texts(),
        QStringList {
            "Can't add icon or menu item automatically. You will need to proceed manually."});
    dialogs.clear();
    click(*dialog, "cmdCancel");
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.toolbar, QSet<int> {3});
}

TEST_F(ClsFrmIntegrateTest, SpeaksEnglishFrenchOrNothing)
{
    const struct
    {
        qint16 language;
        QString title;
        QString listLabel;
        QString close;
    } rows[] = {
        {0, "Integrate with ACT!", "Contact List", "&Close"},
        {1, "Intégration à ACT!", "Liste des contacts", "&Fermer"},
        {2, "", "", ""},
    };
    for (const auto &row : rows) {
        const auto dialog = open(row.language);
        EXPECT_EQ(dialog->windowTitle(), row.title) << row.language;
        EXPECT_EQ(label(*dialog, 1)->text(), row.listLabel) << row.language;
        EXPECT_EQ(dialog->findChild<QPushButton *>("cmdOK")->text(), row.close) << row.language;
    }
    EXPECT_EQ(open(1)->texts().first(),
        "S.V.P. contactez " + ErrorReport::supportAddress() + " avec ce message.");
}

TEST_F(ClsFrmIntegrateTest, WithoutTheHostItOpensInEnglishAfterOneReport)
{
    hostMissing = true;
    const auto dialog = open(1);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].caption, "Orvanta");
    EXPECT_TRUE(dialogs.texts()[0].startsWith("Error 429: '"));
    EXPECT_TRUE(dialogs.texts()[0].endsWith(
        "'\rin frmIntegrate: Sub Form_Load - Line # 2\r\rS.V.P. contactez "
        + ErrorReport::supportAddress() + " avec ce message."));
    EXPECT_EQ(dialog->windowTitle(), "Integrate with ACT!");
    EXPECT_EQ(label(*dialog, 1)->text(), "Contact List");

    dialogs.clear();
    click(*dialog, "lblScreen0");
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith("Error 91: '"));
    EXPECT_TRUE(dialogs.texts()[0].contains("in frmIntegrate: Sub chkScreen_Click - Line # 2"));
}
