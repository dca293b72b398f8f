#include "report.h"

namespace render {

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

QString Prefixed(const QString& message) {
    return QStringLiteral("stripewell-render: ") + message;
}

void Report(const QString& message) {
    Print(stderr, Prefixed(message) + u'\n');
}

}  // namespace render
