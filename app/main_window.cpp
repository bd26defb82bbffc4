// Layer: application (the main window, the application object, the program).

#include "main_window.h"

#include "app/action_commands.h"
#include "app/settings_store.h"
#include "app/stored_place.h"
#include "engine/pass_driver.h"
#include "engine/extension_change.h"
#include "engine/folder_scan.h"
#include "engine/list_order.h"
#include "engine/transforms.h"
#include "engine/wide_text.h"
#include "resources/resource.h"
#include "tools/folder_browser.h"
#include "ui/centring.h"
#include "ui/number_text.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <exception>
#include <vector>

namespace {

constexpr int kPaneHint = 0;
constexpr int kPaneAction = 1;
constexpr int kPaneCount = 2;
constexpr COLORREF kYellow = 0x00FFFF;

const char kProgram[] = "Quillet";

} // namespace

MainWindow::MainWindow(const MainWindowParts& parts) : parts_(parts) {}

void MainWindow::FillWindowClass(WNDCLASSA* windowClass)
{
    windowClass->hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLET));
    windowClass->lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
}

void MainWindow::FillCreateParams(CREATESTRUCTA* params)
{
    params->lpszName = kProgram;
    // Wide enough for the four columns at their first widths.
    params->cx = 880;
    params->cy = 492;
}

bool MainWindow::OnCreate()
{
    popup_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_LIST_MENU));
    DragAcceptFiles(GetHandle(), TRUE);
    menu_ = GetMenu(GetHandle());
    parts_.list.onColumnClick = [this](ListOrder column) { ChangeOrder(ClickedOrder(parts_.set.Order(), column)); };
    // The set was emptied for the reading, and the windows paint while it
    // lasts: no row may show an entry that is gone. The list shows none
    // until the reading ends; the working window counts the files. (A list
    // view whose rows go from some to others costs three times as much as
    // one that goes through none.)
    listing_.beforeShow = [this] { parts_.list.ShowNoRows(); };
    CenterOverOwner(GetHandle());
    return FrameWnd::OnCreate();
}

void MainWindow::LoadSettings(const std::string& settingsPath)
{
    settingsPath_ = settingsPath;
    parts_.history.KeepBeside(settingsPath);
    try {
        settings_ = ::LoadSettings(parts_.files, settingsPath);
    } catch (const std::exception&) {
        settings_ = Settings(); // a file we cannot read is a file we never had
    }
    folder_ = settings_.path.empty() ? std::string() : HeldFolder(settings_.path);
    parts_.tools.floppy.saverDialog.SetDestination(settings_.floppyPath);
    parts_.tools.floppy.saverDialog.SetFolderName(settings_.floppyFolder);
}

int MainWindow::OnSaveState()
{
    settings_.path = folder_;
    parts_.list.StoreLayout(settings_);
    settings_.floppyPath = parts_.tools.floppy.saverDialog.Destination();
    settings_.floppyFolder = parts_.tools.floppy.saverDialog.FolderName();
    StorePlacement(GetHandle(), settings_);
    if (!settingsPath_.empty())
        SaveSettings(parts_.files, settingsPath_, settings_);
    return 0;
}

int MainWindow::RestorePlacement()
{
    return ::RestorePlacement(GetHandle(), settings_) ? 1 : 0;
}

void MainWindow::OnClose()
{
    if (pending_ && MessageBoxA(GetHandle(), "Exit without making changes?", kProgram,
                                MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    DragAcceptFiles(GetHandle(), FALSE);
    Destroy();
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case ID_BROWSE: Browse(); break;
    case ID_UPPERCASE: Propose(ID_UPPERCASE, "Make upper", MakeUpper); break;
    case ID_LOWERCASE: Propose(ID_LOWERCASE, "Make lower", MakeLower); break;
    case ID_INDEX_NAMES:
    case ID_PREFIX_APPEND:
    case ID_SHORTEN:
    case ID_REMOVE_TEXT:
    case ID_CHANGE_EXTENSIONS:
    case ID_CHANGE_DATES: RunAction(LOWORD(wParam)); break;
    case ID_FLOPPY_SAVER: RunFloppySaver(); break;
    case ID_CREATE_FOLDERS: CreateFolders(); break;
    case ID_ABOUT: ShowAbout(); break;
    case ID_CHECK_UPDATES: parts_.helpPage.CheckForUpdates(GetHandle()); break;
    case ID_PROGRAM_INFO: parts_.helpPage.Show(); break;
    case ID_UNDO:
        parts_.history.Undo(Context());
        UpdateUndo();
        break;
    case ID_MAKE_CHANGES: {
        FolderContext context = Context();
        EngineAction action;
        if (EngineActionOf(action_, action))
            ConfirmAndApply(context, action, prefix_, parts_.dateDialog.Result());
        break;
    }
    case ID_EXIT: OnClose(); break;
    case ID_REMOVE_FROM_LIST: parts_.list.RemoveSelected(); break;
    default: {
        SortOrder order;
        if (OrderOfCommand(LOWORD(wParam), parts_.set.Order(), order))
            ChangeOrder(order);
        break;
    }
    }
}

void MainWindow::OnContextMenu(WPARAM, LPARAM lParam)
{
    if (!filesLoaded_ || !parts_.list.HasSelection())
        return;
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: open it at the list's corner.
        RECT list;
        GetWindowRect(parts_.list.GetHandle(), &list);
        at = {list.left + 8, list.top + 24};
    }
    TrackPopupMenu(GetSubMenu(popup_, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, GetHandle(), nullptr);
}

void MainWindow::OnDropFiles(HDROP drop)
{
    SetForegroundWindow(GetHandle());
    // Asked wide and at its full length: the narrow call would cut a long
    // path and put look-alikes for characters outside the code page.
    std::vector<wchar_t> path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    const UINT length = DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size()));
    DragFinish(drop);
    OpenByPath(Narrowed(path.data(), length).c_str());
}

