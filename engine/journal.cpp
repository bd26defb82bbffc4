// Layer: pure core (no <windows.h>, built natively too).

#include "journal.h"

#include "characters.h"
#include "name_pieces.h"

#include <cstdio>

namespace {

const char kHeader[] = "Quillet journal 1";
const char kEnd[] = "end";

const char* StateText(JournalState state)
{
    switch (state) {
    case JournalState::Open: return "open";
    case JournalState::Finished: return "finished";
    case JournalState::Closed: return "closed";
    }
    return "";
}

const char* KindText(JournalKind kind)
{
    switch (kind) {
    case JournalKind::Renames: return "renames";
    case JournalKind::Index: return "index";
    case JournalKind::Dates: return "dates";
    }
    return "";
}

std::string Number(uint64_t value)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(value));
    return digits;
}

// All digits, no more than a 64-bit value holds.
bool ParseNumber(const std::string& text, uint64_t& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const uint64_t next = value * 10 + static_cast<uint64_t>(c - '0');
        if (next / 10 != value)
            return false;
        value = next;
    }
    return true;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == separator)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

// A name the journal may hand to a rename: never one that leaves the folder.
bool IsJournalName(const std::string& name, bool mayBeEmpty)
{
    return (mayBeEmpty && name.empty()) || IsValidFileName(name);
}

bool ReadFile(const std::string& value, JournalKind kind, JournalFile& file)
{
    const std::vector<std::string> fields = Split(value, '\t');
    if (fields.size() != 3)
        return false;
    file.oldName = FromStoredText(fields[0]);
    if (kind == JournalKind::Dates)
        return IsJournalName(file.oldName, false) && ParseNumber(fields[1], file.creation) &&
               ParseNumber(fields[2], file.lastWrite);
    file.tempName = FromStoredText(fields[1]);
    file.newName = FromStoredText(fields[2]);
    return IsJournalName(file.oldName, false) && IsJournalName(file.tempName, kind == JournalKind::Renames) &&
           IsJournalName(file.newName, false);
}

bool ReadLine(const std::string& key, const std::string& value, Journal& journal)
{
    if (key == "state") {
        for (JournalState state : {JournalState::Open, JournalState::Finished, JournalState::Closed}) {
            if (value == StateText(state)) {
                journal.state = state;
                return true;
            }
        }
        return false;
    }
    if (key == "kind") {
        for (JournalKind kind : {JournalKind::Renames, JournalKind::Index, JournalKind::Dates}) {
            if (value == KindText(kind)) {
                journal.kind = kind;
                return true;
            }
        }
        return false;
    }
    if (key == "folder") {
        journal.folder = FromStoredText(value);
        return !value.empty() && value.back() == '\\' && SystemLength(journal.folder) <= kMaxPathLength;
    }
    if (key == "secondstep") {
        journal.secondStep = value == "1";
        return value == "0" || value == "1";
    }
    if (key == "moment")
        return ParseNumber(value, journal.moment);
    if (key == "file") {
        JournalFile file;
        if (!ReadFile(value, journal.kind, file))
            return false;
        journal.files.push_back(file);
        return true;
    }
    return false;
}

} // namespace

std::string WriteJournal(const Journal& journal)
{
    std::string text = std::string(kHeader) + "\n";
    text += std::string("state=") + StateText(journal.state) + "\n";
    text += std::string("kind=") + KindText(journal.kind) + "\n";
    text += "folder=" + journal.folder + "\n";
    text += std::string("secondstep=") + (journal.secondStep ? "1" : "0") + "\n";
    text += "moment=" + Number(journal.moment) + "\n";
    for (const JournalFile& file : journal.files) {
        if (journal.kind == JournalKind::Dates)
            text += "file=" + file.oldName + "\t" + Number(file.creation) + "\t" + Number(file.lastWrite) + "\n";
        else
            text += "file=" + file.oldName + "\t" + file.tempName + "\t" + file.newName + "\n";
    }
    return text + kEnd + "\n";
}

bool ReadJournal(const std::string& text, Journal& journal)
{
    journal = Journal();
    std::vector<std::string> lines = Split(text, '\n');
    // A whole journal ends with its end line and the newline after it.
    if (lines.size() < 3 || lines[0] != kHeader || lines.back() != "" || lines[lines.size() - 2] != kEnd)
        return false;
    bool kindSeen = false;
    for (size_t i = 1; i + 2 < lines.size(); ++i) {
        const size_t equals = lines[i].find('=');
        if (equals == std::string::npos)
            return false;
        const std::string key = lines[i].substr(0, equals);
        // The files are read by the kind, so it must come first, and once.
        if ((key == "file" && !kindSeen) || (key == "kind" && kindSeen))
            return false;
        kindSeen = kindSeen || key == "kind";
        if (!ReadLine(key, lines[i].substr(equals + 1), journal))
            return false;
    }
    return kindSeen && !journal.folder.empty();
}

bool ReadJournalHead(const std::string& head, JournalState& state, std::string& folder)
{
    const std::vector<std::string> lines = Split(head, '\n');
    if (lines.empty() || lines[0] != kHeader)
        return false;
    Journal journal;
    bool stateSeen = false, folderSeen = false;
    // The last piece may be a line cut off by the read.
    for (size_t i = 1; i + 1 < lines.size() && !(stateSeen && folderSeen); ++i) {
        const size_t equals = lines[i].find('=');
        const std::string key = lines[i].substr(0, equals == std::string::npos ? 0 : equals);
        if (key != "state" && key != "folder")
            continue;
        if (!ReadLine(key, lines[i].substr(equals + 1), journal))
            return false;
        stateSeen = stateSeen || key == "state";
        folderSeen = folderSeen || key == "folder";
    }
    state = journal.state;
    folder = journal.folder;
    return stateSeen && folderSeen;
}
