// "Copy" and "Save" as a person uses them: the real save dialog, driven by
// keys and clicks, and the files and clipboard read back.

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cerrno>
#include <csignal>

#include "Form1/Form1.h"
#include "Form1/PictureBox.h"
#include "Form2/Form2.h"
#include "Module1/Module1.h"
#include "person.h"

namespace {

enum Filter { Bitmap = 0, AllFiles = 1 };

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The Latin letters that a person reads in a window (title, and captions,
// list items and tooltips of its visible widgets), but for the program's own
// captions, the access keys in brackets of Japanese captions, paths and name.
QStringList English(QWidget* window, const QString& name = QString()) {
    QStringList texts{window->windowTitle()};
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        texts << widget->toolTip();
        if (!qobject_cast<QLineEdit*>(widget))  // what is typed is a name
            texts << widget->property("text").toString();
        if (auto* list = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
    }
    static const QRegularExpression own(
        R"(Stripewell|Zoom|Copy|Save|Checkdigit|\*\.bmp|\*\.\*|\(&[A-Z]\)|/\S*)");
    static const QRegularExpression latin("[A-Za-z]");
    texts.replaceInStrings(own, "");
    if (!name.isEmpty())
        texts.replaceInStrings(name, "");
    return texts.filter(latin);
}

// What the save dialog showed when it opened, and the texts of the message
// boxes that followed it.
struct DialogSeen {
    bool opened = false;
    QString title;
    QString name;
    QString filter;
    QStringList filters;
    QStringList messages;
    bool stayedOpen = false;  // the dialog was still open after a message
};

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void copyReplacesTheClipboardWithThePicture();
    void saveWritesTheBitmapUnderTheChosenName_data();
    void saveWritesTheBitmapUnderTheChosenName();
    void cancelWritesNothingAndLeavesTheFocus();
    void everySaveOpensWithTheBitmapFilter();
    void emptyNameOpensAnEmptyNameField();
    void appendedExtensionAsksBeforeReplacing_data();
    void appendedExtensionAsksBeforeReplacing();
    void failedSaveKeepsTheOldFileAndSaysWhy_data();
    void failedSaveKeepsTheOldFileAndSaysWhy();
    void dialogRefusesAPathItCannotWrite_data();
    void dialogRefusesAPathItCannotWrite();
    void enlargedViewSpeaksJapanese();
    void commonFailuresAreToldInJapanese();

private:
    // Clicks "Save"; in the dialog chooses the filter with the keyboard, goes
    // to the test folder, types name into the name field and clicks its Save,
    // or cancels when name is null. Answers a question that follows with answer.
    DialogSeen Save(const QString& name, Filter filter,
                    QMessageBox::StandardButton answer = QMessageBox::Yes);

    Form1* form = nullptr;
    QTemporaryDir folder;
    QTemporaryDir home;
    QStringList english;  // left in English in the dialogs of a test
};

void TestCommands::initTestCase() {
    QVERIFY(Module1::LoadJapanese());
    // A home of the test's own, which the saves must leave empty.
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
}

void TestCommands::init() {
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QVERIFY(folder.isValid());
}

void TestCommands::cleanup() {
    delete form;
    form = nullptr;
    QDir(folder.path()).removeRecursively();
    QDir().mkpath(folder.path());
    QCOMPARE(std::exchange(english, {}), QStringList());
}

void TestCommands::cleanupTestCase() {
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

DialogSeen TestCommands::Save(const QString& name, Filter filter,
                              QMessageBox::StandardButton answer) {
    DialogSeen seen;
    QObject session;  // ends every wait below once the save is over

    // Message boxes after the dialog: a question about replacing a file (the
    // dialog's or ours), a message about a failed save. Each is answered and
    // its text kept.
    std::function<void(QMessageBox*)> answerMessage = [&](QMessageBox* box) {
        seen.messages << box->text();
        english << English(box, name);
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->accept();
        // A dialog that stays open after its own message is cancelled.
        QTimer::singleShot(100, &session, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                seen.stayedOpen = true;
                dialog->reject();
            }
        });
        WhenModalOpens<QMessageBox>(&session, answerMessage);
    };

