// Any bytes as a settings file: the reader never fails, and what the writer
// makes of the values read reads back to the same values, and writes the same.
#include "app/settings_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool SameValues(const Settings& a, const Settings& b)
{
    return a.path == b.path && a.fromCol == b.fromCol && a.toCol == b.toCol && a.floppyPath == b.floppyPath &&
           a.floppyFolder == b.floppyFolder && a.flags == b.flags && a.showCmd == b.showCmd &&
           a.rcNormal.left == b.rcNormal.left && a.rcNormal.top == b.rcNormal.top &&
           a.rcNormal.right == b.rcNormal.right && a.rcNormal.bottom == b.rcNormal.bottom;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Settings first = ReadSettings(std::string(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(first.path.size() <= kSettingsPathChars);
    FUZZ_CHECK(first.floppyPath.size() <= kSettingsPathChars);
    FUZZ_CHECK(first.floppyFolder.size() <= kFloppyFolderChars);
    const std::string text = WriteSettings(first);
    const Settings second = ReadSettings(text);
    FUZZ_CHECK(SameValues(first, second));
    FUZZ_CHECK(second.placementLoaded);
    FUZZ_CHECK(WriteSettings(second) == text);
    return 0;
}
