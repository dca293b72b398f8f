#include "listdecoding.h"

#include <QSysInfo>

#include <algorithm>
#include <cerrno>

#include "messages.h"

namespace pipeline {

namespace {

struct Named {
    const char* name;
    ListEncoding encoding;
};

// The names --encoding takes; the first of each encoding is the one shown.
constexpr Named kNames[] = {
    {"UTF-8", ListEncoding::Utf8},           {"UTF8", ListEncoding::Utf8},
    {"UTF-16LE", ListEncoding::Utf16Le},     {"UTF-16BE", ListEncoding::Utf16Be},
    {"Shift_JIS", ListEncoding::ShiftJis},   {"SJIS", ListEncoding::ShiftJis},
    {"CP932", ListEncoding::ShiftJis},       {"MS932", ListEncoding::ShiftJis},
    {"Windows-31J", ListEncoding::ShiftJis},
};

// Code page 932: Shift_JIS as Windows and the spreadsheets on it write it,
// with its extra characters (①, ㈱, ...) and 0x5C as a backslash.
const char* IconvName(ListEncoding encoding) {
    switch (encoding) {
        case ListEncoding::Utf8:
            return "UTF-8";
        case ListEncoding::Utf16Le:
            return "UTF-16LE";
        case ListEncoding::Utf16Be:
            return "UTF-16BE";
        case ListEncoding::ShiftJis:
            return "CP932";
    }
    return "UTF-8";
}

constexpr const char* kHostUtf16 =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

}  // namespace

bool EncodingByName(const QString& name, ListEncoding* encoding) {
    for (const Named& named : kNames) {
        if (name.compare(QLatin1StringView(named.name), Qt::CaseInsensitive) == 0) {
            *encoding = named.encoding;
            return true;
        }
    }
    return false;
}

QString EncodingName(ListEncoding encoding) {
    return QString::fromLatin1(
        std::find_if(std::begin(kNames), std::end(kNames), [&](const Named& named) {
            return named.encoding == encoding;
        })->name);
}

int UnitBytes(ListEncoding encoding) {
    return encoding == ListEncoding::Utf16Le || encoding == ListEncoding::Utf16Be ? 2 : 1;
}

int ByteOrderMark(QByteArrayView start, ListEncoding* encoding) {
    if (start.startsWith("\xEF\xBB\xBF")) {
        *encoding = ListEncoding::Utf8;
        return 3;
    }
    if (start.startsWith("\xFF\xFE")) {
        *encoding = ListEncoding::Utf16Le;
        return 2;
    }
    if (start.startsWith("\xFE\xFF")) {
        *encoding = ListEncoding::Utf16Be;
        return 2;
    }
    return 0;
}

LineDecoder::LineDecoder(ListEncoding encoding)
    : encoding_(encoding), converter_(iconv_open(kHostUtf16, IconvName(encoding))) {
    // glibc has every one of these; without them nothing could be read.
    Q_ASSERT(converter_ != iconv_t(-1));
}

LineDecoder::~LineDecoder() {
    iconv_close(converter_);
}

bool LineDecoder::Decode(QByteArrayView line, QString* text, qsizetype* badByte) {
    // Most lines of most lists are ASCII, which both single-byte-based
    // encodings read as ASCII.
    if (UnitBytes(encoding_) == 1 &&
        std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; })) {
        *text = QString::fromLatin1(line);
        return true;
    }
    // No character takes fewer bytes in UTF-16 than in the list's encoding.
    text->resize(line.size() + 1);
    char* in = const_cast<char*>(line.data());
    size_t inLeft = size_t(line.size());
    char* out = reinterpret_cast<char*>(text->data());
    size_t outLeft = size_t(text->size()) * 2;
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    const bool whole = iconv(converter_, &in, &inLeft, &out, &outLeft) != size_t(-1) &&
                       iconv(converter_, nullptr, nullptr, &out, &outLeft) != size_t(-1);
    text->truncate((reinterpret_cast<QChar*>(out) - text->constData()));
    if (whole)
        return true;
    *badByte = in - line.data();
    return false;
}

QString DecodingFailure(ListEncoding encoding, QByteArrayView line, qsizetype badByte) {
    if (badByte >= line.size())
        return Msg::tr("ends inside a character of %1").arg(EncodingName(encoding));
    return Msg::tr("byte %1 (0x%2) is not valid %3")
        .arg(badByte + 1)
        .arg(QString::number(uchar(line[badByte]), 16).toUpper().rightJustified(2, u'0'))
        .arg(EncodingName(encoding));
}

}  // namespace pipeline
