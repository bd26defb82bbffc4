// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "extension_change.h"

#include "folder_scan.h"
#include "name_pieces.h"
#include "transforms.h"

bool ChangeExtensions(FolderContext& context, const std::string& pattern, const std::string& typedExtension)
{
    // A pattern such as "..\*.txt" would list another folder's files, and the
    // rename pass would then act on same-named files of this one.
    const size_t at = FindPathCharacter(pattern);
    if (at != std::string::npos) {
        context.host.Warn(UnfitCharacterText(pattern, at));
        return false;
    }
    OpenFolder(context, pattern);
    const std::string extension = CleanExtension(typedExtension);
    if (HasIllegalExtensionCharacter(extension)) {
        context.host.Warn("Illegal character in extension");
        return false;
    }
    ProposeExtension(context.set, extension);
    return true;
}
