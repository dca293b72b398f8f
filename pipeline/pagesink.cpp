#include "pagesink.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include "symbol/outline.h"
#include "symbol/pdfcanvas.h"
#include "symbol/pdfdocument.h"

namespace pipeline {

namespace {

// A PDF's labels stand on a grid of 1200 dots per inch, and its pages are
// written in those dots, each bar filled on its own, as Qt's PDF writer
// wrote them, so that every edge that stands on the middle of a pixel at
// 600 dpi goes to the side it went to before.
constexpr double kPdfDotsPerInch = 1200;
const symbol::PdfUnits kPdfUnits{kPdfDotsPerInch / 25.4, 5, true};

class PdfSink : public PageSink {
public:
    explicit PdfSink(symbol::PdfPages* pdf) : pdf_(pdf) {}
    ~PdfSink() override {
        if (canvas_)
            pdf_->AddPage(canvas_->Take());
    }

    double DotsPerMm() const override { return kPdfDotsPerInch / 25.4; }
    bool Started() const override { return canvas_ != nullptr; }
    bool Start() override {
        canvas_ = std::make_unique<symbol::PdfCanvas>(pdf_->PageSizePt().height(), kPdfUnits, pdf_);
        return true;
    }
    bool NewPage() override { return pdf_->AddPage(canvas_->Take()); }
    void StrokeRects(const QList<QRectF>& rects, double widthMm) override {
        for (const QRectF& rect : rects)
            canvas_->StrokeRect(rect, widthMm);
    }
    void FillRects(const QList<QRectF>& rects) override { canvas_->FillRects(rects); }
    void FillText(const symbol::TextPlace& text, const QTransform& toPage) override {
        canvas_->FillText(text, toPage);
    }

private:
    symbol::PdfPages* pdf_;
    std::unique_ptr<symbol::PdfCanvas> canvas_;  // the page being painted
};

class DeviceSink : public PageSink {
public:
    explicit DeviceSink(QPagedPaintDevice* device) : device_(device) {}
    ~DeviceSink() override {
        if (painter_.isActive())
            painter_.end();
    }

    double DotsPerMm() const override { return device_->logicalDpiX() / 25.4; }
    bool Started() const override { return painter_.isActive(); }
    bool Start() override {
        if (!painter_.begin(device_))
            return false;
        InMillimetres();
        return true;
    }
    bool NewPage() override {
        if (!device_->newPage())
            return false;
        InMillimetres();
        return true;
    }
    void StrokeRects(const QList<QRectF>& rects, double widthMm) override {
        painter_.setPen(QPen(Qt::black, widthMm));
        painter_.setBrush(Qt::NoBrush);
        for (const QRectF& rect : rects)
            painter_.drawRect(rect);
    }
    void FillRects(const QList<QRectF>& rects) override {
        for (const QRectF& rect : rects)
            painter_.fillRect(rect, Qt::black);
    }
    void FillText(const symbol::TextPlace& text, const QTransform& toPage) override {
        painter_.fillPath(toPage.map(symbol::TextOutline(text)), Qt::black);
    }

private:
    void InMillimetres() {
        const double dotsPerMm = DotsPerMm();
        painter_.setTransform(QTransform::fromScale(dotsPerMm, dotsPerMm));
    }

    QPagedPaintDevice* device_;
    QPainter painter_;
};

}  // namespace

std::unique_ptr<PageSink> PdfPageSink(symbol::PdfPages* pdf) {
    return std::make_unique<PdfSink>(pdf);
}

std::unique_ptr<PageSink> DevicePageSink(QPagedPaintDevice* device) {
    return std::make_unique<DeviceSink>(device);
}

}  // namespace pipeline
