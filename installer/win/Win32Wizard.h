#pragma once

#include "FileSystem.h"
#include "InstallationControls.h"
#include "SystemProbe.h"

#include <windows.h>

#include <map>
#include <string>

namespace installer::win {

// The installer wizard frmMain as a native window: a welcome view with the
// user name and the version name, and four pages laid over it (consent,
// help, success, farewell), all built from the layout tables the Qt wizard
// uses too. Pages are child windows stacked in the table's order: showing
// one hides nothing, hiding one reveals whatever visible layer lies below.
// The installation reads and writes the controls themselves.
class Win32Wizard final : private InstallationControls {
public:
    Win32Wizard(HINSTANCE instance, SystemProbe& probe, FileSystem& files, Desktop& desktop);
    ~Win32Wizard() override;
    Win32Wizard(const Win32Wizard&) = delete;
    Win32Wizard& operator=(const Win32Wizard&) = delete;

    // Shows the window and runs the message loop until it is closed;
    // returns the program's exit code.
    int Run(int show);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void BuildControls();
    void Load();
    void Click(HWND button);
    void Tick();
    LRESULT ColourStatic(HDC dc, HWND control);

    HWND Find(const char* name) const;
    void SetVisible(const char* name, bool visible) const;

    std::u16string UserNameCaption() override;
    std::u16string VersionNameCaption() override;
    std::u16string SelectWindowsFolderEntry() override;
    void SetConsentCaption(const std::u16string& caption) override;
    void SetYesVisible(bool visible) override;
    void ShowSuccessPage() override;
    void ShowIncompletePage(const std::u16string& report) override;

    HINSTANCE instance_;
    SystemProbe& probe_;
    FileSystem& files_;
    Desktop& desktop_;
    HWND window_ = nullptr;
    // Controls and pages by their design names.
    std::map<std::string, HWND, std::less<>> controls_;
    HFONT plainFont_ = nullptr;
    HFONT captionFont_ = nullptr;
    HFONT reportFont_ = nullptr;
    HBRUSH redBrush_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    // Ticks of Timer1 counted so far; counting stops at the fifth.
    short tickCount_ = 0;
};

} // namespace installer::win
