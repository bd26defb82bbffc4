// Every error path of the three passes, with failures put in through the file
// seam: which question is asked, what Yes and No do, what stays on disk.
#include "engine/apply_changes.h"
#include "engine/apply_dates.h"
#include "engine/folder_scan.h"
#include "test_support.h"

#include <windows.h>

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
    s.folder.Create("c.txt", "C");
    FolderContext context = s.Context();
    Scan(context, s.folder.Path() + "*.*");
    const char* newNames[] = {"x.txt", "y.txt", "z.txt"};
    for (int i = 0; i < 3; ++i) {
        s.set.SetNewName(i, newNames[i]);
        s.set.SetTempName(i, "`]00000" + std::to_string(i) + ".txt");
    }
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

TEST(Faults, AnImpossibleDateDoesNothing)
{
    Scene s;
    LocalDateTime date;
    date.year = 2020; date.month = 13; date.day = 1;
    FolderContext context = s.Context();
    ApplyDates(context, date);
    EXPECT_EQ(0, s.files.timesCalls);
    EXPECT_TRUE(s.host.working.empty());
    EXPECT_TRUE(s.host.pendingCalls.empty());
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
