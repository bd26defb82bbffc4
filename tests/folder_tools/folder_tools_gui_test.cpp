// The folder creator and the floppy saver as the user meets them: dialogs
// opened over a window and worked by messages, on real scratch folders. The
// floppy drives are Wine drive links made by tests/e2e/floppy_drives.sh,
// which names their scratch folder in QUILLET_FLOPPY_SCRATCH.
#include "app/application.h"
#include "gui/gui_support.h"
#include "resources/resource.h"
#include "test_support.h"
#include "tools/copy_prompts.h"
#include "tools/floppy_saver.h"
#include "tools/folder_creator.h"
#include "tools/folder_numbers.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// Waits for the system message box with this caption, notes "caption|text"
// and answers it with the button.
Step Answer(std::string caption, int button, std::vector<std::string>* seen)
{
    return [caption, button, seen] {
        HWND box = FindWindowA("#32770", caption.c_str());
        if (!box || !GetDlgItem(box, 0xFFFF))
            return false;
        seen->push_back(caption + "|" + TextOf(GetDlgItem(box, 0xFFFF)));
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return true;
    };
}

std::vector<std::string> ListItems(HWND list)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// The names of the folders, or of the files, right in the folder.
std::set<std::string> NamesIn(const std::string& folder, bool folders)
{
    std::set<std::string> names;
    for (const auto& entry : TreeOf(folder)) {
        const size_t slash = entry.first.find('\\');
        if (folders ? slash == entry.first.size() - 1 : slash == std::string::npos)
            names.insert(entry.first.substr(0, slash));
    }
    return names;
}

std::set<std::string> FoldersIn(const std::string& folder)
{
    return NamesIn(folder, true);
}

std::set<std::string> Disks(int from, int to)
{
    std::set<std::string> names;
    for (int n = from; n <= to; ++n)
        names.insert((n < 10 ? "Disk0" : "Disk") + std::to_string(n));
    return names;
}

// The creator over a scratch folder, with a browse that moves to another.
struct Creator {
    TempFolder folder;
    TempFolder elsewhere;
    std::string current = folder.Path();
    int browsed = 0;
    FaultyFileOps files;
    WorkWnd working;
    FolderCreatorDialog dialog{files, working};

    INT_PTR Run(std::vector<Step> steps)
    {
        return RunScripted(
            [this](HWND owner) {
                return dialog.Run(owner, CreatorFolder{[this] { return current; },
                                                       [this] {
                                                           ++browsed;
                                                           current = elsewhere.Path();
                                                       }});
            },
            std::move(steps));
    }
    std::vector<Step> Fill(const std::string& name, const std::string& start, const std::string& last)
    {
        return {Type(dialog, IDC_CREATE_NAME, name), Type(dialog, IDC_CREATE_START, start),
                Type(dialog, IDC_CREATE_LAST, last)};
    }
};

std::vector<Step> Then(std::vector<Step> first, std::vector<Step> more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

} // namespace

