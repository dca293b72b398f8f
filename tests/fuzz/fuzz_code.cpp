// Feeds arbitrary box texts through the code, the check digit and the pattern.
// The input is split at its first 0x01 byte into the data text and the check text.

#include <QRegularExpression>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "require.h"
#include "symbol/code.h"
#include "symbol/pattern.h"

namespace {

// The same text with a blank, a tab or a line feed after every few characters.
QString WithBlanks(const QString& text, int every) {
    static const char16_t kBlanks[] = {u' ', u'\t', u'\n'};
    QString spaced;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i % every == 0)
            spaced += QChar(kBlanks[i % 3]);
        spaced += text[i];
    }
    return spaced + u' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\x01');
    const QString dataText = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString checkText = split < 0 ? QString() : QString::fromUtf8(bytes.mid(split + 1));

    static const QRegularExpression plainInteger("\\A(0|-?[1-9][0-9]*)\\z");
    const QString number = symbol::NumericText(dataText);
    Require(plainInteger.match(number).hasMatch());
    Require(symbol::NumericText(WithBlanks(dataText, 1 + int(size % 5))) == number);

    QString code = symbol::ComposeCode(dataText, checkText);
    Require(code.size() == 13);
    const int check = symbol::CheckDigit(code);
    Require(check >= 0 && check <= 9);
    code = code.left(12) + QChar(u'0' + check);
    Require(symbol::CheckDigit(code) == check);

    const QString pattern = symbol::BuildPattern(code);
    Require(pattern.size() == symbol::kModuleCount);
    for (QChar module : pattern)
        Require(module == u'0' || module == u'1' || module == u'2');
    return 0;
}
