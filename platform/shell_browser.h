#pragma once
// The shell namespace over the file system. Objects are named by their
// absolute path, which serves as their identifier; the desktop, the one
// folder without a path, has the empty identifier. The desktop holds the
// user's home folder and the file-system root. A TShellBrowser stands on one
// folder and on at most one object in it; the shell views each own one and
// read everything about their items through it.

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zk::platform {

// The special folders that exist on this system; the values are those of the
// family's folder enumeration, 0 also meaning "none".
enum class TQorShellFolder : int {
    SF_FILESYSTEMFOLDER = 0,
    SF_DESKTOP = 3,
    SF_DRIVES = 5,    // the file-system root
    SF_PERSONAL = 9,  // the user's home folder
};

class EShellBrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline const std::string DesktopId;  // the desktop's identifier: empty

// The desktop's objects in their order: the home folder (when it is a
// directory other than the root) and the root.
std::vector<std::string> DesktopObjects();
std::string HomeFolder();

// The recursive mask match of the filters: '*' any run, '?' one character,
// other characters equal ignoring ASCII case. A mask "*" matches everything.
bool MaskMatches(std::string_view name, std::string_view mask);
// path relative to base when base is a prefix of it (ASCII case ignored),
// else empty. Bases "/a" and "/a/" both turn "/a/b" into "b".
std::string GetRelativePath(const std::string& base, const std::string& path);
// The parent folder's identifier: the desktop for the desktop's objects.
std::string ParentId(const std::string& id);

enum class ColumnAlignment : std::uint8_t { Left, Right };
struct TColumnInfo {
    ColumnAlignment alignment = ColumnAlignment::Left;
    int width = 0;
};
inline constexpr int ShellColumnCount = 4;  // Name, Size, Type, Changed

class TShellBrowser {
public:
    TShellBrowser();  // on the desktop, no object

    // Folder: the current folder's path ending in '/', empty for the desktop.
    // Writing a path (with or without '/') opens it; the empty path opens the
    // desktop. A path that is no folder raises "Cannot Find Folder: " + path.
    const std::string& Folder() const { return m_folder; }
    void SetDirectory(const std::string& path);
    const std::string& FolderIdList() const { return m_folderId; }
    void SetFolderIdList(std::string id);

    // The current object's identifier (its absolute path), empty for none.
    const std::string& ItemIdList() const { return m_itemId; }
    void SetItemIdList(std::string id);
    // Splits an absolute identifier into folder and object.
    void SetAbsoluteItemIdList(std::string id);

    // Write: a name in the folder, or a whole path (which opens its folder);
    // an unknown name raises "Error! Cannot find Object ...". Read: the
    // object's file name; for the desktop's objects their whole path.
    void SetObjectName(const std::string& name);
    std::string ObjectName() const;
    // The name as the views show it ("Home", "File System", file names).
    std::string GetShellObjectName() const;
    static std::string GetDesktopName() { return "Desktop"; }
    // Folder + ObjectName, or the object's path for the desktop's objects.
    std::string ObjectPath() const { return m_itemId; }

    // Moves to the next object of the folder that passes FileSystemOnly and
    // the filter; false at the end (the next call starts over).
    bool Next();
    // Drops a running enumeration.
    void EndEnumeration();

    bool IsFolder() const;
    bool HasSubFolders();
    bool IsHidden() const;  // a name beginning with '.'
    bool IsLink() const;
    // Whether the object may be renamed where it is; reason, when given,
    // says why not.
    bool CanRename(std::string* reason = nullptr) const;
    std::string IsLinkToFolder() const;  // a link's target folder, or empty
    TQorShellFolder IsSpecialFolder() const { return SpecialFolderOf(m_folderId); }
    TQorShellFolder IsSpecialObject() const { return m_itemId.empty() ? TQorShellFolder::SF_FILESYSTEMFOLDER
                                                                      : SpecialFolderOf(m_itemId); }
    static TQorShellFolder SpecialFolderOf(const std::string& id);
    static std::string SpecialFolderId(TQorShellFolder folder);
    std::int64_t GetFileSize() const;  // -1 when missing or a folder
    std::time_t GetModifiedTime() const;  // 0 when missing

    // The parent becomes the folder and the old folder its object.
    bool SelectParent();
    // Enters the object when it is a folder.
    bool BrowseObject();
    bool BrowseSpecialFolder(TQorShellFolder folder);

    // Renames the object in its folder; name becomes the object's name as it
    // is now (the old one when the rename failed). True when it was renamed;
    // otherwise reason, when given, says why (the name is taken, has a '/',
    // is empty, ...).
    bool RenameObject(std::string& name, std::string* reason = nullptr);

    // Masks separated by ';'; empty means "*".
    void SetFilter(const std::string& filter);
    std::string Filter() const;
    bool FilterMatch() const;  // folders always pass
    bool FileSystemOnly = false;  // skip objects that are neither files nor folders

    // Detail columns 0..3 (Name, Size, Type, Changed); beyond them empty.
    std::string GetColumnText(int column, bool header) const;
    static TColumnInfo GetColumnInfo(int column);
    // The shell's order of two objects of this folder by a column: folders
    // first, then by the column, then by name. Negative, 0 or positive.
    int CompareIDs(int column, const std::string& a, const std::string& b) const;
    // The same with texts (names, type names) in the order of compareText,
    // negative, 0 or positive; ties then go by the names' bytes.
    using TTextOrder = std::function<int(const std::string&, const std::string&)>;
    int CompareIDs(int column, const std::string& a, const std::string& b, const TTextOrder& compareText) const;

    // What a plain list view filled from this browser keeps from one fill
    // to the next: the column sorted last and its direction, and the
    // previous folder's column widths (below 1: none saved).
    struct TListViewState {
        int sortColumn = -1;
        int sortDirection = 1;
        bool columnsExisted = false;
        std::array<int, 17> savedColumnWidths{};
    };
    TListViewState ListView;

private:
    std::string m_folder;
    std::string m_folderId;
    std::string m_itemId;
    std::vector<std::string> m_masks{"*"};
    struct TEntry {
        std::string id;
        bool isDir = false;   // following links
        bool isFile = false;  // a regular file, following links
    };
    std::vector<TEntry> m_enumeration;  // the objects still to visit
    bool m_enumerating = false;
    std::size_t m_next = 0;
    int m_hasSubFolders = -1;  // -1 not asked yet
    int m_itemIsDir = -1;      // -1 not known from the enumeration
};

}  // namespace zk::platform
