#include "ClsFrmIntegrate.h"
#include "ErrorReport.h"
#include "FrmMainFixture.h"
#include "FrmSyntax.h"
#include "OrvantaError.h"
#include "RunJournal.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <string_view>

namespace {

using FrmMainWindow = FrmMainFixture;

QString errorReport(int number, const char *procedure, int step)
{
    return ErrorReport(QStringLiteral("frmMain"), ErrorReport::Kind::Sub, QLatin1String(procedure))
        .text(OrvantaError(number), step);
}

// Only Close (Escape) stops the run. Run or Enter hands over what was typed, not a recent
// calculation it starts, with the scope, and rewrites the recent list; "All contacts" fills
// the lookup while the window is still up.
TEST_F(FrmMainWindow, OnlyCloseStopsTheRunAndRunHandsOverTheTextAndScope)
{
    const struct
    {
        const char *leave; // a way out, or the scope to run on
        bool proceed, handsOver, lookupFlag;
        QStringList hostCalls;
    } rows[] = {{"Escape", false, false, false, {}}, {"close box", true, false, false, {}},
        {"Enter", true, true, false, {}}, {"optFor1", true, true, true, {}},
        {"optFor2", true, true, true, {"Command 701"}}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.leave);
        const std::string_view leave(row.leave);
        writeRecent("[25]=1*2\r\n");
        host.calls.clear();
        state.calculationText.clear();
        state.lookupFlag = false;
        QList<bool> visibleAtCommand;
        const bool proceed = runWindow([&](FrmMain &window) {
            host.onCommand = [&](qint16) { visibleAtCommand << window.isVisible(); };
            if (leave.starts_with("optFor"))
                return runCalculation(window, "[25]=1", row.leave);
            type(window, QStringLiteral("[25]=1"));
            if (leave == "Escape")
                QTest::keyClick(&window, Qt::Key_Escape);
            else if (leave == "close box")
                window.close();
            else
                QTest::keyClick(child<QComboBox>(window, "cboPrompt")->lineEdit(), Qt::Key_Return);
        });
        EXPECT_EQ(proceed, row.proceed);
        EXPECT_EQ(state.calculationText, row.handsOver ? "[25]=1" : "");
        EXPECT_EQ(state.lookupFlag, row.lookupFlag);
        EXPECT_EQ(host.calls, row.hostCalls);
        EXPECT_EQ(visibleAtCommand, QList<bool>(row.hostCalls.size(), true));
        EXPECT_EQ(readRecent(), row.handsOver ? "[25]=1\r\n[25]=1*2\r\n" : "[25]=1*2\r\n");
    }
}

// Reset deletes the file, twice without complaint; what undo finds in the journal is
// checked in full on the whole process.
TEST_F(FrmMainWindow, RecentListIsOfferedAndResetAndUndoSaysWhatItFinds)
{
    writeRecent("[25]=1\r\n\r\n[26]=2\r\n");
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(RunJournal::defaultPath() + suffix);
    QStringList offered;
    runWindow([&](FrmMain &window) {
        auto *prompt = child<QComboBox>(window, "cboPrompt");
        for (int i = 0; i < prompt->count(); ++i)
            offered << prompt->itemText(i);
        offered << prompt->currentText();
        trigger(window, "mnuReset");
        EXPECT_EQ(prompt->count(), 0);
        trigger(window, "mnuReset");
        trigger(window, "mnuUndoRun");
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(offered, QStringList({"[25]=1", "[26]=2", ""}));
    EXPECT_FALSE(QFile::exists(recentPath()));
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("There is no run to undo.")}));
}

// A folder in the list's place can be neither read nor written: both are reported and the
// run goes on. A refused command is reported and keeps the window open.
TEST_F(FrmMainWindow, FailuresAreReportedAndOnlyARefusedCommandKeepsTheWindowOpen)
{
    ASSERT_TRUE(QDir().mkpath(recentPath()));
    host.refusedCommand = 701;
    EXPECT_TRUE(runWindow([&](FrmMain &window) {
        runCalculation(window, "[25]=1", "optFor2");
        EXPECT_TRUE(window.isVisible());
        runCalculation(window, "", "optFor0");
    }));
    EXPECT_EQ(state.calculationText, QStringLiteral("[25]=1"));
    const QString saveFailed = errorReport(OrvantaError::PathFileAccessError, "cmdOK_Click", 1);
    EXPECT_EQ(dialogs.texts(),
        QStringList({errorReport(OrvantaError::PathFileAccessError, "Form_Load", 2), saveFailed,
            errorReport(OrvantaError::AutomationError, "cmdOK_Click", 3), saveFailed}));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Orvanta error"));
}

