// Scans and apply passes on real folders, checked on disk afterwards.
#include "engine/code_page.h"
#include "engine/extension_change.h"
#include "engine/folder_scan.h"
#include "engine/pass_driver.h"
#include "engine/transforms.h"
#include "engine/wide_text.h"
#include "local_moment.h"
#include "test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using NameSet = std::set<std::string>;

class DiskTest : public ::testing::Test {
protected:
    FolderContext Context() { return FolderContext{set, folder.Path(), SystemFileOps(), host}; }

    // Scans the folder as the program does before any action.
    void Open()
    {
        FolderContext context = Context();
        OpenFolder(context, "*.*");
    }

    void Rename()
    {
        FolderContext context = Context();
        ApplyRenames(context);
    }

    TempFolder folder;
    WorkingSet set;
    ScriptedHost host;
};

std::string Padded(int n)
{
    return (n < 10 ? "n0" : "n") + std::to_string(n);
}

// The last-write time; the last-access and creation times where asked for.
FILETIME Times(const std::string& path, FILETIME* lastAccess, FILETIME* creation = nullptr)
{
    FILETIME created{}, accessed{}, written{};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, &created, &accessed, &written);
    CloseHandle(file);
    if (lastAccess)
        *lastAccess = accessed;
    if (creation)
        *creation = created;
    return written;
}

uint64_t AsNumber(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct DateCase {
    const char* what;
    LocalDateTime date;
};

// A file time as the local date and time the user would read, converted back
// with the zone's rules for that date.
std::string AsLocalText(const FILETIME& time)
{
    SYSTEMTIME universal, local;
    FileTimeToSystemTime(&time, &universal);
    SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
    char text[40];
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.wYear, local.wMonth, local.wDay,
             local.wHour, local.wMinute, local.wSecond, local.wMilliseconds);
    return text;
}

std::string AsText(const LocalDateTime& t)
{
    char text[40];
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.000", t.year, t.month, t.day, t.hour, t.minute,
             t.second);
    return text;
}

} // namespace

