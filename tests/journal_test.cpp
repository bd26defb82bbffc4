// The journal's text, and the rollback plans worked out from a journal and a
// listing of the folder.
#include "engine/journal.h"
#include "engine/rollback_plan.h"

#include <gtest/gtest.h>

namespace {

Journal Batch(JournalKind kind, std::vector<JournalFile> files, bool secondStep = false)
{
    Journal journal;
    journal.kind = kind;
    journal.folder = "C:\\Photos\\";
    journal.secondStep = secondStep;
    journal.files = std::move(files);
    return journal;
}

std::string Moves(const RollbackPlan& plan)
{
    std::string text;
    for (const RollbackMove& move : plan.moves)
        text += move.from + ">" + move.to + " ";
    return text;
}

std::string Problems(const RollbackPlan& plan)
{
    std::string text;
    for (const std::string& name : plan.problems)
        text += name + " ";
    return text;
}

// A journal, the folder as the disk shows it, and the plan expected.
struct PlanCase {
    const Journal* journal;
    std::vector<std::string> listing;
    const char* moves;
    const char* problems;
    int moved;
};

void ExpectPlans(const std::vector<PlanCase>& cases)
{
    for (const PlanCase& c : cases) {
        const RollbackPlan plan = PlanRollback(*c.journal, c.listing);
        EXPECT_EQ(c.moves, Moves(plan)) << Moves(plan);
        EXPECT_EQ(c.problems, Problems(plan)) << Moves(plan);
        EXPECT_EQ(c.moved, plan.moved) << Moves(plan);
    }
}

} // namespace

TEST(Journal, WrittenTextReadsBackTheSame)
{
    Journal dates = Batch(JournalKind::Dates, {{"a.txt", "", "", 130000000000000000ull, 18446744073709551615ull}});
    dates.state = JournalState::Finished;
    dates.moment = 132000000000000000ull;
    const Journal journals[] = {
        Batch(JournalKind::Renames, {{"a.txt", "~quillet0.tmp", "A.TXT"}, {"b c.txt", "", "d.txt"}}),
        Batch(JournalKind::Index, {{"x.jpg", "`]000000.jpg", "file1.jpg"}}, true),
        dates,
        Batch(JournalKind::Renames, {}),
    };
    for (const Journal& journal : journals) {
        const std::string text = WriteJournal(journal);
        Journal read;
        ASSERT_TRUE(ReadJournal(text, read)) << text;
        EXPECT_EQ(text, WriteJournal(read));
    }
}

TEST(Journal, TextThatIsNotAWholeJournalIsRefused)
{
    const std::string whole = WriteJournal(Batch(JournalKind::Renames, {{"a.txt", "", "b.txt"}}));
    const std::string broken[] = {
        "",
        whole.substr(0, whole.size() - 1),            // cut before the last newline
        whole.substr(0, whole.size() / 2),            // cut in the middle
        "Quillet journal 2\nend\n",                   // another format
        "garbage\x01\x02\n",
        "Quillet journal 1\nstate=open\nfolder=C:\\\\x\\\\\nfile=a\tb\tc\nkind=renames\nend\n", // files before kind
        "Quillet journal 1\nstate=half\nkind=renames\nfolder=C:\\\\x\\\\\nend\n",
        "Quillet journal 1\nkind=renames\nfolder=C:\\\\x\nend\n",                  // no backslash at the end
        "Quillet journal 1\nkind=renames\nfolder=C:\\\\x\\\\\nfile=a.txt\t\t..\\\\b.txt\nend\n", // leaves the folder
        "Quillet journal 1\nkind=renames\nfolder=C:\\\\x\\\\\nfile=a.txt\t\tnul\nend\n",         // a device
        "Quillet journal 1\nkind=index\nfolder=C:\\\\x\\\\\nfile=a.txt\t\tb.txt\nend\n",         // no scratch name
        "Quillet journal 1\nkind=dates\nfolder=C:\\\\x\\\\\nfile=a.txt\t1x\t2\nend\n",
        "Quillet journal 1\nkind=dates\nfolder=C:\\\\x\\\\\nfile=a.txt\t18446744073709551616\t2\nend\n",
        "Quillet journal 1\nkind=renames\nfolder=C:\\\\x\\\\\nsecondstep=2\nend\n",
        "Quillet journal 1\nkind=renames\nfolder=C:\\\\x\\\\\nfile=a\t\tb\nkind=index\nend\n", // a second kind
    };
    for (const std::string& text : broken) {
        Journal journal;
        EXPECT_FALSE(ReadJournal(text, journal)) << text;
    }
}

