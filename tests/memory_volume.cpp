#include "memory_volume.h"

#include "engine/characters.h"
#include "engine/code_page.h"

#include <cstring>

namespace {

constexpr uint32_t kErrorBadDevice = 66;
constexpr uint32_t kErrorNameTooLong = 206;
constexpr size_t kMaxPath = 259;
constexpr size_t kMaxComponent = 255;

// The volume's case folding: ASCII and the Latin-1 letters of code page 1252.
char FoldUpper(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    return c;
}

// In UTF-8 the letters of every script, as the system folds them.
std::string Folded(const std::string& text)
{
    if (ActiveCodePage() == CodePageKind::Utf8)
        return UpperCased(text);
    std::string key = text;
    for (char& c : key)
        c = FoldUpper(c);
    return key;
}

bool IsReservedCharacter(char c)
{
    return static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, alone or before a dot. Wine refuses
// AUX and COMn as existing names and the others as devices.
uint32_t DeviceError(const std::string& component)
{
    std::string base = Folded(component.substr(0, component.find('.')));
    base = base.substr(0, base.find_last_not_of(' ') + 1);
    if (base == "AUX" || (base.size() == 4 && base.compare(0, 3, "COM") == 0 && base[3] >= '1' && base[3] <= '9'))
        return kErrorAlreadyExists;
    if (base == "CON" || base == "PRN" || base == "NUL" ||
        (base.size() == 4 && base.compare(0, 3, "LPT") == 0 && base[3] >= '1' && base[3] <= '9'))
        return kErrorBadDevice;
    return 0;
}

// Wildcards as the system matches them, in any case.
bool Matches(const char* pattern, const char* name)
{
    if (*pattern == '\0')
        return *name == '\0';
    if (*pattern == '*')
        return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    if (*name == '\0')
        return false;
    if (*pattern != '?' && FoldUpper(*pattern) != FoldUpper(*name))
        return false;
    return Matches(pattern + 1, name + 1);
}

} // namespace

MemoryVolume::MemoryVolume()
{
    AddFolder("C:");
}

void MemoryVolume::AddFolder(const std::string& path)
{
    Node node;
    node.path = path;
    node.folder = true;
    node.attributes = kAttributeDirectory;
    nodes_[Folded(path)] = node;
}

void MemoryVolume::AddFile(const std::string& path, const std::string& content, uint32_t attributes)
{
    Node node;
    node.path = path;
    node.content = content;
    node.attributes = attributes;
    nodes_[Folded(path)] = node;
}

std::vector<MemoryVolume::Node> MemoryVolume::Nodes() const
{
    std::map<std::string, Node> byPath;
    for (const auto& entry : nodes_)
        byPath[entry.second.path] = entry.second;
    std::vector<Node> nodes;
    for (const auto& entry : byPath)
        nodes.push_back(entry.second);
    return nodes;
}

uint32_t MemoryVolume::Resolve(const std::string& path, Resolved& out) const
{
    if (path.size() > kMaxPath)
        return kErrorNameTooLong;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (parts.empty() || Folded(parts[0]) != "C:")
        return kErrorPathNotFound;
    std::vector<std::string> whole{"C:"};
    for (size_t i = 1; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (part == ".")
            continue;
        if (part == "..") {
            if (whole.size() > 1)
                whole.pop_back();
            continue;
        }
        // The system drops trailing dots and blanks from what it stores.
        const size_t last = part.find_last_not_of(". ");
        part = last == std::string::npos ? std::string() : part.substr(0, last + 1);
        if (part.empty()) {
            if (i + 1 == parts.size())
                break;
            return kErrorInvalidName;
        }
        if (part.size() > kMaxComponent)
            return kErrorNameTooLong;
        for (char c : part)
            if (IsReservedCharacter(c))
                return kErrorInvalidName;
        if (const uint32_t device = DeviceError(part))
            return device;
        whole.push_back(part);
    }
    out.path.clear();
    for (size_t i = 0; i < whole.size(); ++i)
        out.path += (i ? "\\" : "") + whole[i];
    out.key = Folded(out.path);
    out.parentKey = whole.size() > 1 ? Folded(out.path.substr(0, out.path.rfind('\\'))) : std::string();
    return 0;
}

MemoryVolume::Node* MemoryVolume::Find(const std::string& key)
{
    auto found = nodes_.find(key);
    return found == nodes_.end() ? nullptr : &found->second;
}

uint32_t MemoryVolume::ListFolder(const std::string& searchPath,
                                  const std::function<bool(const FoundFile&)>& visit)
{
    if (const uint32_t error = fault ? fault("ListFolder", searchPath) : 0)
        return error;
    const size_t slash = searchPath.rfind('\\');
    if (slash == std::string::npos)
        return kErrorPathNotFound;
    std::string pattern = searchPath.substr(slash + 1);
    // "*.*" takes names without a dot too.
    if (pattern == "*.*")
        pattern = "*";
    Resolved folder;
    if (const uint32_t error = Resolve(searchPath.substr(0, slash), folder))
        return error;
    const Node* parent = Find(folder.key);
    if (!parent || !parent->folder)
        return kErrorPathNotFound;
    if (folder.parentKey.size() && Matches(pattern.c_str(), ".")) {
        if (!visit(FoundFile{".", kAttributeDirectory, 0, 0}) || !visit(FoundFile{"..", kAttributeDirectory, 0, 0}))
            return 0;
    }
    const std::string prefix = folder.key + "\\";
    for (const auto& entry : nodes_) {
        const std::string& key = entry.first;
        if (key.compare(0, prefix.size(), prefix) != 0 || key.find('\\', prefix.size()) != std::string::npos)
            continue;
        const std::string name = entry.second.path.substr(prefix.size());
        const Node& node = entry.second;
        if (Matches(pattern.c_str(), name.c_str()) &&
            !visit(FoundFile{name.c_str(), node.attributes, node.content.size(), node.lastWrite}))
            return 0;
    }
    return 0;
}

uint32_t MemoryVolume::Move(const char* call, const std::string& from, const std::string& to, bool replace)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing(call, from, node))
        return error;
    // The passes never move folders; a folder stands still here.
    if (node->folder)
        return kErrorAccessDenied;
    Resolved target;
    if (const uint32_t error = InFolder(nullptr, to, target))
        return error;
    const std::string sourceKey = Folded(node->path);
    if (target.key != sourceKey) {
        if (const Node* taken = Find(target.key)) {
            if (!replace)
                return kErrorAlreadyExists;
            if (taken->folder || (taken->attributes & kAttributeReadOnly))
                return kErrorAccessDenied;
        }
    }
    Node moved = *node;
    moved.path = target.path;
    nodes_.erase(sourceKey);
    nodes_[target.key] = moved;
    ++renamesMade;
    return 0;
}

