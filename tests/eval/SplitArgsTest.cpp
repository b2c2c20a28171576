#include "SplitArgs.h"
#include <QStringList>
#include <gtest/gtest.h>

TEST(SplitArgs, CutsAtUnescapedSemicolons)
{
    const struct
    {
        const char *text;
        QStringList expected;
    } rows[] = {
        {"", {""}},
        {"a;;b", {"a", "", "b"}},
        {"a>1;Left(b;2);c", {"a>1", "Left(b", "2)", "c"}},
        {"a>1;Left(b\\;2);c", {"a>1", "Left(b;2)", "c"}},
        {"x\\\\;y;z", {"x\\;y", "z"}},
        {"\"a;b\"", {"\"a", "b\""}},
        {" 1 ; 2 ", {" 1 ", " 2 "}},
        {"a^^\u00e9\u00e8b;c", {"a;b", "c"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(SplitArgs(QString::fromUtf8(row.text)), row.expected) << row.text;
}
