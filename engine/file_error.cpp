#include "file_error.h"

#include "ui/number_text.h"

namespace {

// The question asked when a file could not be changed.
std::string FileErrorText(uint32_t error, const std::string& name)
{
    std::string text = name;
    if (error == kErrorSharingViolation) {
        text += " - File in use.";
    } else if (error == kErrorWriteProtect) {
        text += "\n\nDrive is write protected.";
    } else if (error == kErrorInvalidName) {
        text += "\n\nThe new name is not a valid file name.";
    } else {
        char digits[34];
        text += "\n\nFile error - ";
        text += FormatUInt(error, digits, 10);
    }
    return text + "\n\nContinue with this operation?";
}

} // namespace

bool ReportFileError(EngineHost& host, uint32_t error, const std::string& name)
{
    return host.AskToContinue(FileErrorText(error, name));
}
