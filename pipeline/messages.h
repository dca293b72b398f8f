#pragma once

#include <QCoreApplication>

namespace pipeline {

// The messages of this folder, one context of the catalogue
// (translations/stripewell_ja.ts): Msg::tr("...") where a person reads them,
// QT_TRANSLATE_NOOP("pipeline", "...") in tables translated where they are shown.
struct Msg {
    Q_DECLARE_TR_FUNCTIONS(pipeline)
};

}  // namespace pipeline
