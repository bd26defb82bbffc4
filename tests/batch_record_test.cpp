// The batch record where the world moves under it, over the in-memory
// volume: failed record writes, a folder changed before Undo, a rollback
// that is stopped. (A second Quillet is the property test's.)
#include "engine/folder_scan.h"
#include "engine/journal_store.h"
#include "engine/pass_driver.h"
#include "engine/rollback.h"
#include "engine/rollback_plan.h"
#include "memory_volume.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

const char kPhotos[] = "C:\\photos\\";
// Thrown from the volume as a process dies: no pass catches it.
struct Crash {};

// One running Quillet: its list, its host and its way to the journals, all
// on one volume shared with any other.
struct Instance {
    Instance(MemoryVolume& disk, const std::string& shown) : volume(disk), folder(shown), journals(disk, "C:\\q\\")
    {
        FolderContext context = Context();
        OpenFolder(context, "*.*");
    }

    FolderContext Context() { return FolderContext{set, folder, volume, host, &journals}; }

    // Proposes `to` for each listed name in turn, then applies.
    void Rename(const std::vector<std::string>& to, bool index = false)
    {
        for (size_t i = 0; i < to.size(); ++i) {
            set.SetNewName(static_cast<int>(i), to[i]);
            set.SetTempName(static_cast<int>(i), "`]00000" + std::to_string(i) + ".jpg");
        }
        FolderContext context = Context();
        if (index)
            ApplyIndexRenames(context);
        else
            ApplyRenames(context);
    }

    void Undo()
    {
        FolderContext context = Context();
        UndoLastBatch(context);
    }

    Journal Record()
    {
        Journal journal;
        EXPECT_EQ(JournalStore::Found::Whole, journals.For(folder).Read(journal));
        return journal;
    }

    MemoryVolume& volume;
    std::string folder;
    JournalFolder journals;
    WorkingSet set;
    ScriptedHost host;
};

struct Disk : MemoryVolume {
    Disk()
    {
        AddFolder("C:\\q");
        AddFolder("C:\\photos");
        for (const char* name : {"a.jpg", "b.jpg"})
            AddFile(kPhotos + std::string(name), name);
    }

    // Every file of the folder with its content.
    std::string In(const std::string& folder)
    {
        std::string text;
        for (const Node& node : Nodes())
            if (!node.folder && node.path.compare(0, folder.size(), folder) == 0)
                text += node.path.substr(folder.size()) + "=" + node.content + " ";
        return text;
    }
};

} // namespace

// A batch without a record of its own leaves none of an earlier one.
TEST(BatchRecord, ABatchThatCannotBeRecordedLeavesNoOlderRecord)
{
    for (bool removable : {true, false}) {
        Disk disk;
        Instance quillet(disk, kPhotos);
        quillet.Rename({"x.jpg"});
        disk.fault = [&](const char* call, const std::string& path) -> uint32_t {
            if (path.compare(0, 5, "C:\\q\\") != 0)
                return 0;
            const std::string name = call;
            return name == "WriteWholeFile" || (name == "RemoveFile" && !removable) ? kErrorDiskFull : 0;
        };
        quillet.Rename({"b2.jpg"}); // the list is b.jpg, x.jpg now
        disk.fault = nullptr;
        EXPECT_EQ(removable ? "b2.jpg=b.jpg x.jpg=a.jpg " : "b.jpg=b.jpg x.jpg=a.jpg ", disk.In(kPhotos));
        EXPECT_EQ(!removable, CanUndo(quillet.journals, kPhotos));
    }
}

// A new file under an old name is never overwritten and the question counts
// only the files that can go back; Cancel keeps the record, and so does a
// file that cannot go back, until the user says to forget it.
TEST(BatchRecord, UndoPutsBackWhatItCanAndKeepsItsRecordUntilForgotten)
{
    Disk disk;
    Instance quillet(disk, kPhotos);
    quillet.Rename({"x.jpg", "y.jpg"});
    disk.AddFile("C:\\photos\\a.jpg", "camera");
    quillet.host.stopAt = quillet.host.keepGoingCalls; // Cancel before the first move
    quillet.Undo();
    EXPECT_EQ("a.jpg=camera x.jpg=a.jpg y.jpg=b.jpg ", disk.In(kPhotos));
    ASSERT_TRUE(CanUndo(quillet.journals, kPhotos));
    quillet.Undo();
    EXPECT_EQ("This will put back 1 file.\nDo you want to do this?", quillet.host.confirmations.back());
    EXPECT_EQ("a.jpg=camera b.jpg=b.jpg x.jpg=a.jpg ", disk.In(kPhotos));
    EXPECT_NE(std::string::npos,
              quillet.host.warnings.back().find("\na.jpg (another file has its name now; this one stays x.jpg)"));
    ASSERT_TRUE(CanUndo(quillet.journals, kPhotos));
    quillet.Undo();
    EXPECT_EQ("The last changes in this folder cannot be put back:\n"
              "a.jpg (another file has its name now; this one stays x.jpg)\nForget them?",
              quillet.host.confirmations.back());
    EXPECT_FALSE(CanUndo(quillet.journals, kPhotos));
    EXPECT_EQ("a.jpg=camera b.jpg=b.jpg x.jpg=a.jpg ", disk.In(kPhotos));
}

