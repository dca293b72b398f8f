#include "printjob.h"

#include <cups/cups.h>
#include <cups/pwg.h>

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <optional>

#include "messages.h"
#include "pipeline/printer.h"
#include "pipeline/sheetpainter.h"
#include "report.h"
#include "sheetjob.h"

namespace render {

using pipeline::FitStyleToPrintersPage;
using pipeline::LabelStyle;
using pipeline::PrinterDpi;
using pipeline::SetPrintersPage;
using pipeline::SheetTemplate;
using pipeline::UsePrintersDots;
using pipeline::WholePageSheet;

namespace {

// The print service's own words for the request that failed last; Qt's
// print support asks the same library, so its requests count too.
QString ServiceReason() {
    return QString::fromUtf8(cupsLastErrorString());
}

bool ServiceFailed() {
    return cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Why the print service cannot be reached; empty when it answers.
QString ServiceDown() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                10000, nullptr);
    if (http) {
        httpClose(http);
        return QString();
    }
    return Msg::tr("the print service at %1 does not answer: %2")
        .arg(QString::fromUtf8(cupsServer()), ServiceReason());
}

QString Mm(double value) {
    return QString::number(value, 'f', 1);
}

// The printer by its name, or the default printer; empty, with the print
// service's reason, when there is none.
QString FindPrinter(const QString& asked, QString* error) {
    const QByteArray name = asked.toUtf8();
    cups_dest_t* dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, asked.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!dest) {
        *error = !ServiceDown().isEmpty() ? ServiceDown()
                 : asked.isEmpty()        ? Msg::tr("no default printer: %1").arg(ServiceReason())
                                   : QStringLiteral("printer '%1': %2").arg(asked, ServiceReason());
        return QString();
    }
    const QString found = QString::fromUtf8(dest->name);
    cupsFreeDests(1, dest);
    return found;
}

// The printer that printing without a name prints on (the user's choice
// in lpoptions or the environment, else the service's); empty for none.
QString DefaultPrinter() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return QString();
    const QString name = QString::fromUtf8(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

QString MmSize(double widthMm, double heightMm) {
    return QStringLiteral("%1 x %2 mm").arg(Mm(widthMm), Mm(heightMm));
}

// A printer of the list as the print service describes it: its media by
// their names of the service, with the size each name gives, and the sizes
// of its own it takes (custom_min_ and custom_max_).
struct PrinterAnswer {
    QString name;
    QString model;
    int dpi = 0;
    QString loaded;
    QStringList media;
    QString least, most;

    void Take(ipp_attribute_t* attribute) {
        const QByteArray key = ippGetName(attribute);
        const auto string = [&](int i) {
            return QString::fromUtf8(ippGetString(attribute, i, nullptr));
        };
        if (key == "printer-name")
            name = string(0);
        else if (key == "printer-make-and-model")
            model = string(0);
        else if (key == "printer-resolution-default")
            dpi = pipeline::ResolutionDpi(attribute);
        else if (key == "media-default")
            loaded = string(0);
        else if (key == "media-supported")
            for (int i = 0; i < ippGetCount(attribute); ++i) {
                const QString medium = string(i);
                if (medium.startsWith(u"custom_min_"))
                    least = medium;
                else if (medium.startsWith(u"custom_max_"))
                    most = medium;
                else
                    media.append(medium);
            }
    }

    QString Text(bool isDefault) const {
        QString text = QStringLiteral("%1%2: %3, %4\n")
                           .arg(name, isDefault ? QStringLiteral(" (default)") : QString(),
                                dpi > 0 ? QStringLiteral("%1 dpi").arg(dpi)
                                        : QStringLiteral("no resolution given"),
                                model);
        const auto size = [](const QString& medium) {
            const pwg_media_t* pwg = pwgMediaForPWG(medium.toUtf8().constData());
            return pwg ? MmSize(pwg->width / 100.0, pwg->length / 100.0) : QString();
        };
        for (const QString& medium : media)
            text += QStringLiteral("  %1 (%2)%3\n")
                        .arg(medium, size(medium),
                             medium == loaded ? QStringLiteral(" (default)") : QString());
        if (!least.isEmpty() && !most.isEmpty())
            text += QStringLiteral("  a size of one's own (\"W x H mm\") from %1 to %2\n")
                        .arg(size(least), size(most));
        if (media.isEmpty() && least.isEmpty())
            text += QStringLiteral(
                "  no media: the print service names none (a raw queue, which passes jobs on "
                "unchanged, has none), and no label can be fitted to it\n");
        return text;
    }
};

QString MediaLine(const QPageSize& size) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return QStringLiteral("%1 (%2, %3 x %4 mm)")
        .arg(size.key(), size.name(), Mm(mm.width()), Mm(mm.height()));
}

