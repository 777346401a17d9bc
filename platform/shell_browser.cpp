#include "platform/shell_browser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/file_operations.h"

namespace zk::platform {

namespace fs = std::filesystem;

namespace {

char UpCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = UpCase(a[i]);
        const char y = UpCase(b[i]);
        if (x != y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Absolute and without "." or ".." parts or a trailing '/' (but "/" itself).
std::string Normalised(const std::string& path)
{
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) {
        absolute = path;
    }
    std::string text = absolute.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

std::string FileNameOf(const std::string& id)
{
    const std::size_t slash = id.rfind('/');
    return slash == std::string::npos ? id : id.substr(slash + 1);
}

struct TFileFacts {
    bool exists = false;
    bool isDir = false;   // following links
    bool isFile = false;  // a regular file, following links
    bool isLink = false;
    std::int64_t size = 0;
    std::time_t modified = 0;
};

TFileFacts FactsOf(const std::string& path)
{
    TFileFacts facts;
    struct stat own {};
    if (lstat(path.c_str(), &own) != 0) {
        return facts;
    }
    facts.isLink = S_ISLNK(own.st_mode);
    struct stat target {};
    const struct stat& info = (facts.isLink && stat(path.c_str(), &target) == 0) ? target : own;
    facts.exists = true;
    facts.isDir = S_ISDIR(info.st_mode);
    facts.isFile = S_ISREG(info.st_mode);
    facts.size = static_cast<std::int64_t>(info.st_size);
    facts.modified = info.st_mtime;
    return facts;
}

bool IsDesktopObject(const std::string& id)
{
    const std::vector<std::string> objects = DesktopObjects();
    return std::find(objects.begin(), objects.end(), id) != objects.end();
}

std::string WithThousands(std::int64_t value)
{
    const std::string digits = std::to_string(value);
    const std::size_t first = digits[0] == '-' ? 1 : 0;
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > first && (digits.size() - i) % 3 == 0) {
            grouped.push_back(',');
        }
        grouped.push_back(digits[i]);
    }
    return grouped;
}

std::string TypeName(const std::string& id, const TFileFacts& facts)
{
    if (facts.isDir) {
        return "Folder";
    }
    const std::string name = FileNameOf(id);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) {
        return "File";
    }
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(), UpCase);
    return extension + " File";
}

std::string TimeText(std::time_t time)
{
    std::tm local {};
    if (time == 0 || localtime_r(&time, &local) == nullptr) {
        return {};
    }
    char text[32];
    return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) > 0 ? text : "";
}

}  // namespace

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return Normalised(home);
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? Normalised(entry->pw_dir) : std::string();
}

std::vector<std::string> DesktopObjects()
{
    std::vector<std::string> objects;
    const std::string home = HomeFolder();
    if (!home.empty() && home != "/" && FactsOf(home).isDir) {
        objects.push_back(home);
    }
    objects.emplace_back("/");
    return objects;
}

bool MaskMatches(std::string_view name, std::string_view mask)
{
    if (mask == "*") {
        return true;
    }
    while (!mask.empty()) {
        if (mask.front() == '*') {
            if (name.empty()) {
                return mask == "*";
            }
            return MaskMatches(name, mask.substr(1)) || MaskMatches(name.substr(1), mask);
        }
        if (name.empty()) {
            return false;
        }
        if (mask.front() != '?' && UpCase(mask.front()) != UpCase(name.front())) {
            return false;
        }
        name.remove_prefix(1);
        mask.remove_prefix(1);
    }
    return name.empty();
}

std::string GetRelativePath(const std::string& base, const std::string& path)
{
    if (base.empty() || path.size() < base.size() || CompareText(path.substr(0, base.size()), base) != 0) {
        return {};
    }
    std::size_t at = base.size();
    if (at < path.size() && path[at] == '/') {
        ++at;
    } else if (at < path.size() && base.back() != '/') {
        return {};  // "/a" is no base of "/ab"
    }
    return path.substr(at);
}

std::string ParentId(const std::string& id)
{
    if (id.empty() || IsDesktopObject(id)) {
        return DesktopId;
    }
    const fs::path parent = fs::path(id).parent_path();
    return parent.empty() ? DesktopId : parent.string();
}

TShellBrowser::TShellBrowser() = default;

