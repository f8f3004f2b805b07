#include "render/report/TablesReport.h"

#include "core/tables/TableCells.h"
#include "core/tables/TableColumns.h"
#include "core/exchange/ResultsText.h"
#include "core/file/AtomicFile.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <QLocale>

#include <algorithm>

namespace {

constexpr double kRemarkWidthCm = 5.0;
constexpr double kColumnWidthCm = 3.0;

QString HeadingOf(const TColumnDef& def)
{
    QString unit = def.Unit;
    unit.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return def.LongTitle + unit;
}

TReportAlign AlignOf(int align)
{
    return align == caRight ? TReportAlign::Right : TReportAlign::Left;
}

// The visible columns of a document table, in its order, and how each prints.
template <typename CellText>
TReportTable TableOf(const QString& title, const TColumnSet& columns, int remarkParam, size_t rowCount,
                     const CellText& cell)
{
    TReportTable table;
    table.Title = title;
    std::vector<int> params;
    for (int i = 0; i < columns.Count(); ++i) {
        const TColumnDescriptor& c = columns.At(i);
        if (!c.Visible)
            continue;
        params.push_back(c.Def.Param);
        table.Columns.push_back({HeadingOf(c.Def), AlignOf(c.Def.Align), c.Def.Param == 0,
                                 c.Def.Param == remarkParam ? kRemarkWidthCm : kColumnWidthCm});
    }
    table.Rows.reserve(rowCount);
    for (size_t r = 0; r < rowCount; ++r) {
        QStringList texts;
        texts.reserve(int(params.size()));
        for (int param : params)
            texts << cell(r, param);
        table.Rows.push_back(std::move(texts));
    }
    return table;
}

TReportTable FixedTable(const QString& title, const QStringList& headings)
{
    TReportTable table;
    table.Title = title;
    for (int i = 0; i < headings.size(); ++i) {
        QString heading = headings[i];
        heading.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        table.Columns.push_back({heading, i == 0 ? TReportAlign::Left : TReportAlign::Right, i == 0, kColumnWidthCm});
    }
    return table;
}

// The first section of a pipe (the second when the first has no length) or the last one (the
// one before it when the last has none).
bool IsEndSection(const TWaterPipePart& section)
{
    const TPipe* pipe = section.OwnerPipeOf();
    if (!pipe)
        return false;
    const int count = pipe->SectionCount();
    const int index = section.GetIndex();
    const auto lengthOf = [pipe](int i) { return pipe->GetSection(i)->SectionLength(); };
    const int first = count > 1 && lengthOf(0) == 0 ? 1 : 0;
    const int last = count > 1 && lengthOf(count - 1) == 0 ? count - 2 : count - 1;
    return index == first || index == last;
}

// The section ends at a hydrant that is switched on.
bool EndsAtConsumer(const TWaterPipePart& section)
{
    const TPipe* pipe = section.OwnerPipeOf();
    if (!pipe)
        return false;
    const int next = section.GetIndex();  // the device after section i is device i
    if (next < 0 || next >= pipe->Devices.Count())
        return false;
    const auto* crane = dynamic_cast<const TCrane*>(pipe->Devices.Items(next));
    return crane && crane->Consumption();
}

QString PipelineCell(const THydroBranch& row, int param, int decimals)
{
    return ResultsText::SectionCell(row, param,
                                    [decimals](double v) { return TablesReport::ResultText(v, decimals); });
}

}  // namespace

std::vector<const TUzel*> TablesReport::ChooseUzels(const TMine& mine, int choice)
{
    std::vector<const TUzel*> rows;
    if (choice == TTablesReportOptions::NoRows)
        return rows;
    for (int i = 0; i < mine.Uzels.Count(); ++i) {
        const TUzel* u = mine.Uzels.Items(i);
        if (choice == TTablesReportOptions::Full || u->Selected())
            rows.push_back(u);
    }
    return rows;
}

