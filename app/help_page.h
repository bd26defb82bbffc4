// Layer: application (the main window, the application object, the program).
// The program's information pages: the help page, written to the temporary
// folder and opened in the user's browser, and the maker's update page.
#pragma once
#include "engine/file_ops.h"
#include "ui/shell_calls.h"

#include <string>

// The maker's web host and address, used by the pages and the about box.
extern const char kMakerHost[];
extern const char kMakerNotice[];

class HelpPage {
public:
    HelpPage(FileOps& files, ShellCalls& shell);
    // The page is a file of this run only: it goes when the program ends,
    // whether it was shown or not.
    ~HelpPage();
    HelpPage(const HelpPage&) = delete;
    HelpPage& operator=(const HelpPage&) = delete;

    // Writes the page and asks the shell to open it; nothing happens when the
    // file cannot be written.
    void Show();
    // Opens the maker's page about new versions.
    void CheckForUpdates(HWND owner);

    const std::string& Path() const { return path_; }
    static const std::string& Text();

private:
    FileOps& files_;
    ShellCalls& shell_;
    std::string path_;
};
