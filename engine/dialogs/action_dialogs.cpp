// Layer: dialogs (the action dialogs and the tools' windows).

#include "engine/dialogs/action_dialogs.h"

#include "engine/action_rules.h"
#include "engine/name_pieces.h"
#include "resources/resource.h"
#include "ui/centring.h"

#include <algorithm>

namespace {

const char kPrefixAppendHelp[] =
    "Enter the text to be added in front of or behind the file name.\r\n\r\n"
    "Example of prefix:\r\n"
    "If you enter \"CD3-\" and the file name is 01.mp3 then the results will\r\n"
    "be CD3-01.mp3.\r\n\r\n"
    "Example of append:\r\n"
    "If the file name is 02.mp3 and you enter \" Beatles\" you will get\r\n"
    "02 Beatles.mp3.";

// Keeps the user from typing more than the field that receives the text holds.
void LimitText(HWND dialog, int id, int limit)
{
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

// Checks the chosen radio of a pair (`chosen` 0 or 1) and unchecks the other.
// With none chosen both stay as the template made them: a radio that is
// unchecked loses its tab stop, and a group without one is out of the
// keyboard's reach.
void CheckChosen(HWND dialog, int first, int last, int chosen)
{
    if (chosen >= 0)
        CheckRadioButton(dialog, first, last, first + chosen);
}

void FocusWholeText(HWND dialog, int id)
{
    HWND edit = GetDlgItem(dialog, id);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

// Warns about a character the text may not hold, found by `find`, and hands
// the text back to the user for mending; true when it did.
bool RefuseCharacter(HWND dialog, int id, const std::string& text, size_t (*find)(const std::string&))
{
    const size_t at = find(text);
    if (at == std::string::npos)
        return false;
    MessageBoxA(dialog, UnfitCharacterText(text, at).c_str(), "Quillet", MB_OK | MB_ICONWARNING);
    FocusWholeText(dialog, id);
    return true;
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

} // namespace

bool RefuseUnfitName(HWND dialog, int id, const std::string& text)
{
    return RefuseCharacter(dialog, id, text, FindForbiddenCharacter);
}

INT_PTR ActionDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        Init();
        return 1;
    }
    if (msg != WM_COMMAND)
        return 0;
    const int id = LOWORD(wParam);
    if (id == IDOK)
        Confirm();
    else if (id == IDCANCEL)
        EndDialog(handle_, 0);
    else if (HIWORD(wParam) == BN_CLICKED)
        OnClick(id);
    return 1;
}

void ActionDialog::OnClick(int) {}

INT_PTR ShortenDialog::Run(HWND owner)
{
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_SHORTEN));
}

void ShortenDialog::Init()
{
    LimitText(handle_, IDC_ENTRY, kDigits);
    if (maxLength_ > 0)
        SetDlgItemInt(handle_, IDC_ENTRY, static_cast<UINT>(maxLength_), FALSE);
    CenterOverOwner(handle_);
}

// A length out of range, or no number at all, leaves the dialog open: the
// text shows the user what is wrong.
void ShortenDialog::Confirm()
{
    if (ParseShortenLength(ItemText(handle_, IDC_ENTRY, kDigits), maxLength_))
        EndDialog(handle_, 1);
}

INT_PTR IndexDialog::Run(HWND owner)
{
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_INDEX_NAMES));
}

IndexOptions IndexDialog::Options() const
{
    IndexOptions options;
    options.position = position_ == 0 ? TextPosition::Prefix : TextPosition::Append;
    options.useNewName = choice_ == 1;
    options.newName = newName_;
    options.startWithOne = startWithOne_;
    return options;
}

void IndexDialog::Init()
{
    workingPosition_ = position_;
    workingChoice_ = choice_;
    LimitText(handle_, IDC_ENTRY, kNameLimit);
    SetDlgItemTextA(handle_, IDC_ENTRY, newName_.c_str());
    CheckChosen(handle_, IDC_BEFORE_NAME, IDC_AFTER_NAME, position_);
    CheckDlgButton(handle_, IDC_START_WITH_ONE, startWithOne_ ? BST_CHECKED : BST_UNCHECKED);
    CheckChosen(handle_, IDC_EXISTING_NAME, IDC_NEW_NAME, choice_);
    EnableWindow(GetDlgItem(handle_, IDC_ENTRY), choice_ == 1);
    CenterOverOwner(handle_);
}

void IndexDialog::OnClick(int id)
{
    switch (id) {
    case IDC_BEFORE_NAME: workingPosition_ = 0; break;
    case IDC_AFTER_NAME: workingPosition_ = 1; break;
    case IDC_EXISTING_NAME: ChooseName(0); break;
    case IDC_NEW_NAME: ChooseName(1); break;
    }
}

