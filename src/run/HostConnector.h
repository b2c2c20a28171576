#pragma once

#include "StartUp.h"

// The connection of a real run: the stand-in host's database, found the usual way.
namespace HostConnector {

HostConnection connection();

} // namespace HostConnector
