#include "shell/thumbnail_image.h"

#include <QEvent>
#include <QMetaObject>
#include <QVBoxLayout>

#include "shell/shell_thumbnail.h"

namespace zk {

TQorThumbnailThread::TQorThumbnailThread(TDone done) : m_done(std::move(done)), m_worker([this] { Run(); }) {}

TQorThumbnailThread::~TQorThumbnailThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_worker.join();
}

void TQorThumbnailThread::Request(TRequest request)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending = std::move(request);
    }
    m_wake.notify_one();
}

void TQorThumbnailThread::Run()
{
    for (;;) {
        TRequest request;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending.has_value(); });
            if (m_stop) {
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
        }
        m_done(request.generation, GetThumbnailBitmap(request.path, request.width, request.height));
    }
}

TQorThumbnailImage::TQorThumbnailImage(QWidget* parent) : QFrame(parent), m_image(new QLabel(this))
{
    resize(DefaultThumbnailSize, DefaultThumbnailSize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_image);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setMinimumSize(1, 1);
    m_image->hide();
    m_thread = std::make_unique<TQorThumbnailThread>([this](std::uint64_t generation, QImage image) {
        // On the worker: the panel takes the result on its own thread.
        QMetaObject::invokeMethod(
            this, [this, generation, image = std::move(image)] { ThumbNailThreadDone(generation, image); },
            Qt::QueuedConnection);
    });
}

TQorThumbnailImage::~TQorThumbnailImage()
{
    m_thread.reset();
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
}

void TQorThumbnailImage::SetShellLink(TQorShellLink* link)
{
    if (link == m_link) {
        return;
    }
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
    m_link = link;
    if (m_link) {
        m_link->RegisterShellControl(this);
    }
}

void TQorThumbnailImage::SetPath(const std::string& path)
{
    m_path = path;
    GetThumbNailImage();
}

void TQorThumbnailImage::GetThumbNailImage()
{
    if (!isEnabled()) {
        return;
    }
    m_waitingFor = ++m_generation;
    m_thread->Request({m_waitingFor, m_path, width(), height()});
}

void TQorThumbnailImage::ThumbNailThreadDone(std::uint64_t generation, const QImage& image)
{
    if (generation != m_waitingFor) {
        return;  // abandoned for a later request
    }
    m_waitingFor = 0;
    Show(image);
}

void TQorThumbnailImage::Show(const QImage& image)
{
    if (image.isNull()) {
        m_image->clear();
        m_image->hide();
        return;
    }
    m_image->setPixmap(QPixmap::fromImage(image));
    m_image->show();
}

void TQorThumbnailImage::QORFileChanged(const std::string& folderId, const std::string& itemId)
{
    if (folderId.empty() || itemId.empty()) {
        return;
    }
    m_image->show();
    SetPath(itemId);
}

void TQorThumbnailImage::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) {
        return;
    }
    if (isEnabled()) {
        GetThumbNailImage();
    } else {
        m_waitingFor = 0;
        m_image->hide();
    }
}

void TQorThumbnailImage::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (isEnabled() && !m_path.empty()) {
        // The new size at once, on this thread; a running request is dropped.
        m_waitingFor = 0;
        Show(GetThumbnailBitmap(m_path, width(), height()));
    }
}

}  // namespace zk
