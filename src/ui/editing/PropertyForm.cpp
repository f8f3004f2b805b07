#include "ui/editing/PropertyForm.h"

#include "core/services/MineProperties.h"
#include "core/tables/TableColumns.h"
#include "core/file/Cp1251.h"
#include "core/file/VersionTable.h"
#include "core/history/EditTransaction.h"
#include "core/model/Mine.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/HelpViewer.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/ServiceSteps.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <climits>

namespace {

constexpr int kHelpContext = 38;
constexpr int kStep = 50;

// The page and bounds last used, while the program runs.
int lastTab = 0;
QRect lastBounds;

QSpinBox* MetreSpin(QWidget* parent, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(INT_MIN / 2, INT_MAX / 2);
    spin->setSingleStep(kStep);
    spin->setValue(value);
    return spin;
}

TColumnSet& Columns(TChildForm& document, int table)
{
    return table == 0 ? document.UzelColumns() : table == 1 ? document.BranchColumns() : document.ResultColumns();
}

}  // namespace

TPropertyForm::TPropertyForm(TChildForm& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setWindowTitle(QStringLiteral("Свойства шахты"));
    HelpContexts::Set(this, kHelpContext);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(BuildPropertiesPage(), QStringLiteral("&Свойства"));
    tabs_->addTab(BuildViewPage(), QStringLiteral("&Вид"));
    tabs_->setCurrentIndex(lastTab);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    HelpViewer::Attach(this, buttons->addButton(QStringLiteral("&Справка"), QDialogButtonBox::HelpRole));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] {
        lastTab = tabs_->currentIndex();
        lastBounds = geometry();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    if (lastBounds.isValid())
        setGeometry(lastBounds);
}

QWidget* TPropertyForm::BuildPropertiesPage()
{
    const TMine& mine = *document_.Mine();
    auto* page = new QWidget(this);
    name_ = new QLineEdit(mine.Name(), page);
    remark_ = new QPlainTextEdit(mine.Remark(), page);
    remark_->installEventFilter(this);
    auto* file = new QLabel(MineProperties::FileText(document_.HasFileName() ? document_.FileName() : QString()), page);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* format = new QLabel(VersionText(document_.Version()), page);

    auto* graphics = new QGroupBox(QStringLiteral(" Графика "), page);
    auto* centre = new QHBoxLayout(graphics);
    centre->addWidget(new QLabel(QStringLiteral("Центральная точка, м:"), graphics));
    for (int axis = 1; axis <= 3; ++axis) {
        center_[axis - 1] = MetreSpin(graphics, mine.Center(axis));
        centre->addWidget(new QLabel(QString(QChar(u"XYZ"[axis - 1])), graphics));
        centre->addWidget(center_[axis - 1]);
    }
    auto* degas = new QGroupBox(QStringLiteral(" Дегазация "), page);
    auto* dummy = new QHBoxLayout(degas);
    dummy_ = MetreSpin(degas, document_.DummyZ());
    dummy->addWidget(new QLabel(QStringLiteral("Высотная отметка фиктивного узла, м"), degas));
    dummy->addWidget(dummy_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Название"), name_);
    form->addRow(remark_);
    form->addRow(QStringLiteral("Файл"), file);
    form->addRow(QStringLiteral("Формат"), format);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(graphics);
    layout->addWidget(degas);
    return page;
}

QWidget* TPropertyForm::BuildViewPage()
{
    auto* page = new QWidget(this);
    pageBox_ = new QComboBox(page);
    pageBox_->addItems({QStringLiteral("Топология шахты"), QStringLiteral("Пожарно - оросительный трубопровод")});
    pages_ = new QStackedWidget(page);
    const QString titles[3] = {QStringLiteral("Узлы"), QStringLiteral("Выработки"), QStringLiteral("Участки трубопровода")};
    QWidget* stacked[2] = {new QWidget(pages_), new QWidget(pages_)};
    auto* topology = new QHBoxLayout(stacked[0]);
    auto* pipeline = new QHBoxLayout(stacked[1]);
    for (int table = 0; table < 3; ++table) {
        QWidget* holder = stacked[table < 2 ? 0 : 1];
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(titles[table], holder));
        columns_[table] = new QListWidget(holder);
        const TColumnSet& set = Columns(document_, table);
        for (int c = 0; c < set.Count(); ++c) {
            auto* item = new QListWidgetItem(set.At(c).Def.LongTitle, columns_[table]);
            item->setCheckState(set.At(c).Visible ? Qt::Checked : Qt::Unchecked);
            // The first column always stays.
            if (c == 0)
                item->setFlags(item->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
        }
        box->addWidget(columns_[table]);
        (table < 2 ? topology : pipeline)->addLayout(box);
    }
    pages_->addWidget(stacked[0]);
    pages_->addWidget(stacked[1]);
    connect(pageBox_, &QComboBox::currentIndexChanged, pages_, &QStackedWidget::setCurrentIndex);
    pageBox_->setCurrentIndex(document_.CurrentPage() == 1 ? 1 : 0);

    auto* layout = new QVBoxLayout(page);
    auto* choose = new QFormLayout;
    choose->addRow(QStringLiteral("&Страница"), pageBox_);
    layout->addLayout(choose);
    layout->addWidget(pages_);
    return page;
}

QSpinBox* TPropertyForm::CenterSpin(int axis) const
{
    return axis >= 1 && axis <= 3 ? center_[axis - 1] : nullptr;
}

QListWidget* TPropertyForm::ColumnList(int table) const
{
    return table >= 0 && table < 3 ? columns_[table] : nullptr;
}

bool TPropertyForm::eventFilter(QObject* watched, QEvent* event)
{
    // The notes take neither ' nor ;.
    if (watched == remark_ && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.contains(QLatin1Char('\'')) || text.contains(QLatin1Char(';')))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TPropertyForm::accept()
{
    // Name and notes go into the network file: a character it cannot store is refused here.
    for (const auto& [text, field] : {std::pair<QString, QWidget*>{name_->text(), name_},
                                      std::pair<QString, QWidget*>{remark_->toPlainText(), remark_}})
        if (const QString refusal = Cp1251Refusal(text); !refusal.isEmpty()) {
            MessageBoxes::Error(this, refusal);
            field->setFocus();
            return;
        }
    // The mine's header and the document's own values (columns, origin, dummy height).
    TEditTransaction step(&document_.History(), ServiceSteps::kMineProperties, TEditScope::Objects);
    step.TouchHeader();
    step.TouchSettings();
    for (int table = 0; table < 3; ++table) {
        std::vector<bool> visible;
        for (int row = 0; row < columns_[table]->count(); ++row)
            visible.push_back(columns_[table]->item(row)->checkState() == Qt::Checked);
        MineProperties::SetColumnVisibility(Columns(document_, table), visible);
    }
    TMineProperties properties;
    properties.Name = name_->text();
    properties.Remark = remark_->toPlainText();
    properties.CenterX = center_[0]->value();
    properties.CenterY = center_[1]->value();
    properties.CenterZ = center_[2]->value();
    const auto shift = MineProperties::Apply(*document_.Mine(), properties);
    const double f = document_.SchemaFrame().F;
    document_.SetOrigin(static_cast<float>(document_.OX() + shift.DX * f),
                        static_cast<float>(document_.OY() + shift.DY * f));
    document_.SetDummyZ(dummy_->value());
    document_.ApplySettings();
    step.Commit();
    document_.SetModified(true);
    QDialog::accept();
}
