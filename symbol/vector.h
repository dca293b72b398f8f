#pragma once

// A description at its printed size in millimetres: the bars as rectangles
// and every text as outlines, so that the file looks the same on a machine
// without our fonts. Written as SVG or as a one-page PDF of the box's size,
// or as shapes for a painter.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QTransform>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "layout.h"

namespace symbol {

struct VectorSymbol {
    QSizeF size;         // the box
    QList<QRectF> bars;  // narrowed by the bar width reduction
    QPainterPath text;   // every text's outlines
};

// Every black rectangle of the description in millimetres, modules of
// moduleMm: the bars narrowed by bwrMm about their middles, then the bearer
// bars as they are.
QList<QRectF> BarRects(const Description& description, double moduleMm, double bwrMm);

// The description with modules of moduleMm, every bar narrowed by bwrMm
// about its middle.
VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm);

// The same as an SVG file. Each digit is written once per thread and placed
// by a matrix: its outline in font units is the same in every symbol. The
// window's layout is written as the window shows it, a user unit a module
// and its texts as text in the canvas font, and without reduction.
QByteArray SvgFile(const Description& description, double moduleMm, double bwrMm);

// The same as a PDF 1.4 file of one page the size of the box. Written
// directly: Qt's PDF writer rounds the page to whole points, up to 0.18 mm
// off the box.
QByteArray PdfFile(const Description& description, double moduleMm, double bwrMm);

// A file for a printer of dpi dots per inch that another program prints:
// modules of moduleDots dots and bars narrowed by bwrDots (an odd dot off
// the right edge, as in the bitmaps), every bar edge and the page's edges on
// the printer's dots.
struct PrinterDots {
    int dpi;
    int moduleDots;
    int bwrDots;
};
QByteArray SvgFile(const Description& description, const PrinterDots& dots);
QByteArray PdfFile(const Description& description, const PrinterDots& dots);

// The units a PDF page is written in. Outlines are written point by point:
// placed through a PDF matrix, poppler's edges moved by up to a third of a
// 600-dpi dot.
struct PdfUnits {
    // The page's unit per millimetre (1: millimetres), and the decimals its
    // lengths are written with.
    double perMm = 1;
    int decimals = 3;
    // Every rectangle filled on its own: poppler then puts its edges on its
    // nearest pixels, as for Qt's PDF writer, whose pages had this. Otherwise
    // the rectangles of a call make one shape.
    bool rectsAlone = false;
    // With a unit other than the millimetre, rectangles are written in
    // millimetres with these decimals through the unit's matrix, as Qt's
    // writer wrote them: at 600 dpi a bar edge may lie within a millionth of
    // a millimetre of a pixel's middle, and any other arithmetic turns a
    // row of pixels over.
    int rectDecimals = 7;
};

class PdfPages;

// What one page of a PDF shows, in millimetres from its top-left corner:
// black rectangles, texts as outlines and thin frames.
class PdfCanvas {
public:
    // For a page heightPt points tall. With forms, a text placed a whole
    // number of units from the page's corner draws each of its characters
    // as a form of that file, written once for the character at its place.
    explicit PdfCanvas(double heightPt, const PdfUnits& units = {}, PdfPages* forms = nullptr);

    // The rectangles filled in white or black.
    void FillRects(const QList<QRectF>& mm, bool white = false);
    // A text of a description, its modules taken to millimetres by toMm.
    void FillText(const TextPlace& text, const QTransform& toMm);
    // The rectangle's edge as a line lineMm wide.
    void StrokeRect(const QRectF& mm, double lineMm);

    bool IsEmpty() const { return content_.size() == start_; }
    const std::string& Content() const { return content_; }
    // Takes the content, leaving an empty page of the same height.
    std::string Take();

private:
    PdfUnits units_;
    PdfPages* forms_;
    std::string rectMatrix_;  // into millimetres, for a unit that is not
    std::string content_;
    size_t start_ = 0;
};

// A PDF 1.4 file of pages of one size, written out page by page as each is
// finished, so that the memory it takes does not grow with its pages.
class PdfPages {
public:
    // Takes the file's bytes in order; false when they could not be written,
    // after which nothing more is written.
    using Write = std::function<bool(QByteArrayView bytes)>;

    // Pages of sizePt points; producer is written as the file's producer.
    // With aside, a page's content is compressed on a thread of the file's
    // own while the next page is painted, and written by the caller's
    // thread when the next page is added or the file finished.
    PdfPages(QSizeF sizePt, Write write, const QByteArray& producer = "Stripewell",
             bool aside = false);
    ~PdfPages();

    QSizeF PageSizePt() const { return sizePt_; }

    // Writes the page (with aside, the one before it): false when it could
    // not be written.
    bool AddPage(std::string content);
    // Writes the page tree and the file's end: false when that (or any
    // write before it) failed.
    bool Finish();

    int Pages() const { return int(pageObjects_.size()); }

    // A character's outline at its place in a text, in a page's units: what
    // PdfCanvas draws as a form.
    struct Placed {
        quint64 character;
        double m11, m22, dx, dy;
        bool operator==(const Placed&) const = default;
    };
    // The name of the form that fills placed's outline, null when there is
    // none yet.
    const std::string* FindForm(const Placed& placed) const;
    // A form that fills outline (PDF path operators within bounds) for
    // placed, written into the file before the next page: its name, or null
    // when the file already holds so many forms that a page must write the
    // outline itself.
    const std::string* AddForm(const Placed& placed, const std::string& outline,
                               const QRectF& bounds);

private:
    // A page's content as written: compressed, or as it is when that
    // would save little.
    struct Stream {
        std::string content;
        QByteArray deflated;
    };
    static Stream Compress(std::string content);
    // And its page, the next object, with the forms' resources as they
    // stood when the page was added (0: none yet).
    bool WritePage(const Stream& stream, int contents, int resources);
    bool WritePending();
    bool Put(QByteArrayView bytes);
    // Starts object number, noting where it starts.
    bool Begin(int number);
    // A number for an object written later.
    int Reserve();
    bool WriteForms();
    class Aside;

    QSizeF sizePt_;
    Write write_;
    QByteArray producer_;
    bool aside_;
    std::unique_ptr<Aside> compressor_;  // with aside, once there is a page to compress
    // The page being compressed: its stream to come, its contents' object
    // number and the resources it names.
    struct Pending {
        std::future<Stream> stream;
        int contents = 0;
        int resources = 0;
    } pending_;
    bool failed_ = false;
    qsizetype written_ = 0;
    QList<qsizetype> offsets_;  // of objects 1, 2, ...; index 0 unused
    QList<int> pageObjects_;
    struct FormTable;
    std::unique_ptr<FormTable> forms_;
    int resources_ = 0;  // the pages' resources, once there is a form
};

}  // namespace symbol