// No in the middle of a recovery keeps the record, and so does a folder that
// cannot be read: the next start puts back what remains.
TEST(BatchRecord, RecoveryKeepsItsRecordUntilEveryFileIsBack)
{
    Disk disk;
    Instance quillet(disk, kPhotos);
    // Both files renamed, the record not yet marked finished.
    int renames = 0;
    disk.fault = [&](const char* call, const std::string& path) -> uint32_t {
        renames += std::string(call) == "Rename" && path.compare(0, 10, kPhotos) == 0;
        if (std::string(call) == "WriteWholeFile" && renames == 2)
            throw Crash();
        return 0;
    };
    EXPECT_THROW(quillet.Rename({"p.jpg", "q.jpg"}), Crash);
    EXPECT_EQ("p.jpg=a.jpg q.jpg=b.jpg ", disk.In(kPhotos));
    disk.fault = [](const char* call, const std::string& path) -> uint32_t {
        return std::string(call) == "Rename" && path == "C:\\photos\\q.jpg" ? kErrorSharingViolation : 0;
    };
    Instance next(disk, kPhotos);
    next.host.answers = {true, false}; // put back: yes; go on after q.jpg failed: no
    FolderContext context = next.Context();
    RecoverUnfinishedBatches(context);
    EXPECT_EQ(JournalState::Open, next.Record().state);
    disk.fault = [](const char* call, const std::string& path) -> uint32_t {
        return std::string(call) == "ListFolder" && path.compare(0, 10, kPhotos) == 0 ? kErrorAccessDenied : 0;
    };
    RecoverUnfinishedBatches(context);
    EXPECT_NE(std::string::npos, next.host.warnings.back().find("cannot be read now (File error - 5)"));
    EXPECT_EQ("a.jpg=a.jpg q.jpg=b.jpg ", disk.In(kPhotos));
    EXPECT_EQ(JournalState::Open, next.Record().state);
    disk.fault = nullptr;
    RecoverUnfinishedBatches(context);
    EXPECT_EQ("a.jpg=a.jpg b.jpg=b.jpg ", disk.In(kPhotos));
    EXPECT_EQ(JournalState::Closed, next.Record().state);
}

// The second step of an index batch is rolled back from the record of the
// first: when that record cannot be written, the files go back at once.
TEST(BatchRecord, AnIndexBatchStopsWhenItsSecondRecordFails)
{
    Disk disk;
    Instance quillet(disk, kPhotos);
    int writes = 0;
    disk.fault = [&](const char* call, const std::string&) -> uint32_t {
        return std::string(call) == "WriteWholeFile" && ++writes == 2 ? kErrorDiskFull : 0;
    };
    quillet.Rename({"b.jpg", "a.jpg"}, true);
    EXPECT_EQ("a.jpg=a.jpg b.jpg=b.jpg ", disk.In(kPhotos));
    EXPECT_EQ("The record of the changes could not be written (File error - 112), so no file was renamed.",
              quillet.host.warnings.at(0));
}

// A volume keeps a file time to its own resolution: FAT to 2 seconds.
TEST(BatchRecord, FileTimesMatchWithinTheVolumesResolution)
{
    const uint64_t t = 132000000000000000ull, second = 10000000;
    EXPECT_TRUE(SameFileTime(t, t));
    EXPECT_TRUE(SameFileTime(t + second, t));
    EXPECT_TRUE(SameFileTime(t, t + 2 * second));
    EXPECT_FALSE(SameFileTime(t, t + 2 * second + 1));
    EXPECT_FALSE(SameFileTime(t + 60 * second, t));
}