// The builder gets the prompt; Integrate opens in English with Contacts and Groups enabled.
// Open starts in the program folder: a cancelled dialog leaves the prompt as typed, a chosen
// file goes into it.
TEST_F(FrmMainWindow, MenusOpenTheBuilderIntegrateAndAFileForThePrompt)
{
    host.launch.defined = true;
    const QString calc = appPath(QStringLiteral("Totals.ogs"));
    QFile(calc).open(QIODevice::WriteOnly);
    state.activeViewType = HostViewType::Groups;
    QStringList seen;
    runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25] = [3] * 2"));
        for (const char *opener : {"cmdTriggerSyntax", "mnuTriggerSyntax"}) {
            whenModal<FrmSyntax>([&](FrmSyntax &builder) {
                seen << child<QLineEdit>(builder, "txtPath1")->text();
                child<QPushButton>(builder, "cmdClose")->click();
            });
            if (auto *button = window.findChild<QPushButton *>(QLatin1String(opener)))
                button->click();
            else
                trigger(window, opener);
        }
        whenModal<ClsFrmIntegrate>([&](ClsFrmIntegrate &integrate) {
            seen << integrate.windowTitle();
            // A disabled box ignores the click: only the two enabled views reach the host.
            for (const char *name : {"chkScreen0", "chkScreen1", "chkScreen2"})
                child<QCheckBox>(integrate, name)->click();
            child<QPushButton>(integrate, "cmdCancel")->click();
        });
        trigger(window, "mnuIntegrate");
        for (const bool choose : {false, true}) {
            whenModal<QFileDialog>([&, choose](QFileDialog &dialog) {
                EXPECT_EQ(dialog.directory().absolutePath() + "/Totals.ogs", calc);
                EXPECT_EQ(dialog.nameFilters(), QStringList({"Orvanta Group Syntax (*.ogs)"}));
                EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
                if (!choose)
                    return dialog.reject();
                // Typed, as selectFile() leaves a focused name box alone.
                child<QLineEdit>(dialog, "fileNameEdit")->setText(calc);
                static_cast<QDialog &>(dialog).accept();
            });
            trigger(window, "mnuOpen");
            seen << child<QComboBox>(window, "cboPrompt")->currentText();
        }
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(seen,
        QStringList(
            {"[25]=[3]*2", "[25]=[3]*2", "Integrate with ACT!", "[25] = [3] * 2", "File:" + calc}));
    EXPECT_EQ(host.launch.calls, (QStringList {"toolbar+ 1 Orvanta", "toolbar+ 3 Orvanta"}));
}

// The main window shown on its own, with the shell (file and https URLs) and the program's
// end caught.
class FrmMainShown : public QObject, public FrmMainFixture
{
    Q_OBJECT

protected:
    void SetUp() override
    {
        FrmMainFixture::SetUp();
        for (const char *scheme : {"file", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");
        window = std::make_unique<FrmMain>(state, dialogs);
        window->setProgramEnd([this] { ++ended; });
        window->show();
    }
    void TearDown() override
    {
        for (const char *scheme : {"file", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        FrmMainFixture::TearDown();
    }
    Q_INVOKABLE void openUrl(const QUrl &url) { shellOpened << url; }

    std::unique_ptr<FrmMain> window;
    int ended = 0;
    QList<QUrl> shellOpened;
};

// Help and the database reopened on closing go through the shell.
TEST_F(FrmMainShown, ClosingWithTheReopenFlagReopensTheDatabaseAndEndsOnTheSecondTick)
{
    trigger(*window, "mnuManual");
    trigger(*window, "mnuOnline");
    state.reopenFlag = true;
    child<QPushButton>(*window, "cmdCancel")->click();
    EXPECT_EQ(host.calls, QStringList({"GetOpenDBName", "Command 150"}));
    EXPECT_EQ(state.hostApplication, nullptr);
    EXPECT_EQ(shellOpened,
        QList<QUrl>({QUrl::fromLocalFile(appPath(QStringLiteral("orvanta_manual.pdf"))),
            QUrl(FrmMain::onlineHelpUrl()), QUrl::fromLocalFile(host.databaseName)}));
    EXPECT_FALSE(window->isVisible());
    // One tick is not enough; the second ends the program, once.
    QTest::qWait(1300);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return ended > 0; }, 3000));
    QTest::qWait(1200);
    EXPECT_EQ(ended, 1);
}

TEST_F(FrmMainShown, UnloadNeedsTheReopenFlagAndReportsALostHost)
{
    window->Form_Unload();
    EXPECT_TRUE(host.calls.isEmpty());
    host.databaseLost = true;
    state.reopenFlag = true;
    window->Form_Unload();
    EXPECT_EQ(
        dialogs.texts(), QStringList({errorReport(OrvantaError::ObjectNotSet, "Form_Unload", 1)}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(shellOpened.isEmpty());
}

} // namespace

#include "FrmMainTest.moc"
