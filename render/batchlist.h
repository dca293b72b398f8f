#pragma once

// One line of a batch list: "name<TAB>digits" or "name,digits".

#include <QByteArray>
#include <QString>

namespace render {

struct BatchLine {
    enum class Kind { Blank, Header, Entry, Bad };
    Kind kind = Kind::Blank;
    QString name;
    QString digits;  // as written, not yet checked
    QString error;   // why a Bad line is bad
};

// Reads a line as read from the file, its line end (LF or CRLF) included or
// not. firstContent says that no line with content came before: only such a
// line can be a header, and only it may start with a UTF-8 byte order mark.
//
// With a tab on the line, the last tab separates the name from the digits,
// otherwise the last comma, so that a name may hold commas. Spaces around
// either field are dropped, and a field in double quotes is unquoted ("" is
// one "), as spreadsheets write them. A first line whose digit field holds
// text but no digit at all is a header.
BatchLine ReadBatchLine(QByteArray line, bool firstContent);

}  // namespace render
