// Every error path of the three passes, with failures put in through the file
// seam: which question is asked, what Yes and No do, what stays on disk.
#include "engine/folder_scan.h"
#include "engine/journal_store.h"
#include "engine/pass_driver.h"
#include "engine/rollback.h"
#include "memory_volume.h"
#include "test_support.h"

#include <windows.h>

#include <stdexcept>

#include <gtest/gtest.h>

namespace {

using NameSet = std::set<std::string>;

// A folder holding a.txt and b.txt, scanned.
struct Scene {
    Scene()
    {
        folder.Create("a.txt", "A");
        folder.Create("b.txt", "B");
        FolderContext context = Context();
        Scan(context, folder.Path() + "*.*");
    }

    FolderContext Context() { return FolderContext{set, folder.Path(), files, host}; }

    // Adds c.txt, rescans, and proposes x, y and z with index scratch names.
    void AddThirdAndProposeXyz()
    {
        folder.Create("c.txt", "C");
        FolderContext context = Context();
        Scan(context, folder.Path() + "*.*");
        const char* newNames[] = {"x.txt", "y.txt", "z.txt"};
        for (int i = 0; i < 3; ++i) {
            set.SetNewName(i, newNames[i]);
            set.SetTempName(i, "`]00000" + std::to_string(i) + ".txt");
        }
    }

    void ProposeUpper()
    {
        set.SetNewName(0, "A1.txt");
        set.SetNewName(1, "B1.txt");
    }

    TempFolder folder;
    WorkingSet set;
    ScriptedHost host;
    FaultyFileOps files;
};

struct ErrorCase {
    uint32_t error;
    const char* text;
};

const ErrorCase kErrors[] = {
    {32, "a.txt - File in use.\n\nContinue with this operation?"},
    {19, "a.txt\n\nDrive is write protected.\n\nContinue with this operation?"},
    {5, "a.txt\n\nFile error - 5\n\nContinue with this operation?"},
    {112, "a.txt\n\nFile error - 112\n\nContinue with this operation?"},
};

} // namespace

TEST(Faults, RenameErrorsAskAndYesGoesOnWhileNoStops)
{
    for (const ErrorCase& c : kErrors) {
        for (bool yes : {true, false}) {
            Scene s;
            s.ProposeUpper();
            s.files.renameRule = [&](const std::string& from, const std::string&) {
                return from == "a.txt" ? c.error : 0u;
            };
            s.host.answers = {yes};
            FolderContext context = s.Context();
            ApplyRenames(context);
            ASSERT_EQ(std::vector<std::string>{c.text}, s.host.questions);
            const NameSet expected = yes ? NameSet{"a.txt", "B1.txt"} : NameSet{"a.txt", "b.txt"};
            EXPECT_EQ(expected, s.folder.Names()) << c.error << (yes ? " yes" : " no");
            EXPECT_EQ(std::vector<bool>{false}, s.host.pendingCalls) << "the pass ends either way";
            EXPECT_TRUE(s.host.warnings.empty());
            EXPECT_EQ(2, s.set.Count()) << "rescanned";
        }
    }
}

TEST(Faults, ATakenTargetIsRetriedWithoutAQuestion)
{
    Scene s;
    s.ProposeUpper();
    int tries = 0;
    s.files.renameRule = [&](const std::string& from, const std::string&) {
        return from == "a.txt" ? (++tries, kErrorAlreadyExists) : 0u;
    };
    FolderContext context = s.Context();
    ApplyRenames(context);
    EXPECT_TRUE(s.host.questions.empty());
    EXPECT_EQ(2, tries) << "once in the pass that renamed b.txt, once in the pass that renamed nothing";
    EXPECT_EQ((NameSet{"a.txt", "B1.txt"}), s.folder.Names());
    ASSERT_EQ(1u, s.host.warnings.size());
    EXPECT_EQ("1 file was not renamed because a file with the new name already exists:\n\na.txt -> A1.txt",
              s.host.warnings[0]);
}

TEST(Faults, AProposalEqualToTheNameTouchesNoFile)
{
    Scene s;
    s.set.SetNewName(0, "a.txt");
    s.set.SetNewName(1, "b.txt. .");
    FolderContext context = s.Context();
    ApplyRenames(context);
    EXPECT_TRUE(s.files.renames.empty()) << "trailing dots and blanks are never stored";
}

