// Copying folder trees on real scratch folders, and every way a copy can stop,
// through the file seam.
#include "tools/folder_copy.h"
#include "test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <new>

namespace {

class ScriptedCopyHost : public CopyHost {
public:
    void Warn(const std::string& text, const std::string& caption) override
    {
        messages.push_back(caption + "|" + text);
    }
    bool AskOkCancel(const std::string& text, const std::string& caption) override
    {
        messages.push_back(caption + "|" + text + "|OK/Cancel");
        if (answers.empty())
            return true;
        const bool ok = answers.front();
        answers.pop_front();
        return ok;
    }
    bool QuitPending() override { return quitAfter >= 0 && pumps++ >= quitAfter; }

    std::deque<bool> answers; // OK (true) or Cancel for each question; OK when empty
    std::vector<std::string> messages;
    int quitAfter = -1; // how many files may go before the quit arrives
    int pumps = 0;
};

std::vector<std::string> Relative(const std::vector<std::string>& paths, const std::string& folder)
{
    std::vector<std::string> relative;
    for (const std::string& path : paths)
        relative.push_back(path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path);
    return relative;
}

DWORD Attributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

// A source and a destination side by side in one scratch folder.
struct Disks {
    TempFolder scratch;
    std::string source = scratch.Path() + "disk\\";
    std::string destination = scratch.Path() + "Floppy001\\";
    ScriptedCopyHost host;
    FaultyFileOps files;
    CopyCounters counters{-5, -5};

    explicit Disks(const std::vector<std::string>& paths)
    {
        CreateDirectoryA(source.c_str(), nullptr);
        BuildTree(source, paths);
    }
    int Copy(bool recurse = true, const std::string& pattern = "*.*")
    {
        return CopyFolderTree(counters, host, files, source + pattern, destination, recurse);
    }
};

} // namespace

TEST(FolderCopy, FilesOfAFolderComeBeforeItsSubfoldersDepthFirst)
{
    Disks disks({"z.txt", "a\\", "a\\y.txt", "a\\zz.txt", "a\\b\\", "a\\b\\x.txt", "a\\b\\c\\", "c\\", "c\\w.txt"});
    EXPECT_EQ(1, disks.Copy());
    EXPECT_EQ((std::vector<std::string>{"z.txt", "a\\y.txt", "a\\zz.txt", "a\\b\\x.txt", "c\\w.txt"}),
              Relative(disks.files.copied, disks.source));
    EXPECT_EQ((std::vector<std::string>{"Floppy001", "Floppy001\\a", "Floppy001\\a\\b", "Floppy001\\a\\b\\c",
                                        "Floppy001\\c"}),
              Relative(disks.files.foldersCreated, disks.scratch.Path()));
    EXPECT_EQ(5, disks.counters.filesCopied);
    EXPECT_EQ(5, disks.counters.foldersCreated);
    EXPECT_EQ(TreeOf(disks.source), TreeOf(disks.destination));
    EXPECT_TRUE(disks.host.messages.empty());
}

