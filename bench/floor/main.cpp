// The floor for start-up comparisons: the main window's controls at the same
// geometry with the same texts, and nothing else. No icon, no fonts chosen,
// no canvas, no signal connected. bench/startup.sh starts this and the real
// program in turns; what the real program costs above this is its own.

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Stripewell floor"));
    window.setFixedSize(245, 191);

    auto label = [&window](const QString& caption, const QRect& geometry) {
        auto* label = new QLabel(caption, &window);
        label->setGeometry(geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    label(QString::fromUtf16(u"コード"), QRect(8, 32, 41, 13));
    label(QString::fromUtf16(u"名称"), QRect(8, 12, 33, 13));
    label(QStringLiteral("Checkdigit"), QRect(144, 32, 61, 13));

    (new QLineEdit(&window))->setGeometry(44, 8, 189, 18);
    (new QLineEdit(&window))->setGeometry(44, 28, 85, 18);
    (new QLineEdit(&window))->setGeometry(212, 28, 21, 18);

    auto* automatic =
        new QCheckBox(QString::fromUtf16(u"チェックディジットを自動的に付加"), &window);
    automatic->setGeometry(8, 52, 193, 17);
    automatic->setChecked(true);
    (new QCheckBox(QString::fromUtf16(u"最前面に配置"), &window))->setGeometry(8, 72, 197, 17);

    const char* const captions[] = {"Zoom", "Copy", "Save"};
    for (int index = 0; index < 3; ++index)
        (new QPushButton(QString::fromLatin1(captions[index]), &window))
            ->setGeometry(148, 108 + 24 * index, 89, 25);

    auto* picture = new QFrame(&window);
    picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    picture->setGeometry(8, 92, 137, 89);
    QPalette white = picture->palette();
    white.setColor(QPalette::Window, Qt::white);
    picture->setPalette(white);
    picture->setAutoFillBackground(true);

    window.show();
    return app.exec();
}