TEST(Faults, CaseOnlyRenamesGoThroughATemporaryName)
{
    Scene s;
    s.set.SetNewName(0, "A.TXT");
    FolderContext context = s.Context();
    ApplyRenames(context);
    ASSERT_EQ(2u, s.files.renames.size());
    EXPECT_EQ("a.txt", s.files.renames[0].first);
    EXPECT_EQ(s.files.renames[0].second, s.files.renames[1].first);
    EXPECT_EQ("A.TXT", s.files.renames[1].second);
    EXPECT_EQ((NameSet{"A.TXT", "b.txt"}), s.folder.Names());
}

TEST(Faults, ACaseOnlyRenameWithATrailingDotStillChangesTheCase)
{
    Scene s;
    s.set.SetNewName(0, "A.TXT.");
    FolderContext context = s.Context();
    ApplyRenames(context);
    EXPECT_EQ(2u, s.files.renames.size());
    EXPECT_EQ((NameSet{"A.TXT", "b.txt"}), s.folder.Names());
}

TEST(Faults, ACaseOnlyRenameWhoseSecondStepFailsPutsTheFileBack)
{
    Scene s;
    s.set.SetNewName(0, "A.TXT");
    s.files.renameRule = [](const std::string&, const std::string& to) { return to == "A.TXT" ? 32u : 0u; };
    s.host.answers = {true};
    FolderContext context = s.Context();
    ApplyRenames(context);
    EXPECT_EQ((NameSet{"a.txt", "b.txt"}), s.folder.Names());
    EXPECT_EQ(std::vector<std::string>{"a.txt - File in use.\n\nContinue with this operation?"}, s.host.questions);
    EXPECT_TRUE(s.host.warnings.empty());
}

TEST(Faults, AFileThatCannotGoBackIsNamed)
{
    Scene s;
    s.set.SetNewName(0, "A.TXT");
    s.files.renameRule = [](const std::string& from, const std::string& to) {
        return to == "A.TXT" || (to == "a.txt" && from != "a.txt") ? 5u : 0u;
    };
    FolderContext context = s.Context();
    ApplyRenames(context);
    ASSERT_EQ(1u, s.host.warnings.size());
    EXPECT_NE(std::string::npos, s.host.warnings[0].find("~quillet0.tmp (was a.txt)")) << s.host.warnings[0];
    EXPECT_EQ((NameSet{"~quillet0.tmp", "b.txt"}), s.folder.Names());
}

TEST(Faults, IndexFirstStepFailures)
{
    for (bool yes : {true, false}) {
        Scene s;
        s.set.SetNewName(0, "b.txt");
        s.set.SetTempName(0, "`]000000.txt");
        s.set.SetNewName(1, "a.txt");
        s.set.SetTempName(1, "`]000001.txt");
        s.host.answers = {yes};
        s.files.renameRule = [](const std::string& from, const std::string&) { return from == "b.txt" ? 19u : 0u; };
        FolderContext context = s.Context();
        ApplyIndexRenames(context);
        // Yes: a.txt goes on to b.txt, which is still taken, comes back and
        // is reported. No: a.txt, already under its scratch name, is put back.
        std::vector<std::string> questions = {"b.txt\n\nDrive is write protected.\n\nContinue with this operation?"};
        if (yes)
            questions.push_back("a.txt\n\nFile error - 183\n\nContinue with this operation?");
        EXPECT_EQ(questions, s.host.questions);
        EXPECT_EQ((NameSet{"a.txt", "b.txt"}), s.folder.Names());
        EXPECT_EQ("A", s.folder.Read("a.txt"));
        EXPECT_TRUE(s.host.warnings.empty());
    }
}

TEST(Faults, IndexSecondStepFailureAsksAndNoPutsTheRestBack)
{
    Scene s;
    s.AddThirdAndProposeXyz();
    FolderContext context = s.Context();
    s.files.renameRule = [](const std::string&, const std::string& to) { return to == "x.txt" ? 32u : 0u; };
    s.host.answers = {false};
    ApplyIndexRenames(context);
    EXPECT_EQ(std::vector<std::string>{"a.txt - File in use.\n\nContinue with this operation?"}, s.host.questions);
    EXPECT_EQ((NameSet{"a.txt", "b.txt", "c.txt"}), s.folder.Names());
    EXPECT_TRUE(s.host.warnings.empty());
}

