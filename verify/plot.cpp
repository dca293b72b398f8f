#include "plot.h"

#include <QPainter>
#include <QPainterPath>

#include "messages.h"
#include "pipeline/language.h"
#include "verify.h"

namespace verify {

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 640;
constexpr QRectF kArea(60, 70, kWidth - 80, 380);  // the profile's box

void Level(QPainter& p, double y, const QColor& colour, const QString& label) {
    p.setPen(QPen(colour, 1.5, Qt::DashLine));
    p.drawLine(QPointF(kArea.left(), y), QPointF(kArea.right(), y));
    p.drawText(QPointF(kArea.right() - 190, y - 4), label);
}

}  // namespace

QImage DrawPlot(const Verification& v) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(15);
    // Japanese labels in the Gothic the programs draw Japanese in, whatever
    // fontconfig would pick for the locale.
    if (pipeline::SpeaksJapanese())
        font.setFamilies({QStringLiteral("IPAGothic")});
    p.setFont(font);

    const Profile& profile = v.middle;
    const ProfileGrade& g = v.lines[v.MiddleLine()];
    const double s0 = profile.S(0), s1 = profile.S(profile.r.size() - 1);
    auto x = [&](double s) { return kArea.left() + (s - s0) / (s1 - s0) * kArea.width(); };
    auto y = [&](double r) { return kArea.bottom() - r * kArea.height(); };

    const Frame& f = v.found.frame;
    p.setPen(Qt::black);
    p.drawText(QPointF(kArea.left(), 28),
               Msg::tr("%1  grade %2 (%3)   scan line %4 of %5: reflectance through a "
                       "%6 mm aperture")
                   .arg(f.code, v.GradeText(), QString(GradeLetter(v.grade)))
                   .arg(v.MiddleLine() + 1)
                   .arg(kScanLines)
                   .arg(kApertureMm));
    p.setPen(QPen(Qt::gray, 1));
    p.drawRect(kArea);
    for (int r = 0; r <= 100; r += 20) {
        p.drawText(QPointF(8, y(r / 100.0) + 5), QStringLiteral("%1%").arg(r));
        p.drawLine(QPointF(kArea.left() - 4, y(r / 100.0)), QPointF(kArea.left(), y(r / 100.0)));
    }

    // Edges, and each element's width in modules under the profile.
    for (qsizetype i = 0; i < g.elements.size(); ++i) {
        const Element& e = g.elements[i];
        if (i > 0) {
            p.setPen(QPen(QColor(170, 170, 220), 1));
            p.drawLine(QPointF(x(e.start), kArea.top()), QPointF(x(e.start), kArea.bottom()));
        }
        if (g.module > 0) {
            p.setPen(e.bar ? Qt::black : Qt::darkGray);
            const double middle = x((e.start + e.end) / 2);
            const double row = kArea.bottom() + 20 + (i % 3) * 18;
            p.drawText(QRectF(middle - 30, row - 14, 60, 18), Qt::AlignCenter,
                       QString::number((e.end - e.start) / g.module, 'f', 2));
        }
    }
    Level(p, y(g.rmax), QColor(0, 140, 0), QStringLiteral("Rmax %1%").arg(100 * g.rmax, 0, 'f', 0));
    Level(p, y(g.rmin), QColor(200, 0, 0), QStringLiteral("Rmin %1%").arg(100 * g.rmin, 0, 'f', 0));
    Level(p, y(g.threshold), QColor(0, 0, 200),
          Msg::tr("threshold %1%").arg(100 * g.threshold, 0, 'f', 0));

    QPainterPath path;
    for (qsizetype i = 0; i < profile.r.size(); ++i) {
        const QPointF point(x(profile.S(i)), y(profile.r[i]));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawPath(path);

    p.setPen(Qt::black);
    p.drawText(QPointF(kArea.left(), kArea.bottom() + 90),
               Msg::tr("element widths in modules (X = %1 mm); edges where the profile "
                       "crosses the threshold")
                   .arg(v.printer.moduleMm, 0, 'f', 3));
    QString grades = Msg::tr("grades of the %1 scan lines:").arg(kScanLines);
    for (int i = 0; i < v.lines.size(); ++i)
        grades += QStringLiteral("   %1 %2").arg(i + 1).arg(GradeLetter(v.lines[i].grade));
    p.drawText(QPointF(kArea.left(), kArea.bottom() + 120), grades);
    p.drawText(QPointF(kArea.left(), kArea.bottom() + 150),
               Msg::tr("SC %1%  ECmin %2%  MOD %3  defects %4  decodability %5")
                   .arg(100 * g.sc, 0, 'f', 0)
                   .arg(100 * g.ecmin, 0, 'f', 0)
                   .arg(g.mod, 0, 'f', 2)
                   .arg(g.defects, 0, 'f', 2)
                   .arg(g.first >= 0 ? g.decoded.decodability : 0.0, 0, 'f', 2));
    return image;
}

}  // namespace verify
