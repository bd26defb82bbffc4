// Layer: window framework.
// Child controls wrapped in small objects. A control's window finds its object
// through the window's user data, so that the window and dialog dispatchers
// can hand notifications to the control before its parent sees them.
#pragma once
#include <windows.h>

#include <functional>

class Control {
public:
    // Told the id of the control that raised the notification.
    using Handler = std::function<void(int id)>;

    Control(DWORD style, DWORD exStyle = 0);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Id 0 takes the next automatic id (900, 901, ...).
    virtual bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height);
    // True when the notification was handled.
    virtual bool OnCommandNotify(int code, int id);
    virtual void OnDrawItemNotify(DRAWITEMSTRUCT* item);
    virtual LRESULT OnNotifyMessage(NMHDR* header);
    virtual void SetHandler(Handler handler);
    // Messages of a subclassed control; the default passes them on.
    virtual LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Takes the parent's item with this object's id if there is one, else
    // creates it; either way the window then leads back to this object.
    bool Attach(const char* className, HWND parent, const char* text, int x, int y, int width, int height);
    // Replaces the window procedure; null means the one that calls
    // SubclassProc. Only the first replacement remembers the original.
    void Subclass(WNDPROC procedure);
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND GetHandle() const { return handle_; }
    int Id() const { return id_; }
    void SetStyle(DWORD style) { style_ = style; }
    void SetExStyle(DWORD exStyle) { exStyle_ = exStyle; }

    // The live control object a window belongs to, or null.
    static Control* FromWindow(HWND window);

protected:
    bool CallHandler(int id);
    // The id for Create: the given one, or the next automatic one.
    static int TakeId(int id);

    HWND handle_ = nullptr;
    DWORD style_;
    DWORD exStyle_;
    int id_ = 0;
    Handler handler_;
    WNDPROC previous_ = nullptr;
};

class ButtonCtl : public Control {
public:
    explicit ButtonCtl(bool subclassOnCreate = false);
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
    // The character after "&" in the text it was created with, 0 if none.
    char AcceleratorLetter() const { return accelerator_; }

private:
    bool subclassOnCreate_;
    char accelerator_ = 0;
};

class EditCtl : public Control {
public:
    EditCtl();
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
};

class ListViewCtl : public Control {
public:
    ListViewCtl();
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    void GetItemText(int item, int subitem, char* buffer, int size) const;
};

class ComboCtl : public Control {
public:
    explicit ComboCtl(DWORD style = 0);
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    bool OnCommandNotify(int code, int id) override;
    int Selection() const { return selection_; }

private:
    int selection_ = CB_ERR;
};

// The warning every Create without an override of its own shows: a control's,
// a window's or a dialog's.
void ReportMissingCreate();

// The next value of the program-wide automatic control id.
int NextControlId();
