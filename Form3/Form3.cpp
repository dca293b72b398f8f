#include "Form3.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <cerrno>

#include "pagepreview.h"
#include "pipeline/folderwriter.h"
#include "pipeline/labelsource.h"
#include "pipeline/language.h"
#include "pipeline/listcode.h"
#include "pipeline/listfile.h"
#include "pipeline/listreader.h"
#include "pipeline/printer.h"
#include "pipeline/sheetpainter.h"
#include "printrun.h"
#include "refusals.h"
#include "symbol/code.h"
#include "symbol/symbology.h"
#include "tagfields.h"

namespace {

QSettings Settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Stripewell"),
                     QStringLiteral("Stripewell"));
}

// The printer's media that the last print on it used, if it still has it.
std::optional<QPageSize> RememberedMedia(const QPrinter& printer) {
    const QString key = Settings().value("print/media/" + printer.printerName()).toString();
    for (const QPageSize& size : QPrinterInfo(printer).supportedPageSizes())
        if (!key.isEmpty() && size.key() == key)
            return size;
    return std::nullopt;
}

// Why the window's code cannot be printed; empty when it can. The window
// draws whatever the boxes hold, but a printed symbol must scan.
QString CodeProblem(const QString& code) {
    for (QChar c : code)
        if (c < u'0' || c > u'9')
            return QStringLiteral("コード %1 は数字だけではないため印刷できません。").arg(code);
    const int check = symbol::CheckDigit(code);
    if (code.size() != 13 || !symbol::HasValidCheckDigit(code))
        return QStringLiteral("チェックディジットが正しくないため印刷できません (正しくは %1)。")
            .arg(check);
    return QString();
}

// The window's code is a JAN (EAN-13), as the command line names it.
const symbol::Symbology kWindowSymbology = symbol::kDefaultSymbology;

// A PDF file is painted as Qt's printer of high resolution paints one.
constexpr int kPdfDotsPerInch = 1200;

QString TooLong(const QString& path) {
    return QStringLiteral("%1 は長すぎるため読みません。一覧は %2 行・%3 MB までです。")
        .arg(path)
        .arg(Form3::kMaxListLines)
        .arg(Form3::kMaxListBytes / (1024 * 1024));
}

// How to make a list in a spreadsheet, for ShowListHelp and where the list's
// refusals point at it.
const char16_t kListHelpName[] = u"印刷画面の「一覧の作り方」";

QString ListHelpText() {
    return QStringLiteral(
               "<h3>一覧の作り方</h3>"
               "<p>一覧は、1 行に 1 商品を書いたテキストファイルです。表計算ソフトで作り、"
               "「CSV (カンマ区切り)」または「テキスト (タブ区切り)」で保存してください。"
               "見出し行のない一覧は、名称、JANコードの順の 2 列です。</p>"
               "<p><b>見出し行</b>: 1 行目を見出し行にすると、列を見出しの言葉で選びます。"
               "JANコードの列は「JAN」「JANコード」「コード」「バーコード」、"
               "名称の列は「名称」「商品名」「品名」。ほかの列は読み飛ばします。</p>"
               "<p><b>JANコードの列は文字列に</b>: 数値のままでは、13 桁のコードが "
               "4.90123E+12 のような指数の形になって下の桁が消え、先頭の 0 も消えます。"
               "そうなった行は印刷できません。次のどれかで、コードを文字列のまま残してください。</"
               "p>"
               "<ol><li>コードを入力する前に、列のセルの書式を「文字列」にする。</li>"
               "<li>コードの前にアポストロフィを付けて入力する ('4901234567894)。"
               "アポストロフィは保存されません。</li>"
               "<li>CSV ファイルを表計算ソフトで開くとき、読み込みの画面でコードの列の種類を"
               "「文字列」にする。</li></ol>"
               "<p>直したら、一覧を保存し直して、もう一度読み込んでください。</p>"
               "<p><b>文字コード</b>: UTF-8 (BOM の有無は問いません)、BOM 付きの UTF-16、"
               "Shift_JIS を自動で見分けます。</p>"
               "<p>一覧は %1 行・%2 MB までです。</p>")
        .arg(Form3::kMaxListLines)
        .arg(Form3::kMaxListBytes / (1024 * 1024));
}

}  // namespace

