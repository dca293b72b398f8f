#include "pagepreview.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

#include "pipeline/pagesink.h"
#include "pipeline/sheetpainter.h"

namespace {

// What the sheet painter paints on one of its pages, passed to a sink of
// its own; the other pages go nowhere.
class OnePage : public pipeline::PageSink {
public:
    OnePage(pipeline::PageSink& sink, qint64 page) : sink_(sink), page_(page) {}

    double DotsPerMm() const override { return sink_.DotsPerMm(); }
    bool Started() const override { return current_ >= 0; }
    bool Start() override {
        current_ = 0;
        return Begin();
    }
    bool NewPage() override {
        ++current_;
        return Begin();
    }
    void StrokeRects(const QList<QRectF>& rects, double widthMm) override {
        if (current_ == page_)
            sink_.StrokeRects(rects, widthMm);
    }
    void FillRects(const QList<QRectF>& rects) override {
        if (current_ == page_)
            sink_.FillRects(rects);
    }
    void FillText(const symbol::TextPlace& text, const QTransform& toPage) override {
        if (current_ == page_)
            sink_.FillText(text, toPage);
    }

    qint64 Current() const { return current_; }
    int Begun() const { return begun_; }

private:
    bool Begin() {
        if (current_ != page_)
            return true;
        ++begun_;
        return sink_.Start();
    }

    pipeline::PageSink& sink_;
    const qint64 page_;
    qint64 current_ = -1;
    int begun_ = 0;  // pages begun on sink
};

// The zooms offered after the whole page and its width, in percent of the
// paper's own size on the screen.
constexpr int kZooms[] = {50, 100, 200, 400};

}  // namespace

bool PaintPreviewPage(const PreviewPages& pages, qint64 page, pipeline::PageSink& sink,
                      QList<qint64>* firstLabels, int* begun, const std::atomic<bool>* stop) {
    if (begun)
        *begun = 0;
    // From the last page known to start at or before it.
    const qint64 known = std::min<qint64>(page, firstLabels->size() - 1);
    pipeline::LabelPlan plan = pages.plan;
    if (known > 0)
        plan.skip = 0;  // only the first page has places left empty
    auto one = std::make_unique<OnePage>(sink, page - known);
    const OnePage* at = one.get();
    const qint64 total = qint64(pages.labels.size()) * pages.copies;
    {
        pipeline::SheetPainter painter(std::move(one), plan);
        for (qint64 n = firstLabels->value(known); n < total; ++n) {
            if (stop && *stop)
                break;
            const pipeline::Label& label = pages.labels[n / pages.copies];
            const qint64 before = at->Current();
            if (painter.Add(label.name, label.code, label.price) ==
                pipeline::SheetPainter::Added::DeviceFailed)
                return false;
            if (at->Current() == before)
                continue;
            // This label is the first of a page.
            const qint64 starts = known + at->Current();
            if (starts == firstLabels->size())
                firstLabels->append(n);
            if (starts > page)
                break;
        }
        if (begun)
            *begun = at->Begun();
    }
    return true;
}

// The page's picture, as large as it is painted.
class PagePreview::PageView : public QWidget {
public:
    using QWidget::QWidget;
    void Show(const QImage& picture) {
        picture_ = picture;
        setFixedSize(picture.size());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
};

// One page painted off the window's thread. Between paintings only the
// window's thread touches it.
struct PagePreview::Painting {
    PreviewPages pages;
    QList<qint64> firstLabels{0};
    std::atomic<bool> stop = false;
    std::atomic<int> painted = 0;
    qint64 page = 0;
    double dotsPerMm = 1;
    QImage picture;

