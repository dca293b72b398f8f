#pragma once

// The print dialog's preview: the pages of a run of labels, one at a time.
// Only the page on the screen is painted, off the window's thread, when it
// is asked for (a page number, 次へ/前へ, a zoom); the window holds that one
// page's picture and no other, however many pages the labels fill. The page
// count is the plan's, known before anything is painted.

#include <QDialog>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <atomic>
#include <memory>

#include "pipeline/labelplan.h"
#include "pipeline/labelsource.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QThread;

namespace pipeline {
class PageSink;
}  // namespace pipeline

// What the preview shows: each label copies times, where the plan places them.
struct PreviewPages {
    pipeline::LabelPlan plan;
    QList<pipeline::Label> labels;
    int copies = 1;
    QSizeF pageMm;  // the paper's
};

// The labels of page (from 0) painted onto sink, as the sheet painter paints
// the whole run: a label the painter leaves out gives its place to the next.
// firstLabels holds where each page known so far starts (in labels counted
// with their copies; at least {0}), and is extended as pages are passed.
// False when the sink failed. *begun counts the pages begun on sink (1, or
// 0 for a page no label reaches); stop, when set, ends the walk where it is.
bool PaintPreviewPage(const PreviewPages& pages, qint64 page, pipeline::PageSink& sink,
                      QList<qint64>* firstLabels, int* begun = nullptr,
                      const std::atomic<bool>* stop = nullptr);

class PagePreview : public QDialog {
    Q_OBJECT

public:
    PagePreview(PreviewPages pages, QWidget* parent = nullptr);
    ~PagePreview() override;

    QSpinBox* PageNumber;  // from 1
    QLabel* OfPages;       // "/ N"
    QPushButton* Previous;
    QPushButton* Next;
    QComboBox* Zoom;  // item 0: the whole page in the window; 1: its width; then percents

    qint64 PageCount() const { return pageCount_; }
    // The page shown (from 0), and its picture, in black and white.
    qint64 ShownPage() const { return shownPage_; }
    const QImage& Shown() const { return shown_; }
    // How many pages have been painted since the preview opened (begun on a
    // picture; a page no label reaches is not).
    int PagesPainted() const;

    // Shows page (from 0) once it is painted; the first is painted when the
    // preview is first shown.
    void ShowPage(qint64 page);

signals:
    // A page's picture is on the screen.
    void PageShown(qint64 page);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Painting;
    double DotsPerMm() const;
    void Request();
    void Start();
    void Done();

    std::shared_ptr<Painting> painting_;
    qint64 pageCount_ = 0;
    qint64 shownPage_ = -1;
    qint64 wanted_ = 0;
    double wantedDots_ = 0;
    double shownDots_ = 0;
    QImage shown_;
    QThread* thread_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    class PageView;
    PageView* view_ = nullptr;
};
