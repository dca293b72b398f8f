/* The floor under one stripewell-render run: what every run of a program
 * that starts Qt's GUI application on the offscreen platform pays before it
 * draws anything. It loads Qt's libraries and the platform plugin as
 * stripewell-render does, starts QGuiApplication and exits at once; as
 * stripewell-render, it leaves QT_QPA_PLATFORM alone when it is set.
 *
 *   qtfloor
 */
#include <QGuiApplication>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return 0;
}
