// Layer: window framework.
// The status bar along the bottom of the frame: panes sized in average
// character widths of its own font, the first pane taking what is left.
#pragma once
#include "ui/controls.h"

#include <vector>

class StatusBar : public Control {
public:
    StatusBar();

    // Room for this many panes; false when memory ran out.
    bool Init(int capacity);
    // Appends a pane of this many characters drawn with these SB_SETTEXT type
    // bits; ignored once the capacity is reached.
    void AddPane(int widthInChars, int type);
    using Control::Create;
    bool Create(HWND parent);
    void SetText(int pane, const char* text);
    int VisibleHeight() const;

    // Follows the parent's new size: the bar moves itself, then the pane
    // edges are worked out from its width and font.
    void Resize(WPARAM wParam, LPARAM lParam);
    // Right edges of the panes for a bar this wide at this character width.
    std::vector<int> PaneEdges(int barWidth, int charWidth) const;

private:
    int CharWidth() const;
    void SendParts();

    HWND parent_ = nullptr;
    int capacity_ = 0;
    std::vector<int> widths_;
    std::vector<int> types_;
    std::vector<int> edges_;
    int added_ = 0;
};
