// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "tools/folder_copy.h"

#include "engine/characters.h"

#include <new>
#include <vector>

namespace {

const char kCopyError[] = "Copy error";

// A path as the file system compares it: letter case and the kind of slash
// do not tell two paths apart.
std::string Comparable(const std::string& path)
{
    std::string folded = LowerCased(path);
    for (char& c : folded)
        c = c == '/' ? '\\' : c;
    return folded;
}

// What a folder of the source holds for the copy: the files matching the
// pattern, and the subfolders to follow.
struct Listing {
    std::vector<std::string> files;
    std::vector<std::string> subfolders;
};

// One folder of the source and its place below the destination, both ending
// in a backslash, with the subfolders still to be copied.
struct Level {
    std::string source;
    std::string destination;
    std::vector<std::string> subfolders;
    size_t next = 0;
};

std::string UnreadableText(const std::string& folder, uint32_t error)
{
    const std::string code = "error #" + std::to_string(error);
    if (error == kErrorNotReady)
        return "Can't read " + folder + " - no disk in the drive (" + code + ")";
    return "Can't read " + folder + " - " + code;
}

class TreeCopy {
public:
    TreeCopy(CopyCounters& counters, CopyHost& host, FileOps& files, const std::string& pattern,
             const std::string& destinationRoot, bool recurse)
        : counters_(counters), host_(host), files_(files), pattern_(pattern),
          destinationRoot_(Comparable(destinationRoot)), recurse_(recurse)
    {
    }

    // The levels wait on a stack that grows as deep as the tree goes. A
    // source that cannot be read is no empty disk: nothing is made for it.
    int Run(const std::string& sourceFolder, const std::string& destination)
    {
        Listing top;
        if (const uint32_t error = Read(sourceFolder, top)) {
            host_.Warn(UnreadableText(sourceFolder, error), kCopyError);
            return -1;
        }
        std::vector<Level> levels;
        if (!Enter(levels, sourceFolder, destination, top))
            return 0;
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.next == level.subfolders.size()) {
                levels.pop_back();
                continue;
            }
            const std::string& name = level.subfolders[level.next++];
            const std::string source = level.source + name + "\\";
            Listing listing;
            if (const uint32_t error = Read(source, listing)) {
                // As a file that cannot be copied: OK passes over it.
                if (!host_.AskOkCancel(UnreadableText(source, error), name))
                    return 0;
                continue;
            }
            if (!Enter(levels, source, level.destination + name + "\\", listing))
                return 0;
        }
        return 1;
    }

private:
    // Makes the destination folder, copies the files and, when recursing,
    // puts the level on the stack with its subfolders.
    bool Enter(std::vector<Level>& levels, const std::string& source, const std::string& destination,
               Listing& listing)
    {
        const std::string folder = destination.substr(0, destination.size() - 1);
        const uint32_t error = files_.CreateFolder(folder);
        if (error != 0 && error != kErrorAlreadyExists) {
            host_.Warn("Can't create folder", folder);
            return false;
        }
        ++counters_.foldersCreated;
        if (!CopyFiles(source, destination, listing.files))
            return false;
        if (recurse_)
            levels.push_back(Level{source, destination, std::move(listing.subfolders), 0});
        return true;
    }

    // The files, and when recursing the subfolders; 0 or the system's error.
    uint32_t Read(const std::string& source, Listing& listing)
    {
        const uint32_t error = files_.ListFolder(source + pattern_, [&](const FoundFile& found) {
            if (!(found.attributes & kAttributeDirectory))
                listing.files.push_back(found.name);
            return true;
        });
        if (error != 0 || !recurse_)
            return error;
        return Subfolders(source, listing.subfolders);
    }

    bool CopyFiles(const std::string& source, const std::string& destination, const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            if (host_.QuitPending())
                return false;
            if (!CopyOne(source + name, destination + name, name))
                return false;
        }
        return true;
    }

    // False when the user or the disk stops the run; a file the user chose
    // to pass over is no reason to stop.
    bool CopyOne(const std::string& from, const std::string& to, const std::string& name)
    {
        const uint32_t error = files_.CopyReplacing(from, to);
        if (error == 0) {
            ++counters_.filesCopied;
            // A copy left read-only is still a whole copy: no reason to ask.
            (void)files_.SetAttributes(to, kAttributeNormal);
            return true;
        }
        if (error == kErrorDiskFull) {
            host_.Warn("Disk is full", kCopyError);
            return false;
        }
        return host_.AskOkCancel("Can't copy - error #" + std::to_string(error), name);
    }

    // Folders whose names begin with a dot (".", ".." and the hidden kind)
    // stay behind, and so does the destination when it lies in the source:
    // its copy would hold itself.
    uint32_t Subfolders(const std::string& source, std::vector<std::string>& names)
    {
        return files_.ListFolder(source + "*.*", [&](const FoundFile& found) {
            if ((found.attributes & kAttributeDirectory) && found.name[0] != '.' &&
                Comparable(source + found.name + "\\") != destinationRoot_)
                names.push_back(found.name);
            return true;
        });
    }

    CopyCounters& counters_;
    CopyHost& host_;
    FileOps& files_;
    const std::string pattern_;
    const std::string destinationRoot_;
    const bool recurse_;
};

} // namespace

int CopyFolderTree(CopyCounters& counters, CopyHost& host, FileOps& files, const std::string& sourcePattern,
                   const std::string& destination, bool recurse)
{
    counters = CopyCounters{};
    try {
        const size_t cut = sourcePattern.find_last_of("\\:/") + 1;
        TreeCopy copy(counters, host, files, sourcePattern.substr(cut), destination, recurse);
        return copy.Run(sourcePattern.substr(0, cut), destination);
    } catch (const std::bad_alloc&) {
        host.Warn("Not enough memory", kCopyError);
        return 0;
    }
}
