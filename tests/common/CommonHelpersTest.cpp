#include "CleanLine.h"

#include <gtest/gtest.h>

TEST(CleanLine, RemovesControlCharactersOnly)
{
    const struct
    {
        QString in;
        QString out;
    } rows[] = {
        {"", ""},
        {"abc", "abc"},
        {"\ta b\r\n", "a b"},
        {QString("x") + QChar(0) + QChar(31) + "y", "xy"},
        {QString::fromUtf8("\u00e9\u20ac "), QString::fromUtf8("\u00e9\u20ac ")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Clean_Line(row.in), row.out) << row.in.toStdString();
}
