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

const QString Arrow = QStringLiteral(" \u2192 ");
const QString CausePrefix = QStringLiteral("Cause: ");

// The code spans of one line, in order, with what stands between each and the next.
QList<ManualExample> examplesOfLine(const QString &line, int lineNumber)
{
    static const QRegularExpression codeSpan(QStringLiteral("`([^`]*)`"));
    QList<QRegularExpressionMatch> spans;
    for (const auto &match : codeSpan.globalMatch(line))
        spans.append(match);
    QList<ManualExample> examples;
    for (qsizetype i = 0; i + 1 < spans.size(); ++i) {
        const qsizetype gapStart = spans[i].capturedEnd();
        const QString gap = line.mid(gapStart, spans[i + 1].capturedStart() - gapStart);
        if (gap == Arrow)
            examples.append({spans[i].captured(1), spans[i + 1].captured(1), lineNumber});
    }
    return examples;
}

QList<ManualExample> loadManualExamples()
{
    QFile file(QStringLiteral(ORVANTA_MANUAL_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QList<ManualExample> examples;
    for (qsizetype i = 0; i < lines.size(); ++i)
        examples.append(examplesOfLine(lines.at(i), int(i + 1)));
    return examples;
}

const QList<ManualExample> &manualExamples()
{
    static const QList<ManualExample> examples = loadManualExamples();
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

bool hasExampleCalling(const QString &function)
{
    const QRegularExpression call(
        QStringLiteral("(^|[^A-Za-z$])") + QRegularExpression::escape(function) + u'\\' + u'(',
        QRegularExpression::CaseInsensitiveOption);
    for (const ManualExample &example : manualExamples()) {
        if (call.match(example.expression).hasMatch())
            return true;
    }
    return false;
}

bool hasExampleUsing(const QString &op)
{
    const QString spaced = u' ' + op + u' ';
    for (const ManualExample &example : manualExamples()) {
        const QString text = u' ' + example.expression.toUpper() + u' ';
        if (text.contains(spaced))
            return true;
    }
    return false;
}

TEST(ManualCoverage, EveryBuiltInFunctionHasAnExample)
{
    const char *const functions[] = {"abs", "sgn", "sqr", "int", "day", "month", "monthname",
        "year", "weekday", "weekdayname", "hour", "minute", "second", "date", "date$", "time",
        "time$", "timer", "now", "len", "trim", "ltrim", "rtrim", "ucase", "lcase", "fcase", "val",
        "chr", "asc", "space", "hex", "oct", "sin", "cos", "tan", "atn", "exp", "log", "left",
        "right", "mid", "round", "format", "dateadd", "datepart", "datediff", "age", "if", "min",
        "max", "minc", "maxc", "count", "countc", "countblank", "countif", "avg", "large", "small",
        "fv", "ipmt", "nper", "pmt", "pv", "rate"};
    for (const char *function : functions) {
        const QString name = QString::fromLatin1(function);
        ASSERT_NE(FunctionTable::find(name), nullptr) << function << " is no built-in function";
        EXPECT_TRUE(hasExampleCalling(name)) << "no example calls " << function;
    }
}

TEST(ManualCoverage, EveryOperatorHasAnExample)
{
    const char *const operators[] = {"+", "-", "*", "/", "\\", "^", "&", "=", "<>", ">", "<",
        ">=", "<=", "NOT", "AND", "OR", "XOR", "EQV", "IMP"};
    for (const char *op : operators)
        EXPECT_TRUE(hasExampleUsing(QString::fromLatin1(op))) << "no example uses " << op;
}

} // namespace
