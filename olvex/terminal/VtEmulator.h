#pragma once
// VT100 emulation of the probe terminal: received bytes in, a screen model
// and the bytes the terminal sends out.
//
// The page is the whole buffer: 132 rows by 132 columns, cursor addressing
// reaches every row, and a line scrolled off the top is dropped. The probe
// speaks Windows-1252, so bytes 0x80-0xFF are characters, never C1 controls.
// Everything the terminal sends (typed keys, and replies such as the answer to
// a device attribute query) leaves through output().
#include "terminal/VtCell.h"
#include "terminal/VtScreen.h"

#include <QByteArray>
#include <QObject>
#include <QRect>
#include <QString>

#include <memory>
#include <string>

struct VTerm;
struct VTermState;

namespace olvex::terminal {

class VtEmulator : public QObject {
    Q_OBJECT
public:
    static constexpr int Rows = 132;
    static constexpr int Columns = 132;

    explicit VtEmulator(QObject *parent = nullptr);
    ~VtEmulator() override;

    // Emulates `n` received bytes at once. A sequence split across calls is
    // completed by the next call.
    void write(const char *data, qsizetype n);

    // Blanks the whole page with the default colours and homes the cursor;
    // modes, colours in use and the scrolling region stay.
    void clear();

    // Sends what a VT100 keyboard sends for a key: the Windows-1252 byte of a
    // text key, CR for Enter, BS for Backspace, DEL for Delete, the control
    // byte for Ctrl with a letter or one of @ [ \ ] ^ _ (Ctrl+Alt is AltGr, a
    // text key), and escape sequences for the cursor, editing and function
    // keys (cursor keys follow the host's cursor-key mode). Returns false, and
    // sends nothing, for a key that sends nothing, such as a character
    // Windows-1252 cannot encode.
    bool sendKey(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text);

    // Cursor position, 0-based; on the last column it stays there until the
    // next character wraps.
    int cursorRow() const;
    int cursorColumn() const;
    bool isCursorVisible() const { return cursorVisible_; }

    const VtCell &cell(int row, int column) const { return screen_.cell(row, column); }

    // Characters of columns [fromColumn, toColumn) of a row, blanks as spaces,
    // trailing blanks removed.
    QString rowText(int row, int fromColumn = 0, int toColumn = Columns) const;

    // Bounding box of the cells changed since the last call (x: column,
    // y: row); empty when none. Resets the record.
    QRect takeDamage() { return screen_.takeDamage(); }

signals:
    // Bytes for the port, one emission per write() or sendKey().
    void output(const QByteArray &bytes);
    // The host rang the bell (BEL).
    void bell();

private:
    struct Bridge;
    friend struct Bridge;
    struct VTermDeleter {
        void operator()(VTerm *vt) const;
    };

    void flushOutput();

    std::unique_ptr<VTerm, VTermDeleter> vt_;
    VTermState *state_ = nullptr;
    VtScreen screen_;
    VtPen pen_;
    bool cursorVisible_ = true;
    QByteArray pendingOutput_;
    std::string utf8_;
};

} // namespace olvex::terminal
