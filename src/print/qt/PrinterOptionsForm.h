#pragma once
// "Printer Options": the clue font, the answer number font and black or gray spaces. The user
// picks a font by clicking where it is used on a picture of a printed page. The dialog lives for
// the whole run and is what the print commands read their options from.

#include <QDialog>
#include <QImage>
#include <QWidget>

#include "print/PrinterOptions.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace qw {

class Prompts;
class SettingsStore;

// The stored printer options (PrinterClueFont, PrinterAnswerNumberFont, PrintOptions, read in
// that order, each value with its default), for printing without the dialog (--print-pdf).
PrinterOptions ReadPrinterOptions(SettingsStore& store);

// An outline-only rectangle over part of the picture; it reports the pointer and clicks.
class OutlineRect : public QWidget {
    Q_OBJECT
public:
    explicit OutlineRect(QWidget* parent);
    void SetColor(const QColor& color);
    QColor Color() const { return color_; }

signals:
    void Hovered();
    void Clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor color_;
};

class TPrinterOptionsForm : public QDialog {
    Q_OBJECT
public:
    // Reads PrinterClueFont, PrinterAnswerNumberFont and PrintOptions, in that order.
    TPrinterOptionsForm(SettingsStore& store, Prompts& prompts, QWidget* parent = nullptr);
    // Starts from options already read with ReadPrinterOptions: a dialog made after start-up holds
    // the options in force, not the store's later content. OK still writes them to `store`.
    TPrinterOptionsForm(SettingsStore& store, Prompts& prompts, const PrinterOptions& stored,
                        QWidget* parent = nullptr);

    // What the next print job uses.
    PrinterOptions Options() const;

    void ClueRectClick();
    void AnswerRectClick();
    void RestoreBtnClick();

    QTabWidget* PageControl1;
    QWidget* FontsPage;
    QWidget* ShadingPage;
    QLabel* Label1;
    QLabel* Image1;
    OutlineRect* ClueRect;
    OutlineRect* AnswerRect;
    QLabel* MouseStatusLabel;
    QPushButton* RestoreBtn;
    QLabel* Label2;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    static constexpr const char* kClueHint = "Change font for clues";
    static constexpr const char* kAnswerHint = "Change font for numbers under word list answer letters";

public slots:
    // OK stores the options; any other way out brings back what was there when it was shown.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Remember();
    void Store();
    void ChooseFontFor(OutlineRect* rect, FontSpec& font, int maxPointSize);

    SettingsStore& store_;
    Prompts& prompts_;
    FontSpec clueFont_;
    FontSpec answerNumberFont_;
    FontSpec savedClueFont_;
    FontSpec savedAnswerNumberFont_;
    bool savedGray_ = false;
};

}  // namespace qw
