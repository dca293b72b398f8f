#include "drawing.h"

namespace symbol {

void PrintName(Canvas& canvas, const QString& name) {
    canvas.Cls();
    canvas.SetCurrentX(kNameX);
    canvas.SetCurrentY(kNameY);
    canvas.Print(name);
}

void DrawSymbol(Canvas& canvas, const QString& code, const QString& pattern) {
    for (int i = 1; i <= pattern.size(); ++i) {
        const QChar module = pattern[i - 1];
        const float x = i + kModuleOffset;
        if (module == u'1')
            canvas.Line(x, kBarTop, x, kBarBottom);
        else if (module == u'2')
            canvas.Line(x, kBarTop, x, kGuardBottom);
    }

    canvas.SetCurrentX(kFirstDigitX);
    canvas.SetCurrentY(kDigitLine);
    canvas.Print(code.mid(0, 1), false);
    canvas.SetCurrentX(kLeftGroupX);
    canvas.Print(code.mid(1, 6), false);
    canvas.SetCurrentX(kRightGroupX);
    canvas.Print(code.mid(7, 6), false);
}

}  // namespace symbol