uint32_t MemoryVolume::Rename(const std::string& from, const std::string& to)
{
    return Move("Rename", from, to, false);
}

uint32_t MemoryVolume::MoveReplacing(const std::string& from, const std::string& to)
{
    return Move("MoveReplacing", from, to, true);
}

uint32_t MemoryVolume::Prepare(const char* call, const std::string& path, Resolved& where) const
{
    if (const uint32_t error = call && fault ? fault(call, path) : 0)
        return error;
    return Resolve(path, where);
}

uint32_t MemoryVolume::Existing(const char* call, const std::string& path, Node*& node)
{
    Resolved where;
    if (const uint32_t error = Prepare(call, path, where))
        return error;
    node = Find(where.key);
    return node ? 0 : kErrorFileNotFound;
}

uint32_t MemoryVolume::InFolder(const char* call, const std::string& path, Resolved& where)
{
    if (const uint32_t error = Prepare(call, path, where))
        return error;
    const Node* parent = Find(where.parentKey);
    return parent && parent->folder ? 0 : kErrorPathNotFound;
}

uint32_t MemoryVolume::SetFileTimes(const std::string& path, uint64_t, uint64_t lastWrite)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing("SetFileTimes", path, node))
        return error;
    if (node->folder || (node->attributes & (kAttributeReadOnly | kAttributeHidden | kAttributeSystem)))
        return kErrorAccessDenied;
    node->lastWrite = lastWrite;
    return 0;
}

