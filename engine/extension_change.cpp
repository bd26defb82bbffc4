#include "extension_change.h"

#include "folder_scan.h"
#include "transforms.h"

bool ChangeExtensions(FolderContext& context, const std::string& pattern, const std::string& typedExtension)
{
    OpenFolder(context, pattern);
    const std::string extension = CleanExtension(typedExtension);
    if (HasIllegalExtensionCharacter(extension)) {
        context.host.Warn("Illegal character in extension");
        return false;
    }
    ProposeExtension(context.set, extension);
    return true;
}