void TShellBrowser::SetDirectory(const std::string& path)
{
    if (path.empty()) {
        SetFolderIdList(DesktopId);
        return;
    }
    const std::string id = Normalised(path);
    // Paths differ by case on this file system, so only the same spelling is the same folder.
    if (id == m_folderId && !m_folder.empty()) {
        return;
    }
    if (!FactsOf(id).isDir) {
        throw EShellBrowserError("Cannot Find Folder: " + path);
    }
    SetFolderIdList(id);
}

void TShellBrowser::SetFolderIdList(std::string id)
{
    if (!id.empty() && !FactsOf(id).isDir) {
        throw EShellBrowserError("ShellBrowser.SetFolderIDList: Could not get Folder " + id);
    }
    m_folder = id.empty() ? std::string() : (id == "/" ? id : id + "/");
    m_folderId = std::move(id);
    EndEnumeration();
    SetItemIdList({});
}

void TShellBrowser::SetItemIdList(std::string id)
{
    m_itemId = std::move(id);
    m_hasSubFolders = -1;
    m_itemIsDir = -1;
}

void TShellBrowser::SetAbsoluteItemIdList(std::string id)
{
    if (id.empty()) {
        SetFolderIdList(DesktopId);
        return;
    }
    SetFolderIdList(ParentId(id));
    SetItemIdList(std::move(id));
}

void TShellBrowser::SetObjectName(const std::string& name)
{
    if (name.empty()) {
        SetItemIdList({});
        return;
    }
    if (name.find('/') != std::string::npos) {
        const std::string id = Normalised(name);
        if (!FactsOf(id).exists) {
            throw EShellBrowserError("Error! Cannot find Object \"" + name + "\" in Folder \"" + m_folder + "\"");
        }
        SetAbsoluteItemIdList(id);
        return;
    }
    if (!m_folderId.empty()) {
        const std::string id = m_folderId == "/" ? "/" + name : m_folderId + "/" + name;
        if (FactsOf(id).exists) {
            SetItemIdList(id);
            return;
        }
    }
    // Not a file name here: a display name ("Home") of a listed object.
    EndEnumeration();
    while (Next()) {
        if (CompareText(GetShellObjectName(), name) == 0 || CompareText(ObjectName(), name) == 0) {
            EndEnumeration();
            return;
        }
    }
    throw EShellBrowserError("Error! Cannot find Object \"" + name + "\" in Folder \"" + m_folder + "\"");
}

std::string TShellBrowser::ObjectName() const
{
    if (m_itemId.empty()) {
        return {};
    }
    return m_folderId.empty() ? m_itemId : FileNameOf(m_itemId);
}

std::string TShellBrowser::GetShellObjectName() const
{
    if (m_itemId.empty()) {
        return {};
    }
    if (m_folderId.empty()) {
        return m_itemId == "/" ? "File System" : "Home";
    }
    return FileNameOf(m_itemId);
}

bool TShellBrowser::Next()
{
    if (!m_enumerating) {
        m_enumeration.clear();
        if (m_folderId.empty()) {
            for (std::string& id : DesktopObjects()) {
                m_enumeration.push_back({std::move(id), true, false});
            }
        } else {
            // The entry's type comes with the directory listing: only links
            // are looked up, so a large folder costs no call per file.
            std::error_code error;
            for (fs::directory_iterator it(m_folderId, fs::directory_options::skip_permission_denied, error), end;
                 !error && it != end; it.increment(error)) {
                std::error_code typeError;
                const bool isDir = it->is_directory(typeError);
                const bool isFile = !isDir && it->is_regular_file(typeError);
                m_enumeration.push_back({it->path().string(), isDir, isFile});
            }
            std::sort(m_enumeration.begin(), m_enumeration.end(),
                      [](const TEntry& a, const TEntry& b) { return a.id < b.id; });
        }
        m_enumerating = true;
        m_next = 0;
    }
    while (m_next < m_enumeration.size()) {
        const TEntry& entry = m_enumeration[m_next++];
        SetItemIdList(entry.id);
        m_itemIsDir = entry.isDir ? 1 : 0;
        if (FileSystemOnly && !entry.isDir && !entry.isFile) {
            continue;
        }
        if (FilterMatch()) {
            return true;
        }
    }
    EndEnumeration();
    return false;
}

