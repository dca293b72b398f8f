#include "tagoptions.h"

#include "messages.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "pipeline/price.h"
#include "pipeline/tagdesign.h"
#include "symbol/instore.h"

namespace render {

namespace {

// --label-size: "WxH" in millimetres, each 10 to 1000.
bool ReadLabelSize(const QString& text, QSizeF* size) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d+(?:\.\d+)?)\s*[xX×]\s*(\d+(?:\.\d+)?)\s*(?:mm)?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    const double width = match.captured(1).toDouble();
    const double height = match.captured(2).toDouble();
    if (width < 10 || width > 1000 || height < 10 || height > 1000)
        return false;
    *size = QSizeF(width, height);
    return true;
}

// A price option's yen, or the reason it is refused.
std::optional<qint64> ReadPriceOption(const QCommandLineOption& option, const QString& text,
                                      QString* error) {
    QString why;
    const std::optional<qint64> yen = pipeline::ReadYen(text, &why);
    if (!yen)
        *error = QStringLiteral("--%1: %2").arg(option.names().constFirst(), why);
    return yen;
}

}  // namespace

QString ReadTags(const OptionTable& o, Options* options) {
    const QCommandLineParser& parser = o.parser;
    if (parser.isSet(o.design)) {
        const pipeline::DesignRow* row = pipeline::FindDesign(parser.value(o.design).toLower());
        if (!row) {
            QStringList names;
            for (const pipeline::DesignRow& design : pipeline::Designs())
                names << design.option;
            const QString last = names.takeLast();
            return Msg::tr("--design takes %1 or %2, not '%3'")
                .arg(names.join(QStringLiteral(", ")), last, parser.value(o.design));
        }
        options->tag.design = row->design;
    }
    const bool tags = options->tag.design != pipeline::Design::Symbol;
    options->pricing.tags = tags;
    const bool batch = parser.isSet(o.batch);
    if (!tags) {
        for (const QCommandLineOption* tagOption :
             {&o.priceWithTax, &o.taxRate, &o.rounding, &o.exclusiveLabel, &o.labelSize})
            if (parser.isSet(*tagOption))
                return Msg::tr("--%1 goes with a tag: --design price or shelf")
                    .arg(tagOption->names().constFirst());
    }
    if (parser.isSet(o.noSymbol)) {
        if (options->tag.design != pipeline::Design::Shelf)
            return Msg::tr("--no-symbol is for shelf labels: --design shelf");
        options->tag.symbol = false;
    }
    if (parser.isSet(o.taxRate)) {
        const QString rate = parser.value(o.taxRate).trimmed();
        if (rate != u"10" && rate != u"8")
            return Msg::tr("--tax-rate takes 10 or 8, the reduced rate, not '%1'")
                .arg(parser.value(o.taxRate));
        options->pricing.taxRate = rate.toInt();
    }
    if (parser.isSet(o.rounding)) {
        const std::optional<pipeline::Rounding> rounding =
            pipeline::RoundingNamed(parser.value(o.rounding).toLower());
        if (!rounding)
            return Msg::tr("--rounding takes floor, round or ceil, not '%1'")
                .arg(parser.value(o.rounding));
        options->pricing.rounding = *rounding;
    }
    if (parser.isSet(o.exclusiveLabel)) {
        const QString wording = parser.value(o.exclusiveLabel).toLower();
        if (wording != u"zeinuki" && wording != u"hontai")
            return Msg::tr(
                       "--exclusive-label takes zeinuki (税抜) or hontai (本体価格), "
                       "not '%1'")
                .arg(parser.value(o.exclusiveLabel));
        options->tag.wording = wording == u"hontai" ? pipeline::ExclusiveWording::Hontai
                                                    : pipeline::ExclusiveWording::Zeinuki;
    }
    if (parser.isSet(o.labelSize)) {
        if (parser.isSet(o.sheet) || parser.isSet(o.sheetFile) || parser.isSet(o.print))
            return Msg::tr(
                "--label-size is for a tag written to a file of its own; a "
                "sheet's or a printer's labels have their own size");
        if (!ReadLabelSize(parser.value(o.labelSize).normalized(QString::NormalizationForm_KC),
                           &options->labelMm))
            return Msg::tr(
                       "--label-size takes WxH in mm, each 10 to 1000, as 40x30, "
                       "not '%1'")
                .arg(parser.value(o.labelSize));
    }

    // In-store codes.
    for (const QCommandLineOption* instoreOption : {&o.item, &o.instorePrefix})
        if (parser.isSet(*instoreOption) && !parser.isSet(o.instore))
            return Msg::tr("--%1 goes with --instore FORMAT")
                .arg(instoreOption->names().constFirst());
    if (parser.isSet(o.instore)) {
        const symbol::InstoreRow* row = symbol::FindInstoreFormat(parser.value(o.instore));
        if (!row)
            return Msg::tr("--instore takes %1, not '%2'")
                .arg(symbol::InstoreFormatNames(), parser.value(o.instore));
        if (row->priceDigits > 0 && !tags)
            return Msg::tr(
                       "--instore %1 holds the tag's price: give --design price or "
                       "shelf, and the price")
                .arg(QString(row->option));
        options->pricing.instore = row;
        if (parser.isSet(o.instorePrefix)) {
            const QString text =
                parser.value(o.instorePrefix).normalized(QString::NormalizationForm_KC).trimmed();
            const int prefix = text.toInt();
            if (text.size() != 2 || !text[0].isDigit() || !text[1].isDigit() ||
                !symbol::IsInstorePrefix(*row, prefix))
                return Msg::tr("--instore-prefix of %1 takes %2, not '%3'")
                    .arg(QString(row->option),
                         row->priceDigits > 0 ? Msg::tr("02 or 20 to 29") : Msg::tr("20 to 29"),
                         parser.value(o.instorePrefix));
            options->pricing.instorePrefix = prefix;
        }
        if (batch) {
            if (parser.isSet(o.item))
                return Msg::tr(
                    "--item is for one tag; a list gives each line's in a "
                    "column 品番 or 商品コード");
        } else {
            if (!parser.isSet(o.item))
                return Msg::tr(
                           "--instore %1 makes the code from the shop's item number: "
                           "give --item N")
                    .arg(QString(row->option));
            options->item = parser.value(o.item).trimmed();
        }
    }
    if (!tags)
        return QString();

    // The price of one tag; a list gives each line's.
    const bool withTax = parser.isSet(o.priceWithTax);
    const bool withoutTax = parser.isSet(o.price);
    if (batch) {
        if (withTax || withoutTax)
            return Msg::tr(
                       "--%1 is for one tag; a list gives each line's price in a "
                       "column 売価, 税込価格 or 価格, or 税抜価格 or 本体価格")
                .arg(withTax ? QStringLiteral("price-with-tax") : QStringLiteral("price"));
        return QString();
    }
    if (withTax == withoutTax)
        return withTax ? Msg::tr(
                             "give the tag's price once: --price (without tax) or "
                             "--price-with-tax, not both")
                       : Msg::tr(
                             "a tag needs its price: --price YEN (without tax, "
                             "本体価格) or --price-with-tax YEN");
    QString error;
    const QCommandLineOption& option = withTax ? o.priceWithTax : o.price;
    const std::optional<qint64> yen = ReadPriceOption(option, parser.value(option), &error);
    if (!yen)
        return error;
    const pipeline::TagPricing& pricing = options->pricing;
    options->tagPrice = withTax
                            ? pipeline::PriceFromInclusive(*yen, pricing.taxRate, pricing.rounding)
                            : pipeline::PriceFromExclusive(*yen, pricing.taxRate, pricing.rounding);
    if (!options->tagPrice)
        return pipeline::PriceRefusal(*yen, withTax, pricing.taxRate, pricing.rounding);
    return QString();
}

}  // namespace render
