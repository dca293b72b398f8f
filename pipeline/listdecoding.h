#pragma once

// The character sets a product list comes in, and the decoding of its lines.

#include <QByteArrayView>
#include <QString>

#include <iconv.h>

namespace pipeline {

enum class ListEncoding { Utf8, Utf16Le, Utf16Be, ShiftJis };

// The encoding that --encoding NAME names, in any case: UTF-8, UTF-16LE,
// UTF-16BE, Shift_JIS (also SJIS, CP932, MS932, Windows-31J). False for others.
bool EncodingByName(const QString& name, ListEncoding* encoding);
QString EncodingName(ListEncoding encoding);

// The bytes of one code unit: 2 for UTF-16, 1 for the others.
int UnitBytes(ListEncoding encoding);

// The encoding that a byte order mark at the start of a list declares, and
// the mark's length; 0 when the list starts with none.
int ByteOrderMark(QByteArrayView start, ListEncoding* encoding);

// Decodes lines of one encoding, and says where a line stops being valid.
class LineDecoder {
public:
    explicit LineDecoder(ListEncoding encoding);
    ~LineDecoder();
    LineDecoder(const LineDecoder&) = delete;
    LineDecoder& operator=(const LineDecoder&) = delete;

    // The line as text, or false with the 0-based offset of the first byte
    // that is not part of a valid character.
    bool Decode(QByteArrayView line, QString* text, qsizetype* badByte);

    ListEncoding Encoding() const { return encoding_; }

private:
    ListEncoding encoding_;
    iconv_t converter_;
};

// "byte 3 (0xFF) is not valid UTF-8", for the messages.
QString DecodingFailure(ListEncoding encoding, QByteArrayView line, qsizetype badByte);

}  // namespace pipeline
