// Build-time tool: a PNG icon as the raw pixels the window reads at start:
// its width and height, then its ARGB32 pixels row by row, each a 32-bit
// little-endian number. Read as a PNG, the icon would make Qt look through
// every image format plugin of the system before the window is mapped.
//
//   stripewell_rawicon IN.png OUT.argb

#include <QImage>
#include <QSaveFile>
#include <QtEndian>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: stripewell_rawicon IN.png OUT.argb\n");
        return 2;
    }
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1]), "png").convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "stripewell_rawicon: %s is not a PNG picture\n", argv[1]);
        return 1;
    }
    QByteArray bytes;
    auto add = [&bytes](quint32 value) {
        const quint32 little = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
    };
    add(quint32(image.width()));
    add(quint32(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            add(image.pixel(x, y));
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "stripewell_rawicon: cannot write %s: %s\n", argv[2],
                     qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
