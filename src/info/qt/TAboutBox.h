#pragma once
// The about box: a frameless pop-up with the program's name, maker, version and home page link.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qw {

class Prompts;
class Shell;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(Shell& shell, QWidget* parent = nullptr);

    // "&About": creates the box, shows it modally centred on `parent` and destroys it.
    static void Show(Prompts& prompts, Shell& shell, QWidget* parent);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Notice = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Shell& shell_;
};

}  // namespace qw
