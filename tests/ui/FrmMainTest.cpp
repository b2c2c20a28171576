#include "ErrorReport.h"
#include "FrmMainFixture.h"
#include "OrvantaError.h"
#include "RunJournal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

namespace {

using FrmMainWindow = FrmMainFixture;

QString errorReport(int number, const char *procedure, int step)
{
    return ErrorReport(QStringLiteral("frmMain"), ErrorReport::Kind::Sub, QLatin1String(procedure))
        .text(OrvantaError(number), step);
}

bool frmMainVisible()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmMain") && widget->isVisible())
            return true;
    }
    return false;
}

TEST_F(FrmMainWindow, OpensWithEveryCommandEnabledAndRunAsTheDefault)
{
    FrmMain window(state, dialogs);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Orvanta Prompt"));
    for (const char *name : {"cmdOK", "cmdCancel", "cmdEditor", "cmdTriggerSyntax", "mnuUndoRun",
             "mnuReset", "mnuIntegrate"})
        EXPECT_TRUE(child<QObject>(window, name)->property("enabled").toBool()) << name;
    EXPECT_EQ(child<QPushButton>(window, "cmdOK")->text(), QStringLiteral("&Run"));
    EXPECT_TRUE(child<QRadioButton>(window, "optFor0")->isChecked());
    EXPECT_TRUE(child<QPushButton>(window, "cmdOK")->isDefault());
    EXPECT_TRUE(child<QComboBox>(window, "cboPrompt")->isEditable());
}

struct ScopeCase
{
    const char *option;
    bool lookupFlag;
    QStringList hostCalls;
};

class FrmMainScope : public FrmMainFixture, public ::testing::WithParamInterface<ScopeCase>
{
};

TEST_P(FrmMainScope, RunHandsTheCalculationAndScopeToTheRun)
{
    const ScopeCase &row = GetParam();
    QList<bool> visibleAtCommand;
    host.onCommand = [&](qint16) { visibleAtCommand << frmMainVisible(); };
    state.lookupFlag = !row.lookupFlag;
    const bool proceed = runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25]=[3]*2"));
        child<QRadioButton>(window, row.option)->click();
        child<QPushButton>(window, "cmdOK")->click();
    });
    EXPECT_TRUE(proceed);
    EXPECT_EQ(state.calculationText, QStringLiteral("[25]=[3]*2"));
    EXPECT_EQ(state.lookupFlag, row.lookupFlag);
    EXPECT_EQ(host.calls, row.hostCalls);
    // "All contacts" fills the lookup while the window is still up.
    EXPECT_EQ(visibleAtCommand, QList<bool>(row.hostCalls.size(), true));
    EXPECT_FALSE(frmMainVisible());
}

INSTANTIATE_TEST_SUITE_P(Rows, FrmMainScope,
    ::testing::Values(ScopeCase {"optFor0", false, {}}, ScopeCase {"optFor1", true, {}},
        ScopeCase {"optFor2", true, {"Command 701"}}),
    [](const auto &info) { return std::string(info.param.option); });

enum class Leaving { CloseButton, Escape, ExitMenu, CloseBox, EnterKey };

struct LeavingCase
{
    const char *name;
    Leaving how;
    bool proceed;
    bool cancelled;
    QString calculation;
};

class FrmMainLeaving : public FrmMainFixture, public ::testing::WithParamInterface<LeavingCase>
{
};

// Only a run hands over what was typed, not a recent calculation it starts, and only a
// run rewrites the recent list.
TEST_P(FrmMainLeaving, OnlyCloseStopsTheRunAndOnlyRunHandsOverTheText)
{
    const LeavingCase &row = GetParam();
    writeRecent("[25]=1*2\r\n");
    bool cancelled = false;
    const bool proceed = runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25]=1"));
        switch (row.how) {
        case Leaving::CloseButton:
            child<QPushButton>(window, "cmdCancel")->click();
            break;
        case Leaving::Escape:
            QTest::keyClick(&window, Qt::Key_Escape);
            break;
        case Leaving::ExitMenu:
            trigger(window, "mnuExit");
            break;
        case Leaving::CloseBox:
            window.close();
            break;
        case Leaving::EnterKey:
            QTest::keyClick(child<QComboBox>(window, "cboPrompt")->lineEdit(), Qt::Key_Return);
            break;
        }
        cancelled = window.bCancel;
    });
    EXPECT_EQ(proceed, row.proceed);
    EXPECT_EQ(cancelled, row.cancelled);
    EXPECT_EQ(state.calculationText, row.calculation);
    EXPECT_EQ(readRecent(),
        row.calculation.isEmpty() ? QByteArray("[25]=1*2\r\n")
                                  : QByteArray("[25]=1\r\n[25]=1*2\r\n"));
    EXPECT_FALSE(frmMainVisible());
}

