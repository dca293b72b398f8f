#pragma once

// The enlarged view: the main window's picture, stretched once to twice its
// size when the view opens. It is shown modal over the main window and made
// anew for every zoom.

#include <QDialog>

class Form1;
class PictureBox;

class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(Form1* owner);

    PictureBox* Picture1;

    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();

    Form1* owner_;
};
