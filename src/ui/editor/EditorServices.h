#pragma once

#include <functional>
#include <memory>

class FileDialogs;
class HostDatabase;

// What the editor reaches outside itself. Empty members take the program's own: Qt's
// file dialogs and the stand-in host's database.
struct EditorServices
{
    using HostDatabaseFactory = std::function<std::unique_ptr<HostDatabase>()>;

    FileDialogs *fileDialogs = nullptr;
    HostDatabaseFactory createDatabase;
};