std::vector<const TBranch*> TablesReport::ChooseBranches(const std::vector<TBranch*>& order, int choice)
{
    std::vector<const TBranch*> rows;
    if (choice == TTablesReportOptions::NoRows)
        return rows;
    for (const TBranch* b : order)
        if (b && (choice == TTablesReportOptions::Full || b->Selected()))
            rows.push_back(b);
    return rows;
}

std::vector<THydroBranch> TablesReport::ChooseResults(const std::vector<THydroBranch>& rows, int choice)
{
    std::vector<THydroBranch> chosen;
    for (const THydroBranch& row : rows) {
        if (!row.Branch || !row.Section)
            continue;
        bool take = false;
        switch (choice) {
        case TTablesReportOptions::AllSections:
            take = true;
            break;
        case TTablesReportOptions::SelectedBranches:
            take = row.Branch->Selected();
            break;
        case TTablesReportOptions::EndsAndConsumers:
            take = IsEndSection(*row.Section) || EndsAtConsumer(*row.Section);
            break;
        case TTablesReportOptions::FlowingEnds:
            take = IsEndSection(*row.Section) && row.Values.Q != 0;
            break;
        case TTablesReportOptions::Flowing:
            take = row.Values.Q != 0;
            break;
        default:
            break;
        }
        if (take)
            chosen.push_back(row);
    }
    return chosen;
}

QString TablesReport::ResultText(double value, int decimals)
{
    if (value > 1e11)
        return QStringLiteral("~");
    return TableCells::FixedText(value, decimals);
}

TReportTable TablesReport::UzelTable(const std::vector<const TUzel*>& uzels, const TColumnSet& columns)
{
    return TableOf(kNodesTitle, columns, -1, uzels.size(),
                   [&](size_t r, int param) { return TableCells::UzelText(*uzels[r], param); });
}

TReportTable TablesReport::BranchTable(const std::vector<const TBranch*>& branches, const TColumnSet& columns)
{
    return TableOf(kBranchesTitle, columns, bpRemark, branches.size(),
                   [&](size_t r, int param) { return TableCells::BranchText(*branches[r], param); });
}

TReportTable TablesReport::ResultTable(const std::vector<THydroBranch>& rows, const TColumnSet& columns,
                                       const QString& caption)
{
    const std::vector<TColumnDef>& defs = TableColumns::Defs(TTableKind::Results);
    const QString title = caption.isEmpty() ? kResultsTitle : kResultsTitle + u' ' + caption;
    return TableOf(title, columns, hbpRemark, rows.size(), [&](size_t r, int param) {
        const int decimals = param >= 0 && param < int(defs.size()) ? defs[size_t(param)].Decimals : 0;
        return PipelineCell(rows[r], param, decimals);
    });
}

TReportTable TablesReport::WasherTable(const std::vector<TWasherRow>& rows)
{
    TReportTable table = FixedTable(kWashersTitle,
                                    {QStringLiteral("Узел\r\n№"), QStringLiteral("Давл.до\r\nшайбы\r\n[м вод.ст]"),
                                     QStringLiteral("Избыт.\r\nдавление\r\n[м вод.ст]"),
                                     QStringLiteral("№ и диам.\r\nшайбы\r\n[мм]"),
                                     QStringLiteral("Снижение\r\nдавления\r\n[м вод.ст]"),
                                     QStringLiteral("Давл.после\r\nшайбы\r\n[м вод.ст]")});
    for (const TWasherRow& row : rows) {
        table.Rows.push_back({QString::number(row.Hydrant->Number()), ResultText(row.Pressure, 1),
                              ResultText(row.Excess(), 1),
                              QStringLiteral("%1 - %2").arg(row.Washer).arg(double(TCrane::WasherSize(row.Washer)), 0, 'f', 2),
                              ResultText(row.Drop(), 1), ResultText(row.After(), 1)});
    }
    return table;
}

