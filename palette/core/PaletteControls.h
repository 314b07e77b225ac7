#pragma once

#include "Form1Layout.h"

#include <string>
#include <string_view>

namespace palette {

// What the palette's handlers ask of a window front end: verbs on the
// window's controls, named by their design names ("Image1", "Label1_7",
// "Shape2_3"). A front end builds the controls from the design tables and
// implements these verbs and nothing else; the handlers read the state they
// need back through it, so a front end keeps no state of the palette's own.
// Positions and sizes are in twips; a front end converts them for its screen.
class PaletteControls {
public:
    virtual ~PaletteControls() = default;

    virtual bool IsVisible(std::string_view control) const = 0;
    virtual void Show(std::string_view control) = 0;
    virtual void Hide(std::string_view control) = 0;

    // Left and top within the control's container.
    virtual TwipPoint Position(std::string_view control) const = 0;
    virtual void Move(std::string_view control, TwipPoint to) = 0;

    // A palette cell's tooltip; an empty text shows none.
    virtual void SetToolTip(std::string_view control, std::u16string_view text) = 0;
    // Removes the single-line border a cell is created with.
    virtual void RemoveBorder(std::string_view control) = 0;

    // The window: its client size, its place above ordinary windows, showing
    // it, and closing it, which ends the program.
    virtual void SetClientSize(TwipSize size) = 0;
    virtual void MakeTopmost() = 0;
    virtual void ShowWindow() = 0;
    virtual void CloseWindow() = 0;

    // The system's default beep.
    virtual void Beep() = 0;
    // The modal failure box; it returns when the user has closed it, with
    // any button.
    virtual void ShowFailureBox() = 0;
};

// The name of element `index` of the control array `array`: "Label1_7".
inline std::string ElementName(std::string_view array, int index)
{
    return std::string(array) + '_' + std::to_string(index);
}

} // namespace palette
