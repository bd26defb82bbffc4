// Layer: dialogs (the action dialogs and the tools' windows).
// The dialogs that ask the rename actions for their parameters. Each is built
// once and kept for the whole run, so it opens with what was confirmed last.
// Run answers 1 when confirmed, 0 when cancelled and -1 when the dialog could
// not be shown; the values are worth reading after a 1 only.
#pragma once
#include "engine/action_rules.h"
#include "engine/transforms.h"
#include "ui/dialog_object.h"
#include "ui/controls.h"

#include <string>

// Warns about text that cannot go into a file name (a path separator, a
// wildcard, a reserved or a control character) and hands the dialog's field
// back to the user for mending; true when it did. The folder tools use it too.
bool RefuseUnfitName(HWND dialog, int id, const std::string& text);

// What the five have in common: they hear WM_INITDIALOG and WM_COMMAND only;
// OK asks the dialog to confirm and Cancel closes it with 0.
class ActionDialog : public Dialog {
public:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) final;

protected:
    virtual void Init() = 0;
    // Closes the dialog, or leaves it open for the user to mend what was given.
    virtual void Confirm() = 0;
    // A plain click on one of the dialog's other buttons.
    virtual void OnClick(int id);
};

// The greatest length a name may be shortened to, and how it is asked for.
class ShortenDialog : public ActionDialog {
public:
    static constexpr int kDigits = 8;

    INT_PTR Run(HWND owner);
    int MaxLength() const { return maxLength_; }

private:
    void Init() override;
    void Confirm() override;

    int maxLength_ = 0; // 0 until a length was confirmed
};

// Where the index number goes, and which name it numbers.
class IndexDialog : public ActionDialog {
public:
    static constexpr int kNameLimit = 259;

    INT_PTR Run(HWND owner);
    // -1 until chosen; 0 before the name, 1 after it.
    int Position() const { return position_; }
    // -1 until chosen; 0 the existing names, 1 the new name.
    int NameChoice() const { return choice_; }
    const std::string& NewName() const { return newName_; }
    bool StartWithOne() const { return startWithOne_; }
    // The settings the numbering works from.
    IndexOptions Options() const;

private:
    void Init() override;
    void Confirm() override;
    void OnClick(int id) override;
    void ChooseName(int choice);

    int position_ = -1;
    int choice_ = -1;
    std::string newName_;
    bool startWithOne_ = false;
    // What the buttons say while the dialog is open; kept only on OK.
    int workingPosition_ = -1;
    int workingChoice_ = -1;
};

// Which files get a new extension, and the extension they get.
class ExtensionDialog : public ActionDialog {
public:
    static constexpr int kTextLimit = 39;

    INT_PTR Run(HWND owner);
    const std::string& Pattern() const { return pattern_; }
    // As typed, without the leading '*', '.' and '?' of "*.jpg" or ".jpg".
    const std::string& Extension() const { return extension_; }

private:
    void Init() override;
    void Confirm() override;

    std::string pattern_ = "*.*";
    std::string extension_;
    EditCtl patternEdit_;
    EditCtl extensionEdit_;
};

// The text to take out of every name, picked from a sample name if wished.
class RemoveTextDialog : public ActionDialog {
public:
    static constexpr int kTextLimit = 80;

    // `sampleName` is shown for picking a piece of it: the folder's first file.
    INT_PTR Run(HWND owner, const std::string& sampleName);
    const std::string& Text() const { return text_; }

private:
    void Init() override;
    void Confirm() override;
    void OnClick(int id) override;
    void Transfer();

    std::string text_;
    std::string sample_;
};

// The text to put before or after every name.
class PrefixAppendDialog : public ActionDialog {
public:
    static constexpr int kTextLimit = 40;

    // 1 only with a text: OK on an empty text answers 0, as Cancel does.
    INT_PTR Run(HWND owner);
    // -1 until chosen; 0 prefix, 1 append.
    int PositionChoice() const { return position_; }
    TextPosition Position() const { return position_ == 0 ? TextPosition::Prefix : TextPosition::Append; }
    const std::string& Text() const { return text_; }

private:
    void Init() override;
    void Confirm() override;

    int position_ = -1;
    std::string text_;
};
