#include "batch_record.h"

#include "journal_store.h"
#include "ui/number_text.h"

BatchRecord::BatchRecord(FolderContext& context, JournalKind kind) : context_(context)
{
    journal_.kind = kind;
    journal_.folder = context.folder;
}

bool BatchRecord::Begin()
{
    if (!context_.journal)
        return true;
    const uint32_t error = context_.journal->Write(journal_);
    if (error == 0) {
        begun_ = true;
        return true;
    }
    char digits[34];
    return context_.host.Confirm(std::string("The changes cannot be recorded, so they could not be put back after "
                                             "a crash or undone (File error - ") +
                                 FormatUInt(error, digits, 10) + ").\nMake the changes anyway?");
}

void BatchRecord::Rewrite()
{
    if (begun_)
        context_.journal->Write(journal_);
}

void BatchRecord::Finish(std::vector<JournalFile> done)
{
    if (!begun_)
        return;
    begun_ = false;
    journal_.state = JournalState::Finished;
    journal_.secondStep = false;
    journal_.files = std::move(done);
    // A journal left open would offer to roll back a batch that ended: one
    // that cannot be marked finished goes, and if it cannot go either, the
    // user hears why the next start will ask.
    if (context_.journal->Write(journal_) == 0)
        return;
    const uint32_t error = context_.journal->RemoveFile();
    if (error == 0)
        return;
    char digits[34];
    context_.host.Warn(std::string("The changes were made, but their record could not be closed (File error - ") +
                       FormatUInt(error, digits, 10) +
                       "). When Quillet next starts it will offer to put these files back: answer No.");
}
