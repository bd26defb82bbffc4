// Layer: dialogs (the action dialogs and the tools' windows).
// Controls the program draws itself, placed in dialog templates by class
// name. The template creates the window; the object that serves it is found
// by the window's control id in a registry every custom control joins when it
// is built.
#pragma once
#include <windows.h>

class CustomControl {
public:
    // `className` is the window class the dialog templates name; it must
    // outlive the object.
    CustomControl(int id, const char* className);
    virtual ~CustomControl();
    CustomControl(const CustomControl&) = delete;
    CustomControl& operator=(const CustomControl&) = delete;

    // Registers the control's window class with CustomControlProc, once per
    // run; false when it was registered already or could not be. (The
    // system's macro turns the name into RegisterClassA throughout.)
    bool RegisterClass();
    virtual void OnSetCursor(WPARAM wParam, LPARAM lParam);
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnCreate();
    virtual void OnDestroy();
    virtual void OnDrawItem(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM wParam, LPARAM lParam);

    int Id() const { return id_; }
    HWND GetHandle() const { return handle_; }

    // The window procedure of every custom control class.
    static LRESULT CALLBACK CustomControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Tells the parent window that the control changed (WM_NOTIFY).
    void NotifyParent(UINT code);

    HWND handle_ = nullptr;

private:
    int id_;
    const char* className_;
    NMHDR header_{};
};

// The newest live control registered under `id`, or null.
CustomControl* FindCustomControl(int id);

// Registers the window class of every control built so far.
void RegisterAllCustomControls();
