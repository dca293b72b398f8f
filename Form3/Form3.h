#pragma once

// The print dialog: the symbol on the screen, or every line of a product
// list, as retail symbols on one sheet of paper each or on the labels of an
// A4 label sheet; previewed a page at a time (PagePreview), and printed
// through Qt's own print dialog on any printer the system has, each module
// a whole number of the printer's dots
// (on a roll of labels, one per page). The sheet and the magnification are
// remembered for the next print, and the printer with the media used on it.
//
// The list is read off the window's thread, with its lines and labels
// counted on a bar as it goes and a button that stops it; printing into a
// PDF file is painted off it too, into a file beside the one named that
// takes its name only once whole; a printer's pages are painted off it and
// go to the print service only once all are painted (Form3/printrun.h),
// with the progress shown and a 中止; the window keeps answering meanwhile.
// The preview paints only the page it shows (PagePreview).

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "pipeline/labelplan.h"
#include "pipeline/labelsource.h"
#include "symbol/family.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPageLayout;
class QPagedPaintDevice;
class QPrinter;
class QProgressBar;
class QProgressDialog;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;
class QTimer;
class PagePreview;
class PrinterRun;
class TagFields;

class Form3 : public QDialog {
    Q_OBJECT

public:
    // name and code: what the main window shows (13 digits).
    Form3(const QString& name, const QString& code, QWidget* parent = nullptr);

    QRadioButton* Option1;  // this symbol
    QRadioButton* Option2;  // a product list
    QLineEdit* ListPath;
    QComboBox* Sheet;  // item 0: one symbol per sheet of paper; then the label sheets
    QSpinBox* Magnification;
    QSpinBox* Copies;
    QSpinBox* Start;  // the first free label of a partly used sheet
    QCheckBox* PrintName;
    TagFields* Tags;             // the design, and a tag's price, tax and wording
    QLabel* Summary;             // how many labels and pages
    QPlainTextEdit* Problems;    // the list's lines that cannot be printed
    QProgressBar* ListProgress;  // while a list is read: its lines and labels so far
    QPushButton* StopReading;    // stops the list being read
    QPushButton* ListHelp;       // how to make a list in a spreadsheet

    // Paints every label on the printer's pages, on this thread (the
    // preview's). False, with the reason in Summary, when nothing can be
    // printed. 印刷 paints a printer's pages aside instead, and says in
    // Printed() whether they went to the print service, in Summary how many
    // labels went to which printer or why none did.
    bool Paint(QPrinter* printer);

    // What the dialog's choices put on the labels.
    pipeline::LabelAsk Ask() const;
    // The labels to print, each once: this symbol (as a tag, with the price
    // of the fields, none when it has none), or the list's.
    QList<pipeline::Label> Labels() const;

    // Reads the list file again, off the window's thread; ListRead() when
    // Summary and Problems say what it gives. Only a file is read, of at most
    // kMaxListBytes and kMaxListLines: a device, a fifo or a longer list is
    // refused with the reason.
    void ReadList();
    bool ListBeingRead() const;
    // Stops the list being read at once: the dialog has no list, and says so.
    void StopReadingList();

    // Opens the preview of what the dialog's choices print, on its first
    // page; the one open, if any.
    void Preview();
    PagePreview* Previewing() const;

    // Paints every label into the PDF file path, on pages as page has them,
    // off the window's thread, with the progress shown. The file is written
    // beside path and takes its name only once whole: whatever stops it
    // (a full disk, a file that may not be written, 中止) leaves what had the
    // name as it was. Printed() when done, the reason in Summary when not;
    // a folder that does not exist is said before anything is painted.
    void PrintToFile(const QString& path, const QPageLayout& page);
    // A PDF file, or a printer of the print service, being printed on.
    bool BeingPrinted() const;
    // The printer's job being painted and sent; none when there is none.
    PrinterRun* PrinterJob() const { return sending_; }

    // Far above a shop's list of products.
    static constexpr qint64 kMaxListBytes = 32 * 1024 * 1024;
    static constexpr int kMaxListLines = 300000;
    // The list's bad lines shown one by one; the rest are counted.
    static constexpr int kMaxProblemsShown = 1000;

    ~Form3() override;

signals:
    void ListRead();
    void Printed(bool ok);

private:
    struct Reading;
    struct Job;
    struct FilePrint;
    // What the labels hold: the window's JAN, or the list's symbols (book
    // pairs when its header names a book's columns).
    symbol::Symbology LabelSymbology() const;
    void UpdateSummary();
    void ListDone(const std::shared_ptr<Reading>& reading);
    // What the dialog's choices paint on pages of that size (millimetres);
    // none when nothing can be printed.
    // On a printer of dpi dots per inch (0 for a file), each module a whole
    // number of its dots; the plan says when none fits.
    std::optional<Job> Plan(QSizeF pageMm, int dpi) const;
    // The printer set up for the dialog's choices (its dots, its page) and
    // what they paint on it; none, with the reason in Summary, when nothing
    // can be printed.
    std::optional<Job> PrinterPlan(QPrinter* printer);
    // Paints the job's labels on device, a slice at a time; between slices
    // going on says whether to go on with the count painted so far. False
    // when the device failed or going on said no.
    static bool PaintJob(const Job& job, QPagedPaintDevice* device,
                         const std::function<bool(qint64)>& goingOn);
    void FileDone(const std::shared_ptr<FilePrint>& print);
    // Runs work on a thread of its own, then done on the window's thread.
    void RunAside(std::function<void()> work, std::function<void()> done);
    void EnableButtons();
    void ChooseList();
    void ShowListHelp();
    void PrintNow();
    void Remember() const;

    QString name_;
    QString code_;
    QString codeProblem_;
    QList<pipeline::Label> listEntries_;
    std::shared_ptr<Reading> reading_;
    std::shared_ptr<FilePrint> printing_;
    PrinterRun* sending_ = nullptr;  // a printer's job, painted and sent aside
    QList<QThread*> threads_;
    QPushButton* previewButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QTimer* ticker_ = nullptr;  // the progress of a list read or a file printed
    QProgressDialog* progress_ = nullptr;
    QPointer<PagePreview> preview_;
    pipeline::TagPricing listPricing_;  // what the list was read for
    symbol::Symbology listSymbology_;   // the window's JAN until a list says otherwise
};
