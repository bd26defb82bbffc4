// Any bytes as a journal: the reader either refuses them or gives a journal
// whose every name could stand in the folder (so a rollback can never be sent
// elsewhere), which writes to the same text it reads back from; and a rollback
// planned from it over any listing moves only names of the journal and of the
// listing.
#include "engine/journal.h"
#include "engine/name_pieces.h"
#include "engine/rollback_plan.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Journal journal;
    if (!ReadJournal(text, journal))
        return 0;
    std::set<std::string> names;
    std::vector<std::string> listing;
    for (const JournalFile& file : journal.files) {
        FUZZ_CHECK(IsValidFileName(file.oldName));
        FUZZ_CHECK(journal.kind == JournalKind::Dates || IsValidFileName(file.newName));
        for (const std::string* name : {&file.oldName, &file.tempName, &file.newName}) {
            names.insert(*name);
            // Half of the names on disk, as a listing might show them.
            if (!name->empty() && (name->size() + listing.size()) % 2 == 0)
                listing.push_back(*name);
        }
    }
    const std::string written = WriteJournal(journal);
    Journal again;
    FUZZ_CHECK(ReadJournal(written, again));
    FUZZ_CHECK(WriteJournal(again) == written);
    const RollbackPlan plan = PlanRollback(journal, listing);
    for (const RollbackMove& move : plan.moves)
        FUZZ_CHECK(names.count(move.from) && names.count(move.to));
    return 0;
}
