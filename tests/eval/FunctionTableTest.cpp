#include "FunctionTable.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

// Every built-in function of the language, single-argument and list alike.
const char *const functionNames[] = {"abs", "sgn", "sqr", "int", "day", "month", "monthname",
    "year", "weekday", "weekdayname", "hour", "minute", "second", "date", "date$", "time", "time$",
    "timer", "now", "len", "trim", "ltrim", "rtrim", "ucase", "lcase", "fcase", "val", "chr", "asc",
    "space", "hex", "oct", "sin", "cos", "tan", "atn", "exp", "log", "left", "right", "mid",
    "round", "format", "dateadd", "datepart", "datediff", "age", "if", "min", "max", "minc", "maxc",
    "count", "countc", "countblank", "countif", "avg", "large", "small", "fv", "ipmt", "nper",
    "pmt", "pv", "rate"};

class KnownFunction : public testing::TestWithParam<const char *>
{
};

TEST_P(KnownFunction, IsFoundInAnyLetterCase)
{
    const QString lower = QString::fromLatin1(GetParam());
    const QString capitalized = lower.left(1).toUpper() + lower.mid(1);
    for (const QString &name : {lower, lower.toUpper(), capitalized}) {
        const FunctionEntry *entry = FunctionTable::find(name);
        ASSERT_NE(entry, nullptr) << name.toStdString();
        EXPECT_EQ(entry->name, QLatin1StringView(GetParam()));
    }
}

INSTANTIATE_TEST_SUITE_P(FunctionTable, KnownFunction, testing::ValuesIn(functionNames));

TEST(FunctionTable, UnknownNamesAreNoFunction)
{
    for (const char *name : {"", "lefty", "abs ", "ab", "dat", "date$$", "countblankcountblank"})
        EXPECT_EQ(FunctionTable::find(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(FunctionTable::find(u"\u00e1bs"), nullptr);
    EXPECT_EQ(FunctionTable::find(QStringView(u"ab\0s", 4)), nullptr);
}

} // namespace
