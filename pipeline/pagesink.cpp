#include "pagesink.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <cmath>

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

// Pages painted through a QPainter, in millimetres.
class PainterSink : public PageSink {
public:
    ~PainterSink() override {
        if (painter_.isActive())
            painter_.end();
    }

    bool Started() const override { return painter_.isActive(); }
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

protected:
    void InMillimetres() {
        const double dotsPerMm = DotsPerMm();
        painter_.setTransform(QTransform::fromScale(dotsPerMm, dotsPerMm));
    }

    QPainter painter_;
};

class DeviceSink : public PainterSink {
public:
    explicit DeviceSink(QPagedPaintDevice* device) : device_(device) {}

    double DotsPerMm() const override { return device_->logicalDpiX() / 25.4; }
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

private:
    QPagedPaintDevice* device_;
};

// A picture painted without smoothing: every dot black or white.
class PictureSink : public PainterSink {
public:
    PictureSink(QImage* picture, double dotsPerMm) : picture_(picture), dotsPerMm_(dotsPerMm) {}

    double DotsPerMm() const override { return dotsPerMm_; }
    bool Start() override {
        if (!painter_.begin(picture_))
            return false;
        painter_.setRenderHint(QPainter::Antialiasing, false);
        InMillimetres();
        return true;
    }
    bool NewPage() override { return true; }

private:
    QImage* picture_;
    const double dotsPerMm_;
};

// Numbers in an SVG file: millimetres to a micrometre.
QByteArray SvgNumber(double mm) {
    return QByteArray::number(std::round(mm * 1000) / 1000, 'g', 10);
}

class SvgSink : public PageSink {
public:
    SvgSink(QByteArray* svg, QSizeF sizeMm, double dotsPerMm)
        : svg_(svg), size_(sizeMm), dotsPerMm_(dotsPerMm) {}
    ~SvgSink() override {
        const QByteArray width = SvgNumber(size_.width());
        const QByteArray height = SvgNumber(size_.height());
        *svg_ =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
            width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + ' ' + height +
            "\">\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#fff\"/>\n" +
            shapes_ + "</svg>\n";
    }

    double DotsPerMm() const override { return dotsPerMm_; }
    bool Started() const override { return started_; }
    bool Start() override { return started_ = true; }
    bool NewPage() override { return true; }
    void StrokeRects(const QList<QRectF>& rects, double widthMm) override {
        for (const QRectF& rect : rects)
            shapes_ += "<rect x=\"" + SvgNumber(rect.x()) + "\" y=\"" + SvgNumber(rect.y()) +
                       "\" width=\"" + SvgNumber(rect.width()) + "\" height=\"" +
                       SvgNumber(rect.height()) +
                       "\" fill=\"none\" stroke=\"#000\" "
                       "stroke-width=\"" +
                       SvgNumber(widthMm) + "\"/>\n";
    }
    void FillRects(const QList<QRectF>& rects) override {
        if (rects.isEmpty())
            return;
        shapes_ += "<path d=\"";
        for (const QRectF& rect : rects)
            shapes_ += 'M' + SvgNumber(rect.x()) + ' ' + SvgNumber(rect.y()) + 'h' +
                       SvgNumber(rect.width()) + 'v' + SvgNumber(rect.height()) + 'h' +
                       SvgNumber(-rect.width()) + "z";
        shapes_ += "\"/>\n";
    }
    void FillText(const symbol::TextPlace& text, const QTransform& toPage) override {
        const QPainterPath path = toPage.map(symbol::TextOutline(text));
        if (path.isEmpty())
            return;
        shapes_ += "<path d=\"";
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element element = path.elementAt(i);
            const QByteArray point = SvgNumber(element.x) + ' ' + SvgNumber(element.y);
            if (element.isMoveTo())
                shapes_ += 'M' + point;
            else if (element.isLineTo())
                shapes_ += 'L' + point;
            else if (element.type == QPainterPath::CurveToElement)
                shapes_ += 'C' + point;
            else
                shapes_ += ' ' + point;
        }
        shapes_ += "\"/>\n";
    }

private:
    QByteArray* svg_;
    const QSizeF size_;
    const double dotsPerMm_;
    bool started_ = false;
    QByteArray shapes_;
};

}  // namespace

std::unique_ptr<PageSink> PdfPageSink(symbol::PdfPages* pdf) {
    return std::make_unique<PdfSink>(pdf);
}

std::unique_ptr<PageSink> DevicePageSink(QPagedPaintDevice* device) {
    return std::make_unique<DeviceSink>(device);
}

std::unique_ptr<PageSink> PicturePageSink(QImage* picture, double dotsPerMm) {
    return std::make_unique<PictureSink>(picture, dotsPerMm);
}

std::unique_ptr<PageSink> SvgPageSink(QByteArray* svg, QSizeF sizeMm, double dotsPerMm) {
    return std::make_unique<SvgSink>(svg, sizeMm, dotsPerMm);
}

}  // namespace pipeline
