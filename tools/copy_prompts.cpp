// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/copy_prompts.h"

#include "ui/message_pump.h"

OwnerCopyHost::OwnerCopyHost(HWND owner, HWND blocked) : owner_(owner), blocked_(blocked)
{
    Block();
}

OwnerCopyHost::~OwnerCopyHost()
{
    if (blocked_)
        EnableWindow(blocked_, TRUE);
}

void OwnerCopyHost::Block()
{
    if (blocked_)
        EnableWindow(blocked_, FALSE);
}

void OwnerCopyHost::Warn(const std::string& text, const std::string& caption)
{
    MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
    Block();
}

bool OwnerCopyHost::AskOkCancel(const std::string& text, const std::string& caption)
{
    const bool ok = MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONWARNING) == IDOK;
    Block();
    return ok;
}

bool OwnerCopyHost::QuitPending()
{
    return PumpPendingMessages() != 0 || (stop_ && *stop_);
}
