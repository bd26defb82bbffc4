// Layer: window framework.

#include "ui/message_pump.h"

#include <windows.h>

int PumpPendingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return 1;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
            return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
