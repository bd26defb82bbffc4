#include "journal_store.h"

#include <new>

namespace {

// A journal lists at most one line for each file of a folder.
constexpr size_t kLongestJournal = 64u << 20;
constexpr uint32_t kErrorNotEnoughMemory = 8;

} // namespace

JournalStore::JournalStore(FileOps& files, std::string path) : files_(files), path_(std::move(path)) {}

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
    if (error == kErrorFileNotFound || error == kErrorPathNotFound)
        return Found::Nothing;
    if (error != 0)
        return Found::Broken;
    return ReadJournal(text, journal) ? Found::Whole : Found::Broken;
}

uint32_t JournalStore::RemoveFile()
{
    return files_.RemoveFile(path_);
}

void JournalStore::SetAside()
{
    // A journal that can be neither moved nor removed is reported again at
    // the next start, and never followed.
    if (files_.MoveReplacing(path_, path_ + ".bad") != 0)
        (void)files_.RemoveFile(path_);
}

std::string JournalPathBeside(const std::string& settingsPath)
{
    const size_t slash = settingsPath.find_last_of('\\');
    return settingsPath.substr(0, slash == std::string::npos ? 0 : slash + 1) + "Quillet.journal";
}
