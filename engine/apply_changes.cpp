#include "apply_changes.h"

#include "apply_dates.h"
#include "folder_scan.h"
#include "name_pieces.h"
#include "pass_reports.h"
#include "resources/resource.h"
#include "transforms.h"
#include "ui/number_text.h"

#include <exception>
#include <functional>
#include <vector>

namespace {

constexpr int kMaxPasses = 11;
// How many names a scratch or temporary name may try before the pass gives
// up on the file: each try that meets an existing file takes the next.
constexpr int kFreshNameTries = 10000;
const char kRenamingText[] = "Renaming files - please wait...";

enum class Outcome { Renamed, Unchanged, TargetExists, GivenUp, Stop };

// The new name may not leave the folder nor be one the system would refuse
// or quietly change.
bool IsUsableTarget(const std::string& folder, const std::string& newName)
{
    return IsValidFileName(newName) && folder.size() + newName.size() <= kMaxPathLength;
}

// Moves `source` to the first of the names made by `name(0)`, `name(1)`, ...
// that no file holds yet, and tells which one it took. A name is only taken
// by the move itself, so a file that appears meanwhile is never replaced.
uint32_t MoveToFreshName(FileOps& files, const std::string& source, const std::string& folder,
                         const std::function<std::string(int)>& name, std::string& taken)
{
    uint32_t error = kErrorAlreadyExists;
    for (int k = 0; k < kFreshNameTries && error == kErrorAlreadyExists; ++k) {
        taken = name(k);
        error = files.Rename(source, folder + taken);
    }
    return error;
}

// Files whose new name stayed taken through every pass.
std::string BlockedText(const std::vector<std::string>& blocked)
{
    char digits[34];
    const std::string count = FormatUInt(static_cast<uint32_t>(blocked.size()), digits, 10);
    const char* files = blocked.size() == 1 ? " file was" : " files were";
    return count + files + " not renamed because a file with the new name already exists:\n" + ListOfNames(blocked);
}

class RenamePasses {
public:
    RenamePasses(FolderContext& context, PassOutcome& outcome) : c_(context), outcome_(outcome) {}

    // Returns false when the user chose to stop.
    bool Run()
    {
        for (int pass = 0; pass < kMaxPasses; ++pass) {
            bool changed = false;
            for (int i = 0; i < c_.set.Count(); ++i) {
                if (!c_.set.IsListed(i) || c_.set.Entry(i).newName.empty())
                    continue;
                const Outcome outcome = RenameOne(i);
                if (outcome == Outcome::Stop)
                    return false;
                if (outcome == Outcome::Renamed)
                    changed = true;
                if (outcome != Outcome::TargetExists)
                    c_.set.SetNewName(i, std::string());
            }
            if (!changed)
                break;
        }
        return true;
    }

    std::vector<std::string> Blocked() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < c_.set.Count(); ++i)
            if (c_.set.IsListed(i) && !c_.set.Entry(i).newName.empty())
                names.push_back(c_.set.Entry(i).name + " -> " + c_.set.Entry(i).newName);
        return names;
    }

private:
    Outcome RenameOne(int i)
    {
        const FileEntry& e = c_.set.Entry(i);
        // Bytes, not collation: "Straße" and "Strasse" are different names.
        // Asked first: a name that stays as it is needs no other question.
        const std::string stored = StoredName(e.newName);
        if (e.name == stored)
            return Outcome::Unchanged;
        if (!CanReach(c_.folder, e.name)) {
            outcome_.unreachable.push_back(e.name);
            return Outcome::Unchanged;
        }
        if (!IsUsableTarget(c_.folder, e.newName))
            return Failed(kErrorInvalidName, e.name);
        const std::string source = c_.folder + e.name;
        const std::string target = c_.folder + stored;
        const uint32_t error = SameNameIgnoringCase(e.name, stored) ? RenameThroughTemp(source, target, e.name)
                                                                   : c_.files.Rename(source, target);
        if (error == 0)
            return Outcome::Renamed;
        if (error == kErrorAlreadyExists)
            return Outcome::TargetExists;
        return Failed(error, e.name);
    }

    Outcome Failed(uint32_t error, const std::string& name)
    {
        return ReportFileError(c_.host, error, name) ? Outcome::GivenUp : Outcome::Stop;
    }

    // A name that differs only in case is the same name to some file systems
    // (and to Wine): one rename reports success and changes nothing. Going
    // through a name of its own makes the change real.
    uint32_t RenameThroughTemp(const std::string& source, const std::string& target, const std::string& name)
    {
        std::string temp;
        uint32_t error = MoveToFreshName(c_.files, source, c_.folder, [](int k) {
            char digits[34];
            return "~quillet" + std::string(FormatInt(k, digits, 10)) + ".tmp";
        }, temp);
        if (error != 0)
            return error;
        error = c_.files.Rename(c_.folder + temp, target);
        if (error != 0 && c_.files.Rename(c_.folder + temp, source) != 0)
            outcome_.stranded.push_back({temp, name});
        return error;
    }

    FolderContext& c_;
    PassOutcome& outcome_;
};

class IndexRenames {
public:
    IndexRenames(FolderContext& context, PassOutcome& outcome) : c_(context), outcome_(outcome) {}

    void Run()
    {
        if (MoveToTempNames())
            MoveToNewNames();
        else
            PutBack(0);
    }

