#pragma once

// A batch list read record by record: its encoding found, its lines split at
// any line end, its records joined across quoted line breaks, its header and
// columns read. Memory stays the same however long the list is.

#include <QIODevice>
#include <QTemporaryFile>

#include <memory>

#include "batchlist.h"

namespace pipeline {

struct ListRecord {
    int line = 0;  // the line the record starts on
    QString name;  // of an entry
    QString digits;
    QString classification;  // a book's, null without its column
    QString price;
    QString isbn;  // a book's, null without its column
    // A tag's cells as written (BatchLine's), null without their columns.
    QString priceWithTax;
    QString priceWithoutTax;
    QString taxRate;
    QString item;
    QString error;  // why the record is refused; empty for an entry
    QString note;   // what was done to the record: its name cut
};

class ListReader {
public:
    ListReader(QIODevice& device, ListFormat format);
    ~ListReader();

    // Finds the encoding: given, from a byte order mark, or the first of
    // UTF-8 and Shift_JIS that decodes the whole list. False with Refusal()
    // when none does or the list cannot be read.
    bool Start();

    // The next record with content. False at the end of the list, and when
    // the list is refused (Refusal() says why).
    bool Next(ListRecord* record);

    // "LINE: reason" or ": reason" when the whole list is refused.
    QString Refusal() const { return refusal_; }
    ListEncoding Encoding() const { return encoding_; }
    // A header was read and no record came after it.
    bool HeaderAlone() const { return header_ && !sawEntry_; }
    bool SawContent() const { return sawContent_; }
    // The list has a header: a spreadsheet's, whose codes carry their check digit.
    bool HasHeader() const { return header_; }
    qint64 BytesRead() const;
    // Why a list that gave no record wrote nothing, with "nothing written";
    // empty when it gave some.
    QString NothingToWrite() const;

    // No line of a real list comes near this. A longer one (a binary file
    // given by mistake) is reported and skipped without being held in memory.
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;

private:
    class Lines;
    bool FindEncoding();
    bool MarkFitsText(ListEncoding marked);
    bool Spool();
    bool ReadLine(QString* text, QString* error);
    QChar RecordSeparator(const QString& text);
    bool ReadRecordText(QString* text, QString* error, QChar* recordSeparator);

    QIODevice* device_;
    ListFormat format_;
    ListEncoding encoding_ = ListEncoding::Utf8;
    std::unique_ptr<QTemporaryFile> spool_;
    std::unique_ptr<Lines> lines_;
    std::unique_ptr<LineDecoder> decoder_;
    int line_ = 0;
    QChar separator_;
    Columns columns_;
    bool shaped_ = false;
    bool header_ = false;
    bool sawEntry_ = false;
    bool sawContent_ = false;
    QString refusal_;
};

}  // namespace pipeline
