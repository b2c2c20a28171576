#pragma once

#include <QString>

// Where the stand-in host keeps its database: an explicit path (--db), else
// ORVANTA_HOST, else $XDG_DATA_HOME/orvanta/host.db.
QString hostDatabasePath(const QString &explicitPath = QString());
