// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "apply_changes.h"

#include "characters.h"
#include "collation.h"
#include "folder_scan.h"
#include "name_pieces.h"
#include "transforms.h"
#include "ui/number_text.h"

#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kMaxPasses = 11;

enum class Outcome { Renamed, Unchanged, TargetExists, GivenUp, Stop };

// The new name may not leave the folder nor be one the system would refuse
// or quietly change.
bool IsUsableTarget(const std::string& folder, const std::string& newName)
{
    return IsValidFileName(newName) && SystemLength(folder) + SystemLength(newName) <= kMaxPathLength;
}

// Names no file of the folder holds, for scratch and temporary names chosen
// before the first file moves, so that the journal names them. The folder is
// read at the first name asked for: a batch without case changes never is.
class FreeNames {
public:
    explicit FreeNames(const FolderContext& context) : context_(context) {}

    // The first of name(0), name(1), ... that is free; it is taken from then on.
    template <typename Name>
    std::string Take(Name name)
    {
        if (!read_) {
            ReadFolder();
            read_ = true;
        }
        for (int k = 0;; ++k) {
            std::string candidate = name(k);
            if (taken_.insert(CollationKey(candidate)).second)
                return candidate;
        }
    }

private:
    // A name missed here could be chosen for a file that is there: a folder
    // that cannot be read keeps the batch from starting.
    void ReadFolder()
    {
        std::vector<std::string> names;
        if (const uint32_t error = FolderNames(context_.files, context_.folder, names))
            throw std::runtime_error(UnreadableFolderText(context_.folder, error));
        for (const std::string& taken : names)
            taken_.insert(CollationKey(taken));
    }

    const FolderContext& context_;
    bool read_ = false;
    std::unordered_set<std::string> taken_;
};

// Files whose new name stayed taken through every pass.
std::string BlockedText(const std::vector<std::string>& blocked)
{
    char digits[34];
    const std::string count = FormatUInt(static_cast<uint32_t>(blocked.size()), digits, 10);
    const char* files = blocked.size() == 1 ? " file was" : " files were";
    return count + files + " not renamed because a file with the new name already exists:\n" + ListOfNames(blocked);
}

int Listed(const WorkingSet& set)
{
    int count = 0;
    for (int i = 0; i < set.Count(); ++i)
        count += set.IsListed(i) ? 1 : 0;
    return count;
}

class RenamePasses {
public:
    RenamePasses(FolderContext& context, PassOutcome& outcome, BatchRecord& record)
        : c_(context), outcome_(outcome), record_(record)
    {
    }

    // Chooses the temporary names of the case changes and writes the plan;
    // false when the batch may not start.
    bool Plan()
    {
        FreeNames free(c_);
        temps_.assign(static_cast<size_t>(c_.set.Count()), std::string());
        int nextTemp = 0;
        for (int i = 0; i < c_.set.Count(); ++i) {
            const FileEntry& e = c_.set.Entry(i);
            if (!c_.set.IsListed(i) || e.newName.empty())
                continue;
            const std::string stored = StoredName(e.newName);
            if (e.name == stored || !CanReach(c_.folder, e.name) || !IsUsableTarget(c_.folder, e.newName))
                continue;
            if (SameNameIgnoringCase(e.name, stored)) {
                temps_[static_cast<size_t>(i)] = free.Take([&](int) {
                    char digits[34];
                    return "~quillet" + std::string(FormatInt(nextTemp++, digits, 10)) + ".tmp";
                });
            }
            record_.Plan().files.push_back({e.name, temps_[static_cast<size_t>(i)], stored});
        }
        return record_.Begin();
    }

