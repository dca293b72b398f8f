#pragma once

// The digits of a symbol as a person typed them: accepted as a whole code of
// its symbology, or refused with a message that says what is wrong and how to
// put it right.

#include <QString>

#include "symbol/family.h"

namespace pipeline {

struct TypedCode {
    QString code;     // the whole code, check digit last; empty when refused
    QString addon;    // the 2 or 5 digits of an add-on, or empty
    QString refusal;  // why the digits were refused; empty when accepted
};

// The symbology's data digits (its row's: 12, 7 or 11) get their check digit computed;
// one more gets the last checked. A wrong check digit is refused with the one
// expected and with every swap of two neighbouring digits that makes the
// typed digits a valid code, since such a swap is the slip that the check
// digit cannot tell from a wrong check digit. The message starts with the
// digits as typed.
//
// Without addon, a code followed by a space or "+" and more digits
// ("4910123450124 12345") gives an add-on. An add-on has 2 or 5 digits, and
// a symbology whose row takes none (the short JAN, ITF-14) refuses it.
//
// A zero-suppressed symbology (UPC-E) reads the digits of the symbology it
// stands for as well. A case code (ITF-14, --symbol itf14) is read as
// ReadCaseCode reads it without an indicator.
TypedCode ReadTypedCode(const QString& typed,
                        symbol::Symbology symbology = symbol::kDefaultSymbology,
                        const QString& addon = QString());

// ITF-14's GTIN-14. With an indicator digit (0-9), the digits are a JAN's 12
// or 13, read as a JAN's are: the case code is the indicator, the JAN's first
// twelve digits and a new check digit. Without one (-1), 14 digits are a
// GTIN-14 as it is, its check digit checked, and 13 are the first 13 of one,
// its check digit added, unless they end in their own check digit as a JAN's
// 13 do: then they are refused with both readings, since nothing tells a
// JAN typed for its case from a GTIN-14 typed without its check digit.
TypedCode ReadCaseCode(const QString& typed, int indicator = -1);
// The case code of a JAN already read (as a list reads its codes) from
// typed, with the indicator digit; its refusal with what --indicator takes.
TypedCode CaseCodeOfJan(const TypedCode& jan, const QString& typed, int indicator);

// What was typed, as a message shows it: a control character or a reordering
// mark would act on the terminal or on the text around it (an escape sequence
// from a batch list, say), so it shows as U+FFFD; more than 40 characters are
// cut, with an ellipsis.
QString EchoTyped(const QString& typed);

}  // namespace pipeline
