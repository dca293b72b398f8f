#pragma once

#include <QCoreApplication>

namespace verify {

// The messages of this folder, one context of the catalogue
// (translations/stripewell_ja.ts): Msg::tr("...") where a person reads them,
// QT_TRANSLATE_NOOP("verify", "...") in tables translated where they are shown.
struct Msg {
    Q_DECLARE_TR_FUNCTIONS(verify)
};

}  // namespace verify
