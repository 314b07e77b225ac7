#pragma once

#include "PaletteControls.h"
#include "PaletteLogic.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace doclink {
class DocumentLink;
}

namespace palette {

struct ControlDesign;

// The palette window on Win32. Buttons, the text box and the picture boxes
// are child windows; labels, images, cells and frames are drawn by their
// container, which also decides which of them a mouse event belongs to: the
// topmost visible one under the pointer that takes mouse input, else the
// container itself. Every event goes to PaletteLogic by the control's design
// name; the verbs it asks for act on these controls. Design twips become
// pixels at the DPI of the window's monitor.
//
// The window never takes activation (WS_EX_NOACTIVATE, MA_NOACTIVATE), so a
// click leaves the keyboard in the document the user types into.
class Form1Window final : private PaletteControls {
public:
    // `link` must outlive the window.
    Form1Window(HINSTANCE instance, doclink::DocumentLink& link);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Start-up: see PaletteLogic::Load.
    void Load();
    HWND Handle() const { return window_; }

    // Registers the window classes; once per program, before the first window.
    static void RegisterClasses(HINSTANCE instance);

private:
    struct Control;

    Control& Add(const ControlDesign& design, std::string name, Control* container);
    void CreateChildWindow(Control& control);
    void PlaceChildWindow(const Control& control) const;
    void AddCellToolTips();
    void ApplyDpi(UINT dpi);
    Control& Find(std::string_view name) const;
    HWND ContainerWindow(const Control* container) const;
    RECT PixelRect(const TwipRect& rect) const;
    void Invalidate(const Control& control) const;

    // Window procedures: the palette and its picture boxes share one; the
    // buttons are subclassed so that a click does not take the focus.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, const Control* container, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window, const Control* container);
    const Control* HitTest(const Control* container, POINT at) const;
    std::string EventTarget(const Control* container, POINT at) const;

    // PaletteControls
    bool IsVisible(std::string_view control) const override;
    void Show(std::string_view control) override;
    void Hide(std::string_view control) override;
    TwipPoint Position(std::string_view control) const override;
    void Move(std::string_view control, TwipPoint to) override;
    void SetToolTip(std::string_view control, std::u16string_view text) override;
    void RemoveBorder(std::string_view control) override;
    void SetClientSize(TwipSize size) override;
    void MakeTopmost() override;
    void ShowWindow() override;
    void CloseWindow() override;
    void Beep() override;
    void ShowFailureBox() override;

    HINSTANCE instance_;
    PaletteLogic logic_;
    HWND window_ = nullptr;
    HWND toolTip_ = nullptr;
    UINT dpi_ = 96;
    HFONT buttonFont_ = nullptr;
    HFONT labelFont_ = nullptr;
    // Creation order: bottom first within each container.
    std::vector<std::unique_ptr<Control>> controls_;
    std::unordered_map<std::string, Control*> controlsByName_;
    // The control a left-button press started on; a click needs the release
    // on the same one.
    std::string pressed_;
};

} // namespace palette
