#pragma once

// The print dialog's choice of design, 記号のみ (the plain labels), 値札 or
// 棚札, with what a tag needs: for the symbol on the screen the price of its
// single tag (税抜 or 税込, the other computed), and for a list and a single
// tag alike the tax rate, the rounding of the tax, the wording of the
// tax-exclusive price and, on a shelf label, whether the symbol is printed.
// The fields are rows of the dialog's form; the dialog remembers them.

#include <QObject>
#include <QString>
#include <optional>

#include "pipeline/labelsource.h"
#include "pipeline/price.h"
#include "pipeline/tagdesign.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QSettings;
class QWidget;

class TagFields : public QObject {
    Q_OBJECT

public:
    // The fields, children of parent, as rows added to form.
    TagFields(QWidget* parent, QFormLayout* form);

    QComboBox* Design;         // one item a design, its option as data
    QRadioButton* WithoutTax;  // the price typed is 税抜 (本体価格)
    QRadioButton* WithTax;     // the price typed is 税込
    QLineEdit* Price;          // in whole yen, as pipeline::ReadYen reads a cell
    QComboBox* TaxRate;        // 10 or 8 as data
    QComboBox* Rounding;       // a pipeline::Rounding as data
    QComboBox* Wording;        // a pipeline::ExclusiveWording as data
    QCheckBox* PrintSymbol;    // a shelf label's symbol

    pipeline::TagStyle Style() const;
    bool Tags() const { return Style().design != pipeline::Design::Symbol; }
    int TaxRatePercent() const;
    pipeline::Rounding RoundingChosen() const;

    // The single tag's prices from the fields; none, with the reason in
    // error, when the price is missing or cannot be read.
    std::optional<pipeline::TagPrice> SinglePrice(QString* error) const;

    // How a list's lines are priced: from their columns at the rate and
    // the rounding chosen, for a tag design; not at all for 記号のみ.
    pipeline::TagPricing Pricing() const;
    static bool SamePricing(const pipeline::TagPricing& a, const pipeline::TagPricing& b);
    // "（税込 ¥1,100・税抜 ¥1,000）", as the dialog's summary ends.
    QString PriceLine(const pipeline::TagPrice& price) const;

    // The fields that count for this symbol (single) or for a list: a list
    // takes its prices from its columns.
    void Enable(bool single);

    void Remember(QSettings& settings) const;
    void Restore(const QSettings& settings);

signals:
    void Changed();

private:
    bool single_ = true;
};
