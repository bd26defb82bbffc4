#include "tools/folder_copy.h"

#include "engine/name_pieces.h"

#include <new>
#include <vector>

namespace {

const char kCopyError[] = "Copy error";

// A path as the file system compares it: letter case and the kind of slash
// do not tell two paths apart.
std::string Comparable(const std::string& path)
{
    std::string folded = FoldedToLower(path);
    for (char& c : folded)
        c = c == '/' ? '\\' : c;
    return folded;
}

// One folder of the source and its place below the destination, both ending
// in a backslash, with the subfolders still to be copied.
struct Level {
    std::string source;
    std::string destination;
    std::vector<std::string> subfolders;
    size_t next = 0;
};

class TreeCopy {
public:
    TreeCopy(CopyCounters& counters, CopyHost& host, FileOps& files, const std::string& pattern,
             const std::string& destinationRoot, bool recurse)
        : counters_(counters), host_(host), files_(files), pattern_(pattern),
          destinationRoot_(Comparable(destinationRoot)), recurse_(recurse)
    {
    }

    // The levels wait on a stack that grows as deep as the tree goes.
    bool Run(const std::string& sourceFolder, const std::string& destination)
    {
        std::vector<Level> levels;
        if (!Enter(levels, sourceFolder, destination))
            return false;
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.next == level.subfolders.size()) {
                levels.pop_back();
                continue;
            }
            const std::string& name = level.subfolders[level.next++];
            if (!Enter(levels, level.source + name + "\\", level.destination + name + "\\"))
                return false;
        }
        return true;
    }

private:
    // Makes the destination folder, copies the files and, when recursing,
    // puts the level on the stack with its subfolders.
    bool Enter(std::vector<Level>& levels, const std::string& source, const std::string& destination)
    {
        const std::string folder = destination.substr(0, destination.size() - 1);
        const uint32_t error = files_.CreateFolder(folder);
        if (error != 0 && error != kErrorAlreadyExists) {
            host_.Warn("Can't create folder", folder);
            return false;
        }
        ++counters_.foldersCreated;
        if (!CopyFiles(source, destination))
            return false;
        if (recurse_)
            levels.push_back(Level{source, destination, Subfolders(source), 0});
        return true;
    }

    bool CopyFiles(const std::string& source, const std::string& destination)
    {
        std::vector<std::string> names;
        files_.ListFolder(source + pattern_, [&](const char* name, uint32_t attributes) {
            if (!(attributes & kAttributeDirectory))
                names.push_back(name);
            return true;
        });
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
    std::vector<std::string> Subfolders(const std::string& source)
    {
        std::vector<std::string> names;
        files_.ListFolder(source + "*.*", [&](const char* name, uint32_t attributes) {
            if ((attributes & kAttributeDirectory) && name[0] != '.' &&
                Comparable(source + name + "\\") != destinationRoot_)
                names.push_back(name);
            return true;
        });
        return names;
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
        return copy.Run(sourcePattern.substr(0, cut), destination) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        host.Warn("Not enough memory", kCopyError);
        return 0;
    }
}
