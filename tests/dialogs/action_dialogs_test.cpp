// The dialogs of the rename actions as the user meets them: opened over a
// window, filled in by message, confirmed or cancelled, and the values they
// keep fed to the transforms.
#include "engine/dialogs/action_dialogs.h"
#include "engine/extension_change.h"
#include "engine/file_ops.h"
#include "gui/gui_support.h"
#include "resources/resource.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// One opening of some dialog, for the tables that go over all of them.
struct Opening {
    const char* what;
    Dialog* dialog;
    std::function<INT_PTR(HWND)> run;
};

// The five dialogs, as the program keeps them.
struct Dialogs {
    ShortenDialog shorten;
    IndexDialog index;
    ExtensionDialog extension;
    RemoveTextDialog removeText;
    PrefixAppendDialog prefixAppend;

    std::vector<Opening> All()
    {
        return {
            {"shorten", &shorten, [this](HWND owner) { return shorten.Run(owner); }},
            {"index", &index, [this](HWND owner) { return index.Run(owner); }},
            {"extension", &extension, [this](HWND owner) { return extension.Run(owner); }},
            {"remove text", &removeText, [this](HWND owner) { return removeText.Run(owner, "Copy of Report.doc"); }},
            {"prefix/append", &prefixAppend, [this](HWND owner) { return prefixAppend.Run(owner); }},
        };
    }
};

HWND Item(const Dialog& dialog, int id)
{
    return GetDlgItem(dialog.GetHandle(), id);
}

HWND OpenWarning()
{
    return FindWindowA("#32770", "Quillet");
}

std::string AllTextOf(HWND window)
{
    std::string text;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        text += TextOf(child) + "|";
    return text;
}

// Waits for the warning (two seconds at most), keeps its text and answers it.
Step DismissWarning(std::string* text)
{
    return [text, ticks = 0]() mutable {
        HWND box = OpenWarning();
        if (!box)
            return ++ticks > 100;
        *text = AllTextOf(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
    };
}

bool IsChecked(const Dialog& dialog, int id)
{
    return IsDlgButtonChecked(dialog.GetHandle(), id) == BST_CHECKED;
}

std::pair<DWORD, DWORD> Selection(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("photo" + std::to_string(100 + i) + ".jpg");
    return names;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// How much room a control's text needs, in its own font: one line for
// buttons, wrapped to the control's width for static texts.
SIZE TextNeeds(HWND control)
{
    const RECT room = ChildRect(control);
    RECT needed{0, 0, room.right - room.left, 0};
    const std::string text = TextOf(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const bool wraps = ClassOf(control) == "Static";
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {needed.right - needed.left, needed.bottom - needed.top};
}

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control)
{
    return ClassOf(control) == "Button" && (GetWindowLongA(control, GWL_STYLE) & 0xF) == BS_GROUPBOX;
}

// What is wrong with the dialog's look: controls outside the dialog, on top
// of each other, or too small for their text.
std::string LayoutFaults(HWND dialog)
{
    std::string faults;
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    for (size_t i = 0; i < controls.size(); ++i) {
        const RECT rect = ChildRect(controls[i]);
        const std::string name = ClassOf(controls[i]) + " \"" + TextOf(controls[i]).substr(0, 20) + "\"";
        if (!Inside(rect, client))
            faults += name + " leaves the dialog; ";
        for (size_t j = i + 1; j < controls.size(); ++j)
            if (!IsGroupBox(controls[i]) && !IsGroupBox(controls[j]) && Overlap(rect, ChildRect(controls[j])))
                faults += name + " overlaps " + TextOf(controls[j]).substr(0, 20) + "; ";
        const std::string cls = ClassOf(controls[i]);
        if (cls == "Edit" || TextOf(controls[i]).empty())
            continue;
        const SIZE needs = TextNeeds(controls[i]);
        // Check boxes and radios draw their box before the text.
        const LONG box = cls == "Button" && !IsGroupBox(controls[i]) ? 16 : 0;
        if (needs.cx + box > rect.right - rect.left || needs.cy > rect.bottom - rect.top)
            faults += name + " is cut; ";
    }
    return faults;
}

} // namespace

TEST(ActionDialogs, EachStandsCentredAndWhole)
{
    struct Case {
        const char* caption;
        int points;
    } cases[] = {{"Shorten file names", 8},
                 {"Rename using an index number", 8},
                 {"Change extensions", 10},
                 {"Remove text", 8},
                 {"Dialog", 8}};
    Dialogs dialogs;
    const std::vector<Opening> openings = dialogs.All();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (size_t i = 0; i < openings.size(); ++i) {
        SCOPED_TRACE(openings[i].what);
        const Dialog& dialog = *openings[i].dialog;
        std::string caption, faults;
        LOGFONTA font{};
        RECT placed{};
        RunScripted(openings[i].run, {When(dialog,
                                           [&](HWND window) {
                                               caption = TextOf(window);
                                               faults = LayoutFaults(window);
                                               GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)),
                                                          sizeof font, &font);
                                               placed = WindowRect(window);
                                           }),
                                      Press(dialog, IDCANCEL)});
        EXPECT_EQ(cases[i].caption, caption);
        EXPECT_EQ("", faults);
        EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
        EXPECT_EQ(MulDiv(cases[i].points, dpi, 72), -font.lfHeight);
        // The owner of RunScripted spans 100..740 and 80..560.
        EXPECT_NEAR(420, (placed.left + placed.right) / 2, 1);
        EXPECT_NEAR(320, (placed.top + placed.bottom) / 2, 1);
    }
}

