#pragma once
// What the engine sets on a file dialog before it shows it.

#include <string>

namespace zk {

struct FileDialogOptions {
    std::string title;
    std::string fileName;
    std::string defaultExtension;  // without the dot, e.g. "ZLB"
    std::string filter;            // "Description (*.ext)|*.EXT"
    std::string initialDir;
};

}  // namespace zk
