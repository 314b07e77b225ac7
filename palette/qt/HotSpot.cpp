#include "HotSpot.h"

#include <QMouseEvent>

namespace palette {

HotSpot::HotSpot(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute);
}

void HotSpot::mousePressEvent(QMouseEvent* event)
{
    clickStarted_ = event->button() == Qt::LeftButton;
    event->accept();
}

void HotSpot::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt delivers the second press of a double click as this event alone;
    // unlike QWidget's default it starts no second click.
    event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        clickStarted_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    clickStarted_ = false;
    event->accept();
    if (click)
        emit clicked();
}

void HotSpot::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseMoved();
}

} // namespace palette
