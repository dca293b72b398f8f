#include "sheet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <array>
#include <cerrno>
#include <cmath>

#include "messages.h"
#include "typedcode.h"

namespace pipeline {

namespace {

// Sheet numbers from the label database that LibreOffice ships
// (share/labels/labels.xml, in hundredths of a millimetre), which copies the
// makers' published dimensions: A-one for the Japanese sheets, Avery for the
// 40 and 65 label sheets that A-one does not make in that layout.
std::vector<SheetTemplate> MakeBuiltIns() {
    // name, product, left, top, width, height, pitch x, pitch y, columns, rows
    return {
        {"a4-12", "A-one 28642, 86.4 x 42.3 mm", 18.6, 21.2, 86.4, 42.3, 86.4, 42.3, 2, 6},
        {"a4-18", "A-one 28644, 70 x 42.3 mm", 0.0, 21.2, 70.0, 42.3, 70.0, 42.3, 3, 6},
        {"a4-21", "A-one 28379, 63.5 x 38.1 mm", 7.2, 15.2, 63.5, 38.1, 66.05, 38.1, 3, 7},
        {"a4-24", "A-one 28646, 70 x 33.9 mm", 0.0, 12.7, 70.0, 33.9, 70.0, 33.9, 3, 8},
        {"a4-40", "Avery L7654, 45.7 x 25.4 mm", 9.75, 21.43, 45.72, 25.4, 48.26, 25.4, 4, 10},
        {"a4-44", "A-one 28648, 48.3 x 25.4 mm", 8.4, 8.8, 48.3, 25.4, 48.3, 25.4, 4, 11},
        {"a4-65", "Avery L7651, 38.1 x 21.2 mm", 4.67, 10.9, 38.1, 21.17, 40.64, 21.17, 5, 13},
    };
}

// Far beyond any sheet of paper, and far within what a double holds exactly
// enough for the messages.
constexpr double kMaxLengthMm = 1000;
constexpr int kMaxCount = 999;

// A millimetre as the sheet files write it: a plain decimal number.
std::optional<double> ReadLength(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    if (!number.match(text).hasMatch() || text.toDouble() > kMaxLengthMm)
        return std::nullopt;
    return text.toDouble();
}

std::optional<int> ReadCount(const QString& text) {
    static const QRegularExpression count(QStringLiteral("^[0-9]+$"));
    if (!count.match(text).hasMatch() || text.toDouble() > kMaxCount)
        return std::nullopt;
    return text.toInt();
}

// A text of the file in a message: in quotes, and shown as typed digits are,
// so that bytes of another encoding or control characters do not reach the
// terminal as they are.
QString Quoted(const QString& text) {
    return text.isEmpty() ? QStringLiteral("\"\"") : u'"' + EchoTyped(text) + u'"';
}

// What a stat mode is, for the reason a sheet file is not read.
QString KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return Msg::tr("a folder");
    if (S_ISFIFO(mode))
        return Msg::tr("a fifo");
    if (S_ISSOCK(mode))
        return Msg::tr("a socket");
    return Msg::tr("a device");
}

// The bytes of fd up to one more than kMaxSheetFileBytes; an errno value
// when reading failed.
int ReadUpToLimit(int fd, QByteArray* bytes) {
    bytes->resize(kMaxSheetFileBytes + 1);
    qsizetype size = 0;
    while (size < bytes->size()) {
        const ssize_t read = ::read(fd, bytes->data() + size, size_t(bytes->size() - size));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return errno;
        if (read == 0)
            break;
        size += read;
    }
    bytes->truncate(size);
    return 0;
}

// Whether path names what standard input is (/dev/stdin, /proc/self/fd/0).
bool IsStandardInput(const QByteArray& path) {
    struct stat at, in;
    return stat(path.constData(), &at) == 0 && fstat(STDIN_FILENO, &in) == 0 &&
           at.st_dev == in.st_dev && at.st_ino == in.st_ino;
}

struct Key {
    const char* name;
    double SheetTemplate::*length;
    int SheetTemplate::*count;
};

constexpr std::array<Key, 8> kKeys = {{
    {"columns", nullptr, &SheetTemplate::columns},
    {"rows", nullptr, &SheetTemplate::rows},
    {"label-width", &SheetTemplate::labelWidth, nullptr},
    {"label-height", &SheetTemplate::labelHeight, nullptr},
    {"left", &SheetTemplate::left, nullptr},
    {"top", &SheetTemplate::top, nullptr},
    {"pitch-x", &SheetTemplate::pitchX, nullptr},
    {"pitch-y", &SheetTemplate::pitchY, nullptr},
}};

QString Mm(double value) {
    return QString::number(value, 'f', 2);
}

}  // namespace

QRectF SheetTemplate::LabelRect(int index) const {
    const int column = index % columns;
    const int row = index / columns;
    return {left + column * pitchX, top + row * pitchY, labelWidth, labelHeight};
}

const std::vector<SheetTemplate>& BuiltInSheets() {
    static const std::vector<SheetTemplate> sheets = MakeBuiltIns();
    return sheets;
}

std::optional<SheetTemplate> FindSheet(const QString& name) {
    for (const SheetTemplate& sheet : BuiltInSheets())
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0)
            return sheet;
    return std::nullopt;
}

QString SheetListText() {
    QString text;
    for (const SheetTemplate& sheet : BuiltInSheets())
        text += Msg::tr("%1  %2 labels (%3 x %4), %5")
                    .arg(sheet.name)
                    .arg(sheet.LabelsPerPage(), 2)
                    .arg(sheet.columns)
                    .arg(sheet.rows)
                    .arg(sheet.description) +
                u'\n';
    return text;
}