// A list read on a thread of its own; what it gives is taken once the
// thread has finished.
struct Form3::Reading {
    QString path;
    pipeline::TagPricing pricing;  // a tag's prices read from the list's columns
    std::atomic<bool> cancel = false;
    std::atomic<int> line = 0;      // the line being read
    std::atomic<int> labels = 0;    // the entries read so far
    std::atomic<qint64> bytes = 0;  // of the file, read so far
    qint64 size = 0;                // the file's
    QList<pipeline::Label> entries;
    symbol::Symbology symbology = kWindowSymbology;
    QStringList problems;  // the first kMaxProblemsShown
    qint64 unshown = 0;    // bad lines past those

    void Run();
};

// What the dialog's choices paint.
struct Form3::Job {
    pipeline::LabelPlan plan;
    QList<pipeline::Label> labels;
    int copies = 1;
};

// A PDF file painted on a thread of its own into a file staged beside the
// one named.
struct Form3::FilePrint {
    Job job;
    QString path;
    bool existed = false;  // something had the name before
    QPageLayout page;
    std::optional<pipeline::FolderWriter> folder;
    pipeline::FolderWriter::Staged staged;
    std::atomic<bool> cancel = false;
    std::atomic<qint64> painted = 0;
    qint64 total = 0;
    // What came of it.
    bool cancelled = false;
    int err = 0;        // why the PDF's bytes did not all go in
    QString keepError;  // why the whole file did not take the name
    QString syncError;  // why the file that took it is not sure to be on disk

    void Run();
};

