#include "FrmWarning.h"
#include "QtRunWindows.h"
#include "RecordingDialogs.h"
#include "Settings.h"
#include "WhenShown.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

enum class Closing { OkButton, CloseBox, Escape };

struct WarningCase
{
    const char *name;
    bool checked;
    Closing closing;
    QString expectedSetting;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const WarningCase &row, std::ostream *out)
{
    *out << row.name;
}

class FrmWarningClose : public ::testing::TestWithParam<WarningCase>
{
};

// However the dialog closes, the check box is saved; the next start reads it.
TEST_P(FrmWarningClose, SavesTheCheckBoxAsTheWarningSetting)
{
    const WarningCase &row = GetParam();
    Settings settings;
    settings.setValue(QLatin1String(Settings::Warning), QStringLiteral("unset"));
    bool startedClear = false;
    whenShown<FrmWarning>(QStringLiteral("frmWarning"), [row, &startedClear](FrmWarning &dialog) {
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
    EXPECT_TRUE(startedClear);
    EXPECT_EQ(settings.value(QLatin1String(Settings::Warning)), row.expectedSetting);
}

INSTANTIATE_TEST_SUITE_P(Rows, FrmWarningClose,
    ::testing::Values(WarningCase {"OkLeftClear", false, Closing::OkButton, "0"},
        WarningCase {"OkChecked", true, Closing::OkButton, "1"},
        WarningCase {"CloseBoxChecked", true, Closing::CloseBox, "1"},
        WarningCase {"CloseBoxLeftClear", false, Closing::CloseBox, "0"},
        WarningCase {"EscapeChecked", true, Closing::Escape, "1"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