void MainWindow::OnInitMenu(HMENU menu)
{
    if (action_)
        CheckMenuRadioItem(menu, ID_UPPERCASE, ID_CHANGE_DATES, static_cast<UINT>(action_), MF_BYCOMMAND);
    CheckOrderItems(menu, parts_.set.Order());
}

int MainWindow::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    char hint[80] = "";
    if (HIWORD(wParam) == 0xFFFF && lParam == 0)
        lstrcpynA(hint, "Ready", sizeof hint);
    else if (HasHint(static_cast<int>(id)) && !(HIWORD(wParam) & MF_POPUP))
        LoadStringA(GetModuleHandleA(nullptr), id, hint, sizeof hint);
    parts_.status.SetText(kPaneHint, hint);
    return 0;
}

void MainWindow::OpenByPath(const char* path)
{
    std::string folder = path;
    if (!IsFolder(parts_.files, folder)) {
        folder.erase(folder.find_last_of("\\/:") + 1);
        if (folder.empty() || !IsFolder(parts_.files, folder))
            return;
    }
    folder = HeldFolder(folder);
    if (folder.empty())
        return;
    folder_ = folder;
    FolderContext context = Context();
    OpenFolder(context, "*.*");
}

FolderContext MainWindow::Context()
{
    return FolderContext{parts_.set, folder_, parts_.files, *this, parts_.history.Journals()};
}

void MainWindow::OfferRecovery()
{
    parts_.history.Recover(Context());
    UpdateUndo();
}

// The head of the shown folder's journal, read as a folder is opened and as
// a pass ends.
void MainWindow::UpdateUndo()
{
    parts_.history.ShowUndo(menu_, folder_, passRunning_);
}

void MainWindow::Browse()
{
    SetCurrentDirectoryA(folder_.c_str());
    FolderBrowser browser(parts_.list.GetHandle(), true, parts_.shell);
    browser.SetTitle("Choose folder where changes are to be made:");
    if (!browser.Browse())
        return;
    folder_ = browser.Path();
    SetCurrentDirectoryA(folder_.c_str());
    FolderContext context = Context();
    OpenFolder(context, "*.*");
}

void MainWindow::Propose(int action, const char* label, void (*transform)(WorkingSet&))
{
    transform(parts_.set);
    Proposed(action, label);
}

bool MainWindow::RunAction(int action)
{
    ActionDialogs& dialogs = parts_.dialogs;
    HWND owner = parts_.list.GetHandle();
    WorkingSet& set = parts_.set;
    switch (action) {
    case ID_INDEX_NAMES:
        if (dialogs.index.Run(owner) != 1)
            return false;
        IndexNames(set, dialogs.index.Options());
        Proposed(action, "Index # names");
        return true;
    case ID_PREFIX_APPEND:
        if (dialogs.prefixAppend.Run(owner) != 1)
            return false;
        prefix_ = dialogs.prefixAppend.Position() == TextPosition::Prefix;
        PrefixOrAppend(set, dialogs.prefixAppend.Text(), dialogs.prefixAppend.Position());
        Proposed(action, "Prefix or append");
        return true;
    case ID_SHORTEN:
        if (dialogs.shorten.Run(owner) != 1)
            return false;
        Shorten(set, dialogs.shorten.MaxLength());
        Proposed(action, "Make shorter");
        return true;
    case ID_REMOVE_TEXT: {
        const std::string sample = set.Count() > 0 ? set.Entry(0).name : std::string();
        if (dialogs.removeText.Run(owner, sample) != 1)
            return false;
        RemoveText(set, dialogs.removeText.Text());
        Proposed(action, "Remove text");
        return true;
    }
    case ID_CHANGE_EXTENSIONS: {
        if (dialogs.extension.Run(owner) != 1)
            return false;
        FolderContext context = Context();
        if (!ChangeExtensions(context, dialogs.extension.Pattern(), dialogs.extension.Extension()))
            return false;
        Proposed(action, "Chg extensions");
        return true;
    }
    case ID_CHANGE_DATES:
        if (!ChangeDates(set, parts_.dateDialog, owner))
            return false;
        Proposed(action, "Chg dates");
        return true;
    default:
        return false;
    }
}

