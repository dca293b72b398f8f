#include "Form2.h"

#include "Form1/PictureBox.h"
#include "Module1/Module1.h"

Form2::Form2(QWidget* owner, const QImage& picture, bool topmost)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      picture_(picture),
      topmost_(topmost) {
    setWindowTitle(QString::fromUtf16(u"Stripewell - 拡大図"));
    setFixedSize(274, 179);
    Picture1 = new PictureBox(this, QRect(0, 0, 274, 178), PictureBox::Border::Sunken3D);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QString::fromUtf16(u"拡大図"));
    Form_Load();
}

void Form2::Form_Load() {
    Module1::SetTopmost(this, topmost_);
    setWindowIcon(parentWidget()->windowIcon());

    const int dw = Picture1->ScaleWidth();
    const int dh = Picture1->ScaleHeight();
    Picture1->Canvas().PaintPicture(picture_, 0, 0, dw, dh, 0, 0, picture_.width(),
                                    picture_.height());
}

void Form2::Form_Unload() {
    Module1::SetTopmost(this, false);
}

void Form2::done(int result) {
    Form_Unload();
    QDialog::done(result);
}
