#include "tests/support/folder_churn.h"

#include <chrono>

namespace zk::test {

FolderChurn::FolderChurn(std::filesystem::path folder)
    : m_thread([this, churned = std::move(folder) / "churn"] {
          while (!m_stop) {
              std::error_code error;
              std::filesystem::create_directory(churned, error);
              std::filesystem::remove(churned, error);
              m_changes += 2;
              std::this_thread::sleep_for(std::chrono::milliseconds(4));
          }
      })
{
}

FolderChurn::~FolderChurn()
{
    m_stop = true;
    m_thread.join();
}

}  // namespace zk::test
