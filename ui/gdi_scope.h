// Layer: window framework.
// GDI resources held for one scope: each is given back when the scope ends,
// on every way out of it.
#pragma once
#include <windows.h>

// A pen, brush, font or region made here and deleted at the end of the scope,
// unless Release hands it to its new owner (the system, for a window region).
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject()
    {
        if (object_)
            DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    HGDIOBJ Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Release() { object_ = nullptr; }

private:
    HGDIOBJ object_;
};

// An object selected into a device context; the one it replaced goes back at
// the end of the scope. Selecting nothing leaves the context as it is.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selected()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The device context of a window's client area, released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An information context of the display, for measuring text without a
// window; deleted at the end of the scope.
class DisplayInfoDC {
public:
    DisplayInfoDC() : dc_(CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayInfoDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    DisplayInfoDC(const DisplayInfoDC&) = delete;
    DisplayInfoDC& operator=(const DisplayInfoDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};
