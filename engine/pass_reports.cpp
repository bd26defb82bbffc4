// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "pass_reports.h"

#include "characters.h"
#include "file_ops.h"
#include "name_pieces.h"
#include "ui/number_text.h"

namespace {

constexpr size_t kNamesShown = 5;

std::string Count(size_t count)
{
    char digits[34];
    return FormatUInt(static_cast<uint32_t>(count), digits, 10);
}

// The question asked when a file could not be changed.
std::string FileErrorText(uint32_t error, const std::string& name)
{
    std::string text = name;
    if (error == kErrorSharingViolation)
        text += " - File in use.";
    else if (error == kErrorWriteProtect)
        text += "\n\nDrive is write protected.";
    else if (error == kErrorInvalidName)
        text += "\n\nThe new name is not a valid file name.";
    else
        text += "\n\nFile error - " + Count(error);
    return text + "\n\nContinue with this operation?";
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

void TellUnreachable(EngineHost& host, const std::vector<std::string>& names)
{
    if (names.empty())
        return;
    const char* files = names.size() == 1 ? " file was" : " files were";
    host.Warn(Count(names.size()) + files +
              " left as they are: Windows cannot reach them by the names they carry "
              "(a name made on another system, ending in a dot or a blank, holding a "
              "character Windows does not allow, or too long):\n" +
              ListOfNames(names));
}

} // namespace

bool ReportFileError(EngineHost& host, uint32_t error, const std::string& name)
{
    return host.AskToContinue(FileErrorText(error, name));
}

std::string UnreadableFolderText(const std::string& folder, uint32_t error)
{
    return "Cannot read the folder " + folder + ": File error - " + Count(error);
}

bool CanReach(const std::string& folder, const std::string& name)
{
    return IsAddressableName(name) && SystemLength(name) <= kMaxNameLength &&
           SystemLength(folder) + SystemLength(name) <= kMaxPathLength;
}

void TellOutcome(EngineHost& host, const PassOutcome& outcome)
{
    if (!outcome.failure.empty())
        host.Warn("The changes stopped because of an unexpected error (" + outcome.failure +
                  "). The list shows the folder as it is now.");
    TellStranded(host, outcome.stranded);
    TellUnreachable(host, outcome.unreachable);
    if (!outcome.notPutBack.empty())
        host.Warn("These files were not put back, because the folder no longer shows them as the changes left "
                  "them, or a step failed:\n" +
                  ListOfNames(outcome.notPutBack));
}

std::string ListOfNames(const std::vector<std::string>& names)
{
    std::string text;
    for (size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += "\n" + names[i];
    if (names.size() > kNamesShown)
        text += "\n... and " + Count(names.size() - kNamesShown) + " more";
    return text;
}
