// Layer: window framework.
// The program's own modal message box: centred lines of text, an optional
// icon, up to three buttons worked by keyboard, and colours of its own. The
// warning box and the round about box derive from it. One box is open at a
// time: the buttons are shared.
#pragma once
#include "ui/controls.h"
#include "ui/font_object.h"
#include "ui/shell_calls.h"
#include "ui/sunken_frame.h"
#include "ui/window_object.h"

#include <memory>

// Type flags of Show: buttons in the low four bits, icon in the next four,
// the default button in the four after.
constexpr UINT BOX_OK = 0;
constexpr UINT BOX_OKCANCEL = 1;
constexpr UINT BOX_YESNOCANCEL = 3;
constexpr UINT BOX_YESNO = 4;
constexpr UINT BOX_ICONHAND = 0x10;
constexpr UINT BOX_ICONQUESTION = 0x20;
constexpr UINT BOX_ICONEXCLAMATION = 0x30;
constexpr UINT BOX_ICONASTERISK = 0x40;
constexpr UINT BOX_DEFBUTTON2 = 0x100;
constexpr UINT BOX_DEFBUTTON3 = 0x200;

class MsgBox : public Wnd {
public:
    MsgBox();

    bool RegisterWindowClass() override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSetFocus() override;
    virtual void AfterCreate();
    virtual void OnOtherCommand(int id, HWND control);
    virtual void CreateButtons();
    virtual void CreateBoxWindow();

    // Runs the box modally. Returns the system's IDOK, IDCANCEL, IDYES or IDNO
    // for the button pressed, or 0 when the box could not be shown or the
    // program is quitting.
    int Show(HWND owner, const char* text, const char* caption, UINT type, int iconId, COLORREF textColour,
             COLORREF background, COLORREF frameDark);

protected:
    // Creates shared button `index` with this result.
    void AddButton(int index, const char* text, int x, int y, int result);
    int OkButtonId() const;
    // The icon at the left with the frame around the text.
    void PaintIconAndFrame(HDC dc) const;
    // The lines from `y` down, each centred between `left` and `right`.
    void PaintLines(HDC dc, int y, int left, int right) const;
    void FillBackground(HDC dc) const;
    int LineCount() const { return lineCount_; }
    int LineHeight() const { return lineHeight_; }
    int CharWidth() const { return charWidth_; }
    int WidestLine() const { return widestLine_; }
    const char* Caption() const { return caption_; }
    HWND Owner() const { return owner_; }
    HICON Icon() const { return icon_; }
    COLORREF Background() const { return background_; }

    RECT textRect_{};

private:
    bool Measure(const char* text);
    void LoadBoxIcon(int iconId);
    void RunModalLoop();

    bool running_ = false;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    int lineCount_ = 0;
    int widestLine_ = 0;
    int result_ = 0;
    int results_[3] = {};
    UINT type_ = 0;
    COLORREF textColour_ = 0;
    COLORREF background_ = 0;
    std::unique_ptr<char[]> textCopy_;
    const char* text_ = "";
    const char* caption_ = "";
    SunkenFrame frame_;
};

// The red yes/no box with "WARNING " banners above and below its text.
class WarningBox : public MsgBox {
public:
    void OnPaint() override;
    void CreateButtons() override;
    void CreateBoxWindow() override;

    // True when the user answered Yes.
    bool Ask(HWND owner, const char* text, const char* caption, COLORREF bannerColour);

private:
    void PaintBanner(HDC dc, int y, int width) const;

    COLORREF bannerColour_ = 0;
};

// The round box with a red ring; its caption is a link the shell opens.
class AboutBox : public MsgBox {
public:
    explicit AboutBox(ShellCalls& shell = SystemShellCalls());

    void OnDrawItem(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnOtherCommand(int id, HWND control) override;
    void CreateButtons() override;
    void CreateBoxWindow() override;

private:
    int FirstLineY() const;
    void CreateLink();

    ShellCalls& shell_;
    ButtonCtl link_;
    FontObject linkFont_;
};
