#pragma once

#include "PaletteControls.h"
#include "SymbolCatalogue.h"

#include <string_view>

namespace doclink {
class DocumentLink;
}

namespace palette {

// The behaviour of the palette window, written once for every front end:
// start-up, and what a click or a pointer move on each control does. It acts
// on the window only through PaletteControls and keeps no state: the panel,
// the view, the about panel and the strip frames are the visibility and
// places of the controls, read back when needed.
class PaletteLogic {
public:
    // Both must outlive the logic.
    PaletteLogic(PaletteControls& controls, doclink::DocumentLink& link);

    // Start-up, once the controls exist: parks the about panel at its working
    // place, makes the window topmost, shows it, removes the cell borders and
    // sets the expanded size.
    void Load();

    // A click (press and release on the same control; a double click counts
    // once) or a pointer move on the control of that design name. Events of
    // controls without a handler are ignored.
    void OnClick(std::string_view control);
    void OnMouseMove(std::string_view control);

    // The current panel: the first visible overlay picture in the order of
    // kPanels, the base panel when none is.
    Panel CurrentPanel() const;

private:
    void SelectPanel(const PanelDesign& selected);
    void Collapse();
    void Expand();
    void OpenAbout();
    void CloseAbout();
    void HideStripFrames();
    void ShowCollapseIconFrame();
    void CellClick(int index);
    void CellMouseMove(int index);
    void StripClick(int index);
    void StripMouseMove(int index);
    void TypeOrFail(std::u16string_view text, std::u16string_view font, bool deleteFirst);

    PaletteControls& controls_;
    doclink::DocumentLink& link_;
};

} // namespace palette
