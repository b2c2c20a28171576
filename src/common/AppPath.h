#pragma once

#include <QString>

// The folder of the running program, without a trailing separator. ORVANTA_APP_DIR
// overrides it, for tests and for installs whose program folder is read-only.
QString AppPath();

// The folder of the running executable itself, whatever ORVANTA_APP_DIR says.
QString ExecutableDir();
