#include "ui/editing/TransForm.h"

#include "core/history/EditTransaction.h"
#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/HelpContexts.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridView.h"
#include "ui/editing/AngleDial.h"
#include "ui/editing/EditFields.h"
#include "ui/editing/ServiceFields.h"
#include "ui/editing/ServiceSteps.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 20;

// Kept while the application runs: the last page and the window bounds.
int lastPage = 0;
QRect lastBounds;

const char* const kAxes[3] = {"X", "Y", "Z"};

}  // namespace

TTransForm::TTransForm(TMine& mine, bool selectedArea, TUzel* current, double schemaFactor, QWidget* parent)
    : QDialog(parent), mine_(mine), current_(current), schemaFactor_(schemaFactor)
{
    setWindowTitle(QStringLiteral("Трансформация"));
    HelpContexts::Set(this, kHelpContext);

    auto* area = new QGroupBox(QStringLiteral(" Область "), this);
    wholeMine_ = new QRadioButton(QStringLiteral("Вся шахта"), area);
    selectedNodes_ = new QRadioButton(QStringLiteral("Выделенные узлы"), area);
    countLabel_ = new QLabel(area);
    schemaOnly_ = new QCheckBox(QStringLiteral("Только технологическая схема"), area);
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->addWidget(wholeMine_);
    areaLayout->addWidget(selectedNodes_);
    areaLayout->addWidget(countLabel_);
    areaLayout->addWidget(schemaOnly_);
    (selectedArea ? selectedNodes_ : wholeMine_)->setChecked(true);

    pages_ = new QTabWidget(this);
    pages_->setUsesScrollButtons(false);  // every page's name in view
    pages_->addTab(BuildShiftPage(), QStringLiteral("Перенос и масштаб"));
    pages_->addTab(BuildRotatePage(), QStringLiteral("Поворот"));
    pages_->addTab(BuildSwapPage(), QStringLiteral("Поменять X<-->Y"));
    pages_->setCurrentIndex(lastPage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &TTransForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TTransForm::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(area);
    layout->addWidget(pages_);
    layout->addWidget(buttons);

    for (QAbstractButton* b : {static_cast<QAbstractButton*>(wholeMine_), static_cast<QAbstractButton*>(selectedNodes_),
                               static_cast<QAbstractButton*>(scaleBox_), static_cast<QAbstractButton*>(shiftBox_)})
        connect(b, &QAbstractButton::toggled, this, &TTransForm::UpdateState);
    connect(pages_, &QTabWidget::currentChanged, this, &TTransForm::UpdateState);
    UpdateState();
    if (lastBounds.isValid())
        setGeometry(lastBounds);
}

TTransForm::~TTransForm()
{
    lastPage = pages_->currentIndex();
    lastBounds = geometry();
}

QWidget* TTransForm::BuildShiftPage()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    scaleBox_ = new QCheckBox(QStringLiteral("Коэф. увеличен."), page);
    shiftBox_ = new QCheckBox(QStringLiteral("С&двиг, м"), page);
    shiftBox_->setChecked(true);
    grid->addWidget(scaleBox_, 0, 1);
    grid->addWidget(shiftBox_, 0, 2);
    for (int axis = 0; axis < 3; ++axis) {
        k_[axis] = EditFields::NumberEdit(page, QStringLiteral("k%1").arg(QString::fromLatin1(kAxes[axis]).toLower()), 120, true);
        d_[axis] = EditFields::NumberEdit(page, QStringLiteral("d%1").arg(QString::fromLatin1(kAxes[axis]).toLower()), 120, true);
        k_[axis]->setText(QStringLiteral("1"));
        d_[axis]->setText(QStringLiteral("0"));
        grid->addWidget(new QLabel(QString::fromLatin1(kAxes[axis]), page), axis + 1, 0);
        grid->addWidget(k_[axis], axis + 1, 1);
        grid->addWidget(d_[axis], axis + 1, 2);
    }
    return page;
}

