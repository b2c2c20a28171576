#pragma once

#include <QString>

// True when the path names an existing file or folder.
bool FileExists(const QString &path);