TEST(FolderCreator, TestNameCreationListsTheRunAndMakesNothing)
{
    struct Case { const char* start; const char* last; size_t count; const char* first; const char* final; };
    const Case cases[] = {
        {"1", "12", 12, "Disk01", "Disk12"},
        {"1", "9", 9, "Disk1", "Disk9"},
        {"5", "100", 96, "Disk005", "Disk100"},
        {"7", "7", 1, "Disk7", "Disk7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        Creator creator;
        std::vector<std::string> items;
        std::string location;
        creator.Run(Then(creator.Fill("Disk", c.start, c.last),
                         {Press(creator.dialog, IDC_CREATE_TEST),
                          When(creator.dialog,
                               [&](HWND window) {
                                   items = ListItems(GetDlgItem(window, IDC_CREATE_LIST));
                                   location = TextOf(GetDlgItem(window, IDC_CREATE_LOCATION));
                               }),
                          Press(creator.dialog, IDCANCEL)}));
        ASSERT_EQ(c.count, items.size());
        EXPECT_EQ(c.first, items.front());
        EXPECT_EQ(c.final, items.back());
        EXPECT_EQ(creator.folder.Path(), location);
        EXPECT_TRUE(FoldersIn(creator.folder.Path()).empty());
    }
}

TEST(FolderCreator, CreatesTheRunAndCountsOnlyWhatItMade)
{
    Creator creator;
    std::vector<std::string> seen;
    EXPECT_EQ(1, creator.Run(Then(creator.Fill("Disk", "1", "12"),
                                  {Press(creator.dialog, IDOK), Answer("Quillet", IDOK, &seen)})));
    EXPECT_EQ(Disks(1, 12), FoldersIn(creator.folder.Path()));
    // The second run finds them all there.
    EXPECT_EQ(1, creator.Run(Then(creator.Fill("Disk", "1", "12"),
                                  {Press(creator.dialog, IDOK), Answer("Quillet", IDOK, &seen)})));
    EXPECT_EQ((std::vector<std::string>{"Quillet|12 folders created.", "Quillet|0 folders created."}), seen);
    EXPECT_EQ(Disks(1, 12), FoldersIn(creator.folder.Path()));
}

TEST(FolderCreator, ALastNumberBelowTheStartMakesNone)
{
    Creator creator;
    std::vector<std::string> seen;
    EXPECT_EQ(1, creator.Run(Then(creator.Fill("Disk", "12", "1"),
                                  {Press(creator.dialog, IDOK), Answer("Quillet", IDOK, &seen),
                                   Answer("Quillet", IDOK, &seen)})));
    EXPECT_EQ((std::vector<std::string>{"Quillet|Highest number must be greater.", "Quillet|0 folders created."}),
              seen);
    EXPECT_TRUE(creator.files.foldersCreated.empty());
}

TEST(FolderCreator, WhatIsRefusedLeavesTheDialogOpenAndTheDiskAsItWas)
{
    struct Case {
        const char* what;
        std::string name, start, last;
        std::string message; // empty: only the focus moves
        int focused;
    };
    const Case cases[] = {
        {"a path", "..\\x", "1", "3", "The character \\ cannot stand in a file name.\nPlease change the text.",
         IDC_CREATE_NAME},
        {"a slash", "a/b", "1", "3", "The character / cannot stand in a file name.\nPlease change the text.",
         IDC_CREATE_NAME},
        {"a drive", "C:x", "1", "3", "The character : cannot stand in a file name.\nPlease change the text.",
         IDC_CREATE_NAME},
        {"a wildcard", "Disk*", "1", "3", "The character * cannot stand in a file name.\nPlease change the text.",
         IDC_CREATE_NAME},
        {"a tab", "Di\tsk", "1", "3", "A file name cannot hold control characters such as tabs.\nPlease change the text.",
         IDC_CREATE_NAME},
        {"no start", "Disk", "", "3", "", IDC_CREATE_START},
        {"no last", "Disk", "1", "", "", IDC_CREATE_LAST},
        {"a start too large", "Disk", "2147483648", "3", "The index numbers cannot be greater than 2147483647.",
         IDC_CREATE_START},
        {"a last too large", "Disk", "1", "99999999999", "The index numbers cannot be greater than 2147483647.",
         IDC_CREATE_LAST},
        {"a sign", "Disk", "-5", "3", "Please enter the index numbers with the digits 0 to 9 only.",
         IDC_CREATE_START},
    };
    for (const Case& c : cases) {
        for (const int button : {IDC_CREATE_TEST, IDOK}) {
            SCOPED_TRACE(std::string(c.what) + (button == IDOK ? " on create" : " on test"));
            Creator creator;
            std::vector<std::string> seen;
            bool open = false;
            HWND focus = nullptr, expected = nullptr;
            std::vector<Step> steps = Then(creator.Fill(c.name, c.start, c.last), {Press(creator.dialog, button)});
            if (!c.message.empty())
                steps.push_back(Answer("Quillet", IDOK, &seen));
            steps.push_back(When(creator.dialog, [&](HWND window) {
                focus = GetFocus();
                expected = GetDlgItem(window, c.focused);
                open = IsWindowVisible(window) != FALSE;
                const int items = static_cast<int>(SendDlgItemMessageA(window, IDC_CREATE_LIST, LB_GETCOUNT, 0, 0));
                EXPECT_EQ(0, items);
            }));
            steps.push_back(Press(creator.dialog, IDCANCEL));
            EXPECT_EQ(0, creator.Run(steps));
            EXPECT_TRUE(open);
            EXPECT_EQ(expected, focus);
            EXPECT_EQ(c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{"Quillet|" + c.message},
                      seen);
            EXPECT_TRUE(creator.files.foldersCreated.empty());
            EXPECT_TRUE(FoldersIn(creator.folder.Path()).empty());
        }
    }
}

TEST(FolderCreator, ALargeRunWaitsForTheUsersWord)
{
    Creator creator;
    std::vector<std::string> seen;
    bool open = false;
    EXPECT_EQ(0, creator.Run(Then(creator.Fill("Disk", "1", "20001"),
                                  {Press(creator.dialog, IDOK), Answer("Quillet", IDNO, &seen),
                                   Press(creator.dialog, IDC_CREATE_TEST), Answer("Quillet", IDNO, &seen),
                                   NoteOpen(creator.dialog, &open), Press(creator.dialog, IDCANCEL)})));
    EXPECT_EQ((std::vector<std::string>{"Quillet|Create 20001 folders?", "Quillet|List 20001 folder names?"}), seen);
    EXPECT_TRUE(open);
    EXPECT_TRUE(creator.files.foldersCreated.empty());
    // Ten thousand go without a question; the folders are all there already.
    seen.clear();
    creator.files.createFolderRule = [](const std::string&) { return kErrorAlreadyExists; };
    EXPECT_EQ(1, creator.Run(Then(creator.Fill("", "1", "10000"),
                                  {Press(creator.dialog, IDOK), Answer("Quillet", IDOK, &seen)})));
    EXPECT_EQ((std::vector<std::string>{"Quillet|0 folders created."}), seen);
    EXPECT_EQ(10000u, creator.files.foldersCreated.size());
    EXPECT_EQ(creator.folder.Path() + "00001", creator.files.foldersCreated.front());
    EXPECT_EQ(creator.folder.Path() + "10000", creator.files.foldersCreated.back());
}

// A long run, made or listed, shows its progress and stops at Cancel or
// Escape after the name in hand; the dialog stays open for another try.
TEST(FolderCreator, ALongRunStopsAtCancelOrEscape)
{
    struct Case { bool create; bool escape; int last; }; // a listing needs more names to last
    for (const Case c : {Case{true, false, 20001}, Case{true, true, 20001}, Case{false, false, 200001},
                         Case{false, true, 200001}}) {
        SCOPED_TRACE(std::string(c.create ? "create" : "test") + (c.escape ? " escape" : " cancel"));
        Creator creator;
        std::vector<std::string> seen, items;
        LRESULT progress = 0;
        bool open = false;
        // Runs while the run lets the windows answer, once its bar moved.
        const Step stop = [&] {
            HWND working = FindWindowA("WKWND", nullptr);
            progress = SendMessageA(FindWindowExA(working, nullptr, PROGRESS_CLASSA, nullptr), PBM_GETPOS, 0, 0);
            if (working && progress == 0)
                return false;
            if (working) // the key, or a click on the button
                PostMessageA(GetDlgItem(working, IDCANCEL), c.escape ? WM_KEYDOWN : BM_CLICK, VK_ESCAPE, 0);
            return true;
        };
        std::vector<Step> steps = Then(creator.Fill("Disk", "1", std::to_string(c.last)),
                                       {Press(creator.dialog, c.create ? IDOK : IDC_CREATE_TEST),
                                        Answer("Quillet", IDYES, &seen), stop, Answer("Quillet", IDOK, &seen)});
        if (!c.create)
            steps.pop_back();
        steps.push_back(When(creator.dialog, [&](HWND window) {
            items = ListItems(GetDlgItem(window, IDC_CREATE_LIST));
            open = IsWindowEnabled(window) != FALSE;
        }));
        steps.push_back(Press(creator.dialog, IDCANCEL));
        EXPECT_EQ(0, creator.Run(steps));
        const size_t done = c.create ? creator.files.foldersCreated.size() : items.size();
        ASSERT_GT(done, 0u);
        EXPECT_LT(done, static_cast<size_t>(c.last));
        EXPECT_GT(progress, 0);
        EXPECT_TRUE(open);
        EXPECT_EQ(c.create ? done : 0u, FoldersIn(creator.folder.Path()).size());
        if (c.create)
            EXPECT_EQ("Quillet|Stopped: " + std::to_string(done) + " folders created.", seen.back());
        else
            EXPECT_EQ(RunFolderName("Disk", static_cast<int32_t>(done), c.last), items.back());
    }
}

TEST(FolderCreator, NeedsALocationAndBrowsesForOne)
{
    Creator creator;
    creator.current.clear();
    std::vector<std::string> seen;
    std::string shown;
    EXPECT_EQ(1, creator.Run(Then(creator.Fill("CD_", "1", "2"),
                                  {Press(creator.dialog, IDOK), Answer("Quillet", IDOK, &seen),
                                   Press(creator.dialog, IDC_CREATE_BROWSE),
                                   When(creator.dialog,
                                        [&](HWND window) { shown = TextOf(GetDlgItem(window, IDC_CREATE_LOCATION)); }),
                                   Press(creator.dialog, IDOK), Answer("Quillet", IDOK, &seen)})));
    EXPECT_EQ((std::vector<std::string>{"Quillet|Select a location using the Browse button",
                                        "Quillet|2 folders created."}),
              seen);
    EXPECT_EQ(1, creator.browsed);
    EXPECT_EQ(creator.elsewhere.Path(), shown);
    EXPECT_EQ((std::set<std::string>{"CD_1", "CD_2"}), FoldersIn(creator.elsewhere.Path()));
}

namespace {

const char kHelpStart[] = "         *** Floppy saver ***\r\n\r\nPurpose:\r\n\r\nThis feature";
const char kHelpEnd[] = "store  the next floppy.\r\n\r\nUsage:\r\n\r\nPick a destination folder";

struct Saver {
    TempFolder destination;
    FaultyFileOps files;
    RecordingShell shell;
    FloppySaverDialog dialog{files, shell};

    INT_PTR Run(std::vector<Step> steps)
    {
        return RunScripted([this](HWND owner) { return dialog.Run(owner); }, std::move(steps));
    }
};

// How many pixels of the colour the window's client area shows above and
// below `split`.
std::pair<int, int> ColourAboveAndBelow(HWND window, COLORREF colour, int split)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    std::pair<int, int> counts{0, 0};
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (GetPixel(dc, x, y) == colour)
                ++(y < split ? counts.first : counts.second);
    ReleaseDC(window, dc);
    return counts;
}

} // namespace

