#pragma once

#include <functional>
#include <memory>

class EditorPreview;
class FileDialogs;
class HostDatabase;

// What the editor reaches outside itself. Empty members take the program's own: Qt's
// file dialogs and the stand-in host's database; without a preview, Preview and Test is
// disabled.
struct EditorServices
{
    using HostDatabaseFactory = std::function<std::unique_ptr<HostDatabase>()>;

    FileDialogs *fileDialogs = nullptr;
    HostDatabaseFactory createDatabase;
    EditorPreview *preview = nullptr;
};
