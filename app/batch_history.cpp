// Layer: application (the main window, the application object, the program).

#include "batch_history.h"

#include "engine/pass_driver.h"
#include "engine/rollback.h"
#include "resources/resource.h"

BatchHistory::BatchHistory(FileOps& files) : files_(files) {}

void BatchHistory::KeepBeside(const std::string& settingsPath)
{
    if (!settingsPath.empty())
        journals_ = std::make_unique<JournalFolder>(files_, JournalFolderBeside(settingsPath));
}

void BatchHistory::Recover(FolderContext context)
{
    RecoverUnfinishedBatches(context);
}

void BatchHistory::Undo(FolderContext context)
{
    if (Shown(context.folder))
        UndoLastBatch(context);
}

void BatchHistory::ShowUndo(HMENU menu, const std::string& folder, bool passRunning)
{
    const bool enabled = !passRunning && journals_ && Shown(folder) && CanUndo(*journals_, folder);
    EnableMenuItem(menu, ID_UNDO, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}
