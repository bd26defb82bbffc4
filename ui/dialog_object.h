// Layer: window framework.
// Modal dialogs as objects: the object rides in as the dialog's creation
// parameter and its handlers receive the dialog's messages.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

class Dialog {
public:
    Dialog() = default;
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // The handlers in the order the program's tables list them.
    virtual bool Create(HWND parent);
    virtual INT_PTR OnOtherMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnActivate(WPARAM wParam, LPARAM lParam);
    virtual void OnChar(WPARAM wParam, LPARAM lParam);
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnContextMenu(WPARAM wParam, LPARAM lParam);
    virtual bool OnCreate();
    virtual INT_PTR OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy();
    virtual void OnDrawItem(WPARAM wParam, LPARAM lParam);
    virtual void OnDropFiles(HDROP drop);
    virtual void OnHScroll(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnInitDialog(WPARAM wParam, LPARAM lParam);
    virtual void OnInitMenu();
    virtual void OnKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnKillFocus();
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnMenuSelect(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual INT_PTR OnQueryEndSession();
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM wParam, LPARAM lParam);
    virtual void OnSysColorChange();
    virtual void OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR timerId);
    virtual INT_PTR OnVKeyToItem(WPARAM wParam);
    virtual void OnVScroll(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Runs the dialog of this template modally over the owner; the dialog's
    // result (1 confirmed, 0 cancelled), or -1 when it could not be shown.
    INT_PTR Run(HWND owner, const char* templateName);
    HWND GetHandle() const { return handle_; }

    // The procedure given to DialogBoxParamA with the object as parameter.
    static INT_PTR CALLBACK SharedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    HWND handle_ = nullptr;
    // Written back as the dialog's message result when a handler answers.
    LRESULT messageResult_ = 0;
};

// At most `limit` characters of a dialog item's text: text put in by the
// program (which the typing limit does not stop) is cut rather than carried on.
std::string ItemText(HWND dialog, int id, int limit);
