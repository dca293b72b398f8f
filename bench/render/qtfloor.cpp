/* The floor under one stripewell-render run: what every run of a program
 * that starts Qt's GUI application on the offscreen platform pays before it
 * draws anything. It loads Qt's libraries and the platform plugin as
 * stripewell-render does, starts QGuiApplication and exits at once; as
 * stripewell-render, it leaves QT_QPA_PLATFORM alone when it is set.
 *
 * With "linked" it exits before starting anything: the floor of any program
 * linked with Qt's GUI library, whose libraries the loader has to map and
 * relocate before main.
 *
 *   qtfloor [linked]
 */
#include <QGuiApplication>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "linked") == 0)
        return 0;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return 0;
}