    // After a failure in the middle of a step: the files still under their
    // scratch names get their old names back.
    void PutBackUnfinished() { PutBack(unfinished_); }

private:
    std::string Path(const std::string& name) const { return c_.folder + name; }

    // First step; false when the user chose to stop.
    bool MoveToTempNames()
    {
        for (int i = 0; i < c_.set.Count(); ++i) {
            if (!c_.set.IsListed(i))
                continue;
            const FileEntry& e = c_.set.Entry(i);
            if (e.name == StoredName(e.newName))
                continue;
            if (!CanReach(c_.folder, e.name)) {
                outcome_.unreachable.push_back(e.name);
                continue;
            }
            const uint32_t error = IsUsableTarget(c_.folder, e.newName) ? MoveToScratchName(i) : kErrorInvalidName;
            if (error == 0)
                moved_.push_back(i);
            else if (!ReportFileError(c_.host, error, e.name))
                return false;
        }
        return true;
    }

    // The scratch name the proposal gave the entry, or when a file of that
    // name is there already, a number past every entry's.
    uint32_t MoveToScratchName(int i)
    {
        const FileEntry& e = c_.set.Entry(i);
        const std::string extension = FindExtension(e.name);
        std::string taken;
        const uint32_t error = MoveToFreshName(c_.files, Path(e.name), c_.folder, [&](int k) {
            return k == 0 ? e.tempName : "`]" + PaddedNumber(c_.set.Count() + nextScratch_++, 6) + extension;
        }, taken);
        if (error == 0)
            c_.set.SetTempName(i, taken);
        return error;
    }

    void MoveToNewNames()
    {
        for (size_t m = 0; m < moved_.size(); ++m) {
            unfinished_ = m;
            const FileEntry& e = c_.set.Entry(moved_[m]);
            const uint32_t error = c_.files.Rename(Path(e.tempName), Path(StoredName(e.newName)));
            if (error == 0)
                continue;
            PutBackOne(e);
            if (!ReportFileError(c_.host, error, e.name)) {
                PutBack(m + 1);
                break;
            }
        }
        unfinished_ = moved_.size();
    }

    // Gives the files still under their scratch names, from `first` on, their
    // old names back.
    void PutBack(size_t first)
    {
        for (size_t m = first; m < moved_.size(); ++m)
            PutBackOne(c_.set.Entry(moved_[m]));
    }

    void PutBackOne(const FileEntry& e)
    {
        if (c_.files.Rename(Path(e.tempName), Path(e.name)) != 0)
            outcome_.stranded.push_back({e.tempName, e.name});
    }

    FolderContext& c_;
    PassOutcome& outcome_;
    std::vector<int> moved_;
    size_t unfinished_ = 0; // the first file of moved_ that may still carry its scratch name
    int nextScratch_ = 0;
};

const char* ConfirmationText(int action, bool prefix)
{
    switch (action) {
    case ID_UPPERCASE: return "This will convert these files to uppercase.";
    case ID_LOWERCASE: return "This will convert these files to lowercase.";
    case ID_INDEX_NAMES: return "This will rename the files using an index number.";
    case ID_PREFIX_APPEND:
        return prefix ? "This will start the file names with the text you entered."
                      : "This will append text to the file names.";
    case ID_SHORTEN: return "This will shorten these file names.";
    case ID_REMOVE_TEXT: return "This will remove some text from the file names.";
    case ID_CHANGE_EXTENSIONS: return "This will change the file extensions.";
    case ID_CHANGE_DATES: return "This will change the file dates";
    default: return nullptr;
    }
}

} // namespace

bool ConfirmAndApply(FolderContext& context, int action, bool prefix, const LocalDateTime& date)
{
    const char* text = ConfirmationText(action, prefix);
    if (!text || !context.host.Confirm(std::string(text) + "\nDo you want to do this?"))
        return false;
    if (action == ID_INDEX_NAMES)
        ApplyIndexRenames(context);
    else if (action == ID_CHANGE_DATES)
        ApplyDates(context, date);
    else
        ApplyRenames(context);
    return true;
}

void RunPass(FolderContext& context, const std::string& workingText, PassOutcome& outcome,
             const std::function<void()>& pass, const std::function<void()>& afterFailure,
             const std::function<void()>& rescan)
{
    EngineHost& host = context.host;
    host.ShowWorking(workingText);
    try {
        pass();
    } catch (const std::exception& e) {
        outcome.failure = e.what();
        afterFailure();
    }
    try {
        rescan();
    } catch (const std::exception& e) {
        if (outcome.failure.empty())
            outcome.failure = e.what();
    }
    host.SetPending(false);
    host.CloseWorking();
    TellOutcome(host, outcome);
}

void ApplyRenames(FolderContext& context)
{
    PassOutcome outcome;
    RenamePasses passes(context, outcome);
    std::vector<std::string> blocked;
    RunPass(
        context, kRenamingText, outcome,
        [&] {
            if (passes.Run())
                blocked = passes.Blocked();
        },
        [] {}, [&] { OpenFolder(context, "*.*"); });
    if (!blocked.empty())
        context.host.Warn(BlockedText(blocked));
}

void ApplyIndexRenames(FolderContext& context)
{
    PassOutcome outcome;
    IndexRenames renames(context, outcome);
    RunPass(
        context, kRenamingText, outcome, [&] { renames.Run(); }, [&] { renames.PutBackUnfinished(); },
        [&] { Scan(context, context.folder + "*.*"); });
}