TEST(Faults, IndexFileLeftUnderItsScratchNameIsNamed)
{
    Scene s;
    s.set.SetNewName(0, "x.txt");
    s.set.SetTempName(0, "`]000000.txt");
    s.set.SetNewName(1, "y.txt");
    s.set.SetTempName(1, "`]000001.txt");
    s.files.renameRule = [](const std::string& from, const std::string&) {
        return from == "`]000000.txt" ? 5u : 0u;
    };
    FolderContext context = s.Context();
    ApplyIndexRenames(context);
    EXPECT_EQ((NameSet{"`]000000.txt", "y.txt"}), s.folder.Names());
    ASSERT_EQ(1u, s.host.warnings.size());
    EXPECT_NE(std::string::npos, s.host.warnings[0].find("`]000000.txt (was a.txt)"));
}

TEST(Faults, IndexRefusesInvalidNamesBeforeMovingAnything)
{
    Scene s;
    s.set.SetNewName(0, "sub\\x.txt");
    s.set.SetTempName(0, "`]000000.txt");
    s.set.SetNewName(1, "y.txt");
    s.set.SetTempName(1, "`]000001.txt");
    s.host.answers = {false};
    FolderContext context = s.Context();
    ApplyIndexRenames(context);
    EXPECT_TRUE(s.files.renames.empty());
    EXPECT_EQ((NameSet{"a.txt", "b.txt"}), s.folder.Names());
}

TEST(Faults, DatesRetryAccessDeniedThreeTimesAndRestoreAttributes)
{
    Scene s;
    s.files.timesRule = [](const std::string& name) { return name == "a.txt" ? kErrorAccessDenied : 0u; };
    s.host.answers = {true};
    LocalDateTime date;
    date.year = 2020; date.month = 5; date.day = 6;
    FolderContext context = s.Context();
    ApplyDates(context, date);
    EXPECT_EQ(5, s.files.timesCalls) << "four attempts on a.txt, one on b.txt";
    ASSERT_EQ(4u, s.files.attributesSet.size());
    EXPECT_EQ(kAttributeNormal, s.files.attributesSet[0]);
    EXPECT_EQ(kAttributeNormal, s.files.attributesSet[2]);
    EXPECT_NE(kAttributeNormal, s.files.attributesSet[3]) << "the attributes it had are put back";
    EXPECT_EQ(std::vector<std::string>{"a.txt\n\nFile error - 5\n\nContinue with this operation?"}, s.host.questions);
}

