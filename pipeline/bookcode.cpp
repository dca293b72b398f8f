#include "bookcode.h"

#include "symbol/book.h"

namespace render {

TypedCode ReadBookFields(const QString& isbn, const QString& classification, const QString& price) {
    const symbol::BookCode book = symbol::ReadBookCode(isbn, classification, price, EchoTyped);
    TypedCode typed;
    typed.code = book.text;
    typed.refusal = book.refusal;
    return typed;
}

QString BookFileStem(const QString& code) {
    return symbol::BookCodeOfText(code).isbn;
}

}  // namespace render