TEST(ActionDialogs, TypingIsLimitedToWhatTheValuesHold)
{
    Dialogs dialogs;
    const std::vector<Opening> openings = dialogs.All();
    struct Case {
        size_t opening;
        int id;
        int limit;
    } cases[] = {{0, IDC_ENTRY, 8},        {1, IDC_ENTRY, 259}, {2, IDC_ENTRY, 39},
                 {2, IDC_SECOND_EDIT, 39}, {3, IDC_ENTRY, 80},  {4, IDC_ENTRY, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(openings[c.opening].what) + " " + std::to_string(c.id));
        const Dialog& dialog = *openings[c.opening].dialog;
        LRESULT limit = 0;
        RunScripted(openings[c.opening].run,
                    {When(dialog, [&](HWND window) { limit = SendDlgItemMessageA(window, c.id, EM_GETLIMITTEXT, 0, 0); }),
                     Press(dialog, IDCANCEL)});
        EXPECT_EQ(c.limit, limit);
    }
}

TEST(ActionDialogs, TextPutInBeyondTheLimitIsCut)
{
    Dialogs dialogs;
    const std::string longText(300, 'n');
    EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialogs.index.Run(owner); },
                             {Click(dialogs.index, IDC_AFTER_NAME), Click(dialogs.index, IDC_NEW_NAME),
                              Type(dialogs.index, IDC_ENTRY, longText), Press(dialogs.index, IDOK)}));
    EXPECT_EQ(std::string(259, 'n'), dialogs.index.NewName());
    EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialogs.prefixAppend.Run(owner); },
                             {Click(dialogs.prefixAppend, IDC_BEFORE_NAME),
                              Type(dialogs.prefixAppend, IDC_ENTRY, longText), Press(dialogs.prefixAppend, IDOK)}));
    EXPECT_EQ(std::string(40, 'n'), dialogs.prefixAppend.Text());
    EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialogs.removeText.Run(owner, "a.txt"); },
                             {Type(dialogs.removeText, IDC_ENTRY, longText), Press(dialogs.removeText, IDOK)}));
    EXPECT_EQ(std::string(80, 'n'), dialogs.removeText.Text());
    EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialogs.extension.Run(owner); },
                             {Type(dialogs.extension, IDC_ENTRY, longText),
                              Type(dialogs.extension, IDC_SECOND_EDIT, longText), Press(dialogs.extension, IDOK)}));
    EXPECT_EQ(std::string(39, 'n'), dialogs.extension.Pattern());
    EXPECT_EQ(std::string(39, 'n'), dialogs.extension.Extension());
}