uint32_t MemoryVolume::GetAttributes(const std::string& path, uint32_t& attributes)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing(nullptr, path, node))
        return error;
    attributes = node->attributes;
    return 0;
}

uint32_t MemoryVolume::SetAttributes(const std::string& path, uint32_t attributes)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing("SetAttributes", path, node))
        return error;
    node->attributes = node->folder ? (attributes | kAttributeDirectory) : attributes;
    return 0;
}

uint32_t MemoryVolume::ReadFileStart(const std::string& path, size_t maxBytes, std::string& content)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing("ReadFileStart", path, node))
        return error;
    if (node->folder)
        return kErrorAccessDenied;
    content = node->content.substr(0, maxBytes);
    return 0;
}

uint32_t MemoryVolume::GetFileTimes(const std::string& path, uint64_t& creation, uint64_t& lastWrite)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing("GetFileTimes", path, node))
        return error;
    creation = lastWrite = node->lastWrite;
    return 0;
}

uint32_t MemoryVolume::WriteWholeFile(const std::string& path, const std::string& content)
{
    Resolved where;
    if (const uint32_t error = InFolder("WriteWholeFile", path, where))
        return error;
    if (Node* node = Find(where.key)) {
        if (node->folder || (node->attributes & kAttributeReadOnly))
            return kErrorAccessDenied;
        node->content = content;
        return 0;
    }
    AddFile(where.path, content);
    return 0;
}

uint32_t MemoryVolume::RemoveFile(const std::string& path)
{
    Node* node = nullptr;
    if (const uint32_t error = Existing("RemoveFile", path, node))
        return error;
    if (node->folder || (node->attributes & kAttributeReadOnly))
        return kErrorAccessDenied;
    nodes_.erase(Folded(node->path));
    return 0;
}

uint32_t MemoryVolume::CreateFolder(const std::string& path)
{
    Resolved where;
    if (const uint32_t error = InFolder("CreateFolder", path, where))
        return error;
    if (Find(where.key))
        return kErrorAlreadyExists;
    AddFolder(where.path);
    return 0;
}

uint32_t MemoryVolume::CopyReplacing(const std::string& from, const std::string& to)
{
    Node* source = nullptr;
    if (const uint32_t error = Existing("CopyReplacing", from, source))
        return error;
    if (source->folder)
        return kErrorAccessDenied;
    const std::string content = source->content;
    Resolved where;
    if (const uint32_t error = InFolder(nullptr, to, where))
        return error;
    if (const Node* taken = Find(where.key); taken && (taken->folder || (taken->attributes & kAttributeReadOnly)))
        return kErrorAccessDenied;
    AddFile(where.path, content);
    return 0;
}

namespace {

// The volume outlives what holds its files.
struct MemoryHold : FileHold {
    MemoryHold(std::set<std::string>& held, std::string key) : held(held), key(std::move(key)) {}
    ~MemoryHold() override { held.erase(key); }
    std::set<std::string>& held;
    std::string key;
};

} // namespace

uint32_t MemoryVolume::Hold(const std::string& path, std::unique_ptr<FileHold>& hold)
{
    Resolved where;
    if (const uint32_t error = InFolder("Hold", path, where))
        return error;
    if (!held_.insert(where.key).second)
        return kErrorSharingViolation;
    hold = std::make_unique<MemoryHold>(held_, where.key);
    return 0;
}
