#include "batchlist.h"

#include <algorithm>

namespace render {

namespace {

QString Unquote(const QString& field) {
    if (field.size() < 2 || !field.startsWith(u'"') || !field.endsWith(u'"'))
        return field;
    QString inner = field.mid(1, field.size() - 2);
    inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return inner;
}

// Spaces and tabs only: other white space may be part of a name.
QString TrimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == u' ' || text[from] == u'\t'))
        ++from;
    while (to > from && (text[to - 1] == u' ' || text[to - 1] == u'\t'))
        --to;
    return text.mid(from, to - from);
}

}  // namespace

BatchLine ReadBatchLine(QByteArray line, bool firstContent) {
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    if (firstContent && line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);

    BatchLine result;
    if (line.trimmed().isEmpty())
        return result;
    if (!QByteArrayView(line).isValidUtf8()) {
        result.kind = BatchLine::Kind::Bad;
        result.error = QStringLiteral("not valid UTF-8 text");
        return result;
    }

    const QString text = QString::fromUtf8(line);
    qsizetype separator = text.lastIndexOf(u'\t');
    if (separator < 0)
        separator = text.lastIndexOf(u',');
    const QString digitField = TrimBlanks(separator < 0 ? text : text.mid(separator + 1));
    // "name,jan" is a header; "Tea," is a line whose digits were left out.
    if (firstContent && !digitField.isEmpty() &&
        std::none_of(digitField.begin(), digitField.end(), [](QChar c) { return c.isDigit(); })) {
        result.kind = BatchLine::Kind::Header;
        return result;
    }
    if (separator < 0) {
        result.kind = BatchLine::Kind::Bad;
        result.error = QStringLiteral("no tab or comma between the name and the digits");
        return result;
    }
    result.kind = BatchLine::Kind::Entry;
    result.name = Unquote(TrimBlanks(text.left(separator)));
    result.digits = Unquote(digitField);
    return result;
}

}  // namespace render