    WhenModalOpens<QFileDialog>(&session, [&](QFileDialog* dialog) {
        seen.opened = true;
        // The offscreen platform leaves the main window active; a person's
        // dialog has the keyboard.
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("the save dialog did not become active");
        seen.title = dialog->windowTitle();
        seen.filter = dialog->selectedNameFilter();
        seen.filters = dialog->nameFilters();
        auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
        auto* filterBox = dialog->findChild<QComboBox*>("fileTypeCombo");
        seen.name = nameEdit->text();
        english << English(dialog);
        if (name.isNull()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        filterBox->setFocus();
        QTest::keyClick(filterBox, filter == Bitmap ? Qt::Key_Up : Qt::Key_Down);
        // Going to the folder stands for the person's walk there.
        dialog->setDirectory(folder.path());
        // The completion list is a popup window of its own, which the
        // offscreen platform lets take the activation away from the dialog.
        nameEdit->setCompleter(nullptr);
        nameEdit->setFocus();
        QTest::keyClick(nameEdit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(nameEdit, Qt::Key_Delete);
        Type(nameEdit, name);

        WhenModalOpens<QMessageBox>(&session, answerMessage);
        // The dialog enables Save once it has looked at the typed folder.
        auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        QPushButton* save = buttons->button(QDialogButtonBox::Save);
        if (!QTest::qWaitFor([save] { return save->isEnabled(); }))
            qWarning("the save button stayed disabled");
        QTest::mouseClick(save, Qt::LeftButton);
    });
    QTest::mouseClick(form->Command1[2], Qt::LeftButton);
    return seen;
}

void TestCommands::copyReplacesTheClipboardWithThePicture() {
    QApplication::clipboard()->setText("what was there before");
    Type(form->Text2, "Sample");
    QTest::keyClicks(form->Text1, "490123456789");
    QTest::mouseClick(form->Command1[1], Qt::LeftButton);

    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasImage());
    QVERIFY(!data->hasText());
    QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             form->Picture1->Image());
}

void TestCommands::saveWritesTheBitmapUnderTheChosenName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");

    QTest::newRow("ABC gets .bmp") << "ABC" << int(Bitmap) << "ABC.bmp";
    QTest::newRow("abc.bmp unchanged") << "abc.bmp" << int(Bitmap) << "abc.bmp";
    QTest::newRow("ABC.BMP unchanged") << "ABC.BMP" << int(Bitmap) << "ABC.BMP";
    QTest::newRow("abc.Bmp unchanged") << "abc.Bmp" << int(Bitmap) << "abc.Bmp";
    QTest::newRow("abc.png gets .bmp") << "abc.png" << int(Bitmap) << "abc.png.bmp";
    QTest::newRow("one-letter name gets .bmp") << "a" << int(Bitmap) << "a.bmp";
    QTest::newRow("all files: abc stays abc") << "abc" << int(AllFiles) << "abc";
    QTest::newRow("japanese name") << QString::fromUtf16(u"見本 ラベル") << int(Bitmap)
                                   << QString::fromUtf16(u"見本 ラベル.bmp");
}

void TestCommands::saveWritesTheBitmapUnderTheChosenName() {
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    Type(form->Text2, "Sample");
    QTest::keyClicks(form->Text1, "490123456789");

    const DialogSeen seen = Save(typed, Filter(filter));
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QString::fromUtf16(u"ジャンコードの保存"));
    QCOMPARE(seen.name, "Sample");
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});

    // A standard Windows bitmap of the picture, whatever the extension.
    const QString path = folder.filePath(written);
    const QByteArray bytes = Contents(path);
    QVERIFY(bytes.startsWith("BM"));
    const auto dotsPerMetre = [&](int offset) {
        return qFromLittleEndian<qint32>(bytes.constData() + offset);
    };
    QCOMPARE(dotsPerMetre(38), 3780);
    QCOMPARE(dotsPerMetre(42), 3780);
    // Black on white, one bit a pixel.
    QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(1));
    QImageReader reader(path, "bmp");
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(135, 87));
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), form->Picture1->Image());
    QCOMPARE(form->focusWidget(), form->Text2);
}

