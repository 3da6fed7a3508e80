#include "terminal/VtEmulator.h"

#include "common/Text.h"

#include <vterm.h>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace olvex::terminal {

namespace {

// libvterm runs in UTF-8 mode so that no byte is taken for a C1 control; each
// byte from 0x80 up is replaced by the UTF-8 form of its Windows-1252 character.
struct Utf8Char {
    char bytes[3];
    quint8 size;
};
using HighByteTable = std::array<Utf8Char, 128>;

const HighByteTable &highByteTable()
{
    static const HighByteTable table = [] {
        HighByteTable built{};
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            char16_t unicode = text::fromCp1252(QByteArray(1, char(byte))).at(0).unicode();
            // The five bytes Windows-1252 leaves undefined decode to C1
            // controls, which take no cell; show them as a replacement mark.
            if (unicode < 0xA0)
                unicode = 0xFFFD;
            const QByteArray utf8 = QString(QChar(unicode)).toUtf8();
            Utf8Char &entry = built[byte - 0x80];
            std::copy(utf8.begin(), utf8.end(), entry.bytes);
            entry.size = quint8(utf8.size());
        }
        return built;
    }();
    return table;
}

void appendAsUtf8(const char *data, qsizetype n, std::string &out)
{
    const HighByteTable &table = highByteTable();
    const char *const end = data + n;
    while (data < end) {
        const char *run = data;
        while (data < end && static_cast<unsigned char>(*data) < 0x80)
            ++data;
        out.append(run, data);
        if (data < end) {
            const Utf8Char &high = table[static_cast<unsigned char>(*data) - 0x80];
            out.append(high.bytes, high.size);
            ++data;
        }
    }
}

// The Windows-1252 bytes of typed text; characters it cannot encode are left out.
QByteArray cp1252Keys(const QString &typed)
{
    QByteArray out;
    for (QChar ch : typed) {
        const QString one(ch);
        const QByteArray byte = text::toCp1252(one);
        if (text::fromCp1252(byte) == one)
            out += byte;
    }
    return out;
}

// Keys that send one byte of their own. libvterm would send DEL for
// Backspace and CSI-u sequences for Ctrl+I/J/M/[, which an instrument does
// not understand.
std::optional<char> singleByteKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Backspace)
        return '\x08';
    if (key == Qt::Key_Delete)
        return '\x7f';
    if (!(modifiers & Qt::ControlModifier) || (modifiers & Qt::AltModifier))
        return std::nullopt;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return char(key - Qt::Key_A + 1);
    switch (key) {
    case Qt::Key_At:
    case Qt::Key_Space:
        return '\x00';
    case Qt::Key_BracketLeft:
        return '\x1b';
    case Qt::Key_Backslash:
        return '\x1c';
    case Qt::Key_BracketRight:
        return '\x1d';
    case Qt::Key_AsciiCircum:
        return '\x1e';
    case Qt::Key_Underscore:
        return '\x1f';
    default:
        return std::nullopt;
    }
}

struct MappedKey {
    VTermKey key;
    // Enter, Tab and Escape take no modifiers: with them libvterm sends CSI-u.
    bool takesModifiers;
    VTermModifier fixedModifier = VTERM_MOD_NONE;
};

std::optional<MappedKey> libvtermKey(Qt::Key key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return MappedKey{VTermKey(VTERM_KEY_FUNCTION(key - Qt::Key_F1 + 1)), true};
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return MappedKey{VTERM_KEY_ENTER, false};
    case Qt::Key_Tab:
        return MappedKey{VTERM_KEY_TAB, false};
    case Qt::Key_Backtab:
        return MappedKey{VTERM_KEY_TAB, false, VTERM_MOD_SHIFT};
    case Qt::Key_Escape:
        return MappedKey{VTERM_KEY_ESCAPE, false};
    case Qt::Key_Up:
        return MappedKey{VTERM_KEY_UP, true};
    case Qt::Key_Down:
        return MappedKey{VTERM_KEY_DOWN, true};
    case Qt::Key_Left:
        return MappedKey{VTERM_KEY_LEFT, true};
    case Qt::Key_Right:
        return MappedKey{VTERM_KEY_RIGHT, true};
    case Qt::Key_Insert:
        return MappedKey{VTERM_KEY_INS, true};
    case Qt::Key_Home:
        return MappedKey{VTERM_KEY_HOME, true};
    case Qt::Key_End:
        return MappedKey{VTERM_KEY_END, true};
    case Qt::Key_PageUp:
        return MappedKey{VTERM_KEY_PAGEUP, true};
    case Qt::Key_PageDown:
        return MappedKey{VTERM_KEY_PAGEDOWN, true};
    default:
        return std::nullopt;
    }
}

