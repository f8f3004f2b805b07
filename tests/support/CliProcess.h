#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// irvata-cli run as scripts run it: its exit status, standard output and standard error.
struct TCliRun {
    int exit = -1;
    QByteArray out;
    QString err;
};

TCliRun RunCli(const QStringList& args);
