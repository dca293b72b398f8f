#include "Form2.h"

#include <QCheckBox>

#include "Form1/Form1.h"
#include "Form1/PictureBox.h"
#include "Module1/Module1.h"

Form2::Form2(Form1* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      owner_(owner) {
    setWindowTitle(QString::fromUtf16(u"Stripewell - 拡大図"));
    setFixedSize(274, 179);
    Picture1 = new PictureBox(this, QRect(0, 0, 274, 178), PictureBox::Border::Sunken3D);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QString::fromUtf16(u"拡大図"));
    Form_Load();
}

void Form2::Form_Load() {
    Module1::SetTopmost(this, owner_->Check2->isChecked());
    setWindowIcon(owner_->windowIcon());

    const QImage& picture = owner_->Picture1->Image();
    const int dw = Picture1->ScaleWidth();
    const int dh = Picture1->ScaleHeight();
    const int sw = owner_->Picture1->ScaleWidth();
    const int sh = owner_->Picture1->ScaleHeight();
    Picture1->Canvas().PaintPicture(picture, 0, 0, dw, dh, 0, 0, sw, sh);
}

void Form2::Form_Unload() {
    Module1::SetTopmost(this, false);
}

void Form2::done(int result) {
    Form_Unload();
    QDialog::done(result);
}
