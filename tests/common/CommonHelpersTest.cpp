#include "AppPath.h"
#include "CleanLine.h"
#include "FileExists.h"

#include <QTemporaryDir>
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

TEST(AppPath, EnvironmentOverridesAndTrailingSlashIsDropped)
{
    qputenv("ORVANTA_APP_DIR", "/opt/orvanta/");
    EXPECT_EQ(AppPath(), "/opt/orvanta");
    qunsetenv("ORVANTA_APP_DIR");
    EXPECT_FALSE(AppPath().isEmpty());
    EXPECT_TRUE(FileExists(AppPath()));
}
