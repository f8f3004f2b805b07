#include "ui/schema2d/SchemaViewActions.h"

#include "render/schema2d/RenderContext.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <span>
#include <tuple>

namespace {

struct TSwitch {
    const char* name;
    const char* caption;
    const char* shortcut;
    int tag;
};

// Pipe types: the tag is PipeIndex.
const TSwitch kPipes[] = {
    {"ActNonePipe", "Без трубопровода", "", kPipeIndexNone},
    {"ActFirePipe", "Противопожарный трубопровод", "", 0},
    {"ActWaterPipe", "Водоотливной трубопровод", "", 1},
    {"ActAirPipe", "Трубопровод сжатого воздуха", "", 2},
    {"ActDegazPipe", "Дегазационные трубопроводы", "", 3},
};
// Colouring modes: the tag is ColorPaint.
const TSwitch kColours[] = {
    // Shift+Ctrl+S is the export's.
    {"ActColorStandard", "Стандартная раскраска", "", cmStandard},
    {"ActColorLayers", "Раскраска по пластам", "Shift+Ctrl+L", cmSeams},
    {"ActColorPressures", "Раскраска по давлениям", "Shift+Ctrl+H", cmPressures},
    {"ActColorPLF", "Раскраска по позициям ПЛА", "Shift+Ctrl+P", cmPositions},
};
// Branch information: BranchInfo = tag − 1.
const TSwitch kBranchInfo[] = {
    {"ActBrNum", "Номера ветвей", "Ctrl+R", 1},
    {"ActLen", "Длины ветвей", "", 2},
    {"ActAngle", "Углы наклона ветвей", "", 3},
};
// Device information: DevInfo = tag − 41.
const TSwitch kDevInfo[] = {
    {"ActDevNums", "Номера оборудования", "", 42},
    {"ActDevModels", "Модели оборудования", "", 43},
    {"ActDevParams", "Параметры оборудования", "", 44},
    {"ActDevPPZ", "Номера ППЗ", "", 45},
};
// Result labels: the bit is tag − 30.
const TSwitch kResults[] = {
    {"ActQ", "Q", "", 30},       {"ActV", "V", "", 31},  {"ActR", "R", "", 32},
    {"Act100i", "100i", "", 33}, {"ActDP", "dP", "", 34}, {"ActDZ", "dZ", "", 35},
    {"ActH", "h", "", 36},       {"ActH1H2", "P", "", 37}, {"ActManometer", "M", "", 38},
    {"ActZ", "Z", "", 39},
};
// Single switches.
const TSwitch kSingles[] = {
    {"ActUzelsNum", "Номера узлов", "Ctrl+U", 0},
    {"ActComment", "Комментарии", "Ctrl+D", 0},
    {"ActDevices", "Устройства", "Ctrl+M", 0},
    {"ActOnlyDuct", "Только трубы", "", 0},
    {"ActQArrow", "Направление воды", "Ctrl+Q", 0},
    {"ActBranchNapr", "Направление ветви", "Ctrl+N", 0},
    {"ActAirNapr", "Направление движения воздуха", "", 0},
    {"ActThickBranch", "Тонкие ветви", "F6", 0},
    {"ActGrid", "Сетка", "F8", 0},
    {"ActTextBlocksVisible", "Текстовые блоки", "", 0},
};

void SetBit(quint8& set, quint8 bit, bool on)
{
    set = on ? quint8(set | bit) : quint8(set & ~bit);
}

}  // namespace

