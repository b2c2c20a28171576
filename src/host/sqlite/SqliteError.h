#pragma once

struct sqlite3;

// Throws the host's error for the connection's last failure. A database that stayed
// locked past the busy timeout is said in words a user can act on.
[[noreturn]] void throwSqliteError(sqlite3 *db);
