#pragma once

#include <QWidget>

namespace palette {

// A red rectangle outline, two pixels wide, transparent inside. It takes no
// mouse input: events go to whatever lies beneath it.
class FrameShape : public QWidget {
public:
    explicit FrameShape(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace palette
