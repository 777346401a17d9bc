#include "ui/hand_over_place.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace zk {

namespace {

// A real folder (not a link), owned by this user, closed to everyone else.
bool IsPrivateFolder(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

}  // namespace

QString HandOverFolder()
{
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    if (runtimeDir.startsWith('/') && IsPrivateFolder(runtimeDir)) {
        return QString::fromLocal8Bit(runtimeDir);
    }
    // QDir::tempPath honours TMPDIR. The folder is made private from its
    // creation; one found in place is used only when it is already private,
    // since another user may have made it (or a link in its name) first.
    const QByteArray own = QFile::encodeName(QDir::tempPath() + QString("/zkedit-%1").arg(::getuid()));
    ::mkdir(own.constData(), S_IRWXU);
    return IsPrivateFolder(own) ? QFile::decodeName(own) : QString();
}

bool PeerIsThisUser(qintptr socketDescriptor)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           length == sizeof peer && peer.uid == ::getuid();
}

}  // namespace zk
