#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolTip>
#include <QValidator>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

#include "Form1/PictureBox.h"
#include "Form2/Form2.h"
#include "Module1/Module1.h"
#include "symbol/code.h"
#include "symbol/drawing.h"
#include "symbol/pattern.h"

namespace {

constexpr int kEnter = 13;

// The most characters a box takes in: the name box keeps them all, a digit
// box keeps its few of them. A huge paste is cut here at once.
constexpr int kBoxLimit = 1000;

// The save dialog's filters: display text and pattern, each ended by "|".
constexpr char16_t kSaveFilter[] = u"ビットマップ(*.bmp)|*.bmp|全てのファイル(*.*)|*.*|";

// The window's face at 9 points, with a fallback for where that face is
// missing. The two fallbacks each match it where it matters: IPAPGothic's
// proportional kana let the captions fit the widths they were laid out for,
// IPAGothic's narrow digits let twelve of them fit the digit box.
QFont WindowFont(const char* fallback, bool bold = false) {
    symbol::RegisterFontSubstitution();
    QFont font;
    font.setFamilies({QString::fromUtf16(symbol::kFontFamily), QString::fromLatin1(fallback)});
    font.setPointSize(9);
    font.setBold(bold);
    return font;
}

QFont CaptionFont() {
    return WindowFont("IPAPGothic");
}

QFont BoxFont(bool bold = false) {
    return WindowFont("IPAGothic", bold);
}

// What a digit box takes, typed or pasted: no control character, and at most
// maxLength of the others, an insertion cut as the box's own limit cuts it.
// cut, when given, hears of each text that was cut, as it stood uncut.
class DigitBoxValidator : public QValidator {
public:
    DigitBoxValidator(int maxLength, QObject* parent,
                      std::function<void(const QString&)> cut = nullptr)
        : QValidator(parent), maxLength_(maxLength), cut_(std::move(cut)) {}

    State validate(QString& input, int& pos) const override {
        // pos stands just behind what was inserted; behind it lies the old text.
        QString inserted = WithoutControls(input.left(pos));
        const QString after = WithoutControls(input.mid(pos));
        if (cut_ && inserted.size() + after.size() > maxLength_)
            cut_(inserted + after);
        inserted.truncate(std::max<qsizetype>(0, maxLength_ - after.size()));
        if (inserted.size() + after.size() != input.size()) {
            input = inserted + after;
            pos = int(inserted.size());
        }
        return Acceptable;
    }

private:
    static QString WithoutControls(QString text) {
        text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
        return text;
    }

