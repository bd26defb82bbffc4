// Layer: dialogs (the action dialogs and the tools' windows).
// The floppy saver: one disk after another copied whole into numbered
// folders below a destination folder (Floppy001, Floppy002, ...), with a line
// per disk in the main list.
#pragma once
#include "engine/dialogs/action_dialogs.h"
#include "engine/file_ops.h"
#include "tools/folder_copy.h"
#include "ui/dialog_object.h"
#include "ui/shell_calls.h"
#include "ui/status_bar.h"
#include "ui/working_window.h"

#include <cstdint>
#include <functional>
#include <string>

// "Floppy saver": where the disks go and the name of the first folder.
class FloppySaverDialog : public ActionDialog {
public:
    // Longest base name with its number that can be typed.
    static constexpr int kFolderNameChars = 37;

    FloppySaverDialog(FileOps& files, ShellCalls& shell);

    // 1 when the user chose Start with a destination, 0 on Cancel, -1 when
    // the dialog could not be shown.
    INT_PTR Run(HWND owner);

    // Sets the index and the folder name from the folders of the run that
    // stand in the destination already: the next one after the highest.
    void FindNextFolderIndex();

    int32_t Index() const { return index_; }
    void SetIndex(int32_t index) { index_ = index; }
    // Ends in a backslash once chosen; kept in the settings file, where a
    // hand-written one may lack it.
    const std::string& Destination() const { return destination_; }
    void SetDestination(const std::string& destination);
    // The base name followed by the current number; kept in the settings file.
    const std::string& FolderName() const { return folderName_; }
    void SetFolderName(const std::string& name) { folderName_ = name; }

private:
    void Init() override;
    // "&Start": the dialog ends once there is a destination and a name.
    void Confirm() override;
    // "&Browse".
    void OnClick(int id) override;
    // The folder name as typed, or nothing after a warning when it cannot
    // name a folder.
    bool ReadFolderName(std::string& name);

    FileOps& files_;
    ShellCalls& shell_;
    int32_t index_ = 1;
    std::string destination_;
    std::string folderName_ = "Floppy";
};

// "Next floppy": asks for the next disk and the drive it is in.
class NextFloppyDialog : public Dialog {
public:
    // 1 for Start, 0 for Done, -1 when the dialog could not be shown.
    INT_PTR Run(HWND owner, int32_t index);
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // "A:\*.*" or "B:\*.*": the drive stays chosen for the whole run of the program.
    const std::string& SourcePattern() const { return sourcePattern_; }
    char DriveLetter() const { return sourcePattern_[0]; }
    // What the dialog paints: "Insert disk 3."
    std::string Prompt() const;

private:
    void Init();
    void Paint();

    std::string sourcePattern_ = "A:\\*.*";
    int32_t index_ = 1;
};

// What the floppy saver reaches in the main window.
struct FloppyWindows {
    HWND list;       // owns the dialogs, the question and the working window
    HWND mainWindow; // kept disabled while a disk is copied
    StatusBar& status;
    WorkWnd& working;
    std::function<void()> clearList;
    std::function<void(const std::string&)> addLine;
};

class FloppySaver {
public:
    FloppySaver(FileOps& files, ShellCalls& shell);

    // The command "Floppy saver...": asks for the destination, then copies
    // disk after disk until the user is done or a copy stops.
    void RunFloppySaver(const FloppyWindows& windows);

    FloppySaverDialog saverDialog;
    NextFloppyDialog nextDialog;
    CopyCounters counters;

private:
    // Copies the disk in the chosen drive into the folder of the current
    // index; false when the command ends here.
    bool SaveOneDisk(const FloppyWindows& windows);
    // One copy of the disk under the working window: CopyFolderTree's result.
    int CopyDisk(const FloppyWindows& windows, const std::string& target);

    FileOps& files_;
};
