#include "ui/schema2d/SchemaViewActions.h"

#include "render/schema2d/RenderContext.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <span>

namespace {

using V = TViewAction;

struct TSwitch {
    TViewAction id;
    const char* name;
    const char* caption;
    const char* shortcut;
    int tag;
};

// Pipe types: the tag is PipeIndex.
const TSwitch kPipes[] = {
    {V::NonePipe, "ActNonePipe", "Без трубопровода", "", kPipeIndexNone},
    {V::FirePipe, "ActFirePipe", "Противопожарный трубопровод", "", 0},
    {V::WaterPipe, "ActWaterPipe", "Водоотливной трубопровод", "", 1},
    {V::AirPipe, "ActAirPipe", "Трубопровод сжатого воздуха", "", 2},
    {V::DegazPipe, "ActDegazPipe", "Дегазационные трубопроводы", "", 3},
};
// Colouring modes: the tag is ColorPaint.
const TSwitch kColours[] = {
    // Shift+Ctrl+S is the export's.
    {V::ColorStandard, "ActColorStandard", "Стандартная раскраска", "", cmStandard},
    {V::ColorLayers, "ActColorLayers", "Раскраска по пластам", "Shift+Ctrl+L", cmSeams},
    {V::ColorPressures, "ActColorPressures", "Раскраска по давлениям", "Shift+Ctrl+H", cmPressures},
    {V::ColorPLF, "ActColorPLF", "Раскраска по позициям ПЛА", "Shift+Ctrl+P", cmPositions},
};
// Branch information: BranchInfo = tag − 1.
const TSwitch kBranchInfo[] = {
    {V::BranchNumbers, "ActBrNum", "Номера ветвей", "Ctrl+R", 1},
    {V::BranchLengths, "ActLen", "Длины ветвей", "", 2},
    {V::BranchAngles, "ActAngle", "Углы наклона ветвей", "", 3},
};
// Device information: DevInfo = tag − 41.
const TSwitch kDevInfo[] = {
    {V::DeviceNumbers, "ActDevNums", "Номера оборудования", "", 42},
    {V::DeviceModels, "ActDevModels", "Модели оборудования", "", 43},
    {V::DeviceParameters, "ActDevParams", "Параметры оборудования", "", 44},
    {V::DevicePPZ, "ActDevPPZ", "Номера ППЗ", "", 45},
};
// Result labels: the bit is tag − 30.
const TSwitch kResults[] = {
    {V::ResultQ, "ActQ", "Q", "", 30},         {V::ResultV, "ActV", "V", "", 31},
    {V::ResultR, "ActR", "R", "", 32},         {V::Result100i, "Act100i", "100i", "", 33},
    {V::ResultDP, "ActDP", "dP", "", 34},      {V::ResultDZ, "ActDZ", "dZ", "", 35},
    {V::ResultH, "ActH", "h", "", 36},         {V::ResultP, "ActH1H2", "P", "", 37},
    {V::ResultManometer, "ActManometer", "M", "", 38}, {V::ResultZ, "ActZ", "Z", "", 39},
};
// Single switches.
const TSwitch kSingles[] = {
    {V::UzelNumbers, "ActUzelsNum", "Номера узлов", "Ctrl+U", 0},
    {V::Comments, "ActComment", "Комментарии", "Ctrl+D", 0},
    {V::Devices, "ActDevices", "Устройства", "Ctrl+M", 0},
    {V::OnlyPipes, "ActOnlyDuct", "Только трубы", "", 0},
    {V::WaterArrows, "ActWaterArrows", "Направление воды", "Ctrl+Q", 0},
    {V::BranchArrows, "ActBranchNapr", "Направление ветви", "Ctrl+N", 0},
    {V::AirArrows, "ActAirNapr", "Направление движения воздуха", "", 0},
    {V::ThinBranches, "ActThickBranch", "Тонкие ветви", "F6", 0},
    {V::Grid, "ActGrid", "Сетка", "F8", 0},
    {V::TextBlocks, "ActTextBlocksVisible", "Текстовые блоки", "", 0},
};

bool In(std::span<const TSwitch> group, TViewAction id)
{
    return std::any_of(group.begin(), group.end(), [id](const TSwitch& s) { return s.id == id; });
}

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
            exclusive->addAction(Add(s.id, s.name, QString::fromUtf8(s.caption), s.shortcut, true));
    }
    for (const auto& group : {std::span<const TSwitch>(kBranchInfo), std::span<const TSwitch>(kDevInfo),
                              std::span<const TSwitch>(kResults), std::span<const TSwitch>(kSingles)})
        for (const TSwitch& s : group)
            Add(s.id, s.name, QString::fromUtf8(s.caption), s.shortcut, true);
    connect(Add(V::ShowAllResults, "ActShowAllResults", QStringLiteral("Показать все"), "", false),
            &QAction::triggered, this, [this] { SetResultBits(kAllResultBits); });
    connect(Add(V::HideAllResults, "ActHideAllResults", QStringLiteral("Скрыть все"), "", false),
            &QAction::triggered, this, [this] { SetResultBits(0); });
    for (const auto& group : {std::span<const TSwitch>(kPipes), std::span<const TSwitch>(kColours),
                              std::span<const TSwitch>(kBranchInfo), std::span<const TSwitch>(kDevInfo),
                              std::span<const TSwitch>(kResults), std::span<const TSwitch>(kSingles)})
        for (const TSwitch& s : group) {
            const TViewAction id = s.id;
            const int tag = s.tag;
            connect(Action(id), &QAction::triggered, this, [this, id, tag] { Trigger(id, tag); });
        }
}

