// Any folder of names and any action with any parameter: every proposal stays
// within the length its action allows, Shorten's proposals differ from each
// other in the platform's collation, and applying them hands the file system
// only names it takes as written, inside the folder, losing no file.
#include "engine/collation.h"
#include "engine/folder_scan.h"
#include "engine/name_pieces.h"
#include "engine/pass_driver.h"
#include "engine/transforms.h"
#include "fuzz_check.h"
#include "memory_volume.h"
#include "test_support.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kFolder = "C:\\f\\";

// The volume, checking every rename the pass asks for.
class CheckedVolume : public MemoryVolume {
public:
    uint32_t Rename(const std::string& from, const std::string& to) override
    {
        FUZZ_CHECK(from.compare(0, kFolder.size(), kFolder) == 0);
        FUZZ_CHECK(to.compare(0, kFolder.size(), kFolder) == 0);
        const std::string name = to.substr(kFolder.size());
        FUZZ_CHECK(IsValidFileName(name));
        return MemoryVolume::Rename(from, to);
    }
};

size_t Digits(size_t value)
{
    size_t digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

std::vector<std::string> Pieces(const uint8_t* data, size_t size)
{
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            pieces.emplace_back();
        else
            pieces.back() += static_cast<char>(data[i]);
    }
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int action = data[0] % 8;
    const uint8_t parameter = data[1];
    std::vector<std::string> pieces = Pieces(data + 2, size - 2);
    const std::string text = pieces[0];

    CheckedVolume volume;
    volume.AddFolder("C:\\f");
    int files = 0;
    for (size_t i = 1; i < pieces.size() && files < 300; ++i) {
        const std::string& name = pieces[i];
        uint32_t attributes = 0;
        if (!IsValidFileName(name) || StoredName(name) != name || kFolder.size() + name.size() > 259 ||
            volume.GetAttributes(kFolder + name, attributes) != 2)
            continue;
        volume.AddFile(kFolder + name, std::to_string(files++));
    }

    WorkingSet set;
    ScriptedHost host;
    FolderContext context{set, kFolder, volume, host};
    OpenFolder(context, "*.*");
    FUZZ_CHECK(set.Count() == files);

    const int length = 1 + parameter % 250;
    IndexOptions index;
    index.position = parameter & 1 ? TextPosition::Prefix : TextPosition::Append;
    index.useNewName = parameter & 2;
    index.newName = text;
    index.startWithOne = parameter & 4;
    const std::string extension = CleanExtension(text);
    switch (action) {
    case 0: MakeUpper(set); break;
    case 1: MakeLower(set); break;
    case 2: PrefixOrAppend(set, text, TextPosition::Prefix); break;
    case 3: PrefixOrAppend(set, text, TextPosition::Append); break;
    case 4: Shorten(set, length); break;
    case 5: RemoveText(set, text); break;
    case 6: IndexNames(set, index); break;
    default:
        if (HasIllegalExtensionCharacter(extension))
            return 0;
        ProposeExtension(set, extension);
        break;
    }

    std::set<std::string> shortened;
    for (int i = 0; i < set.Count(); ++i) {
        const FileEntry& e = set.Entry(i);
        const size_t ext = FindExtension(e.name).size();
        const size_t base = StripExtension(e.name).size();
        size_t bound = 0;
        switch (action) {
        case 0: case 1: bound = e.name.size(); break;
        case 2: bound = 260; break;
        case 3: bound = e.name.size() + text.size() + 1; break;
        case 4: bound = static_cast<size_t>(length) + ext + 2 + Digits(static_cast<size_t>(files)); break;
        case 5: bound = e.name.size() + 1; break;
        case 6: bound = (index.useNewName ? text.size() : base) + ext + Digits(static_cast<size_t>(files)); break;
        default: bound = base + 1 + extension.size(); break;
        }
        FUZZ_CHECK(e.newName.size() <= bound);
        if (action == 4)
            FUZZ_CHECK(shortened.insert(CollationKey(e.newName)).second);
    }

    if (action == 6)
        ApplyIndexRenames(context);
    else
        ApplyRenames(context);
    int after = 0;
    std::set<std::string> contents;
    for (const MemoryVolume::Node& node : volume.Nodes()) {
        if (node.folder)
            continue;
        FUZZ_CHECK(node.path.compare(0, kFolder.size(), kFolder) == 0);
        FUZZ_CHECK(contents.insert(node.content).second);
        ++after;
    }
    FUZZ_CHECK(after == files);
    return 0;
}
