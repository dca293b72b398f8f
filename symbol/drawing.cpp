#include "drawing.h"

namespace symbol {

void PrintName(Canvas& canvas, const QString& name) {
    canvas.Cls();
    canvas.SetCurrentX(kNameX);
    canvas.SetCurrentY(kNameY);
    canvas.Print(name);
}

void DrawSymbol(Canvas& canvas, const QString& code, const QString& pattern) {
    const Description window = Describe(Layout::Window, code, QString());
    // Module by module, one line each, as the canvas draws them.
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar module = pattern[i];
        const float x = window.symbolLeft + i;
        if (module == u'1')
            canvas.Line(x, window.barTop, x, window.barBottom);
        else if (module == u'2')
            canvas.Line(x, window.barTop, x, window.guardBottom);
    }
    // The digit groups: the canvas goes on from where the last one ended.
    for (const TextPlace& group : window.texts) {
        canvas.SetCurrentX(group.at.x());
        canvas.SetCurrentY(group.at.y());
        canvas.Print(group.text, false);
    }
}

}  // namespace symbol
