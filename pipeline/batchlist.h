#pragma once

// The records of a batch list: fields as spreadsheets write them (RFC 4180),
// the header that names the columns, and the name and the code of each line.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "listdecoding.h"

namespace pipeline {

// How to read a list: --encoding, --separator, --name-column, --code-column.
// Each is found from the list when not given.
struct ListFormat {
    std::optional<ListEncoding> encoding;
    QChar separator;  // null: a tab when the first line has one, else a comma
    QString nameColumn;
    QString codeColumn;
};

struct BatchLine {
    enum class Kind { Blank, Header, Entry, Bad };
    Kind kind = Kind::Blank;
    QString name;
    QString digits;  // as written, not yet checked
    QString error;   // why a Bad line is bad
    // A book's classification code and price; null when the list has no
    // such column.
    QString classification;
    QString price;
    // A book list's ISBN column, where it has one beside another code
    // column (JAN); null otherwise.
    QString isbn;
    // A tag's cells: its prices with and without tax, its rate and the
    // shop's item number of an in-store code; each null when the list has
    // no such column.
    QString priceWithTax;
    QString priceWithoutTax;
    QString taxRate;
    QString item;
};

// The fields of a record split at the separator. A field that starts with a
// double quote (after blanks) runs to the closing one, separators and line
// breaks included; "" in it is one ". Spaces and tabs around an unquoted
// field are dropped.
struct Fields {
    QStringList values;
    QList<qsizetype> ends;   // where each field's text ends in the record
    bool quoteOpen = false;  // the last field's quote is not closed
};
Fields SplitFields(const QString& record, QChar separator);

// Whether a record read a line at a time still has a quoted field open, as
// SplitFields would say of all its lines joined: each line is read once, so
// that a quote left open does not make the list take time as the square of
// its lines.
class OpenQuote {
public:
    explicit OpenQuote(QChar separator) : separator_(separator) {}
    void Add(QStringView text);
    bool IsOpen() const { return inQuote_ && !quoteLast_; }

private:
    QChar separator_;
    bool quoted_ = false;     // this field started with a quote
    bool inQuote_ = false;    // and it has not closed yet
    bool blank_ = true;       // the field holds only blanks so far
    bool quoteLast_ = false;  // a quote ended the text: closing, or the first of ""
};

// The longest name a label or a file gets, as the window's name box keeps.
inline constexpr qsizetype kMaxNameLength = 1000;

// Cuts a longer name to kMaxNameLength characters, never between the two
// halves of one; what was done, for a message, or empty when nothing was.
QString CutName(QString* name);

// The separator as messages name it: "tab", "comma", "semicolon" or the
// character in quotes.
QString SeparatorName(QChar separator);

// The separator of a record: the list's, or the other of tab and comma when
// the record holds only that one (lists pasted together from two sources).
QChar RecordSeparator(const QString& record, QChar listSeparator);

// Reads a record of a two-column list. The last field is the digits and
// everything before its separator the name, so that a name may hold commas.
// A first record whose digit field holds text but no digit is a header.
// eitherSeparator: the list's separator was found, so a tab or a comma
// would have split the record; otherwise only separator would.
BatchLine ReadTwoColumns(const QString& record, QChar separator, bool firstContent,
                         bool eitherSeparator = true);

// The same for one line of a UTF-8 list as read from the file, its line end
// included or not; the separator is a tab when the line has one.
BatchLine ReadBatchLine(QByteArray line, bool firstContent);

// Which fields hold the name and the code. twoColumns: read as above.
struct Columns {
    bool twoColumns = true;
    int name = -1;  // -1: none; the files are named after their codes
    int code = -1;
    // A book list's Cコード (or 分類コード) and 本体価格 (or 価格), found by header.
    int classification = -1;
    int price = -1;
    // Its ISBN column by header, unless --code-column names the code.
    int isbn = -1;
    // A tag list's columns by header: 売価, 税込価格 or 価格 (with tax),
    // 税抜価格 or 本体価格 (without), 税率, and 品番 or 商品コード (the item
    // of an in-store code). A book list (one with a Cコード column) has none.
    int priceWithTax = -1;
    int priceWithoutTax = -1;
    int taxRate = -1;
    int item = -1;
    // The header's fields, of a tag list: a record with more that are not
    // empty has a field split where it should not be.
    int headerFields = 0;
};

// What the first record with content says about the list: whether it is a
// header, and the columns, from it and from --name-column and
// --code-column (a number from 1, or a header text; empty when not given).
// A non-empty error refuses the whole list.
struct ListShape {
    bool header = false;
    Columns columns;
    QString error;
};
ListShape ReadListShape(const QString& firstRecord, QChar separator, const QString& nameColumn,
                        const QString& codeColumn);

// Reads a record with the columns of its list.
BatchLine ReadRecord(const QString& record, QChar separator, const Columns& columns,
                     bool eitherSeparator = true);

}  // namespace pipeline
