#pragma once

// zint, the peer encoder, as the tests ask it what a symbol's modules are.

#include <QString>
#include <QStringList>

#include "run.h"

// What zint draws for its data: a row of "1" bars and "0" spaces.
inline QString ZintModules(const QStringList& arguments) {
    const Ran dump = RunProgram(QStringLiteral("zint"), arguments + QStringList{"--dump"}, ".");
    QString modules;
    for (const QString& hex : dump.out.split(u'\n').constFirst().split(u' '))
        modules += QString::number(hex.toInt(nullptr, 16), 2).rightJustified(hex.size() * 4, u'0');
    while (modules.endsWith(u'0'))
        modules.chop(1);
    return modules;
}