TEST(FloppySaverDialog, OpensWithTheFolderAfterTheHighestThere)
{
    struct Case { const char* name; std::vector<std::string> folders; std::vector<std::string> files; const char* shown; };
    const Case cases[] = {
        {"Floppy", {}, {}, "Floppy001"},
        {"Floppy003", {"Floppy001", "Floppy002", "Floppy003", "Floppy004", "Floppy005", "Floppy006", "Floppy007"}, {},
         "Floppy008"},
        {"Floppy", {"Floppy"}, {}, "Floppy002"},
        {"Floppy", {"Floppy001"}, {"Floppy009"}, "Floppy002"},
        {"Backup25", {"Backup003", "Floppy010"}, {}, "Backup004"},
        {"Floppy", {"Floppy999"}, {}, "Floppy1000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Saver saver;
        for (const std::string& folder : c.folders)
            saver.destination.CreateSubfolder(folder);
        for (const std::string& file : c.files)
            saver.destination.Create(file);
        // As a hand-written settings file may give it: without its backslash.
        saver.dialog.SetDestination(saver.destination.Path().substr(0, saver.destination.Path().size() - 1));
        saver.dialog.SetFolderName(c.name);
        std::string help, destination, name;
        EXPECT_EQ(0, saver.Run({When(saver.dialog,
                                     [&](HWND window) {
                                         help = TextOf(GetDlgItem(window, IDC_FLOPPY_HELP));
                                         destination = TextOf(GetDlgItem(window, IDC_FLOPPY_DESTINATION));
                                         name = TextOf(GetDlgItem(window, IDC_FLOPPY_FOLDER));
                                     }),
                                Press(saver.dialog, IDCANCEL)}));
        EXPECT_EQ(0u, help.find(kHelpStart));
        EXPECT_NE(std::string::npos, help.find(kHelpEnd));
        EXPECT_EQ(saver.destination.Path(), destination);
        EXPECT_EQ(c.shown, name);
    }
}

TEST(FloppySaverDialog, StartNeedsADestinationAndAFolderName)
{
    Saver saver;
    std::vector<std::string> seen;
    bool open = false;
    EXPECT_EQ(0, saver.Run({Press(saver.dialog, IDOK), Answer("Quillet", IDOK, &seen), NoteOpen(saver.dialog, &open),
                            Press(saver.dialog, IDCANCEL)}));
    EXPECT_TRUE(open);
    saver.dialog.SetDestination(saver.destination.Path());
    EXPECT_EQ(0, saver.Run({Type(saver.dialog, IDC_FLOPPY_FOLDER, "..\\Floppy"), Press(saver.dialog, IDOK),
                            Answer("Quillet", IDOK, &seen), Press(saver.dialog, IDCANCEL)}));
    EXPECT_EQ((std::vector<std::string>{"Quillet|You must choose a folder first.",
                                        "Quillet|The character \\ cannot stand in a file name.\nPlease change the text."}),
              seen);
    // A number typed with the name is where the run starts.
    EXPECT_EQ(1, saver.Run({Type(saver.dialog, IDC_FLOPPY_FOLDER, "Backup25"), Press(saver.dialog, IDOK)}));
    EXPECT_EQ(25, saver.dialog.Index());
    EXPECT_EQ("Backup25", saver.dialog.FolderName());
    EXPECT_EQ(saver.destination.Path(), saver.dialog.Destination());
}

TEST(FloppySaverDialog, BrowsingChoosesTheDestinationAndLooksForTheNextFolder)
{
    Saver saver;
    TempFolder chosen;
    chosen.CreateSubfolder("Backup001");
    saver.shell.chosen = chosen.Path().substr(0, chosen.Path().size() - 1);
    std::string shown, name;
    bool startFocused = false;
    EXPECT_EQ(1, saver.Run({Type(saver.dialog, IDC_FLOPPY_FOLDER, "Backup"), Press(saver.dialog, IDC_FLOPPY_BROWSE),
                            When(saver.dialog,
                                 [&](HWND window) {
                                     shown = TextOf(GetDlgItem(window, IDC_FLOPPY_DESTINATION));
                                     name = TextOf(GetDlgItem(window, IDC_FLOPPY_FOLDER));
                                     startFocused = GetFocus() == GetDlgItem(window, IDOK);
                                 }),
                            Press(saver.dialog, IDOK)}));
    EXPECT_EQ("Choose a destination folder", saver.shell.lastTitle);
    EXPECT_EQ(chosen.Path(), shown);
    EXPECT_EQ("Backup002", name);
    EXPECT_TRUE(startFocused);
    EXPECT_EQ(chosen.Path(), saver.dialog.Destination());
    EXPECT_EQ(2, saver.dialog.Index());
}

TEST(NextFloppyDialog, PaintsThePromptAndKeepsTheDrive)
{
    NextFloppyDialog dialog;
    std::pair<int, int> darkRed{0, 0};
    bool aChecked = false, bChecked = true;
    EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialog.Run(owner, 3); },
                             {[&] {
                                  HWND window = dialog.GetHandle();
                                  if (!window || !IsWindowVisible(window))
                                      return false;
                                  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                                  return true;
                              },
                              When(dialog,
                                   [&](HWND window) {
                                       RECT client;
                                       GetClientRect(window, &client);
                                       darkRed = ColourAboveAndBelow(window, RGB(128, 0, 0), client.bottom - 56);
                                       aChecked = IsDlgButtonChecked(window, IDC_DRIVE_A) == BST_CHECKED;
                                       bChecked = IsDlgButtonChecked(window, IDC_DRIVE_B) == BST_CHECKED;
                                       SendDlgItemMessageA(window, IDC_DRIVE_B, BM_CLICK, 0, 0);
                                   }),
                              Press(dialog, IDOK)}));
    EXPECT_EQ("Insert disk 3.", dialog.Prompt());
    EXPECT_GT(darkRed.first, 20) << "the prompt is painted in dark red";
    EXPECT_EQ(0, darkRed.second) << "nothing is painted over the buttons";
    EXPECT_TRUE(aChecked);
    EXPECT_FALSE(bChecked);
    EXPECT_EQ("B:\\*.*", dialog.SourcePattern());
    // The next disk comes from the same drive; Done keeps it.
    EXPECT_EQ(0, RunScripted([&](HWND owner) { return dialog.Run(owner, 4); },
                             {When(dialog,
                                   [&](HWND window) {
                                       aChecked = IsDlgButtonChecked(window, IDC_DRIVE_A) == BST_CHECKED;
                                       bChecked = IsDlgButtonChecked(window, IDC_DRIVE_B) == BST_CHECKED;
                                   }),
                              Press(dialog, IDCANCEL)}));
    EXPECT_FALSE(aChecked);
    EXPECT_TRUE(bChecked);
    EXPECT_EQ('B', dialog.DriveLetter());
}