VTermModifier libvtermModifiers(Qt::KeyboardModifiers modifiers)
{
    int mod = VTERM_MOD_NONE;
    if (modifiers & Qt::ShiftModifier)
        mod |= VTERM_MOD_SHIFT;
    if (modifiers & Qt::AltModifier)
        mod |= VTERM_MOD_ALT;
    if (modifiers & Qt::ControlModifier)
        mod |= VTERM_MOD_CTRL;
    return VTermModifier(mod);
}

quint32 packedColor(const VTermState *state, VTermColor color, bool isDefault)
{
    if (isDefault)
        return DefaultColor;
    vterm_state_convert_color_to_rgb(state, &color);
    return quint32(color.rgb.red) << 16 | quint32(color.rgb.green) << 8 | color.rgb.blue;
}

void setAttribute(VtPen &pen, VtAttribute attribute, bool on)
{
    pen.attributes = on ? quint8(pen.attributes | attribute) : quint8(pen.attributes & ~attribute);
}

CellRect cellRect(VTermRect rect)
{
    return {rect.start_row, rect.start_col, rect.end_row, rect.end_col};
}

} // namespace

// Static trampolines for libvterm's C callbacks; `user` is the emulator.
struct VtEmulator::Bridge {
    static VtEmulator &self(void *user) { return *static_cast<VtEmulator *>(user); }

    static int putGlyph(VTermGlyphInfo *info, VTermPos pos, void *user)
    {
        // Windows-1252 input only yields characters of the Basic Multilingual Plane.
        const char16_t character = info->chars[0] <= 0xFFFF ? char16_t(info->chars[0]) : u'\uFFFD';
        VtEmulator &emulator = self(user);
        emulator.screen_.put(pos.row, pos.col, character, emulator.pen_);
        return 1;
    }

    static int scrollRect(VTermRect rect, int downward, int rightward, void *user)
    {
        VtEmulator &emulator = self(user);
        emulator.screen_.scroll(cellRect(rect), downward, rightward, emulator.pen_.background);
        return 1;
    }

    static int erase(VTermRect rect, int /*selective*/, void *user)
    {
        VtEmulator &emulator = self(user);
        emulator.screen_.erase(cellRect(rect), emulator.pen_.background);
        return 1;
    }

    static int initPen(void *user)
    {
        self(user).pen_ = VtPen{};
        return 1;
    }

    static int setPenAttr(VTermAttr attr, VTermValue *value, void *user)
    {
        VtEmulator &emulator = self(user);
        VtPen &pen = emulator.pen_;
        switch (attr) {
        case VTERM_ATTR_BOLD:
            setAttribute(pen, Bold, value->boolean);
            break;
        case VTERM_ATTR_UNDERLINE:
            setAttribute(pen, Underline, value->number != 0);
            break;
        case VTERM_ATTR_ITALIC:
            setAttribute(pen, Italic, value->boolean);
            break;
        case VTERM_ATTR_BLINK:
            setAttribute(pen, Blink, value->boolean);
            break;
        case VTERM_ATTR_REVERSE:
            setAttribute(pen, Reverse, value->boolean);
            break;
        case VTERM_ATTR_STRIKE:
            setAttribute(pen, Strike, value->boolean);
            break;
        case VTERM_ATTR_FOREGROUND:
            pen.foreground = packedColor(emulator.state_, value->color,
                                         VTERM_COLOR_IS_DEFAULT_FG(&value->color));
            break;
        case VTERM_ATTR_BACKGROUND:
            pen.background = packedColor(emulator.state_, value->color,
                                         VTERM_COLOR_IS_DEFAULT_BG(&value->color));
            break;
        default:
            break;
        }
        return 1;
    }

