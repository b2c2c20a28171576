#pragma once

#include "StartUp.h"

// The connection of a real run: the stand-in host's database, found the usual way.
namespace HostConnector {

HostConnection connection();
// Where the host database was looked for and how to make one, for a console that has
// just reported error 429.
QString missingHostHint();

} // namespace HostConnector
