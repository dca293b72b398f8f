#pragma once

// The enlarged view: a picture, stretched once to twice its size when the
// view opens. It is shown modal over its owner and made anew for every zoom.

#include <QDialog>
#include <QImage>

class PictureBox;

class Form2 : public QDialog {
    Q_OBJECT

public:
    // topmost keeps the view on top of other programs' windows, as its owner is.
    Form2(QWidget* owner, const QImage& picture, bool topmost);

    PictureBox* Picture1;

    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();

    const QImage picture_;
    const bool topmost_;
};