QAction* TSchemaViewActions::Add(TViewAction id, const char* name, const QString& caption, const char* shortcut,
                                 bool checkable)
{
    auto* a = new QAction(caption, owner_);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    if (*shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    owner_->addAction(a);
    actions_[size_t(id)] = a;
    return a;
}

QAction* TSchemaViewActions::Action(const QString& name) const
{
    for (QAction* a : actions_)
        if (a && a->objectName() == name)
            return a;
    return nullptr;
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

void TSchemaViewActions::Trigger(TViewAction id, int tag)
{
    bool extent = true;
    if (In(kPipes, id)) {
        params_.PipeIndex = tag;
    } else if (In(kColours, id)) {
        params_.ColorPaint = quint8(tag);
        extent = false;
    } else if (In(kBranchInfo, id)) {
        // Choosing what is already shown takes the labels away.
        const bool shown = (params_.VisibleObjects & voBranchLabels) != 0;
        if (shown && params_.BranchInfo == tag - 1) {
            SetBit(params_.VisibleObjects, voBranchLabels, false);
        } else {
            params_.BranchInfo = quint8(tag - 1);
            SetBit(params_.VisibleObjects, voBranchLabels, true);
        }
    } else if (In(kDevInfo, id)) {
        params_.DevInfo = params_.DevInfo == tag - 41 ? quint8(diNone) : quint8(tag - 41);
    } else if (In(kResults, id)) {
        resultBits_ ^= quint16(1u << (tag - 30));
    } else {
        switch (id) {
        case V::UzelNumbers:
            SetBit(params_.VisibleObjects, voUzelNumbers, (params_.VisibleObjects & voUzelNumbers) == 0);
            break;
        case V::Comments:
            SetBit(params_.VisibleObjects, voComments, (params_.VisibleObjects & voComments) == 0);
            break;
        case V::Devices: params_.DevVisible = !params_.DevVisible; break;
        case V::OnlyPipes: params_.OnlyDuct = !params_.OnlyDuct; break;
        case V::WaterArrows:
            waterArrows_ = !waterArrows_;
            extent = false;
            break;
        case V::BranchArrows:
            params_.BranchArrowVisible = !params_.BranchArrowVisible;
            extent = false;
            break;
        case V::AirArrows:
            params_.AirArrows = !params_.AirArrows;
            extent = false;
            break;
        case V::ThinBranches: params_.ThickBranch = !params_.ThickBranch; break;
        case V::Grid:
            params_.GridVisible = !params_.GridVisible;
            extent = false;
            break;
        case V::TextBlocks: params_.TextBlockVisible = !params_.TextBlockVisible; break;
        default: return;
        }
    }
    Sync(context_);
    emit Changed(extent);
}

void TSchemaViewActions::Sync(const TSchemaViewContext& context)
{
    context_ = context;
    for (const TSwitch& s : kPipes)
        Action(s.id)->setChecked(params_.PipeIndex == s.tag);
    const bool colourEnabled[] = {true, context.HasSeams, context.HasResults, context.HasPositions};
    for (const TSwitch& s : kColours) {
        QAction* a = Action(s.id);
        a->setEnabled(colourEnabled[s.tag]);
        a->setChecked(params_.ColorPaint == s.tag);
    }
    const bool branchLabels = (params_.VisibleObjects & voBranchLabels) != 0;
    for (const TSwitch& s : kBranchInfo)
        Action(s.id)->setChecked(branchLabels && params_.BranchInfo == s.tag - 1);
    for (const TSwitch& s : kDevInfo)
        Action(s.id)->setChecked(params_.DevInfo == s.tag - 41);
    for (const TSwitch& s : kResults)
        Action(s.id)->setChecked((resultBits_ & (1u << (s.tag - 30))) != 0);
    Action(V::UzelNumbers)->setChecked((params_.VisibleObjects & voUzelNumbers) != 0);
    Action(V::Comments)->setChecked((params_.VisibleObjects & voComments) != 0);
    Action(V::Devices)->setChecked(params_.DevVisible);
    Action(V::OnlyPipes)->setChecked(params_.OnlyDuct);
    Action(V::WaterArrows)->setChecked(waterArrows_);
    Action(V::BranchArrows)->setChecked(params_.BranchArrowVisible);
    Action(V::AirArrows)->setChecked(params_.AirArrows);
    // The action offers thin lines; the option keeps whether branches are bands.
    Action(V::ThinBranches)->setChecked(!params_.ThickBranch);
    Action(V::Grid)->setChecked(params_.GridVisible);
    Action(V::TextBlocks)->setChecked(params_.TextBlockVisible);
}

void TSchemaViewActions::AddTo(QMenu* menu, std::initializer_list<TViewAction> ids) const
{
    // Count stands for a separator.
    for (TViewAction id : ids) {
        if (id == V::Count)
            menu->addSeparator();
        else
            menu->addAction(Action(id));
    }
}

void TSchemaViewActions::FillPipeMenu(QMenu* menu) const
{
    for (const TSwitch& s : kPipes)
        menu->addAction(Action(s.id));
}

void TSchemaViewActions::FillColourMenu(QMenu* menu) const
{
    for (const TSwitch& s : kColours)
        menu->addAction(Action(s.id));
}

void TSchemaViewActions::FillLabelMenu(QMenu* menu) const
{
    AddTo(menu, {V::UzelNumbers, V::Count, V::BranchNumbers, V::BranchLengths, V::BranchAngles, V::Comments, V::Count,
                 V::DeviceNumbers, V::DeviceModels, V::DeviceParameters, V::DevicePPZ});
}

void TSchemaViewActions::FillResultMenu(QMenu* menu) const
{
    AddTo(menu, {V::ResultQ, V::ResultV, V::ResultR, V::Result100i, V::ResultDP, V::ResultDZ, V::ResultH, V::Count,
                 V::ResultP, V::ResultManometer, V::ResultZ, V::Count, V::ShowAllResults, V::HideAllResults});
}

void TSchemaViewActions::FillObjectMenu(QMenu* menu) const
{
    AddTo(menu, {V::Devices, V::OnlyPipes, V::TextBlocks, V::Count, V::WaterArrows, V::BranchArrows, V::AirArrows,
                 V::Count, V::ThinBranches, V::Grid});
}

void TSchemaViewActions::FillToolBar(QToolBar* bar) const
{
    for (TViewAction id : {V::UzelNumbers, V::BranchNumbers, V::Devices, V::WaterArrows, V::ThinBranches, V::Grid})
        bar->addAction(Action(id));
}
