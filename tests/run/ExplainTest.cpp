// orvanta --explain as a user runs it, against a demo database made by orvanta-host.
#include "EndToEnd.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class Explain : public EndToEnd
{
protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        host({"set", "3", "1250"});
        host({"set", "2", "Acme Corp"});
    }

    // The exit status and everything printed.
    std::pair<int, QString> explain(const QString &calculation) const
    {
        const Result r = orvanta({"--explain", calculation});
        return {r.exitCode, r.out + r.err};
    }

    // Every row of every table, in order: what a write anywhere would change.
    QString databaseContent() const
    {
        sqlite3 *db = nullptr;
        EXPECT_EQ(
            sqlite3_open_v2(qPrintable(dbPath()), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        QString content;
        QStringList tables;
        rows(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", tables);
        for (const QString &table : tables) {
            QStringList tableRows;
            rows(db, "SELECT * FROM " + table.toStdString() + " ORDER BY 1, 2", tableRows);
            content += table + ":" + tableRows.join('|') + "\n";
        }
        sqlite3_close(db);
        return content;
    }

    static void rows(sqlite3 *db, const std::string &sql, QStringList &out)
    {
        sqlite3_stmt *statement = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList columns;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                columns << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, i)));
            out << columns.join(',');
        }
        sqlite3_finalize(statement);
    }

    QString writeFile(const QByteArray &content) const
    {
        QFile file(m_dir.filePath("explain.ocs"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
};

TEST_F(Explain, PrintsEveryStatementOfAFileAndWritesNothing)
{
    const QString path = writeFile("[25]=[3]*2\\/\r\n"
                                   "[26]=Len(Left([2];4))>3\\/\r\n"
                                   "~[27]=[3]>100\\/\r\n"
                                   "[28]=If([3])\r\n");
    const QString before = databaseContent();
    const auto [status, out] = explain("File:" + path);
    EXPECT_EQ(status, 0);
    const QString expected = "Record: C0001\n"
                             "Statement 1: [25]=[3]*2\n"
                             "  Target: [25]=\n"
                             "  Expression: \"1250\"*2\n"
                             "  Steps: none\n"
                             "  Value: 2500\n"
                             "Statement 2: [26]=Len(Left([2];4))>3\n"
                             "  Target: [26]=\n"
                             "  Expression: Len(Left(\"Acme Corp\";4))>3\n"
                             "  Steps:\n"
                             "      Left(\"Acme Corp\";4) = Acme\n"
                             "    Len(Left(\"Acme Corp\";4)) = 4\n"
                             "  Value: Yes\n"
                             "Statement 3: ~[27]=[3]>100\n"
                             "  Target: [27]=\n"
                             "  Expression: \"1250\">100\n"
                             "  Steps: none\n"
                             "  Value: -1\n"
                             "Statement 4: [28]=If([3])\n"
                             "  Target: [28]=\n"
                             "  Expression: If(\"1250\")\n"
                             "  Steps:\n"
                             "    If(\"1250\") =   <- error: The if function requires at least 2 "
                             "arguments.\n"
                             "  Not written: The if function requires at least 2 arguments.\n";
    EXPECT_EQ(out, expected);
    EXPECT_EQ(databaseContent(), before);
}

struct StopCase
{
    const char *calculation;
    const char *lastLines;
};

class ExplainStops : public Explain, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(ExplainStops, WhereARunWouldStop)
{
    const QString before = databaseContent();
    const auto [status, out] = explain(GetParam().calculation);
    EXPECT_TRUE(out.endsWith(GetParam().lastLines)) << out.toStdString();
    EXPECT_EQ(databaseContent(), before);
}

INSTANTIATE_TEST_SUITE_P(Calculations, ExplainStops,
    ::testing::Values(StopCase {"[25]=1\\/[26]",
                          "Statement 2: [26]\n  Invalid Expression : missing =\n"
                          "  (a run stops here)\n"},
        StopCase {"[25]=[x]\\/[26]=2", "  Invalid Field in Calculation\n  (a run stops here)\n"},
        StopCase {"File:/nowhere/at/all.ocs",
            "orvanta: Unable to locate the specified argument file\n"}));

} // namespace
