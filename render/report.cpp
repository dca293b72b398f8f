#include "report.h"

using namespace Qt::StringLiterals;

namespace render {

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

QString Prefixed(const QString& message) {
    // A Japanese reason shown inside another sentence ends in 「。」 of its
    // own, as does the sentence around it: one is enough.
    return QStringLiteral("stripewell-render: ") + QString(message).replace(u"。。"_s, u"。"_s);
}

void Report(const QString& message) {
    Print(stderr, Prefixed(message) + u'\n');
}

}  // namespace render
