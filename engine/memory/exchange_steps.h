#pragma once
// Small steps the printer-memory exchanges share.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zk {

// Line buffer sizes of the replies (characters + 1).
inline constexpr std::size_t CountLineSize = 16;
inline constexpr std::size_t NameLineSize = 32;

// Leading decimal digits of text (none = 0), saturating at 65535.
unsigned LeadingNumber(std::string_view text);

// Reads the count line, then that many name lines of at most lineSize - 1
// characters, handing each to add; a longer name is left out. False on a
// reply time-out.
bool ReceiveNameList(std::size_t lineSize, const std::function<void(std::string)>& add);
// The same with the count line read separately, for callers that act
// between the two.
bool ReceiveCount(unsigned& count);
bool ReceiveNames(unsigned count, std::size_t lineSize, const std::function<void(std::string)>& add);

// Ends an exchange that a refused write or a time-out broke off: closes the
// port and, once a status text was shown, reports.
void AbandonExchange(bool statusShown);

// "Can't open output file", in the busy window when it is up.
void ReportCantOpenOutputFile();

// Whether a regular file exists at path.
bool FileExists(const std::string& path);
// The folder of path, ending in '/'.
std::string FolderOf(const std::string& path);

}  // namespace zk