QString SheetProblem(const SheetTemplate& sheet) {
    if (sheet.columns < 1 || sheet.rows < 1)
        return Msg::tr("columns and rows must be at least 1");
    if (sheet.labelWidth <= 0 || sheet.labelHeight <= 0)
        return Msg::tr("the label's width and height must be more than 0 mm");
    if (sheet.columns > 1 && sheet.pitchX < sheet.labelWidth)
        return Msg::tr("pitch-x %1 mm is less than the label's width %2 mm: the labels overlap")
            .arg(Mm(sheet.pitchX), Mm(sheet.labelWidth));
    if (sheet.rows > 1 && sheet.pitchY < sheet.labelHeight)
        return Msg::tr("pitch-y %1 mm is less than the label's height %2 mm: the labels overlap")
            .arg(Mm(sheet.pitchY), Mm(sheet.labelHeight));
    const QRectF last = sheet.LabelRect(sheet.LabelsPerPage() - 1);
    // A hundredth of a millimetre for the rounding of published numbers.
    constexpr double kSlack = 0.01;
    if (last.right() > kA4Width + kSlack)
        return Msg::tr("the labels reach %1 mm from the left, beyond the page's width of 210 mm")
            .arg(Mm(last.right()));
    if (last.bottom() > kA4Height + kSlack)
        return Msg::tr("the labels reach %1 mm from the top, beyond the page's height of 297 mm")
            .arg(Mm(last.bottom()));
    return {};
}

SheetFile ParseSheetText(const QString& text, const QString& name) {
    SheetTemplate sheet;
    sheet.name = name;
    sheet.description = Msg::tr("from %1").arg(name);
    std::array<bool, kKeys.size()> seen{};
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].section(u'#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const auto fail = [&](const QString& reason) {
            return SheetFile{std::nullopt, QStringLiteral("%1: %2").arg(i + 1).arg(reason),
                             int(i + 1)};
        };
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return fail(Msg::tr("not of the form key = value"));
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        const auto known = std::find_if(kKeys.begin(), kKeys.end(), [&](const Key& k) {
            return key == QLatin1StringView(k.name);
        });
        if (known == kKeys.end())
            return fail(Msg::tr("unknown key %1").arg(Quoted(key)));
        const size_t k = known - kKeys.begin();
        if (seen[k])
            return fail(Msg::tr("%1 is given twice").arg(key));
        seen[k] = true;
        if (known->count) {
            const std::optional<int> count = ReadCount(value);
            if (!count)
                return fail(Msg::tr("%1 must be a whole number from 1 to %2, not %3")
                                .arg(key)
                                .arg(kMaxCount)
                                .arg(Quoted(value)));
            sheet.*(known->count) = *count;
        } else {
            const std::optional<double> length = ReadLength(value);
            if (!length)
                return fail(Msg::tr("%1 must be a length in millimetres such as 12.5, at "
                                    "most %2, not %3")
                                .arg(key)
                                .arg(kMaxLengthMm)
                                .arg(Quoted(value)));
            sheet.*(known->length) = *length;
        }
    }
    for (size_t k = 0; k < kKeys.size(); ++k)
        if (!seen[k])
            return {std::nullopt, Msg::tr("%1 is missing").arg(QLatin1StringView(kKeys[k].name))};
    if (const QString problem = SheetProblem(sheet); !problem.isEmpty())
        return {std::nullopt, problem};
    return {sheet, {}};
}

SheetFile ReadSheetFile(const QString& path) {
    const auto refuse = [&](const QString& reason) {
        return SheetFile{std::nullopt,
                         Msg::tr("cannot read the sheet file %1: %2").arg(path, reason)};
    };
    const QByteArray native = QFile::encodeName(path);
    const bool fromStdin = path == u"-" || IsStandardInput(native);
    // Not blocking: a fifo without a writer would otherwise hold the open for ever.
    const int fd =
        fromStdin ? STDIN_FILENO : open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(qt_error_string(errno));
    struct stat status;
    if (!fromStdin && fstat(fd, &status) == 0 && !S_ISREG(status.st_mode)) {
        close(fd);
        return refuse(
            Msg::tr("it is %1; a sheet file is a small text file").arg(KindOf(status.st_mode)));
    }
    QByteArray bytes;
    const int err = ReadUpToLimit(fd, &bytes);
    if (!fromStdin)
        close(fd);
    if (err != 0)
        return refuse(qt_error_string(err));
    if (bytes.size() > kMaxSheetFileBytes)
        return refuse(Msg::tr("it is longer than %1 KiB; a sheet file holds a few lines")
                          .arg(kMaxSheetFileBytes / 1024));
    if (bytes.contains('\0'))
        return refuse(Msg::tr("it holds zero bytes, as UTF-16 does; save it as UTF-8 text"));
    const QString name = fromStdin ? Msg::tr("(standard input)") : path;
    SheetFile read = ParseSheetText(QString::fromUtf8(bytes), name);
    if (!read.sheet)
        read.error = (read.line > 0 ? QStringLiteral("%1:%2") : QStringLiteral("%1: %2"))
                         .arg(name, read.error);
    return read;
}

LabelSlot SlotOf(const SheetTemplate& sheet, int skip, int n) {
    const int place = skip + n;
    return {place / sheet.LabelsPerPage(), place % sheet.LabelsPerPage()};
}

}  // namespace pipeline
