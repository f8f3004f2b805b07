#include "CliSupport.h"

#include "core/model/Errors.h"

#include <QtGlobal>

#include <cstdio>
#include <exception>

namespace Cli {

void Out(const QByteArray& utf8)
{
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
}

void Out(const QString& text) { Out(text.toUtf8()); }

void Err(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stderr);
    std::fputc('\n', stderr);
}

namespace {

// One command's part of the usage: its name and its lines, as they stand under "Commands:".
struct TCommandUsage {
    const char* Name;
    const char* Text;
};

constexpr TCommandUsage kUsage[] = {
    {"info", "  info FILE                      summary of a network file\n"},
    {"dump", "  dump FILE                      the whole network as JSON on standard output\n"},
    {"convert",
     "  convert IN OUT [--format 16|17]\n"
     "                                 read a file of any version, write version 17 (default) or 16;\n"
     "                                 an .mdf exchange file on either side, told by its extension\n"},
    {"generate",
     "  generate [--branches N] [--seed S] [--format 16|17] OUT\n"
     "                                 write a synthetic mine of N branches (default 1000)\n"
     "  generate --preset sample [--format 16|17] OUT\n"
     "                                 write the small sample mine\n"},
    {"check",
     "  check FILE [--topology | --pipeline | --free] [--no-warnings] [--projected | --no-projected]\n"
     "                                 run a check (default: the pipeline) and print its message list;\n"
     "                                 status 1 when it found errors\n"},
    {"calc",
     "  calc FILE [--json] [--out OUT.irv] [--no-warnings] [--projected | --no-projected]\n"
     "                                 the pipeline check and the hydraulic calculation of the fire\n"
     "                                 pipe: a section a line (tab-separated, in the columns' type\n"
     "                                 order), then \"# plates\" and \"# shortages\" rows; --json for\n"
     "                                 sections, plates, shortages, nodes and devices (kind = device\n"
     "                                 code); --out writes the file with the chosen plates; status 2\n"
     "                                 with the reason on standard error when it gives no results\n"},
    {"export-inp",
     "  export-inp FILE OUT.inp        calculate the fire-fighting pipe and write it with its solution\n"
     "                                 as an EPANET input file (flows in m3/h); status 2 and no file\n"
     "                                 when the calculation gives no results\n"},
    {"render",
     "  render FILE OUT.png|.bmp|.jpg|.emf|.svg|.pdf [--scale PCT] [--fit WxH] [--map-scale M]\n"
     "         [--pipe none|fire|drain|air|gas] [--colour standard|seams|positions|pressures]\n"
     "         [--branch-info number|length|angle] [--device-info none|number|model|parameters|ppz]\n"
     "         [--no-node-numbers] [--no-branch-numbers] [--no-devices] [--bw]\n"
     "         [--calc [--results q,v,r,100i,dp,dz,h,p,m,z|all] [--arrows]]\n"
     "         [--profile FILE.cl] [--objects OUT.json]\n"
     "         [--bits 1|4|8|16|24] [--quality 1..100] [--progressive] [--grey]\n"
     "                                 draw the schema into a picture of the output's format:\n"
     "                                 the whole drawing at PCT per cent (1..3000, default 100),\n"
     "                                 or fitted into W x H pixels; --bits for a bitmap (default\n"
     "                                 8), --quality (default 75), --progressive, --grey for JPEG;\n"
     "                                 --calc runs the hydraulic calculation first and draws its\n"
     "                                 result labels, water arrows and colouring by pressures\n"},
    {"print",
     "  print FILE OUT.pdf [--paper A0|A1|A2|A3|A4|A5] [--landscape] [--scale PCT | --fit-paper NAME]\n"
     "        [--map-scale M] [--margins L,T,R,B] [--no-page-numbers] [--legend] [--passport FILE.txt]\n"
     "        [--bw] [--sheets 1,3,4] [--copies N] [--colour standard|seams|positions|pressures]\n"
     "        [--calc [--results q,v,r,100i,dp,dz,h,p,m,z|all] [--arrows]]\n"
     "                                 print the schema on sheets of paper into a PDF; says\n"
     "                                 \"sheets S/T\" (selected x copies / all x copies)\n"},
    {"pumps",
     "  pumps PATH [--head Q]... [--fit Q1,Q2] [--save DIR]\n"
     "                                 pump curves of a .pmp file or a folder of them as JSON\n"},
    {"reducers",
     "  reducers FILE.rdc|DIR [--locking P]... [--save DIR]\n"
     "                                 reducer characteristics as JSON, interpolated at each P\n"},
    {"report",
     "  report FILE OUT.pdf [--nodes] [--branches] [--devices] [--title]\n"
     "                                 print the tables (default: all of them) on A4 pages\n"},
    {"transform",
     "  transform IN OUT [--nodes 1,2,...] [--schema-only] [--map-scale M]\n"
     "         (--shift DX,DY,DZ | --scale KX,KY,KZ | both | --rotate DEG [--about X0,Y0] | --swap-xy)\n"
     "                                 move all or the given nodes; shift and scale act in one step\n"},
    {"split",
     "  split IN OUT --branch N --insert K [--free] [--node-numbers a,b,...] [--branch-numbers x,y,...]\n"
     "                                 cut a branch by K evenly placed new nodes (1..10)\n"},
    {"merge",
     "  merge BASE ATTACHED OUT [--dx DX] [--dy DY] [--first-node N] [--first-branch N] [--map-scale M]\n"
     "                                 join two mines, the attached one numbered after the base one\n"},
    {"renumber",
     "  renumber IN OUT --after-max | --fill\n"
     "                                 new numbers for the fire-fighting pipes' devices in branch order\n"},
    {"numbers",
     "  numbers FILE --nodes|--branches|--devices [--no-tail]\n"
     "                                 the free numbers as the chooser lists them, one a line\n"},
    {"stats", "  stats FILE                     the mine statistics, caption<TAB>value a line\n"},
    {"devices",
     "  devices FILE [--pipe fire|drain|air|gas|all] [--kind NAME] [--consumers]\n"
     "                                 the all-devices table: headings, then a device a line\n"},
};

constexpr const char* kExitStatuses =
    "Exit status: 0 success, 1 check found errors, 2 a file could not be read or written\n"
    "(calc, export-inp: or the calculation gave no results),\n"
    "64 bad command line.\n";

// The command being run, for the hint after a usage error.
QString& CurrentCommand()
{
    static QString command;
    return command;
}

const TCommandUsage* UsageOf(const QString& command)
{
    for (const TCommandUsage& u : kUsage)
        if (command == QLatin1String(u.Name))
            return &u;
    return nullptr;
}

void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // Critical and fatal messages tell why the process fails (a fatal one ends it next):
    // those still show.
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Err(message);
}

}  // namespace

