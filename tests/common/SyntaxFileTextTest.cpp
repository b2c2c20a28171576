#include "SyntaxFileText.h"

#include <gtest/gtest.h>

namespace {

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

} // namespace
