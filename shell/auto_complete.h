#pragma once
// Completion of what is typed into an edit: paths of the file system, as
// the desktop's own file dialogs complete them.

class QLineEdit;

namespace zk {

// fileSystem: the edit completes paths of files and folders. url: the
// addresses of a browsing history, which this system does not keep (alone
// it completes nothing and the result is false). Neither: the edit's
// completion is switched off. True when the edit completes as asked.
bool EnableAutoComplete(QLineEdit& edit, bool fileSystem, bool url);

}  // namespace zk
