#include "batchlist.h"

#include <QRegularExpression>

#include <algorithm>

#include "messages.h"

namespace pipeline {

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Spaces and tabs only: other white space may be part of a name.
QString TrimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && IsBlank(text[from]))
        ++from;
    while (to > from && IsBlank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

bool HasDigit(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// A header text as compared: full-width letters as ASCII, half-width kana as
// full-width, case and blanks ignored.
QString HeaderKey(const QString& text) {
    QString key = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace() || c == u'_' || c == u'-'; });
    return key;
}

const QStringList kNameHeaders = {"名称",        "商品名", "品名",     "name", "product",
                                  "productname", "item",   "itemname", "書名", "title"};
// A code column's header: a JAN's, or an ISBN's. A list with both takes the
// JAN's as the code, and a book's from the ISBN's.
const QStringList kJanHeaders = {"jan",     "janコード", "コード",  "バーコード", "code",
                                 "barcode", "ean",       "jancode", "ean13",      "gtin"};
const QStringList kIsbnHeaders = {"isbn", "isbnコード"};
// A book list's other two columns: the 日本図書コード's classification code
// and the price before tax.
const QStringList kClassificationHeaders = {"cコード", "分類コード", "分類"};
const QStringList kPriceHeaders = {"本体価格", "価格"};
// A price tag's columns, in a list without a book's classification code.
const QStringList kWithTaxHeaders = {"売価", "税込価格", "価格"};
const QStringList kWithoutTaxHeaders = {"税抜価格", "本体価格"};
const QStringList kTaxRateHeaders = {"税率"};
const QStringList kItemHeaders = {"品番", "商品コード"};

// How many of the fields a header of keys names.
int CountHeaders(const QStringList& fields, const QStringList& keys) {
    return int(std::count_if(fields.begin(), fields.end(), [&](const QString& field) {
        return keys.contains(HeaderKey(field));
    }));
}

int FindHeader(const QStringList& fields, const QStringList& keys) {
    for (int i = 0; i < fields.size(); ++i)
        if (keys.contains(HeaderKey(fields[i])))
            return i;
    return -1;
}

// A code as a spreadsheet may have left it: digits, or a number in exponent form.
bool LooksLikeCode(const QString& field) {
    static const QRegularExpression code(
        QStringLiteral(R"(\A(\d{11,13}|\d+([.,]\d+)?[eE][+-]?\d+)\z)"));
    return code.match(field).hasMatch();
}

// A column option: a number from 1, or a header text looked up in the
// fields. -1 when not given; -2 when given but not found.
int ColumnOption(const QString& option, const QStringList& fields, bool* byText) {
    if (option.isEmpty())
        return -1;
    bool number = false;
    const int column = option.toInt(&number);
    if (number)
        return column - 1;
    *byText = true;
    const int found = FindHeader(fields, {HeaderKey(option)});
    return found < 0 ? -2 : found;
}

}  // namespace

Fields SplitFields(const QString& record, QChar separator) {
    Fields fields;
    QString field;
    bool quoted = false;   // this field started with a quote
    bool inQuote = false;  // and it has not closed yet
    for (qsizetype i = 0; i < record.size(); ++i) {
        const QChar c = record[i];
        if (inQuote) {
            if (c != u'"')
                field += c;
            else if (i + 1 < record.size() && record[i + 1] == u'"')
                field += record[++i];
            else
                inQuote = false;
        } else if (c == separator) {
            fields.values << (quoted ? field : TrimBlanks(field));
            fields.ends << i;
            field.clear();
            quoted = false;
        } else if (c == u'"' && !quoted && TrimBlanks(field).isEmpty()) {
            field.clear();
            quoted = inQuote = true;
        } else if (!quoted || !IsBlank(c)) {
            field += c;
        }
    }
    fields.values << (quoted ? field : TrimBlanks(field));
    fields.ends << record.size();
    fields.quoteOpen = inQuote;
    return fields;
}

void OpenQuote::Add(QStringView text) {
    qsizetype i = 0;
    if (quoteLast_ && !text.isEmpty()) {
        quoteLast_ = false;
        if (text[0] == u'"')
            i = 1;  // "" is one quote inside the field
        else
            inQuote_ = false;
    }
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuote_) {
            if (c != u'"')
                continue;
            if (i + 1 == text.size())
                quoteLast_ = true;
            else if (text[i + 1] == u'"')
                ++i;
            else
                inQuote_ = false;
        } else if (c == separator_) {
            quoted_ = false;
            blank_ = true;
        } else if (c == u'"' && !quoted_ && blank_) {
            quoted_ = inQuote_ = true;
        } else if (!IsBlank(c)) {
            blank_ = false;
        }
    }
}

