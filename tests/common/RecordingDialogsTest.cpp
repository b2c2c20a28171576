#include "RecordingDialogs.h"

#include <gtest/gtest.h>

TEST(RecordingDialogs, AnswersFromScriptThenDefault)
{
    RecordingDialogs d;
    d.scriptAnswers({Dialogs::Answer::Yes});
    EXPECT_EQ(
        d.message("q1", "c", Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, Dialogs::Answer::No),
        Dialogs::Answer::Yes);
    EXPECT_EQ(
        d.message("q2", "c", Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, Dialogs::Answer::No),
        Dialogs::Answer::No);
    EXPECT_EQ(d.texts(), QStringList({"q1", "q2"}));
}