namespace {

// The program with the drives of tests/e2e/floppy_drives.sh: disks are put in
// by filling the folders behind a: and b:.
class FloppyProgram {
public:
    FloppyProgram()
    {
        const char* scratch = std::getenv("QUILLET_FLOPPY_SCRATCH");
        drives = scratch ? std::string(scratch) + "\\" : std::string();
        app = std::make_unique<Application>(files, shell);
        started = app->Start(settings.Path() + "Quillet.ini", nullptr, SW_SHOW);
        app->tools.floppy.saverDialog.SetDestination(destination.Path());
    }

    ~FloppyProgram()
    {
        if (IsWindow(Main()))
            DestroyWindow(Main());
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        if (!drives.empty())
            for (const char* drive : {"a", "b"})
                Insert(drive, {});
    }

    HWND Main() const { return app->mainWindow.GetHandle(); }

    // Puts a disk holding these paths (folders end in a backslash) into the
    // drive: the folder behind the drive's link is made to hold just them.
    void Insert(const char* drive, const std::vector<std::string>& paths) const
    {
        const std::string root = drives + drive + "\\";
        RemoveTree(root);
        CreateDirectoryA(root.c_str(), nullptr);
        BuildTree(root, paths);
    }

    std::string Pane(int pane) const
    {
        char text[128] = "";
        SendMessageA(app->status.GetHandle(), SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int row = 0; row < app->list.RowCount(); ++row)
            rows.push_back(app->list.RowEntry(row).name);
        return rows;
    }