    // Returns false when the user chose to stop.
    bool Run()
    {
        const int total = Listed(c_.set);
        for (int pass = 0; pass < kMaxPasses; ++pass) {
            bool changed = false;
            int done = 0;
            for (int i = 0; i < c_.set.Count(); ++i) {
                if (!c_.set.IsListed(i))
                    continue;
                if (!c_.host.KeepGoing(done++, total)) {
                    outcome_.cancelled = true;
                    return false;
                }
                if (c_.set.Entry(i).newName.empty())
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
                names.push_back(std::string(c_.set.Entry(i).name) + " -> " + c_.set.Entry(i).newName.c_str());
        return names;
    }

    const std::vector<JournalFile>& Done() const { return done_; }

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
        const std::string& temp = temps_[static_cast<size_t>(i)];
        const size_t strandedBefore = outcome_.stranded.size();
        const uint32_t error = temp.empty() ? c_.files.Rename(c_.folder + e.name.c_str(), c_.folder + stored)
                                            : RenameThroughTemp(e.name, temp, stored);
        if (error == 0) {
            done_.push_back({e.name, temp, stored});
            return Outcome::Renamed;
        }
        // A file left under a temporary name is not tried again: the list of
        // stranded files tells where it is.
        if (error == kErrorAlreadyExists)
            return outcome_.stranded.size() == strandedBefore ? Outcome::TargetExists : Outcome::GivenUp;
        return Failed(error, e.name);
    }

    Outcome Failed(uint32_t error, const std::string& name)
    {
        return ReportFileError(c_.host, error, name) ? Outcome::GivenUp : Outcome::Stop;
    }

    // A name that differs only in case is the same name to some file systems
    // (and to Wine): one rename reports success and changes nothing. Going
    // through a name of its own makes the change real.
    uint32_t RenameThroughTemp(const std::string& name, const std::string& temp, const std::string& target)
    {
        uint32_t error = c_.files.Rename(c_.folder + name, c_.folder + temp);
        if (error != 0)
            return error;
        error = c_.files.Rename(c_.folder + temp, c_.folder + target);
        if (error != 0 && c_.files.Rename(c_.folder + temp, c_.folder + name) != 0)
            outcome_.stranded.push_back({temp, name});
        return error;
    }

    FolderContext& c_;
    PassOutcome& outcome_;
    BatchRecord& record_;
    std::vector<std::string> temps_; // temporary name of each entry's case change, or empty
    std::vector<JournalFile> done_;
};

class IndexRenames {
public:
    IndexRenames(FolderContext& context, PassOutcome& outcome, BatchRecord& record)
        : c_(context), outcome_(outcome), record_(record)
    {
    }

    // Chooses each file's scratch name (the proposal's, unless a file holds
    // it) and writes the plan; false when the batch may not start.
    bool Plan()
    {
        FreeNames free(c_);
        int extra = 0;
        for (int i = 0; i < c_.set.Count(); ++i) {
            const FileEntry& e = c_.set.Entry(i);
            // The files the first step leaves alone are not recorded.
            if (!c_.set.IsListed(i) || !Changes(e) || !CanReach(c_.folder, e.name) ||
                !IsUsableTarget(c_.folder, e.newName))
                continue;
            const std::string extension = FindExtension(e.name);
            c_.set.SetTempName(i, free.Take([&](int k) -> std::string {
                if (k == 0 && IsValidFileName(e.tempName))
                    return e.tempName;
                const std::string number = "`]" + PaddedNumber(c_.set.Count() + extra++, 6);
                // A long extension would make a name too long to record.
                return IsValidFileName(number + extension) ? number + extension : number;
            }));
            // The scratch name may have moved the entry's texts.
            record_.Plan().files.push_back(Step(c_.set.Entry(i)));
        }
        return record_.Begin();
    }

    void Run()
    {
        if (!MoveToTempNames()) {
            PutBack(0);
            return;
        }
        record_.Plan().secondStep = true;
        record_.Plan().files.clear();
        for (int i : moved_)
            record_.Plan().files.push_back(Step(c_.set.Entry(i)));
        // A crash in the second step is rolled back from this record: without
        // it the first step's would send files to each other's names.
        if (const uint32_t error = record_.Rewrite()) {
            PutBack(0);
            char digits[34];
            c_.host.Warn(std::string("The record of the changes could not be written (File error - ") +
                         FormatUInt(error, digits, 10) + "), so no file was renamed.");
            return;
        }
        MoveToNewNames();
    }

    // After a failure in the middle of a step: the files still under their
    // scratch names get their old names back.
    void PutBackUnfinished() { PutBack(unfinished_); }

    const std::vector<JournalFile>& Done() const { return done_; }

private:
    std::string Path(const std::string& name) const { return c_.folder + name; }

