#pragma once

#include <QString>

// Makes a folder refuse new entries for the life of the object: the immutable flag (which
// stops root too) where the file system has it, else the permission bits. Files already in
// the folder stay writable in place, so only a save that writes a new file and renames it
// over the old one is stopped.
class LockedFolder {
public:
    explicit LockedFolder(const QString& folder);
    ~LockedFolder();
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // Whether creating a file in the folder really fails (root ignores the permission bits).
    bool locked() const;

private:
    QString folder_;
    int fd_ = -1;
    bool immutable_ = false;
};
