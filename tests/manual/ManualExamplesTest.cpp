// Every example of the user's manual, written there as `expression` → `result`, run
// through the evaluator: the manual cannot drift from the program.

#include "Evaluator.h"
#include "FunctionTable.h"
#include "RecordingDialogs.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct ManualExample
{
    QString expression;
    QString result;
    int line = 0;
};

void PrintTo(const ManualExample &example, std::ostream *os)
{
    *os << "line " << example.line << ": " << example.expression.toStdString();
}

const QString CausePrefix = QStringLiteral("Cause: ");

// Two code spans with only an arrow between them, read once.
const QList<ManualExample> &manualExamples()
{
    static const QList<ManualExample> examples = [] {
        const QRegularExpression example(QStringLiteral("`([^`]*)` \u2192 `([^`]*)`"));
        QFile file(QStringLiteral(ORVANTA_MANUAL_FILE));
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        QList<ManualExample> found;
        for (qsizetype i = 0; i < lines.size(); ++i)
            for (const QRegularExpressionMatch &match : example.globalMatch(lines.at(i)))
                found.append({match.captured(1), match.captured(2), int(i + 1)});
        return found;
    }();
    return examples;
}

// In the locale the manual's examples are written for, on the day its clock examples show.
class ManualExampleTest : public ::testing::TestWithParam<ManualExample>
{
protected:
    ManualExampleTest()
        : evaluator(QLocale(QStringLiteral("en_US")), dialogs)
    {
        evaluator.setClock([] { return QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26)); });
    }

    RecordingDialogs dialogs;
    Evaluator evaluator;
};

TEST_P(ManualExampleTest, GivesTheResultTheManualShows)
{
    const ManualExample &example = GetParam();
    const Value result = evaluator.evaluate(example.expression);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.texts().join(u'|').toStdString();
    // A rejected calculation is shown by the cause the run reports.
    if (example.result.startsWith(CausePrefix)) {
        EXPECT_TRUE(evaluator.state().ErrorFlag);
        EXPECT_EQ(evaluator.state().ErrText.toStdString(),
            example.result.mid(CausePrefix.size()).toStdString());
        return;
    }
    EXPECT_EQ(evaluator.locale().toText(result).toStdString(), example.result.toStdString());
    EXPECT_FALSE(evaluator.state().ErrorFlag) << evaluator.state().ErrText.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Manual, ManualExampleTest, ::testing::ValuesIn(manualExamples()));

// Whether an example's expression has name (in any letter case) between before and after.
bool hasExample(const char *before, const char *name, const char *after)
{
    const QRegularExpression pattern(QString::fromLatin1(before)
            + QRegularExpression::escape(QString::fromLatin1(name)) + QString::fromLatin1(after),
        QRegularExpression::CaseInsensitiveOption);
    return std::any_of(manualExamples().begin(), manualExamples().end(),
        [&](const ManualExample &example) { return pattern.match(example.expression).hasMatch(); });
}

TEST(ManualCoverage, EveryBuiltInFunctionAndOperatorHasAnExample)
{
    const char *const functions[] = {"abs", "sgn", "sqr", "int", "day", "month", "monthname",
        "year", "weekday", "weekdayname", "hour", "minute", "second", "date", "date$", "time",
        "time$", "timer", "now", "len", "trim", "ltrim", "rtrim", "ucase", "lcase", "fcase", "val",
        "chr", "asc", "space", "hex", "oct", "sin", "cos", "tan", "atn", "exp", "log", "left",
        "right", "mid", "round", "format", "dateadd", "datepart", "datediff", "age", "if", "min",
        "max", "minc", "maxc", "count", "countc", "countblank", "countif", "avg", "large", "small",
        "fv", "ipmt", "nper", "pmt", "pv", "rate"};
    for (const char *function : functions) {
        ASSERT_NE(FunctionTable::find(QString::fromLatin1(function)), nullptr) << function;
        EXPECT_TRUE(hasExample("(^|[^A-Za-z$])", function, "\\("))
            << "no example calls " << function;
    }
    for (const char *op : {"+", "-", "*", "/", "\\", "^", "&", "=", "<>", ">", "<",
             ">=", "<=", "NOT", "AND", "OR", "XOR", "EQV", "IMP"})
        EXPECT_TRUE(hasExample("(^| )", op, "( |$)")) << "no example uses " << op;
}

} // namespace
