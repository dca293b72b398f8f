#pragma once

// The book pair's three fields as a person typed them, on the command line
// or in a list: accepted as the text that stands for the pair, or refused
// with what is wrong.

#include <QString>

#include "typedcode.h"

namespace render {

// The code is the text of the pair's 日本図書コード ("ISBN978-4-... C0095
// ¥1500E"), which symbol::DescribeBook draws; the message of a refusal shows
// the field as typed, as EchoTyped shows it.
TypedCode ReadBookFields(const QString& isbn, const QString& classification, const QString& price);

// The name of a book's file when its line gives none: its ISBN's 13 digits.
QString BookFileStem(const QString& code);

}  // namespace render
