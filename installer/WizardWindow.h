#pragma once

#include "FileSystem.h"
#include "InstallationControls.h"
#include "SystemProbe.h"

#include <QWidget>

namespace installer::wizard {

struct Control;

// The installer wizard frmMain: a welcome view with the user name and the
// version name, and four pages laid over it (consent, help, success,
// farewell). Pages are layers: showing one hides nothing, hiding one
// reveals whatever visible layer lies below it. Every control carries its
// name as object name, and the installation reads and writes the controls
// themselves.
class WizardWindow : public QWidget, private InstallationControls {
    Q_OBJECT

public:
    WizardWindow(SystemProbe& probe, FileSystem& files, Desktop& desktop, QWidget* parent = nullptr);

    // Ticks of Timer1 counted so far; counting stops at the fifth.
    qint16 TickCount() const { return tickCount_; }

private:
    void BuildControls();
    QWidget* CreateControl(const Control& control, QWidget* parent);
    void Load();
    void ConnectHandlers();
    void Tick();

    template <typename Widget>
    Widget* Find(const char* name) const;

    std::u16string UserNameCaption() override;
    std::u16string VersionNameCaption() override;
    std::u16string SelectWindowsFolderEntry() override;
    void SetConsentCaption(const std::u16string& caption) override;
    void SetYesVisible(bool visible) override;
    void ShowSuccessPage() override;
    void ShowIncompletePage(const std::u16string& report) override;

    SystemProbe& probe_;
    FileSystem& files_;
    Desktop& desktop_;
    qint16 tickCount_ = 0;
};

} // namespace installer::wizard
