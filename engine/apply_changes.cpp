#include "apply_changes.h"

#include "apply_dates.h"
#include "collation.h"
#include "file_error.h"
#include "folder_scan.h"
#include "name_pieces.h"
#include "ui/number_text.h"

#include <vector>

namespace {

constexpr int kMaxPasses = 11;
constexpr size_t kNamesShown = 5;
const char kRenamingText[] = "Renaming files - please wait...";

// A file that could neither take its new name nor get its old one back.
struct Stranded {
    std::string tempName;
    std::string name;
};

enum class Outcome { Renamed, Unchanged, TargetExists, GivenUp, Stop };

// The new name may not leave the folder nor be one the system would refuse
// or quietly change.
bool IsUsableTarget(const std::string& folder, const std::string& newName)
{
    return IsValidFileName(newName) && folder.size() + newName.size() <= kMaxPathLength;
}

std::string ListOfNames(const std::vector<std::string>& names)
{
    std::string text;
    for (size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += "\n" + names[i];
    if (names.size() > kNamesShown) {
        char digits[34];
        text += "\n... and ";
        text += FormatUInt(static_cast<uint32_t>(names.size() - kNamesShown), digits, 10);
        text += " more";
    }
    return text;
}

// Files whose new name stayed taken through every pass.
std::string BlockedText(const std::vector<std::string>& blocked)
{
    char digits[34];
    const std::string count = FormatUInt(static_cast<uint32_t>(blocked.size()), digits, 10);
    const char* files = blocked.size() == 1 ? " file was" : " files were";
    return count + files + " not renamed because a file with the new name already exists:\n" + ListOfNames(blocked);
}

void TellStranded(EngineHost& host, const std::vector<Stranded>& stranded)
{
    if (stranded.empty())
        return;
    std::vector<std::string> lines;
    for (const Stranded& s : stranded)
        lines.push_back(s.tempName + " (was " + s.name + ")");
    host.Warn("These files could not be given back their names and now carry temporary names:\n" +
              ListOfNames(lines));
}

class RenamePasses {
public:
    explicit RenamePasses(FolderContext& context) : c_(context) {}

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

    const std::vector<Stranded>& StrandedFiles() const { return stranded_; }

private:
    Outcome RenameOne(int i)
    {
        const FileEntry& e = c_.set.Entry(i);
        if (!IsUsableTarget(c_.folder, e.newName))
            return Failed(kErrorInvalidName, e.name);
        // Bytes, not collation: "Straße" and "Strasse" are different names.
        const std::string stored = StoredName(e.newName);
        if (e.name == stored)
            return Outcome::Unchanged;
        const std::string source = c_.folder + e.name;
        const std::string target = c_.folder + stored;
        const size_t strandedBefore = stranded_.size();
        const uint32_t error = CollationKey(e.name) == CollationKey(stored)
                                   ? RenameThroughTemp(source, target, e.name)
                                   : c_.files.Rename(source, target);
        if (error == 0)
            return Outcome::Renamed;
        // A file left under a scratch name is not tried again: the list of
        // stranded files tells where it is.
        if (error == kErrorAlreadyExists)
            return stranded_.size() == strandedBefore ? Outcome::TargetExists : Outcome::GivenUp;
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
        uint32_t error = kErrorAlreadyExists;
        for (int k = 0; k < 100 && error == kErrorAlreadyExists; ++k) {
            char digits[34];
            temp = c_.folder + "~quillet" + FormatInt(k, digits, 10) + ".tmp";
            error = c_.files.Rename(source, temp);
        }
        if (error != 0)
            return error;
        error = c_.files.Rename(temp, target);
        if (error != 0 && c_.files.Rename(temp, source) != 0)
            stranded_.push_back({temp.substr(c_.folder.size()), name});
        return error;
    }

    FolderContext& c_;
    std::vector<Stranded> stranded_;
};

class IndexRenames {
public:
    explicit IndexRenames(FolderContext& context) : c_(context) {}

    void Run()
    {
        if (MoveToTempNames())
            MoveToNewNames();
        else
            PutBack(0);
    }

    const std::vector<Stranded>& StrandedFiles() const { return stranded_; }

private:
    std::string Path(const std::string& name) const { return c_.folder + name; }

    // First step; false when the user chose to stop.
    bool MoveToTempNames()
    {
        for (int i = 0; i < c_.set.Count(); ++i) {
            if (!c_.set.IsListed(i))
                continue;
            const FileEntry& e = c_.set.Entry(i);
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
        for (size_t m = 0; m < moved_.size(); ++m) {
            const FileEntry& e = c_.set.Entry(moved_[m]);
            const uint32_t error = c_.files.Rename(Path(e.tempName), Path(e.newName));
            if (error == 0)
                continue;
            PutBackOne(e);
            if (!ReportFileError(c_.host, error, e.name)) {
                PutBack(m + 1);
                return;
            }
        }
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
            stranded_.push_back({e.tempName, e.name});
    }

    FolderContext& c_;
    std::vector<int> moved_;
    std::vector<Stranded> stranded_;
};

const char* ConfirmationText(EngineAction action, bool prefix)
{
    switch (action) {
    case EngineAction::Uppercase: return "This will convert these files to uppercase.";
    case EngineAction::Lowercase: return "This will convert these files to lowercase.";
    case EngineAction::IndexNames: return "This will rename the files using an index number.";
    case EngineAction::PrefixAppend:
        return prefix ? "This will start the file names with the text you entered."
                      : "This will append text to the file names.";
    case EngineAction::Shorten: return "This will shorten these file names.";
    case EngineAction::RemoveText: return "This will remove some text from the file names.";
    case EngineAction::ChangeExtensions: return "This will change the file extensions.";
    case EngineAction::ChangeDates: return "This will change the file dates";
    }
    return "";
}

} // namespace

bool ConfirmAndApply(FolderContext& context, EngineAction action, bool prefix, const LocalDateTime& date)
{
    if (!context.host.Confirm(std::string(ConfirmationText(action, prefix)) + "\nDo you want to do this?"))
        return false;
    if (action == EngineAction::IndexNames)
        ApplyIndexRenames(context);
    else if (action == EngineAction::ChangeDates)
        ApplyDates(context, date);
    else
        ApplyRenames(context);
    return true;
}

void ApplyRenames(FolderContext& context)
{
    EngineHost& host = context.host;
    host.ShowWorking(kRenamingText);
    RenamePasses passes(context);
    const bool finished = passes.Run();
    const std::vector<std::string> blocked = finished ? passes.Blocked() : std::vector<std::string>();
    OpenFolder(context, "*.*");
    host.SetPending(false);
    host.CloseWorking();
    TellStranded(host, passes.StrandedFiles());
    if (!blocked.empty())
        host.Warn(BlockedText(blocked));
}

void ApplyIndexRenames(FolderContext& context)
{
    EngineHost& host = context.host;
    host.ShowWorking(kRenamingText);
    IndexRenames renames(context);
    renames.Run();
    Scan(context, context.folder + "*.*");
    host.SetPending(false);
    host.CloseWorking();
    TellStranded(host, renames.StrandedFiles());
}
