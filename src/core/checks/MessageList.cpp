#include "core/checks/MessageList.h"

#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <algorithm>

namespace {
QString ClassNameOf(const TMineObject& object)
{
    switch (object.ObjectKind()) {
    case TObjectKind::PipePart:
        return dynamic_cast<const TGasPipePart*>(&object) ? QStringLiteral("TGasPipePart")
                                                           : QStringLiteral("TWaterPipePart");
    case TObjectKind::Layer: return QStringLiteral("TLayer");
    case TObjectKind::PLFPosition: return QStringLiteral("TPLFPosition");
    default: return QStringLiteral("TMineObject");
    }
}

TMessageLine MakeLine(TMessageFamily family, const QString& text, const TMineObject* object)
{
    TMessageLine line;
    line.Family = family;
    line.Text = text;
    if (object) {
        line.Target = TMessageList::TargetOf(*object);
        line.Number = object->Number();
        line.ObjectKind = object->ObjectKind();
        line.Serial = object->Serial();
    }
    return line;
}
}  // namespace

TMessageTarget TMessageList::TargetOf(const TMineObject& object)
{
    switch (object.ObjectKind()) {
    case TObjectKind::Uzel: return TMessageTarget::Uzel;
    case TObjectKind::Branch: return TMessageTarget::Branch;
    case TObjectKind::Device: {
        const TPipe* pipe = static_cast<const TDevice&>(object).Pipe();
        return pipe && pipe->IsGas() ? TMessageTarget::GasDevice : TMessageTarget::WaterDevice;
    }
    default: break;
    }
    throw Exception(ClassNameOf(object) + QStringLiteral(": Передан неверный класс"));
}

const TMessageLine& TMessageList::Line(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return lines_[static_cast<size_t>(index)];
}

QStringList TMessageList::Texts() const
{
    QStringList out;
    out.reserve(Count());
    for (const auto& line : lines_)
        out << line.Text;
    return out;
}

int TMessageList::Append(TMessageLine line)
{
    const int index = Count();
    if (observer_)
        observer_->LinesAboutToBeAppended(index, 1);
    lines_.push_back(std::move(line));
    if (observer_)
        observer_->LinesAppended(index, 1);
    return index;
}

int TMessageList::AddError(const QString& message, const TMineObject* object)
{
    // The line is made before the counter moves, so a refused object leaves no trace.
    TMessageLine line = MakeLine(TMessageFamily::Check, QString(), object);
    ++errorCount_;
    line.Text = QStringLiteral("> [Ошибка %1]: ").arg(errorCount_) + message;
    return Append(std::move(line));
}

int TMessageList::AddWarning(const QString& message, const TMineObject* object)
{
    TMessageLine line = MakeLine(TMessageFamily::Check, QString(), object);
    ++warningCount_;
    line.Text = QStringLiteral("> [Предупреждение %1]: ").arg(warningCount_) + message;
    return Append(std::move(line));
}

int TMessageList::AddCheckLine(const QString& text, const TMineObject* object)
{
    return Append(MakeLine(TMessageFamily::Check, text, object));
}

void TMessageList::ClosePhase(bool passed)
{
    if (passed && !lines_.empty())
        AppendToLine(Count() - 1, QStringLiteral("Ok"));
    else if (!passed)
        AddCheckLine(QString());
}

int TMessageList::AddFreeNumberLine(const QString& text, const TMineObject* object, qint64 firstFree)
{
    TMessageLine line = MakeLine(TMessageFamily::FreeNumbers, text, object);
    line.FirstFree = firstFree;
    return Append(std::move(line));
}

void TMessageList::AppendToLine(int index, const QString& suffix)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    lines_[static_cast<size_t>(index)].Text += suffix;
    if (observer_)
        observer_->LineChanged(index);
}

void TMessageList::RemoveFamily(TMessageFamily family)
{
    const bool any = std::any_of(lines_.begin(), lines_.end(), [family](const TMessageLine& l) { return l.Family == family; });
    if (!any)
        return;
    // One notification for the whole removal: the view re-reads the list once.
    if (observer_)
        observer_->LinesAboutToBeReset();
    std::erase_if(lines_, [family](const TMessageLine& l) { return l.Family == family; });
    if (observer_)
        observer_->LinesReset();
}

void TMessageList::ClearCheckMessages()
{
    RemoveFamily(TMessageFamily::Check);
    errorCount_ = 0;
    warningCount_ = 0;
}

void TMessageList::ClearFreeNumberMessages() { RemoveFamily(TMessageFamily::FreeNumbers); }

void TMessageList::ClearAll()
{
    ClearCheckMessages();
    ClearFreeNumberMessages();
}

TMineObject* TMessageList::Resolve(int index, const TMine& mine) const { return Resolve(Line(index), mine); }

TMineObject* TMessageList::Resolve(const TMessageLine& line, const TMine& mine)
{
    if (!line.HasObject())
        return nullptr;
    return mine.FindObject(line.ObjectKind, line.Serial);
}
