#pragma once

// A PDF 1.4 file written page by page, its pages compressed on a thread of
// its own, and the forms that a sheet's repeated characters are drawn with.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <future>
#include <memory>
#include <string>

namespace symbol {

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
    // For the tables of placed characters: the file's forms, and the
    // outlines a thread keeps formatted.
    struct PlacedHash {
        size_t operator()(const Placed& key) const {
            size_t h = std::hash<quint64>()(key.character);
            for (const double value : {key.m11, key.m22, key.dx, key.dy})
                h = h * 31 + std::hash<double>()(value);
            return h;
        }
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
