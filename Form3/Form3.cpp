#include "Form3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "labelsource.h"
#include "listreader.h"
#include "printer.h"
#include "sheetpainter.h"
#include "symbol/code.h"
#include "symbol/raster.h"

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

}  // namespace

Form3::Form3(const QString& name, const QString& code, QWidget* parent)
    : QDialog(parent), name_(name), code_(code), codeProblem_(CodeProblem(code)) {
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

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(Option2);
    listRow->addWidget(ListPath, 1);
    listRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用紙(&T):"), Sheet);
    form->addRow(QStringLiteral("倍率(&M):"), Magnification);
    form->addRow(QStringLiteral("枚数(&C):"), Copies);
    form->addRow(QStringLiteral("開始位置(&A):"), Start);
    form->addRow(PrintName);
    auto* buttons = new QDialogButtonBox(this);
    auto* preview =
        buttons->addButton(QStringLiteral("プレビュー(&V)..."), QDialogButtonBox::ActionRole);
    auto* print = buttons->addButton(QStringLiteral("印刷(&P)..."), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Option1);
    layout->addLayout(listRow);
    layout->addLayout(form);
    layout->addWidget(Summary);
    layout->addWidget(Problems);
    layout->addWidget(buttons);

    const QSettings settings = Settings();
    Sheet->setCurrentIndex(std::max(0, Sheet->findData(settings.value("print/sheet"))));
    Magnification->setValue(settings.value("print/magnification", 100).toInt());
    Option1->setChecked(true);

    connect(browse, &QPushButton::clicked, this, &Form3::ChooseList);
    connect(ListPath, &QLineEdit::editingFinished, this, &Form3::ReadList);
    connect(preview, &QPushButton::clicked, this, &Form3::Preview);
    connect(print, &QPushButton::clicked, this, &Form3::PrintNow);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QSpinBox* box : {Magnification, Copies, Start})
        connect(box, &QSpinBox::valueChanged, this, &Form3::UpdateSummary);
    connect(Sheet, &QComboBox::currentIndexChanged, this, &Form3::UpdateSummary);
    connect(Option1, &QRadioButton::toggled, this, &Form3::UpdateSummary);
    connect(PrintName, &QCheckBox::toggled, this, &Form3::UpdateSummary);
    UpdateSummary();
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
void Form3::ReadList() {
    listEntries_.clear();
    listSymbology_ = symbol::Symbology::Jan13;
    listSymbology_ = symbol::Symbology::Jan13;
    QStringList problems;
    QFile file(ListPath->text());
    if (!file.open(QIODevice::ReadOnly)) {
        problems.append(
            QStringLiteral("%1: 開けません (%2)").arg(ListPath->text(), file.errorString()));
    } else {
        pipeline::ListReader reader(file, {});
        if (reader.Start()) {
            pipeline::LabelSource labels(reader);
            pipeline::Label label;
            while (labels.Next(&label)) {
                listSymbology_ = label.code.symbology;
                if (label.refusal.isEmpty())
                    listEntries_.append(label);
                else
                    problems.append(
                        QStringLiteral("%1 行目: %2").arg(label.line).arg(label.refusal));
            }
        }
        if (!reader.Refusal().isEmpty())
            problems.append(reader.Refusal());
    }
    Problems->setPlainText(problems.join(u'\n'));
    Option2->setChecked(true);
    UpdateSummary();
}

QList<pipeline::Label> Form3::Labels() const {
    if (!Option1->isChecked())
        return listEntries_;
    if (!codeProblem_.isEmpty())
        return {};
    return {{0, name_, {symbol::Symbology::Jan13, code_, {}}, {}, {}}};
}

symbol::Symbology Form3::LabelSymbology() const {
    return Option1->isChecked() ? symbol::Symbology::Jan13 : listSymbology_;
}

