#pragma once

#include <QString>
#include <memory>

class HostView;

// The host's view collection.
class HostViews
{
public:
    virtual ~HostViews() = default;

    virtual std::shared_ptr<HostView> GetActive() = 0;
    // HostViewType::Groups gives a view on groups, any other type a view on contacts.
    virtual std::shared_ptr<HostView> Create(qint16 viewType, const QString &name) = 0;
};
