#include "main_window.h"

#include "app/action_commands.h"
#include "app/settings_store.h"
#include "engine/apply_changes.h"
#include "engine/extension_change.h"
#include "engine/folder_scan.h"
#include "engine/name_pieces.h"
#include "engine/transforms.h"
#include "resources/resource.h"
#include "tools/folder_browser.h"
#include "ui/centring.h"
#include "ui/number_text.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

namespace {

constexpr int kPaneHint = 0;
constexpr int kPaneAction = 1;
constexpr int kPaneCount = 2;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr int kPlacementLength = sizeof(WINDOWPLACEMENT);

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
    params->cx = 660;
    params->cy = 492;
}

bool MainWindow::OnCreate()
{
    popup_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_LIST_MENU));
    DragAcceptFiles(GetHandle(), TRUE);
    menu_ = GetMenu(GetHandle());
    CenterOverOwner(GetHandle());
    return FrameWnd::OnCreate();
}

void MainWindow::LoadSettings(const std::string& settingsPath)
{
    settingsPath_ = settingsPath;
    settings_ = ::LoadSettings(parts_.files, settingsPath);
    folder_ = settings_.path;
}

int MainWindow::OnSaveState()
{
    settings_.path = folder_;
    settings_.fromCol = parts_.list.ColumnWidth(0);
    settings_.toCol = parts_.list.ColumnWidth(1);
    WINDOWPLACEMENT placement{};
    placement.length = kPlacementLength;
    if (GetWindowPlacement(GetHandle(), &placement)) {
        settings_.flags = placement.flags;
        settings_.showCmd = placement.showCmd;
        settings_.rcNormal = {placement.rcNormalPosition.left, placement.rcNormalPosition.top,
                              placement.rcNormalPosition.right, placement.rcNormalPosition.bottom};
    }
    if (!settingsPath_.empty())
        SaveSettings(parts_.files, settingsPath_, settings_);
    return 0;
}

int MainWindow::RestorePlacement()
{
    const PlacementRect& rect = settings_.rcNormal;
    if (!settings_.placementLoaded || rect.left > GetSystemMetrics(SM_CXSCREEN) - GetSystemMetrics(SM_CXICON) ||
        rect.top > GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON))
        return 0;
    WINDOWPLACEMENT placement{};
    placement.length = kPlacementLength;
    placement.flags = settings_.flags;
    placement.showCmd = settings_.showCmd;
    placement.rcNormalPosition = {rect.left, rect.top, rect.right, rect.bottom};
    SetWindowPlacement(GetHandle(), &placement);
    return 1;
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
    case ID_CHANGE_EXTENSIONS: RunAction(LOWORD(wParam)); break;
    case ID_ABOUT: ShowAbout(); break;
    case ID_CHECK_UPDATES: parts_.helpPage.CheckForUpdates(GetHandle()); break;
    case ID_PROGRAM_INFO: parts_.helpPage.Show(); break;
    case ID_MAKE_CHANGES: {
        FolderContext context = Context();
        EngineAction action;
        if (EngineActionOf(action_, action))
            ConfirmAndApply(context, action, prefix_, date_);
        break;
    }
    case ID_EXIT: OnClose(); break;
    case ID_REMOVE_FROM_LIST: parts_.list.RemoveSelected(); break;
    default: break;
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
    char path[300] = "";
    DragQueryFileA(drop, 0, path, sizeof path);
    DragFinish(drop);
    OpenByPath(path);
}

void MainWindow::OnInitMenu(HMENU menu)
{
    if (action_)
        CheckMenuRadioItem(menu, ID_UPPERCASE, ID_CHANGE_DATES, static_cast<UINT>(action_), MF_BYCOMMAND);
}

int MainWindow::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    char hint[80] = "";
    if (HIWORD(wParam) == 0xFFFF && lParam == 0)
        lstrcpynA(hint, "Ready", sizeof hint);
    else if (id >= ID_BROWSE && id <= ID_EXIT && !(HIWORD(wParam) & MF_POPUP))
        LoadStringA(GetModuleHandleA(nullptr), id, hint, sizeof hint);
    parts_.status.SetText(kPaneHint, hint);
    return 0;
}

void MainWindow::OpenByPath(const char* path)
{
    std::string folder = path;
    if (IsFolder(parts_.files, folder)) {
        if (folder.back() != '\\')
            folder += '\\';
    } else {
        folder.erase(folder.find_last_of("\\/:") + 1);
        if (folder.empty() || !IsFolder(parts_.files, folder))
            return;
    }
    // With its backslash the folder must fit the program's path buffers.
    if (folder.size() > kMaxPathLength)
        return;
    folder_ = folder;
    FolderContext context = Context();
    OpenFolder(context, "*.*");
}

void MainWindow::AddInstructionLines()
{
    const char* lines[] = {"",
                           "1. Use Browse button to select a folder or drag a folder here.",
                           "",
                           "2. Choose an action from the menu.",
                           "",
                           "3. Preview the changes to be sure they are what you want.",
                           "",
                           "4. Select \"Change\" from the menu to make the changes."};
    for (const char* line : lines)
        parts_.list.AddTextLine(line);
}

FolderContext MainWindow::Context()
{
    return FolderContext{parts_.set, folder_, parts_.files, *this};
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
    default:
        return false;
    }
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

void MainWindow::EnableItem(int id, bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow::Confirm(const std::string& text)
{
    return parts_.confirmBox.Ask(GetHandle(), text.c_str(), kProgram, kYellow);
}

bool MainWindow::AskToContinue(const std::string& text)
{
    return MessageBoxA(parts_.list.GetHandle(), text.c_str(), "Error", MB_YESNO | MB_ICONWARNING) == IDYES;
}

void MainWindow::Warn(const std::string& text)
{
    MessageBoxA(GetHandle(), text.c_str(), kProgram, MB_OK | MB_ICONWARNING);
}

void MainWindow::ShowWorking(const std::string& text)
{
    parts_.working.Show(parts_.list.GetHandle(), text.c_str(), false);
}

void MainWindow::CloseWorking()
{
    parts_.working.Destroy();
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
}

void MainWindow::SetPending(bool pending)
{
    pending_ = pending;
    if (!pending)
        parts_.status.SetText(kPaneAction, "");
    EnableItem(ID_MAKE_CHANGES, pending);
}
