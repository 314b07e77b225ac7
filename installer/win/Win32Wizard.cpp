#include "Win32Wizard.h"

#include "Installation.h"
#include "SetTopmostWin.h"
#include "SystemFacts.h"
#include "Twips.h"
#include "WinText.h"
#include "WizardLayout.h"
#include "WizardResources.h"

namespace installer::win {

using glyphboard::win::FromWide;
using glyphboard::win::ToWide;
using wizard::Control;
using wizard::Kind;
using wizard::Look;

namespace {

constexpr wchar_t kWindowClass[] = L"GlyphinstallWizard";
constexpr wchar_t kPageClass[] = L"GlyphinstallPage";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickInterval = 1000; // ms
constexpr short kTicksUntilYes = 5;

// The window's own property that remembers each label's look, for its colours.
constexpr wchar_t kLookProperty[] = L"GlyphinstallLook";

int Pixels(int twips)
{
    return glyphboard::TwipsToPixels(twips);
}

std::wstring Text(const char16_t* text)
{
    return ToWide(text);
}

HFONT MakeFont(const wchar_t* face, double points, int weight = FW_BOLD)
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(static_cast<int>(points * 100), GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ARABIC_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// Labels of one text line sit in the middle of their height; taller labels
// wrap from the top.
constexpr int kTwoLines = 500; // twips

DWORD StaticStyle(const Control& control)
{
    if (control.kind == Kind::Rectangle)
        return SS_BLACKFRAME;
    if (control.kind == Kind::Logo || control.kind == Kind::DocumentIcon)
        return SS_ICON | SS_REALSIZEIMAGE;
    DWORD style = control.look == Look::RightAligned ? SS_RIGHT : SS_CENTER;
    if (control.rect.height < kTwoLines)
        style |= SS_CENTERIMAGE;
    if (control.kind == Kind::Box || control.look == Look::Bordered)
        style |= WS_BORDER;
    return style | SS_NOPREFIX;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

// Selects a list box entry and returns the list's text, as the list's own
// selection would give it.
std::wstring SelectEntry(HWND list, int entry)
{
    SendMessageW(list, LB_SETCURSEL, entry, 0);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, entry, 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    SendMessageW(list, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

// Puts a window above its earlier siblings: controls are created bottom first.
void RaiseToTop(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

Win32Wizard::Win32Wizard(HINSTANCE instance, SystemProbe& probe, FileSystem& files, Desktop& desktop)
    : instance_(instance), probe_(probe), files_(files), desktop_(desktop)
{
    plainFont_ = MakeFont(L"Tahoma", 9.75);
    captionFont_ = MakeFont(L"MS Sans Serif", 12);
    reportFont_ = MakeFont(L"Tahoma", 8, FW_NORMAL);
    redBrush_ = CreateSolidBrush(RGB(255, 0, 0));
    bigIcon_ = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(GLYPHINSTALL_ICON_WINDOW), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    smallIcon_ = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(GLYPHINSTALL_ICON_WINDOW), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));

    WNDCLASSEXW main = {};
    main.cbSize = sizeof main;
    main.lpfnWndProc = WindowProc;
    main.hInstance = instance;
    main.hIcon = bigIcon_;
    main.hIconSm = smallIcon_;
    main.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kWindowClass;
    RegisterClassExW(&main);

    WNDCLASSEXW page = main;
    page.lpfnWndProc = PageProc;
    page.hIcon = nullptr;
    page.hIconSm = nullptr;
    page.lpszClassName = kPageClass;
    RegisterClassExW(&page);

    // A fixed single border and a close box, no minimise or maximise box;
    // the system's default position, the outer size set at load.
    window_ = CreateWindowExW(0, kWindowClass, Text(wizard::kWindowCaption).c_str(),
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, Pixels(wizard::kWindowOuterSize.width),
                              Pixels(wizard::kWindowOuterSize.height), nullptr, nullptr, instance, this);
    BuildControls();
    Load();
}

Win32Wizard::~Win32Wizard()
{
    if (window_)
        DestroyWindow(window_);
    DeleteObject(plainFont_);
    DeleteObject(captionFont_);
    DeleteObject(reportFont_);
    DeleteObject(redBrush_);
    if (bigIcon_)
        DestroyIcon(bigIcon_);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
}

int Win32Wizard::Run(int show)
{
    ShowWindow(window_, show);
    UpdateWindow(window_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

void Win32Wizard::BuildControls()
{
    const auto create = [this](const Control& control, HWND parent) {
        const int left = Pixels(control.rect.left);
        const int top = Pixels(control.rect.top);
        const int width = Pixels(control.rect.width);
        const int height = Pixels(control.rect.height);
        const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        HWND handle = nullptr;
        switch (control.kind) {
        case Kind::Button:
            handle =
                CreateWindowExW(0, L"BUTTON", Text(control.caption).c_str(), common | WS_TABSTOP | BS_PUSHBUTTON,
                                left, top, width, height, parent, nullptr, instance_, nullptr);
            break;
        case Kind::PictureButton:
            handle = CreateWindowExW(0, L"BUTTON", L"", common | WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, left, top,
                                     width, height, parent, nullptr, instance_, nullptr);
            SendMessageW(handle, BM_SETIMAGE, IMAGE_ICON,
                         reinterpret_cast<LPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32514)))); // IDI_QUESTION
            break;
        case Kind::List:
        case Kind::FileList:
            // Placed below the visible part of the window. The folder test
            // of the installation goes through the platform's file system.
            handle = CreateWindowExW(0, L"LISTBOX", L"", common | WS_BORDER | WS_VSCROLL, left, top, width, height,
                                     parent, nullptr, instance_, nullptr);
            break;
        case Kind::Logo:
        case Kind::DocumentIcon: {
            const bool logo = control.kind == Kind::Logo;
            handle = CreateWindowExW(0, L"STATIC", L"", common | StaticStyle(control), left, top, width, height,
                                     parent, nullptr, instance_, nullptr);
            HANDLE picture = LoadImageW(
                instance_, MAKEINTRESOURCEW(logo ? GLYPHINSTALL_ICON_LOGO : GLYPHINSTALL_ICON_WORDPROCESSOR),
                IMAGE_ICON, logo ? 103 : 29, logo ? 102 : 28, LR_DEFAULTCOLOR);
            SendMessageW(handle, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
            break;
        }
        case Kind::Page:
            // Hidden until a button opens it; moved into place at load.
            handle = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, left, top,
                                     width, height, parent, nullptr, instance_, this);
            break;
        case Kind::Rectangle:
        case Kind::Label:
        case Kind::Box:
            handle = CreateWindowExW(0, L"STATIC", Text(control.caption).c_str(), common | StaticStyle(control),
                                     left, top, width, height, parent, nullptr, instance_, nullptr);
            SetPropW(handle, kLookProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(control.look) + 1));
            break;
        }
        if (control.kind != Kind::Page)
            SendMessageW(handle, WM_SETFONT,
                         reinterpret_cast<WPARAM>(control.look == Look::Caption ? captionFont_ : plainFont_),
                         FALSE);
        RaiseToTop(handle);
        controls_.emplace(control.name, handle);
    };

    glyphboard::ForEachControlBottomFirst<Control>(wizard::kContainers,
                                                   [&](const char* container, const Control& control) {
                                                       create(control, container ? Find(container) : window_);
                                                   });
}

void Win32Wizard::Load()
{
    glyphboard::win::SetTopmostWindow(window_);
    SetWindowPos(window_, nullptr, 0, 0, Pixels(wizard::kWindowOuterSize.width),
                 Pixels(wizard::kWindowOuterSize.height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    HWND list = Find("List1");
    for (const std::u16string& entry : {CurrentUserName(probe_), OsVersionName(probe_), WindowsFolder(probe_)})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
    SetWindowTextW(Find("Label1"), SelectEntry(list, 0).c_str());
    SetWindowTextW(Find("Label2"), SelectEntry(list, 1).c_str());

    for (const char* page : {"Picture1", "Picture3", "Picture4", "Picture5"})
        SetWindowPos(Find(page), nullptr, Pixels(wizard::kPagePlace.x), Pixels(wizard::kPagePlace.y), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Win32Wizard::Find(const char* name) const
{
    return controls_.find(name)->second;
}

void Win32Wizard::SetVisible(const char* name, bool visible) const
{
    ShowWindow(Find(name), visible ? SW_SHOW : SW_HIDE);
}

void Win32Wizard::Click(HWND button)
{
    const auto is = [&](const char* name) { return button == Find(name); };
    if (is("Command1")) {
        SetVisible("Picture1", true);
        SetTimer(window_, kTimerId, kTickInterval, nullptr);
        SetVisible("Command3", false);
    } else if (is("Command2")) {
        DestroyWindow(window_);
    } else if (is("Command3")) {
        RunInstallation(*this, files_, desktop_, probe_.InstallerFolder());
    } else if (is("Command4")) {
        SetVisible("Picture1", false);
    } else if (is("Command5")) {
        SetVisible("Picture3", true);
    } else if (is("Command8")) {
        SetVisible("Picture3", false);
    } else if (is("Command6")) {
        SetVisible("Picture5", true);
    } else if (is("Command7")) {
        desktop_.ShowShutdownDialog();
        DestroyWindow(window_);
    }
}

void Win32Wizard::Tick()
{
    // The timer ticks for as long as the window exists; the count stops at
    // the tick that reveals Yes so that it can never overflow.
    if (tickCount_ >= kTicksUntilYes)
        return;
    if (++tickCount_ == kTicksUntilYes)
        SetVisible("Command3", true);
}

LRESULT Win32Wizard::ColourStatic(HDC dc, HWND control)
{
    const auto look = static_cast<INT_PTR>(reinterpret_cast<INT_PTR>(GetPropW(control, kLookProperty))) - 1;
    switch (static_cast<Look>(look)) {
    case Look::Caption:
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case Look::RedBand:
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, RGB(255, 0, 0));
        return reinterpret_cast<LRESULT>(redBrush_);
    default:
        if (look < 0) // pictures: the page's own background
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
}

LRESULT CALLBACK Win32Wizard::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<Win32Wizard*>(create->lpCreateParams)->window_ = window;
    }
    auto* wizard = reinterpret_cast<Win32Wizard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!wizard)
        return DefWindowProcW(window, message, wParam, lParam);
    return wizard->Handle(message, wParam, lParam);
}

// Pages pass their buttons' clicks and their labels' colours to the window.
LRESULT CALLBACK Win32Wizard::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC)
        return SendMessageW(GetParent(page), message, wParam, lParam);
    return DefWindowProcW(page, message, wParam, lParam);
}

LRESULT Win32Wizard::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam)
            Click(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kTimerId)
            Tick();
        return 0;
    case WM_CTLCOLORSTATIC: return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        KillTimer(window_, kTimerId);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

std::u16string Win32Wizard::UserNameCaption()
{
    return FromWide(WindowText(Find("Label1")));
}

std::u16string Win32Wizard::VersionNameCaption()
{
    return FromWide(WindowText(Find("Label2")));
}

std::u16string Win32Wizard::SelectWindowsFolderEntry()
{
    return FromWide(SelectEntry(Find("List1"), 2));
}

void Win32Wizard::SetConsentCaption(const std::u16string& caption)
{
    SetWindowTextW(Find("Label3"), ToWide(caption).c_str());
}

void Win32Wizard::SetYesVisible(bool visible)
{
    SetVisible("Command3", visible);
}

void Win32Wizard::ShowSuccessPage()
{
    SetVisible("Picture4", true);
}

void Win32Wizard::ShowIncompletePage(const std::u16string& report)
{
    // The report takes the whole box of the page, wrapped from the top in a
    // small plain type, so that a line for each part fits.
    HWND label = Find("Label11");
    RECT box;
    GetWindowRect(Find("Label14"), &box);
    MapWindowPoints(nullptr, Find("Picture4"), reinterpret_cast<POINT*>(&box), 2);
    SetWindowLongPtrW(label, GWL_STYLE,
                      (GetWindowLongPtrW(label, GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK | SS_CENTERIMAGE)) | SS_RIGHT);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(reportFont_), FALSE);
    SetWindowPos(label, nullptr, box.left + 2, box.top + 2, box.right - box.left - 4, box.bottom - box.top - 4,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(label, ToWide(report).c_str());
    SetVisible("Picture4", true);
}

} // namespace installer::win