INSTANTIATE_TEST_SUITE_P(Rows, FrmMainLeaving,
    ::testing::Values(LeavingCase {"CloseButton", Leaving::CloseButton, false, true, ""},
        LeavingCase {"EscapeActsAsClose", Leaving::Escape, false, true, ""},
        LeavingCase {"ExitOnlyUnloads", Leaving::ExitMenu, true, false, ""},
        LeavingCase {"CloseBoxOnlyUnloads", Leaving::CloseBox, true, false, ""},
        LeavingCase {"EnterRuns", Leaving::EnterKey, true, false, "[25]=1"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FrmMainWindow, RecentListIsOfferedAndRewrittenOnRun)
{
    writeRecent("[25]=1\r\n\r\n[26]=2\r\n[27]=3\r\n");
    QStringList offered;
    QString shownText = QStringLiteral("not read");
    runWindow([&](FrmMain &window) {
        auto *prompt = child<QComboBox>(window, "cboPrompt");
        for (int i = 0; i < prompt->count(); ++i)
            offered << prompt->itemText(i);
        shownText = prompt->currentText();
        type(window, QStringLiteral("[26]=2"));
        child<QPushButton>(window, "cmdOK")->click();
    });
    EXPECT_EQ(offered, QStringList({"[25]=1", "[26]=2", "[27]=3"}));
    EXPECT_EQ(shownText, QString());
    EXPECT_EQ(readRecent(), QByteArray("[26]=2\r\n[25]=1\r\n[27]=3\r\n"));
}

TEST_F(FrmMainWindow, ResetEmptiesTheListAndDeletesTheFile)
{
    writeRecent("[25]=1\r\n[26]=2\r\n");
    int left = -1;
    runWindow([&](FrmMain &window) {
        trigger(window, "mnuReset");
        left = child<QComboBox>(window, "cboPrompt")->count();
        trigger(window, "mnuReset");
        trigger(window, "mnuExit");
    });
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(QFile::exists(recentPath()));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// A folder in the list's place can be neither read nor written: both are reported, and
// the run still gets its calculation.
TEST_F(FrmMainWindow, RecentListFailuresAreReportedAndTheRunGoesOn)
{
    ASSERT_TRUE(QDir().mkpath(recentPath()));
    const bool proceed = runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25]=1"));
        child<QPushButton>(window, "cmdOK")->click();
    });
    EXPECT_TRUE(proceed);
    EXPECT_EQ(state.calculationText, QStringLiteral("[25]=1"));
    EXPECT_EQ(dialogs.texts(),
        QStringList({errorReport(OrvantaError::PathFileAccessError, "Form_Load", 2),
            errorReport(OrvantaError::PathFileAccessError, "cmdOK_Click", 1)}));
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Orvanta error"));
    EXPECT_EQ(dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
}

TEST_F(FrmMainWindow, RefusedCommandIsReportedAndTheWindowStaysOpen)
{
    host.refusedCommand = 701;
    bool openAfterRun = false;
    const bool proceed = runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("[25]=1"));
        child<QRadioButton>(window, "optFor2")->click();
        child<QPushButton>(window, "cmdOK")->click();
        openAfterRun = window.isVisible();
        child<QPushButton>(window, "cmdCancel")->click();
    });
    EXPECT_TRUE(openAfterRun);
    EXPECT_FALSE(proceed);
    EXPECT_EQ(dialogs.texts(),
        QStringList({errorReport(OrvantaError::AutomationError, "cmdOK_Click", 3)}));
}

// What undo finds in the journal is checked on the whole process; here, that the menu
// reaches it and its answer is shown.
TEST_F(FrmMainWindow, UndoLastRunSaysWhatItFinds)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(RunJournal::defaultPath() + suffix);
    runWindow([&](FrmMain &window) {
        trigger(window, "mnuUndoRun");
        child<QPushButton>(window, "cmdCancel")->click();
    });
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("There is no run to undo.")}));
}

} // namespace
