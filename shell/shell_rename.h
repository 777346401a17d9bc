#pragma once
// Why an in-place rename is refused, told to the user instead of the old
// name silently coming back.

#include <QString>

#include <string>

namespace zk {

// The sentence that names the reason the object id can't be renamed to
// name in its folder: an empty name, a name with "/", "." or "..", or a
// name another object has. Empty when none of these stands in the way.
QString RenameRefusal(const std::string& id, const std::string& name);
// The sentence for a rename the file system refused for another reason.
QString RenameFailure(const std::string& id, const std::string& name);

}  // namespace zk
