// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "file_dates.h"

namespace {

// Read-only, hidden and system files refuse to be opened for writing; their
// attributes are cleared for the change and put back afterwards.
constexpr int kAttributeRetries = 3;

} // namespace

uint32_t SetDatesOfFile(FileOps& files, const std::string& path, uint64_t creation, uint64_t lastWrite)
{
    uint32_t error = files.SetFileTimes(path, creation, lastWrite);
    uint32_t original = 0;
    bool cleared = false;
    for (int retry = 0; retry < kAttributeRetries && error == kErrorAccessDenied; ++retry) {
        if (!cleared && files.GetAttributes(path, original) != 0)
            break;
        if (files.SetAttributes(path, kAttributeNormal) != 0)
            break;
        cleared = true;
        error = files.SetFileTimes(path, creation, lastWrite);
    }
    // Attributes that cannot be put back are a failure of their own: the
    // user hears of the file like one whose dates could not be set.
    if (cleared) {
        const uint32_t restored = files.SetAttributes(path, original);
        if (error == 0)
            error = restored;
    }
    return error;
}
