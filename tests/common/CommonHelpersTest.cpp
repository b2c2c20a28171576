#include "CleanLine.h"
#include "ErrorReport.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"
#include "Settings.h"

#include <QFile>
#include <QTemporaryDir>
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
    EXPECT_EQ(box.buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(box.icon, Dialogs::Icon::None);
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
