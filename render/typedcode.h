#pragma once

// The digits of a symbol as a person typed them: accepted as a 13-digit code,
// or refused with a message that says what is wrong and how to put it right.

#include <QString>

namespace render {

struct TypedCode {
    QString code;     // the 13 digits, check digit last; empty when refused
    QString refusal;  // why the digits were refused; empty when accepted
};

// 12 digits get their check digit computed; 13 digits get theirs checked.
// A wrong check digit is refused with the one expected and with every swap of
// two neighbouring digits that makes the 13 typed digits a valid code, since
// such a swap is the slip that the check digit cannot tell from a wrong check
// digit. The message starts with the digits as typed.
TypedCode ReadTypedCode(const QString& typed);

// What was typed, as a message shows it: a control character or a reordering
// mark would act on the terminal or on the text around it (an escape sequence
// from a batch list, say), so it shows as U+FFFD; more than 40 characters are
// cut, with an ellipsis.
QString EchoTyped(const QString& typed);

}  // namespace render