    static int setTermProp(VTermProp prop, VTermValue *value, void *user)
    {
        if (prop == VTERM_PROP_CURSORVISIBLE)
            self(user).cursorVisible_ = value->boolean;
        return 1;
    }

    static int bell(void *user)
    {
        emit self(user).bell();
        return 1;
    }

    static void output(const char *bytes, size_t length, void *user)
    {
        self(user).pendingOutput_.append(bytes, qsizetype(length));
    }

    static const VTermStateCallbacks callbacks;
};

// scrollrect does every move itself, so libvterm never needs moverect.
const VTermStateCallbacks VtEmulator::Bridge::callbacks = {
    .putglyph = &Bridge::putGlyph,
    .movecursor = nullptr,
    .scrollrect = &Bridge::scrollRect,
    .moverect = nullptr,
    .erase = &Bridge::erase,
    .initpen = &Bridge::initPen,
    .setpenattr = &Bridge::setPenAttr,
    .settermprop = &Bridge::setTermProp,
    .bell = &Bridge::bell,
    .resize = nullptr,
    .setlineinfo = nullptr,
};

void VtEmulator::VTermDeleter::operator()(VTerm *vt) const
{
    vterm_free(vt);
}

VtEmulator::VtEmulator(QObject *parent)
    : QObject(parent)
    , vt_(vterm_new(Rows, Columns))
    , screen_(Rows, Columns)
{
    vterm_set_utf8(vt_.get(), 1);
    vterm_output_set_callback(vt_.get(), &Bridge::output, this);
    state_ = vterm_obtain_state(vt_.get());
    vterm_state_set_callbacks(state_, &Bridge::callbacks, this);
    vterm_state_reset(state_, 1);
}

VtEmulator::~VtEmulator() = default;

void VtEmulator::write(const char *data, qsizetype n)
{
    utf8_.clear();
    appendAsUtf8(data, n, utf8_);
    vterm_input_write(vt_.get(), utf8_.data(), utf8_.size());
    flushOutput();
}

void VtEmulator::clear()
{
    screen_.clear();
    static constexpr char cursorHome[] = "\x1b[H";
    vterm_input_write(vt_.get(), cursorHome, sizeof cursorHome - 1);
    flushOutput();
}

bool VtEmulator::sendKey(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    if (const auto byte = singleByteKey(key, modifiers)) {
        pendingOutput_.append(*byte);
    } else if (const auto mapped = libvtermKey(key)) {
        const VTermModifier mod = mapped->takesModifiers ? libvtermModifiers(modifiers) : mapped->fixedModifier;
        vterm_keyboard_key(vt_.get(), mapped->key, mod);
    } else {
        pendingOutput_.append(cp1252Keys(text));
    }
    const bool sent = !pendingOutput_.isEmpty();
    flushOutput();
    return sent;
}

int VtEmulator::cursorRow() const
{
    VTermPos pos;
    vterm_state_get_cursorpos(state_, &pos);
    return pos.row;
}

int VtEmulator::cursorColumn() const
{
    VTermPos pos;
    vterm_state_get_cursorpos(state_, &pos);
    return pos.col;
}

QString VtEmulator::rowText(int row, int fromColumn, int toColumn) const
{
    QString text;
    for (int column = fromColumn; column < toColumn; ++column) {
        const char16_t character = screen_.cell(row, column).character;
        text.append(character ? QChar(character) : QChar(u' '));
    }
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

void VtEmulator::flushOutput()
{
    if (pendingOutput_.isEmpty())
        return;
    const QByteArray bytes = std::exchange(pendingOutput_, {});
    emit output(bytes);
}

} // namespace olvex::terminal