// What a printer that names no media (a raw queue) is told.
QString NoMedia(const QString& printer) {
    return Msg::tr(
               "printer %1 names no media (a raw queue, which passes jobs on unchanged, "
               "names none), so no label can be fitted to it: print on a queue with the "
               "printer's driver")
        .arg(printer);
}

// --media: one of the printer's media by its name (w288h360, 4.00x5.00", or
// the print service's na_index-4x6_4x6in), or by its size ("50x30 mm"), or
// a size of one's own where the printer takes one, within the sizes its
// driver gives; empty, with the printer's media, when it names none of them.
std::optional<QPageSize> ReadMedia(const QString& text, const QPrinterInfo& printer,
                                   QString* error) {
    const QList<QPageSize> sizes = printer.supportedPageSizes();
    if (sizes.isEmpty() && !printer.supportsCustomPageSizes()) {
        *error = NoMedia(printer.printerName());
        return std::nullopt;
    }
    for (const QPageSize& size : sizes)
        if (size.key().compare(text, Qt::CaseInsensitive) == 0 ||
            size.name().compare(text, Qt::CaseInsensitive) == 0)
            return size;
    const auto sameSize = [&](const QSizeF& asked) -> std::optional<QPageSize> {
        for (const QPageSize& size : sizes) {
            const QSizeF mm = size.size(QPageSize::Millimeter);
            if (std::abs(mm.width() - asked.width()) < 0.5 &&
                std::abs(mm.height() - asked.height()) < 0.5)
                return size;
        }
        return std::nullopt;
    };
    // The print service's names say their sizes.
    if (text.contains(u'_') && !text.startsWith(u"custom_min_") && !text.startsWith(u"custom_max_"))
        if (const pwg_media_t* pwg = pwgMediaForPWG(text.toUtf8().constData()))
            if (const std::optional<QPageSize> size =
                    sameSize(QSizeF(pwg->width / 100.0, pwg->length / 100.0)))
                return size;
    const QSizeF least = printer.minimumPhysicalPageSize().size(QPageSize::Millimeter);
    const QSizeF most = printer.maximumPhysicalPageSize().size(QPageSize::Millimeter);
    const bool custom = printer.supportsCustomPageSizes() && most.isValid() && !most.isEmpty();
    static const QRegularExpression dimensions(
        QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s*[xX×]\\s*(\\d+(?:\\.\\d+)?)\\s*mm\\s*$"));
    const QRegularExpressionMatch match = dimensions.match(text);
    if (match.hasMatch()) {
        const QSizeF asked(match.captured(1).toDouble(), match.captured(2).toDouble());
        if (const std::optional<QPageSize> size = sameSize(asked))
            return size;
        // A size of one's own only within the driver's range: a size the
        // printer cannot feed would keep its driver busy for nothing.
        if (custom) {
            // The driver's range in points, as Qt gives it, to a tenth of a
            // millimetre.
            constexpr double kRounding = 0.05;
            if (asked.width() + kRounding < least.width() ||
                asked.height() + kRounding < least.height() ||
                asked.width() - kRounding > most.width() ||
                asked.height() - kRounding > most.height()) {
                *error = Msg::tr(
                             "printer %1 takes sizes of its own from %2 to %3 (width across "
                             "the printer, then length), not %4")
                             .arg(printer.printerName(), MmSize(least.width(), least.height()),
                                  MmSize(most.width(), most.height()),
                                  MmSize(asked.width(), asked.height()));
                return std::nullopt;
            }
            return QPageSize(asked, QPageSize::Millimeter, text.simplified());
        }
    }
    QStringList names;
    for (const QPageSize& size : sizes)
        names.append(QStringLiteral("  ") + MediaLine(size));
    if (custom)
        names.append(
            Msg::tr("  or a size of its own from %1 to %2")
                .arg(MmSize(least.width(), least.height()), MmSize(most.width(), most.height())));
    *error = Msg::tr(
                 "printer %1 has no media '%2'; give one of these, by name or as "
                 "\"W x H mm\":\n%3")
                 .arg(printer.printerName(), text, names.join(u'\n'));
    return std::nullopt;
}

// A printer of the print service: its paper is the page, painted at its own
// resolution, and the job is sent when the painting ends.
class PrinterTarget : public PageTarget {
public:
    PrinterTarget(const Options& options, const QString& name)
        : options_(options), printer_(QPrinter::HighResolution) {
        printer_.setPrinterName(name);
        UsePrintersDots(&printer_);
        printer_.setFullPage(true);
        printer_.setDocName(QStringLiteral("stripewell-render"));
        printer_.setCreator(QStringLiteral("stripewell-render"));
    }

    // The page is the label: the media asked for, or the printer's own,
    // turned when the symbol fits better across it.
    std::optional<SheetTemplate> PageSheet(const std::optional<SheetTemplate>& asked,
                                           QString* error) override {
        const QPrinterInfo info(printer_);
        if (asked) {
            const QList<QPageSize> sizes = info.supportedPageSizes();
            if (std::none_of(sizes.begin(), sizes.end(),
                             [](const QPageSize& size) { return size.id() == QPageSize::A4; }) ||
                !printer_.setPageSize(QPageSize(QPageSize::A4))) {
                *error = Msg::tr("printer %1 has no A4 paper for the label sheet")
                             .arg(printer_.printerName());
                return std::nullopt;
            }
            printer_.setPageOrientation(QPageLayout::Portrait);
            return asked;
        }
        std::optional<QPageSize> page = info.defaultPageSize();
        if (!options_.media.isEmpty())
            page = ReadMedia(options_.media, info, error);
        else if (!page->isValid())
            *error = NoMedia(printer_.printerName());
        if (!page || !page->isValid())
            return std::nullopt;
        const QSizeF mm = page->size(QPageSize::Millimeter);
        const bool turned = pipeline::FitsBetterTurned(mm, LabelAskOf(options_, options_.addon));
        // The page's margins stay the printer's; painting starts at the
        // paper's corner all the same (full page).
        if (!SetPrintersPage(&printer_, *page)) {
            *error = Msg::tr("printer %1 does not take the media %2")
                         .arg(printer_.printerName(), MediaLine(*page));
            return std::nullopt;
        }
        printer_.setPageOrientation(turned ? QPageLayout::Landscape : QPageLayout::Portrait);
        SheetTemplate sheet = WholePageSheet(turned ? mm.transposed() : mm);
        sheet.name = page->name();
        return sheet;
    }

    int Dpi() const override { return printer_.resolution(); }

    void FitToDots(LabelStyle* style) const override { FitStyleToPrintersPage(printer_, style); }

    std::unique_ptr<pipeline::PageSink> Pages(QString*) override {
        return pipeline::DevicePageSink(&printer_);
    }

    bool Finish(QString* error) override {
        if (ServiceFailed() || printer_.printerState() == QPrinter::Error) {
            *error = Msg::tr("printer %1 did not take the job: %2")
                         .arg(printer_.printerName(), ServiceReason());
            return false;
        }
        return true;
    }

private:
    const Options& options_;
    QPrinter printer_;
};

}  // namespace

