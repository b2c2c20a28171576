#include "Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The settings store is process-wide, so all cases share one private folder.
QTemporaryDir &configHome()
{
    static QTemporaryDir dir;
    static const bool pointed = qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    Q_UNUSED(pointed);
    return dir;
}

} // namespace

TEST(Settings, WrittenValuesPersistInTheOrvantaFile)
{
    const QString home = configHome().path();
    Settings settings;
    settings.setValue("Warning", "1");
    EXPECT_EQ(settings.value("Warning"), "1");
    QFile file(home + "/Orvanta/Orvanta.conf");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("[Settings]"));
    EXPECT_TRUE(content.contains("Warning=1"));
}
