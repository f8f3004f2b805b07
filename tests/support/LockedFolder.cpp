#include "support/LockedFolder.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

LockedFolder::LockedFolder(const QString& folder) : folder_(folder)
{
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
        flags |= FS_IMMUTABLE_FL;
        immutable_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (!immutable_)
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}

LockedFolder::~LockedFolder()
{
    if (immutable_) {
        int flags = 0;
        if (ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
    } else {
        QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (fd_ >= 0)
        ::close(fd_);
}

bool LockedFolder::locked() const
{
    QFile probe(folder_ + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}