    void Run(std::vector<Step> steps) const
    {
        RunSteps(std::move(steps));
        SendMessageA(Main(), WM_COMMAND, ID_FLOPPY_SAVER, 0);
        EXPECT_TRUE(StepsDone()) << "the floppy saver ended before its script";
    }

    std::string drives;
    TempFolder settings;
    TempFolder destination;
    FaultyFileOps files;
    RecordingShell shell;
    std::unique_ptr<Application> app;
    bool started = false;
};

bool Checked(const Dialog& dialog, int id)
{
    return IsDlgButtonChecked(dialog.GetHandle(), id) == BST_CHECKED;
}

} // namespace

TEST(FloppySaver, TwoDisksFromTwoDrivesGoIntoNumberedFolders)
{
    FloppyProgram program;
    ASSERT_FALSE(program.drives.empty()) << "run through tests/e2e/floppy_drives.sh";
    program.Insert("a", {"one.txt", "docs\\", "docs\\two.txt", "docs\\old\\", "docs\\old\\three.txt"});
    program.Insert("b", {"four.txt", "five.txt"});
    FloppySaver& floppy = program.app->tools.floppy;
    std::vector<std::string> rowsAfterFirst;
    std::string statusAfterFirst, prompt;
    bool aFirst = false, bThird = false;
    program.Run({Press(floppy.saverDialog, IDOK),
                 When(floppy.nextDialog, [&](HWND) { aFirst = Checked(floppy.nextDialog, IDC_DRIVE_A); }),
                 Press(floppy.nextDialog, IDOK),
                 When(floppy.nextDialog,
                      [&](HWND window) {
                          rowsAfterFirst = program.Rows();
                          statusAfterFirst = program.Pane(0);
                          SendDlgItemMessageA(window, IDC_DRIVE_B, BM_CLICK, 0, 0);
                      }),
                 Press(floppy.nextDialog, IDOK),
                 When(floppy.nextDialog,
                      [&](HWND) {
                          bThird = Checked(floppy.nextDialog, IDC_DRIVE_B);
                          prompt = floppy.nextDialog.Prompt();
                      }),
                 Press(floppy.nextDialog, IDCANCEL)});
    EXPECT_TRUE(aFirst);
    EXPECT_TRUE(bThird) << "drive B stays chosen for the next disk";
    EXPECT_EQ("Insert disk 3.", prompt);
    EXPECT_EQ((std::vector<std::string>{"3 files copied to Floppy001"}), rowsAfterFirst);
    EXPECT_EQ("", statusAfterFirst);
    EXPECT_EQ((std::vector<std::string>{"3 files copied to Floppy001", "2 files copied to Floppy002"}), program.Rows());
    EXPECT_EQ("Done", program.Pane(0));
    EXPECT_EQ((std::set<std::string>{"Floppy001", "Floppy002"}), FoldersIn(program.destination.Path()));
    EXPECT_EQ((std::set<std::string>{"docs"}), FoldersIn(program.destination.Path() + "Floppy001\\"));
    EXPECT_EQ("docs\\old\\three.txt", FileContent(program.destination.Path() + "Floppy001\\docs\\old\\three.txt"));
    EXPECT_EQ("five.txt", FileContent(program.destination.Path() + "Floppy002\\five.txt"));
    EXPECT_EQ(3, floppy.saverDialog.Index());
    EXPECT_EQ("Floppy002", floppy.saverDialog.FolderName());
    EXPECT_TRUE(IsWindowEnabled(program.Main()));
}

