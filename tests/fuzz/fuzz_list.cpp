// Feeds arbitrary bytes to the batch list reader as a list, and every record
// it gives through the code check and the file namer. The first byte chooses
// how the list is read: encoding, separator and columns given or found.

#include <QBuffer>
#include <QSet>
#include <cstdint>
#include <cstdlib>

#include "pipeline/batchlist.h"
#include "pipeline/filenames.h"
#include "pipeline/listcode.h"
#include "pipeline/listreader.h"
#include "require.h"
#include "symbol/code.h"

namespace {

pipeline::ListFormat FormatFrom(uint8_t choice) {
    static const pipeline::ListEncoding kEncodings[] = {
        pipeline::ListEncoding::Utf8, pipeline::ListEncoding::Utf16Le,
        pipeline::ListEncoding::Utf16Be, pipeline::ListEncoding::ShiftJis};
    static const char16_t kSeparators[] = {u',', u'\t', u';'};
    static const char* const kColumns[] = {"1", "2", "3", "JAN", "name"};
    pipeline::ListFormat format;
    if (choice & 0x04)
        format.encoding = kEncodings[choice & 0x03];
    if (choice & 0x08)
        format.separator = QChar(kSeparators[(choice >> 4) % 3]);
    if (choice & 0x40)
        format.codeColumn = QString::fromLatin1(kColumns[(choice >> 4) % 5]);
    if (choice & 0x80)
        format.nameColumn = QString::fromLatin1(kColumns[(choice >> 5) % 5]);
    return format;
}

bool IsValidCode(const QString& code) {
    return code.size() == 13 &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c.isDigit(); }) &&
           symbol::CheckDigit(code) == symbol::DigitValue(code[12]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    QByteArray list(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QBuffer device(&list);
    device.open(QIODevice::ReadOnly);
    pipeline::ListReader reader(device, FormatFrom(data[0]));
    if (!reader.Start()) {
        Require(!reader.Refusal().isEmpty());
        return 0;
    }
    pipeline::FileNamer namer("bmp");
    QSet<QString> names;
    pipeline::ListRecord record;
    int lastLine = 0;
    // No record without a line of its own: a line end, or the list's end.
    const int lines = int(list.count('\n') + list.count('\r')) + 1;
    while (reader.Next(&record)) {
        Require(record.line > lastLine && record.line <= lines);
        lastLine = record.line;
        Require(reader.BytesRead() <= list.size());
        if (!record.error.isEmpty())
            continue;
        const pipeline::TypedCode typed = pipeline::ReadListCode(record.digits, reader.HasHeader());
        Require(typed.code.isEmpty() != typed.refusal.isEmpty());
        if (typed.code.isEmpty())
            continue;
        Require(IsValidCode(typed.code));
        const QString name = namer.Next(record.name, typed.code);
        Require(!names.contains(name.toCaseFolded()) && !name.contains(u'/') &&
                !name.contains(QChar(0)) && name.endsWith(u".bmp"));
        names.insert(name.toCaseFolded());
    }
    // The same bytes, one line at a time, as a UTF-8 two-column list.
    for (const QByteArray& line : list.split('\n')) {
        const pipeline::BatchLine read = pipeline::ReadBatchLine(line, true);
        Require((read.kind == pipeline::BatchLine::Kind::Bad) != read.error.isEmpty());
    }
    return 0;
}
