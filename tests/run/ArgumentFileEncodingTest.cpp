// Syntax files saved by other editors: a byte-order mark tells the encoding and is no part
// of the calculation.
#include "ArgumentFile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(ArgumentFile, AByteOrderMarkGivesTheEncoding)
{
    const QString text = QStringLiteral("' Größe\r\n[25]=Len(\"äöü\")\\/\r\n[26]=1\r\n");
    const QString expected = QStringLiteral("[25]=Len(\"äöü\")\\/[26]=1");
    const struct
    {
        const char *name;
        QStringConverter::Encoding encoding;
        bool byteOrderMark;
    } cases[] = {
        {"UTF-8", QStringConverter::Utf8, false},
        {"UTF-8 with mark", QStringConverter::Utf8, true},
        {"UTF-16LE with mark", QStringConverter::Utf16LE, true},
        {"UTF-16BE with mark", QStringConverter::Utf16BE, true},
    };
    for (const auto &c : cases) {
        QStringEncoder encoder(c.encoding,
            c.byteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        const QByteArray bytes = encoder.encode(text);
        EXPECT_EQ(ArgumentFile::calculationText(bytes), expected) << c.name;
    }
}
