// The main window as the user meets it: real windows in the test process,
// driven with messages, on real scratch folders.
#include "app/application.h"
#include "app/settings_store.h"
#include "engine/journal_store.h"
#include "gui/gui_support.h"
#include "resources/resource.h"
#include "test_support.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A running program on a scratch folder, its settings kept in the folder too.
class Program {
public:
    // `prepare` may put files beside the settings file before the start.
    explicit Program(const char* folderArgument = nullptr,
                     const std::function<void(const TempFolder&)>& prepare = nullptr)
    {
        if (prepare)
            prepare(settings);
        app = std::make_unique<Application>(SystemFileOps(), shell);
        started = app->Start(settings.Path() + "Quillet.ini", folderArgument, SW_SHOW);
    }

    ~Program()
    {
        if (IsWindow(Main()))
            DestroyWindow(Main());
        // The window posts WM_QUIT as it goes; the next test must not meet it.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND Main() const { return app->mainWindow.GetHandle(); }
    void Command(int id) const { SendMessageA(Main(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

    UINT ItemState(int id) const
    {
        return GetMenuState(GetMenu(Main()), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
    }

    std::string Pane(int pane) const
    {
        char text[128] = "";
        SendMessageA(app->status.GetHandle(), SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text));
        return text;
    }

    void Select(int row) const
    {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageA(app->list.GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&state));
    }

    TempFolder settings;
    RecordingShell shell;
    std::unique_ptr<Application> app;
    bool started = false;
};

// The system message box of the program that is open now, or null.
HWND SystemBox()
{
    return FindWindowA("#32770", "Quillet");
}

// Answers the next system message box with this button, from inside its loop.
void AnswerSystemBox(int button, bool* seen)
{
    RunSteps({[button, seen] {
        HWND box = SystemBox();
        if (!box)
            return false;
        *seen = true;
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return true;
    }});
}

// Says Yes to the program's own confirmation box, from inside its loop.
void ConfirmWithYes()
{
    RunSteps({[] {
        HWND box = OpenBox();
        if (!box)
            return false;
        // The box's buttons take its keys.
        PostMessageA(GetWindow(box, GW_CHILD), WM_KEYDOWN, 'Y', 1);
        return true;
    }});
}

} // namespace

TEST(MainWindow, StartsWithInstructionsAndGrayedActions)
{
    Program program;
    ASSERT_TRUE(program.started);
    EXPECT_EQ(8, program.app->list.RowCount());
    EXPECT_EQ("1. Use Browse button to select a folder or drag a folder here.", program.app->list.RowEntry(1).name);
    for (int id = ID_UPPERCASE; id <= ID_CHANGE_DATES; ++id)
        EXPECT_NE(0u, program.ItemState(id)) << id;
    EXPECT_NE(0u, program.ItemState(ID_MAKE_CHANGES));
    char title[64];
    GetWindowTextA(program.Main(), title, sizeof title);
    EXPECT_STREQ("Quillet", title);
}

// The rows show the set's own texts, read by the list as it paints.
TEST(MainWindow, TheListShowsNamesAndProposalsWhole)
{
    TempFolder folder;
    folder.Create("a photo from the holiday.jpg");
    Program program(folder.Path().c_str());
    program.Command(ID_UPPERCASE);
    const auto shown = [&](int column) {
        char text[MAX_PATH] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageA(program.app->list.GetHandle(), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
        return std::string(text);
    };
    EXPECT_EQ("a photo from the holiday.jpg", shown(0));
    EXPECT_EQ("A PHOTO FROM THE HOLIDAY.JPG", shown(1));
}

TEST(MainWindow, MenuStateFollowsScansAndTransforms)
{
    TempFolder folder;
    folder.Create("b.txt");
    folder.Create("a.txt");
    Program program(folder.Path().c_str());
    EXPECT_EQ(2, program.app->list.RowCount());
    EXPECT_EQ("a.txt", program.app->list.RowEntry(0).name);
    EXPECT_EQ("2 files", program.Pane(2));
    for (int id = ID_UPPERCASE; id <= ID_CHANGE_DATES; ++id)
        EXPECT_EQ(0u, program.ItemState(id)) << id;
    EXPECT_NE(0u, program.ItemState(ID_MAKE_CHANGES));

    program.Command(ID_UPPERCASE);
    EXPECT_EQ("A.TXT", program.app->list.RowEntry(0).newName);
    EXPECT_EQ("Make upper", program.Pane(1));
    EXPECT_EQ(0u, program.ItemState(ID_MAKE_CHANGES));
    EXPECT_TRUE(program.app->mainWindow.Pending());
    EXPECT_EQ(ID_UPPERCASE, program.app->mainWindow.CurrentAction());

    // A folder with nothing in it leaves the actions as they were.
    TempFolder empty;
    program.app->mainWindow.OpenByPath(empty.Path().c_str());
    EXPECT_EQ("0 files", program.Pane(2));
    EXPECT_EQ(0u, program.ItemState(ID_UPPERCASE));
    EXPECT_EQ(0, program.app->list.RowCount());
}

TEST(MainWindow, ChangesAreMadeAfterTheConfirmation)
{
    TempFolder folder;
    folder.Create("abc.txt");
    Program program(folder.Path().c_str());
    program.Command(ID_LOWERCASE);
    program.Command(ID_UPPERCASE);
    ConfirmWithYes();
    program.Command(ID_MAKE_CHANGES);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ((std::set<std::string>{"ABC.TXT"}), folder.Names());
    EXPECT_FALSE(program.app->mainWindow.Pending());
    EXPECT_EQ("", program.Pane(1));
    EXPECT_NE(0u, program.ItemState(ID_MAKE_CHANGES));
    EXPECT_EQ("", program.app->list.RowEntry(0).newName);
}

TEST(MainWindow, OpeningByPath)
{
    TempFolder folder;
    folder.Create("photo.jpg");
    struct Case { std::string path; bool opens; };
    const Case cases[] = {
        {folder.Path(), true},
        {folder.Path().substr(0, folder.Path().size() - 1), true},
        {folder.Path() + "photo.jpg", true},
        {folder.Path() + "missing\\nothing.txt", false},
        {"Q:\\no such drive\\", false},
        {std::string(300, 'a'), false},
    };
    for (const Case& c : cases) {
        Program program;
        program.app->mainWindow.OpenByPath(c.path.c_str());
        EXPECT_EQ(c.opens ? folder.Path() : std::string(), program.app->mainWindow.Folder()) << c.path;
        EXPECT_EQ(c.opens, program.app->mainWindow.FilesAreLoaded()) << c.path;
    }
    // Past MAX_PATH in UTF-8 bytes, well within it in characters.
    std::string greek;
    for (int n = 0; n < 80; ++n)
        greek += u8"λ";
    BuildTree(folder.Path(), {greek + "\\", greek + "\\" + greek + "\\"});
    Program program;
    program.app->mainWindow.OpenByPath((folder.Path() + greek + "\\" + greek).c_str());
    EXPECT_EQ(folder.Path() + greek + "\\" + greek + "\\", program.app->mainWindow.Folder());
}

// A folder named relative to the current folder is held as a full path, so
// that a later change of the current folder (the folder browser makes one)
// cannot send the rename to another folder.
TEST(MainWindow, ARelativeFolderIsHeldAsAFullPath)
{
    TempFolder folder;
    folder.Create("a.txt");
    const std::string path = folder.Path();
    const size_t leaf = path.find_last_of('\\', path.size() - 2) + 1;
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(path.substr(0, leaf).c_str());
    Program program(path.substr(leaf, path.size() - leaf - 1).c_str());
    SetCurrentDirectoryA(before);
    EXPECT_EQ(path, program.app->mainWindow.Folder());
    program.Command(ID_UPPERCASE);
    ConfirmWithYes();
    program.Command(ID_MAKE_CHANGES);
    EXPECT_EQ((std::set<std::string>{"A.TXT"}), folder.Names());
}

// A stored placement that would hide the window is not used.
TEST(MainWindow, APlacementThatHidesTheWindowIsIgnored)
{
    struct Case { unsigned showCmd; PlacementRect rect; };
    const Case cases[] = {
        {0, {100, 50, 760, 542}},
        {7, {100, 50, 760, 542}},
        {1, {-3000, -3000, -2400, -2500}},
        {1, {5000, 100, 5600, 600}},
        {1, {300, 300, 300, 300}},
    };
    for (const Case& c : cases) {
        TempFolder settingsFolder;
        Settings stored = Settings();
        stored.showCmd = c.showCmd;
        stored.rcNormal = c.rect;
        stored.placementLoaded = true;
        ASSERT_EQ(0u, SaveSettings(SystemFileOps(), settingsFolder.Path() + "Quillet.ini", stored));
        RecordingShell shell;
        Application app(SystemFileOps(), shell);
        ASSERT_TRUE(app.Start(settingsFolder.Path() + "Quillet.ini", nullptr, SW_SHOWNORMAL));
        HWND main = app.mainWindow.GetHandle();
        RECT frame;
        GetWindowRect(main, &frame);
        EXPECT_TRUE(IsWindowVisible(main)) << c.showCmd;
        EXPECT_FALSE(IsIconic(main)) << c.showCmd;
        EXPECT_NE(nullptr, MonitorFromRect(&frame, MONITOR_DEFAULTTONULL)) << c.rect.left;
        DestroyWindow(main);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

TEST(MainWindow, TypingALetterFindsTheNextNameWithIt)
{
    TempFolder folder;
    for (const char* name : {"apple.txt", "banana.txt", "blue.txt", "cherry.txt"})
        folder.Create(name);
    Program program(folder.Path().c_str());
    struct Case { const char* typed; int start; int row; };
    const Case cases[] = {{"b", 0, 1}, {"B", 2, 2}, {"b", 3, 1}, {"bl", 0, 2}, {"z", 0, -1}, {"apple.txt!", 0, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.row, program.app->list.FindTypedRow(c.typed, c.start)) << c.typed << " from " << c.start;
    // The list view asks the list itself when a letter is typed.
    for (const Case& c : {Case{"c", 0, 3}, Case{"x", 0, -1}}) {
        LVFINDINFOA find{};
        find.flags = LVFI_STRING | LVFI_PARTIAL;
        find.psz = c.typed;
        EXPECT_EQ(c.row, SendMessageA(program.app->list.GetHandle(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(&find)))
            << c.typed;
    }
}

TEST(MainWindow, RemovingTwoSelectedRows)
{
    TempFolder folder;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        folder.Create(name);
    Program program(folder.Path().c_str());
    program.Select(0);
    program.Select(2);
    program.Command(ID_REMOVE_FROM_LIST);
    ASSERT_EQ(2, program.app->list.RowCount());
    EXPECT_EQ("b.txt", program.app->list.RowEntry(0).name);
    EXPECT_EQ("d.txt", program.app->list.RowEntry(1).name);
    EXPECT_EQ(4, program.app->set.Count());
    EXPECT_EQ("4 files", program.Pane(2));
    program.Command(ID_UPPERCASE);
    EXPECT_EQ("", program.app->set.Entry(0).newName) << "removed entries get no proposal";
}

TEST(MainWindow, PopUpMenuOnlyOverSelectedFiles)
{
    TempFolder folder;
    folder.Create("a.txt");
    struct Case { bool openFolder; bool select; bool shown; };
    const Case cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
    for (const Case& c : cases) {
        Program program(c.openFolder ? folder.Path().c_str() : nullptr);
        if (c.select)
            program.Select(0);
        bool shown = false;
        RunSteps({[&shown] {
            if (!FindWindowA("#32768", nullptr))
                return false;
            shown = true;
            EndMenu();
            return true;
        }});
        // A menu that opens runs its own loop, where the step closes it; one
        // that does not leaves the step unrun.
        SendMessageA(program.Main(), WM_CONTEXTMENU, 0, MAKELPARAM(100, 100));
        RunSteps({});
        EXPECT_EQ(c.shown, shown) << c.openFolder << c.select;
    }
}

TEST(MainWindow, ExitAsksOnlyWhilePending)
{
    TempFolder folder;
    folder.Create("a.txt");
    {
        Program program(folder.Path().c_str());
        bool asked = false;
        AnswerSystemBox(IDNO, &asked);
        SendMessageA(program.Main(), WM_CLOSE, 0, 0);
        RunSteps({});
        EXPECT_FALSE(asked);
        EXPECT_FALSE(IsWindow(program.Main()));
    }
    {
        Program program(folder.Path().c_str());
        program.Command(ID_UPPERCASE);
        bool asked = false;
        AnswerSystemBox(IDNO, &asked);
        program.Command(ID_EXIT);
        EXPECT_TRUE(asked);
        EXPECT_TRUE(IsWindow(program.Main())) << "No keeps the window";
        asked = false;
        AnswerSystemBox(IDYES, &asked);
        SendMessageA(program.Main(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(asked);
        EXPECT_FALSE(IsWindow(program.Main()));
    }
}

TEST(MainWindow, SettingsAreWrittenWhenTheWindowCloses)
{
    TempFolder folder;
    folder.Create("a.txt");
    Program program(folder.Path().c_str());
    SendMessageA(program.app->list.GetHandle(), LVM_SETCOLUMNWIDTH, 0, 150);
    SendMessageA(program.Main(), WM_CLOSE, 0, 0);
    const std::string text = program.settings.Read("Quillet.ini");
    EXPECT_NE(std::string::npos, text.find("Path=" + folder.Path() + "\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("FromCol=150\r\n")) << text;
}

// A hand-written file may leave the backslash out; older versions wrote it.
TEST(MainWindow, TheStoredFolderIsHeldWithItsBackslash)
{
    TempFolder folder;
    const std::string bare = folder.Path().substr(0, folder.Path().size() - 1);
    for (const std::string& stored : {folder.Path(), bare, bare + "/", std::string()}) {
        Program program(nullptr, [&](const TempFolder& s) { s.Create("Quillet.ini", "[Settings]\r\nPath=" + stored); });
        EXPECT_EQ(stored.empty() ? stored : folder.Path(), program.app->mainWindow.Folder()) << stored;
    }
}

TEST(MainWindow, BrowseOpensTheChosenFolder)
{
    TempFolder folder;
    folder.Create("x.txt");
    Program program;
    program.shell.chosen = folder.Path().substr(0, folder.Path().size() - 1);
    program.Command(ID_BROWSE);
    EXPECT_EQ("Choose folder where changes are to be made:", program.shell.lastTitle);
    EXPECT_EQ(folder.Path(), program.app->mainWindow.Folder());
    EXPECT_EQ(1, program.app->list.RowCount());

    program.shell.chosen.clear();
    program.Command(ID_BROWSE);
    EXPECT_EQ(folder.Path(), program.app->mainWindow.Folder()) << "cancel changes nothing";
}

namespace {

// Answers the "Enter date" dialog from inside its loop: 9:30:15 AM and OK,
// or Cancel.
void AnswerDateDialog(bool ok)
{
    RunSteps({[ok] {
        HWND dialog = FindWindowA("#32770", "Enter date");
        if (!dialog)
            return false;
        SendDlgItemMessageA(dialog, IDC_HOUR, CB_SETCURSEL, 8, 0);
        CheckRadioButton(dialog, IDC_AM, IDC_PM, IDC_AM);
        SetDlgItemTextA(dialog, IDC_MINUTE, "30");
        SetDlgItemTextA(dialog, IDC_SECOND, "15");
        PostMessageA(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        return true;
    }});
}

} // namespace

TEST(MainWindow, DatesAreProposedFromTheDialogAndMadeAfterTheConfirmation)
{
    TempFolder folder;
    for (const char* name : {"a.jpg", "b.jpg", "c.txt"})
        folder.Create(name);
    Program program(folder.Path().c_str());

    AnswerDateDialog(false);
    program.Command(ID_CHANGE_DATES);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ("", program.app->list.RowEntry(0).newName) << "Cancel proposes nothing";
    EXPECT_FALSE(program.app->mainWindow.Pending());

    AnswerDateDialog(true);
    program.Command(ID_CHANGE_DATES);
    EXPECT_TRUE(StepsDone());
    const std::string text = program.app->dateDialog.Text();
    EXPECT_NE(std::string::npos, text.find("  09:30:15 AM")) << text;
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(text, program.app->list.RowEntry(row).newName) << row;
    EXPECT_EQ("Chg dates", program.Pane(1));
    EXPECT_TRUE(program.app->mainWindow.Pending());
    EXPECT_EQ(ID_CHANGE_DATES, program.app->mainWindow.CurrentAction());
    EXPECT_EQ(0u, program.ItemState(ID_MAKE_CHANGES));

    ConfirmWithYes();
    program.Command(ID_MAKE_CHANGES);
    EXPECT_TRUE(StepsDone());
    const LocalDateTime chosen = program.app->dateDialog.Result();
    for (const char* name : {"a.jpg", "b.jpg", "c.txt"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder.Path() + name).c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, search) << name;
        FindClose(search);
        SYSTEMTIME universal, local;
        FileTimeToSystemTime(&found.ftLastWriteTime, &universal);
        SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
        EXPECT_EQ(chosen.year, local.wYear) << name;
        EXPECT_EQ(chosen.month, local.wMonth) << name;
        EXPECT_EQ(chosen.day, local.wDay) << name;
        EXPECT_EQ(9, local.wHour) << name;
        EXPECT_EQ(30, local.wMinute) << name;
        EXPECT_EQ(15, local.wSecond) << name;
    }
    EXPECT_FALSE(program.app->mainWindow.Pending());
    EXPECT_EQ("", program.app->list.RowEntry(0).newName);
}

namespace {

// True when every element of the text is closed in order and every "&"
// starts an entity: enough to tell a broken page from a well-formed one.
bool WellFormed(const std::string& text, std::string& problem)
{
    std::vector<std::string> open;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '&') {
            const size_t end = text.find(';', at);
            if (end == std::string::npos || end - at > 8) {
                problem = "bare & at " + std::to_string(at);
                return false;
            }
            continue;
        }
        if (text[at] != '<')
            continue;
        const size_t end = text.find('>', at);
        if (end == std::string::npos) {
            problem = "unclosed tag at " + std::to_string(at);
            return false;
        }
        const std::string tag = text.substr(at + 1, end - at - 1);
        at = end;
        if (tag[0] == '?' || tag[0] == '!' || tag.back() == '/')
            continue;
        const std::string name = tag.substr(tag[0] == '/' ? 1 : 0, tag.find_first_of(" \n") - (tag[0] == '/' ? 1 : 0));
        if (tag[0] != '/') {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            problem = "</" + name + "> closes " + (open.empty() ? std::string("nothing") : open.back());
            return false;
        } else {
            open.pop_back();
        }
    }
    if (!open.empty())
        problem = "<" + open.back() + "> never closed";
    return open.empty();
}

} // namespace

TEST(InformationPages, HelpPageIsWrittenOpenedAndRemovedAtExit)
{
    std::string path;
    {
        Program program;
        path = program.app->helpPage.Path();
        program.Command(ID_PROGRAM_INFO);
        ASSERT_EQ(1u, program.shell.opened.size());
        EXPECT_EQ("open|" + path + "|||1", program.shell.opened[0]);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        std::string text(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
        CloseHandle(file);
        EXPECT_EQ(HelpPage::Text(), text);
        std::string problem;
        EXPECT_TRUE(WellFormed(text, problem)) << problem;
        EXPECT_NE(std::string::npos, text.find("XHTML 1.0 Strict"));
        EXPECT_NE(std::string::npos, text.find("<title>Quillet info</title>"));
        for (const char* section : {"What the program does:", "How to use it:", "Using the folder creator:",
                                    "Using the floppy saver:", "Example of using an index number:", "Disclaimer:"})
            EXPECT_NE(std::string::npos, text.find(std::string("<h3>") + section + "</h3>")) << section;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << "deleted at exit";
}

TEST(InformationPages, WellFormedCheckCatchesBrokenPages)
{
    std::string problem;
    EXPECT_FALSE(WellFormed("<p><b>x</p></b>", problem));
    EXPECT_FALSE(WellFormed("<p>a & b</p>", problem));
    EXPECT_FALSE(WellFormed("<p>open", problem));
    EXPECT_TRUE(WellFormed("<?xml x?><!DOCTYPE y><p a=\"1\">x &amp; <br />y</p>", problem)) << problem;
}

TEST(InformationPages, UpdatesOpenTheMakersPage)
{
    Program program;
    program.Command(ID_CHECK_UPDATES);
    ASSERT_EQ(1u, program.shell.opened.size());
    EXPECT_EQ("open|http://www.osbrin-freeware.example/OsbrinUtilities.html#Quillet|||1", program.shell.opened[0]);
}

TEST(MainWindow, UndoPutsBackTheLastChangesOnce)
{
    TempFolder folder;
    folder.Create("abc.txt", "1");
    folder.Create("def.txt", "2");
    Program program(folder.Path().c_str());
    EXPECT_NE(0u, program.ItemState(ID_UNDO)) << "nothing to undo yet";
    program.Command(ID_UPPERCASE);
    ConfirmWithYes();
    program.Command(ID_MAKE_CHANGES);
    ASSERT_EQ((std::set<std::string>{"ABC.TXT", "DEF.TXT"}), folder.Names());
    EXPECT_EQ(0u, program.ItemState(ID_UNDO));
    ConfirmWithYes();
    program.Command(ID_UNDO);
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ((std::set<std::string>{"abc.txt", "def.txt"}), folder.Names());
    EXPECT_EQ("1", folder.Read("abc.txt"));
    EXPECT_TRUE(IsWindowEnabled(program.Main()));
    EXPECT_NE(0u, program.ItemState(ID_UNDO)) << "a second Undo does nothing more";
    EXPECT_EQ("2 files", program.Pane(2));
}

// A batch the last run did not end is offered for rolling back at start; No
// keeps it for the next start.
TEST(MainWindow, AnUnfinishedBatchIsOfferedAtStart)
{
    for (bool yes : {false, true}) {
        TempFolder folder;
        folder.Create("new.txt", "content");
        Journal journal;
        journal.kind = JournalKind::Renames;
        journal.folder = folder.Path();
        journal.files = {{"old.txt", "", "new.txt"}};
        RunSteps({[yes] {
            HWND box = OpenBox();
            if (!box)
                return false;
            PostMessageA(GetWindow(box, GW_CHILD), WM_KEYDOWN, yes ? 'Y' : 'N', 1);
            return true;
        }});
        Program program(nullptr, [&](const TempFolder& settings) {
            // The single journal of earlier versions is recovered too.
            EXPECT_EQ(0u, JournalStore(SystemFileOps(), settings.Path() + "Quillet.journal").Write(journal));
        });
        EXPECT_TRUE(StepsDone());
        EXPECT_EQ((std::set<std::string>{yes ? "old.txt" : "new.txt"}), folder.Names());
        Journal after;
        ASSERT_EQ(JournalStore::Found::Whole,
                  JournalStore(SystemFileOps(), program.settings.Path() + "Quillet.journal").Read(after));
        EXPECT_EQ(yes ? JournalState::Closed : JournalState::Open, after.state);
    }
}

// The View menu and the column headers choose the order and the menu's
// checks and the header's arrow show it; index proposals are numbered again.
TEST(MainWindow, TheOrderComesFromTheViewMenuAndTheHeaders)
{
    TempFolder folder;
    folder.Create("Track 1.mp3", "ten bytes!");
    folder.Create("Track 2.mp3", "two");
    folder.Create("Track 10.mp3", "1");
    Program program(folder.Path().c_str());
    const auto shown = [&program] {
        std::string rows;
        for (int row = 0; row < program.app->list.RowCount(); ++row)
            rows += std::string(program.app->list.RowEntry(row).newName) + "|";
        return rows;
    };
    const auto checked = [&program](int id) {
        SendMessageA(program.Main(), WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(program.Main())), 0);
        return (GetMenuState(GetMenu(program.Main()), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    const HWND header = reinterpret_cast<HWND>(SendMessageA(program.app->list.GetHandle(), LVM_GETHEADER, 0, 0));
    const auto clickHeader = [header](int column) {
        RECT item{};
        SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
    };
    const auto arrow = [header](int column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    };
    IndexDialog& index = program.app->dialogs.index;
    RunSteps({Click(index, IDC_AFTER_NAME), Click(index, IDC_EXISTING_NAME), Click(index, IDC_START_WITH_ONE),
              Press(index, IDOK)});
    program.Command(ID_INDEX_NAMES);
    ASSERT_TRUE(StepsDone());
    EXPECT_EQ("Track 11.mp3|Track 22.mp3|Track 103.mp3|", shown());
    EXPECT_TRUE(checked(ID_SORT_BY_NAME));
    EXPECT_EQ(HDF_SORTUP, arrow(0));

    program.Command(ID_SORT_BY_SIZE);
    EXPECT_EQ("Track 101.mp3|Track 22.mp3|Track 13.mp3|", shown());
    EXPECT_TRUE(checked(ID_SORT_BY_SIZE));
    EXPECT_FALSE(checked(ID_SORT_BY_NAME));
    EXPECT_EQ(0, arrow(0));

    clickHeader(2); // the size column again: reversed
    EXPECT_EQ("Track 11.mp3|Track 22.mp3|Track 103.mp3|", shown());
    EXPECT_TRUE(checked(ID_REVERSE_ORDER));
    EXPECT_EQ(HDF_SORTDOWN, arrow(2));

    clickHeader(0); // another column starts ascending
    EXPECT_TRUE(checked(ID_SORT_BY_NAME));
    EXPECT_FALSE(checked(ID_REVERSE_ORDER));
    EXPECT_EQ("Track 11.mp3|Track 22.mp3|Track 103.mp3|", shown());
    EXPECT_EQ("Track 10.mp3", program.app->list.RowEntry(2).name);
}
