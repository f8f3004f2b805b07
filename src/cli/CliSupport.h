#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Exit statuses of irvata-cli.
enum CliExit : int {
    kExitOk = 0,
    kExitFindings = 1,  // check: the mine has errors
    kExitFile = 2,      // a file could not be read or written
    kExitUsage = 64,    // unknown command, missing or bad arguments (the usual EX_USAGE)
};

namespace Cli {

void Out(const QByteArray& utf8);
void Out(const QString& text);
void Err(const QString& text);

// Whether irvata-cli has this command.
bool IsCommand(const QString& command);
// Names the command being run: a usage error then points to that command's help.
void SetCommand(const QString& command);
// The usage (--help) on standard output: the whole, or that of one command; returns kExitOk.
int Help(const QString& command = QString());
// A bad command line: the reason in one line and the way to the usage, on standard error;
// returns kExitUsage.
int UsageError(const QString& message);

// Qt's own warnings (a missing XDG_RUNTIME_DIR when run as root, font and platform notes)
// are not irvata-cli's to report: they are dropped, so that standard error carries only the
// messages the commands write through Err. Qt's critical and fatal messages still show.
void KeepQtMessagesOffStandardError();

// Runs a command body; the system's error messages go to standard error with status 2.
int Guarded(const std::function<int()>& body);

// Command-line arguments after the command: "--name value" or "--name=value" options, the
// rest positional.
class Arguments {
public:
    // valueOptions: option names (without "--") that take a value; flags: names that take none.
    Arguments(const QStringList& args, const QStringList& valueOptions, const QStringList& flags = {});
    bool Ok() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }
    const QStringList& Positional() const { return positional_; }
    std::optional<QString> Option(const QString& name) const;
    bool Flag(const QString& name) const { return names_.contains(name); }
    // The option as a whole number within [min, max]; nullopt when absent. Sets the error
    // when present but not such a number.
    std::optional<qint64> Integer(const QString& name, qint64 min, qint64 max);

private:
    QStringList positional_;
    QStringList names_;
    QStringList values_;
    QString error_;
};

}  // namespace Cli