void Form3::UpdateSummary() {
    const std::optional<pipeline::SheetTemplate> sheet =
        pipeline::FindSheet(Sheet->currentData().toString());
    const int perPage = sheet ? sheet->LabelsPerPage() : 1;
    Start->setMaximum(perPage);
    Start->setEnabled(sheet.has_value());
    const int labels = int(Labels().size()) * Copies->value();
    const int skip = sheet ? Start->value() - 1 : 0;
    const int pages = labels == 0 ? 0 : (skip + labels + perPage - 1) / perPage;
    QString text = QStringLiteral("ラベル %1 枚、%2 ページ").arg(labels).arg(pages);
    if (Option1->isChecked() && !codeProblem_.isEmpty())
        text = codeProblem_;
    if (sheet) {
        const double fitted = pipeline::FitMagnification(
            QSizeF(sheet->labelWidth, sheet->labelHeight), Magnification->value(),
            PrintName->isChecked(), {LabelSymbology(), {}, {}});
        if (fitted == 0) {
            const QSizeF needed = pipeline::NeededLabelSize(
                symbol::kMinMagnification, PrintName->isChecked(), {LabelSymbology(), {}, {}});
            text = QStringLiteral(
                       "ラベル (%1 × %2 mm) が小さすぎます。80 % でも %3 × %4 mm 必要です。")
                       .arg(sheet->labelWidth)
                       .arg(sheet->labelHeight)
                       .arg(needed.width(), 0, 'f', 1)
                       .arg(needed.height(), 0, 'f', 1);
        } else if (fitted < Magnification->value()) {
            text += QStringLiteral("（ラベルに合わせて %1 % で印刷）").arg(fitted);
        }
    }
    Summary->setText(text);
}

bool Form3::Paint(QPrinter* printer) {
    const std::optional<pipeline::SheetTemplate> sheet =
        pipeline::FindSheet(Sheet->currentData().toString());
    pipeline::UsePrintersDots(printer);
    printer->setFullPage(true);
    if (sheet)
        printer->setPageSize(QPageSize(QPageSize::A4));
    const pipeline::SheetTemplate layout =
        sheet ? *sheet
              : pipeline::WholePageSheet(
                    printer->pageLayout().fullRect(QPageLayout::Millimeter).size());
    pipeline::LabelStyle style;
    style.names = PrintName->isChecked();
    const symbol::SymbolCode sized{LabelSymbology(), {}, {}};
    style.magnification = pipeline::FitMagnification(QSizeF(layout.labelWidth, layout.labelHeight),
                                                     Magnification->value(), style.names, sized);
    if (style.magnification == 0 || Labels().isEmpty())
        return false;
    // On a printer of the print service, every module a whole number of its
    // dots, from the corner of the area it prints.
    if (printer->outputFormat() == QPrinter::NativeFormat) {
        const QSizeF label(layout.labelWidth, layout.labelHeight);
        const symbol::WholeDots module = pipeline::WholeDotModule(
            printer->resolution(), style.magnification,
            pipeline::FitMagnification(label, symbol::kMaxMagnification, style.names, sized));
        if (module.dots == 0) {
            Summary->setText(
                QStringLiteral("%1 dpi のプリンターでは、%2 × %3 mm "
                               "に収まる倍率 80 % 以上でドットの揃う大きさがありません。")
                    .arg(printer->resolution())
                    .arg(label.width(), 0, 'f', 1)
                    .arg(label.height(), 0, 'f', 1));
            return false;
        }
        style.magnification = module.magnification;
        pipeline::FitStyleToPrinter(*printer, &style);
    }
    pipeline::SheetPainter painter(printer, layout, sheet ? Start->value() - 1 : 0, style);
    // The list's bad lines are shown as it is read; here they are passed over.
    pipeline::LabelSource labels(Labels(), Copies->value());
    pipeline::LabelReport unseen;
    pipeline::LabelCount count;
    if (!pipeline::PaintLabels(labels, painter, unseen, &count))
        return false;
    Remember();
    return true;
}

void Form3::Preview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { Paint(p); });
    preview.exec();
}

// The dialog opens on the printer of the last print, where the system still
// has it. Qt's dialog always offers a printer's default media: left at that,
// the media last used on the printer is used again.
void Form3::PrintNow() {
    QPrinter printer(QPrinter::HighResolution);
    const QString last = Settings().value("print/printer").toString();
    if (QPrinterInfo::availablePrinterNames().contains(last))
        printer.setPrinterName(last);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<QPageSize> remembered = RememberedMedia(printer);
    if (remembered && printer.outputFormat() == QPrinter::NativeFormat &&
        printer.pageLayout().pageSize().isEquivalentTo(QPrinterInfo(printer).defaultPageSize()))
        printer.setPageSize(*remembered);
    const QString media = printer.pageLayout().pageSize().key();
    if (!Paint(&printer))
        return;
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        QSettings settings = Settings();
        settings.setValue("print/printer", printer.printerName());
        // A label sheet is printed on A4 whatever the printer holds.
        if (Sheet->currentIndex() == 0)
            settings.setValue("print/media/" + printer.printerName(), media);
    }
    accept();
}

void Form3::Remember() const {
    QSettings settings = Settings();
    settings.setValue("print/sheet", Sheet->currentData());
    settings.setValue("print/magnification", Magnification->value());
}
