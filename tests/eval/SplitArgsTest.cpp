#include "SplitArgs.h"
#include <QStringList>
#include <gtest/gtest.h>

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

} // namespace
