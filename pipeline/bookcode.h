#pragma once

// The book pair's three fields as a person typed them, on the command line
// or in a list: accepted as the text that stands for the pair, or refused
// with what is wrong.

#include <QString>

#include "listreader.h"
#include "symbol/layout.h"
#include "typedcode.h"

namespace pipeline {

// The code is the text of the pair's 日本図書コード ("ISBN978-4-... C0095
// ¥1500E"), which symbol::DescribeBook draws; the message of a refusal shows
// the field as typed, as EchoTyped shows it.
TypedCode ReadBookFields(const QString& isbn, const QString& classification, const QString& price);

// The code of a list's record: a book's from its ISBN, classification and
// price columns, which its list must have; another symbol's from its code
// field, as ReadListCode reads it.
TypedCode ReadRecordCode(const ListRecord& record, bool hasHeader, symbol::Symbology symbology);

// One symbol's code as given on the command line: a book's three fields
// (null when their options were left out), or another symbol's digits and
// add-on, as ReadTypedCode reads them.
TypedCode ReadGivenCode(const QString& digits, symbol::Symbology symbology, const QString& addon,
                        const QString& classification, const QString& price);

// The name of a symbol's file when its line gives none: its code, and its
// add-on if any; a book's ISBN's 13 digits.
QString FileStem(const symbol::SymbolCode& code);

}  // namespace pipeline
