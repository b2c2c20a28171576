#include "FrmWarning.h"
#include "QtRunWindows.h"
#include "RecordingDialogs.h"
#include "Settings.h"
#include "WhenShown.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum class Closing { OkButton, CloseBox, Escape };

// However the dialog closes, the check box is saved; the next start reads it.
TEST(FrmWarning, SavesTheCheckBoxAsTheWarningSettingHoweverItCloses)
{
    const struct
    {
        const char *name;
        bool checked;
        Closing closing;
        QString expectedSetting;
    } rows[] = {
        {"OkLeftClear", false, Closing::OkButton, "0"},
        {"CloseBoxChecked", true, Closing::CloseBox, "1"},
        {"EscapeChecked", true, Closing::Escape, "1"},
    };
    for (const auto &row : rows) {
        Settings settings;
        settings.setValue(QLatin1String(Settings::Warning), QStringLiteral("unset"));
        bool startedClear = false;
        whenShown<FrmWarning>(
            QStringLiteral("frmWarning"), [&row, &startedClear](FrmWarning &dialog) {
                auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("chkDoNotShow"));
                startedClear = !box->isChecked();
                box->setChecked(row.checked);
                switch (row.closing) {
                case Closing::OkButton:
                    dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
                    break;
                case Closing::CloseBox:
                    dialog.close();
                    break;
                case Closing::Escape:
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                    break;
                }
            });
        RecordingDialogs dialogs;
        const ModalWatchdog watchdog;
        QtRunWindows(dialogs).showContactListWarning(settings);
        EXPECT_TRUE(startedClear) << row.name;
        EXPECT_EQ(settings.value(QLatin1String(Settings::Warning)), row.expectedSetting)
            << row.name;
    }
}

} // namespace