// Index proposals are numbered again so that the "To" column keeps showing
// what applying would do; other proposals go along with their files.
void MainWindow::ChangeOrder(SortOrder order)
{
    ::ChangeOrder(parts_.set, order);
    if (pending_ && action_ == ID_INDEX_NAMES)
        IndexNames(parts_.set, parts_.dialogs.index.Options());
    parts_.list.Refill();
    parts_.list.ShowSortArrow(order);
}

void MainWindow::Proposed(int action, const char* label)
{
    parts_.list.Refill();
    SetPending(true);
    parts_.status.SetText(kPaneAction, label);
    action_ = action;
}

void MainWindow::ShowAbout()
{
    const std::string text = std::string("Quillet - Version 2.14\n") + kMakerNotice;
    const std::string address = std::string("http://") + kMakerHost + "/";
    parts_.aboutBox.Show(GetHandle(), text.c_str(), address.c_str(), BOX_OK, IDI_QUILLET, 0x000000, 0xC0C0C0,
                         0x808080);
}

void MainWindow::CreateFolders()
{
    parts_.tools.creator.Run(GetHandle(), CreatorFolder{[this] { return folder_; }, [this] { Browse(); }});
}

void MainWindow::RunFloppySaver()
{
    FileList& list = parts_.list;
    parts_.tools.floppy.RunFloppySaver(FloppyWindows{list.GetHandle(), GetHandle(), parts_.status, parts_.working,
                                                     [&list] { list.Empty(); },
                                                     [&list](const std::string& line) { list.AddTextLine(line.c_str()); }});
}

void MainWindow::EnableItem(int id, bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow::Confirm(const std::string& text)
{
    const bool yes = parts_.confirmBox.Ask(GetHandle(), text.c_str(), kProgram, kYellow);
    KeepDisabledDuringPass();
    return yes;
}

bool MainWindow::AskToContinue(const std::string& text)
{
    const bool yes = MessageBoxA(parts_.list.GetHandle(), text.c_str(), "Error", MB_YESNO | MB_ICONWARNING) == IDYES;
    KeepDisabledDuringPass();
    return yes;
}

void MainWindow::Warn(const std::string& text)
{
    MessageBoxA(GetHandle(), text.c_str(), kProgram, MB_OK | MB_ICONWARNING);
    KeepDisabledDuringPass();
}

void MainWindow::KeepDisabledDuringPass()
{
    if (passRunning_)
        EnableWindow(GetHandle(), FALSE);
}

// While a pass runs no other command may start: the main window is disabled,
// and the working window shows the progress and takes the Cancel.
void MainWindow::ShowWorking(const std::string& text)
{
    passRunning_ = true;
    progress_.Show(parts_.list.GetHandle(), GetHandle(), text);
}

void MainWindow::CloseWorking()
{
    passRunning_ = false;
    progress_.Close();
    UpdateUndo(); // a pass or a rollback ended: the journal changed
}

bool MainWindow::KeepGoing(int done, int total)
{
    return progress_.KeepGoing(done, total);
}

// A pass's own rescan stays under the pass's working window, which keeps
// the windows painting, and runs to its end.
bool MainWindow::KeepListing(int found)
{
    if (passRunning_) {
        if (found == 0)
            parts_.list.Refill();
        progress_.KeepGoing(found, 0);
        return true;
    }
    return listing_.KeepGoing(parts_.list.GetHandle(), GetHandle(), "Reading the folder", "files", found);
}

void MainWindow::EndListing(bool stopped)
{
    listing_.End();
    if (stopped)
        parts_.status.SetText(kPaneAction, "Reading stopped");
}

void MainWindow::ShowStopped(int changed)
{
    char digits[34];
    const std::string text = std::string("Stopped: ") + FormatInt(changed, digits, 10) + " changed";
    parts_.status.SetText(kPaneAction, text.c_str());
}

void MainWindow::FilesLoaded()
{
    EnableItem(ID_LOWERCASE, true);
    EnableItem(ID_UPPERCASE, true);
    for (int id = ID_INDEX_NAMES; id <= ID_CHANGE_DATES; ++id)
        EnableItem(id, true);
    SetPending(false);
    filesLoaded_ = true;
}

void MainWindow::Refill()
{
    parts_.list.Refill();
}

void MainWindow::ShowFolder(const std::string& searchPath, int fileCount)
{
    SetWindowTextA(GetHandle(), searchPath.c_str());
    parts_.bar.ShowPath(searchPath.c_str());
    char digits[34];
    const std::string count = std::string(FormatInt(fileCount, digits, 10)) + " files";
    parts_.status.SetText(kPaneCount, count.c_str());
    parts_.history.FolderShown();
    UpdateUndo();
}

void MainWindow::SetPending(bool pending)
{
    pending_ = pending;
    if (!pending)
        parts_.status.SetText(kPaneAction, "");
    EnableItem(ID_MAKE_CHANGES, pending);
}
