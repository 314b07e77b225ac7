#pragma once

#include <string>

namespace installer {

// The wizard controls the installation reads its inputs from and writes its
// results to. The wizard window implements it over its widgets; tests fake it.
class InstallationControls {
public:
    virtual ~InstallationControls() = default;

    // Caption of Label1: the user name shown on the welcome view.
    virtual std::u16string UserNameCaption() = 0;
    // Caption of Label2: the version name shown on the welcome view.
    virtual std::u16string VersionNameCaption() = 0;
    // Selects entry 2 of List1 and returns the list's text, the Windows folder.
    virtual std::u16string SelectWindowsFolderEntry() = 0;
    // Caption of Label3, the message on the consent page.
    virtual void SetConsentCaption(const std::u16string& caption) = 0;
    // Visibility of Command3, the Yes button.
    virtual void SetYesVisible(bool visible) = 0;
    // Shows Picture4, the success page.
    virtual void ShowSuccessPage() = 0;
    // Shows Picture4 with the report, one line per part that was not
    // installed, in place of the success caption (Label11).
    virtual void ShowIncompletePage(const std::u16string& report) = 0;
};

} // namespace installer