Form3::Form3(const QString& name, const QString& code, QWidget* parent)
    : QDialog(parent),
      name_(name),
      code_(code),
      codeProblem_(CodeProblem(code)),
      listSymbology_(kWindowSymbology) {
    // The window is Japanese, and so is what the pipeline says inside it;
    // a list's refusals send the person to the dialog's own help.
    pipeline::UseLanguage(pipeline::Language::Japanese);
    pipeline::SetSpreadsheetHelp(QString::fromUtf16(kListHelpName));
    setWindowTitle(QStringLiteral("印刷"));
    Option1 = new QRadioButton(QStringLiteral("この記号(&S)"), this);
    Option2 = new QRadioButton(QStringLiteral("一覧ファイル(&L)"), this);
    ListPath = new QLineEdit(this);
    auto* browse = new QPushButton(QStringLiteral("参照(&B)..."), this);
    Sheet = new QComboBox(this);
    Sheet->addItem(QStringLiteral("用紙1枚に1つ"));
    for (const pipeline::SheetTemplate& sheet : pipeline::BuiltInSheets())
        Sheet->addItem(QStringLiteral("A4 %1面 (%2)")
                           .arg(sheet.LabelsPerPage())
                           .arg(QString(sheet.description).replace(u'x', u'×')),
                       sheet.name);
    Magnification = new QSpinBox(this);
    Magnification->setRange(symbol::kMinMagnification, symbol::kMaxMagnification);
    Magnification->setSuffix(QStringLiteral(" %"));
    Copies = new QSpinBox(this);
    Copies->setRange(1, 9999);
    Start = new QSpinBox(this);
    Start->setRange(1, 1);
    PrintName = new QCheckBox(QStringLiteral("名称を印刷する(&N)"), this);
    PrintName->setChecked(true);
    Summary = new QLabel(this);
    Problems = new QPlainTextEdit(this);
    Problems->setReadOnly(true);
    Problems->setPlaceholderText(QStringLiteral("印刷できない行はありません"));
    ListProgress = new QProgressBar(this);
    ListProgress->setRange(0, 1000);
    ListProgress->setVisible(false);
    StopReading = new QPushButton(QStringLiteral("読み込み中止(&X)"), this);
    StopReading->setVisible(false);
    ListHelp = new QPushButton(QStringLiteral("一覧の作り方(&H)"), this);

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(Option2);
    listRow->addWidget(ListPath, 1);
    listRow->addWidget(browse);
    listRow->addWidget(ListHelp);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(ListProgress, 1);
    progressRow->addWidget(StopReading);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用紙(&T):"), Sheet);
    form->addRow(QStringLiteral("倍率(&M):"), Magnification);
    form->addRow(QStringLiteral("枚数(&C):"), Copies);
    form->addRow(QStringLiteral("開始位置(&A):"), Start);
    form->addRow(PrintName);
    Tags = new TagFields(this, form);
    auto* buttons = new QDialogButtonBox(this);
    auto* preview = previewButton_ =
        buttons->addButton(QStringLiteral("プレビュー(&V)..."), QDialogButtonBox::ActionRole);
    auto* print = printButton_ =
        buttons->addButton(QStringLiteral("印刷(&P)..."), QDialogButtonBox::AcceptRole);
    ticker_ = new QTimer(this);
    ticker_->setInterval(100);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Option1);
    layout->addLayout(listRow);
    layout->addLayout(form);
    layout->addWidget(Summary);
    layout->addLayout(progressRow);
    layout->addWidget(Problems);
    layout->addWidget(buttons);

    const QSettings settings = Settings();
    Sheet->setCurrentIndex(std::max(0, Sheet->findData(settings.value("print/sheet"))));
    Magnification->setValue(settings.value("print/magnification", 100).toInt());
    Tags->Restore(settings);
    Option1->setChecked(true);

    connect(browse, &QPushButton::clicked, this, &Form3::ChooseList);
    connect(ListHelp, &QPushButton::clicked, this, &Form3::ShowListHelp);
    connect(StopReading, &QPushButton::clicked, this, &Form3::StopReadingList);
    connect(ListPath, &QLineEdit::editingFinished, this, &Form3::ReadList);
    connect(preview, &QPushButton::clicked, this, &Form3::Preview);
    connect(print, &QPushButton::clicked, this, &Form3::PrintNow);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QSpinBox* box : {Magnification, Copies, Start})
        connect(box, &QSpinBox::valueChanged, this, &Form3::UpdateSummary);
    connect(Sheet, &QComboBox::currentIndexChanged, this, &Form3::UpdateSummary);
    connect(Option1, &QRadioButton::toggled, this, &Form3::UpdateSummary);
    connect(PrintName, &QCheckBox::toggled, this, &Form3::UpdateSummary);
    connect(Tags, &TagFields::Changed, this, [this] {
        // A list read for other prices (or none) is read again.
        if (Option2->isChecked() && !ListPath->text().isEmpty() &&
            !TagFields::SamePricing(Tags->Pricing(), listPricing_))
            ReadList();
        UpdateSummary();
    });
    connect(Option1, &QRadioButton::toggled, Tags, &TagFields::Enable);
    connect(ticker_, &QTimer::timeout, this, [this] {
        if (reading_)
            UpdateSummary();
        if (printing_ && progress_ && printing_->total > 0)
            progress_->setValue(int(printing_->painted * 1000 / printing_->total));
        if (!reading_ && !printing_)
            ticker_->stop();
    });
    UpdateSummary();
}

Form3::~Form3() {
    if (reading_)
        reading_->cancel = true;
    if (printing_)
        printing_->cancel = true;
    for (QThread* thread : std::as_const(threads_)) {
        thread->wait();
        delete thread;
    }
}

void Form3::RunAside(std::function<void()> work, std::function<void()> done) {
    QThread* thread = QThread::create(std::move(work));
    threads_.append(thread);
    connect(thread, &QThread::finished, this, [this, thread, done = std::move(done)] {
        threads_.removeOne(thread);
        thread->deleteLater();
        done();
    });
    thread->start();
    ticker_->start();
}

void Form3::EnableButtons() {
    const bool idle = !reading_ && !printing_ && !sending_;
    previewButton_->setEnabled(idle);
    printButton_->setEnabled(idle);
    ListProgress->setVisible(reading_ != nullptr);
    StopReading->setVisible(reading_ != nullptr);
}

void Form3::ShowListHelp() {
    auto* help = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("一覧の作り方"),
                                 ListHelpText(), QMessageBox::Close, this);
    help->button(QMessageBox::Close)->setText(QStringLiteral("閉じる"));
    help->setTextFormat(Qt::RichText);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->open();
}

