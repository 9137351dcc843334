#include "app/HelpViewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qw {

HelpViewer::HelpViewer(const QString& helpFile, QWidget* parent)
    : QDialog(parent), helpFile_(helpFile), browser_(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    setWindowTitle("Quotewell Quick Reference");
    setModal(false);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 720);
}

bool HelpViewer::ShowContents()
{
    if (!QFileInfo::exists(helpFile_)) return false;
    QUrl url = QUrl::fromLocalFile(helpFile_);
    url.setFragment("contents");
    browser_->setSource(url);
    browser_->scrollToAnchor("contents");
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace qw