TEST(ShortenDialog, StaysOpenForALengthTheRuleRefuses)
{
    struct Case {
        const char* typed;
        int result; // -2: OK did nothing
        int stored;
    } cases[] = {
        // The rule itself is tested over its table without a window.
        {"251", -2, 0}, {"250", 1, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ShortenDialog dialog;
        bool open = false;
        std::vector<Step> steps{Type(dialog, IDC_ENTRY, c.typed), Press(dialog, IDOK)};
        if (c.result == -2)
            steps.insert(steps.end(), {NoteOpen(dialog, &open), Press(dialog, IDCANCEL)});
        const INT_PTR result = RunScripted([&](HWND owner) { return dialog.Run(owner); }, steps);
        EXPECT_EQ(c.result == -2, open);
        EXPECT_EQ(c.result == -2 ? 0 : c.result, result);
        EXPECT_EQ(c.stored, dialog.MaxLength());
    }
}

TEST(ShortenDialog, RemembersTheLengthAndShortensWithIt)
{
    ShortenDialog dialog;
    const auto run = [&](HWND owner) { return dialog.Run(owner); };
    RunScripted(run, {Type(dialog, IDC_ENTRY, "5"), Press(dialog, IDOK)});
    std::string shown;
    bool open = false;
    RunScripted(run, {When(dialog, [&](HWND window) { shown = TextOf(GetDlgItem(window, IDC_ENTRY)); }),
                      Type(dialog, IDC_ENTRY, "0"), Press(dialog, IDOK), NoteOpen(dialog, &open),
                      Press(dialog, IDCANCEL)});
    EXPECT_EQ("5", shown);
    EXPECT_TRUE(open);
    EXPECT_EQ(5, dialog.MaxLength());
    WorkingSet set = SetOf({"holiday.jpg", "holiday2.jpg"});
    Shorten(set, dialog.MaxLength());
    EXPECT_EQ((std::vector<std::string>{"holid.jpg", "holid~1.jpg"}), NewNames(set));
}

TEST(IndexDialog, FirstOpeningWaitsForBothChoices)
{
    IndexDialog dialog;
    bool checkedAtStart = true, editAtStart = true, openWithNone = false, openWithPosition = false;
    bool editAfterNew = false, focusAfterNew = false;
    const INT_PTR result = RunScripted(
        [&](HWND owner) { return dialog.Run(owner); },
        {When(dialog,
              [&](HWND) {
                  checkedAtStart = IsChecked(dialog, IDC_BEFORE_NAME) || IsChecked(dialog, IDC_AFTER_NAME) ||
                                   IsChecked(dialog, IDC_EXISTING_NAME) || IsChecked(dialog, IDC_NEW_NAME) ||
                                   IsChecked(dialog, IDC_START_WITH_ONE);
                  editAtStart = IsWindowEnabled(Item(dialog, IDC_ENTRY));
              }),
         Press(dialog, IDOK), NoteOpen(dialog, &openWithNone), Click(dialog, IDC_AFTER_NAME), Press(dialog, IDOK),
         NoteOpen(dialog, &openWithPosition), Click(dialog, IDC_NEW_NAME),
         When(dialog,
              [&](HWND) {
                  editAfterNew = IsWindowEnabled(Item(dialog, IDC_ENTRY));
                  focusAfterNew = GetFocus() == Item(dialog, IDC_ENTRY);
              }),
         Type(dialog, IDC_ENTRY, " \tfile  "), Click(dialog, IDC_START_WITH_ONE), Press(dialog, IDOK)});
    EXPECT_FALSE(checkedAtStart);
    EXPECT_FALSE(editAtStart);
    EXPECT_TRUE(openWithNone);
    EXPECT_TRUE(openWithPosition);
    EXPECT_TRUE(editAfterNew);
    EXPECT_TRUE(focusAfterNew);
    ASSERT_EQ(1, result);
    EXPECT_EQ(1, dialog.Position());
    EXPECT_EQ(1, dialog.NameChoice());
    EXPECT_EQ("file", dialog.NewName());
    EXPECT_TRUE(dialog.StartWithOne());

    WorkingSet set = SetOf(Numbered(12));
    IndexNames(set, dialog.Options());
    const std::vector<std::string> names = NewNames(set);
    EXPECT_EQ("file01.jpg", names.front());
    EXPECT_EQ("file12.jpg", names.back());
}

TEST(IndexDialog, OpensWithTheLastChoicesAndKeepsThemOnCancel)
{
    IndexDialog dialog;
    const auto run = [&](HWND owner) { return dialog.Run(owner); };
    RunScripted(run, {Click(dialog, IDC_BEFORE_NAME), Click(dialog, IDC_NEW_NAME), Type(dialog, IDC_ENTRY, "trip"),
                      Press(dialog, IDOK)});
    bool before = false, newName = false, editEnabled = false, editAfterExisting = true;
    std::string shown;
    EXPECT_EQ(0, RunScripted(run, {When(dialog,
                                        [&](HWND) {
                                            before = IsChecked(dialog, IDC_BEFORE_NAME);
                                            newName = IsChecked(dialog, IDC_NEW_NAME);
                                            editEnabled = IsWindowEnabled(Item(dialog, IDC_ENTRY));
                                            shown = TextOf(Item(dialog, IDC_ENTRY));
                                        }),
                                   Click(dialog, IDC_AFTER_NAME), Click(dialog, IDC_EXISTING_NAME),
                                   When(dialog,
                                        [&](HWND) { editAfterExisting = IsWindowEnabled(Item(dialog, IDC_ENTRY)); }),
                                   Press(dialog, IDCANCEL)}));
    EXPECT_TRUE(before);
    EXPECT_TRUE(newName);
    EXPECT_TRUE(editEnabled);
    EXPECT_EQ("trip", shown);
    EXPECT_FALSE(editAfterExisting);
    EXPECT_EQ(0, dialog.Position());
    EXPECT_EQ(1, dialog.NameChoice());

    // The cancelled choices are not the ones the next opening starts from.
    RunScripted(run, {Press(dialog, IDOK)});
    WorkingSet set = SetOf(Numbered(9));
    IndexNames(set, dialog.Options());
    EXPECT_EQ("0trip.jpg", NewNames(set).front());
    EXPECT_EQ("8trip.jpg", NewNames(set).back());
}

// Texts that would turn a rename into a move, or fail it, are sent back to
// the user with a warning that says why.
TEST(ActionDialogs, NameTextsThatCannotStandInANameAreRefused)
{
    struct Case {
        const char* typed;
        const char* named;
    } cases[] = {{"..\\", "\\"}, {"a\tb", "control characters"}}; // the rule's table has the rest
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        IndexDialog index;
        PrefixAppendDialog prefix;
        struct Target {
            Dialog& dialog;
            std::function<INT_PTR(HWND)> run;
            std::vector<Step> choose;
        } targets[] = {
            {index, [&](HWND owner) { return index.Run(owner); },
             {Click(index, IDC_AFTER_NAME), Click(index, IDC_NEW_NAME)}},
            {prefix, [&](HWND owner) { return prefix.Run(owner); }, {Click(prefix, IDC_AFTER_NAME)}},
        };
        for (Target& target : targets) {
            std::string warning;
            bool open = false;
            std::pair<DWORD, DWORD> selected{};
            bool focused = false;
            std::vector<Step> steps = target.choose;
            steps.push_back(Type(target.dialog, IDC_ENTRY, c.typed));
            steps.push_back(Press(target.dialog, IDOK));
            steps.push_back(DismissWarning(&warning));
            steps.push_back(When(target.dialog, [&](HWND window) {
                open = IsWindowVisible(window) != FALSE;
                selected = Selection(GetDlgItem(window, IDC_ENTRY));
                focused = GetFocus() == GetDlgItem(window, IDC_ENTRY);
            }));
            steps.push_back(Press(target.dialog, IDCANCEL));
            EXPECT_EQ(0, RunScripted(target.run, steps));
            EXPECT_NE(std::string::npos, warning.find(c.named)) << warning;
            EXPECT_TRUE(open);
            EXPECT_TRUE(focused);
            EXPECT_EQ(std::make_pair(DWORD{0}, static_cast<DWORD>(strlen(c.typed))), selected);
        }
        EXPECT_EQ(-1, index.NameChoice());
        EXPECT_EQ("", prefix.Text());
    }
}

