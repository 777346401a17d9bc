#pragma once
// The order names are shown in, the way a Linux file manager sorts them:
// by the user's locale, ignoring case, with runs of digits by their value
// ("Label2" before "Label10", "Äpfel" beside "apple"). The list and the
// tree both sort through here.

#include <QCollator>
#include <QString>

#include <string>

#include "platform/shell_browser.h"

namespace zk {

// The collator for the current default locale (GUI thread only).
const QCollator& ShellCollator();

// Negative, 0 or positive; names equal to the collator are ordered by
// their bytes, so that no two different names compare equal.
int CompareShellNames(const std::string& a, const std::string& b);

// The browser's CompareIDs with names and type names in that order.
int CompareShellIDs(const platform::TShellBrowser& browser, int column, const std::string& a, const std::string& b);

}  // namespace zk
