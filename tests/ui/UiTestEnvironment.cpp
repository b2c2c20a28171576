#include "WhenShown.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One offscreen QApplication and one private settings folder for every test of the windows.
class UiTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8()); // the run journal
        static int argc = 1;
        static char name[] = "test_ui";
        static char *argv[] = {name, nullptr};
        m_application = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_application; }

private:
    QTemporaryDir m_config;
    QApplication *m_application = nullptr;
};

// A window that never showed must not have its action run in a later test.
class PendingPollsReaper : public ::testing::EmptyTestEventListener
{
    void OnTestEnd(const ::testing::TestInfo &) override { qDeleteAll(pendingPolls().children()); }
};

const auto *const environment = ::testing::AddGlobalTestEnvironment(new UiTestEnvironment);
const bool reaping
    = (::testing::UnitTest::GetInstance()->listeners().Append(new PendingPollsReaper), true);

} // namespace
