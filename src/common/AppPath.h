#pragma once

#include <QString>

// The folder of the running program, without a trailing separator. ORVANTA_APP_DIR
// overrides it, for tests and for installs whose program folder is read-only.
QString AppPath();

// The folder of the running executable itself, whatever ORVANTA_APP_DIR says.
QString ExecutableDir();

// Where the program writes its own files (Recent.txt, tempcalc.txt): the program's
// folder when it may be written, as in a build folder; for an installed program, or a
// folder that cannot be written, $XDG_DATA_HOME/orvanta, created on first use.
QString WritableAppPath();

// A file the program reads from its folder (the manual, the icons): found in the
// program's folder, else in share/orvanta of the installation the executable belongs
// to; the program's folder when neither has it.
QString AppDataFile(const QString &name);
