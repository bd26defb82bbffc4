// Layer: application (the main window, the application object, the program).
// The main window's bar: a "Browse" button and a read-only field showing the
// folder being worked on.
#pragma once
#include "ui/button_bar.h"
#include "ui/controls.h"

class MainBar : public BtnBar {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool Create(HWND parent, int x, int y, int width, int height) override;

    void ShowPath(const char* text);

private:
    void LayOutPathField(int barWidth);

    ButtonCtl browse_;
    EditCtl path_;
};