void TestCommands::cancelWritesNothingAndLeavesTheFocus() {
    const DialogSeen seen = Save(QString(), Bitmap);
    QVERIFY(seen.opened);
    QVERIFY(QDir(folder.path()).isEmpty());
    // The focus stays on the button that was clicked.
    QCOMPARE(form->focusWidget(), form->Command1[2]);
}

void TestCommands::everySaveOpensWithTheBitmapFilter() {
    const DialogSeen first = Save("abc", AllFiles);
    QCOMPARE(first.filters.size(), 2);
    QCOMPARE(first.filter, QString::fromUtf16(u"ビットマップ(*.bmp)"));
    QVERIFY(QFile::exists(folder.filePath("abc")));
    const DialogSeen second = Save(QString(), Bitmap);
    QCOMPARE(second.filter, first.filter);
}

void TestCommands::emptyNameOpensAnEmptyNameField() {
    const DialogSeen seen = Save(QString(), Bitmap);
    QVERIFY(seen.opened);
    QCOMPARE(seen.name, "");
}

void TestCommands::appendedExtensionAsksBeforeReplacing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no keeps the file") << "ABC" << int(QMessageBox::No) << false;
    QTest::newRow("yes replaces it") << "ABC" << int(QMessageBox::Yes) << true;
    QTest::newRow("the dialog asks about ABC.bmp") << "ABC.bmp" << int(QMessageBox::Yes) << true;
}

void TestCommands::appendedExtensionAsksBeforeReplacing() {
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    const QString existing = folder.filePath("ABC.bmp");
    Write(existing, "an older picture");
    QTest::keyClicks(form->Text1, "490123456789");

    const DialogSeen seen = Save(typed, Bitmap, QMessageBox::StandardButton(answer));
    QCOMPARE(seen.messages.size(), 1);
    // The dialog names the file as typed.
    QVERIFY(seen.messages[0].contains(typed == "ABC" ? QDir::toNativeSeparators(existing) : typed));
    QCOMPARE(Contents(existing) == "an older picture", !replaced);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"ABC.bmp"});
    if (replaced)
        QCOMPARE(QImage(existing).convertToFormat(QImage::Format_RGB32), form->Picture1->Image());
}

void TestCommands::failedSaveKeepsTheOldFileAndSaysWhy_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder refuses writing")
        << "read-only folder"
        << QString::fromUtf16(u"このフォルダーまたはファイルに書き込む権限がありません。");
    QTest::newRow("name is a folder")
        << "folder" << QString::fromUtf16(u"同じ名前のフォルダーがあります。");
    QTest::newRow("disk full") << "size limit" << QString::fromUtf16(u"ファイルが大きすぎます。");
    QTest::newRow("name too long once .bmp is added")
        << "long name" << QString::fromUtf16(u"ファイル名が長すぎます。");
}

