#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The canvas size is what the frame leaves inside the outer size.
QSize InnerSize(const QRect& geometry, PictureBox::Border border) {
    const int frame = border == PictureBox::Border::FlatSingle ? 1 : 2;
    return geometry.size() - QSize(2 * frame, 2 * frame);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, const QRect& geometry, Border border)
    : QFrame(parent), canvas_(InnerSize(geometry, border)) {
    if (border == Border::FlatSingle) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    }
    setGeometry(geometry);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

symbol::Canvas& PictureBox::Canvas() {
    update();
    return canvas_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), canvas_.Image());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DblClick();
    QFrame::mouseDoubleClickEvent(event);
}
