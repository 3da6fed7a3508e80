#pragma once
// "Protocol Status": the progress window of file sending. It appears,
// centred on the desktop, whenever the sender starts a transfer, shows how
// far it has got, offers Cancel while it runs and says how it ended; the
// user closes it.
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace olvex::transfer {
class AsciiSender;
}

namespace olvex::portui {

class ProtocolStatusWindow : public QWidget {
    Q_OBJECT
public:
    // Watches `sender`, which must outlive the window.
    explicit ProtocolStatusWindow(transfer::AsciiSender &sender, QWidget *parent = nullptr);

private:
    void onStarted();
    void onFinished(const QString &message);
    void refresh();
    void centreOnDesktop();

    transfer::AsciiSender &sender_;
    QTimer refreshTimer_;
    QLineEdit *fileName_ = nullptr;
    QLineEdit *bytes_ = nullptr;
    QLineEdit *percent_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QLabel *result_ = nullptr;
    QPushButton *cancel_ = nullptr;
    QPushButton *close_ = nullptr;
};

} // namespace olvex::portui
