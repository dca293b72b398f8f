#include "listreader.h"

#include "messages.h"

namespace pipeline {

namespace {

using namespace Qt::StringLiterals;

enum LineEnd { kNone, kLineFeed, kCarriageReturn };

constexpr qint64 kChunkBytes = 64 * 1024;

}  // namespace

// The lines of a list as bytes, split at LF, CRLF or a lone CR in code units
// of the list's encoding.
class ListReader::Lines {
public:
    Lines(QIODevice& device, ListEncoding encoding)
        : device_(device),
          unit_(UnitBytes(encoding)),
          bigEndian_(encoding == ListEncoding::Utf16Be),
          read_(device.isSequential() ? 0 : device.pos()) {}

    // The next line without its end; false at the end of the list. A line
    // longer than kMaxLineBytes comes back empty, with tooLong set.
    bool Next(QByteArray* line, bool* tooLong) {
        *tooLong = false;
        qsizetype scan = at_;
        for (;;) {
            for (; scan + unit_ <= buffer_.size(); scan += unit_) {
                const LineEnd end = EndAt(scan);
                if (end == kNone)
                    continue;
                if (end == kCarriageReturn && scan + 2 * unit_ > buffer_.size() && !end_)
                    break;  // a LF may follow in the next chunk
                *line = *tooLong ? QByteArray() : buffer_.mid(at_, scan - at_);
                at_ = scan + unit_;
                if (end == kCarriageReturn && at_ + unit_ <= buffer_.size() &&
                    EndAt(at_) == kLineFeed)
                    at_ += unit_;
                return true;
            }
            if (end_) {
                if (at_ == buffer_.size() && !*tooLong)
                    return false;
                *line = *tooLong ? QByteArray() : buffer_.mid(at_);
                at_ = buffer_.size();
                return true;
            }
            if (scan - at_ > kMaxLineBytes) {
                *tooLong = true;
                at_ = scan;
            }
            buffer_.remove(0, at_);
            scan -= at_;
            at_ = 0;
            Fill();
        }
    }

    QString Error() const { return error_; }
    qint64 Position() const { return read_ - (buffer_.size() - at_); }

private:
    LineEnd EndAt(qsizetype at) const {
        const char low = buffer_[at + (bigEndian_ ? unit_ - 1 : 0)];
        if (unit_ == 2 && buffer_[at + (bigEndian_ ? 0 : 1)] != 0)
            return kNone;
        return low == '\n' ? kLineFeed : low == '\r' ? kCarriageReturn : kNone;
    }

    void Fill() {
        const qsizetype size = buffer_.size();
        buffer_.resize(size + kChunkBytes);
        const qint64 read = device_.read(buffer_.data() + size, kChunkBytes);
        buffer_.resize(size + qMax<qint64>(read, 0));
        read_ += qMax<qint64>(read, 0);
        if (read < 0)
            error_ = device_.errorString();
        end_ = read <= 0;
    }