TEST_F(DiskTest, ScanListsFilesSortedAndSkipsFolders)
{
    folder.Create("b.txt");
    folder.Create("A.txt");
    folder.Create("hidden.txt");
    folder.Create("readonly.txt");
    SetFileAttributesA((folder.Path() + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((folder.Path() + "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    folder.CreateSubfolder("sub");
    Open();
    ASSERT_EQ(4, set.Count());
    EXPECT_EQ("A.txt", set.Entry(0).name);
    EXPECT_EQ("b.txt", set.Entry(1).name);
    EXPECT_EQ("hidden.txt", set.Entry(2).name);
    EXPECT_EQ("readonly.txt", set.Entry(3).name);
    EXPECT_EQ(1, host.filesLoaded);
    EXPECT_EQ(1, host.refills);
    EXPECT_EQ(folder.Path() + "*.*", host.shownPath);
    EXPECT_EQ(4, host.shownCount);
}

TEST_F(DiskTest, AFolderOfFoldersGivesAnEmptyList)
{
    folder.CreateSubfolder("one");
    set.Append("left over");
    Open();
    EXPECT_EQ(0, set.Count());
    EXPECT_EQ(0, host.filesLoaded);
    EXPECT_EQ(1, host.refills);
    EXPECT_EQ(0, host.shownCount);
}

TEST_F(DiskTest, AThousandFilesAreReadWholeOrNotAtAll)
{
    for (int i = 0; i < 1000; ++i)
        folder.Create("f" + std::to_string(i));
    Open();
    EXPECT_EQ(1000, set.Count());
    EXPECT_EQ("f0", set.Entry(0).name);
    EXPECT_EQ("f999", set.Entry(999).name);
    EXPECT_FALSE(host.listingStopped);

    host.stopListingAt = 512; // Cancel pressed while the folder is read
    Open();
    EXPECT_EQ(0, set.Count()) << "part of a listing is no picture of the folder";
    EXPECT_TRUE(host.listingStopped);
    EXPECT_EQ(1, host.filesLoaded) << "only the first reading loaded files";
    EXPECT_EQ(0, host.shownCount);
}

TEST_F(DiskTest, CaseChangesReallyReachTheDisk)
{
    folder.Create("abc.txt", "one");
    folder.Create("Photo.jpg", "two");
    Open();
    MakeUpper(set);
    Rename();
    EXPECT_EQ((NameSet{"ABC.TXT", "PHOTO.JPG"}), folder.Names());
    EXPECT_EQ("one", folder.Read("ABC.TXT"));
    EXPECT_EQ(2, set.Count()) << "rescanned";
    EXPECT_TRUE(set.Entry(0).newName.empty());
    EXPECT_EQ(std::vector<bool>{false}, host.pendingCalls);
    EXPECT_EQ(std::vector<std::string>{"Renaming files - please wait..."}, host.working);
    EXPECT_FALSE(host.workingShown);

    MakeLower(set);
    Rename();
    EXPECT_EQ((NameSet{"abc.txt", "photo.jpg"}), folder.Names());
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(DiskTest, SharpSAndDoubleSAreDifferentNames)
{
    folder.Create("strasse.txt", "s");
    Open();
    set.SetNewName(0, Western("stra\xDF" "e.txt"));
    Rename();
    EXPECT_EQ((NameSet{Western("stra\xDF" "e.txt")}), folder.Names());
}

// Names in every script, one of 85 letters (255 bytes, the most a name may
// take on this disk): renamed exactly where the program speaks UTF-8, left
// alone and reported where its 8-bit code page cannot hold them.
TEST_F(DiskTest, NamesInEveryScriptReachTheDiskExactly)
{
    const std::wstring names[] = {L"日本語のファイル.txt", L"Привет.doc", L"Ωμέγα😀.jpg", std::wstring(81, L'語') + L".txt"};
    for (const std::wstring& name : names)
        CloseHandle(CreateFileW((Widened(folder.Path()) + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    Open();
    MakeUpper(set);
    Rename();
    if (ActiveCodePage() != CodePageKind::Utf8) {
        EXPECT_EQ(4, set.Count());
        EXPECT_EQ(1u, host.warnings.size()) << "the names out of reach are reported";
        return;
    }
    EXPECT_EQ((NameSet{"日本語のファイル.TXT", "ПРИВЕТ.DOC", "ΩΜΈΓΑ😀.JPG", Narrowed(std::wstring(81, L'語')) + ".TXT"}),
              folder.Names());
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(DiskTest, IndexRenamesExchangeNames)
{
    folder.Create("a.txt", "A");
    folder.Create("b.txt", "B");
    Open();
    IndexNames(set, IndexOptions{});
    set.SetNewName(0, "b.txt");
    set.SetNewName(1, "a.txt");
    FolderContext context = Context();
    ApplyIndexRenames(context);
    EXPECT_EQ((NameSet{"a.txt", "b.txt"}), folder.Names());
    EXPECT_EQ("B", folder.Read("a.txt"));
    EXPECT_EQ("A", folder.Read("b.txt"));
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(DiskTest, IndexRenamesNumberFilesOnDisk)
{
    for (const char* name : {"x.jpg", "y.jpg", "z.gif"})
        folder.Create(name);
    Open();
    IndexOptions options;
    options.useNewName = true;
    options.newName = "file";
    options.startWithOne = true;
    IndexNames(set, options);
    FolderContext context = Context();
    ApplyIndexRenames(context);
    EXPECT_EQ((NameSet{"file1.jpg", "file2.jpg", "file3.gif"}), folder.Names());
}

TEST_F(DiskTest, AnExchangeWithoutTheIndexActionGivesUpAndSaysSo)
{
    folder.Create("a.txt", "A");
    folder.Create("b.txt", "B");
    Open();
    set.SetNewName(0, "b.txt");
    set.SetNewName(1, "a.txt");
    Rename();
    EXPECT_EQ("A", folder.Read("a.txt"));
    EXPECT_EQ("B", folder.Read("b.txt"));
    ASSERT_EQ(1u, host.warnings.size());
    EXPECT_EQ("2 files were not renamed because a file with the new name already exists:\n"
              "\na.txt -> b.txt\nb.txt -> a.txt",
              host.warnings[0]);
}

TEST_F(DiskTest, AChainOfRenamesTakesSeveralPasses)
{
    for (int i = 1; i <= 4; ++i)
        folder.Create("f" + std::to_string(i), std::to_string(i));
    Open();
    for (int i = 0; i < 4; ++i)
        set.SetNewName(i, "f" + std::to_string(i + 2));
    Rename();
    EXPECT_EQ((NameSet{"f2", "f3", "f4", "f5"}), folder.Names());
    EXPECT_EQ("1", folder.Read("f2"));
    EXPECT_EQ("4", folder.Read("f5"));
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(DiskTest, PassesStopAfterEleven)
{
    // Each pass can rename only the last file of the chain.
    for (int i = 1; i <= 13; ++i)
        folder.Create(Padded(i), std::to_string(i));
    Open();
    for (int i = 0; i < 13; ++i)
        set.SetNewName(i, Padded(i + 2));
    Rename();
    NameSet expected = {"n01", "n02"};
    for (int i = 4; i <= 14; ++i)
        expected.insert(Padded(i));
    EXPECT_EQ(expected, folder.Names());
    ASSERT_EQ(1u, host.warnings.size());
    EXPECT_EQ(0u, host.warnings[0].find("2 files were not renamed")) << host.warnings[0];
}

TEST_F(DiskTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    folder.Create("a.txt");
    folder.Create("b.txt");
    Open();
    PrefixOrAppend(set, "..\\", TextPosition::Prefix);
    host.answers = {true, false};
    Rename();
    EXPECT_EQ((NameSet{"a.txt", "b.txt"}), folder.Names());
    ASSERT_EQ(2u, host.questions.size());
    EXPECT_EQ("a.txt\n\nThe new name is not a valid file name.\n\nContinue with this operation?",
              host.questions[0]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder.Path() + "..\\a.txt").c_str()));
}

TEST_F(DiskTest, ExtensionsChangeOnlyForTheMatchingFiles)
{
    folder.Create("a.gif");
    folder.Create("b.GIF");
    folder.Create("c.png");
    FolderContext context = Context();
    ASSERT_TRUE(ChangeExtensions(context, "*.gif", ".JPG"));
    EXPECT_EQ(folder.Path() + "*.gif", host.shownPath);
    Rename();
    EXPECT_EQ((NameSet{"a.JPG", "b.JPG", "c.png"}), folder.Names());

    EXPECT_FALSE(ChangeExtensions(context, "*.*", "j?g"));
    EXPECT_EQ("Illegal character in extension", host.warnings.back());
    EXPECT_EQ(3, set.Count());
    EXPECT_TRUE(set.Entry(0).newName.empty());
}

// A pattern that names another folder would list its files, and the pass
// would then rename same-named files of this one.
TEST_F(DiskTest, APatternThatLeavesTheFolderListsNothing)
{
    folder.CreateSubfolder("work");
    folder.Create("work\\notes.txt");
    folder.Create("notes.txt");
    const std::string inner = folder.Path() + "work\\";
    FolderContext context{set, inner, SystemFileOps(), host};
    OpenFolder(context, "*.*");
    for (const char* pattern : {"..\\*.txt", "sub\\*.*", "C:\\x\\*.*", "/"}) {
        EXPECT_FALSE(ChangeExtensions(context, pattern, "md")) << pattern;
        EXPECT_EQ(1, set.Count()) << "the list stays as it was";
        EXPECT_TRUE(set.Entry(0).newName.empty());
    }
    EXPECT_EQ(0u, host.warnings.back().find("The character ")) << host.warnings.back();
    ApplyRenames(context);
    EXPECT_EQ((NameSet{"notes.txt"}), folder.Names());
    EXPECT_EQ("x", folder.Read("work\\notes.txt"));
    DeleteFileA((inner + "notes.txt").c_str());
}

TEST_F(DiskTest, DatesGiveListedFilesTheChosenMoment)
{
    const DateCase cases[] = {
        {"winter", Moment(2001, 2, 3, 4, 5, 0)},
        {"summer", Moment(2019, 7, 14, 20, 30, 15)},
        {"leap day at midnight", Moment(2000, 2, 29, 0, 0, 0)},
        {"last moment of a year", Moment(1999, 12, 31, 23, 59, 59)},
    };
    folder.Create("a.txt");
    folder.Create("b.txt");
    folder.Create("c.txt");
    const std::string path = folder.Path() + "a.txt";
    for (const DateCase& c : cases) {
        SCOPED_TRACE(c.what);
        FILETIME accessBefore;
        Times(path, &accessBefore);
        Open();
        set.RemoveByName("b.txt");
        const FILETIME bBefore = Times(folder.Path() + "b.txt", nullptr);
        host = ScriptedHost();
        FolderContext context = Context();
        ApplyDates(context, c.date);

        FILETIME accessAfter, created;
        EXPECT_EQ(AsText(c.date), AsLocalText(Times(path, &accessAfter, &created)));
        EXPECT_EQ(AsText(c.date), AsLocalText(created));
        EXPECT_EQ(AsText(c.date), AsLocalText(Times(folder.Path() + "c.txt", nullptr)));
        EXPECT_EQ(AsNumber(accessBefore), AsNumber(accessAfter)) << "last access stays";
        EXPECT_EQ(AsNumber(bBefore), AsNumber(Times(folder.Path() + "b.txt", nullptr))) << "entries off the list stay";
        EXPECT_EQ(std::vector<std::string>{"Changing dates - please wait..."}, host.working);
        EXPECT_FALSE(host.workingShown);
        EXPECT_EQ(std::vector<bool>{false}, host.pendingCalls);
        EXPECT_TRUE(host.warnings.empty());
        ASSERT_EQ(3, set.Count()) << "rescanned: the removed file is listed again";
        EXPECT_EQ("b.txt", set.Entry(1).name);
    }
}

TEST_F(DiskTest, DatesKeepAReadOnlyFileReadOnly)
{
    folder.Create("locked.txt");
    const std::string path = folder.Path() + "locked.txt";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    const LocalDateTime date = Moment(2010, 6, 1, 9, 15, 0);
    FolderContext context = Context();
    ApplyDates(context, date);
    EXPECT_EQ(AsText(date), AsLocalText(Times(path, nullptr)));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(host.questions.empty());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Run under TZ=Europe/Berlin (its own ctest entry): one hour ahead of UTC in
// winter, two in summer, whatever the season the test runs in.
TEST(BerlinTime, EachDateTakesTheOffsetInForceOnIt)
{
    const char* zone = getenv("TZ");
    ASSERT_STREQ("Europe/Berlin", zone ? zone : "") << "this test needs the zone set around it";
    struct Case {
        const char* what;
        LocalDateTime local;
        const char* utc;
    } cases[] = {
        {"summer", Moment(2021, 7, 15, 12, 0, 0), "2021-07-15 10:00:00"},
        {"winter", Moment(2021, 1, 15, 12, 0, 0), "2021-01-15 11:00:00"},
        {"summer, other year", Moment(2009, 8, 1, 1, 30, 0), "2009-07-31 23:30:00"},
        {"winter, New Year", Moment(2010, 1, 1, 0, 0, 0), "2009-12-31 23:00:00"},
    };
    TempFolder folder;
    folder.Create("a.txt");
    for (const Case& c : cases) {
        WorkingSet set;
        ScriptedHost host;
        FolderContext context{set, folder.Path(), SystemFileOps(), host};
        OpenFolder(context, "*.*");
        ApplyDates(context, c.local);
        const FILETIME written = Times(folder.Path() + "a.txt", nullptr);
        SYSTEMTIME universal;
        FileTimeToSystemTime(&written, &universal);
        char text[40];
        snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", universal.wYear, universal.wMonth,
                 universal.wDay, universal.wHour, universal.wMinute, universal.wSecond);
        EXPECT_STREQ(c.utc, text) << c.what;
    }
}