void Form3::StopReadingList() {
    if (!reading_)
        return;
    // The thread sees this before its next line and ends; what it read goes.
    reading_->cancel = true;
    reading_.reset();
    listEntries_.clear();
    Problems->setPlainText(QStringLiteral("一覧の読み込みを中止しました。"));
    UpdateSummary();
    EnableButtons();
    emit ListRead();
}

bool Form3::ListBeingRead() const {
    return reading_ != nullptr;
}

bool Form3::BeingPrinted() const {
    return printing_ != nullptr || sending_ != nullptr;
}

void Form3::ChooseList() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("一覧ファイルを開く"), QString(),
                                     QStringLiteral("一覧 (*.csv *.txt *.tsv);;全てのファイル (*)"),
                                     nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    ListPath->setText(path);
    ReadList();
}

// The list as stripewell-render --batch reads it: every line that gives a
// code is an entry; every other line is shown with its reason. A list whose
// header names a book's classification and price columns gives book pairs,
// as with --symbol book.
void Form3::Reading::Run() {
    QFile file(path);
    const pipeline::ListOpening opened =
        pipeline::OpenListFile(file, false, pipeline::ListPipes::Refused);
    if (opened.problem != pipeline::ListProblem::None) {
        problems.append(ListRefusal(path, opened));
        return;
    }
    size = file.size();
    if (file.size() > kMaxListBytes) {
        problems.append(TooLong(path));
        return;
    }
    pipeline::ListReader reader(file, {});
    if (reader.Start()) {
        pipeline::LabelSource labels(reader);
        labels.SetPricing(pricing);
        pipeline::Label label;
        while (!cancel && labels.Next(&label)) {
            line = label.line;
            bytes = reader.BytesRead();
            // A file that grew while it was read counts as it is read.
            if (label.line > kMaxListLines || reader.BytesRead() > kMaxListBytes) {
                entries.clear();
                problems = QStringList{TooLong(path)};
                unshown = 0;
                return;
            }
            symbology = label.code.symbology;
            if (label.refusal.isEmpty()) {
                entries.append(label);
                this->labels = int(entries.size());
            } else if (problems.size() < kMaxProblemsShown)
                problems.append(QStringLiteral("%1 行目: %2").arg(label.line).arg(label.refusal));
            else
                ++unshown;
        }
    }
    if (!reader.Refusal().isEmpty())
        problems.append(reader.Refusal());
}

void Form3::ReadList() {
    if (reading_)
        reading_->cancel = true;
    listEntries_.clear();
    listSymbology_ = kWindowSymbology;
    Problems->clear();
    auto reading = std::make_shared<Reading>();
    reading->path = ListPath->text();
    reading->pricing = listPricing_ = Tags->Pricing();
    reading_ = reading;
    Option2->setChecked(true);
    UpdateSummary();
    EnableButtons();
    RunAside([reading] { reading->Run(); }, [this, reading] { ListDone(reading); });
}

void Form3::ListDone(const std::shared_ptr<Reading>& reading) {
    if (reading != reading_)
        return;  // a list named since
    reading_.reset();
    listEntries_ = std::move(reading->entries);
    listSymbology_ = reading->symbology;
    QString problems = reading->problems.join(u'\n');
    if (reading->unshown > 0)
        problems += QStringLiteral("\nほか %1 行も印刷できません。").arg(reading->unshown);
    Problems->setPlainText(problems);
    UpdateSummary();
    EnableButtons();
    emit ListRead();
}

QList<pipeline::Label> Form3::Labels() const {
    if (!Option1->isChecked())
        return listEntries_;
    if (!codeProblem_.isEmpty())
        return {};
    QString unpriced;
    const std::optional<pipeline::TagPrice> price =
        Tags->Tags() ? Tags->SinglePrice(&unpriced) : std::nullopt;
    if (Tags->Tags() && !price)
        return {};  // no tag goes out unpriced
    return {{0, name_, {kWindowSymbology, code_, {}}, {}, {}, price}};
}

