// Loading and saving the settings file on a real folder, the faults of a save
// through the file seam, and the creation of the file's folder levels.
#include "app/settings_store.h"
#include "settings_example.h"
#include "test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using NameSet = std::set<std::string>;

// The file as it stands on disk, read with the system's own calls.
std::string OnDisk(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read != 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

bool IsFolder(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    std::string File() const { return folder.Path() + "Quillet.ini"; }

    TempFolder folder;
    FaultyFileOps files;
};

} // namespace

TEST_F(SettingsStoreTest, MissingFileGivesBuiltInValues)
{
    EXPECT_EQ(Describe(Settings()), Describe(LoadSettings(files, File())));
}

// A settings file is a few hundred bytes: of a huge file only the start is
// read, so it can neither exhaust memory nor stop the program starting.
TEST_F(SettingsStoreTest, AHugeFileIsReadOnlyAtItsStart)
{
    ASSERT_EQ(0u, SaveSettings(files, File(), Example()));
    HANDLE file = CreateFileA(File().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER size;
    size.QuadPart = 3LL << 30; // past what a 32-bit process could ever hold
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    EXPECT_EQ(Describe(Example()), Describe(LoadSettings(files, File())));
}

TEST_F(SettingsStoreTest, SaveReplacesTheFileAndLeavesNothingElse)
{
    folder.Create("Quillet.ini", "old settings");
    EXPECT_EQ(0u, SaveSettings(files, File(), Example()));
    EXPECT_EQ(NameSet{"Quillet.ini"}, folder.Names());
    EXPECT_EQ(WriteSettings(Example()), OnDisk(File()));
    EXPECT_EQ(Describe(Example()), Describe(LoadSettings(files, File())));
}

TEST_F(SettingsStoreTest, FailedSaveLeavesThePreviousFileWhole)
{
    struct FaultCase {
        const char* what;
        uint32_t writeError;
        uint32_t replaceError;
    };
    const FaultCase cases[] = {
        {"disk full part-way", kErrorDiskFull, 0},
        {"write-protected", kErrorWriteProtect, 0},
        {"old file in use", 0, kErrorSharingViolation},
        {"access denied", 0, kErrorAccessDenied},
    };
    const std::string previous = WriteSettings(Settings());
    folder.Create("Quillet.ini", previous);
    for (const FaultCase& c : cases) {
        files.writeRule = [&](const std::string&) { return c.writeError; };
        files.replaceRule = [&](const std::string&, const std::string&) { return c.replaceError; };
        EXPECT_EQ(c.writeError + c.replaceError, SaveSettings(files, File(), Example())) << c.what;
        EXPECT_EQ(NameSet{"Quillet.ini"}, folder.Names()) << c.what;
        EXPECT_EQ(previous, OnDisk(File())) << c.what;
    }
}

TEST_F(SettingsStoreTest, PathCreatesTheMissingFolderLevels)
{
    const std::string appData = folder.Path().substr(0, folder.Path().size() - 1);
    EXPECT_EQ(folder.Path() + "OsbrinFreeware\\Quillet\\Quillet.ini", SettingsPathUnder(files, appData));
    EXPECT_TRUE(IsFolder(folder.Path() + "OsbrinFreeware\\Quillet"));

    files.foldersCreated.clear();
    SettingsPathUnder(files, appData);
    EXPECT_TRUE(files.foldersCreated.empty());
    RemoveDirectoryA((folder.Path() + "OsbrinFreeware\\Quillet").c_str());
}

TEST(FolderLevels, WalkSkipsTheRootAndStopsAtAFailure)
{
    struct WalkCase {
        const char* folder;
        const char* failing; // the level that cannot be created, if any
        std::vector<std::string> attempts;
    };
    const WalkCase cases[] = {
        {"C:\\a\\b\\", "", {"C:\\a", "C:\\a\\b"}},
        {"\\\\server\\share\\a\\b\\", "", {"\\\\server\\share\\a", "\\\\server\\share\\a\\b"}},
        {"\\\\server\\share\\", "", {}},
        {"\\OsbrinFreeware\\Quillet\\", "", {"\\OsbrinFreeware", "\\OsbrinFreeware\\Quillet"}},
        {"C:\\a\\tail", "", {"C:\\a"}},
        {"C:\\a\\b\\c\\", "C:\\a\\b", {"C:\\a", "C:\\a\\b"}},
    };
    for (const WalkCase& c : cases) {
        FaultyFileOps files;
        // Every level reads as there already, so the walk goes on without
        // touching the disk.
        files.createFolderRule = [&](const std::string& path) {
            return path == c.failing ? kErrorAccessDenied : kErrorAlreadyExists;
        };
        CreateFolderLevels(files, c.folder);
        EXPECT_EQ(c.attempts, files.foldersCreated) << c.folder;
    }
}
