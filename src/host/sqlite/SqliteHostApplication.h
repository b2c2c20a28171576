#pragma once

#include "HostApplication.h"
#include "SqliteHostViews.h"

#include <memory>
#include <optional>

class HostChangeWatcher;
class HostSession;

// The stand-in host's application object, attached to its SQLite database.
class SqliteHostApplication : public HostApplication
{
public:
    // Error 429 when there is no host database at path (the host is not running) or
    // the file is not one.
    static std::unique_ptr<HostApplication> attach(const QString &path);
    // The title of the host's foreground window; nullopt when there is no host there.
    static std::optional<QString> readForegroundWindowTitle(const QString &path);

    explicit SqliteHostApplication(std::shared_ptr<HostSession> session);
    ~SqliteHostApplication() override;

    void OpenFile(const QString &path) override;
    HostViews &Views() override;
    void Command(qint16 command) override;
    QString GetOpenDBName() override;
    std::unique_ptr<HostAuxCommands> AuxCommands() override;
    // Watches the database for other programs' changes while events is set.
    void AdviseEvents(HostEvents *events) override;
    void Commit() override;
    HostCommitListener *watchCommits(HostCommitListener *listener) override;

private:
    std::shared_ptr<HostSession> m_session;
    SqliteHostViews m_views;
    std::unique_ptr<HostChangeWatcher> m_watcher;
};
