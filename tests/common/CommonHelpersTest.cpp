#include "AppPath.h"
#include "CleanLine.h"
#include "FileExists.h"
#include "LocaleInfo.h"

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

TEST(FileExists, FilesAndFoldersExistEmptyPathDoesNot)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("My Calc.ocs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(FileExists(dir.path()));
    EXPECT_TRUE(FileExists(dir.filePath("My Calc.ocs")));
    EXPECT_FALSE(FileExists(dir.filePath("missing.ocs")));
    EXPECT_FALSE(FileExists(QString()));
}

TEST(LocaleInfo, DecimalSeparatorOfEachLocale)
{
    EXPECT_EQ(GetUserLocaleInfo(QLocale("en_US"), LOCALE_SDECIMAL), ".");
    EXPECT_EQ(GetUserLocaleInfo(QLocale("de_DE"), LOCALE_SDECIMAL), ",");
    EXPECT_EQ(GetUserLocaleInfo(QLocale("fr_FR"), LOCALE_SDECIMAL), ",");
    EXPECT_EQ(GetUserLocaleInfo(QLocale("en_US"), 9999), "");
}

TEST(AppPath, EnvironmentOverridesAndTrailingSlashIsDropped)
{
    qputenv("ORVANTA_APP_DIR", "/opt/orvanta/");
    EXPECT_EQ(AppPath(), "/opt/orvanta");
    qunsetenv("ORVANTA_APP_DIR");
    EXPECT_FALSE(AppPath().isEmpty());
    EXPECT_TRUE(FileExists(AppPath()));
}
