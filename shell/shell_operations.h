#pragma once
// What the shell views report about the objects a user worked on, and the
// helpers they share for dragged and pasted files: files travel as a list
// of file URLs ("text/uri-list"); cut files carry the desktop's marks
// ("x-special/gnome-copied-files" and "application/x-kde-cutselection"), so
// a file manager's paste moves them as well.

#include <QMimeData>
#include <QPoint>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QAbstractScrollArea;

namespace zk {

enum class TQorShellOperation : std::uint8_t {
    sopCopy, sopMove, sopDrag, sopDrop, sopCut, sopPaste, sopDelete, sopRemove, sopAdd, sopRename
};
using TQorShellOperations = std::set<TQorShellOperation>;
using TOnOperation = std::function<void(QObject& sender, const TQorShellOperations& operation,
                                        const std::vector<std::string>& files, const std::string& destination)>;

// While something is dragged over a view: scroll at most every 100 ms, within
// 25 pixels of a side or 20 of the top or bottom; expand a folder hovered 2 s.
inline constexpr int AUTOSCROLL_DELAY_MS = 100;
inline constexpr int AUTOSCROLL_THRESHOLD_X = 25;
inline constexpr int AUTOSCROLL_THRESHOLD_Y = 20;
inline constexpr int AUTOEXPAND_DELAY_MS = 2000;

// Scrolls the area one line towards the edge the point (in viewport
// coordinates) is near, for each bar that has room.
void AutoScrollAtPoint(QAbstractScrollArea& area, QPoint point);

// The file URLs for paths; cut marks them for moving.
std::unique_ptr<QMimeData> FileListToMimeData(const std::vector<std::string>& paths, bool cut);
// The local paths among the data's URLs; empty for no data.
std::vector<std::string> DataObjectToFileList(const QMimeData* data);
bool DataObjectIsCut(const QMimeData* data);

// The action a drop of files onto folder takes: a link with createLink,
// Alt or Ctrl+Shift; a copy with Ctrl; a move with Shift; unforced a move
// within one file system and a copy across file systems, and a copy where
// the drag's source offers no move (possible: what it offers).
Qt::DropAction ChooseDropAction(const std::vector<std::string>& files, const std::string& folder,
                                Qt::KeyboardModifiers keys, bool createLink, Qt::DropActions possible);
// Whether folder may take the files: none of them is folder or holds it,
// and none lies in it already.
bool CanDropInto(const std::vector<std::string>& files, const std::string& folder);
// Copies, moves or links the files into folder, never replacing anything.
// True when at least one of them went; refusals gets a line for each one
// that did not, saying why, and for each moved one whose original could
// not be removed.
bool TransferFiles(const std::vector<std::string>& files, const std::string& folder, Qt::DropAction action,
                   QStringList& refusals);

// The clipboard's files and whether they were cut.
std::vector<std::string> ClipboardFiles();
bool ClipboardIsCut();
void SetClipboardFiles(const std::vector<std::string>& paths, bool cut);
// Copies the clipboard's files into folder, or moves them when they were
// cut; cut files go once, so they leave the clipboard, while those still
// where they were (refused, or copied but not removed) stay on it, cut.
// Returns the clipboard's files when any of them went, else none; refusals
// gets a line for each one that did not go, or did not leave, saying why.
std::vector<std::string> PasteClipboardInto(const std::string& folder, QStringList& refusals);

}  // namespace zk
