// The least a Qt Widgets program does to put a window on the screen: the yardstick bench_startup
// measures Quotewell's start-up against. Built in the same tree, so with the same Qt and flags.

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    // As large as Quotewell's first window: the primary screen's work area.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    window.show();
    return app.exec();
}