// Renames go one at a time and never replace: a file is under its old name,
// its new one, or between the moves of a case change.
TEST(Rollback, RenamesGoBackFromTheFreeEndOfEachChain)
{
    const Journal chain = Batch(JournalKind::Renames, {{"a", "", "b"}, {"b", "", "c"}, {"c", "", "d"}});
    const Journal caseChange = Batch(JournalKind::Renames, {{"abc", "~quillet0.tmp", "ABC"}});
    // Another file took the name while the case change was between its moves
    // (its second move had failed): found by the random crashes.
    const Journal takenMeanwhile =
        Batch(JournalKind::Renames, {{"AB", "~quillet0.tmp", "ab"}, {"x", "", "ab"}});
    // A finished batch lists only files that moved: one under its old name
    // came back only if its new name is free or holds another file back home.
    Journal done = chain;
    done.state = JournalState::Finished;
    done.files.pop_back();
    Journal intoFreed = Batch(JournalKind::Renames, {{"p", "", "q"}, {"r", "", "P"}});
    intoFreed.state = JournalState::Finished;
    ExpectPlans({
        {&chain, {"a", "b", "c"}, "", "", 0},                      // nothing happened
        {&chain, {"a", "b", "d"}, "d>c ", "", 1},                  // c went first
        {&chain, {"a", "c", "d"}, "c>b d>c ", "", 2},
        {&chain, {"b", "c", "d"}, "b>a c>b d>c ", "", 3},          // all of it
        {&chain, {"a", "b", "c", "x"}, "", "", 0},                 // an unrelated file stays
        {&chain, {"a", "b"}, "", "c (not found) ", 0},             // c is gone: not ours to guess
        {&caseChange, {"abc"}, "", "", 0},
        {&caseChange, {"~quillet0.tmp"}, "~quillet0.tmp>abc ", "", 1},
        {&caseChange, {"ABC"}, "ABC>~quillet0.tmp ~quillet0.tmp>abc ", "", 1},
        {&caseChange, {"ABC", "~quillet0.tmp"}, "", "abc (the name it would go back through is taken) ", 0},
        {&caseChange, {"Abc"}, "", "abc (renamed since) ", 0},      // a case nobody asked for
        {&takenMeanwhile, {"~quillet0.tmp", "ab"}, "ab>x ~quillet0.tmp>AB ", "", 2},
        {&done, {"b", "c"}, "b>a c>b ", "", 2},
        {&done, {"a", "b", "c"}, "", // a new file took a
         "a (another file has its name now; this one stays b) b (another file has its name now; this one stays c) ", 0},
        {&done, {"a", "c"}, "c>b ", "", 1},                  // an undo stopped after a went back
        {&done, {"a", "b"}, "", "", 0},                      // all back
        {&intoFreed, {"q"}, "q>p ", "r (not found) ", 1},    // r was deleted: p, back home, stays
    });
}

// Index batches go through scratch names, so that files may exchange names:
// the way back does too.
TEST(Rollback, IndexBatchesGoBackThroughTheirScratchNames)
{
    const std::vector<JournalFile> exchange = {{"a", "`]0", "b"}, {"b", "`]1", "a"}};
    const Journal firstStep = Batch(JournalKind::Index, exchange);
    const Journal secondStep = Batch(JournalKind::Index, exchange, true);
    Journal finished = Batch(JournalKind::Index, exchange);
    finished.state = JournalState::Finished;
    const Journal numbered = Batch(JournalKind::Index, {{"x", "`]0", "n1"}, {"y", "`]1", "n2"}}, true);
    Journal numberedDone = Batch(JournalKind::Index, {{"x", "`]0", "n1"}});
    numberedDone.state = JournalState::Finished;
    ExpectPlans({
        {&firstStep, {"a", "b"}, "", "", 0},
        {&firstStep, {"`]0", "b"}, "`]0>a ", "", 1},
        {&firstStep, {"`]0", "`]1"}, "`]0>a `]1>b ", "", 2},
        {&firstStep, {"`]0", "a", "b"}, "", "a (now under `]0) ", 0}, // a is someone else's now
        {&secondStep, {"`]0", "`]1"}, "`]0>a `]1>b ", "", 2},
        {&secondStep, {"b", "`]1"}, "b>`]0 `]1>b `]0>a ", "", 2},      // a reached b, b still waits
        {&secondStep, {"a", "b"}, "b>`]0 a>`]1 `]0>a `]1>b ", "", 2},   // the exchange was made
        {&finished, {"a", "b"}, "b>`]0 a>`]1 `]0>a `]1>b ", "", 2},
        {&numbered, {"n1", "y"}, "n1>`]0 `]0>x ", "", 1},              // y never moved
        {&numbered, {"n1", "`]0", "y"}, "`]0>x ", "", 1},               // a scratch name tells more than n1
        {&numbered, {"q"}, "", "x (not found) y (not found) ", 0},
        {&finished, {"a", "`]0"}, "a>`]1 `]0>a `]1>b ", "", 2}, // an undo stopped after its first move
        {&numberedDone, {"n1", "x"}, "", "x (another file has its name now; this one stays n1) ", 0},
        {&numberedDone, {"x"}, "", "", 0},
    });
}
