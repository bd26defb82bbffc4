// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/folder_creator.h"

#include "engine/dialogs/action_dialogs.h"
#include "resources/resource.h"
#include "tools/dialog_routines.h"
#include "ui/centring.h"
#include "tools/folder_numbers.h"

namespace {

const char kProgram[] = "Quillet";

void Focus(HWND dialog, int id)
{
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

} // namespace

FolderCreatorDialog::FolderCreatorDialog(FileOps& files, WorkWnd& working) : files_(files), working_(working) {}

INT_PTR FolderCreatorDialog::Run(HWND owner, const CreatorFolder& folder)
{
    folder_ = folder;
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_CREATE_FOLDERS));
}

void FolderCreatorDialog::Confirm()
{
    if (MakeFolderNames(true) == 1)
        EndDialog(handle_, 1);
}

void FolderCreatorDialog::OnClick(int id)
{
    if (id == IDC_CREATE_BROWSE) {
        Browse();
    } else if (id == IDC_CREATE_TEST) {
        SendDlgItemMessageA(handle_, IDC_CREATE_LIST, LB_RESETCONTENT, 0, 0);
        MakeFolderNames(false);
    }
}

void FolderCreatorDialog::Init()
{
    SendDlgItemMessageA(handle_, IDC_CREATE_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SetDlgItemTextA(handle_, IDC_CREATE_LOCATION, folder_.current().c_str());
    CenterOverOwner(handle_);
}

void FolderCreatorDialog::Browse()
{
    folder_.browse();
    SetDlgItemTextA(handle_, IDC_CREATE_LOCATION, folder_.current().c_str());
    SetActiveWindow(handle_);
}

bool FolderCreatorDialog::ReadNumber(int id, int32_t& value)
{
    const NumberReading reading = ReadRunNumber(ItemText(handle_, id, kNumberChars), value);
    if (reading == NumberReading::Number)
        return true;
    if (reading == NumberReading::NotDigits)
        MessageBoxA(handle_, "Please enter the index numbers with the digits 0 to 9 only.", kProgram,
                    MB_OK | MB_ICONWARNING);
    else if (reading == NumberReading::TooLarge)
        MessageBoxA(handle_, "The index numbers cannot be greater than 2147483647.", kProgram,
                    MB_OK | MB_ICONWARNING);
    Focus(handle_, id);
    return false;
}

bool FolderCreatorDialog::AgreeToLargeRun(bool create, int64_t count)
{
    if (count <= kLargeRun)
        return true;
    const std::string question = create ? "Create " + std::to_string(count) + " folders?"
                                        : "List " + std::to_string(count) + " folder names?";
    return MessageBoxA(handle_, question.c_str(), kProgram, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int FolderCreatorDialog::MakeFolderNames(bool create)
{
    int32_t start = 0;
    int32_t last = 0;
    if (!ReadNumber(IDC_CREATE_START, start) || !ReadNumber(IDC_CREATE_LAST, last))
        return 0;
    const std::string folder = folder_.current();
    if (create && folder.empty()) {
        MessageBoxA(handle_, "Select a location using the Browse button", kProgram, MB_OK | MB_ICONWARNING);
        return 0;
    }
    // The name is one folder's name: a path in it could reach anywhere.
    const std::string name = ItemText(handle_, IDC_CREATE_NAME, kNameLimit - 1);
    if (RefuseUnfitName(handle_, IDC_CREATE_NAME, name))
        return 0;
    const int64_t count = RunLength(start, last);
    if (count == 0)
        MessageBoxA(GetWindow(handle_, GW_OWNER), "Highest number must be greater.", kProgram,
                    MB_OK | MB_ICONWARNING);
    else if (!AgreeToLargeRun(create, count))
        return 0;
    const RunDone done = count > 0 ? WalkRun(create, folder, name, start, last) : RunDone{};
    if (create)
        TellCreated(done);
    return create && done.stopped ? 0 : 1;
}

FolderCreatorDialog::RunDone FolderCreatorDialog::WalkRun(bool create, const std::string& folder,
                                                          const std::string& name, int32_t start, int32_t last)
{
    const int64_t count = RunLength(start, last);
    HWND list = GetDlgItem(handle_, IDC_CREATE_LIST);
    // The list is drawn once, when the walk is over.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    WorkProgress progress(working_);
    progress.Show(handle_, handle_,
                  create ? "Creating folders - please wait..." : "Listing folder names - please wait...");
    RunDone done;
    for (int64_t made = 0; made < count && !done.stopped;) {
        const std::string folderName = RunFolderName(name, static_cast<int32_t>(start + made), last);
        if (!create)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folderName.c_str()));
        else if (files_.CreateFolder(folder + folderName) == 0)
            ++done.created;
        ++made;
        done.stopped = made < count && !progress.KeepGoing(made, count);
    }
    progress.Close();
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return done;
}

void FolderCreatorDialog::TellCreated(const RunDone& done)
{
    const std::string report =
        (done.stopped ? "Stopped: " : "") + std::to_string(done.created) + " folders created.";
    MessageBoxA(handle_, report.c_str(), kProgram, MB_OK | MB_ICONINFORMATION);
}
