#pragma once

#include <QString>

// The field definitions of one record kind, by position from 0.
class HostFields
{
public:
    virtual ~HostFields() = default;

    virtual qint16 Count() = 0;
    virtual qint32 Id(qint16 position) = 0;
    virtual QString Label(qint16 position) = 0;
    virtual QString Type(qint16 position) = 0;
};
