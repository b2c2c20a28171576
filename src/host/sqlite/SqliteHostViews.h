#pragma once

#include "HostViews.h"

#include <memory>

class HostSession;

// The view collection of the stand-in host.
class SqliteHostViews : public HostViews
{
public:
    explicit SqliteHostViews(std::weak_ptr<HostSession> session);

    std::shared_ptr<HostView> GetActive() override;
    std::shared_ptr<HostView> Create(qint16 viewType, const QString &name) override;

private:
    std::weak_ptr<HostSession> m_session;
};
