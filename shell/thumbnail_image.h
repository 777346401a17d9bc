#pragma once
// TQorThumbnailImage: a panel showing the thumbnail of one file, following
// the file selected in linked shell controls. Thumbnails are made by a
// worker thread of the panel; each new request abandons the one before,
// whose result is then dropped.

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "shell/shell_link.h"

namespace zk {

// The panel's worker: makes the latest requested thumbnail and hands it to
// the panel's thread. Requests made while it works replace each other.
class TQorThumbnailThread {
public:
    struct TRequest {
        std::uint64_t generation;
        std::string path;
        int width;
        int height;
    };
    using TDone = std::function<void(std::uint64_t generation, QImage image)>;

    explicit TQorThumbnailThread(TDone done);
    ~TQorThumbnailThread();  // waits for the thumbnail being made
    TQorThumbnailThread(const TQorThumbnailThread&) = delete;
    TQorThumbnailThread& operator=(const TQorThumbnailThread&) = delete;

    void Request(TRequest request);

private:
    void Run();

    TDone m_done;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<TRequest> m_pending;
    bool m_stop = false;
    std::thread m_worker;
};

class TQorThumbnailImage : public QFrame, public TQorShellLinkClient {
    Q_OBJECT
public:
    explicit TQorThumbnailImage(QWidget* parent = nullptr);
    ~TQorThumbnailImage() override;

    void SetShellLink(TQorShellLink* link);
    TQorShellLink* ShellLink() const { return m_link; }

    // The file shown; writing it makes its thumbnail.
    const std::string& Path() const { return m_path; }
    void SetPath(const std::string& path);
    QPixmap Picture() const { return m_image->pixmap(); }
    // Shown while a thumbnail is there; hidden for a file without one.
    bool ImageVisible() const { return m_image->isVisibleTo(this); }
    // A requested thumbnail has not arrived yet.
    bool Extracting() const { return m_waitingFor != 0; }

    // Starts making the thumbnail of Path; nothing while disabled.
    void GetThumbNailImage();

    void QORPathChanged(const std::string&) override {}
    void QORFileChanged(const std::string& folderId, const std::string& itemId) override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ThumbNailThreadDone(std::uint64_t generation, const QImage& image);
    void Show(const QImage& image);

    QPointer<TQorShellLink> m_link;
    QLabel* m_image;
    std::string m_path;
    std::uint64_t m_generation = 0;
    std::uint64_t m_waitingFor = 0;  // 0: none
    // Last, so that it stops before anything it reports to goes.
    std::unique_ptr<TQorThumbnailThread> m_thread;
};

}  // namespace zk
