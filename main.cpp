#include <QApplication>

#include "Form1/Form1.h"
#include "symbol/canvas.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stripewell"));
    symbol::RegisterFontSubstitution();
    Form1 form;
    form.show();
    return app.exec();
}
