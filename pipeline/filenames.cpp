#include "filenames.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <string_view>

namespace pipeline {

namespace {

bool IsUnsafe(QChar c) {
    return c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c);
}

// Windows opens a device, not a file, for these names, with any extension.
bool IsDeviceName(const QString& base) {
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|(COM|LPT)[0-9\u00B9\u00B2\u00B3])$"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(base).hasMatch();
}

}  // namespace

bool IsReorderingMark(QChar c) {
    const char16_t u = c.unicode();
    return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069) || u == 0xFEFF;
}

QString SafeFileStem(const QString& name) {
    QString stem;
    stem.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            stem += c;
            stem += name[++i];
        } else if (IsReorderingMark(c)) {
            // Dropped: they would show the name's characters in another order.
        } else if (c.isSurrogate() || IsUnsafe(c)) {
            // A lone surrogate has no UTF-8 form to name a file with.
            stem += u'_';
        } else {
            stem += c;
        }
    }

    qsizetype from = 0;
    while (from < stem.size() && (stem[from] == u'.' || stem[from] == u' '))
        ++from;
    qsizetype to = stem.size();
    while (to > from && (stem[to - 1] == u'.' || stem[to - 1] == u' '))
        --to;
    stem = stem.mid(from, to - from);
    if (stem.startsWith(u'-'))
        stem[0] = u'_';
    // Windows ignores spaces after the device name too ("CON .txt").
    const qsizetype dot = stem.indexOf(u'.');
    const qsizetype baseEnd = dot < 0 ? stem.size() : dot;
    if (IsDeviceName(stem.first(baseEnd).trimmed()))
        stem.insert(baseEnd, u'_');

    if (stem.toUtf8().size() > kMaxStemBytes) {
        qsizetype bytes = 0;
        qsizetype keep = 0;
        while (keep < stem.size()) {
            const qsizetype width = stem[keep].isHighSurrogate() ? 2 : 1;
            const qsizetype size = stem.mid(keep, width).toUtf8().size();
            if (bytes + size > kMaxStemBytes)
                break;
            bytes += size;
            keep += width;
        }
        stem.truncate(keep);
        // The cut may leave a trailing dot or space behind.
        while (stem.endsWith(u'.') || stem.endsWith(u' '))
            stem.chop(1);
    }
    return stem;
}

QString FileNamer::Next(const QString& name, const QString& code) {
    QString stem = SafeFileStem(name);
    if (stem.isEmpty())
        stem = code;
    if (Take(stem))
        return stem + u'.' + extension_;
    // Every number below the one remembered was handed out already, so the
    // search for a free one starts there rather than at 2 each time: a list
    // of one name thousands of times takes no longer than one of as many names.
    int& number = nextNumber_[FoldedHash(stem)];
    number = std::max(number, 2);
    while (!Take(stem + u'-' + QString::number(number)))
        ++number;
    return stem + u'-' + QString::number(number++) + u'.' + extension_;
}

size_t FileNamer::FoldedHash(const QString& stem) {
    const QString folded = stem.toCaseFolded();
    // 64 bits wherever size_t is.
    return std::hash<std::u16string_view>()(
        std::u16string_view(reinterpret_cast<const char16_t*>(folded.utf16()), folded.size()));
}

bool FileNamer::Take(const QString& stem) {
    const size_t hash = FoldedHash(stem);
    if (used_.contains(hash))
        return false;
    used_.insert(hash);
    return true;
}

}  // namespace pipeline
