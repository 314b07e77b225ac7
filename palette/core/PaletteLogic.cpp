// The handlers of the palette window. Each sets exactly the control
// properties it is responsible for, in a fixed order, and nothing else.

#include "PaletteLogic.h"

#include "DocumentLink.h"
#include "StripCells.h"

#include <charconv>
#include <optional>
#include <string>

namespace palette {
namespace {

// The controls the handlers act on, by their role.
constexpr std::string_view kExitButton = "Command2";
constexpr std::string_view kBasePanel = "Picture1";
constexpr std::string_view kCollapsedView = "Picture2";
constexpr std::string_view kAboutPanel = "Picture3";
constexpr std::string_view kStripPicture = "Image4";
constexpr std::string_view kExpandIcon = "Image5";
constexpr std::string_view kCollapseIcon = "Image6";
constexpr std::string_view kCellFrame = "Shape1";
constexpr std::string_view kCellArray = "Label1";
constexpr std::string_view kStripCellArray = "Label2";
constexpr std::string_view kStripFrameArray = "Shape2";
constexpr int kCollapseIconFrame = 3; // Shape2_3 frames the collapse icon

// What opens and what closes the about panel.
constexpr std::string_view kAboutOpeners[] = {"Label3", "Menu"};
constexpr std::string_view kAboutClosers[] = {"Picture3", "Image7", "Image8"};

// The index of `control` when it is an element of `array` with `count`
// elements ("Label1_7" of "Label1").
std::optional<int> ElementIndex(std::string_view control, std::string_view array, int count)
{
    if (control.size() <= array.size() + 1 || !control.starts_with(array) || control[array.size()] != '_')
        return std::nullopt;
    const std::string_view digits = control.substr(array.size() + 1);
    int index = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0 || index >= count)
        return std::nullopt;
    return index;
}

template <std::size_t N>
bool IsOneOf(std::string_view control, const std::string_view (&names)[N])
{
    for (std::string_view name : names)
        if (control == name)
            return true;
    return false;
}

} // namespace

PaletteLogic::PaletteLogic(PaletteControls& controls, doclink::DocumentLink& link)
    : controls_(controls), link_(link)
{
}

void PaletteLogic::Load()
{
    controls_.Move(kAboutPanel, kAboutPanelPlace);
    controls_.MakeTopmost();
    controls_.ShowWindow();
    for (int i = 0; i < kCellCount; ++i)
        controls_.RemoveBorder(ElementName(kCellArray, i));
    controls_.SetClientSize(kExpandedClientSize);
}

void PaletteLogic::OnClick(std::string_view control)
{
    if (const auto cell = ElementIndex(control, kCellArray, kCellCount))
        return CellClick(*cell);
    if (const auto cell = ElementIndex(control, kStripCellArray, kStripCellCount))
        return StripClick(*cell);
    for (const PanelDesign& panel : kPanels)
        if (control == panel.button)
            return SelectPanel(panel);
    if (control == kExitButton)
        return controls_.CloseWindow();
    if (control == kCollapseIcon)
        return Collapse();
    if (control == kExpandIcon)
        return Expand();
    if (IsOneOf(control, kAboutOpeners))
        return OpenAbout();
    if (IsOneOf(control, kAboutClosers))
        return CloseAbout();
}

void PaletteLogic::OnMouseMove(std::string_view control)
{
    if (const auto cell = ElementIndex(control, kCellArray, kCellCount))
        return CellMouseMove(*cell);
    if (const auto cell = ElementIndex(control, kStripCellArray, kStripCellCount))
        return StripMouseMove(*cell);
    if (control == kBasePanel || control == kStripPicture)
        return HideStripFrames();
    if (control == kCollapseIcon)
        return ShowCollapseIconFrame();
}

Panel PaletteLogic::CurrentPanel() const
{
    for (const PanelDesign& panel : kPanels)
        if (panel.overlay && controls_.IsVisible(panel.overlay))
            return panel.panel;
    return PanelAlgebra;
}

// Every panel button closes the about panel: the base panel's after hiding
// the overlays, which stay where they are; the others before moving their
// overlay over the base picture and showing only it.
void PaletteLogic::SelectPanel(const PanelDesign& selected)
{
    if (selected.overlay) {
        controls_.Hide(kAboutPanel);
        controls_.Move(selected.overlay, kOverlayPlace);
    }
    for (const PanelDesign& panel : kPanels) {
        if (!panel.overlay)
            continue;
        if (&panel == &selected)
            controls_.Show(panel.overlay);
        else
            controls_.Hide(panel.overlay);
    }
    if (!selected.overlay)
        controls_.Hide(kAboutPanel);
}

// Views. The window's top-left corner stays put; only its size changes.

void PaletteLogic::Collapse()
{
    controls_.SetClientSize(kCollapsedClientSize);
    controls_.Show(kCollapsedView);
}

void PaletteLogic::Expand()
{
    controls_.SetClientSize(kExpandedClientSize);
    controls_.Hide(kCollapsedView);
}

void PaletteLogic::OpenAbout()
{
    controls_.Show(kAboutPanel);
}

void PaletteLogic::CloseAbout()
{
    controls_.Hide(kAboutPanel);
}

void PaletteLogic::HideStripFrames()
{
    for (int i = 0; i < kStripCellCount; ++i)
        controls_.Hide(ElementName(kStripFrameArray, i));
}

void PaletteLogic::ShowCollapseIconFrame()
{
    controls_.Show(ElementName(kStripFrameArray, kCollapseIconFrame));
}

void PaletteLogic::CellClick(int index)
{
    // The panel and the strip picture are read before anything is typed.
    const Panel panel = CurrentPanel();
    const CatalogueEntry& entry = SymbolCatalogue(panel, index);
    const bool deleteFirst = entry.deleteFirst && controls_.IsVisible(kStripPicture);
    TypeOrFail(entry.text, entry.font, deleteFirst, entry.name);
}

// Runs on every pointer move over a cell, so it does only this: move the
// highlight frame onto the cell and set the cell's tooltip from the current
// panel, even when the name is empty or unchanged.
void PaletteLogic::CellMouseMove(int index)
{
    const std::string cell = ElementName(kCellArray, index);
    controls_.Move(kCellFrame, controls_.Position(cell));
    controls_.SetToolTip(cell, SymbolCatalogue(CurrentPanel(), index).name);
}

void PaletteLogic::StripClick(int index)
{
    const StripCell& cell = kStripCells[index];
    if (cell.beepFirst)
        controls_.Beep();
    TypeOrFail(cell.text, cell.font, cell.deleteFirst, cell.undoTitle);
}

void PaletteLogic::StripMouseMove(int index)
{
    HideStripFrames();
    controls_.Show(ElementName(kStripFrameArray, index));
}

void PaletteLogic::TypeOrFail(std::u16string_view text, std::u16string_view font, bool deleteFirst,
                              std::u16string_view undoTitle)
{
    try {
        link_.TypeInFont(std::u16string(text), std::u16string(font), deleteFirst, std::u16string(undoTitle));
    } catch (...) {
        // DocumentLinkError, or anything else a backend lets through: the
        // click ends with the one failure box instead of taking the program
        // down; the next click starts afresh.
        controls_.ShowFailureBox();
    }
}

} // namespace palette