bool IsCommand(const QString& command) { return UsageOf(command) != nullptr; }

void SetCommand(const QString& command) { CurrentCommand() = command; }

int Help(const QString& command)
{
    QString text;
    if (const TCommandUsage* u = UsageOf(command)) {
        text = QStringLiteral("Usage: irvata-cli %1 [ARGUMENTS]\n\n").arg(command) + QString::fromUtf8(u->Text);
    } else {
        text = QStringLiteral("Usage: irvata-cli COMMAND [ARGUMENTS]\n"
                              "       irvata-cli COMMAND --help\n\n"
                              "Commands:\n");
        for (const TCommandUsage& each : kUsage)
            text += QString::fromUtf8(each.Text);
    }
    text += u'\n' + QString::fromUtf8(kExitStatuses);
    Out(text);
    return kExitOk;
}

int UsageError(const QString& message)
{
    Err(QStringLiteral("irvata-cli: ") + message);
    const QString& command = CurrentCommand();
    Err(QStringLiteral("Try 'irvata-cli %1--help' for more information.")
            .arg(command.isEmpty() ? QString() : command + u' '));
    return kExitUsage;
}

void KeepQtMessagesOffStandardError() { qInstallMessageHandler(QuietQtMessages); }

int Guarded(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const Exception& e) {
        Err(e.Message());
    } catch (const std::exception& e) {
        Err(QString::fromUtf8(e.what()));
    }
    return kExitFile;
}

Arguments::Arguments(const QStringList& args, const QStringList& valueOptions, const QStringList& flags)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QStringLiteral("--")) || a == QStringLiteral("--")) {
            positional_ << a;
            continue;
        }
        QString name = a.mid(2);
        QString value;
        const qsizetype eq = name.indexOf(u'=');
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            if (flags.contains(name)) {
                error_ = QStringLiteral("option --%1 takes no value").arg(name);
                return;
            }
        } else if (valueOptions.contains(name)) {
            if (i + 1 >= args.size()) {
                error_ = QStringLiteral("option --%1 needs a value").arg(name);
                return;
            }
            value = args[++i];
        }
        if (!valueOptions.contains(name) && !flags.contains(name)) {
            error_ = QStringLiteral("unknown option --%1").arg(name);
            return;
        }
        names_ << name;
        values_ << value;
    }
}

std::optional<QString> Arguments::Option(const QString& name) const
{
    // The last occurrence wins, as usual for command lines.
    for (qsizetype i = names_.size(); i-- > 0;)
        if (names_[i] == name)
            return values_[i];
    return std::nullopt;
}

std::optional<qint64> Arguments::Integer(const QString& name, qint64 min, qint64 max)
{
    const auto text = Option(name);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qint64 v = text->toLongLong(&ok);
    if (!ok || v < min || v > max) {
        error_ = QStringLiteral("--%1 must be a whole number from %2 to %3").arg(name).arg(min).arg(max);
        return std::nullopt;
    }
    return v;
}

}  // namespace Cli