QString PrinterListText(QString* error) {
    // Every queue with what the list shows of it, in one request: asking
    // for each printer on its own took 43 s for 200 queues.
    static const char* const kAsked[] = {"printer-name", "printer-make-and-model",
                                         "printer-resolution-default", "media-supported",
                                         "media-default"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kAsked)), nullptr, kAsked);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const ipp_status_t status = cupsLastError();
    if (!response || (ServiceFailed() && status != IPP_STATUS_ERROR_NOT_FOUND)) {
        ippDelete(response);
        *error = ServiceDown();
        if (error->isEmpty())
            *error =
                Msg::tr("cannot ask the print service for its printers: %1").arg(ServiceReason());
        return QString();
    }
    // The print service answers "not found" when it has no queue.
    QString text;
    const QString defaultName = DefaultPrinter();
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;) {
        while (attribute && ippGetGroupTag(attribute) != IPP_TAG_PRINTER)
            attribute = ippNextAttribute(response);
        PrinterAnswer printer;
        for (; attribute && ippGetGroupTag(attribute) == IPP_TAG_PRINTER;
             attribute = ippNextAttribute(response))
            printer.Take(attribute);
        if (!printer.name.isEmpty())
            text += printer.Text(printer.name == defaultName);
    }
    ippDelete(response);
    if (text.isEmpty())
        // Part of the list, which scripts read: the same in every locale.
        text = QStringLiteral("no printers: the print service at %1 has none\n")
                   .arg(QString::fromUtf8(cupsServer()));
    return text;
}

ExitStatus RunPrint(const Options& options) {
    QString error;
    const QString printer = FindPrinter(options.printer, &error);
    if (printer.isEmpty()) {
        Report(Msg::tr("%1: nothing printed").arg(error));
        return kExitUsage;
    }
    PrinterTarget target(options, printer);
    return RunSheet(options, &target);
}

ExitStatus RunPrinting(const ParsedCommandLine& parsed, char**) {
    if (!parsed.note.isEmpty())
        Report(parsed.note);
    if (parsed.options.mode != Options::Mode::PrinterList)
        return RunPrint(parsed.options);
    QString error;
    const QString text = PrinterListText(&error);
    text.isEmpty() ? Report(error) : Print(stdout, text);
    return text.isEmpty() ? kExitUsage : kExitOk;
}

}  // namespace render
