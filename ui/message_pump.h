// Layer: window framework.
// Dispatches what is queued for this thread without waiting for more.
#pragma once

// Returns 1, leaving the message queued, as soon as WM_QUIT is next; 0 when
// the queue is empty.
int PumpPendingMessages();