    JournalFile Step(const FileEntry& e) const { return {e.name, e.tempName, StoredName(e.newName)}; }

    bool Changes(const FileEntry& e) const { return e.name != StoredName(e.newName); }

    // First step; false when the user chose to stop.
    bool MoveToTempNames()
    {
        const int total = Listed(c_.set);
        int done = 0;
        for (int i = 0; i < c_.set.Count(); ++i) {
            if (!c_.set.IsListed(i))
                continue;
            if (!c_.host.KeepGoing(done++, 2 * total)) {
                outcome_.cancelled = true;
                return false;
            }
            const FileEntry& e = c_.set.Entry(i);
            if (!Changes(e))
                continue;
            if (!CanReach(c_.folder, e.name)) {
                outcome_.unreachable.push_back(e.name);
                continue;
            }
            const uint32_t error = IsUsableTarget(c_.folder, e.newName)
                                       ? c_.files.Rename(Path(e.name), Path(e.tempName))
                                       : kErrorInvalidName;
            if (error == 0)
                moved_.push_back(i);
            else if (!ReportFileError(c_.host, error, e.name))
                return false;
        }
        return true;
    }

    void MoveToNewNames()
    {
        const int total = Listed(c_.set);
        for (size_t m = 0; m < moved_.size(); ++m) {
            unfinished_ = m;
            if (!c_.host.KeepGoing(total + static_cast<int>(m), 2 * total)) {
                outcome_.cancelled = true;
                PutBack(m);
                break;
            }
            const FileEntry& e = c_.set.Entry(moved_[m]);
            const uint32_t error = c_.files.Rename(Path(e.tempName), Path(StoredName(e.newName)));
            if (error == 0) {
                done_.push_back(Step(e));
                continue;
            }
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
    BatchRecord& record_;
    std::vector<int> moved_;
    size_t unfinished_ = 0; // the first file of moved_ that may still carry its scratch name
    std::vector<JournalFile> done_;
};

// The rename batch: as many passes as free the targets of later files.
class RenameBatch : public FilePass {
public:
    RenameBatch(FolderContext& context, PassOutcome& outcome, BatchRecord& record)
        : c_(context), outcome_(outcome), record_(record), passes_(context, outcome, record)
    {
    }

    void Run() override
    {
        if (passes_.Plan() && passes_.Run())
            blocked_ = passes_.Blocked();
        outcome_.changed = static_cast<int>(passes_.Done().size());
        record_.Finish(passes_.Done());
    }

    void AfterFailure() override { record_.Finish(passes_.Done()); }

    void Rescan() override { OpenFolder(c_, "*.*"); }

    void TellAfter() override
    {
        if (!blocked_.empty())
            c_.host.Warn(BlockedText(blocked_));
    }

private:
    FolderContext& c_;
    PassOutcome& outcome_;
    BatchRecord& record_;
    RenamePasses passes_;
    std::vector<std::string> blocked_;
};

// The index batch: every file to its scratch name, then to its new one.
class IndexBatch : public FilePass {
public:
    IndexBatch(FolderContext& context, PassOutcome& outcome, BatchRecord& record)
        : c_(context), outcome_(outcome), record_(record), renames_(context, outcome, record)
    {
    }

    void Run() override
    {
        if (renames_.Plan())
            renames_.Run();
        outcome_.changed = static_cast<int>(renames_.Done().size());
        record_.Finish(renames_.Done());
    }

    void AfterFailure() override
    {
        renames_.PutBackUnfinished();
        record_.Finish(renames_.Done());
    }

    void Rescan() override { Scan(c_, c_.folder + "*.*"); }

private:
    FolderContext& c_;
    PassOutcome& outcome_;
    BatchRecord& record_;
    IndexRenames renames_;
};

} // namespace

std::unique_ptr<FilePass> MakeRenamePass(FolderContext& context, PassOutcome& outcome, BatchRecord& record)
{
    return std::make_unique<RenameBatch>(context, outcome, record);
}

std::unique_ptr<FilePass> MakeIndexRenamePass(FolderContext& context, PassOutcome& outcome, BatchRecord& record)
{
    return std::make_unique<IndexBatch>(context, outcome, record);
}
