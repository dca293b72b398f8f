#include "drawing.h"

#include <vector>

namespace symbol {

void PrintName(Canvas& canvas, const QString& name) {
    canvas.Cls();
    canvas.SetCurrentX(kNameX);
    canvas.SetCurrentY(kNameY);
    canvas.Print(name);
}

void DrawSymbol(Canvas& canvas, const QString& code, const QString& pattern) {
    const Description window = Describe(Layout::Window, code, QString());
    // Module by module, one line each, as the canvas draws them: the normal
    // bars' lines together, then the guards'.
    thread_local std::vector<float> bars;
    thread_local std::vector<float> guards;
    bars.clear();
    guards.clear();
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar module = pattern[i];
        const float x = window.symbolLeft + i;
        if (module == u'1')
            bars.push_back(x);
        else if (module == u'2')
            guards.push_back(x);
    }
    canvas.VerticalLines(bars, window.barTop, window.barBottom);
    canvas.VerticalLines(guards, window.barTop, window.guardBottom);
    // The digit groups: the canvas goes on from where the last one ended.
    for (const TextPlace& group : window.texts) {
        canvas.SetCurrentX(group.at.x());
        canvas.SetCurrentY(group.at.y());
        canvas.Print(group.text, false);
    }
}

}  // namespace symbol