TSchemaViewActions::TSchemaViewActions(QWidget* owner, TParams2D& params)
    : QObject(owner), owner_(owner), params_(params)
{
    for (const auto& group : {std::span<const TSwitch>(kPipes), std::span<const TSwitch>(kColours)}) {
        auto* exclusive = new QActionGroup(this);
        for (const TSwitch& s : group)
            exclusive->addAction(Add(s.name, QString::fromUtf8(s.caption), s.shortcut, s.tag));
    }
    for (const auto& group : {std::span<const TSwitch>(kBranchInfo), std::span<const TSwitch>(kDevInfo),
                              std::span<const TSwitch>(kResults), std::span<const TSwitch>(kSingles)})
        for (const TSwitch& s : group)
            Add(s.name, QString::fromUtf8(s.caption), s.shortcut, s.tag);
    for (const auto& [name, caption, bits] : {std::tuple{"ActShowAllResults", "Показать все", kAllResultBits},
                                              std::tuple{"ActHideAllResults", "Скрыть все", quint16(0)}}) {
        auto* a = new QAction(QString::fromUtf8(caption), owner_);
        a->setObjectName(QString::fromLatin1(name));
        owner_->addAction(a);
        actions_[a->objectName()] = a;
        const quint16 value = bits;
        connect(a, &QAction::triggered, this, [this, value] { SetResultBits(value); });
    }
}

