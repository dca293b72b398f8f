#pragma once

// stripewell-render --verify: its options, its help and its exit statuses
// around the verifier, which grades the scan.

#include <QStringList>

namespace render {

// The whole command: arguments as QCoreApplication::arguments() gives them.
int VerifyMain(const QStringList& arguments);

}  // namespace render
