#include "tools/copy_prompts.h"

#include "ui/message_pump.h"

void OwnerCopyHost::Warn(const std::string& text, const std::string& caption)
{
    MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

bool OwnerCopyHost::AskOkCancel(const std::string& text, const std::string& caption)
{
    return MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

bool OwnerCopyHost::QuitPending()
{
    return PumpPendingMessages() != 0;
}
