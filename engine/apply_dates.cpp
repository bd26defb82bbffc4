// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "apply_dates.h"

#include "file_dates.h"
#include "folder_scan.h"

namespace {

class DateBatch : public FilePass {
public:
    DateBatch(FolderContext& context, PassOutcome& outcome, BatchRecord& record, uint64_t time)
        : context_(context), outcome_(outcome), record_(record), time_(time)
    {
    }

    void Run() override
    {
        const std::vector<uint32_t> readErrors = PlanOldTimes();
        if (!record_.Begin())
            return;
        SetTimes(readErrors);
        outcome_.changed = static_cast<int>(done_.size());
        record_.Finish(done_);
    }

    void AfterFailure() override { record_.Finish(done_); }

    void Rescan() override { Scan(context_, context_.folder + "*.*"); }

private:
    // Each file's old times go into the plan, so the batch can be undone;
    // a file whose times cannot be read is not changed.
    std::vector<uint32_t> PlanOldTimes()
    {
        std::vector<uint32_t> readErrors(static_cast<size_t>(context_.set.Count()), 0);
        for (int i = 0; i < context_.set.Count(); ++i) {
            const std::string& name = context_.set.Entry(i).name;
            JournalFile file{name, "", "", 0, 0};
            if (!context_.set.IsListed(i) || !CanReach(context_.folder, name))
                continue;
            readErrors[static_cast<size_t>(i)] =
                context_.files.GetFileTimes(context_.folder + name, file.creation, file.lastWrite);
            if (readErrors[static_cast<size_t>(i)] == 0)
                record_.Plan().files.push_back(file);
        }
        return readErrors;
    }

    void SetTimes(const std::vector<uint32_t>& readErrors)
    {
        size_t planned = 0;
        for (int i = 0; i < context_.set.Count(); ++i) {
            if (!context_.set.IsListed(i))
                continue;
            if (!context_.host.KeepGoing(i, context_.set.Count())) {
                outcome_.cancelled = true;
                return;
            }
            const std::string& name = context_.set.Entry(i).name;
            if (!CanReach(context_.folder, name)) {
                outcome_.unreachable.push_back(name);
                continue;
            }
            uint32_t error = readErrors[static_cast<size_t>(i)];
            if (error == 0) {
                error = SetDatesOfFile(context_.files, context_.folder + name, time_, time_);
                if (error == 0)
                    done_.push_back(record_.Plan().files[planned]);
                ++planned;
            }
            if (error != 0 && !ReportFileError(context_.host, error, name))
                return;
        }
    }

    FolderContext& context_;
    PassOutcome& outcome_;
    BatchRecord& record_;
    const uint64_t time_;
    std::vector<JournalFile> done_;
};

} // namespace

std::unique_ptr<FilePass> MakeDatePass(FolderContext& context, PassOutcome& outcome, BatchRecord& record, uint64_t time)
{
    return std::make_unique<DateBatch>(context, outcome, record, time);
}
