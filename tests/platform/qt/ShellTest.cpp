#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>

#include "platform/Shell.h"

namespace qw {
namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void Catch(const QUrl& url) { urls.push_back(url); }

public:
    std::vector<QUrl> urls;
};

TEST(DesktopShellTest, HandsTheUrlOverWithItsEncodingKept)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "Catch");
    const std::string mail = "mailto:a.b@example.org?subject=Q%26A%20%231&body=caf%C3%A9%0D%0A50%25";
    DesktopShell().OpenUrl(mail);
    QDesktopServices::unsetUrlHandler("mailto");
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls[0].toEncoded().toStdString(), mail);
    EXPECT_EQ(catcher.urls[0].scheme(), "mailto");
}

}  // namespace
}  // namespace qw

#include "ShellTest.moc"