TEST(Faults, DatesPutBackReadOnlyOnceTheTimesAreSet)
{
    Scene s;
    SetFileAttributesA((s.folder.Path() + "a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    int refusals = 0;
    s.files.timesRule = [&](const std::string& name) {
        return name == "a.txt" && refusals++ < 2 ? kErrorAccessDenied : 0u;
    };
    LocalDateTime date;
    date.year = 2020; date.month = 5; date.day = 6;
    FolderContext context = s.Context();
    ApplyDates(context, date);
    EXPECT_TRUE(s.host.questions.empty());
    EXPECT_TRUE(GetFileAttributesA((s.folder.Path() + "a.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((s.folder.Path() + "a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Faults, DatesInUseAskAndNoStops)
{
    for (bool yes : {true, false}) {
        Scene s;
        s.host.answers = {yes};
        s.files.timesRule = [](const std::string& name) { return name == "a.txt" ? kErrorSharingViolation : 0u; };
        LocalDateTime date;
        date.year = 2020; date.month = 5; date.day = 6;
        FolderContext context = s.Context();
        ApplyDates(context, date);
        EXPECT_EQ(std::vector<std::string>{"a.txt - File in use.\n\nContinue with this operation?"}, s.host.questions);
        EXPECT_EQ(yes ? 2 : 1, s.files.timesCalls);
        EXPECT_EQ(std::vector<bool>{false}, s.host.pendingCalls);
    }
}

TEST(Faults, AnImpossibleDateIsToldAndChangesNothing)
{
    struct Case {
        uint16_t year, month, day, hour;
    } cases[] = {{2020, 13, 1, 0}, {2020, 4, 31, 0}, {2020, 5, 6, 24}, {1600, 12, 31, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day) + " " +
                     std::to_string(c.hour));
        Scene s;
        s.set.SetNewName(0, "05/06/20  12:00:00 AM");
        LocalDateTime date;
        date.year = c.year; date.month = c.month; date.day = c.day; date.hour = c.hour;
        FolderContext context = s.Context();
        ApplyDates(context, date);
        EXPECT_EQ(0, s.files.timesCalls);
        EXPECT_TRUE(s.host.working.empty());
        EXPECT_TRUE(s.host.pendingCalls.empty()) << "the dates stay pending";
        EXPECT_EQ(std::vector<std::string>{"The chosen date and time cannot be given to files.\n"
                                           "No file was changed. Please choose another date."},
                  s.host.warnings);
        EXPECT_EQ("05/06/20  12:00:00 AM", s.set.Entry(0).newName) << "the list keeps the proposal";
    }
}

TEST(Faults, ConfirmationTextPicksThePass)
{
    struct Case { EngineAction action; bool prefix; const char* text; size_t renames; };
    const Case cases[] = {
        {EngineAction::Uppercase, false, "This will convert these files to uppercase.", 2},
        {EngineAction::Lowercase, false, "This will convert these files to lowercase.", 2},
        {EngineAction::IndexNames, false, "This will rename the files using an index number.", 4},
        {EngineAction::PrefixAppend, true, "This will start the file names with the text you entered.", 2},
        {EngineAction::PrefixAppend, false, "This will append text to the file names.", 2},
        {EngineAction::Shorten, false, "This will shorten these file names.", 2},
        {EngineAction::RemoveText, false, "This will remove some text from the file names.", 2},
        {EngineAction::ChangeExtensions, false, "This will change the file extensions.", 2},
        {EngineAction::ChangeDates, false, "This will change the file dates", 0},
    };
    LocalDateTime date;
    date.year = 2020; date.month = 5; date.day = 6;
    for (const Case& c : cases) {
        for (bool yes : {false, true}) {
            Scene s;
            s.set.SetNewName(0, "p.txt");
            s.set.SetTempName(0, "`]000000.txt");
            s.set.SetNewName(1, "q.txt");
            s.set.SetTempName(1, "`]000001.txt");
            s.host.answers = {yes};
            FolderContext context = s.Context();
            EXPECT_EQ(yes, ConfirmAndApply(context, c.action, c.prefix, date));
            EXPECT_EQ(std::vector<std::string>{std::string(c.text) + "\nDo you want to do this?"}, s.host.confirmations);
            EXPECT_EQ(yes ? c.renames : 0u, s.files.renames.size()) << c.text;
            EXPECT_EQ(yes && c.action == EngineAction::ChangeDates ? 2 : 0, s.files.timesCalls) << c.text;
        }
    }
}

TEST(Faults, NamesTheSystemCannotReachAreLeftAloneAndReported)
{
    const std::string longName = std::string(250, 'n') + ".txt"; // over 259 with the folder
    for (EngineAction action : {EngineAction::Uppercase, EngineAction::IndexNames, EngineAction::ChangeDates}) {
        Scene s;
        s.set = SetOf({"a.txt", "name.", "?mega.txt", longName, "b. "});
        for (int i = 0; i < s.set.Count(); ++i) {
            s.set.SetNewName(i, "x" + std::to_string(i) + ".txt");
            s.set.SetTempName(i, "`]00000" + std::to_string(i) + ".txt");
        }
        LocalDateTime date;
        date.year = 2020; date.month = 5; date.day = 6;
        FolderContext context = s.Context();
        ASSERT_TRUE(ConfirmAndApply(context, action, false, date));
        EXPECT_TRUE(s.host.questions.empty()) << static_cast<int>(action);
        for (const auto& rename : s.files.renames)
            EXPECT_TRUE(rename.first == "a.txt" || rename.first.rfind("`]", 0) == 0) << rename.first;
        EXPECT_EQ(action == EngineAction::ChangeDates ? 1 : 0, s.files.timesCalls);
        ASSERT_EQ(1u, s.host.warnings.size()) << static_cast<int>(action);
        const std::string& warning = s.host.warnings[0];
        EXPECT_EQ(0u, warning.find("4 files were left as they are")) << warning;
        for (const char* name : {"\nname.", "\n?mega.txt", "\nb. "})
            EXPECT_NE(std::string::npos, warning.find(name)) << name;
    }
}

TEST(Faults, ANameThatStaysAsItIsRaisesNoQuestion)
{
    Scene s;
    const std::string longName = std::string(250, 'n') + ".txt";
    s.set = SetOf({"?mega.txt", longName, "nul", "c.txt"});
    s.set.SetNewName(0, "?mega.txt");
    s.set.SetNewName(1, longName);
    s.set.SetNewName(2, "nul.");
    s.set.SetNewName(3, "c.txt");
    FolderContext context = s.Context();
    ApplyRenames(context);
    EXPECT_TRUE(s.host.questions.empty());
    EXPECT_TRUE(s.host.warnings.empty());
    EXPECT_TRUE(s.files.renames.empty());
}

TEST(Faults, DeviceNamesAreRefusedAsTargets)
{
    for (const char* target : {"NUL", "con.txt", "Com1 .log", "LPT\xB9"}) {
        Scene s;
        s.set.SetNewName(0, target);
        s.host.answers = {false};
        FolderContext context = s.Context();
        ApplyRenames(context);
        EXPECT_EQ(std::vector<std::string>{"a.txt\n\nThe new name is not a valid file name.\n\nContinue with this "
                                           "operation?"},
                  s.host.questions)
            << target;
        EXPECT_TRUE(s.files.renames.empty()) << target;
        EXPECT_EQ((NameSet{"a.txt", "b.txt"}), s.folder.Names());
    }
}

TEST(Faults, ScratchAndTemporaryNamesTakenOnDiskAreSkipped)
{
    Scene s;
    // Folders are not listed, but hold their names.
    s.folder.CreateSubfolder("`]000000.txt");
    s.folder.CreateSubfolder("~quillet0.tmp");
    s.set.SetNewName(0, "b.txt");
    s.set.SetTempName(0, "`]000000.txt");
    s.set.SetNewName(1, "a.txt");
    s.set.SetTempName(1, "`]000001.txt");
    FolderContext context = s.Context();
    ApplyIndexRenames(context);
    EXPECT_TRUE(s.host.questions.empty());
    EXPECT_EQ("B", s.folder.Read("a.txt"));
    EXPECT_EQ("A", s.folder.Read("b.txt"));
    s.set.SetNewName(0, "A.TXT");
    ApplyRenames(context);
    EXPECT_TRUE(s.host.questions.empty());
    EXPECT_EQ((NameSet{"A.TXT", "b.txt"}), s.folder.Names());
}

// A folder that cannot be read is no empty folder: the scan says so, and a
// batch that needs free names does not start.
TEST(Faults, AFolderThatCannotBeReadIsTold)
{
    Scene s;
    const std::string unreadable = "Cannot read the folder " + s.folder.Path() + ": File error - ";
    std::string failing = s.folder.Path() + "*.*";
    s.files.listRule = [&](const std::string& path) { return path == failing ? kErrorNotReady : 0u; };
    FolderContext context = s.Context();
    Scan(context, failing);
    EXPECT_EQ(std::vector<std::string>{unreadable + "21"}, s.host.warnings);
    EXPECT_EQ(0, s.set.Count());
    failing = s.folder.Path() + "*"; // only the look for free names fails
    Scan(context, s.folder.Path() + "*.*");
    s.set.SetNewName(0, "A.TXT");
    ApplyRenames(context);
    ASSERT_EQ(2u, s.host.warnings.size());
    EXPECT_NE(std::string::npos, s.host.warnings[1].find("(" + unreadable + "21)")) << s.host.warnings[1];
    EXPECT_TRUE(s.files.renames.empty());
    EXPECT_EQ((NameSet{"a.txt", "b.txt"}), s.folder.Names());
}

TEST(Faults, AnExceptionInAPassIsToldAndTheListFollowsTheDisk)
{
    for (EngineAction action : {EngineAction::Uppercase, EngineAction::IndexNames}) {
        Scene s;
        s.AddThirdAndProposeXyz();
        FolderContext context = s.Context();
        // The second file's final move breaks off.
        s.files.renameRule = [](const std::string&, const std::string& to) -> uint32_t {
            if (to == "y.txt")
                throw std::runtime_error("disk gone");
            return 0;
        };
        LocalDateTime date;
        ASSERT_TRUE(ConfirmAndApply(context, action, false, date));
        ASSERT_EQ(1u, s.host.warnings.size()) << static_cast<int>(action);
        EXPECT_NE(std::string::npos, s.host.warnings[0].find("unexpected error (disk gone)"));
        EXPECT_FALSE(s.host.workingShown);
        EXPECT_EQ(std::vector<bool>{false}, s.host.pendingCalls);
        // Renames: a.txt went on, c.txt was never reached. Index: what still
        // carried a scratch name got its old name back.
        EXPECT_EQ((NameSet{"x.txt", "b.txt", "c.txt"}), s.folder.Names()) << static_cast<int>(action);
        EXPECT_EQ(3, s.set.Count()) << "rescanned";
    }
}

namespace {

// What a crash does to a pass: it leaves, and nothing after it runs.
struct Crash {};

LocalDateTime SomeDate()
{
    LocalDateTime date;
    date.year = 2020; date.month = 5; date.day = 6; date.hour = 7;
    return date;
}

// A scene of three files whose passes keep a journal in the folder's
// neighbour.
struct JournaledScene : Scene {
    JournaledScene() : journals(files, journalFolder.Path())
    {
        AddThirdAndProposeXyz();
    }

    FolderContext JournaledContext()
    {
        FolderContext context = Context();
        context.journals = &journals;
        return context;
    }

    JournalStore Store() { return journals.For(folder.Path()); }

    Journal Read()
    {
        Journal journal;
        EXPECT_EQ(JournalStore::Found::Whole, Store().Read(journal));
        return journal;
    }

    TempFolder journalFolder;
    JournalFolder journals;
};

std::string Contents(const TempFolder& folder)
{
    std::string text;
    for (const std::string& name : folder.Names())
        text += name + "=" + folder.Read(name) + " ";
    return text;
}

const char kBefore[] = "a.txt=A b.txt=B c.txt=C ";

} // namespace

// Cancel stops after the file in hand: what is done stays done, except that
// the index pass puts back what carries a scratch name.
TEST(Faults, CancelStopsAfterTheFileInHand)
{
    struct Case { EngineAction action; int stopAt; const char* after; int changed; };
    const Case cases[] = {
        {EngineAction::Uppercase, 0, kBefore, 0},
        {EngineAction::Uppercase, 2, "c.txt=C x.txt=A y.txt=B ", 2},
        {EngineAction::IndexNames, 2, kBefore, 0},                     // in the first step
        {EngineAction::IndexNames, 4, "b.txt=B c.txt=C x.txt=A ", 1},  // in the second
    };
    for (const Case& c : cases) {
        JournaledScene s;
        s.host.stopAt = c.stopAt;
        FolderContext context = s.JournaledContext();
        ASSERT_TRUE(ConfirmAndApply(context, c.action, false, SomeDate()));
        EXPECT_EQ(c.after, Contents(s.folder)) << static_cast<int>(c.action) << " at " << c.stopAt;
        EXPECT_EQ(c.changed, s.host.stoppedAfter) << static_cast<int>(c.action) << " at " << c.stopAt;
        EXPECT_TRUE(s.host.questions.empty());
        EXPECT_EQ(std::vector<bool>{false}, s.host.pendingCalls);
        // A batch that changed nothing leaves nothing to undo.
        const Journal journal = s.Read();
        EXPECT_EQ(c.changed ? JournalState::Finished : JournalState::Closed, journal.state);
        EXPECT_EQ(static_cast<size_t>(c.changed), journal.files.size());
    }
}

// The plan is on disk before the first file moves.
TEST(Faults, ThePlanIsWrittenBeforeTheFirstFileMoves)
{
    JournaledScene s;
    s.set.SetNewName(0, "A.TXT");
    Journal seen;
    s.files.renameRule = [&](const std::string&, const std::string&) -> uint32_t {
        if (s.Store().Read(seen) != JournalStore::Found::Whole)
            ADD_FAILURE() << "no journal at the first move";
        s.files.renameRule = nullptr;
        return 0;
    };
    FolderContext context = s.JournaledContext();
    ApplyRenames(context);
    EXPECT_EQ(JournalState::Open, seen.state);
    EXPECT_EQ(s.folder.Path(), seen.folder);
    ASSERT_EQ(3u, seen.files.size());
    EXPECT_EQ("a.txt", seen.files[0].oldName);
    EXPECT_EQ("~quillet0.tmp", seen.files[0].tempName);
    EXPECT_EQ("A.TXT", seen.files[0].newName);
    EXPECT_EQ("z.txt", seen.files[2].newName);
    EXPECT_EQ(JournalState::Finished, s.Read().state);
}

// A crash at any step leaves a journal from which every file goes back to
// its old name, with its content; a finished batch goes back the same way.
TEST(Faults, EveryStepOfABatchCanBeRolledBack)
{
    for (EngineAction action : {EngineAction::Uppercase, EngineAction::IndexNames}) {
        for (int crashAt = 0; crashAt <= 6; ++crashAt) {
            JournaledScene s;
            if (action == EngineAction::Uppercase) {
                s.set.SetNewName(0, "A.TXT"); // a case change, through a temporary name
                s.set.SetNewName(1, "c.txt"); // waits for c.txt to move
            }
            int moves = 0;
            s.files.renameRule = [&](const std::string&, const std::string&) -> uint32_t {
                if (moves++ == crashAt)
                    throw Crash();
                return 0;
            };
            FolderContext context = s.JournaledContext();
            try {
                ConfirmAndApply(context, action, false, SomeDate());
            } catch (const Crash&) {
            }
            s.files.renameRule = nullptr;
            const Journal journal = s.Read();
            SCOPED_TRACE(std::to_string(static_cast<int>(action)) + " crash at " + std::to_string(crashAt));
            EXPECT_EQ(crashAt < moves ? JournalState::Open : JournalState::Finished, journal.state);
            ScriptedHost host;
            FolderContext again{s.set, s.folder.Path(), s.files, host};
            RollBack(again, journal);
            EXPECT_EQ(kBefore, Contents(s.folder));
            EXPECT_TRUE(host.warnings.empty()) << host.warnings.front();
        }
    }
}

TEST(Faults, DatesGoBackToTheirOldTimesUnlessChangedSince)
{
    JournaledScene s;
    uint64_t creation = 0, before = 0;
    ASSERT_EQ(0u, s.files.GetFileTimes(s.folder.Path() + "a.txt", creation, before));
    int calls = 0;
    s.files.timesRule = [&](const std::string&) -> uint32_t {
        if (calls++ == 2)
            throw Crash();
        return 0;
    };
    FolderContext context = s.JournaledContext();
    EXPECT_THROW(ApplyDates(context, SomeDate()), Crash);
    s.files.timesRule = nullptr;
    const Journal journal = s.Read();
    EXPECT_EQ(JournalState::Open, journal.state);
    EXPECT_EQ(2, SurveyRollback(s.files, journal).canGoBack);
    // b.txt is changed by someone else meanwhile: not ours to put back.
    ASSERT_EQ(0u, s.files.SetFileTimes(s.folder.Path() + "b.txt", 130000000000000000ull, 130000000000000000ull));
    RollBack(context, journal);
    uint64_t after = 0;
    EXPECT_EQ(0u, s.files.GetFileTimes(s.folder.Path() + "a.txt", creation, after));
    EXPECT_EQ(before, after);
    EXPECT_EQ(0u, s.files.GetFileTimes(s.folder.Path() + "b.txt", creation, after));
    EXPECT_EQ(130000000000000000ull, after);
    ASSERT_EQ(1u, s.host.warnings.size());
    EXPECT_NE(std::string::npos, s.host.warnings[0].find("\nb.txt")) << s.host.warnings[0];
}

// A record that can be neither marked finished nor removed would make the
// next start offer to undo a batch that ended: the user hears of it.
TEST(Faults, ARecordThatCannotBeClosedIsTold)
{
    Scene s;
    s.ProposeUpper();
    MemoryVolume journalVolume;
    journalVolume.AddFolder("C:\\q");
    JournalFolder journals(journalVolume, "C:\\q\\");
    int writes = 0;
    journalVolume.fault = [&](const char* call, const std::string&) -> uint32_t {
        if (std::string(call) == "WriteWholeFile" && ++writes == 2)
            return kErrorDiskFull;
        return std::string(call) == "RemoveFile" ? kErrorAccessDenied : 0u;
    };
    FolderContext context = s.Context();
    context.journals = &journals;
    ApplyRenames(context);
    EXPECT_EQ((NameSet{"A1.txt", "B1.txt"}), s.folder.Names());
    ASSERT_EQ(1u, s.host.warnings.size());
    EXPECT_EQ(0u, s.host.warnings[0].find("The changes were made, but their record could not be closed (File error - 5)"))
        << s.host.warnings[0];
}
