#include "CsvReader.h"
#include "CsvWriter.h"
#include "TemporaryHost.h"

#include <gtest/gtest.h>

TEST(CsvReader, ReadsQuotedAndPlainValues)
{
    const struct
    {
        const char *name;
        QString text;
        QList<QStringList> records;
        QList<int> lines;
    } cases[] = {
        {"plain", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"lf and no final break", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"empty values", "a,,\n,b,\n", {{"a", "", ""}, {"", "b", ""}}, {1, 2}},
        {"comma and quote", "\"x, y\",\"say \"\"hi\"\"\"\n", {{"x, y", "say \"hi\""}}, {1}},
        {"line break inside", "\"one\r\ntwo\",b\nc,d\n", {{"one\r\ntwo", "b"}, {"c", "d"}}, {1, 3}},
        {"blank lines skipped", "a\n\n\nb\n", {{"a"}, {"b"}}, {1, 4}},
        {"byte order mark", QString(QChar(0xFEFF)) + "1,2\n", {{"1", "2"}}, {1}},
    };
    for (const auto &c : cases) {
        const QList<CsvReader::Record> records = CsvReader::read(c.text);
        ASSERT_EQ(records.size(), c.records.size()) << c.name;
        for (qsizetype i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].values, c.records[i]) << c.name;
            EXPECT_EQ(records[i].line, c.lines[i]) << c.name;
        }
    }
}

TEST(CsvReader, ReportsTheLineOfAMalformedText)
{
    const struct
    {
        QString text;
        QString description;
    } cases[] = {
        {"a,b\nc,\"open\nstill open\n", "line 2: a quoted value is not closed"},
        {"a,b\nc,d\ne,f\"g\n", "line 3: a quote inside a value that is not quoted"},
        {"\"x\ny\"z\n", "line 2: text after the closing quote of a value"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(thrownError([&] { CsvReader::read(c.text); }).second, c.description);
}

TEST(CsvWriter, QuotesOnlyWhatNeedsItAndReadsBack)
{
    const QStringList values
        = {"plain", "a,b", "say \"hi\"", "two\r\nlines", " lead", "trail ", "", "lf\nonly"};
    const QString text = CsvWriter::record(values);
    EXPECT_TRUE(text.startsWith("plain,\"a,b\",\"say \"\"hi\"\"\","));
    EXPECT_TRUE(text.endsWith(",\" lead\",\"trail \",,\"lf\nonly\"\r\n"));
    const QList<CsvReader::Record> back = CsvReader::read(text + text);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].values, values);
    EXPECT_EQ(back[1].values, values);
    EXPECT_EQ(back[1].line, 4); // the first record spans lines 1 to 3
}