    void Run() {
        const QSize size(std::max(1, int(std::ceil(pages.pageMm.width() * dotsPerMm))),
                         std::max(1, int(std::ceil(pages.pageMm.height() * dotsPerMm))));
        QImage image(size, QImage::Format_Grayscale8);
        image.fill(255);
        int begun = 0;
        {
            std::unique_ptr<pipeline::PageSink> sink = pipeline::PicturePageSink(&image, dotsPerMm);
            PaintPreviewPage(pages, page, *sink, &firstLabels, &begun, &stop);
        }
        painted += begun;
        picture = std::move(image);
    }
};

PagePreview::PagePreview(PreviewPages pages, QWidget* parent)
    : QDialog(parent), painting_(std::make_shared<Painting>()) {
    pageCount_ = std::max<qint64>(1, pages.plan.Pages(qint64(pages.labels.size()) * pages.copies));
    painting_->pages = std::move(pages);
    setWindowTitle(QStringLiteral("印刷プレビュー"));

    Previous = new QPushButton(QStringLiteral("前のページ(&R)"), this);
    Next = new QPushButton(QStringLiteral("次のページ(&N)"), this);
    PageNumber = new QSpinBox(this);
    PageNumber->setRange(1, int(std::min<qint64>(pageCount_, std::numeric_limits<int>::max())));
    PageNumber->setPrefix(QStringLiteral("ページ "));
    OfPages = new QLabel(QStringLiteral("/ %1").arg(pageCount_), this);
    Zoom = new QComboBox(this);
    Zoom->addItem(QStringLiteral("ページ全体"));
    Zoom->addItem(QStringLiteral("幅に合わせる"));
    for (int percent : kZooms)
        Zoom->addItem(QStringLiteral("%1 %").arg(percent), percent);
    auto* zoomLabel = new QLabel(QStringLiteral("表示(&Z):"), this);
    zoomLabel->setBuddy(Zoom);
    view_ = new PageView(this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(Previous);
    bar->addWidget(PageNumber);
    bar->addWidget(OfPages);
    bar->addWidget(Next);
    bar->addStretch(1);
    bar->addWidget(zoomLabel);
    bar->addWidget(Zoom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);
    layout->addWidget(buttons);
    // As tall as the screen allows, up to a page's height at the screen's
    // own size.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(720, screen.width()), std::min(900, screen.height() * 9 / 10));

    connect(Previous, &QPushButton::clicked, this, [this] { ShowPage(wanted_ - 1); });
    connect(Next, &QPushButton::clicked, this, [this] { ShowPage(wanted_ + 1); });
    connect(PageNumber, &QSpinBox::valueChanged, this, [this](int n) { ShowPage(n - 1); });
    connect(Zoom, &QComboBox::currentIndexChanged, this, &PagePreview::Request);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The first page is painted once the window has its size (showEvent).
    Previous->setEnabled(false);
    Next->setEnabled(pageCount_ > 1);
}

PagePreview::~PagePreview() {
    painting_->stop = true;
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

int PagePreview::PagesPainted() const {
    return painting_->painted;
}

double PagePreview::DotsPerMm() const {
    const QSizeF paper = painting_->pages.pageMm;
    const QSize room = scroll_->maximumViewportSize() - QSize(4, 4);
    double dots = 0;
    if (Zoom->currentIndex() == 0)
        dots = std::min(room.width() / paper.width(), room.height() / paper.height());
    else if (Zoom->currentIndex() == 1)
        dots = (room.width() - scroll_->verticalScrollBar()->sizeHint().width()) / paper.width();
    else
        dots = Zoom->currentData().toInt() / 100.0 * logicalDpiX() / 25.4;
    return std::max(dots, 0.5);
}

void PagePreview::ShowPage(qint64 page) {
    wanted_ = std::clamp<qint64>(page, 0, pageCount_ - 1);
    const QSignalBlocker quiet(PageNumber);
    PageNumber->setValue(int(wanted_ + 1));
    Previous->setEnabled(wanted_ > 0);
    Next->setEnabled(wanted_ < pageCount_ - 1);
    Request();
}

void PagePreview::Request() {
    wantedDots_ = DotsPerMm();
    if (thread_)
        return;  // once the page being painted is done
    if (shownPage_ == wanted_ && std::abs(shownDots_ - wantedDots_) < 1e-9)
        emit PageShown(shownPage_);  // on the screen already
    else
        Start();
}

void PagePreview::Start() {
    painting_->page = wanted_;
    painting_->dotsPerMm = wantedDots_;
    thread_ = QThread::create([painting = painting_] { painting->Run(); });
    connect(thread_, &QThread::finished, this, &PagePreview::Done);
    thread_->start();
}

void PagePreview::Done() {
    thread_->wait();
    thread_->deleteLater();
    thread_ = nullptr;
    // The page shown before goes as this one takes its place.
    shown_ = std::move(painting_->picture);
    painting_->picture = QImage();
    shownPage_ = painting_->page;
    shownDots_ = painting_->dotsPerMm;
    view_->Show(shown_);
    if (shownPage_ != wanted_ || std::abs(shownDots_ - wantedDots_) > 1e-9) {
        Start();
        return;
    }
    emit PageShown(shownPage_);
}

void PagePreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownPage_ < 0 && !thread_)
        Request();
}

void PagePreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A zoom to the window's size follows it, once the window is up.
    if (Zoom->currentIndex() < 2 && isVisible() && (shownPage_ >= 0 || thread_))
        Request();
}