void TShellBrowser::EndEnumeration()
{
    m_enumerating = false;
    m_enumeration.clear();
    m_next = 0;
}

bool TShellBrowser::IsFolder() const
{
    if (m_itemIsDir >= 0) {
        return m_itemIsDir == 1;
    }
    return !m_itemId.empty() && FactsOf(m_itemId).isDir;
}

bool TShellBrowser::HasSubFolders()
{
    if (!IsFolder()) {
        return false;
    }
    if (m_hasSubFolders < 0) {
        m_hasSubFolders = 0;
        std::error_code error;
        for (fs::directory_iterator it(m_itemId, fs::directory_options::skip_permission_denied, error), end;
             !error && it != end; it.increment(error)) {
            if (it->is_directory(error)) {
                m_hasSubFolders = 1;
                break;
            }
        }
    }
    return m_hasSubFolders == 1;
}

bool TShellBrowser::IsHidden() const
{
    return !m_folderId.empty() && !m_itemId.empty() && FileNameOf(m_itemId).starts_with('.');
}

bool TShellBrowser::IsLink() const { return !m_itemId.empty() && FactsOf(m_itemId).isLink; }

bool TShellBrowser::CanRename(std::string* reason) const
{
    std::string refusal;
    if (m_itemId.empty() || m_folderId.empty()) {
        refusal = "the desktop's folders keep their names";
    } else if (!FactsOf(m_itemId).exists) {
        refusal = "it is no longer there";
    } else if (access(m_folderId.c_str(), W_OK) != 0) {
        refusal = FolderWriteRefusal(m_folderId, errno);
    }
    if (reason != nullptr) {
        *reason = refusal;
    }
    return refusal.empty();
}

std::string TShellBrowser::IsLinkToFolder() const
{
    if (!IsLink()) {
        return {};
    }
    std::error_code error;
    const fs::path target = fs::canonical(m_itemId, error);
    return !error && fs::is_directory(target, error) ? target.string() : std::string();
}

TQorShellFolder TShellBrowser::SpecialFolderOf(const std::string& id)
{
    if (id.empty()) {
        return TQorShellFolder::SF_DESKTOP;
    }
    if (id == "/") {
        return TQorShellFolder::SF_DRIVES;
    }
    return id == HomeFolder() ? TQorShellFolder::SF_PERSONAL : TQorShellFolder::SF_FILESYSTEMFOLDER;
}

std::string TShellBrowser::SpecialFolderId(TQorShellFolder folder)
{
    switch (folder) {
    case TQorShellFolder::SF_DRIVES: return "/";
    case TQorShellFolder::SF_PERSONAL: return HomeFolder();
    default: return DesktopId;
    }
}

std::int64_t TShellBrowser::GetFileSize() const
{
    const TFileFacts facts = m_itemId.empty() ? TFileFacts{} : FactsOf(m_itemId);
    return facts.exists && !facts.isDir ? facts.size : -1;
}

std::time_t TShellBrowser::GetModifiedTime() const
{
    const TFileFacts facts = m_itemId.empty() ? TFileFacts{} : FactsOf(m_itemId);
    return facts.exists ? facts.modified : 0;
}

bool TShellBrowser::SelectParent()
{
    SetAbsoluteItemIdList(m_folderId);
    return true;
}

bool TShellBrowser::BrowseObject()
{
    if (!IsFolder()) {
        return false;
    }
    SetFolderIdList(m_itemId);
    return true;
}

bool TShellBrowser::BrowseSpecialFolder(TQorShellFolder folder)
{
    const std::string id = SpecialFolderId(folder);
    if (!id.empty() && !FactsOf(id).isDir) {
        return false;
    }
    SetFolderIdList(id);
    return true;
}

