#include "bookcode.h"

#include <QRegularExpression>

#include "listcode.h"
#include "messages.h"
#include "symbol/book.h"
#include "symbol/symbology.h"

namespace pipeline {

TypedCode ReadBookFields(const QString& isbn, const QString& classification, const QString& price) {
    // The label a book prints before its ISBN ("ISBN-13: 978-...",
    // "ISBN-10: 4-...", "ISBN：" with a full-width colon) is no part of it.
    static const QRegularExpression label(QStringLiteral("^\\s*ISBN(?:[- ]?1[03])?\\s*[:：]"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString unlabelled = isbn;
    unlabelled.remove(label);
    const symbol::BookCode book =
        symbol::ReadBookCode(unlabelled, classification, price, EchoTyped);
    TypedCode typed;
    typed.code = book.text;
    typed.refusal = book.refusal;
    return typed;
}

TypedCode ReadRecordCode(const ListRecord& record, bool hasHeader, symbol::Symbology symbology) {
    if (!record.error.isEmpty())
        return {QString(), QString(), record.error};
    if (!symbol::RowOf(symbology).bookFields) {
        TypedCode typed = ReadListCode(record.digits, hasHeader, symbology);
        // A list with a book's columns read as JANs: its ISBNs are refused as
        // codes, and the reason alone would not say what was meant.
        if (!typed.refusal.isEmpty() && !record.classification.isNull() && !record.price.isNull())
            typed.refusal = Msg::tr(
                                "%1 (the list has a book's columns: --symbol book draws "
                                "book JAN pairs)")
                                .arg(typed.refusal);
        return typed;
    }
    if (record.classification.isNull() || record.price.isNull()) {
        // Only what is missing is named.
        const QString error =
            record.price.isNull() && record.classification.isNull()
                ? Msg::tr(
                      "a book needs its classification code and price: the list's header "
                      "names no column Cコード (or 分類コード) and 本体価格 (or 価格)")
            : record.classification.isNull()
                ? Msg::tr(
                      "a book needs its classification code and price: the list's header "
                      "names no column Cコード (or 分類コード)")
                : Msg::tr(
                      "a book needs its classification code and price: the list's header "
                      "names no column 本体価格 (or 価格)");
        return {QString(), QString(), error};
    }
    // A list with a JAN column beside the ISBN: the book's is the ISBN.
    return ReadBookFields(record.isbn.isNull() ? record.digits : record.isbn, record.classification,
                          record.price);
}

TypedCode ReadGivenCode(const QString& digits, symbol::Symbology symbology, const QString& addon,
                        const QString& classification, const QString& price) {
    if (!symbol::RowOf(symbology).bookFields)
        return ReadTypedCode(digits, symbology, addon);
    if (classification.isNull() || price.isNull())
        return {QString(), QString(),
                Msg::tr("%1: a book needs --classification (C0095) and --price (yen "
                        "before tax) with its ISBN")
                    .arg(EchoTyped(digits))};
    return ReadBookFields(digits, classification, price);
}

QString FileStem(const symbol::SymbolCode& code) {
    if (!symbol::RowOf(code.symbology).bookFields)
        return code.addon.isEmpty() ? code.code : code.code + u'+' + code.addon;
    return symbol::BookCodeOfText(code.code).isbn;
}

}  // namespace pipeline
