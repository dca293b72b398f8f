#include "progress.h"

#include "messages.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace render {

namespace {

constexpr int kBarWidth = 30;
constexpr qint64 kRedrawMs = 100;

}  // namespace

Progress::Progress(qint64 totalBytes)
    : shown_(isatty(STDERR_FILENO) == 1), totalBytes_(totalBytes) {
    sinceDrawn_.start();
}

void Progress::Update(qint64 bytesRead, int written, int failed) {
    if (!shown_ || (drawn_ && sinceDrawn_.elapsed() < kRedrawMs))
        return;
    Draw(bytesRead, written, failed);
}

void Progress::Message(const QString& text) {
    Clear();
    std::fputs(text.toUtf8().append('\n').constData(), stderr);
}

void Progress::Finish(qint64 bytesRead, int written, int failed) {
    if (!shown_)
        return;
    Draw(bytesRead, written, failed);
    std::fputc('\n', stderr);
    drawn_ = false;
}

void Progress::Draw(qint64 bytesRead, int written, int failed) {
    QString line = QStringLiteral("\r");
    if (totalBytes_ > 0) {
        const qint64 percent = std::min<qint64>(100, bytesRead * 100 / totalBytes_);
        const int filled = int(percent * kBarWidth / 100);
        line += u'[' + QString(filled, u'#') + QString(kBarWidth - filled, u'.') +
                QStringLiteral("] %1% ").arg(percent, 3);
    }
    line += failed > 0 ? Msg::tr("%1 written, %2 failed").arg(written).arg(failed)
                       : Msg::tr("%1 written").arg(written);
    line += QStringLiteral("\x1b[K");  // erase what a longer line left
    std::fputs(line.toUtf8().constData(), stderr);
    std::fflush(stderr);
    drawn_ = true;
    sinceDrawn_.restart();
}

void Progress::Clear() {
    if (drawn_)
        std::fputs("\r\x1b[K", stderr);
    drawn_ = false;
}

}  // namespace render
