#include "testsupport/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace olvex::testsupport {

PseudoTerminal::PseudoTerminal()
{
    std::string error;
    const bool opened = device_.open({}, &error);
    EXPECT_TRUE(opened) << error;
    if (!opened)
        return;
    path_ = QString::fromStdString(device_.slavePath());
    notifier_ = std::make_unique<QSocketNotifier>(device_.masterFd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readAvailable(); });
}

void PseudoTerminal::write(const QByteArray &bytes)
{
    ASSERT_EQ(::write(device_.masterFd(), bytes.constData(), size_t(bytes.size())), bytes.size());
}

void PseudoTerminal::hangUp()
{
    notifier_.reset();
    device_.close();
}

void PseudoTerminal::readAvailable()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(device_.masterFd(), buffer, sizeof buffer);
        if (n <= 0)
            return;
        received_.append(buffer, qsizetype(n));
    }
}

} // namespace olvex::testsupport