TReportTable TablesReport::LowerTable(const std::vector<TLowerRow>& rows)
{
    TReportTable table = FixedTable(kLowersTitle, {QStringLiteral("Кран\r\n№"), QStringLiteral("Давление\r\n(м)"),
                                                   QStringLiteral("Недостаток\r\n(м)")});
    for (const TLowerRow& row : rows) {
        table.Rows.push_back(
            {QString::number(row.Hydrant->Number()), ResultText(row.Pressure, 1), ResultText(row.Shortage(), 1)});
    }
    return table;
}

std::vector<TTitleLine> TablesReport::TitlePage(const TTablesReportInputs& in)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const TReportFont arial10{TReportFace::Sans, 10, false, false};
    const TReportFont arial12{TReportFace::Sans, 12, false, false};
    const TReportFont times18{TReportFace::Serif, 18, true, false};
    const TReportFont times12{TReportFace::Serif, 12, true, false};

    std::vector<TTitleLine> lines;
    lines.push_back({russian.toString(in.When.date(), QLocale::ShortFormat),
                     russian.toString(in.When.time(), QStringLiteral("HH:mm:ss")), arial10, 0, true});
    lines.push_back({QStringLiteral("Программа расчета расчета подземного пожарно-оросительного "), {}, arial12, 5});
    lines.push_back({QStringLiteral("трубопровода \"Ирвата\""), {}, arial12, 0});
    QString kind;
    if (!in.Uzels.empty() || !in.Branches.empty())
        kind = QStringLiteral("Исходные данные.");
    if (!in.Results.empty())
        kind += QStringLiteral(" Результаты расчета.");
    if (!kind.isEmpty())
        lines.push_back({kind.trimmed(), {}, times18, 1});
    const QString mineName = in.Mine ? in.Mine->Name() : QString();
    lines.push_back({QStringLiteral("Шахта \"%1\"").arg(mineName), {}, times18, kind.isEmpty() ? 1.0 : 0.0});
    lines.push_back({QStringLiteral("Файл \"%1\"").arg(FileNameOnly(in.FileName)), {}, times12, 0.2});
    if (in.Mine) {
        const TMine& m = *in.Mine;
        lines.push_back({QStringLiteral("узлов: %1").arg(m.Uzels.Count()), {}, arial10, 1});
        lines.push_back({QStringLiteral("ветвей: %1").arg(m.Branches.Count()), {}, arial10, 0.1});
        lines.push_back({QStringLiteral("устройств пожарно-оросительного трубопровода: %1")
                             .arg(m.DevicesByPipeKind[0].Count()),
                         {}, arial10, 0.1});
        lines.push_back({QStringLiteral("пластов: %1").arg(m.Layers.Count()), {}, arial10, 0.1});
    }
    return lines;
}

TReportContent TablesReport::Build(const TTablesReportInputs& in)
{
    TReportContent content;
    content.PageNumbers = in.PageNumbers;
    if (in.TitlePage)
        content.TitlePage = TitlePage(in);
    if (!in.Uzels.empty() && in.UzelColumns)
        content.Tables.push_back(UzelTable(in.Uzels, *in.UzelColumns));
    if (!in.Branches.empty() && in.BranchColumns)
        content.Tables.push_back(BranchTable(in.Branches, *in.BranchColumns));
    if (!in.Results.empty() && in.ResultColumns) {
        TReportTable results = ResultTable(in.Results, *in.ResultColumns, in.ResultsCaption);
        if (in.Messages && !in.ResultMessages.isEmpty()) {
            results.NotesHeading = kMessagesHeading;
            results.Notes = in.ResultMessages;
        }
        content.Tables.push_back(std::move(results));
    }
    if (!in.Washers.empty())
        content.Tables.push_back(WasherTable(in.Washers));
    if (!in.Lowers.empty())
        content.Tables.push_back(LowerTable(in.Lowers));
    return content;
}
