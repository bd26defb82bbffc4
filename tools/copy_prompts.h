// Layer: dialogs (the action dialogs and the tools' windows).
// The copy engine's way to the user: system message boxes owned by one
// window, and the window thread's queue worked between two files.
#pragma once
#include "tools/folder_copy.h"

#include <windows.h>

class OwnerCopyHost : public CopyHost {
public:
    // With a window to block, that window takes no input while the host
    // lives, so that no other command runs in the middle of a copy (the
    // messages still pumped keep it painting); it is enabled again when the
    // host goes, however the copy ended.
    explicit OwnerCopyHost(HWND owner, HWND blocked = nullptr);
    ~OwnerCopyHost() override;
    OwnerCopyHost(const OwnerCopyHost&) = delete;
    OwnerCopyHost& operator=(const OwnerCopyHost&) = delete;

    void Warn(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    bool QuitPending() override;
    // The copy also ends, as on a quit, once *stop is set (by the working
    // window's Cancel button).
    void StopWhen(const bool* stop) { stop_ = stop; }

private:
    // The end of a message box enables its owner's window again.
    void Block();

    HWND owner_;
    HWND blocked_;
    const bool* stop_ = nullptr;
};
