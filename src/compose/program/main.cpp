// quotewell-compose: the construction program. Starting it marks the construction program as used,
// which is what turns on the solver's constructor mode.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "compose/WordList.h"
#include "compose/qt/ComposeWindow.h"
#include "platform/SettingsStore.h"

namespace {

QString JournalPath()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    const QString folder = state && *state ? QString::fromLocal8Bit(state) : QDir::homePath() + QStringLiteral("/.local/state");
    return folder + QStringLiteral("/quotewell/composer-journal.qwc");
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("Quotewell Composer %s\n", QW_VERSION);
            return 0;
        }
        if (!std::strcmp(argv[i], "--help")) {
            std::printf("Usage: quotewell-compose [COMPOSER-FILE]\n\nCompose acrostic puzzles for Quotewell.\n");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tamarisk");
    QApplication::setApplicationName("Quotewell Composer");
    QApplication::setApplicationVersion(QW_VERSION);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quotewell-compose.svg")));

    {
        qw::SettingsStore store;
        qw::MarkComposerUsed(store);
    }

    std::optional<qw::compose::WordList> words;
    QString problem;
    try {
        words = qw::compose::WordList::Load(qw::compose::WordListOptions{});
    } catch (const qw::compose::WordListMissing& e) {
        problem = QString::fromStdString(e.what());
    }
    qw::ComposeWindow window(std::move(words), problem, JournalPath());
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.OpenFile(args.at(1));
    window.show();
    return app.exec();
}
