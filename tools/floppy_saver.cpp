// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/floppy_saver.h"

#include "engine/dialogs/action_dialogs.h"
#include "resources/resource.h"
#include "tools/copy_prompts.h"
#include "tools/dialog_routines.h"
#include "ui/centring.h"
#include "ui/painted_text.h"
#include "tools/folder_browser.h"
#include "tools/folder_numbers.h"

#include <vector>

namespace {

const char kProgram[] = "Quillet";

const char kHelp[] =
    "         *** Floppy saver ***\r\n\r\nPurpose:\r\n\r\nThis feature is used to backup floppies to your hard "
    "drive. The files will be stored in their own folder starting with the name below. As each floppy is copied "
    "a new folder will be created to store  the next floppy.\r\n\r\nUsage:\r\n\r\nPick a destination folder "
    "where the new folders will be created. Then pick a folder name for the first folder. Next click start. The "
    "next window will let you pick the floppy drive (A or B). You can change drives during the copying process. "
    "When all the files are copied from the first floppy you will be prompted to insert the next floppy. Keep "
    "inserting the floppies until all have been copied.";

// The prompt's band: the client area above the buttons.
constexpr int kButtonBand = 56;
constexpr COLORREF kDarkRed = RGB(128, 0, 0);

// The status bar's first pane, where the menu hints show, tells how the
// command goes.
constexpr int kStatusPane = 0;

} // namespace

FloppySaverDialog::FloppySaverDialog(FileOps& files, ShellCalls& shell) : files_(files), shell_(shell) {}

INT_PTR FloppySaverDialog::Run(HWND owner)
{
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_FLOPPY_SAVER));
}

void FloppySaverDialog::SetDestination(const std::string& destination)
{
    destination_ = destination;
    if (!destination_.empty() && destination_.back() != '\\')
        destination_ += '\\';
}

void FloppySaverDialog::FindNextFolderIndex()
{
    const std::string base = CutAtFirstDigit(folderName_);
    std::vector<std::string> folders;
    // Without a destination there is nothing to look at: the current
    // directory is no place of the run.
    if (!destination_.empty()) {
        const uint32_t error = files_.ListFolder(destination_ + base + "*.*", [&](const FoundFile& found) {
            if (found.attributes & kAttributeDirectory)
                folders.push_back(found.name);
            return true;
        });
        // A destination that is not there yet holds no folder of the run.
        if (error != 0 && error != kErrorPathNotFound)
            MessageBoxA(GetWindow(handle_, GW_OWNER),
                        ("Can't read " + destination_ + " - error #" + std::to_string(error) +
                         "\nThe folders there could not be counted: check the folder name before you start.")
                            .c_str(),
                        kProgram, MB_OK | MB_ICONWARNING);
    }
    index_ = NextFolderIndex(folders);
    folderName_ = FloppyFolderName(base, index_);
}

void FloppySaverDialog::Init()
{
    SetDlgItemTextA(handle_, IDC_FLOPPY_HELP, kHelp);
    SetDlgItemTextA(handle_, IDC_FLOPPY_DESTINATION, destination_.c_str());
    SendDlgItemMessageA(handle_, IDC_FLOPPY_FOLDER, EM_LIMITTEXT, kFolderNameChars, 0);
    FindNextFolderIndex();
    SetDlgItemTextA(handle_, IDC_FLOPPY_FOLDER, folderName_.c_str());
    CenterOverOwner(handle_);
}

bool FloppySaverDialog::ReadFolderName(std::string& name)
{
    name = ItemText(handle_, IDC_FLOPPY_FOLDER, kFolderNameChars);
    return !RefuseUnfitName(handle_, IDC_FLOPPY_FOLDER, name);
}

void FloppySaverDialog::OnClick(int id)
{
    if (id != IDC_FLOPPY_BROWSE)
        return;
    FolderBrowser browser(handle_, false, shell_);
    browser.SetTitle("Choose a destination folder");
    if (!browser.Browse())
        return;
    destination_ = browser.Path();
    SetDlgItemTextA(handle_, IDC_FLOPPY_DESTINATION, destination_.c_str());
    std::string name;
    if (!ReadFolderName(name))
        return;
    folderName_ = name;
    FindNextFolderIndex();
    SetDlgItemTextA(handle_, IDC_FLOPPY_FOLDER, folderName_.c_str());
    SendMessageA(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(handle_, IDOK)), TRUE);
}

