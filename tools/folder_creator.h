// Layer: dialogs (the action dialogs and the tools' windows).
// "Create folders using an index number": a run of folders named with a text
// and a padded number (Disk01 ... Disk12), made in the program's current
// folder, with a look at the names first if the user wishes.
#pragma once
#include "engine/dialogs/action_dialogs.h"
#include "engine/file_ops.h"
#include "ui/working_window.h"

#include <functional>
#include <string>

// The current folder (ending in a backslash, or empty before one was chosen)
// and the program's "Browse to folder", which may change it.
struct CreatorFolder {
    std::function<std::string()> current;
    std::function<void()> browse;
};

class FolderCreatorDialog : public ActionDialog {
public:
    static constexpr int kNameLimit = 80;
    // Longest number text read; digits beyond these make too large a number.
    static constexpr int kNumberChars = 39;

    // The run is shown in the program's working window, where Cancel stops it.
    FolderCreatorDialog(FileOps& files, WorkWnd& working);

    // 1 after a create run, 0 on Cancel, -1 when the dialog could not be shown.
    INT_PTR Run(HWND owner, const CreatorFolder& folder);

    // Lists the run's names (test mode) or makes its folders and tells how
    // many were made. 0 when a value is missing or was refused, or the user
    // stopped the folders being made, so that the dialog stays open for
    // another try; 1 otherwise.
    int MakeFolderNames(bool create);

private:
    void Init() override;
    // "Create folders": the dialog ends once the run was made.
    void Confirm() override;
    // "Browse" and "Test name creation".
    void OnClick(int id) override;
    void Browse();
    // A number field read as a whole number; false after focusing the field,
    // with a word to the user when the text is not one.
    bool ReadNumber(int id, int32_t& value);
    // More than a few thousand names need the user's word first.
    bool AgreeToLargeRun(bool create, int64_t count);
    // What a walk over the run did.
    struct RunDone {
        int64_t created = 0;
        bool stopped = false;
    };
    // Lists or makes the names of the run one after the other under the
    // working window, until the last one or the user's stop.
    RunDone WalkRun(bool create, const std::string& folder, const std::string& name, int32_t start, int32_t last);
    void TellCreated(const RunDone& done);

    FileOps& files_;
    WorkWnd& working_;
    CreatorFolder folder_;
};
