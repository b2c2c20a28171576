#pragma once

#include <QString>

// One field of a record kind: its ID, label, type number and position in the host's
// field list (positions may have gaps).
struct FieldDefinition
{
    qint32 id = 0;
    QString label;
    int type = 0;
    int position = 0;
};