symbol::Symbology Form3::LabelSymbology() const {
    return Option1->isChecked() ? kWindowSymbology : listSymbology_;
}

pipeline::LabelAsk Form3::Ask() const {
    pipeline::LabelAsk ask;
    ask.symbol.symbology = LabelSymbology();
    ask.magnification = Magnification->value();
    ask.names = PrintName->isChecked();
    ask.tag = Tags->Style();
    return ask;
}

void Form3::UpdateSummary() {
    const std::optional<pipeline::SheetTemplate> sheet =
        pipeline::FindSheet(Sheet->currentData().toString());
    Start->setMaximum(sheet ? sheet->LabelsPerPage() : 1);
    Start->setEnabled(sheet.has_value());
    PrintName->setEnabled(!Tags->Tags());  // a tag always has its name
    if (reading_) {
        Summary->setText(QStringLiteral("一覧を読んでいます… %1 行目").arg(reading_->line.load()));
        const qint64 size = reading_->size;
        ListProgress->setValue(size > 0 ? int(std::min<qint64>(reading_->bytes * 1000 / size, 1000))
                                        : 0);
        ListProgress->setFormat(QStringLiteral("%1 行・ラベル %2 枚")
                                    .arg(reading_->line.load())
                                    .arg(reading_->labels.load()));
        return;
    }
    // Without a sheet, the page is the printer's, chosen later: one label a
    // page whatever its size.
    const pipeline::LabelPlan plan = pipeline::PlanLabels(
        sheet ? *sheet : pipeline::WholePageSheet(QSizeF(pipeline::kA4Width, pipeline::kA4Height)),
        sheet ? Start->value() - 1 : 0, Ask());
    const qint64 labels = qint64(Labels().size()) * Copies->value();
    QString text = QStringLiteral("ラベル %1 枚、%2 ページ").arg(labels).arg(plan.Pages(labels));
    if (Tags->Tags() && Option1->isChecked()) {
        QString unpriced;
        const std::optional<pipeline::TagPrice> price = Tags->SinglePrice(&unpriced);
        text = price ? text + Tags->PriceLine(*price) : unpriced;
    }
    if (Option1->isChecked() && !codeProblem_.isEmpty())
        text = codeProblem_;
    if (sheet) {
        if (plan.refusal == pipeline::LabelPlan::Refusal::TooSmall) {
            const QSizeF needed = plan.Needed(symbol::RowOf(plan.sized.symbology).minMagnification);
            text = QStringLiteral(
                       "ラベル (%1 × %2 mm) が小さすぎます。80 % でも %3 × %4 mm 必要です。")
                       .arg(sheet->labelWidth)
                       .arg(sheet->labelHeight)
                       .arg(needed.width(), 0, 'f', 1)
                       .arg(needed.height(), 0, 'f', 1);
        } else if (plan.fitted < Magnification->value()) {
            text += QStringLiteral("（ラベルに合わせて %1 % で印刷）").arg(plan.fitted);
        }
    }
    Summary->setText(text);
}

std::optional<Form3::Job> Form3::Plan(QSizeF pageMm, int dpi) const {
    const std::optional<pipeline::SheetTemplate> sheet =
        pipeline::FindSheet(Sheet->currentData().toString());
    Job job;
    job.plan = pipeline::PlanLabels(sheet ? *sheet : pipeline::WholePageSheet(pageMm),
                                    sheet ? Start->value() - 1 : 0, Ask(), dpi);
    job.labels = Labels();
    job.copies = Copies->value();
    if (job.plan.refusal == pipeline::LabelPlan::Refusal::TooSmall || job.labels.isEmpty())
        return std::nullopt;
    return job;
}

bool Form3::PaintJob(const Job& job, QPagedPaintDevice* device,
                     const std::function<bool(qint64)>& goingOn) {
    // Copies in slices, so that one label of many copies is no longer slice.
    constexpr int kSlice = 64;
    pipeline::SheetPainter painter(pipeline::DevicePageSink(device), job.plan);
    // The list's bad lines are shown as it is read; here they are passed over.
    pipeline::LabelReport unseen;
    qint64 painted = 0;
    for (const pipeline::Label& label : job.labels) {
        for (int left = job.copies; left > 0;) {
            const int copies = std::min(left, kSlice);
            pipeline::LabelSource slice(QList<pipeline::Label>{label}, copies);
            pipeline::LabelCount count;
            if (!pipeline::PaintLabels(slice, painter, unseen, &count))
                return false;
            left -= copies;
            painted += copies;
            if (!goingOn(painted))
                return false;
        }
    }
    return true;
}

