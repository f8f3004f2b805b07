#include "ui/app/DevicePanel.h"

#include "core/devices/DevicePanelRules.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "ui/document/ChildForm.h"
#include "ui/document/TableLook.h"

#include <QComboBox>
#include <QHash>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kDeviceRole = Qt::UserRole;
constexpr int kSerialRole = Qt::UserRole + 1;
const QSize kSwatchSize(24, 14);

// The colour swatch of a seam or position; the default one carries a tick.
QIcon Swatch(int storedColor, bool tick)
{
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QColor color = TTableLook::ToQColor(static_cast<quint32>(storedColor));
    const QRect r(0, 0, kSwatchSize.width() - 1, kSwatchSize.height() - 1);
    p.fillRect(r, color);
    p.setPen(Qt::black);
    p.drawRect(r);
    if (tick) {
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(color.lightness() < 128 ? Qt::white : Qt::black, 2);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        const double w = r.width(), h = r.height();
        QPainterPath path;
        path.moveTo(w * 0.30, h * 0.50);
        path.lineTo(w * 0.45, h * 0.80);
        path.lineTo(w * 0.72, h * 0.18);
        p.drawPath(path);
    }
    return QIcon(pixmap);
}


// A small padlock for the lock buttons.
QIcon Padlock()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("object-locked"));
    if (!themed.isNull())
        return themed;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7.5));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7.5));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(214, 170, 40));
    p.drawRect(QRectF(2.5, 7.5, 11, 7));
    return QIcon(pixmap);
}

}  // namespace

TDevicePanel::TDevicePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RightPanel"));
    BuildWidgets();
    ClearAll();
}

TDevicePanel::~TDevicePanel() = default;

