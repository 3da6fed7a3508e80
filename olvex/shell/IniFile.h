#pragma once
// A Windows-style INI file: "[Section]" headers and "Key=Value" lines, names
// compared without regard to case. Writing keeps every other line of the file
// as it was and appends new keys at the end of their section, CR LF line ends.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace olvex::shell {

class IniFile {
public:
    // Reads `path`; a missing file reads as empty (it is not created).
    explicit IniFile(QString path);

    // The value, without surrounding blanks, or `fallback` when the key is absent.
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal, or hexadecimal after "0x" or "$"; `fallback` when absent or not a number.
    int readInteger(const QString &section, const QString &key, int fallback) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    // Writes the file. False, with the reason, when it cannot be written.
    bool save(QString *error = nullptr) const;

private:
    // Index of the "[section]" line, or -1.
    int sectionLine(const QString &section) const;
    // Index of the key's line in the section starting at `header`, or -1.
    int keyLine(int header, const QString &key) const;
    // One past the last non-blank line of the section starting at `header`.
    int sectionEnd(int header) const;

    QString path_;
    QStringList lines_; // Windows-1252 text decoded one byte per character
};

} // namespace olvex::shell
