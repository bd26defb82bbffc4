// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "batch_record.h"

#include "ui/number_text.h"

namespace {

std::string ErrorText(uint32_t error)
{
    char digits[34];
    return std::string("(File error - ") + FormatUInt(error, digits, 10) + ")";
}

} // namespace

BatchRecord::BatchRecord(FolderContext& context, JournalKind kind) : context_(context)
{
    journal_.kind = kind;
    journal_.folder = context.folder;
}

bool BatchRecord::Begin()
{
    if (!context_.journals)
        return true;
    store_.emplace(context_.journals->For(context_.folder));
    uint32_t error = store_->Hold();
    if (error == kErrorSharingViolation) {
        context_.host.Warn(AnotherQuilletText(context_.folder));
        return false;
    }
    if (error == 0)
        error = store_->Write(journal_);
    if (error == 0) {
        begun_ = true;
        return true;
    }
    return RecordOrForget(error);
}

// Without a record of this batch, the one of the batch before must go: Undo
// would put back those older changes instead.
bool BatchRecord::RecordOrForget(uint32_t error)
{
    if (!context_.host.Confirm("The changes cannot be recorded, so they could not be put back after a crash or "
                               "undone " +
                               ErrorText(error) + ".\nMake the changes anyway?"))
        return false;
    const uint32_t removed = store_->RemoveFile();
    if (removed == 0)
        return true;
    context_.host.Warn("The record of the last changes in this folder could not be removed " + ErrorText(removed) +
                       ", and Undo would put back those older changes. No file was changed:\n" + store_->Path());
    return false;
}

uint32_t BatchRecord::Rewrite()
{
    return begun_ ? store_->Write(journal_) : 0;
}

void BatchRecord::Finish(std::vector<JournalFile> done)
{
    if (!begun_)
        return;
    begun_ = false;
    // A batch that changed nothing leaves nothing to undo.
    journal_.state = done.empty() ? JournalState::Closed : JournalState::Finished;
    journal_.secondStep = false;
    journal_.files = std::move(done);
    // A journal left open would offer to roll back a batch that ended: one
    // that cannot be marked finished goes, and if it cannot go either, the
    // user hears why the next start will ask.
    uint32_t error = store_->Write(journal_);
    if (error != 0)
        error = store_->RemoveFile();
    store_->LetGo();
    if (error == 0)
        return;
    context_.host.Warn("The changes were made, but their record could not be closed " + ErrorText(error) +
                       ". When Quillet next starts it will offer to put these files back: answer No.");
}

std::string AnotherQuilletText(const std::string& folder)
{
    return "Another Quillet is changing the files in\n" + folder +
           "\nright now, so no file was changed. Try again when it has finished.";
}