std::optional<Form3::Job> Form3::PrinterPlan(QPrinter* printer) {
    const bool onSheet = pipeline::FindSheet(Sheet->currentData().toString()).has_value();
    const bool native = printer->outputFormat() == QPrinter::NativeFormat;
    pipeline::UsePrintersDots(printer);
    printer->setFullPage(true);
    if (onSheet) {
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else if (native) {
        // The page chosen in the dialog, put on the printer as the renderer
        // puts it: a size of one's own in the whole points the page is
        // written in, and asked of the driver in those, so that the print
        // service neither swaps in a medium near it nor centres the page off
        // the printer's dots. One of the printer's media stays as it is.
        const QPageSize chosen = printer->pageLayout().pageSize();
        if (!pipeline::SetPrintersPage(printer, chosen)) {
            Summary->setText(QStringLiteral("プリンター %1 は用紙 %2 に印刷できません。")
                                 .arg(printer->printerName(), chosen.name()));
            return std::nullopt;
        }
    }
    // On a printer of the print service, every module a whole number of its
    // dots, from the first dot of the area it prints (on a page turned
    // across the paper, at the end the print service turns that dot to).
    const QSizeF pageMm = printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
    std::optional<Job> job = Plan(pageMm, native ? printer->resolution() : 0);
    if (!job) {
        // A sheet's labels too small are said with the counts already.
        if (!onSheet && !Labels().isEmpty())
            Summary->setText(QStringLiteral("用紙 (%1 × %2 mm) が小さすぎて、記号が収まりません。")
                                 .arg(pageMm.width(), 0, 'f', 1)
                                 .arg(pageMm.height(), 0, 'f', 1));
        return std::nullopt;
    }
    if (job->plan.refusal == pipeline::LabelPlan::Refusal::NoWholeDots) {
        const QSizeF label = job->plan.LabelMm();
        Summary->setText(QStringLiteral("%1 dpi のプリンターでは、%2 × %3 mm "
                                        "に収まる倍率 80 % 以上でドットの揃う大きさがありません。")
                             .arg(printer->resolution())
                             .arg(label.width(), 0, 'f', 1)
                             .arg(label.height(), 0, 'f', 1));
        return std::nullopt;
    }
    if (native)
        pipeline::FitStyleToPrintersPage(*printer, &job->plan.style);
    return job;
}

bool Form3::Paint(QPrinter* printer) {
    const std::optional<Job> job = PrinterPlan(printer);
    if (!job)
        return false;
    // Painted on this thread (the preview's pages): between slices the
    // window is drawn again.
    const bool native = printer->outputFormat() == QPrinter::NativeFormat;
    const auto drawn = [native](qint64) {
        if (native)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
    if (!PaintJob(*job, printer, drawn))
        return false;
    Remember();
    return true;
}

void Form3::FilePrint::Run() {
    pipeline::FdDevice device(staged.Fd());
    bool whole = false;
    {
        QPdfWriter writer(&device);
        writer.setResolution(kPdfDotsPerInch);
        writer.setPageLayout(page);
        whole = PaintJob(job, &writer, [this](qint64 count) {
            painted = count;
            return !cancel;
        });
    }
    cancelled = cancel;
    if (cancelled)
        return;  // the staged file goes with it
    err = device.Errno();
    if (err == 0 && !whole)
        err = EIO;
    if (err != 0)
        return;
    if (folder->Keep(&staged, 0, &keepError))
        folder->Sync(&syncError);
}

void Form3::PrintToFile(const QString& path, const QPageLayout& page) {
    const auto refuse = [this](const QString& reason) {
        Summary->setText(reason);
        emit Printed(false);
    };
    if (reading_ || printing_ || sending_)
        return refuse(
            QStringLiteral("一覧を読み終わるまで、または印刷が終わるまで待ってください。"));
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folderName = slash < 0 ? QString() : path.left(qMax(slash, 1));
    const QString fileName = path.mid(slash + 1);
    if (fileName.isEmpty())
        return refuse(QStringLiteral("保存するファイルの名前がありません。"));
    // What the folder and the name are, said before anything is painted.
    struct stat at;
    const QByteArray folderPath = QFile::encodeName(folderName.isEmpty() ? "." : folderName);
    if (stat(folderPath.constData(), &at) != 0 || !S_ISDIR(at.st_mode))
        return refuse(
            QStringLiteral("フォルダー %1 がありません。何も印刷していません。").arg(folderName));
    if (access(folderPath.constData(), W_OK) != 0)
        return refuse(QStringLiteral("フォルダー %1 に保存できません: %2。")
                          .arg(folderName, WriteFailure(errno)));
    const QByteArray native = QFile::encodeName(path);
    const bool existed = lstat(native.constData(), &at) == 0;
    if (existed && S_ISDIR(at.st_mode))
        return refuse(
            QStringLiteral("%1 はフォルダーです。ファイルの名前を選んでください。").arg(path));
    if (existed && !S_ISREG(at.st_mode) && !S_ISLNK(at.st_mode))
        return refuse(
            QStringLiteral("%1 はファイルではない (装置など) ため、書き込みません。").arg(path));
    if (existed && S_ISREG(at.st_mode) && (at.st_mode & 0222) == 0)
        return refuse(QStringLiteral("%1 は読み取り専用のため、書き込みません。").arg(path));
    struct stat list;
    if (existed && Option2->isChecked() &&
        stat(QFile::encodeName(ListPath->text()).constData(), &list) == 0 &&
        stat(native.constData(), &at) == 0 && at.st_dev == list.st_dev && at.st_ino == list.st_ino)
        return refuse(
            QStringLiteral("%1 は印刷する一覧のファイルです。書き込みません。").arg(path));

    // The whole page, as a printer set to its full page paints it; a label
    // sheet on A4.
    QPageLayout layout(page);
    layout.setMode(QPageLayout::FullPageMode);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
    if (pipeline::FindSheet(Sheet->currentData().toString()))
        layout.setPageSize(QPageSize(QPageSize::A4));
    std::optional<Job> job = Plan(layout.fullRect(QPageLayout::Millimeter).size(), 0);
    if (!job) {
        emit Printed(false);  // Summary says why
        return;
    }
    auto print = std::make_shared<FilePrint>();
    print->path = path;
    print->existed = existed;
    print->page = layout;
    print->total = qint64(job->labels.size()) * job->copies;
    print->job = std::move(*job);
    print->folder.emplace(folderName);
    QString error = print->folder->OpenError();
    if (error.isEmpty())
        print->folder->Stage(fileName, true, &print->staged, &error);
    if (!error.isEmpty())
        return refuse(QStringLiteral("%1 に保存できません (%2)。").arg(path, error));

    printing_ = print;
    EnableButtons();
    Summary->setText(QStringLiteral("%1 に印刷しています…").arg(path));
    progress_ = new QProgressDialog(QStringLiteral("%1 に印刷しています…").arg(path),
                                    QStringLiteral("中止"), 0, 1000, this);
    progress_->setWindowTitle(QStringLiteral("印刷"));
    progress_->setMinimumDuration(500);
    progress_->setValue(0);
    connect(progress_, &QProgressDialog::canceled, this, [print] { print->cancel = true; });
    RunAside([print] { print->Run(); }, [this, print] { FileDone(print); });
}

void Form3::FileDone(const std::shared_ptr<FilePrint>& print) {
    printing_.reset();
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
        progress_ = nullptr;
    }
    EnableButtons();
    UpdateSummary();
    const QString kept = print->existed
                             ? QStringLiteral("元の %1 はそのままです。").arg(print->path)
                             : QStringLiteral("%1 は作られていません。").arg(print->path);
    QString failure;
    if (print->cancelled)
        failure = QStringLiteral("印刷を中止しました。") + kept;
    else if (print->err != 0)
        failure = QStringLiteral("%1 を保存できませんでした: %2。")
                      .arg(print->path, WriteFailure(print->err)) +
                  kept;
    else if (!print->keepError.isEmpty())
        failure =
            QStringLiteral("%1 を保存できませんでした (%2)。").arg(print->path, print->keepError) +
            kept;
    else if (!print->syncError.isEmpty())
        failure = QStringLiteral("%1 がディスクに書き込まれたか確かめられません (%2)。")
                      .arg(print->path, print->syncError);
    if (!failure.isEmpty()) {
        Summary->setText(failure);
        emit Printed(false);
        return;
    }
    Remember();
    emit Printed(true);
    accept();
}

// The pages as a PDF file of them has them: a label sheet on A4, one
// symbol per sheet of paper on A4 too.
void Form3::Preview() {
    if (reading_ || printing_ || sending_)
        return;
    const QSizeF a4(pipeline::kA4Width, pipeline::kA4Height);
    std::optional<Job> job = Plan(a4, 0);
    if (!job)
        return;  // Summary says why
    if (preview_)
        preview_->close();
    PreviewPages pages;
    pages.plan = job->plan;
    pages.labels = std::move(job->labels);
    pages.copies = job->copies;
    pages.pageMm = a4;
    preview_ = new PagePreview(std::move(pages), this);
    preview_->setAttribute(Qt::WA_DeleteOnClose);
    preview_->open();
    Remember();
}

PagePreview* Form3::Previewing() const {
    return preview_;
}

// The dialog opens on the printer of the last print, where the system still
// has it. Qt's dialog always offers a printer's default media: left at that,
// the media last used on the printer is used again.
void Form3::PrintNow() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QString last = Settings().value("print/printer").toString();
    if (QPrinterInfo::availablePrinterNames().contains(last))
        printer->setPrinterName(last);
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<QPageSize> remembered = RememberedMedia(*printer);
    if (remembered && printer->outputFormat() == QPrinter::NativeFormat &&
        printer->pageLayout().pageSize().isEquivalentTo(QPrinterInfo(*printer).defaultPageSize()))
        printer->setPageSize(*remembered);
    // A PDF file is written as the renderer writes one: aside, then in place.
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        PrintToFile(printer->outputFileName(), printer->pageLayout());
        return;
    }
    if (reading_ || printing_ || sending_) {
        Summary->setText(
            QStringLiteral("一覧を読み終わるまで、または印刷が終わるまで待ってください。"));
        emit Printed(false);
        return;
    }
    const QString media = printer->pageLayout().pageSize().key();
    std::optional<Job> job = PrinterPlan(printer.get());
    if (!job) {
        emit Printed(false);  // Summary says why
        return;
    }
    // The printer's pages are painted aside and go to the print service
    // only once all are painted: 中止 before then sends nothing.
    const qint64 labels = qint64(job->labels.size()) * job->copies;
    const pipeline::LabelPlan plan = job->plan;
    sending_ = new PrinterRun(
        std::move(printer), labels, [plan](qint64 count) { return plan.Pages(count); },
        [job = std::move(*job)](QPagedPaintDevice* device,
                                const std::function<bool(qint64)>& goingOn) {
            return PaintJob(job, device, goingOn);
        },
        this);
    connect(sending_, &PrinterRun::Done, this, [this, media](bool sent) {
        PrinterRun* run = sending_;
        sending_ = nullptr;
        run->deleteLater();
        EnableButtons();
        Summary->setText(run->Outcome());
        if (!sent) {
            emit Printed(false);
            return;
        }
        Remember();
        QSettings settings = Settings();
        settings.setValue("print/printer", run->PrinterName());
        // A label sheet is printed on A4 whatever the printer holds.
        if (Sheet->currentIndex() == 0)
            settings.setValue("print/media/" + run->PrinterName(), media);
        emit Printed(true);
        accept();
    });
    EnableButtons();
    sending_->Start();
}

void Form3::Remember() const {
    QSettings settings = Settings();
    settings.setValue("print/sheet", Sheet->currentData());
    settings.setValue("print/magnification", Magnification->value());
    Tags->Remember(settings);
}
