#include "Form1Window.h"

#include "DesignTables.h"
#include "Dpi.h"
#include "Form1Layout.h"
#include "PictureBitmaps.h"
#include "PictureDesigns.h"
#include "SetTopmostWin.h"
#include "SymbolCatalogue.h"
#include "Twips.h"
#include "WinText.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace palette {
namespace {

constexpr wchar_t kFormClass[] = L"GlyphboardForm1";
constexpr wchar_t kPictureBoxClass[] = L"GlyphboardPictureBox";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_NOACTIVATE | WS_EX_APPWINDOW;
constexpr COLORREF kFrameColour = RGB(255, 0, 0);

std::wstring Wide(const char* utf8)
{
    if (!utf8 || !*utf8)
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    text.pop_back();
    return text;
}

bool IsWindowed(ControlKind kind)
{
    return kind == ControlKind::Button || kind == ControlKind::TextBox || kind == ControlKind::PictureBox
           || kind == ControlKind::SunkenPictureBox;
}

} // namespace

// One control of the window. Windowed controls keep their state in their
// window; for the others this record is the control: its place, visibility,
// border and picture, drawn and hit-tested by its container.
struct Form1Window::Control {
    std::string name;
    ControlKind kind;
    TwipRect rect;
    bool visible;
    bool bordered;
    std::wstring caption;
    Control* container; // nullptr: the window itself
    HWND window = nullptr;
    HBITMAP picture = nullptr;
    SIZE pictureSize{};
};

Form1Window::Form1Window(HINSTANCE instance, doclink::DocumentLink& link) : instance_(instance), logic_(*this, link)
{
    // The stored client area, on the monitor it lies on.
    const POINT origin{glyphboard::TwipsToPixels(kClientOrigin.x), glyphboard::TwipsToPixels(kClientOrigin.y)};
    dpi_ = dpi::ForPoint(origin);
    const TwipRect stored{kClientOrigin.x, kClientOrigin.y, kStoredClientSize.width, kStoredClientSize.height};
    const RECT outer = dpi::OuterRect(PixelRect(stored), kFormStyle, kFormExStyle, dpi_);
    window_ =
        CreateWindowExW(kFormExStyle, kFormClass, Wide(kWindowCaption).c_str(), kFormStyle, outer.left, outer.top,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this);
    if (!window_)
        throw std::runtime_error("the palette window could not be created");
    dpi_ = dpi::ForWindow(window_);
    buttonFont_ = dpi::MessageFont(dpi_);

    // The tooltip window has no owner: a topmost window that the palette
    // owned would keep the palette itself from becoming topmost (wine puts
    // an owner below its owned windows and leaves it in the ordinary band).
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);

    ForEachControlBottomFirst([&](const char* container, const ControlDesign& design, const std::string& name) {
        Add(design, name, container ? &Find(container) : nullptr);
    });
    AddCellToolTips();
    ApplyDpi(dpi_);
}

Form1Window::~Form1Window()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    if (IsWindow(toolTip_))
        DestroyWindow(toolTip_);
    for (const auto& control : controls_)
        if (control->picture)
            DeleteObject(control->picture);
    DeleteObject(buttonFont_);
    DeleteObject(labelFont_);
}

void Form1Window::RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = WindowProc;
    form.hInstance = instance;
    form.hCursor = LoadCursor(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);

    WNDCLASSEXW box = form;
    box.hIcon = box.hIconSm = nullptr;
    box.lpszClassName = kPictureBoxClass;
    RegisterClassExW(&box);
}

Form1Window::Control& Form1Window::Add(const ControlDesign& design, std::string name, Control* container)
{
    auto control = std::make_unique<Control>(Control{name, design.kind, design.rect, design.visible,
                                                     design.kind == ControlKind::Label
                                                         || design.kind == ControlKind::BorderedImage
                                                         || design.kind == ControlKind::GridCell,
                                                     Wide(design.caption), container});
    if (const PictureDesign* picture = FindPicture(design.name)) {
        control->picture = PictureBitmaps::Load(instance_, design.name);
        control->pictureSize = {picture->width, picture->height};
    }
    Control& added = *control;
    controls_.push_back(std::move(control));
    controlsByName_[name] = &added;
    if (IsWindowed(added.kind))
        CreateChildWindow(added);
    return added;
}

