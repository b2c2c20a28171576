#include "CleanLine.h"
#include "ConsoleDialogs.h"
#include "ErrorReport.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"
#include "Settings.h"
#include "SyntaxFileText.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

TEST(CleanLine, RemovesControlCharactersOnly)
{
    EXPECT_EQ(Clean_Line(QString(QString("\ta b\r\n") + QChar(0) + QChar(31) + "y")), "a by");
    EXPECT_EQ(Clean_Line(QString::fromUtf8("\u00e9\u20ac ")), QString::fromUtf8("\u00e9\u20ac "));
}

TEST(ErrorReport, ShowsAnOkOnlyBoxNamingErrorPlaceAndSupport)
{
    RecordingDialogs dialogs;
    ErrorReport(QStringLiteral("frmMain"), ErrorReport::Kind::Function, QStringLiteral("Form_Load"))
        .show(dialogs, OrvantaError(OrvantaError::TypeMismatch), 3);
    ASSERT_EQ(dialogs.shown().size(), 1);
    const auto &box = dialogs.shown().first();
    EXPECT_EQ(box.caption, QStringLiteral("Orvanta error"));
    EXPECT_EQ(box.text,
        QStringLiteral("Error 13: 'Type mismatch'\rin frmMain: Function Form_Load - Line # 3\r\r")
            + ErrorReport::supportLine());
}

TEST(Settings, WrittenValuesPersistInTheOrvantaFile)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    Settings().setValue("Warning", "1");
    EXPECT_EQ(Settings().value("Warning"), "1");
    QFile file(home.filePath("Orvanta/Orvanta.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("[Settings]\nWarning=1"));
}

TEST(SyntaxFileText, ReadsUtf8OrTheMarkedEncodingElseTheWindowsCodePage)
{
    const struct
    {
        const char *name;
        QByteArray content;
        QString text;
    } rows[] = {
        {"UTF-8", "[5]=\"M\xc3\xbcller\"", QStringLiteral("[5]=\"Müller\"")},
        {"UTF-8 with its mark", "\xef\xbb\xbf[5]=1", QStringLiteral("[5]=1")},
        {"UTF-16 little-endian", QByteArray("\xff\xfe[\0=\0\xac\x20", 8), QStringLiteral("[=€")},
        {"UTF-16 big-endian", QByteArray("\xfe\xff\0[\0=", 6), QStringLiteral("[=")},
        {"Windows code page", "[5]=\"M\xfcller \x80\"", QStringLiteral("[5]=\"Müller €\"")},
        {"empty", "", QString()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SyntaxFileText::decode(row.content), row.text);
    }
}

namespace {

using A = Dialogs::Answer;
using B = Dialogs::Buttons;

// The answer given and everything written.
std::pair<A, QString> ask(
    const char *input, B buttons, A defaultAnswer, const QString &text = QStringLiteral("Go on?"))
{
    std::FILE *in = fmemopen(const_cast<char *>(input), std::strlen(input), "r");
    char *buffer = nullptr;
    size_t size = 0;
    std::FILE *out = open_memstream(&buffer, &size);
    const A answer = ConsoleDialogs(in, out).message(
        text, QStringLiteral("Orvanta"), buttons, Dialogs::Icon::None, defaultAnswer);
    std::fclose(in);
    std::fclose(out);
    const QString output = QString::fromUtf8(buffer, qsizetype(size));
    std::free(buffer);
    return {answer, output};
}

} // namespace

TEST(ConsoleDialogs, AnswersFromStandardInput)
{
    const struct
    {
        const char *input;
        B buttons;
        A defaultAnswer;
        A expected;
    } rows[] = {
        {"YES\n", B::YesNo, A::No, A::Yes},
        {" No \n", B::YesNo, A::Yes, A::No},
        {"", B::YesNo, A::No, A::No},
        {"\n", B::YesNo, A::No, A::No},
        {"maybe\ny\n", B::YesNo, A::No, A::Yes},
        {"Cancel\n", B::OkCancel, A::Ok, A::Cancel},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ask(row.input, row.buttons, row.defaultAnswer).first, row.expected) << row.input;
}

TEST(ConsoleDialogs, ShowsCaptionTextAndPrompt)
{
    // Carriage returns are line breaks; a piped answer ends the prompt line.
    EXPECT_EQ(ask("", B::Ok, A::Ok, "first\rsecond\r\rthird").second,
        "Orvanta: first\nsecond\n\nthird\n");
    EXPECT_EQ(ask("y\n", B::YesNo, A::No).second, "Orvanta: Go on?\n[yes/NO] \n");
}
