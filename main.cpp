#include <QApplication>

#include "Form1/Form1.h"
#include "Module1/Module1.h"
#include "symbol/canvas.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stripewell"));
    // Lets the desktop match the window to its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("org.stripewell.Stripewell"));
    if (!Module1::LoadJapanese())
        qWarning("stripewell: Qt's Japanese translation (qtbase_ja.qm) is not installed");
    symbol::RegisterFontSubstitution();
    Form1 form;
    form.show();
    return app.exec();
}
