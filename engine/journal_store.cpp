// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "journal_store.h"

#include "characters.h"
#include "name_pieces.h"

#include <cstdio>
#include <new>

namespace {

// A journal lists at most one line for each file of a folder.
constexpr size_t kLongestJournal = 64u << 20;
// Room for the lines before the files: the folder line is the longest.
constexpr size_t kLongestHead = 4096;
constexpr uint32_t kErrorNotEnoughMemory = 8;

const char kPrefix[] = "Quillet";
const char kSuffix[] = ".journal";

bool IsMissing(uint32_t error)
{
    return error == kErrorFileNotFound || error == kErrorPathNotFound;
}

// FNV-1a over the folder as the file system compares names, so that two
// spellings of one folder share a journal.
std::string FolderTag(const std::string& folder)
{
    uint64_t hash = 14695981039346656037ull;
    for (char c : LowerCased(folder)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char tag[17];
    std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(hash));
    return tag;
}

bool IsJournalFileName(const std::string& name)
{
    const size_t prefix = sizeof kPrefix - 1, suffix = sizeof kSuffix - 1;
    return name.size() >= prefix + suffix && SameNameIgnoringCase(name.substr(0, prefix), kPrefix) &&
           SameNameIgnoringCase(name.substr(name.size() - suffix), kSuffix);
}

} // namespace

JournalStore::JournalStore(FileOps& files, std::string path) : files_(files), path_(std::move(path)) {}

uint32_t JournalStore::Hold()
{
    if (hold_)
        return 0;
    return files_.Hold(path_ + ".lock", hold_);
}

uint32_t JournalStore::Write(const Journal& journal)
{
    std::string text;
    try {
        text = WriteJournal(journal);
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
    return WriteInPlaceOf(files_, path_, text);
}

JournalStore::Found JournalStore::Read(Journal& journal)
{
    std::string text;
    const uint32_t error = files_.ReadFileStart(path_, kLongestJournal, text);
    if (IsMissing(error))
        return Found::Nothing;
    if (error != 0)
        return Found::Broken;
    return ReadJournal(text, journal) ? Found::Whole : Found::Broken;
}

bool JournalStore::ReadState(JournalState& state, std::string& folder)
{
    std::string head;
    return files_.ReadFileStart(path_, kLongestHead, head) == 0 && ReadJournalHead(head, state, folder);
}

uint32_t JournalStore::RemoveFile()
{
    const uint32_t error = files_.RemoveFile(path_);
    return IsMissing(error) ? 0 : error;
}

void JournalStore::SetAside()
{
    // A journal that can be neither moved nor removed is reported again at
    // the next start, and never followed.
    if (files_.MoveReplacing(path_, path_ + ".bad") != 0)
        (void)files_.RemoveFile(path_);
}

JournalFolder::JournalFolder(FileOps& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

JournalStore JournalFolder::For(const std::string& batchFolder) const
{
    return JournalStore(files_, folder_ + kPrefix + " " + FolderTag(batchFolder) + kSuffix);
}

std::vector<JournalStore> JournalFolder::All() const
{
    std::vector<JournalStore> journals;
    // A folder of journals that cannot be read offers nothing to put back:
    // the journals stay for a start that can read them.
    (void)files_.ListFolder(folder_ + kPrefix + "*" + kSuffix, [&](const FoundFile& found) {
        if (!(found.attributes & kAttributeDirectory) && IsJournalFileName(found.name))
            journals.emplace_back(files_, folder_ + found.name);
        return true;
    });
    return journals;
}

std::string JournalFolderBeside(const std::string& settingsPath)
{
    const size_t slash = settingsPath.find_last_of('\\');
    return settingsPath.substr(0, slash == std::string::npos ? 0 : slash + 1);
}
