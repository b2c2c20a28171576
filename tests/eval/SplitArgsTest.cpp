#include "SplitArgs.h"
#include "EvalHarness.h"

namespace {

struct SplitRow
{
    const char *text;
    QStringList expected;
};

void PrintTo(const SplitRow &row, std::ostream *os)
{
    *os << row.text;
}

class SplitArgsRows : public testing::TestWithParam<SplitRow>
{
};

TEST_P(SplitArgsRows, CutsAtUnescapedSemicolons)
{
    const SplitRow &row = GetParam();
    EXPECT_EQ(SplitArgs(QString::fromUtf8(row.text)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(SplitArgs, SplitArgsRows,
    testing::Values(SplitRow {"", {""}}, SplitRow {"a", {"a"}}, SplitRow {";", {"", ""}},
        SplitRow {"a;;b", {"a", "", "b"}},
        SplitRow {"a>1;Left(b;2);c", {"a>1", "Left(b", "2)", "c"}},
        SplitRow {"a>1;Left(b\\;2);c", {"a>1", "Left(b;2)", "c"}},
        SplitRow {"x\\\\;y;z", {"x\\;y", "z"}}, SplitRow {"\"a;b\"", {"\"a", "b\""}},
        SplitRow {" 1 ; 2 ", {" 1 ", " 2 "}}, SplitRow {"a^^\u00e9\u00e8b;c", {"a;b", "c"}}));

// How calls receive their argument text, with the functions of the other families.
const EvalRow dispatchRows[] = {
    {"LEFT(\"abc\";1)", "Text a"},
    {"left(\"abc\";1)", "Text a"},
    {"If(1=1;Left(987\\;2);0)", "Number 98"},
    {"Left(\"a\\;b\";3)", "Text a;b"},
    {"Left(\"a^^\u00e9\u00e8b\";3)", "Text a;b"},
    {"Len(\"a;b\")", "Number 3"},
};

class DispatchRows : public testing::TestWithParam<EvalRow>
{
};

TEST_P(DispatchRows, HandsTheArgumentTextToTheFunction)
{
    const EvalRow &row = GetParam();
    EvalHarness h("en_US");
    EXPECT_EQ(h.evaluate(QString::fromUtf8(row.expression)), QString::fromUtf8(row.expected));
    EXPECT_FALSE(h.ev.state().ErrorFlag) << h.ev.state().ErrText.toStdString();
    EXPECT_TRUE(h.dialogs.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Dispatch, DispatchRows, testing::ValuesIn(dispatchRows));

TEST(Dispatch, UnescapedSemicolonCutsTheInnerCall)
{
    EvalHarness h("en_US");
    h.evaluate(QStringLiteral("If(1=1;Left(987;2);0)"));
    EXPECT_TRUE(h.ev.state().ErrorFlag);
    EXPECT_EQ(
        h.ev.state().ErrText, QStringLiteral("Invalid number of arguments in the Left Function."));
}

} // namespace
