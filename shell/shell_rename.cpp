#include "shell/shell_rename.h"

#include <QCoreApplication>

#include <sys/stat.h>

#include "shell/shell_items.h"

namespace zk {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("ShellRename", text); }

std::string NameOf(const std::string& id)
{
    const std::size_t slash = id.rfind('/');
    return slash == std::string::npos ? id : id.substr(slash + 1);
}

}  // namespace

QString RenameRefusal(const std::string& id, const std::string& name)
{
    const QString old = ShellText(NameOf(id));
    if (name.empty()) {
        return Tr("\"%1\" was not renamed: a name can't be empty.").arg(old);
    }
    if (name.find('/') != std::string::npos) {
        return Tr("\"%1\" was not renamed: a name can't contain \"/\".").arg(old);
    }
    if (name == "." || name == "..") {
        return Tr("\"%1\" was not renamed: \"%2\" is no name for a file or folder.").arg(old, ShellText(name));
    }
    const std::size_t slash = id.rfind('/');
    const std::string target = (slash == std::string::npos ? std::string() : id.substr(0, slash + 1)) + name;
    struct stat info {};
    if (target != id && lstat(target.c_str(), &info) == 0) {
        return Tr("\"%1\" was not renamed: \"%2\" already exists in this folder.").arg(old, ShellText(name));
    }
    return {};
}

QString RenameFailure(const std::string& id, const std::string& name)
{
    return Tr("\"%1\" could not be renamed to \"%2\".").arg(ShellText(NameOf(id)), ShellText(name));
}

}  // namespace zk
