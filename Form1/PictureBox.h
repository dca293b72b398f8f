#pragma once

#include <QFrame>

#include "symbol/canvas.h"

// A picture box: a framed canvas whose persistent image repaints the control.
// Whoever takes the canvas to draw on it gets a repaint scheduled with it.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    enum class Border { FlatSingle, Sunken3D };

    // A picture box with the given outer geometry; its canvas has the inner size.
    PictureBox(QWidget* parent, const QRect& geometry, Border border);

    symbol::Canvas& Canvas();
    const QImage& Image() const { return canvas_.Image(); }
    int ScaleWidth() const { return canvas_.ScaleWidth(); }
    int ScaleHeight() const { return canvas_.ScaleHeight(); }

    QSize sizeHint() const override { return size(); }

signals:
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    symbol::Canvas canvas_;
};
