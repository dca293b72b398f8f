#include "printserver.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cctype>

#include "readers.h"

namespace printtest {

namespace {

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString ServerError(const Ran& run) {
    return run.exitCode == -1 && run.all().isEmpty() ? QStringLiteral("did not start or end")
                                                     : (run.err + run.out).trimmed();
}

}  // namespace

const QList<Queue>& Queues() {
    static const QList<Queue> queues = {
        {QStringLiteral("zpl"), Queue::Language::Zpl, 203},
        {QStringLiteral("dymo"), Queue::Language::Dymo, 300},
        {QStringLiteral("pdf"), Queue::Language::Pdf, 600},
    };
    return queues;
}

PrintServer::PrintServer(Queues queues) {
    if (!dir_.isValid())
        error_ = QStringLiteral("no temporary folder: %1").arg(dir_.errorString());
    else if (Start() && queues == Queues::Stock)
        AddQueues();
}

PrintServer::~PrintServer() {
    Stop();
}

QString PrintServer::Socket() const {
    return dir_.filePath(QStringLiteral("cups.sock"));
}

QStringList PrintServer::Environment() const {
    // Qt's print support asks the server; a user's lpoptions must not count.
    return {"CUPS_SERVER=" + Socket(), "HOME=" + dir_.path()};
}

Ran PrintServer::Command(const QString& program, const QStringList& arguments) const {
    return RunProgram(program, arguments, {},
                      {.environment = Environment(), .timeoutSeconds = 300});
}

// Everything the scheduler keeps lies in the folder; it listens on the
// folder's socket only. Run as root (a CI machine), it runs the drivers as
// lp, who must reach the spool; run as a user, it runs them as that user.
bool PrintServer::Start() {
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (cupsd.isEmpty()) {
        error_ = QStringLiteral("cupsd is missing: install cups (scripts/install-deps.sh)");
        return false;
    }
    const QDir dir(dir_.path());
    for (const char* sub : {"spool", "cache", "state", "tmp", "log", "out", "ppd"})
        dir.mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
    // The drivers keep their temporary files there, as whichever user.
    ::chmod(QFile::encodeName(dir.filePath(QStringLiteral("tmp"))).constData(), 01777);
    const QByteArray root = dir_.path().toUtf8();
    QByteArray files = "ServerRoot " + root + "\nRequestRoot " + root + "/spool\nCacheDir " + root +
                       "/cache\nStateDir " + root + "/state\nTempDir " + root + "/tmp\nErrorLog " +
                       root + "/log/error_log\nAccessLog " + root + "/log/access_log\nPageLog " +
                       root + "/log/page_log\nFileDevice Yes\nSandboxing Relaxed\n";
    if (geteuid() != 0)
        files += "SystemGroup " + QFileInfo(dir_.path()).group().toUtf8() + "\n";
    const QByteArray conf = "Listen " + Socket().toUtf8() +
                            "\nBrowsing No\nWebInterface No\nLogLevel debug\n"
                            "DefaultAuthType None\nErrorPolicy abort-job\nJobRetryLimit 0\n"
                            "MaxJobs 0\nPreserveJobHistory No\n"
                            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                            "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n";
    if (!Write(dir.filePath(QStringLiteral("cups-files.conf")), files) ||
        !Write(dir.filePath(QStringLiteral("cupsd.conf")), conf)) {
        error_ = QStringLiteral("cannot write the scheduler's configuration");
        return false;
    }
    // The kernel stops the scheduler when the test dies, whatever kills it.
    cupsd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.setStandardOutputFile(dir.filePath(QStringLiteral("log/cupsd.out")));
    cupsd_.start(cupsd, {"-f", "-c", dir.filePath(QStringLiteral("cupsd.conf")), "-s",
                         dir.filePath(QStringLiteral("cups-files.conf"))});
    if (!cupsd_.waitForStarted(10000)) {
        error_ = QStringLiteral("cupsd did not start: %1").arg(cupsd_.errorString());
        return false;
    }
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && cupsd_.state() == QProcess::Running) {
        if (QFileInfo::exists(Socket()) &&
            Command(QStringLiteral("lpstat"), {"-r"}).out.contains("is running"))
            return true;
        QThread::msleep(100);
    }
    error_ = QStringLiteral("cupsd did not come up: %1").arg(QString::fromUtf8([&] {
        QFile log(dir.filePath(QStringLiteral("log/cupsd.out")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }()));
    return false;
}

// The stock drivers: CUPS's sample ZPL label printer at its 203 dpi, its
// Dymo sample at 300 dpi, and cups-filters' PDF printer, which passes the
// job on as PDF. The ZPL queue is the default printer.
bool PrintServer::AddQueues() {
    const QString out = QDir(dir_.path()).filePath(QStringLiteral("out"));
    const struct {
        QString name, model;
        QStringList options;
    } queues[] = {
        {QStringLiteral("zpl"), QStringLiteral("drv:///sample.drv/zebra.ppd"), {}},
        {QStringLiteral("dymo"),
         QStringLiteral("drv:///sample.drv/dymo.ppd"),
         {"-o", "Resolution=300dpi"}},
        {QStringLiteral("pdf"),
         QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd"),
         {}},
    };
    for (const auto& q : queues) {
        const Ran run = Command(
            QStringLiteral("lpadmin"),
            QStringList{"-p", q.name, "-E", "-v", "file://" + out + "/" + q.name, "-m", q.model} +
                q.options);
        if (run.exitCode != 0) {
            error_ = QStringLiteral("lpadmin %1: %2").arg(q.name, ServerError(run));
            return false;
        }
    }
    const Ran run = Command(QStringLiteral("lpadmin"), {"-d", "zpl"});
    if (run.exitCode != 0)
        error_ = QStringLiteral("lpadmin -d: %1").arg(ServerError(run));
    return run.exitCode == 0;
}

// The first queue's driver made once, the others given its PPD: a tenth
// of a second each.
QString PrintServer::AddLabelQueues(const QString& prefix, int count) {
    const QString out = QDir(dir_.path()).filePath(QStringLiteral("out/"));
    for (int i = 1; i <= count; ++i) {
        const QString name = prefix + QString::number(i);
        const QStringList driver =
            i == 1 ? QStringList{"-m", "drv:///sample.drv/zebra.ppd"}
                   : QStringList{"-P", QDir(dir_.path()).filePath("ppd/" + prefix + "1.ppd")};
        const Ran run =
            Command(QStringLiteral("lpadmin"),
                    QStringList{"-p", name, "-E", "-v", "file://" + out + name} + driver);
        if (run.exitCode != 0)
            return QStringLiteral("lpadmin %1: %2").arg(name, ServerError(run));
    }
    return QString();
}

QString PrintServer::AddLabelQueue(const QString& name, int dpi) {
    const QString out = QDir(dir_.path()).filePath(QStringLiteral("out/"));
    const Ran run =
        Command(QStringLiteral("lpadmin"),
                {"-p", name, "-E", "-v", "file://" + out + name, "-m",
                 "drv:///sample.drv/zebra.ppd", "-o", QStringLiteral("Resolution=%1dpi").arg(dpi)});
    return run.exitCode == 0 ? QString()
                             : QStringLiteral("lpadmin %1: %2").arg(name, ServerError(run));
}

QByteArray PrintServer::TakeOutput(const QString& queue, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    bool idle = false;
    while (!deadline.hasExpired()) {
        const Ran run = Command(QStringLiteral("lpstat"), {"-o", queue});
        if (run.exitCode == 0 && run.out.trimmed().isEmpty()) {
            idle = true;
            break;
        }
        QThread::msleep(200);
    }
    const QString path = QDir(dir_.path()).filePath(QStringLiteral("out/") + queue);
    QFile file(path);
    if (!idle || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    QFile::remove(path);
    return bytes;
}

void PrintServer::Stop() {
    if (cupsd_.state() == QProcess::NotRunning)
        return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(15000)) {
        cupsd_.kill();
        cupsd_.waitForFinished();
    }
}

namespace {

// One row of ZPL's compressed hexadecimal at a time: G to Y repeat the next
// digit 1 to 19 times, g to z 20 to 400 times (and add up), a comma fills
// the row with zeros, a colon repeats the row before.
QList<QByteArray> ZplRows(const QByteArray& data, int bytesPerRow, QString* error) {
    QList<QByteArray> rows;
    QByteArray hex;
    const int digits = 2 * bytesPerRow;
    int repeat = 0;
    const auto finish = [&] {
        rows.append(QByteArray::fromHex(hex));
        hex.clear();
    };
    for (const char c : data) {
        if (c >= 'G' && c <= 'Y') {
            repeat += c - 'F';
        } else if (c >= 'g' && c <= 'z') {
            repeat += (c - 'f') * 20;
        } else if (std::isxdigit(static_cast<unsigned char>(c))) {
            hex.append(QByteArray(std::max(repeat, 1), c));
            repeat = 0;
            if (hex.size() > digits) {
                *error = QStringLiteral("a row of %1 digits runs past its %2")
                             .arg(hex.size())
                             .arg(digits);
                return {};
            }
            if (hex.size() == digits)
                finish();
        } else if (c == ',') {
            hex.append(QByteArray(digits - hex.size(), '0'));
            finish();
        } else if (c == ':') {
            if (rows.isEmpty() || !hex.isEmpty()) {
                *error = QStringLiteral("a repeated row with no row before it");
                return {};
            }
            rows.append(rows.last());
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            *error = QStringLiteral("the graphic holds '%1', which this reader does not know")
                         .arg(QChar::fromLatin1(c));
            return {};
        }
    }
    if (!hex.isEmpty())
        *error = QStringLiteral("the graphic ends within a row");
    return rows;
}

QImage FromRows(const QList<QByteArray>& rows, int bytesPerRow) {
    QImage image(bytesPerRow * 8, int(rows.size()), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = (uchar(rows[y][x / 8]) >> (7 - x % 8)) & 1 ? 0 : 255;
    }
    return image;
}

}  // namespace

// Each label is a graphic stored with ~DG (name, total bytes, bytes per row,
// then the rows) and recalled with ^XG between ^XA and ^XZ.
QList<QImage> DecodeZpl(const QByteArray& output, QString* error) {
    QList<QImage> labels;
    for (qsizetype at = output.indexOf("~DG"); at >= 0; at = output.indexOf("~DG", at + 1)) {
        const qsizetype dataStart = [&] {
            qsizetype commas = 0, i = at;
            for (; i < output.size() && commas < 3; ++i)
                commas += output[i] == ',';
            return i;
        }();
        const QList<QByteArray> header = output.mid(at + 3, dataStart - at - 4).split(',');
        const qsizetype end = output.indexOf('^', dataStart);
        bool totalOk = false, rowOk = false;
        const int total = header.value(1).toInt(&totalOk);
        const int perRow = header.value(2).toInt(&rowOk);
        if (header.size() != 3 || !totalOk || !rowOk || perRow <= 0 || total % perRow != 0) {
            *error = QStringLiteral("a ~DG header that does not read: %1")
                         .arg(QString::fromLatin1(output.mid(at, 40)));
            return {};
        }
        const QList<QByteArray> rows =
            ZplRows(output.mid(dataStart, end < 0 ? -1 : end - dataStart), perRow, error);
        if (!error->isEmpty())
            return {};
        if (rows.size() != total / perRow) {
            *error = QStringLiteral("the graphic has %1 rows; its header says %2")
                         .arg(rows.size())
                         .arg(total / perRow);
            return {};
        }
        labels.append(FromRows(rows, perRow));
    }
    if (labels.isEmpty())
        *error = QStringLiteral("no graphic (~DG) in %1 bytes of output").arg(output.size());
    return labels;
}

// ESC D sets the bytes of a row, SYN sends one row, ESC f 1 n feeds n blank
// rows, ESC L gives the label's length in rows, ESC E ends a label (the
// blank rows after its last dot are fed, never sent: they are white on the
// picture); the rest set the printer up.
QList<QImage> DecodeDymo(const QByteArray& output, QString* error) {
    QList<QImage> labels;
    QList<QByteArray> rows;
    int perRow = 0;
    int length = 0;
    const auto endLabel = [&] {
        if (rows.isEmpty())
            return;
        while (rows.size() < length)
            rows.append(QByteArray(perRow, 0));
        labels.append(FromRows(rows, perRow));
        rows.clear();
    };
    for (qsizetype i = 0; i < output.size();) {
        const char c = output[i];
        if (c == 0x16) {
            if (perRow == 0 || i + 1 + perRow > output.size()) {
                *error = QStringLiteral("a row before its width, or cut short, at byte %1").arg(i);
                return {};
            }
            rows.append(output.mid(i + 1, perRow));
            i += 1 + perRow;
            continue;
        }
        if (c != 0x1b || i + 1 >= output.size()) {
            *error = QStringLiteral("byte %1 at %2 is no command").arg(int(uchar(c))).arg(i);
            return {};
        }
        const char command = output[i + 1];
        int arguments = 0;
        switch (command) {
            case 0x1b:  // the reset's run of escapes
                i += 1;
                continue;
            case '@':
            case 'e':
            case 'g':
            case 'h':
            case 'i':
                break;
            case 'B':
            case 'q':
                arguments = 1;
                break;
            case 'D':
                perRow = i + 2 < output.size() ? uchar(output[i + 2]) : 0;
                arguments = 1;
                break;
            case 'L':
                length =
                    i + 3 < output.size() ? uchar(output[i + 2]) * 256 + uchar(output[i + 3]) : 0;
                arguments = 2;
                break;
            case 'f':
                if (i + 3 < output.size())
                    rows.append(QList<QByteArray>(uchar(output[i + 3]), QByteArray(perRow, 0)));
                arguments = 2;
                break;
            case 'E':
            case 'G':
                endLabel();
                break;
            default:
                *error = QStringLiteral("ESC %1 at byte %2 is a command this reader does not know")
                             .arg(QChar::fromLatin1(command))
                             .arg(i);
                return {};
        }
        i += 2 + arguments;
    }
    endLabel();
    if (labels.isEmpty())
        *error = QStringLiteral("no label in %1 bytes of output").arg(output.size());
    return labels;
}

QList<QImage> Pages(const Queue& queue, const QByteArray& output, QString* error) {
    switch (queue.language) {
        case Queue::Language::Zpl:
            return DecodeZpl(output, error);
        case Queue::Language::Dymo:
            return DecodeDymo(output, error);
        case Queue::Language::Pdf:
            break;
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    if (!Write(pdf, output)) {
        *error = QStringLiteral("cannot keep the PDF");
        return {};
    }
    const Ran pdftoppm =
        RunProgram(QStringLiteral("pdftoppm"),
                   {"-r", QString::number(queue.dpi), "-gray", "-aa", "no", "-aaVector", "no",
                    "-png", pdf, dir.filePath(QStringLiteral("page"))},
                   {}, {.timeoutSeconds = 300});
    // A page of A4 at 600 dpi is larger than Qt reads by default.
    QImageReader::setAllocationLimit(1024);
    QList<QImage> pages;
    for (const QString& file :
         QDir(dir.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name))
        pages.append(QImage(dir.filePath(file)).convertToFormat(QImage::Format_Grayscale8));
    if (pages.isEmpty())
        *error = QStringLiteral("pdftoppm found no page in %1 bytes: %2")
                     .arg(output.size())
                     .arg(pdftoppm.err);
    return pages;
}

namespace {

bool Black(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The runs of one row, from its first black dot to its last, alternately
// black and white.
QList<int> Runs(const QImage& image, int y, int* first) {
    QList<int> runs;
    *first = -1;
    for (int x = 0; x < image.width(); ++x) {
        const bool black = Black(image, x, y);
        if (*first < 0) {
            if (black) {
                *first = x;
                runs.append(1);
            }
            continue;
        }
        if (black == (runs.size() % 2 == 1))
            ++runs.last();
        else
            runs.append(1);
    }
    if (runs.size() % 2 == 0 && !runs.isEmpty())
        runs.removeLast();  // the white after the last black dot
    return runs;
}

}  // namespace

// The bar row is the one that crosses an EAN-13's 30 bars and 29 spaces
// (the digits below and the name above cross fewer); the measures are read
// from the picture alone, not from how it was drawn.
// A symbol turned a quarter (a driver that turns the page to fit its media)
// is measured turned back.
Measured Measure(const QImage& picture, const QString& scratchFolder) {
    Measured m;
    QImage image = picture.convertToFormat(QImage::Format_Grayscale8);
    int barRow = -1, first = -1;
    QList<int> runs;
    for (int turn = 0; turn < 2 && barRow < 0; ++turn) {
        if (turn == 1)
            image = image.transformed(QTransform().rotate(90));
        for (int y = 0; y < image.height() && barRow < 0; ++y) {
            runs = Runs(image, y, &first);
            if (runs.size() == 59)
                barRow = y;
        }
    }
    const QString file = QDir(scratchFolder).filePath(QStringLiteral("measured.png"));
    image.save(file);
    m.zxing = ZXingReport(file, {"-format", "EAN-13", "-bytes"}).trimmed();
    m.zbar = ZbarReport(file).trimmed();
    if (barRow < 0)
        return m;
    m.found = true;
    QStringList widths;
    for (int run : runs) {
        m.width += run;
        widths.append(QString::number(run));
    }
    m.runs = widths.join(u' ');
    m.module = m.width % 95 == 0 ? m.width / 95 : 0;
    m.narrowBar = m.narrowSpace = m.width;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        int& narrow = i % 2 == 0 ? m.narrowBar : m.narrowSpace;
        narrow = std::min(narrow, runs[i]);
    }
    m.wholeDots = m.module > 0 && std::all_of(runs.begin(), runs.end(), [&](int run) {
                      return run % m.module == 0 && run / m.module >= 1 && run / m.module <= 4;
                  });
    // A data bar of the left half: the fourth bar (guards are the first two).
    int x = first;
    for (int i = 0; i < 6; ++i)
        x += runs[i];
    const int column = x + runs[6] / 2;
    int top = barRow, bottom = barRow;
    while (top > 0 && Black(image, column, top - 1))
        --top;
    while (bottom + 1 < image.height() && Black(image, column, bottom + 1))
        ++bottom;
    m.barHeight = bottom - top + 1;
    // White on either side, over every row of that bar.
    const int last = first + m.width - 1;
    m.leftQuiet = first;
    m.rightQuiet = image.width() - 1 - last;
    for (int y = top; y <= bottom; ++y) {
        for (int x = first - 1; x >= first - m.leftQuiet; --x)
            if (Black(image, x, y)) {
                m.leftQuiet = first - 1 - x;
                break;
            }
        for (int x = last + 1; x <= last + m.rightQuiet; ++x)
            if (Black(image, x, y)) {
                m.rightQuiet = x - last - 1;
                break;
            }
    }
    return m;
}

int NominalDots(int dpi) {
    return qRound(0.33 * dpi / 25.4);
}

QString LabelProblem(const QImage& label, const QString& code, int dots,
                     const QString& scratchFolder) {
    const Measured m = Measure(label, scratchFolder);
    QStringList problems;
    if (!m.found)
        problems.append(QStringLiteral("no row crosses 59 bars and spaces"));
    else if (!m.wholeDots || m.module != dots)
        problems.append(QStringLiteral("not %1 dots a module").arg(dots));
    if (m.zxing != code || m.zbar != code)
        problems.append(QStringLiteral("read as '%1' and '%2'").arg(m.zxing, m.zbar));
    if (m.found && std::abs(m.barHeight - 22.85 / 0.33 * dots) > 1.5)
        problems.append(QStringLiteral("bars %1 dots tall").arg(m.barHeight));
    if (m.found && (m.leftQuiet < 11 * dots || m.rightQuiet < 7 * dots))
        problems.append(
            QStringLiteral("quiet zones of %1 and %2 dots").arg(m.leftQuiet).arg(m.rightQuiet));
    if (!problems.isEmpty())
        problems.append(QStringLiteral("runs %1").arg(m.runs));
    return problems.join(QStringLiteral("; "));
}

}  // namespace printtest
