#pragma once

// A batch's progress as one line on standard error, redrawn in place, and
// its messages above it. The line is drawn only when standard error is a
// terminal: in a log or a pipe, only the messages appear.

#include <QElapsedTimer>
#include <QString>

namespace render {

class Progress {
public:
    // totalBytes: the size of the list, or 0 when it is not known (a pipe).
    explicit Progress(qint64 totalBytes);

    // How far the batch has come; redraws at most a few times a second.
    void Update(qint64 bytesRead, int written, int failed);

    // A message of its own on standard error, above the progress line.
    void Message(const QString& text);

    // Draws the final state and ends the line.
    void Finish(qint64 bytesRead, int written, int failed);

private:
    void Draw(qint64 bytesRead, int written, int failed);
    void Clear();

    bool shown_;
    bool drawn_ = false;
    qint64 totalBytes_;
    QElapsedTimer sinceDrawn_;
};

}  // namespace render
