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

namespace {

// Takes the place of the shell for file and https URLs while it lives.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        for (const char *scheme : {"file", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"file", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    Q_INVOKABLE void open(const QUrl &url) { opened << url; }

    QList<QUrl> opened;
};

using FrmMainWindow = FrmMainFixture;

QString errorReport(int number, const char *procedure, int step)
{
    return ErrorReport(QStringLiteral("frmMain"), ErrorReport::Kind::Sub, QLatin1String(procedure))
        .text(OrvantaError(number), step);
}

TEST_F(FrmMainWindow, RunHandsTheCalculationAndScopeToTheRun)
{
    const struct
    {
        const char *option;
        bool lookupFlag;
        QStringList hostCalls;
    } rows[] = {{"optFor0", false, {}}, {"optFor1", true, {}}, {"optFor2", true, {"Command 701"}}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.option);
        QList<bool> visibleAtCommand;
        host.calls.clear();
        state.lookupFlag = !row.lookupFlag;
        EXPECT_TRUE(runWindow([&](FrmMain &window) {
            host.onCommand = [&](qint16) { visibleAtCommand << window.isVisible(); };
            runCalculation(window, "[25]=1", row.option);
        }));
        EXPECT_EQ(state.calculationText, QStringLiteral("[25]=1"));
        EXPECT_EQ(state.lookupFlag, row.lookupFlag);
        EXPECT_EQ(host.calls, row.hostCalls);
        // "All contacts" fills the lookup while the window is still up.
        EXPECT_EQ(visibleAtCommand, QList<bool>(row.hostCalls.size(), true));
    }
}

// Only Close (Escape) stops the run; only a run hands over what was typed, not a recent
// calculation it starts, and rewrites the recent list.
TEST_F(FrmMainWindow, OnlyCloseStopsTheRunAndOnlyRunHandsOverTheText)
{
    enum Leaving { Escape, CloseBox, EnterKey };
    for (const Leaving how : {Escape, CloseBox, EnterKey}) {
        SCOPED_TRACE(how);
        writeRecent("[25]=1*2\r\n");
        state.calculationText.clear();
        const bool proceed = runWindow([&](FrmMain &window) {
            type(window, QStringLiteral("[25]=1"));
            if (how == Escape)
                QTest::keyClick(&window, Qt::Key_Escape);
            else if (how == CloseBox)
                window.close();
            else
                QTest::keyClick(child<QComboBox>(window, "cboPrompt")->lineEdit(), Qt::Key_Return);
        });
        EXPECT_EQ(proceed, how != Escape);
        EXPECT_EQ(state.calculationText, how == EnterKey ? "[25]=1" : "");
        EXPECT_EQ(readRecent(), how == EnterKey ? "[25]=1\r\n[25]=1*2\r\n" : "[25]=1*2\r\n");
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
    int left = -1;
    runWindow([&](FrmMain &window) {
        auto *prompt = child<QComboBox>(window, "cboPrompt");
        for (int i = 0; i < prompt->count(); ++i)
            offered << prompt->itemText(i);
        offered << prompt->currentText();
        trigger(window, "mnuReset");
        left = prompt->count();
        trigger(window, "mnuReset");
        trigger(window, "mnuUndoRun");
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(offered, QStringList({"[25]=1", "[26]=2", ""}));
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(QFile::exists(recentPath()));
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("There is no run to undo.")}));
}

// A folder in the list's place can be neither read nor written: both are reported and the
// run goes on. A refused command is reported and keeps the window open.
TEST_F(FrmMainWindow, FailuresAreReportedAndOnlyARefusedCommandKeepsTheWindowOpen)
{
    ASSERT_TRUE(QDir().mkpath(recentPath()));
    host.refusedCommand = 701;
    bool openAfterRefusal = false;
    EXPECT_TRUE(runWindow([&](FrmMain &window) {
        runCalculation(window, "[25]=1", "optFor2");
        openAfterRefusal = window.isVisible();
        runCalculation(window, "", "optFor0");
    }));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(state.calculationText, QStringLiteral("[25]=1"));
    const QString saveFailed = errorReport(OrvantaError::PathFileAccessError, "cmdOK_Click", 1);
    EXPECT_EQ(dialogs.texts(),
        QStringList({errorReport(OrvantaError::PathFileAccessError, "Form_Load", 2), saveFailed,
            errorReport(OrvantaError::AutomationError, "cmdOK_Click", 3), saveFailed}));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Orvanta error"));
}

// A cancelled dialog leaves the prompt as typed; a chosen file goes into it.
TEST_F(FrmMainWindow, OpenStartsInTheProgramFolderAndPutsTheFileInThePrompt)
{
    const QString calc = appPath(QStringLiteral("Totals.ogs"));
    QFile(calc).open(QIODevice::WriteOnly);
    state.activeViewType = HostViewType::Groups;
    QString folder;
    QStringList filters;
    QStringList prompts;
    runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25]=1"));
        for (const bool choose : {false, true}) {
            whenModal<QFileDialog>([&, choose](QFileDialog &dialog) {
                folder = dialog.directory().absolutePath();
                filters = dialog.nameFilters();
                if (!choose)
                    return dialog.reject();
                // Typed, as selectFile() leaves a focused name box alone.
                child<QLineEdit>(dialog, "fileNameEdit")->setText(calc);
                static_cast<QDialog &>(dialog).accept();
            });
            trigger(window, "mnuOpen");
            prompts << child<QComboBox>(window, "cboPrompt")->currentText();
        }
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(folder, appFolder());
    EXPECT_EQ(filters, QStringList({"Orvanta Group Syntax (*.ogs)"}));
    EXPECT_EQ(prompts, QStringList({"[25]=1", "File:" + calc}));
}

// Integrate opens in English with Contacts and Groups enabled.
TEST_F(FrmMainWindow, BuilderGetsThePromptAndIntegrateTwoViews)
{
    host.launch.defined = true;
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
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(seen, QStringList({"[25]=[3]*2", "[25]=[3]*2", "Integrate with ACT!"}));
    EXPECT_EQ(host.launch.calls, (QStringList {"toolbar+ 1 Orvanta", "toolbar+ 3 Orvanta"}));
}

// The main window shown on its own, with the shell and the program's end caught.
class FrmMainShown : public FrmMainFixture
{
protected:
    void SetUp() override
    {
        FrmMainFixture::SetUp();
        window = std::make_unique<FrmMain>(state, dialogs);
        window->setProgramEnd([this] { ++ended; });
        window->show();
    }

    std::unique_ptr<FrmMain> window;
    int ended = 0;
    UrlCatcher shell;
};

TEST_F(FrmMainShown, ManualAndOnlineHelpGoThroughTheShell)
{
    trigger(*window, "mnuManual");
    trigger(*window, "mnuOnline");
    EXPECT_EQ(shell.opened,
        QList<QUrl>({QUrl::fromLocalFile(appPath(QStringLiteral("orvanta_manual.pdf"))),
            QUrl(FrmMain::onlineHelpUrl())}));
}

TEST_F(FrmMainShown, ClosingWithTheReopenFlagReopensTheDatabaseAndEndsOnTheSecondTick)
{
    state.reopenFlag = true;
    child<QPushButton>(*window, "cmdCancel")->click();
    EXPECT_EQ(host.calls, QStringList({"GetOpenDBName", "Command 150"}));
    EXPECT_EQ(state.hostApplication, nullptr);
    EXPECT_EQ(shell.opened, QList<QUrl>({QUrl::fromLocalFile(host.databaseName)}));
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
    EXPECT_TRUE(shell.opened.isEmpty());
}

} // namespace

#include "FrmMainTest.moc"