QWidget* TTransForm::BuildRotatePage()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    angle_ = new TAngleSpinBox(page);
    angle_->setObjectName(QStringLiteral("angle"));
    angle_->setValue(0.0);
    dial_ = new TAngleDial(page);
    connect(dial_, &TAngleDial::AngleChosen, angle_, &QDoubleSpinBox::setValue);
    connect(angle_, &QDoubleSpinBox::valueChanged, dial_, &TAngleDial::SetAngle);
    x0_ = EditFields::NumberEdit(page, QStringLiteral("x0"), 120, true);
    y0_ = EditFields::NumberEdit(page, QStringLiteral("y0"), 120, true);
    x0_->setText(QStringLiteral("0"));
    y0_->setText(QStringLiteral("0"));
    for (QLineEdit* field : {x0_, y0_})
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            if (isVisible() && !ServiceFields::Number(field))
                ServiceFields::Refuse(this, field);
        });
    auto* centre = new QPushButton(QStringLiteral("Центр. точка <="), page);
    centre->setObjectName(QStringLiteral("centreButton"));
    centre->setToolTip(QStringLiteral("Получить координаты центральной точки шахты"));
    connect(centre, &QPushButton::clicked, this, &TTransForm::TakeMineCentre);
    grid->addWidget(EditFields::Buddy(QStringLiteral("Угол, град."), angle_, page), 0, 0);
    grid->addWidget(angle_, 0, 1);
    grid->addWidget(dial_, 0, 2, 3, 1);
    grid->addWidget(EditFields::Buddy(QStringLiteral("X0, м"), x0_, page), 1, 0);
    grid->addWidget(x0_, 1, 1);
    grid->addWidget(EditFields::Buddy(QStringLiteral("Y0, м"), y0_, page), 2, 0);
    grid->addWidget(y0_, 2, 1);
    grid->addWidget(centre, 3, 1);
    return page;
}

QWidget* TTransForm::BuildSwapPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Дополнительньные параметры отсутствуют."), page));
    layout->addWidget(new QLabel(QStringLiteral("Для выполнения трансформации нажмите ОК."), page));
    layout->addStretch();
    return page;
}

void TTransForm::UpdateState()
{
    const int count =
        static_cast<int>(NodeTransform::AreaNodes(mine_, selectedNodes_->isChecked(), current_).size());
    countLabel_->setText(QStringLiteral("Трансформируемых узлов: %1").arg(selectedNodes_->isChecked() ? std::max(count, 1) : count));
    for (int axis = 0; axis < 3; ++axis) {
        k_[axis]->setEnabled(scaleBox_->isChecked());
        d_[axis]->setEnabled(shiftBox_->isChecked());
    }
    ok_->setEnabled(pages_->currentIndex() != 0 || scaleBox_->isChecked() || shiftBox_->isChecked());
}

void TTransForm::TakeMineCentre()
{
    x0_->setText(QString::number(mine_.CenterX()));
    y0_->setText(QString::number(mine_.CenterY()));
}

std::optional<TTransformRequest> TTransForm::Request()
{
    TTransformRequest r;
    r.SchemaOnly = schemaOnly_->isChecked();
    r.SchemaFactor = schemaFactor_;
    const auto read = [this](QLineEdit* field, double& target) {
        const auto v = ServiceFields::Number(field);
        if (!v) {
            ServiceFields::Refuse(this, field);
            return false;
        }
        target = *v;
        return true;
    };
    switch (pages_->currentIndex()) {
    case 0:
        r.Kind = TTransformKind::ShiftScale;
        if (scaleBox_->isChecked() && !(read(k_[0], r.Kx) && read(k_[1], r.Ky) && read(k_[2], r.Kz)))
            return std::nullopt;
        if (shiftBox_->isChecked() && !(read(d_[0], r.Dx) && read(d_[1], r.Dy) && read(d_[2], r.Dz)))
            return std::nullopt;
        break;
    case 1:
        r.Kind = TTransformKind::Rotate;
        r.AngleDegrees = angle_->value();
        if (!read(x0_, r.X0) || !read(y0_, r.Y0))
            return std::nullopt;
        break;
    default:
        r.Kind = TTransformKind::SwapXY;
        break;
    }
    return r;
}

void TTransForm::accept()
{
    const auto request = Request();
    if (!request)
        return;
    try {
        NodeTransform::Validate(*request);
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        return;
    }
    hide();
    try {
        // A transformation that fails midway is put back whole.
        TEditTransaction step(history_, ServiceSteps::kTransform);
        NodeTransform::Apply(mine_, NodeTransform::AreaNodes(mine_, selectedNodes_->isChecked(), current_), *request);
        step.Commit();
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
        QDialog::reject();
        return;
    }
    QDialog::accept();
}

bool TransformNodes(QWidget* parent, TChildForm& document)
{
    const bool nodeTableActive = document.FocusedGrid() && document.FocusedGrid() == document.UzelGrid();
    TTransForm form(*document.Mine(), nodeTableActive, document.CurrentUzel(), document.SchemaFrame().F, parent);
    form.SetHistory(&document.History());
    if (form.exec() != QDialog::Accepted)
        return false;
    document.SetModified(true);
    return true;
}
