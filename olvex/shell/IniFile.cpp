#include "shell/IniFile.h"

#include "common/Files.h"
#include "common/Text.h"

#include <QFile>

namespace olvex::shell {

namespace {

bool isSectionHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.contains(QLatin1Char(']')))
        return false;
    if (name)
        *name = t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
    return true;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path))
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString contents = text::fromCp1252(file.readAll());
    lines_ = contents.split(QLatin1Char('\n'));
    for (QString &line : lines_)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

int IniFile::sectionLine(const QString &section) const
{
    QString name;
    for (int i = 0; i < lines_.size(); ++i)
        if (isSectionHeader(lines_[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniFile::keyLine(int header, const QString &key) const
{
    for (int i = header + 1; i < lines_.size() && !isSectionHeader(lines_[i]); ++i) {
        const qsizetype eq = lines_[i].indexOf(QLatin1Char('='));
        if (eq > 0 && lines_[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int end = header + 1;
    for (int i = header + 1; i < lines_.size() && !isSectionHeader(lines_[i]); ++i)
        if (!lines_[i].trimmed().isEmpty())
            end = i + 1;
    return end;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const int header = sectionLine(section);
    const int line = header < 0 ? -1 : keyLine(header, key);
    if (line < 0)
        return fallback;
    QString value = lines_[line].mid(lines_[line].indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

int IniFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    const QString value = readString(section, key, QString());
    return value.isEmpty() ? fallback : text::toIntOr(value, fallback);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString entry = key + QLatin1Char('=') + value;
    int header = sectionLine(section);
    if (header < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(entry);
        return;
    }
    const int line = keyLine(header, key);
    if (line >= 0)
        lines_[line] = entry;
    else
        lines_.insert(sectionEnd(header), entry);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

bool IniFile::save(QString *error) const
{
    QByteArray contents;
    for (const QString &line : lines_)
        contents += text::toCp1252(line) + "\r\n";
    return files::replaceFile(path_, contents, error);
}

} // namespace olvex::shell
