#include "ErrorReport.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"

#include <gtest/gtest.h>

TEST(ErrorReport, TextNamesErrorPlaceAndSupport)
{
    const ErrorReport report(
        QStringLiteral("frmMain"), ErrorReport::Kind::Sub, QStringLiteral("Form_Load"));
    EXPECT_EQ(report.text(OrvantaError(OrvantaError::TypeMismatch), 3),
        QStringLiteral("Error 13: 'Type mismatch'\rin frmMain: Sub Form_Load - Line # 3\r\r")
            + ErrorReport::supportLine());

    const ErrorReport function(
        QStringLiteral("Module1"), ErrorReport::Kind::Function, QStringLiteral("FileExists"));
    EXPECT_TRUE(function.text(OrvantaError(53), 2)
                    .startsWith(QStringLiteral("Error 53: 'File not found'\rin Module1: "
                                               "Function FileExists - Line # 2\r\r")));
}

TEST(ErrorReport, ShowsOkOnlyBoxWithoutIconCaptionedProgramError)
{
    RecordingDialogs dialogs;
    ErrorReport(QStringLiteral("Prog"), ErrorReport::Kind::Sub, QStringLiteral("Start_Calc"))
        .show(dialogs, OrvantaError(429), 7);
    ASSERT_EQ(dialogs.shown().size(), 1);
    const auto &box = dialogs.shown().first();
    EXPECT_EQ(box.caption, QStringLiteral("Orvanta error"));
    EXPECT_EQ(box.buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(box.icon, Dialogs::Icon::None);
    EXPECT_TRUE(box.text.startsWith(
        QStringLiteral("Error 429: 'ActiveX component can't create object'\rin Prog: Sub "
                       "Start_Calc - Line # 7")));
}