QString CutName(QString* name) {
    if (name->size() <= kMaxNameLength)
        return QString();
    const qsizetype length = name->size();
    qsizetype keep = kMaxNameLength;
    if (name->at(keep - 1).isHighSurrogate() && name->at(keep).isLowSurrogate())
        --keep;
    name->truncate(keep);
    return Msg::tr("the name is %1 characters long; only its first %2 are used")
        .arg(length)
        .arg(keep);
}

QString SeparatorName(QChar separator) {
    if (separator == u'\t')
        return QStringLiteral("tab");
    if (separator == u',')
        return QStringLiteral("comma");
    if (separator == u';')
        return QStringLiteral("semicolon");
    return QStringLiteral("\"%1\"").arg(separator);
}

QChar RecordSeparator(const QString& record, QChar listSeparator) {
    const QChar other = listSeparator == u'\t'  ? u','
                        : listSeparator == u',' ? u'\t'
                                                : listSeparator;
    return record.contains(listSeparator) || !record.contains(other) ? listSeparator : other;
}

namespace {

// Why a line of two columns has no second: one whole sentence for each
// separator, as the catalogue translates sentences, not their words.
QString NoSeparatorError(bool eitherSeparator, QChar separator) {
    if (eitherSeparator)
        return Msg::tr("no tab or comma between the name and the digits");
    if (separator == u'\t')
        return Msg::tr("no tab between the name and the digits");
    if (separator == u',')
        return Msg::tr("no comma between the name and the digits");
    if (separator == u';')
        return Msg::tr("no semicolon between the name and the digits");
    return Msg::tr("no %1 between the name and the digits").arg(SeparatorName(separator));
}

}  // namespace