void TDevicePanel::BuildWidgets()
{
    devTypeBox_ = new QComboBox(this);
    devTypeBox_->setObjectName(QStringLiteral("DevTypeBox"));
    devTypeBox_->addItems(DevicePanelRules::DeviceTypeEntries());
    devTypeBox_->setCurrentIndex(0);

    devBox_ = new QListWidget(this);
    devBox_->setObjectName(QStringLiteral("DevBox"));
    devBox_->setSelectionMode(QAbstractItemView::SingleSelection);

    cbLayer_ = new QComboBox(this);
    cbLayer_->setObjectName(QStringLiteral("cbLayer"));
    btnLockLayer_ = new QToolButton(this);
    btnLockLayer_->setObjectName(QStringLiteral("btnLockLayer"));
    btnLockLayer_->setToolTip(DevicePanelTexts::kLockLayerHint);
    cbPLF_ = new QComboBox(this);
    cbPLF_->setObjectName(QStringLiteral("cbPLF"));
    btnLockPLF_ = new QToolButton(this);
    btnLockPLF_->setObjectName(QStringLiteral("btnLockPLF"));
    btnLockPLF_->setToolTip(DevicePanelTexts::kLockPLFHint);

    layer_.box = cbLayer_;
    layer_.lock = btnLockLayer_;
    plf_.box = cbPLF_;
    plf_.lock = btnLockPLF_;
    plf_.plf = true;

    const QIcon padlock = Padlock();
    for (TChoice* c : {&layer_, &plf_}) {
        c->box->setIconSize(kSwatchSize);
        c->box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->box->setMinimumContentsLength(8);
        c->lock->setCheckable(true);
        c->lock->setAutoRaise(true);
        c->lock->setIcon(padlock);
        connect(c->box, &QComboBox::activated, this, [this, c](int entry) { ChoiceActivated(*c, entry); });
        connect(c->lock, &QToolButton::clicked, this, [this, c](bool down) { LockClicked(*c, down); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(devTypeBox_);
    layout->addWidget(devBox_, 1);
    for (TChoice* c : {&layer_, &plf_}) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(c->box, 1);
        row->addWidget(c->lock);
        layout->addLayout(row);
    }

    connect(devTypeBox_, &QComboBox::currentIndexChanged, this, [this] { RefillDevices(); });
    connect(devBox_, &QListWidget::itemSelectionChanged, this, &TDevicePanel::SelectionChanged);
    connect(devBox_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (!item)
            return;
        devBox_->setCurrentItem(item);
        if (TDevice* device = SelectedDevice())
            emit EditDeviceRequested(device);
    });
}

// ---------------------------------------------------------------------------------------
// The document

void TDevicePanel::SetDocument(TChildForm* doc)
{
    if (doc == doc_) {
        Reload();
        return;
    }
    const bool hadDocument = !doc_.isNull();
    if (doc_)
        disconnect(doc_, nullptr, this, nullptr);
    doc_ = doc;
    shownBranch_ = nullptr;
    shownBranchSerial_ = 0;
    layer_.filled = plf_.filled = false;
    if (!doc) {
        ClearAll();
        return;
    }
    connect(doc, &TChildForm::CurrentBranchChanged, this, &TDevicePanel::Reload);
    connect(doc, &TChildForm::StateChanged, this, &TDevicePanel::Reload);
    connect(doc, &QObject::destroyed, this, &TDevicePanel::DocumentGone);
    for (QWidget* w : std::initializer_list<QWidget*>{devTypeBox_, devBox_, cbLayer_, cbPLF_, btnLockLayer_, btnLockPLF_})
        w->setEnabled(true);
    if (!hadDocument) {
        const QSignalBlocker block(devTypeBox_);
        devTypeBox_->setCurrentIndex(0);
    }
    // The branch the boxes follow is taken afresh from the new document.
    Reload();
}

void TDevicePanel::DocumentGone()
{
    // The window is being destroyed: nothing of it may be asked any more.
    doc_ = nullptr;
    shownBranch_ = nullptr;
    layer_.filled = plf_.filled = false;
    ClearAll();
}

void TDevicePanel::ClearAll()
{
    const bool hadLines = devBox_->count() > 0;
    {
        const QSignalBlocker block(devBox_);
        devBox_->clear();
    }
    for (TChoice* c : {&layer_, &plf_}) {
        const QSignalBlocker blockBox(c->box);
        const QSignalBlocker blockLock(c->lock);
        c->box->clear();
        c->lock->setChecked(false);
        c->entries.clear();
        c->shownDefault = -1;
        c->filled = false;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{devTypeBox_, devBox_, cbLayer_, cbPLF_, btnLockLayer_, btnLockPLF_})
        w->setEnabled(false);
    if (hadLines)
        emit SelectionChanged();
}

void TDevicePanel::Reload()
{
    if (!doc_)
        return;
    const TBranch* branch = doc_->CurrentBranch();
    const bool branchMoved =
        branch != shownBranch_ || (branch && branch->Serial() != shownBranchSerial_);
    shownBranch_ = branch;
    shownBranchSerial_ = branch ? branch->Serial() : 0;
    RefillDevices();
    RefillChoice(layer_, branchMoved);
    RefillChoice(plf_, branchMoved);
}

// ---------------------------------------------------------------------------------------
// Devices

int TDevicePanel::DeviceKind() const
{
    return std::max(devTypeBox_->currentIndex(), 0);
}

void TDevicePanel::RefillDevices()
{
    if (!doc_) {
        if (devBox_->count() > 0) {
            devBox_->clear();
            emit SelectionChanged();
        }
        return;
    }
    const std::vector<DevicePanelRules::TDeviceLine> lines =
        DevicePanelRules::DeviceLines(doc_->CurrentBranch(), DeviceKind());

    // Only a different list is refilled, so that the selection stays put.
    bool same = static_cast<int>(lines.size()) == devBox_->count();
    for (int i = 0; same && i < devBox_->count(); ++i) {
        const QListWidgetItem* item = devBox_->item(i);
        const TDevice* d = lines[static_cast<size_t>(i)].Device;
        same = item->text() == lines[static_cast<size_t>(i)].Text
               && item->data(kDeviceRole).value<quintptr>() == reinterpret_cast<quintptr>(d)
               && item->data(kSerialRole).toULongLong() == d->Serial();
    }
    if (same)
        return;

    TDevice* selected = SelectedDevice();
    {
        const QSignalBlocker block(devBox_);
        devBox_->clear();
        for (const DevicePanelRules::TDeviceLine& line : lines) {
            auto* item = new QListWidgetItem(line.Text, devBox_);
            item->setData(kDeviceRole, QVariant::fromValue(reinterpret_cast<quintptr>(line.Device)));
            item->setData(kSerialRole, QVariant::fromValue(static_cast<qulonglong>(line.Device->Serial())));
            if (line.Device == selected) {
                devBox_->setCurrentItem(item);
                item->setSelected(true);
            }
        }
    }
    emit SelectionChanged();
}

TDevice* TDevicePanel::SelectedDevice() const
{
    if (!doc_)
        return nullptr;
    const QList<QListWidgetItem*> chosen = devBox_->selectedItems();
    if (chosen.isEmpty())
        return nullptr;
    const int row = devBox_->row(chosen.first());
    // The line may outlive its device (the list follows changes only once they are
    // reported): the device is taken from the branch as it is now.
    const std::vector<DevicePanelRules::TDeviceLine> lines =
        DevicePanelRules::DeviceLines(doc_->CurrentBranch(), DeviceKind());
    if (row < 0 || row >= static_cast<int>(lines.size()))
        return nullptr;
    TDevice* device = lines[static_cast<size_t>(row)].Device;
    const QListWidgetItem* item = chosen.first();
    if (item->data(kDeviceRole).value<quintptr>() != reinterpret_cast<quintptr>(device)
        || item->data(kSerialRole).toULongLong() != device->Serial())
        return nullptr;
    return device;
}

// ---------------------------------------------------------------------------------------
// Seam and plan position

int TDevicePanel::DefaultOf(const TChoice& choice) const
{
    if (!doc_)
        return -1;
    return choice.plf ? doc_->DefaultPLF() : doc_->DefaultLayer();
}

void TDevicePanel::SetDefaultOf(TChoice& choice, int index)
{
    if (!doc_)
        return;
    if (choice.plf)
        doc_->SetDefaultPLF(index);
    else
        doc_->SetDefaultLayer(index);
}

int TDevicePanel::BranchValueOf(const TChoice& choice, const TBranch* branch) const
{
    if (!branch)
        return -1;
    return choice.plf ? branch->PLFIndex() : branch->LayerIndex();
}

void TDevicePanel::RefillChoice(TChoice& choice, bool followBranch)
{
    const TMine* mine = doc_->Mine();
    std::vector<std::pair<QString, int>> entries;
    const auto collect = [&entries](const auto& list) {
        for (const TCustomLayer* item : list)
            entries.emplace_back(item->Name(), item->Color());
    };
    if (choice.plf)
        collect(mine->PLFPositions);
    else
        collect(mine->Layers);
    const int def = DefaultOf(choice);

    const bool listChanged = !choice.filled || entries != choice.entries;
    if (listChanged || def != choice.shownDefault) {
        const int previous = choice.box->currentIndex();
        const QSignalBlocker block(choice.box);
        choice.box->clear();
        choice.box->addItem(DevicePanelTexts::kNone);
        for (size_t i = 0; i < entries.size(); ++i)
            choice.box->addItem(SwatchOf(entries[i].second, static_cast<int>(i) == def), entries[i].first);
        choice.box->setCurrentIndex(std::clamp(previous, 0, choice.box->count() - 1));
        choice.entries = std::move(entries);
        choice.shownDefault = def;
        choice.filled = true;
    }
    // The indices may mean other entries after the list changed: the branch is read again.
    if (followBranch || listChanged) {
        const QSignalBlocker block(choice.box);
        const int value = BranchValueOf(choice, doc_->CurrentBranch());
        choice.box->setCurrentIndex(std::clamp(value + 1, 0, choice.box->count() - 1));
    }
    UpdateLock(choice);
}

QIcon TDevicePanel::SwatchOf(int storedColor, bool tick)
{
    // Drawn once per colour: a mine may have thousands of positions in a few colours.
    const quint64 key = (quint64(quint32(storedColor)) << 1) | (tick ? 1 : 0);
    auto it = swatches_.constFind(key);
    if (it == swatches_.constEnd())
        it = swatches_.insert(key, Swatch(storedColor, tick));
    return *it;
}

void TDevicePanel::UpdateLock(TChoice& choice)
{
    const int def = DefaultOf(choice);
    const QSignalBlocker block(choice.lock);
    choice.lock->setChecked(def >= 0 && choice.box->currentIndex() - 1 == def);
}

void TDevicePanel::ChoiceActivated(TChoice& choice, int entry)
{
    if (!doc_)
        return;
    TMine& mine = *doc_->Mine();
    TBranch* current = doc_->CurrentBranch();
    const int index = entry - 1;
    TEditTransaction tx(&doc_->History(), choice.plf ? QStringLiteral("Позиция ПЛА ветвей") : QStringLiteral("Пласт ветвей"),
                        TEditScope::Objects);
    for (const TBranch* b : DevicePanelRules::TargetBranches(mine, current))
        tx.Touch(b);
    const int changed = choice.plf ? DevicePanelRules::AssignPLF(mine, current, index)
                                   : DevicePanelRules::AssignLayer(mine, current, index);
    if (changed > 0) {
        tx.Commit();
        if (!doc_->IsModified())
            doc_->SetModified(true);
        doc_->BranchGrid()->viewport()->update();
    }
    UpdateLock(choice);
}

void TDevicePanel::LockClicked(TChoice& choice, bool down)
{
    if (!doc_) {
        UpdateLock(choice);
        return;
    }
    SetDefaultOf(choice, down ? choice.box->currentIndex() - 1 : -1);
    // The tick moves to the new default; the box keeps its entry.
    RefillChoice(choice, false);
}
