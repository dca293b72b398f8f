// stripewell-render's side of printing: it hands the whole command line to
// stripewell-render-print, which prints (see printjob.h).

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "messages.h"
#include "printjob.h"
#include "report.h"

namespace render {

namespace {

// Where stripewell-render-print is: beside this program in the build tree,
// in the package's folder of helper programs once installed. Relative to this
// program's own folder, so that an installation under any prefix finds its
// own helper and never another's.
QString HelperPath(QStringList* looked) {
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& path : {folder + QStringLiteral("/" STRIPEWELL_PRINT_HELPER),
                                folder + QStringLiteral("/stripewell-render-print")}) {
        const QString clean = QFileInfo(path).absoluteFilePath();
        if (QFileInfo(clean).isFile())
            return clean;
        looked->append(clean);
    }
    return QString();
}

void Refuse(const QString& reason) {
    Report(Msg::tr("%1; nothing printed").arg(reason));
}

}  // namespace

ExitStatus RunPrinting(const ParsedCommandLine&, char** commandLine) {
    QStringList looked;
    const QString helper = HelperPath(&looked);
    if (helper.isEmpty()) {
        Refuse(Msg::tr("printing needs stripewell-render-print, which is at neither %1 nor %2; "
                       "install Stripewell again")
                   .arg(looked.value(0), looked.value(1)));
        return kExitUsage;
    }
    // Nothing is read from the list before this, so a list on standard
    // input reaches the helper whole; what was written goes out first.
    std::fflush(nullptr);
    const QByteArray path = QFile::encodeName(helper);
    execv(path.constData(), commandLine);
    Refuse(Msg::tr("cannot run %1: %2").arg(helper, QString::fromLocal8Bit(std::strerror(errno))));
    return kExitUsage;
}

}  // namespace render