// A pattern may pick files of the folder only, never another folder's.
TEST(ExtensionDialog, PatternsThatLeaveTheFolderAreRefused)
{
    struct Case {
        const char* typed;
        const char* named;
    } cases[] = {{"..\\*.txt", "\\"}, {"sub/*.*", "/"}, {"C:\\x\\*.*", ":"}, {"a\tb", "control characters"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ExtensionDialog dialog;
        std::string warning;
        bool open = false;
        const INT_PTR result = RunScripted([&](HWND owner) { return dialog.Run(owner); },
                                           {Type(dialog, IDC_ENTRY, c.typed), Type(dialog, IDC_SECOND_EDIT, "md"),
                                            Press(dialog, IDOK), DismissWarning(&warning),
                                            When(dialog, [&](HWND window) { open = IsWindowVisible(window) != FALSE; }),
                                            Press(dialog, IDCANCEL)});
        EXPECT_EQ(0, result);
        EXPECT_NE(std::string::npos, warning.find(c.named)) << warning;
        EXPECT_TRUE(open);
        EXPECT_EQ("*.*", dialog.Pattern());
    }
}

TEST(ExtensionDialog, TakesThePatternAndTheBareExtension)
{
    struct Case {
        const char* pattern;
        const char* typed;
        const char* storedPattern;
        const char* extension;
    } cases[] = {
        // The rules' table has the other spellings.
        {"*.gif", "*.jpg", "*.gif", "jpg"}, {"  ", "JPG", "*.*", "JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ExtensionDialog dialog;
        std::string shownPattern = "?", shownExtension = "?";
        EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialog.Run(owner); },
                                 {When(dialog,
                                       [&](HWND) {
                                           shownPattern = TextOf(Item(dialog, IDC_ENTRY));
                                           shownExtension = TextOf(Item(dialog, IDC_SECOND_EDIT));
                                       }),
                                  Type(dialog, IDC_ENTRY, c.pattern), Type(dialog, IDC_SECOND_EDIT, c.typed),
                                  Press(dialog, IDOK)}));
        EXPECT_EQ("*.*", shownPattern);
        EXPECT_EQ("", shownExtension);
        EXPECT_EQ(c.storedPattern, dialog.Pattern());
        EXPECT_EQ(c.extension, dialog.Extension());
    }
}

