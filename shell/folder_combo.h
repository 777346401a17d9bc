#pragma once
// TQorFolderCombo: a flat combo of folder paths that a program fills itself
// (AddFolder, SelectFolder), optionally led by the home folder and followed
// by the file system's root, the one "drive" of this system. It has no link.

#include <QComboBox>
#include <QMenu>
#include <QPointer>

#include <string>

namespace zk {

class TQorFolderCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TQorFolderCombo(QWidget* parent = nullptr);

    static constexpr int Indent = 5;  // pixels per level

    // Adds an entry; returns its index.
    int InsertItem(int index, const std::string& itemText, const std::string& displayName, int level);
    int AddComboItem(const std::string& itemText, const std::string& displayName, int level)
    {
        return InsertItem(-1, itemText, displayName, level);
    }
    // -1 when an entry has that path already.
    int AddFolder(const std::string& path, int level);
    // Selects the entry of path, adding it first when there is none.
    bool SelectFolder(const std::string& path);
    // The path of an entry.
    std::string ItemText(int index) const;

    void SetIncludeDrives(bool include);
    bool IncludeDrives() const { return m_includeDrives; }
    void SetIncludeMyDocuments(bool include);
    bool IncludeMyDocuments() const { return m_includeMyDocuments; }

    // The application's own menu; without it a right click shows the menu
    // of the selected folder.
    QPointer<QMenu> PopupMenu;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int IndexOfText(const std::string& path) const;

    bool m_includeDrives = false;
    bool m_includeMyDocuments = false;
};

}  // namespace zk
