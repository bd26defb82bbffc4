// Layer: pure core (no <windows.h>, built natively too).

#include "rollback_plan.h"

#include "characters.h"
#include "name_pieces.h"

#include <unordered_map>
#include <unordered_set>

namespace {

// The file system's view of a name: letters in any case are one name. The
// letters are folded as the case actions change them; where a system folds
// more, a move onto a name it takes to be taken fails (183) and is reported,
// and never replaces a file.
std::string Key(const std::string& name)
{
    return LowerCased(name);
}

const char kNotFound[] = "not found";
const char kNameTaken[] = "another file has its name now; this one stays ";
const char kRenamedSince[] = "renamed since";
const char kWayTaken[] = "the name it would go back through is taken";

void Problem(RollbackPlan& plan, const std::string& name, const std::string& why)
{
    plan.problems.push_back(name + " (" + why + ")");
}

// The folder as the plan goes along: names compare as the file system
// compares them, and each keeps the case it is stored with.
class Folder {
public:
    explicit Folder(const std::vector<std::string>& listing)
    {
        for (const std::string& name : listing)
            names_[Key(name)] = name;
    }

    bool Has(const std::string& name) const { return names_.count(Key(name)) != 0; }

    bool HasExactly(const std::string& name) const
    {
        const auto found = names_.find(Key(name));
        return found != names_.end() && found->second == name;
    }

    void Move(const std::string& from, const std::string& to, RollbackPlan& plan)
    {
        names_.erase(Key(from));
        names_[Key(to)] = to;
        plan.moves.push_back({from, to});
    }

    // A move that puts a file back under its old name: whatever else once
    // had that name, the file there now is that one.
    void MoveHome(const std::string& from, const std::string& to, RollbackPlan& plan)
    {
        Move(from, to, plan);
        home_.insert(Key(to));
    }

