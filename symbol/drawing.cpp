#include "drawing.h"

namespace symbol {

void PrintName(Canvas& canvas, const QString& name) {
    canvas.Cls();
    canvas.SetCurrentX(kNameX);
    canvas.SetCurrentY(kNameY);
    canvas.Print(name);
}

QList<BarRun> BarRuns(const QString& pattern) {
    QList<BarRun> runs;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar module = pattern[i];
        qsizetype end = i + 1;
        while (end < pattern.size() && pattern[end] == module)
            ++end;
        if (module == u'1' || module == u'2') {
            // Module i + 1 stands at x = i + 1 + kModuleOffset.
            runs.append({int(i) + 1 + kModuleOffset, int(end - i),
                         module == u'2' ? kGuardBottom : kBarBottom});
        }
        i = end;
    }
    return runs;
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
