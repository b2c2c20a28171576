#include "FrmPrePreview.h"
#include "FrmPreview.h"
#include "HostApplication.h"
#include "HostDatabaseProcess.h"
#include "HostNumbers.h"
#include "HostSchema.h"
#include "HostView.h"
#include "HostViews.h"
#include "RecordingDialogs.h"
#include "RtbSyntax.h"
#include "RunState.h"
#include "SqliteHostApplication.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The preview over a demo database made with orvanta-host, current contact C0001.
class PreviewWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(database.host({"init", "--demo"}));
        ASSERT_TRUE(database.host({"set", "3", "1250"}));
        application = SqliteHostApplication::attach(database.path());
        state.hostApplication = application.get();
        state.viewCollection = &application->Views();
        state.activeViewType = 1;
        state.calculationView
            = state.viewCollection->Create(HostViewType::Contacts, QStringLiteral("CV"));
    }
    void TearDown() override { state.calculationView.reset(); }

    // Opens the preview on the statement and runs action once it shows; action closes it.
    void preview(const QString &statement, std::function<void(FrmPreview &)> action,
        QWidget *editor = nullptr)
    {
        ModalWatchdog watchdog;
        FrmPreview window(state, dialogs, editor);
        window.sTextToPreview = statement;
        whenShown<FrmPreview>(QStringLiteral("frmPreview"), std::move(action));
        window.showModal();
    }

    template<class W> static W *child(QWidget &window, const char *name)
    {
        return window.findChild<W *>(QString::fromUtf8(name));
    }
    static QString shown(FrmPreview &window)
    {
        return child<RtbSyntax>(window, "rtfSyntax")->Text();
    }
    static bool showsSoon(FrmPreview &window, const QString &text)
    {
        return QTest::qWaitFor([&] { return shown(window) == text; }, 3000);
    }
    static QString result(FrmPreview &window)
    {
        return child<QLabel>(window, "lblResultCalc")->text();
    }
    static void runTest(FrmPreview &window)
    {
        QTest::mouseClick(child<QPushButton>(window, "cmdRun"), Qt::LeftButton);
    }

    HostDatabaseProcess database;
    std::unique_ptr<HostApplication> application;
    RunState state;
    RecordingDialogs dialogs;
};

struct LoadCase
{
    const char *statement;
    const char *shownText;
    const char *message; // "" for none
    bool canRun;
    const char *result;
};

class PreviewLoad : public PreviewWindow, public ::testing::WithParamInterface<LoadCase>
{
};

TEST_P(PreviewLoad, ShowsTheStatementWithTheRecordsValues)
{
    const LoadCase &c = GetParam();
    preview(QString::fromUtf8(c.statement), [&](FrmPreview &window) {
        EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(shown(window), QString::fromUtf8(c.shownText));
        EXPECT_EQ(child<QPushButton>(window, "cmdRun")->isEnabled(), c.canRun);
        EXPECT_EQ(result(window), QString::fromUtf8(c.result));
        window.close();
    });
    const QStringList expected
        = *c.message ? QStringList {QString::fromUtf8(c.message)} : QStringList();
    QStringList firstLines;
    for (const QString &text : dialogs.texts())
        firstLines << text.section(QLatin1Char('\r'), 0, 0);
    EXPECT_EQ(firstLines, expected);
}

INSTANTIATE_TEST_SUITE_P(Statements, PreviewLoad,
    ::testing::Values(
        LoadCase {"[25]=[3]*2", "[25]=\"1250\"*2", "", true, "Press the Run Test button"},
        LoadCase {"[25]==[3]&_x", "[25]==\"1250\"& x", "", true, "Press the Run Test button"},
        LoadCase {
            "[3]*2", "\"1250\"*2", "No target field specified!", true, "Press the Run Test button"},
        LoadCase {"[25]=", "[25]=", "", false, "No calculation to test!"},
        LoadCase {"[25]=[abc]", "[25]=", "Invalid Field: abc", false, "No calculation to test!"}));

struct RunCase
{
    const char *statement;
    const char *result;
    int points;
    QColor colour;
    std::vector<const char *> topSteps;
};

class PreviewRun : public PreviewWindow, public ::testing::WithParamInterface<RunCase>
{
};

TEST_P(PreviewRun, ShowsTheResultARunWouldWriteAndWritesNothing)
{
    const RunCase &c = GetParam();
    const QString before = database.field(QStringLiteral("C0001"), 25);
    preview(QString::fromUtf8(c.statement), [&](FrmPreview &window) {
        runTest(window);
        auto *label = child<QLabel>(window, "lblResultCalc");
        EXPECT_EQ(label->text(), QString::fromUtf8(c.result));
        EXPECT_EQ(label->font().pointSize(), c.points);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), c.colour);
        auto *steps = child<QTreeWidget>(window, "tvwSteps");
        QStringList top;
        for (int i = 0; i < steps->topLevelItemCount(); ++i)
            top << steps->topLevelItem(i)->text(0);
        QStringList expected;
        for (const char *step : c.topSteps)
            expected << QString::fromUtf8(step);
        EXPECT_EQ(top, expected);
        window.close();
    });
    EXPECT_TRUE(database.commandLog().contains(QStringLiteral("104")));
    EXPECT_EQ(database.field(QStringLiteral("C0001"), 25), before);
}

