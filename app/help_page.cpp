// Layer: application (the main window, the application object, the program).

#include "help_page.h"

#include "engine/wide_text.h"

const char kMakerHost[] = "www.osbrin-freeware.example";
const char kMakerNotice[] = "Freeware from Osbrin Freeware - use it and pass it on";

namespace {

// The page, with {notice} and {host} standing for the maker's texts.
const char kPageTemplate[] = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">
<head>
<title>Quillet info</title>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8" />
<style type="text/css">
body { font-family: arial, helvetica, sans-serif; font-size: 14px; color: black; background: #fafad2; }
h1 { position: relative; margin-top: 2%; margin-bottom: 0%; }
#titlebox { width: 340px; border: double; background: #ffff66; text-align: center; }
#titlebox cite { font: italic 10px arial; }
</style>
</head>
<body>
<div id="titlebox">
<h1>Quillet</h1>
<p><cite>{notice}</cite></p>
</div>

<h3>What the program does:</h3>
<p>Quillet makes the same change to the names of all the files in a folder at once: it puts them in
uppercase or lowercase, changes their extensions, shortens long names, removes a piece of text, adds
text in front or behind, or numbers them with an index. It can also give all the files one date.</p>
<p>With "Create folders" it makes a whole run of folders in one go, such as CD_01, CD_02, CD_03, ready
to take the contents of a stack of discs.</p>
<p>The floppy saver copies one floppy disk after another into numbered folders on the hard disk, so a
box of old floppies can be backed up in one sitting.</p>

<h3>How to use it:</h3>
<ol>
<li>Click Browse and pick the folder holding the files, or drag the folder onto the window.</li>
<li>Files you want to leave alone can be taken off the list: select them, right-click and choose
"Remove from list".</li>
<li>Choose what to do from the Actions menu, then look over the new names in the "to" column.</li>
<li>Choose "Make changes now..." from the Change menu. After you confirm, the files are renamed.</li>
</ol>

<h3>Using the folder creator:</h3>
<ol>
<li>Choose "Create folders with an index number..." from the File menu.</li>
<li>Click Browse and pick the location to create the folders in.</li>
<li>Enter the folder name they share, such as CD_.</li>
<li>Enter the index start number and the index last number.</li>
<li>Click "Test name creation" to look over the list of names that will be made.</li>
<li>Click "Create folders" to make them.</li>
</ol>

<h3>Using the floppy saver:</h3>
<ol>
<li>Choose "Floppy saver..." from the File menu.</li>
<li>Pick the folder on the hard disk where the copies go, and the name of the first folder.</li>
<li>Put the first floppy in the drive and start; each floppy is copied into a folder of its own.</li>
<li>When asked, put in the next floppy, or stop when the box is empty.</li>
</ol>

<h3>Example of using an index number:</h3>
<p>A camera names its pictures IMG_0001, IMG_0002 and so on. Choose "Rename files using an index
number...", pick "Use new file name", enter Holiday and choose to append the number: the pictures
become Holiday001, Holiday002 and so on, in the order of the list.</p>

<h3>Disclaimer:</h3>
<p>Quillet is free and comes without any warranty: you use it at your own risk. Look over the new
names before you make the changes. News and other programs are at
<a href="http://{host}/">{host}</a>.</p>
</body>
</html>
)";

std::string Replaced(std::string text, const std::string& token, const std::string& value)
{
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
    return text;
}

std::string TemporaryFolderPath()
{
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return length == 0 || length >= MAX_PATH ? std::string("\\") : Narrowed(folder, length);
}

} // namespace

HelpPage::HelpPage(FileOps& files, ShellCalls& shell)
    : files_(files), shell_(shell), path_(TemporaryFolderPath() + "QuilletHelp.htm")
{
}

HelpPage::~HelpPage()
{
    // At exit nobody is left to tell; a page left in the temporary folder is
    // written anew on the next run.
    (void)files_.RemoveFile(path_);
}

const std::string& HelpPage::Text()
{
    static const std::string page =
        Replaced(Replaced(kPageTemplate, "{notice}", kMakerNotice), "{host}", kMakerHost);
    return page;
}

void HelpPage::Show()
{
    if (files_.WriteWholeFile(path_, Text()) != 0)
        return;
    shell_.Open(nullptr, "open", path_.c_str(), "", "", SW_SHOWNORMAL);
}

void HelpPage::CheckForUpdates(HWND owner)
{
    const std::string address = std::string("http://") + kMakerHost + "/OsbrinUtilities.html#Quillet";
    shell_.Open(owner, "open", address.c_str(), "", "", SW_SHOWNORMAL);
}
