#pragma once
// Whole-file reading and writing for tests.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace olvex::testsupport {

// The file's bytes; a file that cannot be read fails the running test.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Creates or replaces the file with `contents`; failure fails the running test.
inline void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(contents), contents.size());
}

} // namespace olvex::testsupport