// The name field only matters, and can only be typed in, for a new name.
void IndexDialog::ChooseName(int choice)
{
    workingChoice_ = choice;
    HWND edit = GetDlgItem(handle_, IDC_ENTRY);
    EnableWindow(edit, choice == 1);
    if (choice == 1)
        SendMessageA(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
}

// Both groups need a choice before there is anything to number.
void IndexDialog::Confirm()
{
    if (workingPosition_ < 0 || workingChoice_ < 0)
        return;
    const std::string name = TrimBlanks(ItemText(handle_, IDC_ENTRY, kNameLimit));
    if (workingChoice_ == 1 && RefuseUnfitName(handle_, IDC_ENTRY, name))
        return;
    position_ = workingPosition_;
    choice_ = workingChoice_;
    newName_ = name;
    startWithOne_ = Checked(handle_, IDC_START_WITH_ONE);
    EndDialog(handle_, 1);
}

INT_PTR ExtensionDialog::Run(HWND owner)
{
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_CHANGE_EXTENSIONS));
}

void ExtensionDialog::Init()
{
    patternEdit_.Create(handle_, IDC_ENTRY, pattern_.c_str(), 0, 0, 0, 0);
    extensionEdit_.Create(handle_, IDC_SECOND_EDIT, extension_.c_str(), 0, 0, 0, 0);
    LimitText(handle_, IDC_ENTRY, kTextLimit);
    LimitText(handle_, IDC_SECOND_EDIT, kTextLimit);
    CenterOverOwner(handle_);
}

void ExtensionDialog::Confirm()
{
    const std::string pattern = TrimBlanks(ItemText(handle_, IDC_ENTRY, kTextLimit));
    // The pattern picks files of this folder only: it may not name another.
    if (RefuseCharacter(handle_, IDC_ENTRY, pattern, FindPathCharacter))
        return;
    pattern_ = SourcePattern(pattern);
    extension_ = BareExtension(ItemText(handle_, IDC_SECOND_EDIT, kTextLimit));
    EndDialog(handle_, 1);
}

INT_PTR RemoveTextDialog::Run(HWND owner, const std::string& sampleName)
{
    sample_ = sampleName;
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_REMOVE_TEXT));
}

void RemoveTextDialog::OnClick(int id)
{
    if (id == IDC_TRANSFER)
        Transfer();
}

void RemoveTextDialog::Init()
{
    LimitText(handle_, IDC_ENTRY, kTextLimit);
    SetDlgItemTextA(handle_, IDC_ENTRY, text_.c_str());
    SetDlgItemTextA(handle_, IDC_SECOND_EDIT, sample_.c_str());
    CenterOverOwner(handle_);
}

// The part of the sample the user highlighted becomes the text to remove.
void RemoveTextDialog::Transfer()
{
    DWORD start = 0, end = 0;
    SendDlgItemMessageA(handle_, IDC_SECOND_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    const size_t to = std::min<size_t>(end, sample_.size());
    const size_t from = std::min<size_t>(start, to);
    SetDlgItemTextA(handle_, IDC_ENTRY, sample_.substr(from, std::min<size_t>(to - from, kTextLimit)).c_str());
    FocusWholeText(handle_, IDC_ENTRY);
}

void RemoveTextDialog::Confirm()
{
    const std::string text = ItemText(handle_, IDC_ENTRY, kTextLimit);
    if (text.empty()) {
        FocusWholeText(handle_, IDC_ENTRY);
        return;
    }
    text_ = text;
    EndDialog(handle_, 1);
}

INT_PTR PrefixAppendDialog::Run(HWND owner)
{
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_PREFIX_APPEND));
}

void PrefixAppendDialog::Init()
{
    CheckChosen(handle_, IDC_BEFORE_NAME, IDC_AFTER_NAME, position_);
    LimitText(handle_, IDC_ENTRY, kTextLimit);
    SetDlgItemTextA(handle_, IDC_ENTRY, text_.c_str());
    SetDlgItemTextA(handle_, IDC_SECOND_EDIT, kPrefixAppendHelp);
    CenterOverOwner(handle_);
}

// Without a place for the text nothing can happen; without a text there is
// nothing to do, which the caller hears as a Cancel.
void PrefixAppendDialog::Confirm()
{
    const int chosen = Checked(handle_, IDC_BEFORE_NAME) ? 0 : Checked(handle_, IDC_AFTER_NAME) ? 1 : -1;
    if (chosen < 0)
        return;
    const std::string text = ItemText(handle_, IDC_ENTRY, kTextLimit);
    if (RefuseUnfitName(handle_, IDC_ENTRY, text))
        return;
    position_ = chosen;
    text_ = text;
    EndDialog(handle_, text_.empty() ? 0 : 1);
}
