#pragma once
// Switches the default locale for the lifetime of one test.
#include <QLocale>

namespace olvex::testsupport {

class LocaleScope {
public:
    explicit LocaleScope(const QLocale &locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved_); }
    LocaleScope(const LocaleScope &) = delete;
    LocaleScope &operator=(const LocaleScope &) = delete;

private:
    QLocale saved_;
};

} // namespace olvex::testsupport
