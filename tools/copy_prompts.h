// The copy engine's way to the user: system message boxes owned by one
// window, and the window thread's queue worked between two files.
#pragma once
#include "tools/folder_copy.h"

#include <windows.h>

class OwnerCopyHost : public CopyHost {
public:
    explicit OwnerCopyHost(HWND owner) : owner_(owner) {}

    void Warn(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    bool QuitPending() override;

private:
    HWND owner_;
};