bool TShellBrowser::RenameObject(std::string& name, std::string* reason)
{
    std::string refusal;
    if (name.empty()) {
        refusal = "a name can't be empty";
    } else if (name.find('/') != std::string::npos) {
        refusal = "a name can't contain \"/\"";
    } else if (name == "." || name == ".." || name.find('\0') != std::string::npos) {
        refusal = "\"" + name + "\" is no name for a file or folder";
    } else if (CanRename(&refusal)) {
        const std::string target = (m_folderId == "/" ? "/" : m_folderId + "/") + name;
        // Never replace another object of that name, as a plain rename would.
        int result = renameat2(AT_FDCWD, m_itemId.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
        if (result != 0 && errno == EINVAL && !FactsOf(target).exists) {
            result = std::rename(m_itemId.c_str(), target.c_str());
        } else if (result != 0 && errno == EINVAL) {
            errno = EEXIST;
        }
        if (result == 0) {
            SetItemIdList(target);
        } else if (errno == EEXIST) {
            refusal = "a file or folder of that name is already there";
        } else {
            refusal = std::generic_category().message(errno);
        }
    }
    name = GetShellObjectName();
    if (reason != nullptr) {
        *reason = refusal;
    }
    return refusal.empty();
}

void TShellBrowser::SetFilter(const std::string& filter)
{
    m_masks.clear();
    std::string text = filter.empty() ? "*;" : filter;
    if (text.back() != ';') {
        text += ';';
    }
    std::size_t start = 0;
    for (std::size_t semicolon = text.find(';'); semicolon != std::string::npos;
         semicolon = text.find(';', start)) {
        m_masks.push_back(text.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

std::string TShellBrowser::Filter() const
{
    std::string text;
    for (std::size_t i = 0; i < m_masks.size(); ++i) {
        text += (i > 0 ? ";" : "") + m_masks[i];
    }
    return text;
}

bool TShellBrowser::FilterMatch() const
{
    if (IsFolder()) {
        return true;
    }
    const std::string name = ObjectName();
    return std::any_of(m_masks.begin(), m_masks.end(),
                       [&name](const std::string& mask) { return MaskMatches(name, mask); });
}

std::string TShellBrowser::GetColumnText(int column, bool header) const
{
    static constexpr const char* Headers[ShellColumnCount] = {"Name", "Size", "Type", "Changed"};
    if (column < 0 || column >= ShellColumnCount) {
        return {};
    }
    if (header) {
        return Headers[column];
    }
    if (m_itemId.empty()) {
        return {};
    }
    if (column == 0) {
        return GetShellObjectName();
    }
    const TFileFacts facts = FactsOf(m_itemId);
    if (!facts.exists) {
        return {};
    }
    switch (column) {
    case 1:
        // Whole kilobytes, a non-empty file showing at least 1 KB.
        return facts.isDir ? std::string() : WithThousands((std::max<std::int64_t>(facts.size, facts.size > 0 ? 1024 : 0)) / 1024) + " KB";
    case 2: return TypeName(m_itemId, facts);
    default: return TimeText(facts.modified);
    }
}

TColumnInfo TShellBrowser::GetColumnInfo(int column)
{
    static constexpr TColumnInfo Columns[ShellColumnCount] = {
        {ColumnAlignment::Left, 150}, {ColumnAlignment::Right, 60},
        {ColumnAlignment::Left, 120}, {ColumnAlignment::Left, 100}};
    return column >= 0 && column < ShellColumnCount ? Columns[column] : TColumnInfo{};
}

int TShellBrowser::CompareIDs(int column, const std::string& a, const std::string& b) const
{
    return CompareIDs(column, a, b, [](const std::string& x, const std::string& y) { return CompareText(x, y); });
}

int TShellBrowser::CompareIDs(int column, const std::string& a, const std::string& b,
                              const TTextOrder& compareText) const
{
    if (m_folderId.empty()) {
        // The desktop keeps its own order.
        const std::vector<std::string> objects = DesktopObjects();
        const auto rank = [&objects](const std::string& id) {
            return std::find(objects.begin(), objects.end(), id) - objects.begin();
        };
        return static_cast<int>(rank(a) - rank(b));
    }
    const TFileFacts x = FactsOf(a);
    const TFileFacts y = FactsOf(b);
    if (x.isDir != y.isDir) {
        return x.isDir ? -1 : 1;
    }
    int result = 0;
    switch (column) {
    case 1: result = x.size < y.size ? -1 : (x.size > y.size ? 1 : 0); break;
    case 2: result = compareText(TypeName(a, x), TypeName(b, y)); break;
    case 3: result = x.modified < y.modified ? -1 : (x.modified > y.modified ? 1 : 0); break;
    default: break;
    }
    if (result == 0) {
        result = compareText(FileNameOf(a), FileNameOf(b));
    }
    if (result == 0) {
        result = FileNameOf(a).compare(FileNameOf(b));
    }
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

}  // namespace zk::platform