TEST(ExtensionDialog, RemembersAndChangesOnlyTheMatchingFiles)
{
    ExtensionDialog dialog;
    const auto run = [&](HWND owner) { return dialog.Run(owner); };
    RunScripted(run, {Type(dialog, IDC_ENTRY, "*.gif"), Type(dialog, IDC_SECOND_EDIT, ".jpg"), Press(dialog, IDOK)});
    std::string shownPattern, shownExtension;
    RunScripted(run, {When(dialog,
                           [&](HWND) {
                               shownPattern = TextOf(Item(dialog, IDC_ENTRY));
                               shownExtension = TextOf(Item(dialog, IDC_SECOND_EDIT));
                           }),
                      Press(dialog, IDOK)});
    EXPECT_EQ("*.gif", shownPattern);
    EXPECT_EQ("jpg", shownExtension);

    TempFolder folder;
    for (const char* name : {"a.gif", "b.txt", "c.gif"})
        folder.Create(name);
    WorkingSet set;
    ScriptedHost host;
    FolderContext context{set, folder.Path(), SystemFileOps(), host};
    ASSERT_TRUE(ChangeExtensions(context, dialog.Pattern(), dialog.Extension()));
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "c.jpg"}), NewNames(set));
}

TEST(PrefixAppendDialog, PlacesTheTextOrActsAsCancel)
{
    struct Case {
        const char* what;
        int choose; // 0: no choice
        const char* typed;
        int result; // -2: OK did nothing
        const char* proposal;
    } cases[] = {
        {"prefix", IDC_BEFORE_NAME, "CD3-", 1, "CD3-01.mp3"},
        {"append", IDC_AFTER_NAME, " Beatles", 1, "01 Beatles.mp3"},
        {"empty text", IDC_AFTER_NAME, "", 0, ""},
        {"no place chosen", 0, "CD3-", -2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrefixAppendDialog dialog;
        bool open = false;
        std::vector<Step> steps;
        if (c.choose)
            steps.push_back(Click(dialog, c.choose));
        steps.push_back(Type(dialog, IDC_ENTRY, c.typed));
        steps.push_back(Press(dialog, IDOK));
        if (c.result == -2)
            steps.insert(steps.end(), {NoteOpen(dialog, &open), Press(dialog, IDCANCEL)});
        const INT_PTR result = RunScripted([&](HWND owner) { return dialog.Run(owner); }, steps);
        EXPECT_EQ(c.result == -2, open);
        EXPECT_EQ(c.result == -2 ? 0 : c.result, result);
        WorkingSet set = SetOf({"01.mp3"});
        if (result == 1)
            PrefixOrAppend(set, dialog.Text(), dialog.Position());
        EXPECT_EQ(c.proposal, NewNames(set).front());
    }
}

TEST(PrefixAppendDialog, RemembersPlaceAndTextAndShowsItsHelpWhole)
{
    PrefixAppendDialog dialog;
    const auto run = [&](HWND owner) { return dialog.Run(owner); };
    bool checkedAtStart = true;
    RunScripted(run, {When(dialog,
                           [&](HWND) {
                               checkedAtStart =
                                   IsChecked(dialog, IDC_BEFORE_NAME) || IsChecked(dialog, IDC_AFTER_NAME);
                           }),
                      Click(dialog, IDC_BEFORE_NAME), Type(dialog, IDC_ENTRY, "CD3-"), Press(dialog, IDOK)});
    EXPECT_FALSE(checkedAtStart);
    bool before = false, after = true;
    std::string shown, help;
    LRESULT helpLines = 0;
    EXPECT_EQ(1, RunScripted(run, {When(dialog,
                                        [&](HWND) {
                                            before = IsChecked(dialog, IDC_BEFORE_NAME);
                                            after = IsChecked(dialog, IDC_AFTER_NAME);
                                            shown = TextOf(Item(dialog, IDC_ENTRY));
                                            help = TextOf(Item(dialog, IDC_SECOND_EDIT));
                                            helpLines = SendMessageA(Item(dialog, IDC_SECOND_EDIT),
                                                                     EM_GETLINECOUNT, 0, 0);
                                        }),
                                   Press(dialog, IDOK)}));
    EXPECT_TRUE(before);
    EXPECT_FALSE(after);
    EXPECT_EQ("CD3-", shown);
    EXPECT_EQ(0u, help.find("Enter the text to be added in front of or behind the file name.\r\n"));
    // Nine lines as written: none of them had to wrap.
    EXPECT_EQ(9, helpLines);
    EXPECT_EQ(TextPosition::Prefix, dialog.Position());
}

TEST(RemoveTextDialog, TransferTakesTheHighlightedPartOfTheSample)
{
    const std::string longSample = std::string(120, 'x') + ".txt";
    struct Case {
        std::string sample;
        int start, end;
        std::string transferred;
    } cases[] = {
        {"Copy of Report.doc", 0, 8, "Copy of "},
        {"Copy of Report.doc", 8, 14, "Report"},
        {"Copy of Report.doc", 14, 5, "of Report"},
        {longSample, 0, -1, std::string(80, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.transferred);
        RemoveTextDialog dialog;
        std::string shownSample, entry;
        bool focused = false;
        std::pair<DWORD, DWORD> selected{};
        EXPECT_EQ(1, RunScripted([&](HWND owner) { return dialog.Run(owner, c.sample); },
                                 {When(dialog,
                                       [&](HWND window) {
                                           shownSample = TextOf(GetDlgItem(window, IDC_SECOND_EDIT));
                                           SendDlgItemMessageA(window, IDC_SECOND_EDIT, EM_SETSEL,
                                                               static_cast<WPARAM>(c.start), c.end);
                                       }),
                                  Press(dialog, IDC_TRANSFER),
                                  When(dialog,
                                       [&](HWND window) {
                                           HWND edit = GetDlgItem(window, IDC_ENTRY);
                                           entry = TextOf(edit);
                                           focused = GetFocus() == edit;
                                           selected = Selection(edit);
                                       }),
                                  Press(dialog, IDOK)}));
        EXPECT_EQ(c.sample, shownSample);
        EXPECT_EQ(c.transferred, entry);
        EXPECT_TRUE(focused);
        EXPECT_EQ(std::make_pair(DWORD{0}, static_cast<DWORD>(c.transferred.size())), selected);
        EXPECT_EQ(c.transferred, dialog.Text());
    }
}

TEST(RemoveTextDialog, WaitsForATextAndRemembersIt)
{
    RemoveTextDialog dialog;
    const auto run = [&](HWND owner) { return dialog.Run(owner, "Copy of Report.doc"); };
    bool openWhenEmpty = false, focusedWhenEmpty = false;
    EXPECT_EQ(1, RunScripted(run, {Press(dialog, IDOK), NoteOpen(dialog, &openWhenEmpty),
                                   When(dialog,
                                        [&](HWND window) {
                                            focusedWhenEmpty = GetFocus() == GetDlgItem(window, IDC_ENTRY);
                                        }),
                                   Type(dialog, IDC_ENTRY, "COPY OF "), Press(dialog, IDOK)}));
    EXPECT_TRUE(openWhenEmpty);
    EXPECT_TRUE(focusedWhenEmpty);
    std::string shown;
    RunScripted(run, {When(dialog, [&](HWND window) { shown = TextOf(GetDlgItem(window, IDC_ENTRY)); }),
                      Press(dialog, IDCANCEL)});
    EXPECT_EQ("COPY OF ", shown);
    WorkingSet set = SetOf({"Copy of Report.doc", "notes.txt"});
    RemoveText(set, dialog.Text());
    EXPECT_EQ((std::vector<std::string>{"Report.doc", "notes.txt"}), NewNames(set));
}
