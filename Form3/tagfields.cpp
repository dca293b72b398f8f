#include "tagfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>

TagFields::TagFields(QWidget* parent, QFormLayout* form) : QObject(parent) {
    Design = new QComboBox(parent);
    for (const pipeline::DesignRow& row : pipeline::Designs())
        Design->addItem(row.title, row.option);
    WithoutTax = new QRadioButton(QStringLiteral("税抜(&U)"), parent);
    WithTax = new QRadioButton(QStringLiteral("税込(&I)"), parent);
    WithoutTax->setChecked(true);
    Price = new QLineEdit(parent);
    Price->setPlaceholderText(QStringLiteral("例: 1,000"));
    Price->setMaxLength(20);
    TaxRate = new QComboBox(parent);
    TaxRate->addItem(QStringLiteral("10 %"), pipeline::kStandardTaxRate);
    TaxRate->addItem(QStringLiteral("8 % (軽減税率)"), pipeline::kReducedTaxRate);
    Rounding = new QComboBox(parent);
    Rounding->addItem(QStringLiteral("切り捨て"), int(pipeline::Rounding::Floor));
    Rounding->addItem(QStringLiteral("四捨五入"), int(pipeline::Rounding::Round));
    Rounding->addItem(QStringLiteral("切り上げ"), int(pipeline::Rounding::Ceil));
    Wording = new QComboBox(parent);
    for (pipeline::ExclusiveWording wording :
         {pipeline::ExclusiveWording::Zeinuki, pipeline::ExclusiveWording::Hontai})
        Wording->addItem(pipeline::ExclusiveWord(wording) + QStringLiteral(" ¥1,000"),
                         int(wording));
    PrintSymbol = new QCheckBox(QStringLiteral("棚札に記号を印刷する(&Y)"), parent);
    PrintSymbol->setChecked(true);

    // The two kinds of price in a row of their own, apart from the dialog's
    // other round buttons.
    auto* priceRow = new QWidget(parent);
    auto* priceLayout = new QHBoxLayout(priceRow);
    priceLayout->setContentsMargins(QMargins());
    for (QWidget* field : std::initializer_list<QWidget*>{WithoutTax, WithTax, Price})
        field->setParent(priceRow);
    priceLayout->addWidget(WithoutTax);
    priceLayout->addWidget(WithTax);
    priceLayout->addWidget(Price, 1);
    form->addRow(QStringLiteral("デザイン(&D):"), Design);
    form->addRow(QStringLiteral("価格(&E):"), priceRow);
    // The row's label takes the person to the amount.
    qobject_cast<QLabel*>(form->labelForField(priceRow))->setBuddy(Price);
    form->addRow(QStringLiteral("税率(&X):"), TaxRate);
    form->addRow(QStringLiteral("税の端数(&R):"), Rounding);
    form->addRow(QStringLiteral("税抜価格の表記(&W):"), Wording);
    form->addRow(PrintSymbol);

    for (QComboBox* box : {Design, TaxRate, Rounding, Wording})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            Enable(single_);
            emit Changed();
        });
    connect(WithTax, &QRadioButton::toggled, this, &TagFields::Changed);
    connect(Price, &QLineEdit::textChanged, this, &TagFields::Changed);
    connect(PrintSymbol, &QCheckBox::toggled, this, &TagFields::Changed);
    Enable(true);
}

pipeline::TagStyle TagFields::Style() const {
    pipeline::TagStyle style;
    if (const pipeline::DesignRow* row = pipeline::FindDesign(Design->currentData().toString()))
        style.design = row->design;
    style.wording = pipeline::ExclusiveWording(Wording->currentData().toInt());
    style.symbol = style.design != pipeline::Design::Shelf || PrintSymbol->isChecked();
    return style;
}

int TagFields::TaxRatePercent() const {
    return TaxRate->currentData().toInt();
}

pipeline::Rounding TagFields::RoundingChosen() const {
    return pipeline::Rounding(Rounding->currentData().toInt());
}

std::optional<pipeline::TagPrice> TagFields::SinglePrice(QString* error) const {
    const QString which =
        WithTax->isChecked() ? QStringLiteral("税込価格") : QStringLiteral("税抜価格");
    if (Price->text().trimmed().isEmpty()) {
        *error = QStringLiteral("値札・棚札には価格が要ります。%1を入れてください。").arg(which);
        return std::nullopt;
    }
    QString unread;
    const std::optional<qint64> yen = pipeline::ReadYen(Price->text(), &unread);
    if (!yen) {
        *error = QStringLiteral("%1「%2」は価格として読めません。円の整数で %3 までです。")
                     .arg(which, Price->text(), pipeline::YenText(pipeline::kMaxYen));
        return std::nullopt;
    }
    const std::optional<pipeline::TagPrice> price =
        WithTax->isChecked()
            ? pipeline::PriceFromInclusive(*yen, TaxRatePercent(), RoundingChosen())
            : pipeline::PriceFromExclusive(*yen, TaxRatePercent(), RoundingChosen());
    if (!price)
        *error =
            QStringLiteral("税込価格が %1 を超えます。").arg(pipeline::YenText(pipeline::kMaxYen));
    return price;
}

pipeline::TagPricing TagFields::Pricing() const {
    pipeline::TagPricing pricing;
    pricing.tags = Tags();
    pricing.taxRate = TaxRatePercent();
    pricing.rounding = RoundingChosen();
    return pricing;
}

bool TagFields::SamePricing(const pipeline::TagPricing& a, const pipeline::TagPricing& b) {
    return a.tags == b.tags && (!a.tags || (a.taxRate == b.taxRate && a.rounding == b.rounding));
}

QString TagFields::PriceLine(const pipeline::TagPrice& price) const {
    return QStringLiteral("（税込 %1・%2 %3）")
        .arg(pipeline::YenText(price.withTax), pipeline::ExclusiveWord(Style().wording),
             pipeline::YenText(price.withoutTax));
}

void TagFields::Enable(bool single) {
    single_ = single;
    const pipeline::TagStyle style = Style();
    const bool tags = style.design != pipeline::Design::Symbol;
    for (QWidget* field : std::initializer_list<QWidget*>{WithoutTax, WithTax, Price})
        field->setEnabled(tags && single);
    for (QWidget* field : std::initializer_list<QWidget*>{TaxRate, Rounding, Wording})
        field->setEnabled(tags);
    PrintSymbol->setEnabled(style.design == pipeline::Design::Shelf);
}

void TagFields::Remember(QSettings& settings) const {
    settings.setValue("print/design", Design->currentData());
    settings.setValue("print/priceWithTax", WithTax->isChecked());
    settings.setValue("print/taxRate", TaxRate->currentData());
    settings.setValue("print/rounding", Rounding->currentData());
    settings.setValue("print/wording", Wording->currentData());
    settings.setValue("print/shelfSymbol", PrintSymbol->isChecked());
}

void TagFields::Restore(const QSettings& settings) {
    // The settings file holds every value as text.
    const auto restore = [&settings](QComboBox* box, const char* key) {
        for (int i = 0; i < box->count(); ++i)
            if (box->itemData(i).toString() == settings.value(key).toString())
                box->setCurrentIndex(i);
    };
    restore(Design, "print/design");
    restore(TaxRate, "print/taxRate");
    restore(Rounding, "print/rounding");
    restore(Wording, "print/wording");
    (settings.value("print/priceWithTax").toBool() ? WithTax : WithoutTax)->setChecked(true);
    PrintSymbol->setChecked(settings.value("print/shelfSymbol", true).toBool());
}
