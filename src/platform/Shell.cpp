#include "platform/Shell.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QUrl>

namespace qw {

void DesktopShell::OpenUrl(const std::string& url)
{
    // The callers build fully encoded URLs (a mailto: body is percent-encoded byte by byte);
    // parsing them as encoded keeps those bytes instead of encoding the percent signs again.
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(url)));
}

}  // namespace qw
