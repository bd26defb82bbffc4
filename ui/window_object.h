// Layer: window framework.
// The root of every window of the program: an object whose virtual handlers
// receive the messages of its window through one shared window procedure.
#pragma once
#include <windows.h>
#include <shellapi.h>

class Wnd {
public:
    explicit Wnd(DWORD style = 0);
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    // The handlers in the order the program's tables list them.
    virtual bool Create(HWND parent, INT_PTR menuOrId = 0, const char* text = nullptr, int x = 0, int y = 0,
                        int width = 0, int height = 0);
    virtual void FillWindowClass(WNDCLASSA* windowClass);
    virtual void FillCreateParams(CREATESTRUCTA* params);
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnDestroyed();
    virtual bool OnOtherMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual bool RegisterWindowClass() = 0;
    virtual int OnSaveState();
    virtual void OnChar(WPARAM wParam, LPARAM lParam);
    virtual void OnClose();
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnContextMenu(WPARAM wParam, LPARAM lParam);
    virtual bool OnCreate();
    virtual LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy();
    virtual void OnDrawItem(WPARAM wParam, LPARAM lParam);
    virtual void OnDropFiles(HDROP drop);
    virtual void OnEndSession(WPARAM wParam, LPARAM lParam);
    virtual void OnHScroll(WPARAM wParam, LPARAM lParam);
    virtual void OnInitMenu(HMENU menu);
    virtual void OnKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnKillFocus();
    virtual void OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual int OnMenuSelect(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    virtual void OnNotify(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual LRESULT OnQueryEndSession();
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM wParam, LPARAM lParam);
    virtual void OnSysColorChange();
    virtual void OnSysCommand();
    virtual void OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR timerId);
    virtual LRESULT OnVKeyToItem(WPARAM wParam);
    virtual void OnVScroll(WPARAM wParam, LPARAM lParam);

    // Creates the window unless the object already holds one; true when a
    // window is held afterwards.
    bool CreateWindowObject(const char* className, HWND parent, HMENU menuOrId, const char* windowName, int x,
                            int y, int width, int height);
    // True when the window was destroyed; the handle is then cleared.
    bool Destroy();
    HWND GetHandle() const { return handle_; }

    // The procedure every class of the program registers.
    static LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Registers a class with the shared procedure once per run. `fill` lets the
    // caller's FillWindowClass adjust it just before registration.
    bool RegisterOnce(bool& registered, WNDCLASSA windowClass, bool fill);

    DWORD style_;
    DWORD exStyle_ = 0;

private:
    HWND handle_ = nullptr;
};

// A window class description with the shared procedure and the program
// instance filled in; the caller sets the rest.
WNDCLASSA SharedWindowClass(const char* className, UINT classStyle);

// The display's system font metrics, which size the program's own windows.
// False when they cannot be read.
bool DisplayTextMetrics(TEXTMETRICA& metrics);