    int maxLength_;
    std::function<void(const QString&)> cut_;
};

// Thirteen digits 0-9: a whole code, as a paste brings one.
bool IsWholeCode(const QString& text) {
    return text.size() == 13 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// For a code whose check digit is not the computed one: the right digit, and
// every swap of two neighbouring digits that makes the code valid, since such
// a swap is the slip a check digit cannot tell from a wrong check digit.
// "" when the check digit is right.
QString CheckDigitHint(const QString& code) {
    if (symbol::HasValidCheckDigit(code))
        return QString();
    const QString right = code.left(12) + QString::number(symbol::CheckDigit(code));
    QString hint =
        QString::fromUtf16(u"チェックディジットが違います。正しくは %1 で、コードは %2 です。")
            .arg(right.right(1), right);
    QStringList swaps;
    for (const symbol::DigitSwap& swap : symbol::ValidDigitSwaps(code))
        swaps << QString::fromUtf16(u"  %1（%2 桁目と %3 桁目を入れ替え）")
                     .arg(swap.code, QString::number(swap.first), QString::number(swap.first + 1));
    if (swaps.isEmpty())
        return hint + QString::fromUtf16(
                          u"\n隣り合う二つの数字を入れ替えても正しいコードにはなりません。");
    return hint +
           QString::fromUtf16(
               u"\n隣り合う二つの数字を入れ替えたのなら、次のコードが正しいコードです:\n") +
           swaps.join(u'\n');
}

// Whether text is what a paste brings: the clipboard's text, or the
// selection's (a middle click), without its control characters as the digit
// boxes take it. A key typed into a full box is not.
bool IsPasted(const QString& text) {
    for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        QString pasted = QApplication::clipboard()->text(mode);
        pasted.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
        if (pasted == text)
            return true;
    }
    return false;
}

// For a pasted code whose thirteenth digit, which the code box does not
// take, is not the check digit of the first twelve: what became of it, and
// the check digit's own hint.
QString PastedCodeHint(const QString& pasted) {
    return QString::fromUtf16(
               u"貼り付けた %1 の13桁目 %2 は、先頭12桁のチェックディジットではありません。"
               u"コード欄には先頭12桁だけが入り、記号はそのチェックディジットで描いています。\n")
               .arg(pasted, pasted.right(1)) +
           CheckDigitHint(pasted);
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      PrintDialogPlaces(Module1::PrintDialogPlaces()) {
    setWindowTitle(QStringLiteral("Stripewell"));
    setWindowIcon(ProgramIcon());
    setFont(CaptionFont());
    setFixedSize(245, 191);
    CreateControls();
    Form_Load();
}

QIcon Form1::ProgramIcon() {
    // Raw pixels, made from the PNG files when building: an image reader, even
    // one told the format, has Qt look through every image format plugin of
    // the system, which start-up need not wait for.
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QFile file(QStringLiteral(":/icons/stripewell-%1.argb").arg(size));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const auto* words = reinterpret_cast<const quint32*>(bytes.constData());
        if (bytes.size() != 8 + 4 * size * size || qFromLittleEndian(words[0]) != quint32(size) ||
            qFromLittleEndian(words[1]) != quint32(size))
            continue;
        QImage image(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < size; ++x)
                line[x] = qFromLittleEndian(words[2 + y * size + x]);
        }
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void Form1::CreateControls() {
    auto textBox = [this](const char* name, const QRect& geometry, const QString& accessibleName) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setMaxLength(kBoxLimit);
        box->setGeometry(geometry);
        box->setFont(BoxFont());
        box->setAccessibleName(accessibleName);
        box->installEventFilter(this);
        return box;
    };
    auto label = [this](const char* name, const QString& caption, const QRect& geometry) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    };
    auto checkBox = [this](const char* name, const QString& caption, const QRect& geometry) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(geometry);
        box->setAccessibleName(caption);
        return box;
    };

    // Labels first: where a label meets its box, the box lies on top.
    Label1 = label("Label1", QString::fromUtf16(u"コード"), QRect(8, 32, 41, 13));
    Label2 = label("Label2", QString::fromUtf16(u"名称"), QRect(8, 12, 33, 13));
    Label3 = label("Label3", QStringLiteral("Checkdigit"), QRect(144, 32, 61, 13));

    Text2 = textBox("Text2", QRect(44, 8, 189, 18), Label2->text());
    Text1 = textBox("Text1", QRect(44, 28, 85, 18), Label1->text());
    Text1->setValidator(new DigitBoxValidator(12, Text1, [this](const QString& uncut) {
        // Heard before the box takes the text; the redraw that follows looks
        // at it, and one is asked for in case the twelve were there already.
        if (!IsWholeCode(uncut) || !IsPasted(uncut))
            return;
        CutCode = uncut;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!CutCode.isEmpty())
                    Text1_Change();
            },
            Qt::QueuedConnection);
    }));
    Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text3 = textBox("Text3", QRect(212, 28, 21, 18), Label3->text());
    Text3->setValidator(new DigitBoxValidator(1, Text3));
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Text3);

    Check1 = checkBox("Check1", QString::fromUtf16(u"チェックディジットを自動的に付加"),
                      QRect(8, 52, 193, 17));
    Check1->setChecked(true);
    Check2 = checkBox("Check2", QString::fromUtf16(u"最前面に配置"), QRect(8, 72, 197, 17));
    SetCheckDigitLocked(true);

    const char* const captions[] = {"Zoom", "Copy", "Save"};
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(captions[index]), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setGeometry(148, 108 + 24 * index, 89, 25);
        button->setAccessibleName(button->text());
        button->setAutoDefault(true);  // Enter on a focused button presses it
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        Command1[index] = button;
    }

    // The window layout's picture inside a border of one pixel.
    Picture1 =
        new PictureBox(this, QRect(8, 92, symbol::kWindowWidth + 2, symbol::kWindowHeight + 2),
                       PictureBox::Border::FlatSingle);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QString::fromUtf16(u"バーコード"));
    connect(Picture1, &PictureBox::DblClick, this, &Form1::Picture1_DblClick);

    // Printing has no button of its own: Ctrl+P, or the picture's context menu.
    auto* print = new QAction(QStringLiteral("印刷(&P)..."), this);
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &Form1::PrintPicture);
    addAction(print);
    Picture1->addAction(print);
    Picture1->setContextMenuPolicy(Qt::ActionsContextMenu);

    setTabOrder(Text2, Text1);
    setTabOrder(Text1, Text3);
    setTabOrder(Text3, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, Command1[0]);
    setTabOrder(Command1[0], Command1[1]);
    setTabOrder(Command1[1], Command1[2]);
    Text2->setFocus();

    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    connect(Text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
    connect(Check1, &QCheckBox::clicked, this, &Form1::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &Form1::Check2_Click);
}