INSTANTIATE_TEST_SUITE_P(Statements, PreviewRun,
    ::testing::Values(RunCase {"[25]=[3]*2", "2500", 12, QColor(0, 128, 0), {}},
        RunCase {"[30]=[3]>100", "Yes", 12, QColor(0, 128, 0), {}},
        RunCase {"[30]=~[3]>100", "Yes", 12, QColor(0, 128, 0), {}},
        RunCase {"[25]=Len(Left([3];2))", "2", 12, QColor(0, 128, 0), {"Len(Left(\"1250\";2))"}},
        RunCase {"[25]=Len(Large(5;1;2))", "The specified position 5 does not exist!", 9,
            QColor(255, 0, 0), {"Len(Large(5;1;2))"}}));

TEST_F(PreviewWindow, MarksTheFailingStepInRed)
{
    preview(QStringLiteral("[25]=Len(Large(5;1;2))"), [&](FrmPreview &window) {
        runTest(window);
        QTreeWidgetItem *outer = child<QTreeWidget>(window, "tvwSteps")->topLevelItem(0);
        ASSERT_NE(outer, nullptr);
        ASSERT_EQ(outer->childCount(), 1);
        QTreeWidgetItem *inner = outer->child(0);
        EXPECT_EQ(inner->text(0), QStringLiteral("Large(5;1;2)"));
        EXPECT_EQ(
            inner->text(1), QStringLiteral("Error: The specified position 5 does not exist!"));
        EXPECT_EQ(inner->foreground(0).color(), QColor(255, 0, 0));
        EXPECT_NE(outer->foreground(0).color(), QColor(255, 0, 0));
        window.close();
    });
}

// orvanta-host run as another process moves the current contact and changes a field:
// the preview follows, and a test after an error gives the corrected record's result.
TEST_F(PreviewWindow, FollowsTheHostChangedByAnotherProcess)
{
    ASSERT_TRUE(database.host({"set", "2", "Acme", "--record", "C0002"}));
    preview(QStringLiteral("[25]=If([2];1;2)"), [&](FrmPreview &window) {
        ASSERT_TRUE(database.host({"set", "2", "Zenith"}));
        EXPECT_TRUE(showsSoon(window, QStringLiteral("[25]=If(\"Zenith\";1;2)")));
        runTest(window);
        EXPECT_EQ(result(window),
            QStringLiteral("\"Zenith\" is an invalid condition for the If function."));

        ASSERT_TRUE(database.host({"goto", "C0002"}));
        EXPECT_TRUE(showsSoon(window, QStringLiteral("[25]=If(\"Acme\";1;2)")));
        EXPECT_EQ(result(window), FrmPreview::pressRunText());

        ASSERT_TRUE(database.host({"set", "2", "0", "--record", "C0002"}));
        EXPECT_TRUE(showsSoon(window, QStringLiteral("[25]=If(\"0\";1;2)")));
        runTest(window);
        EXPECT_EQ(result(window), QStringLiteral("2"));
        window.close();
    });
}

TEST_F(PreviewWindow, SaysSoWhenTheDatabaseIsRemoved)
{
    preview(QStringLiteral("[25]=[3]*2"), [&](FrmPreview &window) {
        HostSchema::removeDatabaseFiles(database.path());
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return result(window) == FrmPreview::hostGoneText(); }, 3000));
        EXPECT_FALSE(child<QPushButton>(window, "cmdRun")->isEnabled());
        window.close();
    });
}

TEST_F(PreviewWindow, DiscardsTyping)
{
    preview(QStringLiteral("[25]=[3]*2"), [&](FrmPreview &window) {
        QTest::keyClicks(child<RtbSyntax>(window, "rtfSyntax")->innerBox(), QStringLiteral("xy"));
        EXPECT_EQ(shown(window), QStringLiteral("[25]=\"1250\"*2"));
        window.close();
    });
}

TEST_F(PreviewWindow, TakesTheEditorsSizeJustBelowItsTop)
{
    QWidget editor;
    editor.setGeometry(100, 120, 640, 420);
    editor.show();
    preview(
        QStringLiteral("[25]=1"),
        [&](FrmPreview &window) {
            EXPECT_EQ(window.size(), editor.size());
            EXPECT_EQ(window.frameGeometry().top(), editor.frameGeometry().top() + 16);
            window.close();
        },
        &editor);
}

TEST(Chooser, NumbersTheCalculationsAndPreviewsTheChosenOne)
{
    const struct
    {
        int chosen; // index in the combo box, -1 for Cancel
        QStringList previewed;
    } rows[] = {{0, {"[25]=1"}}, {2, {"[27]=3"}}, {-1, {}}};
    for (const auto &row : rows) {
        QStringList previewed;
        FrmPrePreview chooser({"[25]=1", "[26]=2", "[27]=3"},
            [&](const QString &statement) { previewed << statement; });
        EXPECT_EQ(chooser.findChild<QLabel *>("lbl1")->text(),
            QStringLiteral("Your syntax contains 3 calculations."));
        auto *numbers = chooser.findChild<QComboBox *>("cboNumber");
        ASSERT_EQ(numbers->count(), 3);
        EXPECT_EQ(numbers->itemText(2), QStringLiteral("3"));
        EXPECT_EQ(numbers->currentIndex(), 0);
        whenShown<FrmPrePreview>(QStringLiteral("frmPrePreview"), [&](FrmPrePreview &window) {
            if (row.chosen >= 0)
                numbers->setCurrentIndex(row.chosen);
            QTest::mouseClick(
                window.findChild<QPushButton *>(row.chosen < 0 ? "cmdCancel" : "cmdOK"),
                Qt::LeftButton);
        });
        chooser.exec();
        EXPECT_EQ(previewed, row.previewed) << row.chosen;
        EXPECT_FALSE(chooser.isVisible());
    }
}

} // namespace
