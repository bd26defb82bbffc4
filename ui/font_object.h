// Layer: window framework.
// A font described by face, size and style, with the text colour drawn in and
// the metrics of the created font.
#pragma once
#include <windows.h>

class FontObject {
public:
    FontObject();
    ~FontObject();
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    void SetWeight(int weight) { description_.lfWeight = weight; }
    void SetUnderline(bool underline) { description_.lfUnderline = underline ? 1 : 0; }
    void SetColour(COLORREF colour) { colour_ = colour; }

    // Makes the font at this size in points for the device context; an empty
    // face keeps the one set before. A font made earlier is released first.
    bool Create(HDC dc, const char* face, int points);
    // Sets the text colour and selects the font; returns the font it replaced,
    // which the caller selects back.
    HGDIOBJ Select(HDC dc) const;
    void Delete();

    HFONT Handle() const { return font_; }
    const LOGFONTA& Description() const { return description_; }
    COLORREF Colour() const { return colour_; }
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }

private:
    LOGFONTA description_;
    COLORREF colour_ = 0;
    HFONT font_ = nullptr;
    int charWidth_ = 0;
    int lineHeight_ = 0;
};