void Form1::Form_Load() {
    // Nothing is drawn: the picture stays blank until the first edit.
    Updating = false;
}

void Form1::Form_Unload() {
    Module1::SetTopmost(this, false);
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form1::Text1_Change() {
    Updating = true;
    TakePastedCode();
    symbol::Canvas& canvas = Picture1->Canvas();
    symbol::PrintName(canvas, Text2->text());
    const QString code = DrawnCode();
    // A pasted code's wrong thirteenth digit stands in the box while the
    // twelve stay as pasted; the symbol keeps the computed one.
    if (Check1->isChecked())
        Text3->setText(PastedCode.isEmpty() ? code.right(1) : PastedCode.right(1));
    symbol::DrawSymbol(canvas, code, symbol::BuildPattern(code));
    MarkCheckDigit(!PastedCode.isEmpty() ? PastedCodeHint(PastedCode)
                   : Check1->isChecked() ? QString()
                                         : CheckDigitHint(code));
    // Typing the twelfth digit moves on to the check digit when it is typed by hand.
    if (Text1->text().size() == 12 && PrevLength == 11 && !Check1->isChecked())
        FocusAndSelectAll(Text3);
    PrevLength = Text1->text().size();
    Updating = false;
}

void Form1::Text2_Change() {
    Text1_Change();
}

void Form1::Text3_Change() {
    if (Updating)
        return;
    PastedCode.clear();  // a check digit typed by hand is the one to judge
    Text1_Change();
}

void Form1::Check1_Click() {
    if (!PastedCode.isEmpty() && !Check1->isChecked()) {
        // The box held the pasted digit in place of the computed one, which
        // it holds as before once typing takes over.
        Updating = true;
        Text3->setText(QString::number(symbol::CheckDigit(PastedCode)));
        Updating = false;
    }
    PastedCode.clear();
    SetCheckDigitLocked(Check1->isChecked());
    Text1_Change();
}

void Form1::TakePastedCode() {
    const QString cut = std::exchange(CutCode, QString());
    if (!cut.isEmpty() && cut.left(12) == Text1->text() && !symbol::HasValidCheckDigit(cut)) {
        PastedCode = cut;
        // Said at once, beside the box, as well as in its tooltip.
        QToolTip::showText(Text3->mapToGlobal(QPoint(0, Text3->height())),
                           PastedCodeHint(PastedCode), Text3);
    } else if (PastedCode.left(12) != Text1->text() || !cut.isEmpty()) {
        PastedCode.clear();
    }
}

void Form1::Check2_Click() {
    Module1::SetTopmost(this, Check2->isChecked());
}

void Form1::Text1_KeyPress(int& keyAscii) {
    if (keyAscii != kEnter)
        return;
    keyAscii = 0;
    FocusAndSelectAll(Text3);
}

void Form1::Text2_KeyPress(int& keyAscii) {
    if (keyAscii != kEnter)
        return;
    keyAscii = 0;
    FocusAndSelectAll(Text1);
}

void Form1::Text3_KeyPress(int& keyAscii) {
    if (keyAscii != kEnter)
        return;
    keyAscii = 0;
    Command1[0]->setFocus();
}

void Form1::Command1_Click(int Index) {
    switch (Index) {
        case 0: {
            // The view copies the picture while it loads; each zoom makes a new one.
            Form2 view(this, Picture1->Image(), Check2->isChecked());
            view.exec();
            break;
        }
        case 1:
            CopyPicture();
            break;
        case 2:
            SavePicture();
            break;
    }
}

void Form1::CopyPicture() {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(Picture1->Image());
}

void Form1::SavePicture() {
    QString filter = QString::fromUtf16(kSaveFilter);
    filter.replace(u'|', QChar(0));
    int filterIndex = 0;
    QString path = Module1::ShowSaveDialog(this, QString::fromUtf16(u"ジャンコードの保存"), filter,
                                           QString(), Text2->text(), filterIndex);
    if (path.isEmpty())
        return;

    if (filterIndex == 0 && path.right(4).toUpper() != u".BMP") {
        path += QStringLiteral(".bmp");
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path) && !ConfirmReplace(path))
            return;
    }
    QString error;
    if (!Module1::SavePicture(Picture1->Image(), path, &error)) {
        Module1::Warn(this, windowTitle(),
                      QString::fromUtf16(u"ファイル「%1」を保存できませんでした。\n%2")
                          .arg(QDir::toNativeSeparators(path), error));
    }
    Text2->setFocus();
}