void TestCommands::failedSaveKeepsTheOldFileAndSaysWhy() {
    QFETCH(QString, how);
    QFETCH(QString, reason);
    QTest::keyClicks(form->Text1, "490123456789");
    const QByteArray old(100, 'x');
    QString typed = "old.bmp";
    QString target = folder.filePath(typed);
    const uid_t nobody = 65534;
    rlimit limit{};

    if (how == "read-only folder") {
        Write(target, old);
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                         QFile::ReadOther | QFile::ExeOther));
        if (geteuid() == 0)
            setfsuid(nobody);  // root writes anywhere; a user without rights does not
    } else if (how == "folder") {
        // "box" under the bitmap filter names the folder "box.bmp".
        typed = "box";
        target = folder.filePath("box.bmp");
        QVERIFY(QDir().mkdir(target));
        Write(target + "/inside", old);
    } else if (how == "long name") {
        typed = QString(252, u'n');  // the file system takes 255 bytes
        target = folder.filePath(typed + ".bmp");
    } else {
        Write(target, old);
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &limit);
        rlimit small = limit;
        small.rlim_cur = 1024;  // the picture takes about 1.8 kB
        setrlimit(RLIMIT_FSIZE, &small);
    }

    const DialogSeen seen = Save(typed, Bitmap, QMessageBox::Yes);

    if (how == "read-only folder") {
        setfsuid(geteuid());
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else if (how == "size limit") {
        setrlimit(RLIMIT_FSIZE, &limit);
    }

    // A question about replacing, then the failure with the file's name.
    QVERIFY2(!seen.messages.isEmpty(), "no message");
    const QString failure = seen.messages.last();
    QVERIFY2(failure.contains(QDir::toNativeSeparators(target)), qPrintable(failure));
    QVERIFY2(failure.contains(QString::fromUtf16(u"保存できませんでした")), qPrintable(failure));
    QVERIFY2(failure.endsWith(u'\n' + reason), qPrintable(failure));
    if (how == "folder") {
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(Contents(target + "/inside"), old);
    } else if (how != "long name") {
        QCOMPARE(Contents(target), old);
    }
    // No temporary file left behind, and the program goes on.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(),
             how == "long name" ? 0 : 1);
    QTest::keyClick(form->Text1, Qt::Key_Backspace);
    QCOMPARE(form->Text1->text(), "49012345678");
}

void TestCommands::dialogRefusesAPathItCannotWrite_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("folder does not exist")
        << "nowhere/abc" << QString::fromUtf16(u"フォルダー「%1」が見つかりません。");
    // 100 characters, but 300 bytes of the 255 a file name may take.
    QTest::newRow("name too long for the file system")
        << QString(100, QChar(u'見')) << QString::fromUtf16(u"ファイル名が長すぎます。");
}

void TestCommands::dialogRefusesAPathItCannotWrite() {
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QTest::keyClicks(form->Text1, "490123456789");
    const DialogSeen seen = Save(typed, Bitmap);
    QCOMPARE(seen.messages.size(), 1);
    QVERIFY2(seen.messages[0].startsWith(
                 refusal.arg(QDir::toNativeSeparators(folder.filePath("nowhere")))),
             qPrintable(seen.messages[0]));
    QVERIFY(seen.stayedOpen);
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestCommands::enlargedViewSpeaksJapanese() {
    QObject session;
    bool opened = false;
    WhenModalOpens<Form2>(&session, [&](Form2* view) {
        opened = true;
        english << English(view);
        view->close();
    });
    QTest::mouseClick(form->Command1[0], Qt::LeftButton);
    QVERIFY(opened);
}

void TestCommands::commonFailuresAreToldInJapanese() {
    const QString shortWrite = QCoreApplication::translate("QIODevice", "Unknown error");
    for (int code : {EACCES, EPERM, ENOSPC, EROFS, ENOENT, EISDIR, ENAMETOOLONG, EFBIG})
        for (const QString& text : {qt_error_string(code), shortWrite}) {
            const QString reason = Module1::FailureReason(text, code);
            QVERIFY2(reason != text && !reason.contains(QRegularExpression("[A-Za-z]")),
                     qPrintable(text));
        }
    // Any other cause keeps the system's own text.
    QCOMPARE(Module1::FailureReason(qt_error_string(EIO), EIO), qt_error_string(EIO));
    QCOMPARE(Module1::FailureReason(shortWrite, EIO), shortWrite);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
