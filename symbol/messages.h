#pragma once

#include <QCoreApplication>

namespace symbol {

// The messages of this folder, one context of the catalogue
// (translations/stripewell_ja.ts): Msg::tr("...") where a person reads them,
// QT_TRANSLATE_NOOP("symbol", "...") in tables translated where they are shown.
struct Msg {
    Q_DECLARE_TR_FUNCTIONS(symbol)
};

}  // namespace symbol