    QIODevice& device_;
    const int unit_;
    const bool bigEndian_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    qint64 read_;  // bytes of the list read from the device
    bool end_ = false;
    QString error_;
};

ListReader::ListReader(QIODevice& device, ListFormat format)
    : device_(&device), format_(std::move(format)) {}

ListReader::~ListReader() = default;

bool ListReader::Start() {
    // Standard input can be read once, and its encoding is found from all
    // of it: it is kept in a temporary file meanwhile.
    if (device_->isSequential() && !format_.encoding && !Spool())
        return false;
    ListEncoding marked = ListEncoding::Utf8;
    const int mark = ByteOrderMark(device_->peek(3), &marked);
    if (mark > 0 && (!format_.encoding || *format_.encoding == marked))
        device_->skip(mark);
    if (mark > 0 && !format_.encoding && !MarkFitsText(marked))
        return false;
    if (format_.encoding)
        encoding_ = *format_.encoding;
    else if (mark > 0)
        encoding_ = marked;
    else if (!FindEncoding())
        return false;
    lines_ = std::make_unique<Lines>(*device_, encoding_);
    decoder_ = std::make_unique<LineDecoder>(encoding_);
    return true;
}

bool ListReader::Spool() {
    spool_ = std::make_unique<QTemporaryFile>();
    if (!spool_->open()) {
        refusal_ = u": "_s + Msg::tr("cannot keep standard input in a temporary file: %1")
                                 .arg(spool_->errorString());
        return false;
    }
    QByteArray chunk(kChunkBytes, Qt::Uninitialized);
    qint64 read = 0;
    while ((read = device_->read(chunk.data(), chunk.size())) > 0) {
        if (spool_->write(chunk.constData(), read) != read) {
            refusal_ = u": "_s + Msg::tr("cannot keep standard input in a temporary file: %1")
                                     .arg(spool_->errorString());
            return false;
        }
    }
    if (read < 0) {
        refusal_ = u": "_s + Msg::tr("cannot read it: %1").arg(device_->errorString());
        return false;
    }
    device_ = spool_.get();
    return device_->seek(0);
}

// A list's text in UTF-16 holds zero bytes (its digits and line ends have
// one each), and in UTF-8 none: a mark that says otherwise was put before
// text of another encoding, whose lines would be read as nonsense.
bool ListReader::MarkFitsText(ListEncoding marked) {
    const QByteArray start = device_->peek(kChunkBytes);
    const bool zeros = start.contains('\0');
    if (start.isEmpty() || zeros == (UnitBytes(marked) == 2))
        return true;
    refusal_ = u": "_s +
               (zeros ? Msg::tr("its byte order mark says %1, but the text after it is not %1 (it "
                                "holds zero bytes, as UTF-16 does); give --encoding NAME to read "
                                "it as what it is")
                      : Msg::tr("its byte order mark says %1, but the text after it is not %1 (it "
                                "holds no zero byte, as UTF-16 text does); give --encoding NAME "
                                "to read it as what it is"))
                   .arg(EncodingName(marked));
    return false;
}

QString ListReader::NothingToWrite() const {
    if (HeaderAlone())
        return Msg::tr("holds a header line and no line after it; nothing written");
    if (!SawContent())
        return Msg::tr("holds no line to write; nothing written");
    return QString();
}

// The first of UTF-8 and Shift_JIS that decodes every line, so that no line
// is read in an encoding that another line shows to be wrong.
bool ListReader::FindEncoding() {
    const qint64 start = device_->pos();
    Lines lines(*device_, ListEncoding::Utf8);
    LineDecoder utf8(ListEncoding::Utf8), shiftJis(ListEncoding::ShiftJis);
    QString failures[2];
    int failedLines[2] = {0, 0};
    QByteArray raw;
    QString text;
    bool tooLong = false;
    qsizetype bad = 0;
    bool zeros = false;
    for (int line = 1;
         (failures[0].isEmpty() || failures[1].isEmpty()) && lines.Next(&raw, &tooLong); ++line) {
        zeros = zeros || raw.contains('\0');
        LineDecoder* decoders[2] = {&utf8, &shiftJis};
        for (int i = 0; i < 2; ++i)
            if (failures[i].isEmpty() && !decoders[i]->Decode(raw, &text, &bad)) {
                failures[i] = DecodingFailure(decoders[i]->Encoding(), raw, bad);
                failedLines[i] = line;
            }
    }
    if (!lines.Error().isEmpty()) {
        refusal_ = u": "_s + Msg::tr("cannot read it: %1").arg(lines.Error());
        return false;
    }
    if (zeros && failures[0].isEmpty()) {
        refusal_ = u": "_s + Msg::tr(
                                 "it holds zero bytes, as UTF-16 without a byte order mark "
                                 "does; give --encoding UTF-16LE or UTF-16BE");
        return false;
    }
    if (failures[0].isEmpty() || failures[1].isEmpty()) {
        encoding_ = failures[0].isEmpty() ? ListEncoding::Utf8 : ListEncoding::ShiftJis;
        return device_->seek(start);
    }
    refusal_ = u":%1: "_s.arg(failedLines[0]) +
               Msg::tr(
                   "%1; and in line %2, %3: the list is neither UTF-8 nor Shift_JIS, and "
                   "none of it is read. Give --encoding NAME (UTF-8, UTF-16LE, UTF-16BE, "
                   "Shift_JIS) to read it as one; each line that is not is then refused")
                   .arg(failures[0])
                   .arg(failedLines[1])
                   .arg(failures[1]);
    return false;
}

bool ListReader::ReadLine(QString* text, QString* error) {
    QByteArray raw;
    bool tooLong = false;
    if (!lines_->Next(&raw, &tooLong))
        return false;
    ++line_;
    qsizetype bad = 0;
    if (tooLong)
        *error = Msg::tr("longer than %1 bytes").arg(kMaxLineBytes);
    else if (!decoder_->Decode(raw, text, &bad))
        *error = DecodingFailure(encoding_, raw, bad);
    else if (text->startsWith(QChar(0xFEFF)))
        text->remove(0, 1);  // a byte order mark left by joining two lists
    return true;
}

bool ListReader::Next(ListRecord* record) {
    QString text;
    QString error;
    while (refusal_.isEmpty()) {
        error.clear();
        if (!ReadLine(&text, &error)) {
            if (!lines_->Error().isEmpty())
                refusal_ =
                    u": "_s +
                    Msg::tr("reading stopped after line %1: %2").arg(line_).arg(lines_->Error());
            return false;
        }
        *record = ListRecord();
        record->line = line_;
        if (error.isEmpty() && text.trimmed().isEmpty())
            continue;
        sawContent_ = true;
        QChar separator;
        if (error.isEmpty() && !ReadRecordText(&text, &error, &separator))
            continue;  // the header
        sawEntry_ = shaped_;
        if (!error.isEmpty()) {
            record->error = error;
            return true;
        }
        const BatchLine line = ReadRecord(text, separator, columns_, format_.separator.isNull());
        record->name = line.name;
        record->note = CutName(&record->name);
        record->digits = line.digits;
        record->classification = line.classification;
        record->price = line.price;
        record->isbn = line.isbn;
        record->priceWithTax = line.priceWithTax;
        record->priceWithoutTax = line.priceWithoutTax;
        record->taxRate = line.taxRate;
        record->item = line.item;
        record->error = line.error;
        return true;
    }
    return false;
}

QChar ListReader::RecordSeparator(const QString& text) {
    if (!format_.separator.isNull())
        return format_.separator;
    if (separator_.isNull())
        separator_ = text.contains(u'\t') ? u'\t' : u',';
    return pipeline::RecordSeparator(text, separator_);
}

// Joins the lines of a record whose quoted field holds line breaks, and
// reads the list's shape from its first record. False for a header or when
// the list is refused.
bool ListReader::ReadRecordText(QString* text, QString* error, QChar* recordSeparator) {
    const QChar separator = *recordSeparator = RecordSeparator(*text);
    const int first = line_;
    QString more;
    OpenQuote quote(separator);
    quote.Add(*text);
    while (error->isEmpty() && quote.IsOpen()) {
        if (text->size() > kMaxLineBytes || !ReadLine(&more, error)) {
            *error = Msg::tr(
                         "a quote opened on this line is not closed: lines %1 to %2 "
                         "were read as one field")
                         .arg(first)
                         .arg(line_);
            return true;
        }
        if (!error->isEmpty())
            *error = Msg::tr("line %1: %2").arg(line_).arg(*error);
        *text += u'\n' + more;
        quote.Add(QStringView(*text).last(more.size() + 1));
    }
    if (!error->isEmpty() || shaped_)
        return true;
    const ListShape shape = ReadListShape(*text, separator, format_.nameColumn, format_.codeColumn);
    shaped_ = true;
    header_ = shape.header;
    columns_ = shape.columns;
    if (!shape.error.isEmpty())
        refusal_ = QStringLiteral(":%1: %2").arg(first).arg(shape.error);
    return !header_ && refusal_.isEmpty();
}

qint64 ListReader::BytesRead() const {
    return lines_ ? lines_->Position() : 0;
}

}  // namespace pipeline
