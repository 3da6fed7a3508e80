#pragma once
// The manual selection: the user picks one of the known probe variants when
// the probe cannot identify itself, and the dialog stores it in the record.
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QGridLayout;

namespace olvex {
class MessageSink;
}

namespace olvex::probe {

class CURRENTPROBE;

class TManualSel : public QDialog {
    Q_OBJECT
public:
    // `probe` and `messages` must outlive the dialog.
    TManualSel(CURRENTPROBE &probe, MessageSink &messages, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Every showing: the variants listed afresh, none selected, the dialog centred on the screen.
    void FormShow();
    void centreOnScreen();
    // "Accept": the chosen variant goes into the record; nothing chosen is refused.
    void Button1Click();
    // "Cancel": the record stays as it is.
    void Button2Click();

    CURRENTPROBE &probe_;
    MessageSink &messages_;
    QLabel *Label1 = nullptr;
    QGroupBox *RadioGroup1 = nullptr;
    QGridLayout *radioLayout_ = nullptr;
    QButtonGroup *radioButtons_ = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
};

} // namespace olvex::probe
