#include "StatementPreview.h"
#include "RunFixture.h"

namespace {

using Outcome = StatementPreview::Test::Outcome;

class StatementPreviewTest : public RunFixture
{
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        host.records[0][2] = QStringLiteral("Brightwater");
    }

    StatementPreview::Test tested(
        const QString &statement, StatementPreview::Mode mode = StatementPreview::Mode::Preview)
    {
        host.commands.clear();
        host.calls.clear();
        StatementPreview preview(state, evaluator, dialogs, settings, mode);
        preview.load(statement);
        preview.refresh();
        substituted = preview.substituted();
        target = preview.targetText();
        return preview.test();
    }

    // Each step as "depth text = value", or "depth text ! error" where it failed.
    static QStringList steps(const StatementPreview::Test &test)
    {
        QStringList out;
        for (const EvalStep &step : test.steps)
            out << QStringLiteral("%1 %2 %3")
                       .arg(step.depth)
                       .arg(
                           step.text, QString(step.failed ? "! " + step.error : "= " + step.value));
        return out;
    }

    Evaluator evaluator {QLocale(QLocale::English, QLocale::UnitedStates), dialogs};
    QString substituted;
    QString target;
};

} // namespace

TEST(StatementPreview, CutsAtTheLastCharacterOfTheSign)
{
    const struct
    {
        const char *statement;
        qint32 position;
    } rows[] = {{"[25]=[3]*2", 5}, {"[25]==[3]*2", 6}, {"[3]*2", 0}, {"a=b==c", 5}, {"[25]=", 5},
        {"=[3]", 1}};
    for (const auto &row : rows)
        EXPECT_EQ(StatementPreview::signPositionOf(row.statement), row.position) << row.statement;
}

TEST_F(StatementPreviewTest, PutsInTheCurrentRecordAndSpacesForUnderscores)
{
    StatementPreview preview(state, evaluator, dialogs, settings);
    preview.load(QStringLiteral("[25]=[3]&_kg_[2]"));
    preview.refresh();
    EXPECT_EQ(preview.substituted(), QStringLiteral("\"12.5\"& kg \"Brightwater\""));
    EXPECT_EQ(preview.shownText(), QStringLiteral("[25]=\"12.5\"& kg \"Brightwater\""));

    host.records[0][3] = QStringLiteral("99");
    preview.refresh();
    EXPECT_EQ(preview.substituted(), QStringLiteral("\"99\"& kg \"Brightwater\""));
}

TEST_F(StatementPreviewTest, GivesWhatARunWouldWriteAndWritesNothing)
{
    const struct
    {
        const char *statement;
        Outcome outcome;
        const char *text;
        const char *target;
        const char *substituted;
    } rows[] = {
        {"[25]=[3]*2", Outcome::Value, "25", "[25]=", "\"12.5\"*2"},
        {"[3]*2", Outcome::Value, "25", "", "\"12.5\"*2"},
        {"[30]=[4]>100", Outcome::Value, "Yes", "[30]=", "\"150\">100"},
        {"[30]=[4]<100", Outcome::Value, "No", "[30]=", "\"150\"<100"},
        // The preview leaves "~" alone: the truth texts still apply.
        {"[30]=~[4]>100", Outcome::Value, "Yes", "[30]=", "~\"150\">100"},
        {"[30]=0-1", Outcome::Value, "-1", "[30]=", "0-1"},
        {"[25]=If([3])", Outcome::Error, "The if function requires at least 2 arguments.",
            "[25]=", "If(\"12.5\")"},
        // An error does not spoil the next test.
        {"[25]=[3]+1", Outcome::Value, "13.5", "[25]=", "\"12.5\"+1"},
        {"[25]=[abc]", Outcome::InvalidField, "Invalid Field in Calculation", "[25]=", "[abc]"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.statement);
        const StatementPreview::Test test = tested(QString::fromUtf8(row.statement));
        EXPECT_EQ(test.outcome, row.outcome);
        EXPECT_EQ(test.text, QString::fromUtf8(row.text));
        EXPECT_EQ(target, QString::fromUtf8(row.target));
        if (row.outcome != Outcome::InvalidField) {
            EXPECT_EQ(substituted, QString::fromUtf8(row.substituted));
        }
        EXPECT_EQ(host.commands, QList<qint16>({104}));
        EXPECT_TRUE(host.calls.filter("SetField").isEmpty());
        EXPECT_FALSE(evaluator.state().ErrorFlag);
        EXPECT_TRUE(evaluator.state().ErrText.isEmpty());
    }
}

TEST_F(StatementPreviewTest, TakesTheTruthTextsFromTheSettings)
{
    settings.setValue(QLatin1String(Settings::TrueWord), QStringLiteral("Oui"));
    EXPECT_EQ(tested(QStringLiteral("[30]=[4]>100")).text, QStringLiteral("Oui"));
    settings.setValue(QLatin1String(Settings::TrueWord), QStringLiteral("Yes"));
}

TEST_F(StatementPreviewTest, AnInvalidFieldIsReportedOnRefreshAndOnceOnTest)
{
    EXPECT_EQ(tested(QStringLiteral("[25]=[x1]+1")).outcome, Outcome::InvalidField);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts().first().startsWith(QStringLiteral("Invalid Field: x1\r")));
    EXPECT_FALSE(state.invalidFieldFlag);
}

TEST_F(StatementPreviewTest, ExplainReadsTheStatementAsARunAndSendsNothing)
{
    const StatementPreview::Test test
        = tested(QStringLiteral("~[30]=[4]>100"), StatementPreview::Mode::Explain);
    EXPECT_EQ(test.text, QStringLiteral("-1"));
    EXPECT_EQ(substituted, QStringLiteral("\"150\">100"));
    EXPECT_TRUE(host.commands.isEmpty());
    EXPECT_TRUE(host.calls.filter("SetField").isEmpty());
}

TEST_F(StatementPreviewTest, TracesNestedCallsInnermostFirstAndMarksWhereAnErrorArose)
{
    const StatementPreview::Test nested = tested(QStringLiteral("[25]=Len(Left([2];5))*(1+(2*3))"));
    EXPECT_EQ(nested.text, QStringLiteral("35"));
    EXPECT_EQ(steps(nested),
        QStringList({"2 Left(\"Brightwater\";5) = Brigh", "1 Len(Left(\"Brightwater\";5)) = 5",
            "2 (2*3) = 6", "1 (1+(2*3)) = 7"}));

    const StatementPreview::Test failed = tested(QStringLiteral("[25]=Len(If([3]))"));
    EXPECT_EQ(failed.outcome, Outcome::Error);
    ASSERT_EQ(failed.steps.size(), 2);
    EXPECT_EQ(
        steps(failed).first(), "2 If(\"12.5\") ! The if function requires at least 2 arguments.");
    EXPECT_FALSE(failed.steps[1].failed);
}
