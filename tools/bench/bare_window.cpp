// The least a Qt Widgets program does to put a window on the screen: the yardstick bench_startup
// measures Quotewell's start-up against. Built in the same tree, so with the same Qt and flags.
// With --main-window, the least a window like Quotewell's does: a menu bar, text and a status bar,
// so that the fonts are read before the window can show, as they must be for any window with text.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool mainWindow = argc > 1 && !std::strcmp(argv[1], "--main-window");
    std::unique_ptr<QWidget> window;
    if (mainWindow) {
        auto main = std::make_unique<QMainWindow>();
        for (const char* title : {"&File", "&Edit", "&View", "&Options", "&Solution", "&Help"}) {
            QMenu* menu = main->menuBar()->addMenu(QString::fromLatin1(title));
            for (int i = 0; i < 8; ++i) menu->addAction(QStringLiteral("Command %1...").arg(i + 1));
        }
        main->setCentralWidget(new QLabel(QStringLiteral("The quick brown fox jumps over the lazy dog.")));
        main->statusBar()->addWidget(new QLabel(QStringLiteral("Ready.")), 1);
        window = std::move(main);
    } else {
        window = std::make_unique<QWidget>();
    }
    window->setWindowTitle(QStringLiteral("Bare window"));
    // As large as Quotewell's first window: the primary screen's work area.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) window->setGeometry(screen->availableGeometry());
    window->show();
    return app.exec();
}