void FloppySaverDialog::Confirm()
{
    if (destination_.empty()) {
        MessageBoxA(GetWindow(handle_, GW_OWNER), "You must choose a folder first.", kProgram, MB_OK | MB_ICONWARNING);
        return;
    }
    std::string name;
    if (!ReadFolderName(name))
        return;
    folderName_ = name;
    index_ = IndexFromName(folderName_);
    EndDialog(handle_, 1);
}

INT_PTR NextFloppyDialog::Run(HWND owner, int32_t index)
{
    index_ = index;
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_NEXT_FLOPPY));
}

std::string NextFloppyDialog::Prompt() const
{
    return "Insert disk " + std::to_string(index_) + ".";
}

INT_PTR NextFloppyDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: Init(); return 1;
    case WM_PAINT: Paint(); return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            sourcePattern_[0] = IsDlgButtonChecked(handle_, IDC_DRIVE_A) == BST_CHECKED ? 'A' : 'B';
            EndDialog(handle_, 1);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(handle_, 0);
        } else {
            return 0;
        }
        return 1;
    default: return 0;
    }
}

void NextFloppyDialog::Init()
{
    CheckDlgButton(handle_, IDC_DRIVE_A, DriveLetter() == 'A' ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle_, IDC_DRIVE_B, DriveLetter() == 'B' ? BST_CHECKED : BST_UNCHECKED);
    CenterOverOwner(handle_);
}

void NextFloppyDialog::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    RECT band;
    GetClientRect(handle_, &band);
    band.bottom -= kButtonBand;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)));
    SetTextColor(dc, kDarkRed);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    PaintTextIn(dc, Prompt(), band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    EndPaint(handle_, &paint);
}

FloppySaver::FloppySaver(FileOps& files, ShellCalls& shell) : saverDialog(files, shell), files_(files) {}

void FloppySaver::RunFloppySaver(const FloppyWindows& windows)
{
    windows.clearList();
    if (saverDialog.Run(windows.list) != 1)
        return;
    for (;;) {
        if (nextDialog.Run(windows.list, saverDialog.Index()) != 1) {
            windows.status.SetText(kStatusPane, "Done");
            return;
        }
        if (!SaveOneDisk(windows))
            return;
        windows.status.SetText(kStatusPane, "");
        saverDialog.SetIndex(FollowingIndex(saverDialog.Index()));
    }
}

bool FloppySaver::SaveOneDisk(const FloppyWindows& windows)
{
    const std::string folder = FloppyFolderName(CutAtFirstDigit(saverDialog.FolderName()), saverDialog.Index());
    saverDialog.SetFolderName(folder);
    windows.status.SetText(kStatusPane, ("Copying to folder " + folder).c_str());
    const std::string target = saverDialog.Destination() + folder;
    if (files_.CreateFolder(target) == kErrorAlreadyExists &&
        MessageBoxA(windows.list,
                    "This folder already exists. Are you sure you want to put the files is this folder?",
                    folder.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        windows.status.SetText(kStatusPane, "Done");
        return false;
    }
    int copied = 0;
    // No disk in the drive, or one that cannot be read: the copy said so, and
    // the same disk is asked for again.
    while ((copied = CopyDisk(windows, target)) < 0) {
        if (nextDialog.Run(windows.list, saverDialog.Index()) != 1) {
            windows.status.SetText(kStatusPane, "Done");
            return false;
        }
    }
    if (!copied) {
        windows.status.SetText(kStatusPane, "Abort");
        return false;
    }
    windows.addLine(std::to_string(counters.filesCopied) + " files copied to " + folder);
    return true;
}

int FloppySaver::CopyDisk(const FloppyWindows& windows, const std::string& target)
{
    const std::string message = std::string("Copying all files from ") + nextDialog.DriveLetter();
    // Cancel in the working window stops the copy after the file in hand.
    bool stopped = false;
    windows.working.SetCancelHandler([&stopped] { stopped = true; });
    windows.working.Show(windows.list, message.c_str(), false);
    int copied = 0;
    {
        OwnerCopyHost host(windows.list, windows.mainWindow);
        host.StopWhen(&stopped);
        copied = CopyFolderTree(counters, host, files_, nextDialog.SourcePattern(), target + "\\", true);
    }
    windows.working.SetCancelHandler(nullptr);
    windows.working.Destroy();
    return copied;
}
