// orvanta --explain as a user runs it, against a demo database made by orvanta-host.
#include "EndToEnd.h"

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

    // The host database's bytes, with its write-ahead log: what a write anywhere would change.
    QByteArray databaseContent() const
    {
        QByteArray content;
        for (const char *suffix : {"", "-wal"}) {
            QFile file(dbPath() + suffix);
            if (file.open(QIODevice::ReadOnly))
                content += file.readAll();
        }
        return content;
    }
};

TEST_F(Explain, PrintsEveryStatementOfAFileAndWritesNothing)
{
    writeAppFile("explain.ocs",
        "[25]=[3]*2\\/\r\n[26]=Len(Left([2];4))>3\\/\r\n~[27]=[3]>100\\/\r\n[28]=If([3])\r\n");
    const QByteArray before = databaseContent();
    const auto [status, out] = explain("File:" + appDir() + "/explain.ocs");
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

TEST_F(Explain, StopsWhereARunWouldStop)
{
    const struct
    {
        const char *calculation;
        const char *lastLines;
    } rows[] = {
        {"[25]=1\\/[26]",
            "Statement 2: [26]\n  Invalid Expression : missing =\n  (a run stops here)\n"},
        {"[25]=[x]\\/[26]=2", "  Invalid Field in Calculation\n  (a run stops here)\n"},
        {"File:/nowhere/at/all.ocs", "orvanta: Unable to locate the specified argument file\n"},
    };
    const QByteArray before = databaseContent();
    for (const auto &row : rows) {
        const QString out = explain(row.calculation).second;
        EXPECT_TRUE(out.endsWith(row.lastLines)) << out.toStdString();
    }
    EXPECT_EQ(databaseContent(), before);
}

} // namespace