bool Form1::ConfirmReplace(const QString& path) {
    const auto answer =
        QMessageBox::question(this, windowTitle(),
                              QString::fromUtf16(u"%1 は既に存在します。\n置き換えますか？")
                                  .arg(QDir::toNativeSeparators(path)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void Form1::Picture1_DblClick() {
    Command1_Click(0);
}

QString Form1::DrawnCode() const {
    const QString code = symbol::ComposeCode(Text1->text(), Text3->text());
    if (!Check1->isChecked())
        return code;
    return code.left(12) + QString::number(symbol::CheckDigit(code));
}

void Form1::PrintPicture() {
    QString reason;
    const PrintDialogFactory makeDialog = Module1::LoadPrintDialog(PrintDialogPlaces, &reason);
    if (makeDialog == nullptr) {
        Module1::Warn(this, windowTitle(),
                      QString::fromUtf16(u"印刷できません。Stripewell を入れ直してください。\n%1")
                          .arg(reason));
        return;
    }
    const std::unique_ptr<QDialog> dialog(makeDialog(Text2->text(), DrawnCode(), this));
    dialog->exec();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter && key->text().isEmpty())
        return false;
    int keyAscii = enter ? kEnter : key->text().front().unicode();
    if (watched == Text1)
        Text1_KeyPress(keyAscii);
    else if (watched == Text2)
        Text2_KeyPress(keyAscii);
    else if (watched == Text3)
        Text3_KeyPress(keyAscii);
    return keyAscii == 0;
}

void Form1::FocusAndSelectAll(QLineEdit* box) {
    box->setFocus();
    box->setSelection(0, box->text().size());
}

void Form1::SetCheckDigitLocked(bool locked) {
    Text3->setReadOnly(locked);
    // Leaving read-only turns the input method back on; digits are typed directly.
    Text3->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text3->setFont(BoxFont(locked));
}

void Form1::MarkCheckDigit(const QString& hint) {
    QPalette palette;  // the window's own colours
    if (!hint.isEmpty())
        palette.setColor(QPalette::Text, Qt::red);
    Text3->setPalette(palette);
    Text3->setToolTip(hint);
}
