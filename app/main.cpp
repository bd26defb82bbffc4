// Quillet's entry point. Until the main window stands, it names the folder it
// was given and the number of files the engine finds there.
#include "engine/folder_scan.h"
#include "engine/file_ops.h"
#include "ui/number_text.h"

#include <windows.h>

namespace {

// Answers the engine's questions with no window of its own.
class SilentHost : public EngineHost {
public:
    bool Confirm(const std::string&) override { return false; }
    bool AskToContinue(const std::string&) override { return false; }
    void Warn(const std::string& text) override { MessageBoxA(nullptr, text.c_str(), "Quillet", MB_OK | MB_ICONWARNING); }
    void ShowWorking(const std::string&) override {}
    void CloseWorking() override {}
    void FilesLoaded() override {}
    void Refill() override {}
    void ShowFolder(const std::string&, int) override {}
    void SetPending(bool) override {}
};

std::string FolderArgument(const char* commandLine)
{
    std::string folder = commandLine;
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const std::string folder = FolderArgument(commandLine);
    if (folder.empty()) {
        MessageBoxA(nullptr, "Give Quillet a folder to open.", "Quillet", MB_OK);
        return 0;
    }
    WorkingSet set;
    SilentHost host;
    FolderContext context{set, folder, SystemFileOps(), host};
    OpenFolder(context, "*.*");
    char digits[34];
    const std::string text = folder + "\n\n" + FormatInt(set.Count(), digits, 10) + " files";
    MessageBoxA(nullptr, text.c_str(), "Quillet", MB_OK | MB_ICONINFORMATION);
    return 0;
}
