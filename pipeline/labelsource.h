#pragma once

// The one way from a record of a list to a label: its code read as a list's
// codes are read, or the record's reason for giving none; each code given as
// many times as asked. A batch's files, a sheet's labels and the print
// dialog's pages all take their labels from here, and sheets and the print
// dialog hand them to the painter through PaintLabels().

#include <QList>
#include <QString>

#include <optional>

#include "price.h"
#include "sheetpainter.h"
#include "symbol/instore.h"
#include "symbol/layout.h"
#include "typedcode.h"

namespace pipeline {

class ListReader;

struct Label {
    int line = 0;  // the list line its record starts on; 0 for a code given alone
    QString name;
    symbol::SymbolCode code;
    QString refusal;  // why the record gives no label; empty when it gives one
    QString note;     // what was done to the record (its name cut); with the first copy only
    std::optional<TagPrice> price = std::nullopt;  // a tag's; none for a bare symbol
};

// What a run of price tags asks of each line: its prices read (a line
// without one is refused), at the line's tax rate or this one, rounded so;
// and with an in-store format the code made from the line's item number and
// its price with tax, or the line's own in-store code checked against it.
struct TagPricing {
    bool tags = false;  // false: no price is read, as for bare symbols
    int taxRate = kStandardTaxRate;
    Rounding rounding = Rounding::Floor;
    const symbol::InstoreRow* instore = nullptr;
    int instorePrefix = -1;  // -1: the format's own
};

// A tag's price from its cells: with tax (売価, 税込価格, 価格) or, when that is
// empty, without (税抜価格, 本体価格); both given must agree. rate is the
// line's 税率 cell, empty or null for pricing's. Nothing, with the reason
// in error, for a bad or missing cell or a price over kMaxYen.
std::optional<TagPrice> ReadTagPrice(const QString& withTax, const QString& withoutTax,
                                     const QString& rate, const TagPricing& pricing,
                                     QString* error);

// The in-store code of a tag: made from item (digits) when code is empty,
// else code as given, read as a list's code is, whose price inside must be
// the tag's price with tax. A refusal when it cannot be.
TypedCode InstoreCodeOf(const QString& code, const QString& item, const TagPrice& price,
                        const TagPricing& pricing, bool hasHeader);

class LabelSource {
public:
    // The records of a started reader, read as codes of symbology, each
    // code copies times. ITF-14 with an indicator digit (0-9) reads each
    // record's code as a list's JAN and gives its case code (CaseCodeOfJan).
    LabelSource(ListReader& reader, symbol::Symbology symbology, int copies = 1,
                int indicator = -1);
    // The same, the symbology from the list: JANs, or book pairs from the
    // first record with a book's classification and price columns on.
    explicit LabelSource(ListReader& reader, int copies = 1);
    // Labels already read (a code given alone, a list read before), each
    // copies times.
    explicit LabelSource(QList<Label> labels, int copies = 1);

    // The next label, or the next record that gives none (its refusal set).
    // False at the end, and when the list is refused midway (the reader's
    // Refusal() says why).
    bool Next(Label* label);

    // Each record's price and in-store code as the run asks; before the first Next().
    void SetPricing(const TagPricing& pricing) { pricing_ = pricing; }

private:
    bool NextRecord(Label* label);

    ListReader* reader_ = nullptr;
    symbol::Symbology symbology_ = symbol::kDefaultSymbology;
    bool booksByColumns_ = false;
    QList<Label> held_;
    qsizetype nextHeld_ = 0;
    int copies_ = 1;
    int indicator_ = -1;
    TagPricing pricing_;
    Label current_;
    int copiesLeft_ = 0;  // of current_, after the one given
};

// What a painting run tells of its labels as they come, for its messages.
class LabelReport {
public:
    virtual ~LabelReport() = default;
    // A record that gives no label.
    virtual void Refused(const Label&) {}
    // A label whose record was changed, before it is painted.
    virtual void Noted(const Label&) {}
    // A label the painter left out: TooLarge or BarsTooThin.
    virtual void LeftOut(const Label&, SheetPainter::Added) {}
};

struct LabelCount {
    int painted = 0;
    int failed = 0;  // records refused and labels left out
};

// Hands every label of source to painter, in order, telling report of each
// one that gives nothing; count is kept as it goes (a device may wait for
// the first label). False when the device failed; the rest is not read.
bool PaintLabels(LabelSource& source, SheetPainter& painter, LabelReport& report,
                 LabelCount* count);

}  // namespace pipeline
