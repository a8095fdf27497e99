#pragma once

#include <span>
#include <string_view>

// The main window as designed: every control with its designer name,
// container, caption or default text, place and size, and start-up state.
// Places and sizes are in twips, measured from the container's top-left
// corner (the client area, or the frame holding the control).

enum class ControlKind {
    Frame,         // a group box; bounds the option buttons inside it
    Label,         // right-aligned when it names a field, left-aligned otherwise
    UnitLabel,     // left-aligned, right of its field
    InputField,    // single-line text field, editable
    ResultField,   // single-line text field, read-only
    OptionButton,  // radio button, exclusive within its frame
    CommandButton, // push button
};

struct ControlDesign {
    ControlKind kind;
    const char *name;
    const char *container; // nullptr: the window's client area
    const char *text;
    int left;
    int top;
    int width;
    int height;
    bool enabled = true;
    bool selected = false; // option buttons only
};

inline constexpr int kClientWidthTwips = 8490;
inline constexpr int kClientHeightTwips = 6045;
inline constexpr const char *kWindowCaption = "Quorlan\\Orsela";

// 15 twips are one pixel at 96 dpi; the toolkit scales its device-independent
// pixels on screens with more, and a browser by its zoom.
constexpr int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

// Containers come before what they hold.
std::span<const ControlDesign> WindowDesign();

// The caption of the label that names a field ("自由高度" for "Text13"); the
// field's own name when no label names it.
const char *FieldCaption(std::string_view textBox);

// The controls that take part in the Tab chain, in its order. Of an option
// group only the selected button takes the focus; disabled ones are skipped.
std::span<const char *const> TabOrder();
