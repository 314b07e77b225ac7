#pragma once

#include "PaletteControls.h"
#include "PaletteLogic.h"

#include <QWidget>

#include <functional>
#include <string>
#include <unordered_map>

namespace doclink {
class DocumentLink;
}

namespace palette {

struct ControlDesign;

// The palette window on Qt. It builds the controls from the design tables of
// Form1Layout.h, each with its design name as object name (array elements as
// "Label1_7", "Shape2_3"), passes their clicks and pointer moves to
// PaletteLogic and carries out the verbs the logic asks for.
class Form1 : public QWidget, private PaletteControls {
    Q_OBJECT
public:
    using BeepFunction = std::function<void()>;

    // `link` types into the word processor; `beep` sounds the default beep
    // (tests pass a recorder). Both must outlive the window.
    explicit Form1(doclink::DocumentLink& link, BeepFunction beep = DefaultBeep());
    ~Form1() override;

    // Start-up: see PaletteLogic::Load.
    void Load();

    Panel CurrentPanel() const;

    static BeepFunction DefaultBeep();

private:
    QWidget* Create(const ControlDesign& design, const std::string& name, QWidget* container);
    QWidget* Control(std::string_view name) const;

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

    BeepFunction beep_;
    PaletteLogic logic_;
    // Every control by its design name, filled while the window is built.
    std::unordered_map<std::string, QWidget*> controlsByName_;
};

} // namespace palette
