// Any text as a name: extension and base put together give the name back,
// the stored name is a settled prefix, and a name called valid is one the
// file system takes as it is written.
#include "engine/name_pieces.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);

    const std::string extension = FindExtension(name);
    const std::string base = StripExtension(name);
    FUZZ_CHECK(base + extension == name);
    FUZZ_CHECK(extension.empty() || extension[0] == '.');
    FUZZ_CHECK(extension.find_first_of(".\\:", 1) == std::string::npos);
    FUZZ_CHECK(FindExtension(base + ".x") == ".x");

    const std::string stored = StoredName(name);
    FUZZ_CHECK(name.compare(0, stored.size(), stored) == 0);
    FUZZ_CHECK(stored.empty() || (stored.back() != '.' && stored.back() != ' '));
    FUZZ_CHECK(name.find_first_not_of(". ", stored.size()) == std::string::npos);
    FUZZ_CHECK(StoredName(stored) == stored);

    const size_t forbidden = FindForbiddenCharacter(name);
    FUZZ_CHECK(forbidden == std::string::npos || forbidden < name.size());
    if (IsValidFileName(name)) {
        FUZZ_CHECK(!stored.empty());
        FUZZ_CHECK(name.size() <= kMaxNameLength);
        FUZZ_CHECK(forbidden == std::string::npos);
        FUZZ_CHECK(stored != "." && stored != "..");
        FUZZ_CHECK(IsValidFileName(stored));
    }

    const std::string upper = FoldedToUpper(name);
    const std::string lower = FoldedToLower(name);
    FUZZ_CHECK(upper.size() == name.size() && lower.size() == name.size());
    FUZZ_CHECK(FoldedToLower(upper) == lower);
    FUZZ_CHECK(SameNameIgnoringCase(upper, lower));
    for (size_t i = 0; i < name.size(); ++i)
        FUZZ_CHECK((upper[i] == name[i]) == !(name[i] >= 'a' && name[i] <= 'z'));
    return 0;
}
