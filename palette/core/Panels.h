#pragma once

namespace palette {

// The four symbol panels. Which one is current is read from the window's
// overlay pictures (PaletteLogic::CurrentPanel), never stored.
enum Panel { PanelAlgebra, PanelLetters, PanelGeometry, PanelCalculus };

inline constexpr int kPanelCount = 4;

// Each panel with the button that selects it and the overlay picture that
// shows it over the base picture of Picture1 (none for the base panel).
// CurrentPanel tests the overlays in this table's order.
struct PanelDesign {
    Panel panel;
    const char* button;
    const char* overlay;
};

inline constexpr PanelDesign kPanels[kPanelCount] = {
    {PanelAlgebra, "Command3", nullptr},
    {PanelLetters, "Command4", "Image1"},
    {PanelGeometry, "Command5", "Image2"},
    {PanelCalculus, "Command6", "Image3"},
};

} // namespace palette