TEST(FloppySaver, TheMainWindowWaitsWhileADiskIsCopied)
{
    struct Case { int answer; const char* status; std::vector<std::string> rows; };
    const Case cases[] = {
        {IDOK, "Done", {"1 files copied to Floppy001"}},
        {IDCANCEL, "Abort", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        FloppyProgram program;
        ASSERT_FALSE(program.drives.empty()) << "run through tests/e2e/floppy_drives.sh";
        program.Insert("a", {"busy.txt", "free.txt"});
        // Each file's copy notes what the user could reach at that moment.
        std::vector<bool> mainEnabled;
        bool working = true;
        HWND main = program.Main();
        program.files.copyRule = [&](const std::string& from, const std::string&) {
            mainEnabled.push_back(IsWindowEnabled(main) != FALSE);
            working = working && FindWindowA("WKWND", nullptr) != nullptr;
            return BaseName(from) == "busy.txt" ? kErrorSharingViolation : 0u;
        };
        FloppySaver& floppy = program.app->tools.floppy;
        std::vector<std::string> seen;
        std::vector<Step> steps{Press(floppy.saverDialog, IDOK),
                                When(floppy.nextDialog,
                                     [](HWND window) { SendDlgItemMessageA(window, IDC_DRIVE_A, BM_CLICK, 0, 0); }),
                                Press(floppy.nextDialog, IDOK), Answer("busy.txt", c.answer, &seen)};
        if (c.answer == IDOK)
            steps.push_back(Press(floppy.nextDialog, IDCANCEL));
        program.Run(steps);
        EXPECT_EQ((std::vector<std::string>{"busy.txt|Can't copy - error #32"}), seen);
        EXPECT_EQ(std::vector<bool>(c.answer == IDOK ? 2 : 1, false), mainEnabled)
            << "no other command runs in the middle of a copy";
        EXPECT_TRUE(working);
        EXPECT_TRUE(IsWindowEnabled(program.Main())) << "enabled again however the copy ends";
        EXPECT_EQ(nullptr, FindWindowA("WKWND", nullptr));
        EXPECT_EQ(c.status, program.Pane(0));
        EXPECT_EQ(c.rows, program.Rows());
    }
}

// Cancel in the working window stops the copy after the file in hand, as a
// Cancel in a copy prompt does.
TEST(FloppySaver, CancelInTheWorkingWindowStopsTheCopy)
{
    FloppyProgram program;
    ASSERT_FALSE(program.drives.empty()) << "run through tests/e2e/floppy_drives.sh";
    program.Insert("a", {"first.txt", "second.txt", "third.txt"});
    program.files.copyRule = [](const std::string&, const std::string&) {
        SendDlgItemMessageA(FindWindowA("WKWND", nullptr), IDCANCEL, BM_CLICK, 0, 0);
        return 0u;
    };
    FloppySaver& floppy = program.app->tools.floppy;
    program.Run({Press(floppy.saverDialog, IDOK),
                 When(floppy.nextDialog, [](HWND window) { SendDlgItemMessageA(window, IDC_DRIVE_A, BM_CLICK, 0, 0); }),
                 Press(floppy.nextDialog, IDOK)});
    EXPECT_EQ((std::map<std::string, std::string>{{"first.txt", "first.txt"}}),
              TreeOf(program.destination.Path() + "Floppy001\\"));
    EXPECT_EQ("Abort", program.Pane(0));
    EXPECT_TRUE(IsWindowEnabled(program.Main()));
}

// No disk in the drive is no empty disk: the same disk is asked for again.
TEST(FloppySaver, ADriveWithoutADiskIsAskedForAgain)
{
    for (const int again : {IDOK, IDCANCEL}) {
        FloppyProgram program;
        ASSERT_FALSE(program.drives.empty()) << "run through tests/e2e/floppy_drives.sh";
        program.Insert("a", {"disk.txt"});
        int empty = 1;
        program.files.listRule = [&](const std::string& path) {
            return path == "A:\\*.*" && empty-- > 0 ? kErrorNotReady : 0u;
        };
        FloppySaver& floppy = program.app->tools.floppy;
        std::vector<std::string> seen;
        std::string prompt;
        std::vector<Step> steps{Press(floppy.saverDialog, IDOK), Press(floppy.nextDialog, IDOK),
                                Answer("Copy error", IDOK, &seen),
                                When(floppy.nextDialog, [&](HWND) { prompt = floppy.nextDialog.Prompt(); }),
                                Press(floppy.nextDialog, again)};
        if (again == IDOK)
            steps.push_back(Press(floppy.nextDialog, IDCANCEL));
        program.Run(steps);
        EXPECT_EQ((std::vector<std::string>{"Copy error|Can't read A:\\ - no disk in the drive (error #21)"}), seen);
        EXPECT_EQ("Insert disk 1.", prompt);
        EXPECT_EQ(again == IDOK ? std::vector<std::string>{"1 files copied to Floppy001"} : std::vector<std::string>{},
                  program.Rows());
        EXPECT_EQ("Done", program.Pane(0));
    }
}

TEST(FloppySaver, AFolderThereAlreadyIsUsedOnlyOnYes)
{
    struct Case { int answer; std::set<std::string> inFolder; const char* status; };
    const Case cases[] = {
        {IDNO, {"mine.txt"}, "Done"},
        {IDYES, {"mine.txt", "disk.txt"}, "Done"},
    };
    for (const Case& c : cases) {
        FloppyProgram program;
        ASSERT_FALSE(program.drives.empty()) << "run through tests/e2e/floppy_drives.sh";
        program.Insert("a", {"disk.txt"});
        program.destination.CreateSubfolder("Floppy001");
        program.destination.Create("Floppy001\\mine.txt");
        FloppySaver& floppy = program.app->tools.floppy;
        std::vector<std::string> seen;
        std::vector<Step> steps{Type(floppy.saverDialog, IDC_FLOPPY_FOLDER, "Floppy1"), Press(floppy.saverDialog, IDOK),
                                When(floppy.nextDialog,
                                     [](HWND window) { SendDlgItemMessageA(window, IDC_DRIVE_A, BM_CLICK, 0, 0); }),
                                Press(floppy.nextDialog, IDOK), Answer("Floppy001", c.answer, &seen)};
        if (c.answer == IDYES)
            steps.push_back(Press(floppy.nextDialog, IDCANCEL));
        program.Run(steps);
        EXPECT_EQ((std::vector<std::string>{
                      "Floppy001|This folder already exists. Are you sure you want to put the files is this folder?"}),
                  seen);
        EXPECT_EQ(c.inFolder, NamesIn(program.destination.Path() + "Floppy001\\", false));
        EXPECT_EQ(c.status, program.Pane(0));
    }
}

TEST(FolderCreator, TheMenuCommandWorksInTheProgramsCurrentFolder)
{
    TempFolder first;
    TempFolder second;
    second.Create("photo.jpg");
    FaultyFileOps files;
    RecordingShell shell;
    TempFolder settings;
    Application app(files, shell);
    ASSERT_TRUE(app.Start(settings.Path() + "Quillet.ini", first.Path().c_str(), SW_SHOW));
    shell.chosen = second.Path().substr(0, second.Path().size() - 1);
    FolderCreatorDialog& creator = app.tools.creator;
    std::string before, after;
    HWND owner = nullptr;
    std::vector<std::string> seen;
    RunSteps({When(creator,
                   [&](HWND window) {
                       before = TextOf(GetDlgItem(window, IDC_CREATE_LOCATION));
                       owner = GetWindow(window, GW_OWNER);
                   }),
              Press(creator, IDC_CREATE_BROWSE),
              When(creator, [&](HWND window) { after = TextOf(GetDlgItem(window, IDC_CREATE_LOCATION)); }),
              Type(creator, IDC_CREATE_NAME, "Disk"), Type(creator, IDC_CREATE_START, "1"),
              Type(creator, IDC_CREATE_LAST, "2"), Press(creator, IDOK), Answer("Quillet", IDOK, &seen)});
    SendMessageA(app.mainWindow.GetHandle(), WM_COMMAND, ID_CREATE_FOLDERS, 0);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(first.Path(), before);
    EXPECT_EQ(app.mainWindow.GetHandle(), owner);
    EXPECT_EQ("Choose folder where changes are to be made:", shell.lastTitle);
    EXPECT_EQ(second.Path(), after);
    EXPECT_EQ(second.Path(), app.mainWindow.Folder());
    ASSERT_EQ(1, app.list.RowCount()) << "the browse opened the chosen folder";
    EXPECT_EQ("photo.jpg", app.list.RowEntry(0).name);
    EXPECT_EQ((std::set<std::string>{"Disk1", "Disk2"}), FoldersIn(second.Path()));
    DestroyWindow(app.mainWindow.GetHandle());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST(CopyPrompts, AQuitWaitingEndsTheCopyAndStaysQueued)
{
    TempFolder scratch;
    BuildTree(scratch.Path(), {"disk\\", "disk\\a.txt", "disk\\b.txt"});
    OwnerWindow owner(100, 80, 640, 480);
    CopyCounters counters;
    int result = -1;
    {
        OwnerCopyHost host(owner.Handle(), owner.Handle());
        PostQuitMessage(7);
        result = CopyFolderTree(counters, host, SystemFileOps(), scratch.Path() + "disk\\*.*",
                                scratch.Path() + "copy\\", true);
        EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    }
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, counters.filesCopied);
    EXPECT_EQ(1, counters.foldersCreated);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the main loop";
    EXPECT_EQ(7u, msg.wParam);
}
