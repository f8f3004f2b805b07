#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder for a test, removed with the object.
class TestTempDir {
public:
    TestTempDir() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};
