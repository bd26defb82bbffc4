// Layer: window framework.
// The program's top-level window: a bar across the top, a list view filling
// the middle and a status bar along the bottom, with the message loop.
#pragma once
#include "ui/button_bar.h"
#include "ui/controls.h"
#include "ui/status_bar.h"
#include "ui/window_object.h"

class FrameWnd : public Wnd {
public:
    FrameWnd();

    void OnDestroyed() override;
    bool RegisterWindowClass() override;
    void OnClose() override;
    bool OnCreate() override;
    LRESULT OnQueryEndSession() override;
    void OnSetFocus() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    // Nonzero when the window may close now.
    virtual int CanClose();
    // Nonzero when it showed the window itself at a remembered place.
    virtual int RestorePlacement();

    // The three children are owned by the caller and must outlive the frame.
    using Wnd::Create;
    bool Create(ListViewCtl& listView, BtnBar& topBar, StatusBar& statusBar);
    bool LoadAccelerators(const char* resourceName);
    void Show(int showCommand);
    // Runs until WM_QUIT; returns its wParam.
    WPARAM Run();

    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

private:
    void LayOutChildren();

    HACCEL accelerators_ = nullptr;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int barHeight_ = 0;
    ListViewCtl* listView_ = nullptr;
    BtnBar* topBar_ = nullptr;
    StatusBar* statusBar_ = nullptr;
};