    // A name holding a file that was not put back there by the plan.
    bool HasOther(const std::string& name) const { return Has(name) && !home_.count(Key(name)); }

private:
    std::unordered_map<std::string, std::string> names_;
    std::unordered_set<std::string> home_;
};

// A case change, whether or not it happened, leaves a name the same to the
// file system: only the stored case tells.
void PlanCaseChange(const JournalFile& file, Folder& folder, RollbackPlan& plan)
{
    if (folder.HasExactly(file.oldName))
        return;
    if (!folder.HasExactly(file.newName) || file.tempName.empty() || folder.Has(file.tempName)) {
        Problem(plan, file.oldName, folder.HasExactly(file.newName) ? kWayTaken : kRenamedSince);
        return;
    }
    ++plan.moved;
    folder.Move(file.newName, file.tempName, plan);
    folder.MoveHome(file.tempName, file.oldName, plan);
}

// Files of a finished batch found under their old names: each came back
// unless the name the batch gave it still holds a file other than one of the
// batch back under its own name. Worked out from the files known to be
// back, until no more are.
void ReportTakenNames(const Journal& journal, std::vector<const JournalFile*> atOld, const Folder& folder,
                      RollbackPlan& plan)
{
    std::unordered_set<std::string> pending;
    for (const JournalFile* file : atOld)
        pending.insert(Key(file->oldName));
    std::unordered_set<std::string> homeOfBatch; // old names of the batch's files, as keys
    for (const JournalFile& file : journal.files)
        homeOfBatch.insert(Key(file.oldName));
    for (bool progress = true; progress;) {
        progress = false;
        std::vector<const JournalFile*> still;
        for (const JournalFile* file : atOld) {
            const std::string at = Key(file->newName);
            if (!folder.Has(file->newName) || (homeOfBatch.count(at) && !pending.count(at))) {
                pending.erase(Key(file->oldName));
                progress = true;
            } else {
                still.push_back(file);
            }
        }
        atOld.swap(still);
    }
    for (const JournalFile* file : atOld)
        Problem(plan, file->oldName, kNameTaken + file->newName);
}

// Renames go one file at a time, never onto a taken name, so a file is back
// where it started or under its new name, or between the two moves of a case
// change. A file can only go back once its old name is free: chains are
// taken apart from their free end, by going round until nothing moves.
void PlanRenames(const Journal& journal, Folder& folder, RollbackPlan& plan)
{
    // A file is between the moves of a case change when its temporary name is
    // there and its own name is not, or is held by another file moving in.
    std::unordered_map<std::string, int> newNames;
    for (const JournalFile& file : journal.files)
        ++newNames[Key(file.newName)];
    const auto betweenMoves = [&](const JournalFile& file) {
        if (file.tempName.empty() || !folder.Has(file.tempName))
            return false;
        const int others = newNames[Key(file.oldName)] -
                           (Key(file.newName) == Key(file.oldName) ? 1 : 0);
        return !folder.Has(file.oldName) || others > 0;
    };
    std::vector<const JournalFile*> waiting;
    for (const JournalFile& file : journal.files) {
        if (!betweenMoves(file) && SameNameIgnoringCase(file.oldName, file.newName))
            PlanCaseChange(file, folder, plan);
        else
            waiting.push_back(&file);
    }
    for (bool progress = true; progress;) {
        progress = false;
        std::vector<const JournalFile*> still;
        for (const JournalFile* file : waiting) {
            const bool atTemp = betweenMoves(*file);
            if (folder.Has(file->oldName)) {
                still.push_back(file); // not moved, or its old name not yet free
            } else if (atTemp || folder.HasOther(file->newName)) {
                ++plan.moved;
                folder.MoveHome(atTemp ? file->tempName : file->newName, file->oldName, plan);
                progress = true;
            } else {
                Problem(plan, file->oldName, kNotFound);
            }
        }
        waiting.swap(still);
    }
    // What still waits is under its old name, unless it stopped between the
    // moves of a case change and its old name went to another file.
    std::vector<const JournalFile*> atOld;
    for (const JournalFile* file : waiting) {
        if (betweenMoves(*file))
            Problem(plan, file->oldName, "now under " + file->tempName);
        else
            atOld.push_back(file);
    }
    if (journal.state == JournalState::Finished)
        ReportTakenNames(journal, atOld, folder, plan);
}

enum class Place { Old, Scratch, New, Lost };

// Where a file of an index batch is. Between the steps a file is under its
// old or its scratch name; after the first step under its scratch or its new
// name, and its old name may meanwhile be another file's new one.
Place IndexPlace(const Journal& journal, const JournalFile& file, const Folder& folder,
                 const std::unordered_set<std::string>& newNames)
{
    if (folder.Has(file.tempName))
        return Place::Scratch;
    const bool pastFirstStep = journal.secondStep || journal.state == JournalState::Finished;
    if (pastFirstStep && folder.Has(file.newName) &&
        (!folder.Has(file.oldName) || newNames.count(Key(file.oldName))))
        return Place::New;
    return folder.Has(file.oldName) ? Place::Old : Place::Lost;
}

// Back through the scratch names, as the batch went: names may have been
// exchanged among the files.
void PlanIndex(const Journal& journal, Folder& folder, RollbackPlan& plan)
{
    std::unordered_set<std::string> newNames;
    for (const JournalFile& file : journal.files)
        newNames.insert(Key(file.newName));
    std::vector<const JournalFile*> scratch;
    std::vector<const JournalFile*> atNew;
    std::vector<const JournalFile*> atOld;
    for (const JournalFile& file : journal.files) {
        switch (IndexPlace(journal, file, folder, newNames)) {
        case Place::Old: atOld.push_back(&file); break;
        case Place::Scratch: scratch.push_back(&file); break;
        case Place::New: atNew.push_back(&file); break;
        case Place::Lost: Problem(plan, file.oldName, kNotFound); break;
        }
    }
    for (const JournalFile* file : atNew) {
        if (folder.Has(file->tempName)) {
            Problem(plan, file->oldName, kWayTaken);
        } else {
            folder.Move(file->newName, file->tempName, plan);
            scratch.push_back(file);
        }
    }
    for (const JournalFile* file : scratch) {
        if (folder.Has(file->oldName)) {
            Problem(plan, file->oldName, "now under " + file->tempName);
        } else {
            folder.MoveHome(file->tempName, file->oldName, plan);
            ++plan.moved;
        }
    }
    if (journal.state == JournalState::Finished)
        ReportTakenNames(journal, atOld, folder, plan);
}

} // namespace

RollbackPlan PlanRollback(const Journal& journal, const std::vector<std::string>& listing)
{
    RollbackPlan plan;
    Folder folder(listing);
    if (journal.kind == JournalKind::Renames)
        PlanRenames(journal, folder, plan);
    else if (journal.kind == JournalKind::Index)
        PlanIndex(journal, folder, plan);
    return plan;
}

bool SameFileTime(uint64_t a, uint64_t b)
{
    // FAT keeps write times to 2 seconds, the coarsest a Windows volume
    // keeps: a time read back from it may differ by that much from the one
    // given.
    constexpr uint64_t kResolution = 20000000;
    return (a > b ? a - b : b - a) <= kResolution;
}
