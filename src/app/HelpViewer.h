#pragma once
// The quick reference: an HTML page shipped with the program, shown at its contents.

#include <QDialog>

class QTextBrowser;

namespace qw {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    HelpViewer(const QString& helpFile, QWidget* parent = nullptr);
    // Opens the page at its table of contents; false when the file is missing.
    bool ShowContents();
    QTextBrowser* Browser() const { return browser_; }

private:
    QString helpFile_;
    QTextBrowser* browser_;
};

}  // namespace qw