void Form1Window::CreateChildWindow(Control& control)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0);
    DWORD exStyle = 0;
    const wchar_t* windowClass = kPictureBoxClass;
    switch (control.kind) {
    case ControlKind::Button:
        windowClass = L"BUTTON";
        style |= BS_PUSHBUTTON;
        break;
    case ControlKind::TextBox:
        windowClass = L"EDIT";
        style |= ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::SunkenPictureBox: exStyle = WS_EX_CLIENTEDGE; [[fallthrough]];
    default: style |= WS_CLIPCHILDREN; break;
    }
    control.window = CreateWindowExW(exStyle, windowClass, control.caption.c_str(), style, 0, 0, 0, 0,
                                     ContainerWindow(control.container), nullptr, instance_,
                                     windowClass == kPictureBoxClass ? this : nullptr);
    if (!control.window)
        throw std::runtime_error("a control of the palette window could not be created");
    SetWindowLongPtrW(control.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    if (control.kind == ControlKind::Button) {
        const LONG_PTR original =
            SetWindowLongPtrW(control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc));
        SetPropW(control.window, L"Form1WindowButton", reinterpret_cast<HANDLE>(original));
    }
    // Later siblings lie above earlier ones.
    SetWindowPos(control.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form1Window::AddCellToolTips()
{
    for (int i = 0; i < kCellCount; ++i) {
        const Control& cell = Find(ElementName("Label1", i));
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        // Arabic names read right to left.
        tool.uFlags = TTF_SUBCLASS | TTF_RTLREADING;
        tool.hwnd = ContainerWindow(cell.container);
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = PixelRect(cell.rect);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Places every child window, makes the fonts and moves the tooltip areas for
// `dpi`; the window's own size is set by the caller.
void Form1Window::ApplyDpi(UINT dpi)
{
    dpi_ = dpi;
    DeleteObject(buttonFont_);
    buttonFont_ = dpi::MessageFont(dpi_);
    DeleteObject(labelFont_);
    // Tahoma 8.25 pt, regular, Arabic character set.
    labelFont_ = CreateFontW(-MulDiv(825, static_cast<int>(dpi_), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             ARABIC_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, L"Tahoma");
    for (const auto& control : controls_) {
        if (!control->window)
            continue;
        PlaceChildWindow(*control);
        SendMessageW(control->window, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
    }
    for (int i = 0; i < kCellCount; ++i) {
        const Control& cell = Find(ElementName("Label1", i));
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = ContainerWindow(cell.container);
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = PixelRect(cell.rect);
        SendMessageW(toolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void Form1Window::PlaceChildWindow(const Control& control) const
{
    const RECT r = PixelRect(control.rect);
    SetWindowPos(control.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

Form1Window::Control& Form1Window::Find(std::string_view name) const
{
    const auto found = controlsByName_.find(std::string(name));
    if (found == controlsByName_.end())
        throw std::logic_error("the palette window has no control " + std::string(name));
    return *found->second;
}

HWND Form1Window::ContainerWindow(const Control* container) const
{
    return container ? container->window : window_;
}

// Edges are converted, not sizes, so that controls that touch in the design
// still touch at every DPI.
RECT Form1Window::PixelRect(const TwipRect& rect) const
{
    const int dpi = static_cast<int>(dpi_);
    return {glyphboard::TwipsToPixels(rect.left, dpi), glyphboard::TwipsToPixels(rect.top, dpi),
            glyphboard::TwipsToPixels(rect.left + rect.width, dpi),
            glyphboard::TwipsToPixels(rect.top + rect.height, dpi)};
}

void Form1Window::Invalidate(const Control& control) const
{
    RECT r = PixelRect(control.rect);
    InflateRect(&r, 1, 1);
    InvalidateRect(ContainerWindow(control.container), &r, TRUE);
}

void Form1Window::Load()
{
    logic_.Load();
}

// ---------------------------------------------------------------------------
// Events

LRESULT CALLBACK Form1Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetPropW(window, L"Form1Window", create->lpCreateParams);
    }
    auto* self = static_cast<Form1Window*>(GetPropW(window, L"Form1Window"));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    const auto* container = reinterpret_cast<const Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self->Handle(window, container, message, wParam, lParam);
}

LRESULT Form1Window::Handle(HWND window, const Control* container, UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_MOUSEACTIVATE:
        // A click works without making the palette the active window.
        return MA_NOACTIVATE;
    case WM_PAINT: Paint(window, container); return 0;
    case WM_ERASEBKGND: return 1; // Paint fills the background itself
    case WM_MOUSEMOVE: logic_.OnMouseMove(EventTarget(container, at)); return 0;
    case WM_LBUTTONDOWN:
        pressed_ = EventTarget(container, at);
        SetCapture(window);
        return 0;
    case WM_LBUTTONDBLCLK:
        // The second press of a double click starts no click of its own.
        pressed_.clear();
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() == window)
            ReleaseCapture();
        RECT client;
        GetClientRect(window, &client);
        const std::string released = PtInRect(&client, at) ? EventTarget(container, at) : std::string();
        const std::string started = std::move(pressed_);
        pressed_.clear();
        if (!released.empty() && released == started)
            logic_.OnClick(released);
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam) {
            const auto* button =
                reinterpret_cast<const Control*>(GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWLP_USERDATA));
            if (button)
                logic_.OnClick(button->name);
        }
        return 0;
    case WM_DPICHANGED:
        if (!container) {
            ApplyDpi(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    case WM_GETMINMAXINFO:
        // The collapsed view is narrower than the smallest window the system
        // would otherwise allow with a caption.
        if (!container) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
            return 0;
        }
        break;
    case WM_DESTROY:
        if (!container)
            PostQuitMessage(0);
        break;
    case WM_NCDESTROY: RemovePropW(window, L"Form1Window"); break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A button that does not take the focus when clicked, so that the palette
// is not activated; it reports its click to its container as usual.
LRESULT CALLBACK Form1Window::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(button);
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == button) {
            RECT client;
            GetClientRect(button, &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            SendMessageW(button, BM_SETSTATE, PtInRect(&client, at), 0);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == button) {
            ReleaseCapture();
            const bool inside = SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED;
            SendMessageW(button, BM_SETSTATE, FALSE, 0);
            if (inside)
                SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
        }
        return 0;
    }
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(button, L"Form1WindowButton"));
    if (message == WM_NCDESTROY)
        RemovePropW(button, L"Form1WindowButton");
    return CallWindowProcW(original, button, message, wParam, lParam);
}

const Form1Window::Control* Form1Window::HitTest(const Control* container, POINT at) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const Control& control = **it;
        if (control.container != container || control.window || !control.visible
            || control.kind == ControlKind::Frame)
            continue;
        const RECT r = PixelRect(control.rect);
        if (PtInRect(&r, at))
            return &control;
    }
    return nullptr;
}

std::string Form1Window::EventTarget(const Control* container, POINT at) const
{
    if (const Control* hit = HitTest(container, at))
        return hit->name;
    return container ? container->name : std::string("Form1");
}

// ---------------------------------------------------------------------------
// Drawing: the container's background and own picture, then its windowless
// controls bottom first.

namespace {

void DrawPicture(HDC dc, HBITMAP picture, SIZE size, int left, int top, UINT dpi)
{
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture);
    const int width = MulDiv(size.cx, static_cast<int>(dpi), 96);
    const int height = MulDiv(size.cy, static_cast<int>(dpi), 96);
    if (width == size.cx && height == size.cy) {
        BitBlt(dc, left, top, width, height, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, left, top, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawOutline(HDC dc, RECT r, COLORREF colour, int width)
{
    HPEN pen = CreatePen(PS_SOLID | PS_INSIDEFRAME, width, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

} // namespace

void Form1Window::Paint(HWND window, const Control* container)
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    // Drawn off screen first, so that moving frames does not flicker.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP buffer = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ oldBuffer = SelectObject(dc, buffer);

    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (container && container->picture)
        DrawPicture(dc, container->picture, container->pictureSize, 0, 0, dpi_);
    const int line = std::max(1, MulDiv(1, static_cast<int>(dpi_), 96));
    for (const auto& owned : controls_) {
        const Control& control = *owned;
        if (control.container != container || control.window || !control.visible)
            continue;
        RECT r = PixelRect(control.rect);
        if (control.kind == ControlKind::Frame) {
            DrawOutline(dc, r, kFrameColour, 2 * line);
            continue;
        }
        if (control.picture) {
            const int inset = control.kind == ControlKind::BorderedImage ? line : 0;
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
            DrawPicture(dc, control.picture, control.pictureSize, r.left + inset, r.top + inset, dpi_);
            RestoreDC(dc, saved);
        }
        if (!control.caption.empty()) {
            HGDIOBJ oldFont = SelectObject(dc, labelFont_);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            RECT text = r;
            InflateRect(&text, -line, -line);
            DrawTextW(dc, control.caption.c_str(), static_cast<int>(control.caption.size()), &text,
                      DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, oldFont);
        }
        if (control.bordered)
            DrawOutline(dc, r, GetSysColor(COLOR_WINDOWTEXT), line);
    }

    BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBuffer);
    DeleteObject(buffer);
    DeleteDC(dc);
    EndPaint(window, &paint);
}

// ---------------------------------------------------------------------------
// The verbs

bool Form1Window::IsVisible(std::string_view name) const
{
    const Control& control = Find(name);
    if (control.window)
        return (GetWindowLongPtrW(control.window, GWL_STYLE) & WS_VISIBLE) != 0;
    return control.visible;
}

void Form1Window::Show(std::string_view name)
{
    Control& control = Find(name);
    if (control.window) {
        ::ShowWindow(control.window, SW_SHOWNA);
        return;
    }
    // The hover handlers show and hide frames on every pointer move: only a
    // change is repainted.
    if (control.visible)
        return;
    control.visible = true;
    Invalidate(control);
}

void Form1Window::Hide(std::string_view name)
{
    Control& control = Find(name);
    if (control.window) {
        ::ShowWindow(control.window, SW_HIDE);
        return;
    }
    if (!control.visible)
        return;
    control.visible = false;
    Invalidate(control);
}

TwipPoint Form1Window::Position(std::string_view name) const
{
    const Control& control = Find(name);
    return {control.rect.left, control.rect.top};
}

void Form1Window::Move(std::string_view name, TwipPoint to)
{
    Control& control = Find(name);
    // The cell frame is moved onto its cell on every pointer move: a move to
    // where it already is repaints nothing.
    if (control.rect.left == to.x && control.rect.top == to.y)
        return;
    if (!control.window)
        Invalidate(control);
    control.rect.left = to.x;
    control.rect.top = to.y;
    if (control.window)
        PlaceChildWindow(control);
    else
        Invalidate(control);
}

void Form1Window::SetToolTip(std::string_view name, std::u16string_view text)
{
    const Control& control = Find(name);
    const std::string_view index = name.substr(name.find('_') + 1);
    std::wstring wide = glyphboard::win::ToWide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = ContainerWindow(control.container);
    tool.uId = static_cast<UINT_PTR>(std::stoi(std::string(index)));
    tool.lpszText = wide.data();
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form1Window::RemoveBorder(std::string_view name)
{
    Control& control = Find(name);
    control.bordered = false;
    Invalidate(control);
}

void Form1Window::SetClientSize(TwipSize size)
{
    const RECT client{0, 0, glyphboard::TwipsToPixels(size.width, static_cast<int>(dpi_)),
                      glyphboard::TwipsToPixels(size.height, static_cast<int>(dpi_))};
    const RECT outer = dpi::OuterRect(client, kFormStyle, kFormExStyle, dpi_);
    // The top-left corner stays put.
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::MakeTopmost()
{
    glyphboard::win::SetTopmostWindow(window_);
}

void Form1Window::ShowWindow()
{
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

void Form1Window::CloseWindow()
{
    DestroyWindow(window_);
}

void Form1Window::Beep()
{
    MessageBeep(MB_OK);
}

void Form1Window::ShowFailureBox()
{
    // Cancel, Try Again and Continue (style value 6), Cancel the default, no
    // icon; the answer does not matter.
    MessageBoxW(
        window_,
        L"\u0628\u0631\u0646\u0627\u0645\u062C \u0627\u0644\u0648\u0648\u0631\u062F \u0644\u0627 \u064A\u0639\u0645\u0644",
        L"Close Program", MB_CANCELTRYCONTINUE | MB_DEFBUTTON1);
}

} // namespace palette
