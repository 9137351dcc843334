#pragma once
// "Editorial Report": a test solver's verdict on the open puzzle, mailed to its constructor as a
// readable message or to the program's maker in a spreadsheet layout.

#include <QDialog>
#include <string>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qw {

class Prompts;
class Shell;

class TReportForm : public QDialog {
    Q_OBJECT
public:
    TReportForm(Prompts& prompts, Shell& shell, QWidget* parent = nullptr);

    // "Send comments on this &puzzle": `fileName` is the puzzle's path or bare file name (folders are
    // dropped), `authorAddress` the puzzle's author address (Windows-1252). Shows the window without
    // blocking; when it is already open only these two change and it comes to the front.
    void ShowFor(const std::string& fileName, const std::string& authorAddress);

    const std::string& FileName() const { return fileName_; }
    const std::string& ConstructorAddress() const { return constructorAddress_; }
    int SentToConstructor() const { return sentToConstructor_; }
    int PublishIndex() const;  // -1 when none is chosen
    int Rating() const;        // 0 when none is checked

    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QPushButton* SendToConstBtn = nullptr;
    QPushButton* SendToMakerBtn = nullptr;
    QLabel* MakerNote = nullptr;
    QPushButton* ExitBtn = nullptr;

    void SendToConstBtnClick();
    void SendToMakerBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ResetChoices();
    void UpdateSendButtons();
    bool AskForAddress();

    Prompts& prompts_;
    Shell& shell_;
    std::string fileName_;
    std::string constructorAddress_;
    int sentToConstructor_ = 0;
    QButtonGroup* publishGroup_ = nullptr;
    QButtonGroup* ratingGroup_ = nullptr;
};

}  // namespace qw
