#include "core/shell/DdeMacro.h"

namespace {

class MacroReader {
public:
    explicit MacroReader(const QString& text) : text_(text) {}

    std::vector<MacroCommand> readAll()
    {
        std::vector<MacroCommand> commands;
        while (skipTo(QLatin1Char('['))) {
            ++pos_;
            MacroCommand command;
            if (readCommand(command))
                commands.push_back(command);
            else
                skipPast(QLatin1Char(']'));
        }
        return commands;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_.at(pos_); }

    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++pos_;
    }
    bool skipTo(QChar c)
    {
        while (!atEnd() && peek() != c)
            ++pos_;
        return !atEnd();
    }
    void skipPast(QChar c)
    {
        if (skipTo(c))
            ++pos_;
    }

    // After "[": name, optional "(argument)", "]".
    bool readCommand(MacroCommand& command)
    {
        skipBlanks();
        const qsizetype start = pos_;
        while (!atEnd() && peek() != QLatin1Char('(') && peek() != QLatin1Char(']') && peek() != QLatin1Char('['))
            ++pos_;
        command.name = text_.mid(start, pos_ - start).trimmed();
        if (command.name.isEmpty() || atEnd() || peek() == QLatin1Char('['))
            return false;
        if (peek() == QLatin1Char('(')) {
            ++pos_;
            if (!readArgument(command.argument))
                return false;
            command.hasArgument = true;
            skipBlanks();
        }
        if (peek() != QLatin1Char(']'))
            return false;
        ++pos_;
        return true;
    }

    // After "(": a quoted or a plain argument, then ")".
    bool readArgument(QString& argument)
    {
        skipBlanks();
        if (peek() == QLatin1Char('"')) {
            ++pos_;
            for (;;) {
                if (atEnd())
                    return false;
                const QChar c = text_.at(pos_++);
                if (c == QLatin1Char('"'))
                    break;
                if (c == QLatin1Char('\\') && !atEnd() && (peek() == QLatin1Char('"') || peek() == QLatin1Char('\\')))
                    argument += text_.at(pos_++);
                else
                    argument += c;
            }
            skipBlanks();
            if (peek() != QLatin1Char(')'))
                return false;
            ++pos_;
            return true;
        }
        const qsizetype start = pos_;
        while (!atEnd() && peek() != QLatin1Char(')') && peek() != QLatin1Char(']'))
            ++pos_;
        if (peek() != QLatin1Char(')'))
            return false;
        argument = text_.mid(start, pos_ - start).trimmed();
        ++pos_;
        return true;
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

}  // namespace

std::vector<MacroCommand> ParseMacro(const QString& macro)
{
    return MacroReader(macro).readAll();
}

QStringList OpenPathsFromMacro(const QString& macro)
{
    QStringList paths;
    for (const MacroCommand& command : ParseMacro(macro))
        if (command.name.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0 && !command.argument.isEmpty())
            paths << command.argument;
    return paths;
}

QString BuildOpenMacro(const QStringList& paths)
{
    QString macro;
    for (QString path : paths) {
        path.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        path.replace(QLatin1Char('"'), QStringLiteral("\\\""));
        macro += QStringLiteral("[open(\"") + path + QStringLiteral("\")]");
    }
    return macro;
}
