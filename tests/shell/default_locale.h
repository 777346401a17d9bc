#pragma once
// The locale a test runs in, put back afterwards.

#include <QLocale>

namespace zk::test {

class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_old); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale m_old;
};

}  // namespace zk::test
