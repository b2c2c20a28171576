#pragma once

#include <QString>

class HostCommitListener;
class HostViews;

// The host application object: the one entry point a run attaches to.
class HostApplication
{
public:
    virtual ~HostApplication() = default;

    virtual void OpenFile(const QString &path) = 0;
    virtual HostViews &Views() = 0;
    // 104 before every run and test, 701 to make the lookup hold every contact,
    // 150 before a host restart.
    virtual void Command(qint16 command) = 0;
    virtual QString GetOpenDBName() = 0;

    // Reports every commit of field writes to listener (nullptr to stop); returns the
    // listener it replaces. A host that reports nothing leaves a journal of the run
    // unconfirmed until the run ends.
    virtual HostCommitListener *watchCommits(HostCommitListener *listener)
    {
        (void)listener;
        return nullptr;
    }
    // Makes every field write so far durable now.
    virtual void commitWrites() { }
};
