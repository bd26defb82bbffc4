// Layer: window framework.
// The strip across the top of the frame that hosts buttons and fields. It
// passes its children's commands up to the frame.
#pragma once
#include "ui/window_object.h"

// Sent by a child of the bar; the bar hands it on to its parent unchanged.
constexpr UINT WM_BAR_RELAY = 0xFA7E;

class BtnBar : public Wnd {
public:
    BtnBar();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool RegisterWindowClass() override;
    using Wnd::Create;
    virtual bool Create(HWND parent, int x, int y, int width, int height);

    // A hidden bar takes no room in the frame's layout.
    void SetVisible(bool visible);
    bool IsVisible() const { return visible_; }
    int Height() const { return height_; }

private:
    void Paint();
    void RelayCommand(WPARAM wParam, LPARAM lParam);

    int height_ = 0;
    bool visible_ = true;
};
