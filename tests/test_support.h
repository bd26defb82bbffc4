// Shared pieces of the engine tests: a scratch folder on disk, a host that
// answers from a script, and a file seam that fails on demand.
#pragma once
#include "engine/engine_host.h"
#include "engine/file_ops.h"
#include "engine/working_set.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; } // ends in a backslash
    void Create(const std::string& name, const std::string& content = "x") const;
    void CreateSubfolder(const std::string& name) const;
    // The names in the folder, files only, as FindFirstFileA reports them.
    std::set<std::string> Names() const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// Makes the paths below the folder (which ends in a backslash): a path
// ending in a backslash makes a folder, any other a file holding its own path.
void BuildTree(const std::string& folder, const std::vector<std::string>& paths);
// Removes the folder with everything in it, read-only files included.
void RemoveTree(const std::string& folder);
// What the file holds (its first 512 bytes), or "<missing>".
std::string FileContent(const std::string& path);
// Everything below the folder: folders as "name\" with an empty text, files
// with their content.
std::map<std::string, std::string> TreeOf(const std::string& folder);

// A name written with Western 8-bit letters ("stra\xDF" "e"), in the code page
// the program speaks: so that one table holds under both.
std::string Western(const std::string& text);

// A working set holding exactly these names, in this order.
WorkingSet SetOf(const std::vector<std::string>& names);
std::vector<std::string> NewNames(const WorkingSet& set);
std::vector<std::string> CurrentNames(const WorkingSet& set);

class ScriptedHost : public EngineHost {
public:
    bool Confirm(const std::string& text) override;
    bool AskToContinue(const std::string& text) override;
    void Warn(const std::string& text) override { warnings.push_back(text); }
    void ShowWorking(const std::string& text) override { working.push_back(text); workingShown = true; }
    void CloseWorking() override { workingShown = false; }
    void FilesLoaded() override { ++filesLoaded; }
    void Refill() override { ++refills; }
    void ShowFolder(const std::string& searchPath, int fileCount) override
    {
        shownPath = searchPath;
        shownCount = fileCount;
    }
    void SetPending(bool pending) override { pendingCalls.push_back(pending); }
    // Says stop at the call numbered stopAt (from 0), as the Cancel button.
    bool KeepGoing(int, int) override { return keepGoingCalls++ != stopAt; }
    void ShowStopped(int changed) override { stoppedAfter = changed; }
    bool KeepListing(int found) override { return stopListingAt < 0 || found < stopListingAt; }
    void EndListing(bool stopped) override { listingStopped = stopped; }

    std::deque<bool> answers;          // Yes/No for each question, in order; Yes when empty
    bool confirmsTakeNoAnswer = false; // Confirm says Yes without taking one of the answers
    std::vector<std::string> confirmations;
    std::vector<std::string> questions;
    std::vector<std::string> warnings;
    std::vector<std::string> working;
    std::vector<bool> pendingCalls;
    bool workingShown = false;
    int filesLoaded = 0;
    int refills = 0;
    std::string shownPath;
    int shownCount = -1;
    int stopAt = -1;
    int keepGoingCalls = 0;
    int stoppedAfter = -1; // files changed before a stop; -1 when there was none
    int stopListingAt = -1; // the count of files read at which a listing is stopped
    bool listingStopped = false;

private:
    bool NextAnswer();
};

// The real file operations, except that a rule may fail a call first.
class FaultyFileOps : public FileOps {
public:
    // Return an error code to fail the call, 0 to let it through.
    std::function<uint32_t(const std::string& from, const std::string& to)> renameRule;
    std::function<uint32_t(const std::string& path)> timesRule;
    // A failed write leaves the first half of the content on disk, as a disk
    // that fills up part-way does.
    std::function<uint32_t(const std::string& path)> writeRule;
    std::function<uint32_t(const std::string& from, const std::string& to)> replaceRule;
    // Given the full path; a rule that answers kErrorAlreadyExists lets a
    // test follow a walk without touching the disk.
    std::function<uint32_t(const std::string& path)> createFolderRule;
    // Given the full paths of both ends.
    std::function<uint32_t(const std::string& from, const std::string& to)> copyRule;
    // Given the search path; an error fails the listing before any name.
    std::function<uint32_t(const std::string& searchPath)> listRule;

    std::vector<std::pair<std::string, std::string>> renames; // every call, as names
    int timesCalls = 0;
    std::vector<uint32_t> attributesSet;
    std::vector<std::string> foldersCreated; // every call, as full paths
    std::vector<std::string> copied;         // every call, as full source paths

    uint32_t ListFolder(const std::string& searchPath,
                        const std::function<bool(const FoundFile&)>& visit) override;
    uint32_t Rename(const std::string& from, const std::string& to) override;
    uint32_t SetFileTimes(const std::string& path, uint64_t creation, uint64_t lastWrite) override;
    uint32_t GetFileTimes(const std::string& path, uint64_t& creation, uint64_t& lastWrite) override;
    uint32_t GetAttributes(const std::string& path, uint32_t& attributes) override;
    uint32_t SetAttributes(const std::string& path, uint32_t attributes) override;
    uint32_t ReadFileStart(const std::string& path, size_t maxBytes, std::string& content) override;
    uint32_t WriteWholeFile(const std::string& path, const std::string& content) override;
    uint32_t MoveReplacing(const std::string& from, const std::string& to) override;
    uint32_t RemoveFile(const std::string& path) override;
    uint32_t CreateFolder(const std::string& path) override;
    uint32_t CopyReplacing(const std::string& from, const std::string& to) override;
    uint32_t Hold(const std::string& path, std::unique_ptr<FileHold>& hold) override
    {
        return SystemFileOps().Hold(path, hold);
    }
};

// The last component of a path.
std::string BaseName(const std::string& path);