TEST(FolderCopy, DotFoldersStayAndEveryFileGoesWithNormalAttributes)
{
    Disks disks({"plain.txt", "locked.txt", "secret.sys", ".profile", ".git\\", ".git\\config", "sub\\",
                 "sub\\locked too.txt"});
    SetFileAttributesA((disks.source + "locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((disks.source + "sub\\locked too.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((disks.source + "secret.sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(1, disks.Copy());
    const auto copied = TreeOf(disks.destination);
    EXPECT_EQ((std::map<std::string, std::string>{{".profile", ".profile"},
                                                  {"locked.txt", "locked.txt"},
                                                  {"plain.txt", "plain.txt"},
                                                  {"secret.sys", "secret.sys"},
                                                  {"sub\\", ""},
                                                  {"sub\\locked too.txt", "sub\\locked too.txt"}}),
              copied);
    for (const char* name : {"locked.txt", "sub\\locked too.txt", "secret.sys", "plain.txt"}) {
        EXPECT_EQ(0u, Attributes(disks.destination + name) &
                          (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            << name;
    }
    EXPECT_NE(0u, Attributes(disks.source + "locked.txt") & FILE_ATTRIBUTE_READONLY) << "the source is left alone";
    EXPECT_EQ(std::vector<uint32_t>(5, kAttributeNormal), disks.files.attributesSet);
}

TEST(FolderCopy, WhatTheCopyMakesOfItsSourceAndDestination)
{
    struct Case {
        const char* what;
        std::vector<std::string> source;
        std::vector<std::string> destination; // there before the copy
        bool recurse;
        const char* pattern;
        std::map<std::string, std::string> after;
        int files;
        int folders;
    };
    const Case cases[] = {
        {"an empty disk still makes its folder", {}, {}, true, "*.*", {}, 0, 1},
        {"only the top without recursion",
         {"a.txt", "sub\\", "sub\\b.txt"}, {}, false, "*.*", {{"a.txt", "a.txt"}}, 1, 1},
        {"files there are replaced, others kept",
         {"a.txt"}, {"a.txt", "mine.txt"}, true, "*.*",
         {{"a.txt", "a.txt"}, {"mine.txt", "Floppy001\\mine.txt"}}, 1, 1},
        {"folders there count as made",
         {"sub\\", "sub\\b.txt"}, {"sub\\"}, true, "*.*", {{"sub\\", ""}, {"sub\\b.txt", "sub\\b.txt"}}, 1, 2},
        {"the pattern picks the files of every level",
         {"a.txt", "b.doc", "sub\\", "sub\\c.TXT", "sub\\d.doc"}, {}, true, "*.txt",
         {{"a.txt", "a.txt"}, {"sub\\", ""}, {"sub\\c.TXT", "sub\\c.TXT"}}, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Disks disks(c.source);
        if (!c.destination.empty()) {
            // What stands there already holds a text of its own.
            std::vector<std::string> there;
            for (const std::string& path : c.destination)
                there.push_back("Floppy001\\" + path);
            CreateDirectoryA(disks.destination.c_str(), nullptr);
            BuildTree(disks.scratch.Path(), there);
        }
        EXPECT_EQ(1, disks.Copy(c.recurse, c.pattern));
        EXPECT_EQ(c.after, TreeOf(disks.destination));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, Attributes(disks.destination));
        EXPECT_EQ(c.files, disks.counters.filesCopied);
        EXPECT_EQ(c.folders, disks.counters.foldersCreated);
    }
}

TEST(FolderCopy, TwentyLevelsAreCopiedWhole)
{
    std::vector<std::string> paths;
    std::string below;
    for (int level = 1; level <= 20; ++level) {
        below += "L" + std::to_string(level) + "\\";
        paths.push_back(below);
        paths.push_back(below + "f" + std::to_string(level) + ".txt");
    }
    Disks disks(paths);
    EXPECT_EQ(1, disks.Copy());
    EXPECT_EQ(20, disks.counters.filesCopied);
    EXPECT_EQ(21, disks.counters.foldersCreated);
    EXPECT_EQ(TreeOf(disks.source), TreeOf(disks.destination));
    EXPECT_EQ(40u, TreeOf(disks.destination).size());
}

TEST(FolderCopy, ADestinationInsideTheSourceIsNotCopiedIntoItself)
{
    struct Case { const char* what; std::string destination; std::string inside; };
    const Case cases[] = {
        {"right below", "Backup\\", "Backup\\"},
        {"spelled in other letters", "BACKUP\\", "BACKUP\\"},
        {"deeper down", "sub\\Backup\\", "sub\\Backup\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Disks disks({"a.txt", "sub\\", "sub\\b.txt"});
        disks.destination = disks.source + c.destination;
        EXPECT_EQ(1, disks.Copy());
        auto copy = TreeOf(disks.destination);
        EXPECT_EQ(1u, copy.count("a.txt"));
        EXPECT_EQ(1u, copy.count("sub\\b.txt"));
        for (const auto& entry : copy)
            EXPECT_EQ(std::string::npos, entry.first.find("Backup\\")) << entry.first;
        EXPECT_EQ(2, disks.counters.filesCopied);
    }
}

TEST(FolderCopy, EveryWayACopyStops)
{
    struct Case {
        const char* what;
        std::function<void(Disks&)> arrange;
        int result;
        int files;
        int folders;
        std::vector<std::string> messages; // "{dst}" and "{src}" stand for the two folders
        std::vector<std::string> left;     // what the destination holds afterwards
    };
    const auto failCopyOf = [](const char* name, uint32_t error) {
        return [name, error](Disks& disks) {
            disks.files.copyRule = [name, error](const std::string& from, const std::string&) {
                return BaseName(from) == name ? error : 0u;
            };
        };
    };
    const auto failListOf = [](const char* below, uint32_t error) {
        return [below, error](Disks& disks) {
            disks.files.listRule = [&disks, below, error](const std::string& path) {
                return path == disks.source + below + "*.*" ? error : 0u;
            };
        };
    };
    const Case cases[] = {
        {"no disk in the drive", failListOf("", kErrorNotReady), -1, 0, 0,
         {"Copy error|Can't read {src} - no disk in the drive (error #21)"}, {}},
        {"an unreadable subfolder is passed over on OK", failListOf("sub\\", kErrorAccessDenied), 1, 2, 1,
         {"sub|Can't read {src}sub\\ - error #5|OK/Cancel"}, {"a.txt", "b.txt"}},
        {"Cancel at an unreadable subfolder stops the copy",
         [&](Disks& disks) { failListOf("sub\\", kErrorAccessDenied)(disks); disks.host.answers = {false}; },
         0, 2, 1, {"sub|Can't read {src}sub\\ - error #5|OK/Cancel"}, {"a.txt", "b.txt"}},
        {"the destination cannot be created",
         [](Disks& disks) { disks.files.createFolderRule = [](const std::string&) { return 3u; }; },
         0, 0, 0, {"{dst}|Can't create folder"}, {}},
        {"a subfolder cannot be created",
         [](Disks& disks) {
             disks.files.createFolderRule = [](const std::string& path) { return BaseName(path) == "sub" ? 5u : 0u; };
         },
         0, 2, 1, {"{dst}\\sub|Can't create folder"}, {"a.txt", "b.txt"}},
        {"the disk is full", failCopyOf("b.txt", kErrorDiskFull), 0, 1, 1, {"Copy error|Disk is full"}, {"a.txt"}},
        {"a file in use is passed over on OK",
         failCopyOf("a.txt", kErrorSharingViolation), 1, 2, 2,
         {"a.txt|Can't copy - error #32|OK/Cancel"}, {"b.txt", "sub\\", "sub\\c.txt"}},
        {"access denied, passed over on OK",
         failCopyOf("c.txt", kErrorAccessDenied), 1, 2, 2,
         {"c.txt|Can't copy - error #5|OK/Cancel"}, {"a.txt", "b.txt", "sub\\"}},
        {"Cancel stops the copy",
         [](Disks& disks) {
             disks.files.copyRule = [](const std::string& from, const std::string&) {
                 return BaseName(from) == "a.txt" ? kErrorAccessDenied : 0u;
             };
             disks.host.answers = {false};
         },
         0, 0, 1, {"a.txt|Can't copy - error #5|OK/Cancel"}, {}},
        {"the program is to quit", [](Disks& disks) { disks.host.quitAfter = 1; }, 0, 1, 1, {}, {"a.txt"}},
        {"memory runs out",
         [](Disks& disks) {
             disks.files.copyRule = [](const std::string& from, const std::string&) -> uint32_t {
                 if (BaseName(from) == "b.txt")
                     throw std::bad_alloc();
                 return 0;
             };
         },
         0, 1, 1, {"Copy error|Not enough memory"}, {"a.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Disks disks({"a.txt", "b.txt", "sub\\", "sub\\c.txt"});
        c.arrange(disks);
        EXPECT_EQ(c.result, disks.Copy());
        EXPECT_EQ(c.files, disks.counters.filesCopied);
        EXPECT_EQ(c.folders, disks.counters.foldersCreated);
        std::vector<std::string> expected;
        const std::string folder = disks.destination.substr(0, disks.destination.size() - 1);
        for (std::string message : c.messages) {
            for (const auto& [mark, path] :
                 {std::pair<std::string, std::string>{"{dst}", folder}, {"{src}", disks.source}})
                if (const size_t at = message.find(mark); at != std::string::npos)
                    message.replace(at, mark.size(), path);
            expected.push_back(message);
        }
        EXPECT_EQ(expected, disks.host.messages);
        std::vector<std::string> left;
        for (const auto& entry : TreeOf(disks.destination))
            left.push_back(entry.first);
        EXPECT_EQ(c.left, left);
    }
}
