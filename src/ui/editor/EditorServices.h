#pragma once

#include <functional>
#include <memory>

class FileDialogs;
class HostDatabase;

// What the editor reaches outside itself. No file dialogs means Qt's own; the database
// comes from whoever assembles the program, so the editor depends on no host backend.
struct EditorServices
{
    using HostDatabaseFactory = std::function<std::unique_ptr<HostDatabase>()>;

    FileDialogs *fileDialogs = nullptr;
    HostDatabaseFactory createDatabase;
};
