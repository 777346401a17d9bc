#include "shell/shell_collation.h"

#include <QLocale>

#include <memory>

#include "shell/shell_items.h"

namespace zk {

const QCollator& ShellCollator()
{
    static std::unique_ptr<QCollator> collator;
    static QString localeName;
    QLocale locale;
    if (collator == nullptr || locale.name() != localeName) {
        localeName = locale.name();
        // The C locale has no collation of its own (Qt then compares code
        // points); the desktop falls back to the language-neutral order,
        // which is English's.
        if (locale.language() == QLocale::C) {
            locale = QLocale(QLocale::English);
        }
        collator = std::make_unique<QCollator>(locale);
        collator->setCaseSensitivity(Qt::CaseInsensitive);
        collator->setNumericMode(true);
    }
    return *collator;
}

int CompareShellNames(const std::string& a, const std::string& b)
{
    const int order = ShellCollator().compare(ShellText(a), ShellText(b));
    if (order != 0) {
        return order;
    }
    return a.compare(b);
}

int CompareShellIDs(const platform::TShellBrowser& browser, int column, const std::string& a, const std::string& b)
{
    return browser.CompareIDs(column, a, b, [](const std::string& x, const std::string& y) {
        return ShellCollator().compare(ShellText(x), ShellText(y));
    });
}

}  // namespace zk
