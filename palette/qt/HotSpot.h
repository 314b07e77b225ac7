#pragma once

#include <QLabel>

class QMouseEvent;

namespace palette {

// A label, image or picture box of the palette window. It takes every mouse
// event over its whole rectangle, even where it is transparent and empty, so
// that an event reaches the topmost control under the pointer and never the
// controls beneath it. It reports clicks and pointer moves; the window's
// handlers decide what they mean.
//
// A click is a left-button press and release on the control. A double click
// counts as one click.
class HotSpot : public QLabel {
    Q_OBJECT
public:
    explicit HotSpot(QWidget* parent);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool clickStarted_ = false;
};

} // namespace palette
