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
    static bool showsSoon(FrmPreview &window, const QString &text)
    {
        return QTest::qWaitFor(
            [&] { return child<RtbSyntax>(window, "rtfSyntax")->Text() == text; }, 3000);
    }
    static QString result(FrmPreview &window)
    {
        return child<QLabel>(window, "lblResultCalc")->text();
    }
    static void expectResult(FrmPreview &window, const char *text, int points, QColor colour)
    {
        auto *label = child<QLabel>(window, "lblResultCalc");
        EXPECT_EQ(label->text(), QString::fromUtf8(text));
        EXPECT_EQ(label->font().pointSize(), points);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour);
    }

    HostDatabaseProcess database;
    std::unique_ptr<HostApplication> application;
    RunState state;
    RecordingDialogs dialogs;
};

// Typing changes nothing; a statement without a target or a calculation is said so.
TEST_F(PreviewWindow, ShowsTheStatementWithTheRecordsValuesBelowTheEditorsTop)
{
    QWidget editor;
    editor.setGeometry(100, 120, 640, 420);
    editor.show();
    const struct
    {
        const char *statement;
        const char *shownText;
        const char *message; // its first line
        const char *result;
    } rows[] = {
        {"[25]==[3]&_x", "[25]==\"1250\"& x", "", "Press the Run Test button"},
        {"[3]*2", "\"1250\"*2", "No target field specified!", "Press the Run Test button"},
        {"[25]=[abc]", "[25]=", "Invalid Field: abc", "No calculation to test!"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.statement);
        dialogs.clear();
        preview(
            QString::fromUtf8(row.statement),
            [&](FrmPreview &window) {
                EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
                EXPECT_EQ(window.size(), editor.size());
                EXPECT_EQ(window.frameGeometry().top(), editor.frameGeometry().top() + 16);
                auto *syntax = child<RtbSyntax>(window, "rtfSyntax");
                QTest::keyClicks(syntax->innerBox(), QStringLiteral("xy"));
                EXPECT_EQ(syntax->Text(), QString::fromUtf8(row.shownText));
                EXPECT_EQ(child<QPushButton>(window, "cmdRun")->isEnabled(),
                    result(window) == FrmPreview::pressRunText());
                EXPECT_EQ(result(window), QString::fromUtf8(row.result));
                window.close();
            },
            &editor);
        EXPECT_LE(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.texts().value(0).section(QLatin1Char('\r'), 0, 0), row.message);
    }
}

// An error shows in red, with the failing step marked in the tree; a test writes nothing.
TEST_F(PreviewWindow, RunTestShowsTheErrorAndItsStepsAndWritesNothing)
{
    preview(QStringLiteral("[25]=Len(Large(5;1;2))"), [&](FrmPreview &window) {
        QTest::mouseClick(child<QPushButton>(window, "cmdRun"), Qt::LeftButton);
        expectResult(window, "The specified position 5 does not exist!", 9, QColor(255, 0, 0));
        auto *steps = child<QTreeWidget>(window, "tvwSteps");
        ASSERT_EQ(steps->topLevelItemCount(), 1);
        QTreeWidgetItem *outer = steps->topLevelItem(0);
        EXPECT_EQ(outer->text(0), QStringLiteral("Len(Large(5;1;2))"));
        ASSERT_EQ(outer->childCount(), 1);
        QTreeWidgetItem *inner = outer->child(0);
        EXPECT_EQ(inner->text(0), QStringLiteral("Large(5;1;2)"));
        EXPECT_EQ(
            inner->text(1), QStringLiteral("Error: The specified position 5 does not exist!"));
        EXPECT_EQ(inner->foreground(0).color(), QColor(255, 0, 0));
        EXPECT_NE(outer->foreground(0).color(), QColor(255, 0, 0));
        window.close();
    });
    EXPECT_TRUE(database.commandLog().contains(QStringLiteral("104")));
    EXPECT_EQ(database.field(QStringLiteral("C0001"), 25), QString());
    // Calls side by side are steps side by side, not one inside the other.
    preview(QStringLiteral("[25]=Len(\"ab\")+Len(\"abc\")"), [&](FrmPreview &window) {
        QTest::mouseClick(child<QPushButton>(window, "cmdRun"), Qt::LeftButton);
        EXPECT_EQ(child<QTreeWidget>(window, "tvwSteps")->topLevelItemCount(), 2);
        window.close();
    });
}

// orvanta-host run as another process moves the current contact and changes a field:
// the preview follows, and a test after an error gives the corrected record's result.
TEST_F(PreviewWindow, FollowsTheHostChangedByAnotherProcessUntilItIsRemoved)
{
    ASSERT_TRUE(database.host({"set", "2", "Acme", "--record", "C0002"}));
    preview(QStringLiteral("[25]=If([2];1;2)"), [&](FrmPreview &window) {
        ASSERT_TRUE(database.host({"set", "2", "Zenith"}));
        EXPECT_TRUE(showsSoon(window, QStringLiteral("[25]=If(\"Zenith\";1;2)")));
        QTest::mouseClick(child<QPushButton>(window, "cmdRun"), Qt::LeftButton);
        EXPECT_EQ(result(window),
            QStringLiteral("\"Zenith\" is an invalid condition for the If function."));

        ASSERT_TRUE(database.host({"goto", "C0002"}));
        EXPECT_TRUE(showsSoon(window, QStringLiteral("[25]=If(\"Acme\";1;2)")));
        EXPECT_EQ(result(window), FrmPreview::pressRunText());

        ASSERT_TRUE(database.host({"set", "2", "0", "--record", "C0002"}));
        EXPECT_TRUE(showsSoon(window, QStringLiteral("[25]=If(\"0\";1;2)")));
        QTest::mouseClick(child<QPushButton>(window, "cmdRun"), Qt::LeftButton);
        expectResult(window, "2", 12, QColor(0, 128, 0));

        HostSchema::removeDatabaseFiles(database.path());
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return result(window) == FrmPreview::hostGoneText(); }, 3000));
        EXPECT_FALSE(child<QPushButton>(window, "cmdRun")->isEnabled());
        window.close();
    });
}

TEST(Chooser, NumbersTheCalculationsAndPreviewsTheChosenOne)
{
    for (const bool cancel : {false, true}) {
        QStringList previewed;
        FrmPrePreview chooser({"[25]=1", "[26]=2", "[27]=3"},
            [&](const QString &statement) { previewed << statement; });
        EXPECT_EQ(chooser.findChild<QLabel *>("lbl1")->text(),
            QStringLiteral("Your syntax contains 3 calculations."));
        whenShown<FrmPrePreview>(QStringLiteral("frmPrePreview"), [&](FrmPrePreview &window) {
            window.findChild<QComboBox *>("cboNumber")->setCurrentIndex(2);
            QTest::mouseClick(
                window.findChild<QPushButton *>(cancel ? "cmdCancel" : "cmdOK"), Qt::LeftButton);
        });
        chooser.exec();
        EXPECT_EQ(previewed, cancel ? QStringList() : QStringList({"[27]=3"}));
    }
}

} // namespace
