#pragma once

#include "core/model/MineObject.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class TMine;

// The two families of lines that share the document's message list. Each family is
// cleared on its own and never disturbs the other.
enum class TMessageFamily : uint8_t { Check, FreeNumbers };

// What a line points at, as the message panel tells the cases apart: nodes and branches go
// to their table rows, devices to their editor (water pipes) or to the schema (gas pipes).
enum class TMessageTarget : uint8_t { None = 0, Uzel = 1, Branch = 2, WaterDevice = 3, GasDevice = 4 };

struct TMessageLine {
    TMessageFamily Family = TMessageFamily::Check;
    QString Text;
    TMessageTarget Target = TMessageTarget::None;
    // The object's number when the line was written; −1 without an object.
    int Number = -1;
    // Identity of the object (kind + serial), resolved through the mine when followed.
    TObjectKind ObjectKind = TObjectKind::Uzel;
    uint64_t Serial = 0;
    // Free-number lines: the first free number the line offers; −1 on headers and blanks.
    qint64 FirstFree = -1;

    bool HasObject() const { return Target != TMessageTarget::None; }
};

// Told about every change of the list, so a view can follow it. The "about to" calls come
// before the list changes, the others after.
class IMessageListObserver {
public:
    virtual ~IMessageListObserver() = default;
    virtual void LinesAboutToBeAppended(int /*first*/, int /*count*/) {}
    virtual void LinesAppended(int /*first*/, int /*count*/) {}
    virtual void LineChanged(int /*index*/) {}
    // Lines were removed from anywhere in the list: everything is to be read again.
    virtual void LinesAboutToBeReset() {}
    virtual void LinesReset() {}
};

// The message list of a document: numbered findings of the checks with their counters,
// phase headers, and the lines of the free-number search. Lines refer to their objects by
// identity only, so a line outlives its object and then simply resolves to nothing.
class TMessageList {
public:
    TMessageList() = default;
    TMessageList(const TMessageList&) = delete;
    TMessageList& operator=(const TMessageList&) = delete;

    int Count() const { return static_cast<int>(lines_.size()); }
    bool IsEmpty() const { return lines_.empty(); }
    const TMessageLine& Line(int index) const;
    const std::vector<TMessageLine>& Lines() const { return lines_; }
    QStringList Texts() const;

    // Counters of the current check run; they restart when the check lines are cleared.
    int ErrorCount() const { return errorCount_; }
    int WarningCount() const { return warningCount_; }

    // A numbered finding: "> [Ошибка N]: " or "> [Предупреждение N]: " before the message.
    // Returns the index of the new line.
    int AddError(const QString& message, const TMineObject* object = nullptr);
    int AddWarning(const QString& message, const TMineObject* object = nullptr);
    // A check line without prefix: a phase header, the abort line, a blank separator.
    int AddCheckLine(const QString& text, const TMineObject* object = nullptr);
    // Ends a phase: a passed phase gets "Ok" appended to the last line, a failed one is
    // followed by an empty line.
    void ClosePhase(bool passed);
    // Removes every check line and resets both counters.
    void ClearCheckMessages();

    int AddFreeNumberLine(const QString& text, const TMineObject* object = nullptr, qint64 firstFree = -1);
    void ClearFreeNumberMessages();

    // Both families, check lines first.
    void ClearAll();

    void AppendToLine(int index, const QString& suffix);

    // The object a line refers to, or null when it has none or the object is gone.
    TMineObject* Resolve(int index, const TMine& mine) const;
    static TMineObject* Resolve(const TMessageLine& line, const TMine& mine);

    // One observer at a time (the document's view); null detaches it.
    void SetObserver(IMessageListObserver* observer) { observer_ = observer; }

    // Which target a finding about the object gets; throws for objects a line cannot name.
    static TMessageTarget TargetOf(const TMineObject& object);

private:
    int Append(TMessageLine line);
    void RemoveFamily(TMessageFamily family);

    std::vector<TMessageLine> lines_;
    int errorCount_ = 0;
    int warningCount_ = 0;
    IMessageListObserver* observer_ = nullptr;
};
