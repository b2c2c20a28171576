// Starts the real orvanta against real host databases made with orvanta-host, with the
// console dialogs, a private settings folder and a private program folder.
#include "AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        host({"init", "--demo"});
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANTA_HOST", dbPath());
        env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        env.insert("ORVANTA_APP_DIR", appDir());
        env.insert("ORVANTA_UI", "console");
        env.insert("LANG", m_lang);
        env.insert("LC_ALL", m_lang);
        return env;
    }

    Result start(const QString &program, const QStringList &arguments,
        const QByteArray &input = QByteArray()) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(ExecutableDir() + "/" + program, arguments);
        process.write(input);
        process.closeWriteChannel();
        const bool finished = process.waitForFinished(30000);
        EXPECT_TRUE(finished) << program.toStdString();
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
    }

    QString host(const QStringList &arguments) const
    {
        const Result r = start("orvanta-host", arguments);
        EXPECT_EQ(r.exitCode, 0) << arguments.join(' ').toStdString() << ": "
                                 << r.err.toStdString();
        return r.out;
    }
    Result orvanta(const QStringList &arguments, const QByteArray &input = QByteArray()) const
    {
        return start("orvanta", arguments, input);
    }
    QString field(int id, const QString &key = QString()) const
    {
        QStringList arguments {"get", QString::number(id)};
        if (!key.isEmpty())
            arguments << "--record" << key;
        return host(arguments).chopped(1);
    }
    QStringList lookupKeys() const
    {
        QStringList keys;
        for (const QString &line : host({"list"}).split('\n', Qt::SkipEmptyParts))
            keys << line.section('\t', 0, 0);
        return keys;
    }
    void writeAppFile(const QString &name, const QByteArray &content) const
    {
        QFile file(appDir() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void writeSettings(const QByteArray &content) const
    {
        QDir().mkpath(m_dir.filePath("config/Orvanta"));
        QFile file(m_dir.filePath("config/Orvanta/Orvanta.conf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\n" + content);
    }

    QString dbPath() const { return m_dir.filePath("host.db"); }
    QString appDir() const { return m_dir.path(); }

    QString m_lang = "en_US.UTF-8";

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(EndToEnd, FieldTriggerFromTheCommandLine)
{
    host({"set", "3", "1250"});
    const Result r = orvanta({"/[25]=[3]*2"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(field(25), "2500");
    EXPECT_TRUE(host({"log"}).contains("104"));
}

TEST_F(EndToEnd, ArgumentFileWithCommentsLineBreaksAppPathAndSpaces)
{
    host({"set", "3", "40"});
    host({"set", "4", "150"});
    writeAppFile("My Calc.ocs",
        "' demo\r\n[25]=[3]*2\\/\r\n[26]=If([4]>100;\r\n  1;0) ' flag\r\n"
        "\\/[27]=[25]+[26]\r\n");
    const Result r = orvanta({"/File:AppPath/My?Calc.ocs"});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(field(25), "80");
    EXPECT_EQ(field(26), "1");
    EXPECT_EQ(field(27), "81");
}

TEST_F(EndToEnd, FailuresSayWhyAndWriteNothing)
{
    const QString before = host({"export"});
    const struct
    {
        QStringList arguments;
        const char *message;
    } rows[] = {
        {{"[25]", "=5"}, "The Target Field ID is not numeric!\nin expression : [25] =5\n"},
        {{"[25]=[abc]"}, "Invalid Field: abc\nin expression : [25]=[abc]"},
        {{"[25]=((1)"}, "Your calculation is invalid. There are 2 ( but 1 )"},
        {{"/File:AppPath/none.ocs"}, "Unable to locate the specified argument file"},
        {{"[25]=Left(1)"},
            "Operation aborted: No data was written to the target field.\n\n"
            "Cause: Invalid number of arguments in the Left Function."},
        {{"25=1"}, "The Target Field ID is not numeric!"},
    };
    for (const auto &row : rows) {
        const Result r = orvanta(row.arguments);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.err.contains(row.message)) << r.err.toStdString();
    }
    EXPECT_EQ(host({"export"}), before);
}

TEST_F(EndToEnd, LookupRunAnsweredYesAndNo)
{
    host({"lookup", "20=CA"});
    const QStringList keys = lookupKeys();
    ASSERT_GE(keys.size(), 2);

    orvanta({"--lookup", "[25]=[3]+1"}, "n\n");
    for (const QString &key : keys)
        EXPECT_EQ(field(25, key), "") << key.toStdString();

    const Result r = orvanta({"--lookup", "[25]=[3]+1"}, "y\n");
    EXPECT_TRUE(r.err.contains("Do you want to continue?"));
    for (const QString &key : keys)
        EXPECT_EQ(field(25, key).toDouble(), field(3, key).toDouble() + 1) << key.toStdString();
    host({"lookup", "all"});
    for (const QString &key : lookupKeys()) {
        if (!keys.contains(key)) {
            EXPECT_EQ(field(25, key), "") << key.toStdString();
        }
    }
}

TEST_F(EndToEnd, AllContactsRunsOverEveryContact)
{
    host({"lookup", "20=CA"});
    orvanta({"--all", "[26]=1"}, "yes\n");
    EXPECT_EQ(lookupKeys().size(), 50);
    for (const QString &key : lookupKeys())
        EXPECT_EQ(field(26, key), "1") << key.toStdString();
}

TEST_F(EndToEnd, TruthWordsAndTilde)
{
    writeSettings("True=Ja\nFalse=Nein\n");
    host({"set", "3", "500"});
    orvanta({"[25]=[3]>100\\/[26]=[3]<100\\/~[27]=[3]>100"});
    EXPECT_EQ(field(25), "Ja");
    EXPECT_EQ(field(26), "Nein");
    EXPECT_EQ(field(27), "-1");
}

TEST_F(EndToEnd, CommaDecimalSeparator)
{
    m_lang = "de_DE.UTF-8";
    host({"set", "3", "2.5"});
    orvanta({"[25]=[3]*2\\/[26]=[3]/4"});
    EXPECT_EQ(field(25), "5");
    EXPECT_EQ(field(26), "0,625");
}

TEST_F(EndToEnd, MissingHostIsReported)
{
    QFile::remove(dbPath());
    const Result r = orvanta({"[25]=1"});
    EXPECT_TRUE(r.err.contains("Error 429: 'ActiveX component can't create object'\nin Module1: "
                               "Sub Main - Line # "))
        << r.err.toStdString();
}

TEST_F(EndToEnd, ShortWindowTitleEndsSilently)
{
    host({"title", "ACT!"});
    const Result r = orvanta({"[25]=1"});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(field(25), "");
    EXPECT_FALSE(host({"log"}).contains("104"));
}

TEST_F(EndToEnd, ContactListViewShowsTheWarningAndRunsNothing)
{
    host({"view", "2"});
    const Result r = orvanta({"[25]=1"});
    EXPECT_TRUE(r.err.contains("Orvanta is unable to perform calculations in the Contact List "
                               "view."));
    EXPECT_EQ(field(25), "");
}

TEST_F(EndToEnd, HelpAndUnknownOptions)
{
    const Result help = orvanta({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--lookup"));
    const Result bad = orvanta({"--bogus", "[25]=1"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.startsWith("orvanta: unknown option --bogus"));
    EXPECT_EQ(field(25), "");
}

TEST_F(EndToEnd, UnconfiguredMachineReadsAndWritesAsUnitedStates)
{
    m_lang = "C";
    orvanta({"[25]=DateAdd(\"m\";1;\"1/31/2005\")\\/[26]=1/4"});
    EXPECT_EQ(field(25), "2/28/2005");
    EXPECT_EQ(field(26), "0.25");
}