BatchLine ReadTwoColumns(const QString& record, QChar separator, bool firstContent,
                         bool eitherSeparator) {
    BatchLine result;
    if (TrimBlanks(record).isEmpty())
        return result;
    const Fields fields = SplitFields(record, separator);
    const QString& digitField = fields.values.constLast();
    // "name,jan" is a header; "Tea," is a line whose digits were left out.
    if (firstContent && !digitField.isEmpty() && !HasDigit(digitField)) {
        result.kind = BatchLine::Kind::Header;
        return result;
    }
    if (fields.values.size() < 2) {
        result.kind = BatchLine::Kind::Bad;
        result.error = NoSeparatorError(eitherSeparator, separator);
        return result;
    }
    result.kind = BatchLine::Kind::Entry;
    result.digits = digitField;
    if (fields.values.size() == 2) {
        result.name = fields.values.constFirst();
    } else {
        // Everything before the last separator, as a name holding commas.
        result.name = TrimBlanks(record.left(fields.ends[fields.ends.size() - 2]));
        if (result.name.size() >= 2 && result.name.startsWith(u'"') && result.name.endsWith(u'"'))
            result.name = result.name.mid(1, result.name.size() - 2)
                              .replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    return result;
}

BatchLine ReadBatchLine(QByteArray line, bool firstContent) {
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    if (!QByteArrayView(line).isValidUtf8()) {
        BatchLine bad;
        bad.kind = BatchLine::Kind::Bad;
        bad.error = Msg::tr("not valid UTF-8 text");
        return bad;
    }
    const QString text = QString::fromUtf8(line);
    return ReadTwoColumns(text, text.contains(u'\t') ? u'\t' : u',', firstContent);
}

ListShape ReadListShape(const QString& firstRecord, QChar separator, const QString& nameColumn,
                        const QString& codeColumn) {
    const QStringList fields = SplitFields(firstRecord, separator).values;
    ListShape shape;
    bool byText = false;
    const int nameOption = ColumnOption(nameColumn, fields, &byText);
    const int codeOption = ColumnOption(codeColumn, fields, &byText);
    const int nameHeader = FindHeader(fields, kNameHeaders);
    const int janHeader = FindHeader(fields, kJanHeaders);
    const int codeHeader = janHeader >= 0 ? janHeader : FindHeader(fields, kIsbnHeaders);
    const int codeField = codeOption >= 0 ? codeOption : fields.size() - 1;
    shape.header =
        byText || codeHeader >= 0 ||
        (codeField < fields.size() && !fields[codeField].isEmpty() && !HasDigit(fields[codeField]));
    auto refuse = [&](const QString& error) {
        shape.error = error;
        return shape;
    };
    if (nameOption == -2 || codeOption == -2)
        return refuse(Msg::tr("no field of the first line is called %1")
                          .arg(nameOption == -2 ? nameColumn : codeColumn));

    Columns& columns = shape.columns;
    columns.code = codeOption >= 0 ? codeOption : shape.header ? codeHeader : -1;
    columns.name = nameOption >= 0 ? nameOption : shape.header ? nameHeader : -1;
    if (shape.header) {
        columns.classification = FindHeader(fields, kClassificationHeaders);
        columns.price = FindHeader(fields, kPriceHeaders);
        if (codeOption < 0)
            columns.isbn = FindHeader(fields, kIsbnHeaders);
        if (columns.classification < 0) {
            columns.priceWithTax = FindHeader(fields, kWithTaxHeaders);
            columns.priceWithoutTax = FindHeader(fields, kWithoutTaxHeaders);
            columns.taxRate = FindHeader(fields, kTaxRateHeaders);
            columns.item = FindHeader(fields, kItemHeaders);
            if (columns.priceWithTax >= 0 || columns.priceWithoutTax >= 0)
                columns.headerFields = int(fields.size());
        }
    }
    // A tag's price comes from one column of each kind, beside its code.
    if (columns.priceWithTax >= 0 || columns.priceWithoutTax >= 0) {
        if (CountHeaders(fields, kWithTaxHeaders) > 1)
            return refuse(
                Msg::tr("the header names more than one price with tax (売価, 税込価格, "
                        "価格): keep one"));
        if (CountHeaders(fields, kWithoutTaxHeaders) > 1)
            return refuse(
                Msg::tr("the header names more than one price without tax (税抜価格, "
                        "本体価格): keep one"));
        if (columns.code < 0 && columns.item < 0)
            return refuse(
                Msg::tr("the header names prices but no column of codes (JANコード, JAN, コード) "
                        "nor of in-store item numbers (品番, 商品コード): give --code-column N"));
    }
    // A tag list may name the items of in-store codes instead of codes.
    if (codeOption >= 0 || (columns.code >= 0 && fields.size() > 2) || columns.code == 0 ||
        (columns.code < 0 && columns.item >= 0) || columns.headerFields > 0) {
        columns.twoColumns = false;
        if (columns.name < 0 && codeOption < 0)
            return refuse(
                Msg::tr("the header names no name column (名称, 商品名, 品名, "
                        "name, product): give --name-column N"));
        return shape;
    }
    if (fields.size() > 2 && (shape.header || !LooksLikeCode(fields.constLast())))
        return refuse(Msg::tr("%1 fields, and none is named as the code: give "
                              "--code-column N (its field, from 1) and --name-column N, "
                              "or a header line (JAN, 商品名)")
                          .arg(fields.size()));
    return shape;
}

BatchLine ReadRecord(const QString& record, QChar separator, const Columns& columns,
                     bool eitherSeparator) {
    if (columns.twoColumns)
        return ReadTwoColumns(record, separator, false, eitherSeparator);
    BatchLine result;
    if (TrimBlanks(record).isEmpty())
        return result;
    const QStringList fields = SplitFields(record, separator).values;
    if (columns.code >= fields.size()) {
        result.kind = BatchLine::Kind::Bad;
        result.error =
            Msg::tr("%1 fields; the code is in field %2").arg(fields.size()).arg(columns.code + 1);
        return result;
    }
    // A price written 1,080 without its quotes splits into two fields.
    if (columns.headerFields > 0 && fields.size() > columns.headerFields &&
        (columns.priceWithTax >= 0 || columns.priceWithoutTax >= 0) &&
        std::any_of(fields.begin() + columns.headerFields, fields.end(),
                    [](const QString& field) { return !field.isEmpty(); })) {
        result.kind = BatchLine::Kind::Bad;
        result.error = Msg::tr(
                           "%1 fields where the header names %2: a price with a comma "
                           "(1,080) needs its quotes (\"1,080\"), as spreadsheets write it")
                           .arg(fields.size())
                           .arg(columns.headerFields);
        return result;
    }
    result.kind = BatchLine::Kind::Entry;
    if (columns.code >= 0)
        result.digits = fields[columns.code];
    if (columns.name >= 0 && columns.name < fields.size())
        result.name = fields[columns.name];
    // The field of an existing column is never null, even when empty or missing.
    const auto present = [&](int column) {
        const QString field = fields.value(column);
        return field.isNull() ? QStringLiteral("") : field;
    };
    if (columns.classification >= 0)
        result.classification = present(columns.classification);
    if (columns.price >= 0)
        result.price = present(columns.price);
    if (columns.isbn >= 0)
        result.isbn = present(columns.isbn);
    const struct {
        int column;
        QString* cell;
    } tagCells[] = {{columns.priceWithTax, &result.priceWithTax},
                    {columns.priceWithoutTax, &result.priceWithoutTax},
                    {columns.taxRate, &result.taxRate},
                    {columns.item, &result.item}};
    for (const auto& tag : tagCells)
        if (tag.column >= 0)
            *tag.cell = present(tag.column);
    return result;
}

}  // namespace pipeline