QAction* TSchemaViewActions::Add(const char* name, const QString& caption, const char* shortcut, int tag)
{
    auto* a = new QAction(caption, owner_);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    a->setData(tag);
    if (*shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    owner_->addAction(a);
    actions_[a->objectName()] = a;
    const QString key = a->objectName();
    connect(a, &QAction::triggered, this, [this, key, tag] { Trigger(key, tag); });
    return a;
}

QAction* TSchemaViewActions::Action(const QString& name) const
{
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TSchemaViewActions::SetResultBits(quint16 bits)
{
    resultBits_ = bits & kAllResultBits;
    Sync(context_);
    emit Changed(true);
}

void TSchemaViewActions::SetWaterArrows(bool on)
{
    waterArrows_ = on;
    Sync(context_);
    emit Changed(false);
}

void TSchemaViewActions::Trigger(const QString& name, int tag)
{
    bool extent = true;
    const auto in = [&](std::span<const TSwitch> group) {
        return std::any_of(group.begin(), group.end(), [&](const TSwitch& s) { return name == QLatin1String(s.name); });
    };
    if (in(kPipes)) {
        params_.PipeIndex = tag;
    } else if (in(kColours)) {
        params_.ColorPaint = quint8(tag);
        extent = false;
    } else if (in(kBranchInfo)) {
        // Choosing what is already shown takes the labels away.
        const bool shown = (params_.VisibleObjects & voBranchLabels) != 0;
        if (shown && params_.BranchInfo == tag - 1) {
            SetBit(params_.VisibleObjects, voBranchLabels, false);
        } else {
            params_.BranchInfo = quint8(tag - 1);
            SetBit(params_.VisibleObjects, voBranchLabels, true);
        }
    } else if (in(kDevInfo)) {
        params_.DevInfo = params_.DevInfo == tag - 41 ? quint8(diNone) : quint8(tag - 41);
    } else if (in(kResults)) {
        resultBits_ ^= quint16(1u << (tag - 30));
    } else if (name == QLatin1String("ActUzelsNum")) {
        SetBit(params_.VisibleObjects, voUzelNumbers, (params_.VisibleObjects & voUzelNumbers) == 0);
    } else if (name == QLatin1String("ActComment")) {
        SetBit(params_.VisibleObjects, voComments, (params_.VisibleObjects & voComments) == 0);
    } else if (name == QLatin1String("ActDevices")) {
        params_.DevVisible = !params_.DevVisible;
    } else if (name == QLatin1String("ActOnlyDuct")) {
        params_.OnlyDuct = !params_.OnlyDuct;
    } else if (name == QLatin1String("ActQArrow")) {
        waterArrows_ = !waterArrows_;
        extent = false;
    } else if (name == QLatin1String("ActBranchNapr")) {
        params_.BranchArrowVisible = !params_.BranchArrowVisible;
        extent = false;
    } else if (name == QLatin1String("ActAirNapr")) {
        params_.QArrow = !params_.QArrow;
        extent = false;
    } else if (name == QLatin1String("ActThickBranch")) {
        params_.ThickBranch = !params_.ThickBranch;
    } else if (name == QLatin1String("ActGrid")) {
        params_.GridVisible = !params_.GridVisible;
        extent = false;
    } else if (name == QLatin1String("ActTextBlocksVisible")) {
        params_.TextBlockVisible = !params_.TextBlockVisible;
    }
    Sync(context_);
    emit Changed(extent);
}

void TSchemaViewActions::Sync(const TSchemaViewContext& context)
{
    context_ = context;
    for (const TSwitch& s : kPipes)
        Action(QString::fromLatin1(s.name))->setChecked(params_.PipeIndex == s.tag);
    const bool colourEnabled[] = {true, context.HasSeams, context.HasResults, context.HasPositions};
    for (const TSwitch& s : kColours) {
        QAction* a = Action(QString::fromLatin1(s.name));
        a->setEnabled(colourEnabled[s.tag]);
        a->setChecked(params_.ColorPaint == s.tag);
    }
    const bool branchLabels = (params_.VisibleObjects & voBranchLabels) != 0;
    for (const TSwitch& s : kBranchInfo)
        Action(QString::fromLatin1(s.name))->setChecked(branchLabels && params_.BranchInfo == s.tag - 1);
    for (const TSwitch& s : kDevInfo)
        Action(QString::fromLatin1(s.name))->setChecked(params_.DevInfo == s.tag - 41);
    for (const TSwitch& s : kResults)
        Action(QString::fromLatin1(s.name))->setChecked((resultBits_ & (1u << (s.tag - 30))) != 0);
    const auto check = [this](const char* name, bool on) { Action(QString::fromLatin1(name))->setChecked(on); };
    check("ActUzelsNum", (params_.VisibleObjects & voUzelNumbers) != 0);
    check("ActComment", (params_.VisibleObjects & voComments) != 0);
    check("ActDevices", params_.DevVisible);
    check("ActOnlyDuct", params_.OnlyDuct);
    check("ActQArrow", waterArrows_);
    check("ActBranchNapr", params_.BranchArrowVisible);
    check("ActAirNapr", params_.QArrow);
    // The action offers thin lines; the option keeps whether branches are bands.
    check("ActThickBranch", !params_.ThickBranch);
    check("ActGrid", params_.GridVisible);
    check("ActTextBlocksVisible", params_.TextBlockVisible);
}

void TSchemaViewActions::FillPipeMenu(QMenu* menu) const
{
    for (const TSwitch& s : kPipes)
        menu->addAction(Action(QString::fromLatin1(s.name)));
}

void TSchemaViewActions::FillColourMenu(QMenu* menu) const
{
    for (const TSwitch& s : kColours)
        menu->addAction(Action(QString::fromLatin1(s.name)));
}

void TSchemaViewActions::FillLabelMenu(QMenu* menu) const
{
    menu->addAction(Action(QStringLiteral("ActUzelsNum")));
    menu->addSeparator();
    for (const TSwitch& s : kBranchInfo)
        menu->addAction(Action(QString::fromLatin1(s.name)));
    menu->addAction(Action(QStringLiteral("ActComment")));
    menu->addSeparator();
    for (const TSwitch& s : kDevInfo)
        menu->addAction(Action(QString::fromLatin1(s.name)));
}

void TSchemaViewActions::FillResultMenu(QMenu* menu) const
{
    for (const TSwitch& s : kResults) {
        if (s.tag == 37)
            menu->addSeparator();
        menu->addAction(Action(QString::fromLatin1(s.name)));
    }
    menu->addSeparator();
    menu->addAction(Action(QStringLiteral("ActShowAllResults")));
    menu->addAction(Action(QStringLiteral("ActHideAllResults")));
}

void TSchemaViewActions::FillObjectMenu(QMenu* menu) const
{
    for (const char* name : std::initializer_list<const char*>{"ActDevices", "ActOnlyDuct", "ActTextBlocksVisible",
                                                               nullptr, "ActQArrow", "ActBranchNapr", "ActAirNapr",
                                                               nullptr, "ActThickBranch", "ActGrid"}) {
        if (name)
            menu->addAction(Action(QString::fromLatin1(name)));
        else
            menu->addSeparator();
    }
}

void TSchemaViewActions::FillToolBar(QToolBar* bar) const
{
    for (const char* name : {"ActUzelsNum", "ActBrNum", "ActDevices", "ActQArrow", "ActThickBranch", "ActGrid"})
        bar->addAction(Action(QString::fromLatin1(name)));
}
