#include "StatementPreview.h"
#include "RunFixture.h"

#include <algorithm>

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
        StatementPreview preview(state, evaluator, dialogs, settings, mode);
        preview.load(statement);
        preview.refresh();
        substituted = preview.substituted();
        return preview.test();
    }

    bool wroteAnything() const
    {
        return std::any_of(host.calls.begin(), host.calls.end(),
            [](const QString &call) { return call.startsWith(QLatin1String("SetField")); });
    }

    Evaluator evaluator {QLocale(QLocale::English, QLocale::UnitedStates), dialogs};
    QString substituted;
};

struct SignCase
{
    const char *statement;
    qint32 position;
    const char *target;
};

class SignPosition : public ::testing::TestWithParam<SignCase>
{
};

TEST_P(SignPosition, CutsAtTheLastCharacterOfTheSign)
{
    const QString statement = QString::fromUtf8(GetParam().statement);
    EXPECT_EQ(StatementPreview::signPositionOf(statement), GetParam().position);
    EXPECT_EQ(statement.left(StatementPreview::signPositionOf(statement)),
        QString::fromUtf8(GetParam().target));
}

INSTANTIATE_TEST_SUITE_P(Statements, SignPosition,
    ::testing::Values(SignCase {"[25]=[3]*2", 5, "[25]="}, SignCase {"[25]==[3]*2", 6, "[25]=="},
        SignCase {"[3]*2", 0, ""}, SignCase {"a=b==c", 5, "a=b=="}, SignCase {"[25]=", 5, "[25]="},
        SignCase {"=[3]", 1, "="}));

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

TEST_F(StatementPreviewTest, AStatementWithoutSignIsAllExpression)
{
    StatementPreview preview(state, evaluator, dialogs, settings);
    preview.load(QStringLiteral("[3]*2"));
    preview.refresh();
    EXPECT_EQ(preview.targetText(), QString());
    EXPECT_EQ(preview.substituted(), QStringLiteral("\"12.5\"*2"));
}

struct TestCase
{
    const char *statement;
    Outcome outcome;
    const char *text;
};

class PreviewOutcome : public StatementPreviewTest, public ::testing::WithParamInterface<TestCase>
{
};

TEST_P(PreviewOutcome, GivesWhatARunWouldWriteAndWritesNothing)
{
    const StatementPreview::Test test = tested(QString::fromUtf8(GetParam().statement));
    EXPECT_EQ(test.outcome, GetParam().outcome);
    EXPECT_EQ(test.text, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(host.commands, QList<qint16>({104}));
    EXPECT_FALSE(wroteAnything());
    EXPECT_FALSE(evaluator.state().ErrorFlag);
    EXPECT_TRUE(evaluator.state().ErrText.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Statements, PreviewOutcome,
    ::testing::Values(TestCase {"[25]=[3]*2", Outcome::Value, "25"},
        TestCase {"[30]=[4]>100", Outcome::Value, "Yes"},
        TestCase {"[30]=[4]<100", Outcome::Value, "No"},
        // The preview leaves "~" alone: the truth texts still apply.
        TestCase {"[30]=~[4]>100", Outcome::Value, "Yes"},
        TestCase {"[30]=0-1", Outcome::Value, "-1"},
        TestCase {"[25]=If([3])", Outcome::Error, "The if function requires at least 2 arguments."},
        TestCase {"[25]=[abc]", Outcome::InvalidField, "Invalid Field in Calculation"}));

TEST_F(StatementPreviewTest, KeepsTheTildeInTheExpression)
{
    tested(QStringLiteral("[30]=~[4]>100"));
    EXPECT_EQ(substituted, QStringLiteral("~\"150\">100"));
}

TEST_F(StatementPreviewTest, TakesTheTruthTextsFromTheSettings)
{
    settings.setValue(QLatin1String(Settings::TrueWord), QStringLiteral("Oui"));
    EXPECT_EQ(tested(QStringLiteral("[30]=[4]>100")).text, QStringLiteral("Oui"));
    settings.setValue(QLatin1String(Settings::TrueWord), QStringLiteral("Yes"));
}

TEST_F(StatementPreviewTest, AnInvalidFieldIsReportedOnRefreshAndOnceOnTest)
{
    StatementPreview preview(state, evaluator, dialogs, settings);
    preview.load(QStringLiteral("[25]=[x1]+1"));
    preview.refresh();
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts().first().startsWith(QStringLiteral("Invalid Field: x1\r")));
    EXPECT_EQ(preview.test().outcome, Outcome::InvalidField);
    EXPECT_FALSE(state.invalidFieldFlag);
}

TEST_F(StatementPreviewTest, AnErrorDoesNotSpoilTheNextTest)
{
    EXPECT_EQ(tested(QStringLiteral("[25]=If([3])")).outcome, Outcome::Error);
    const StatementPreview::Test next = tested(QStringLiteral("[25]=[3]+1"));
    EXPECT_EQ(next.outcome, Outcome::Value);
    EXPECT_EQ(next.text, QStringLiteral("13.5"));
}

TEST_F(StatementPreviewTest, ExplainReadsTheStatementAsARunAndSendsNothing)
{
    const StatementPreview::Test test
        = tested(QStringLiteral("~[30]=[4]>100"), StatementPreview::Mode::Explain);
    EXPECT_EQ(test.text, QStringLiteral("-1"));
    EXPECT_EQ(substituted, QStringLiteral("\"150\">100"));
    EXPECT_TRUE(host.commands.isEmpty());
    EXPECT_FALSE(wroteAnything());
}

struct StepRow
{
    QString text;
    QString value;
    int depth;
    bool failed;
};

std::vector<StepRow> rows(const QList<EvalStep> &steps)
{
    std::vector<StepRow> out;
    for (const EvalStep &step : steps)
        out.push_back({step.text, step.failed ? step.error : step.value, step.depth, step.failed});
    return out;
}

void expectSteps(const QList<EvalStep> &steps, const std::vector<StepRow> &expected)
{
    const std::vector<StepRow> actual = rows(steps);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].text, expected[i].text);
        EXPECT_EQ(actual[i].value, expected[i].value);
        EXPECT_EQ(actual[i].depth, expected[i].depth);
        EXPECT_EQ(actual[i].failed, expected[i].failed);
    }
}

TEST_F(StatementPreviewTest, TracesNestedCallsInnermostFirst)
{
    const StatementPreview::Test test = tested(QStringLiteral("[25]=Len(Left([2];5))*(1+(2*3))"));
    EXPECT_EQ(test.text, QStringLiteral("35"));
    expectSteps(test.steps,
        {{"Left(\"Brightwater\";5)", "Brigh", 2, false},
            {"Len(Left(\"Brightwater\";5))", "5", 1, false}, {"(2*3)", "6", 2, false},
            {"(1+(2*3))", "7", 1, false}});
}

TEST_F(StatementPreviewTest, MarksOnlyTheStepWhereTheErrorArose)
{
    const StatementPreview::Test test = tested(QStringLiteral("[25]=Len(If([3]))"));
    EXPECT_EQ(test.outcome, Outcome::Error);
    ASSERT_EQ(test.steps.size(), 2);
    EXPECT_TRUE(test.steps[0].failed);
    EXPECT_EQ(test.steps[0].text, QStringLiteral("If(\"12.5\")"));
    EXPECT_EQ(
        test.steps[0].error, QStringLiteral("The if function requires at least 2 arguments."));
    EXPECT_FALSE(test.steps[1].failed);
}

} // namespace
