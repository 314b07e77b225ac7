#pragma once

#include "SymbolCatalogue.h"

#include <QWidget>

#include <array>
#include <functional>
#include <span>

class QLineEdit;
class QPushButton;

namespace doclink {
class DocumentLink;
}

namespace palette {

class FrameShape;
class HotSpot;
struct ControlDesign;

// The palette window. It is built from the design tables of Form1Layout.h;
// every control carries its design name as object name (array elements as
// "Label1_7", "Shape2_3"). The window keeps no state of its own: the panel,
// the view, the about panel and the strip frames are the visibility of its
// controls, and the handlers below read and set only that.
class Form1 : public QWidget {
    Q_OBJECT
public:
    using Beep = std::function<void()>;

    // `link` types into the word processor; `beep` sounds the default beep
    // (tests pass a recorder). Both must outlive the window.
    explicit Form1(doclink::DocumentLink& link, Beep beep = DefaultBeep());
    ~Form1() override;

    // Start-up: parks the about panel at its working place, makes the window
    // topmost, shows it, removes the cell borders and sets the expanded size.
    void Load();

    // The current panel, from the overlay pictures: Image1, then Image2,
    // then Image3 visible; none of them means PanelAlgebra.
    Panel CurrentPanel() const;

    static Beep DefaultBeep();

private:
    void Build(std::span<const ControlDesign> designs, QWidget* container);
    QWidget* Create(const ControlDesign& design, QWidget* container);
    void Connect();

    // Panels, views, the about panel and the strip frames.
    void SelectAlgebra();
    void SelectLetters();
    void SelectGeometry();
    void SelectCalculus();
    void Collapse();
    void Expand();
    void OpenAbout();
    void CloseAbout();
    void HideStripFrames();
    void ShowCollapseIconFrame();

    // The palette cells and the editing strip.
    void CellClick(int index);
    void CellMouseMove(int index);
    void StripClick(int index);
    void StripMouseMove(int index);

    doclink::DocumentLink& link_;
    Beep beep_;

    // The controls the handlers act on, found by name once the window is built.
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    QPushButton* command6_ = nullptr;
    QLineEdit* text1_ = nullptr;
    HotSpot* picture1_ = nullptr;
    HotSpot* picture2_ = nullptr;
    HotSpot* picture3_ = nullptr;
    HotSpot* label3_ = nullptr;
    HotSpot* menu_ = nullptr;
    HotSpot* image1_ = nullptr;
    HotSpot* image2_ = nullptr;
    HotSpot* image3_ = nullptr;
    HotSpot* image4_ = nullptr;
    HotSpot* image5_ = nullptr;
    HotSpot* image6_ = nullptr;
    HotSpot* image7_ = nullptr;
    HotSpot* image8_ = nullptr;
    FrameShape* shape1_ = nullptr;
    std::array<HotSpot*, kCellCount> label1_{};
    std::array<HotSpot*, 6> label2_{};
    std::array<FrameShape*, 6> shape2_{};
};

} // namespace palette
