// A volume held in memory that answers the file seam as a Win32 volume does
// where the passes can tell: names are found in any case and keep the case
// they were given, a rename never replaces (183), trailing dots and blanks
// are dropped from stored names, device names and reserved characters are
// refused, and a read-only file refuses to be written. A fault rule may fail
// any call first. Pure code: it builds natively too.
#pragma once
#include "engine/file_ops.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeSystem = 0x04;
constexpr uint32_t kAttributeArchive = 0x20;

class MemoryVolume : public FileOps {
public:
    struct Node {
        std::string path; // as stored: "C:\photos\Name.txt"
        bool folder = false;
        std::string content;
        uint32_t attributes = 0;
        uint64_t lastWrite = 0;
    };

    MemoryVolume();

    // Puts a folder or a file in place as it is; the path must be a stored one.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& content, uint32_t attributes = kAttributeArchive);

    // Every folder and file, in the order of their paths.
    std::vector<Node> Nodes() const;

    // Asked before each call that changes or reads a file, with the call's
    // name and its (first) path: a code fails the call, 0 lets it through.
    std::function<uint32_t(const char* call, const std::string& path)> fault;
    int renamesMade = 0;

    // A folder that is not there gives 3.
    uint32_t ListFolder(const std::string& searchPath,
                        const std::function<bool(const FoundFile&)>& visit) override;
    uint32_t Rename(const std::string& from, const std::string& to) override;
    uint32_t SetFileTimes(const std::string& path, uint64_t creation, uint64_t lastWrite) override;
    // As under Wine, the creation time reads back as the last-write time.
    uint32_t GetFileTimes(const std::string& path, uint64_t& creation, uint64_t& lastWrite) override;
    uint32_t GetAttributes(const std::string& path, uint32_t& attributes) override;
    uint32_t SetAttributes(const std::string& path, uint32_t attributes) override;
    uint32_t ReadFileStart(const std::string& path, size_t maxBytes, std::string& content) override;
    uint32_t WriteWholeFile(const std::string& path, const std::string& content) override;
    uint32_t MoveReplacing(const std::string& from, const std::string& to) override;
    uint32_t RemoveFile(const std::string& path) override;
    uint32_t CreateFolder(const std::string& path) override;
    uint32_t CopyReplacing(const std::string& from, const std::string& to) override;
    // Holds are kept apart from the files: a second holder of the same path,
    // as a second process, gets kErrorSharingViolation.
    uint32_t Hold(const std::string& path, std::unique_ptr<FileHold>& hold) override;

private:
    // A path made whole: stored form and the key it is found by.
    struct Resolved {
        std::string path;
        std::string key;
        std::string parentKey;
    };
    uint32_t Resolve(const std::string& path, Resolved& out) const;
    // The fault rule (none for a null call), then the path made whole.
    uint32_t Prepare(const char* call, const std::string& path, Resolved& where) const;
    // Prepare, then the folder or file the path names.
    uint32_t Existing(const char* call, const std::string& path, Node*& node);
    // Prepare, then the folder the path lies in, which must be there.
    uint32_t InFolder(const char* call, const std::string& path, Resolved& where);
    Node* Find(const std::string& key);
    uint32_t Move(const char* call, const std::string& from, const std::string& to, bool replace);

    std::map<std::string, Node> nodes_; // by key
    std::set<std::string> held_; // keys of the paths held
};
