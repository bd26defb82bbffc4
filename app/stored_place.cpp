// Layer: application (the main window, the application object, the program).

#include "stored_place.h"

#include "engine/name_pieces.h"
#include "engine/wide_text.h"

#include <windows.h>

namespace {

// The path made absolute against the current folder as it stands now, so
// that no later change of the current folder can move what it names. Empty
// when it cannot be made so.
std::string AbsolutePath(const std::string& path)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(Widened(path).c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? Narrowed(full, length) : std::string();
}

} // namespace

std::string HeldFolder(const std::string& path)
{
    std::string folder = AbsolutePath(path);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return Widened(folder).size() > kMaxPathLength ? std::string() : folder;
}

bool ShowsWindow(const Settings& settings)
{
    const PlacementRect& r = settings.rcNormal;
    if (settings.showCmd != SW_SHOWNORMAL && settings.showCmd != SW_SHOWMINIMIZED &&
        settings.showCmd != SW_SHOWMAXIMIZED)
        return false;
    const RECT frame = {r.left, r.top, r.right, r.bottom};
    return r.right > r.left && r.bottom > r.top && MonitorFromRect(&frame, MONITOR_DEFAULTTONULL) != nullptr;
}

void StorePlacement(HWND window, Settings& settings)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return;
    settings.flags = placement.flags;
    settings.showCmd = placement.showCmd;
    settings.rcNormal = {placement.rcNormalPosition.left, placement.rcNormalPosition.top,
                         placement.rcNormalPosition.right, placement.rcNormalPosition.bottom};
}

bool RestorePlacement(HWND window, const Settings& settings)
{
    const PlacementRect& rect = settings.rcNormal;
    if (!settings.placementLoaded || !ShowsWindow(settings) ||
        rect.left > GetSystemMetrics(SM_CXSCREEN) - GetSystemMetrics(SM_CXICON) ||
        rect.top > GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON))
        return false;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.flags = settings.flags;
    placement.showCmd = settings.showCmd;
    placement.rcNormalPosition = {rect.left, rect.top, rect.right, rect.bottom};
    SetWindowPlacement(window, &placement);
    return true;
}
