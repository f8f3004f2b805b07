#include "ui/topology3d/TopolChemaForm.h"

#include "core/history/EditTransaction.h"
#include "core/schema/SchemaSelection.h"
#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/common/MessageBoxes.h"
#include "render/topology3d/TopologyPrint.h"
#include "ui/common/LayerMenu.h"
#include "ui/document/ChildForm.h"
#include "ui/report/ReportPrinting.h"
#include "ui/topology3d/TopologyGlView.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QHash>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QGridLayout>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// What the next window starts with while the program runs: the switches, the checked commands
// and whether the information panel shows.
struct TRemembered {
    bool Valid = false;
    TTopologySwitches Switches;
    QHash<QString, bool> Checked;
};

TRemembered& Remembered()
{
    static TRemembered remembered;
    return remembered;
}

// Whether an OpenGL context can be had here, and if not, why. Some platforms (offscreen,
// minimal) cannot host an OpenGL widget at all: it must not even be created there.
bool OpenGLAvailable(QString& reason)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        reason = QStringLiteral("платформа \"%1\" не поддерживает OpenGL").arg(platform);
        return false;
    }
    QOpenGLContext context;
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    context.setFormat(format);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    if (!context.create() || !context.makeCurrent(&surface)) {
        reason = QStringLiteral("не удалось создать контекст OpenGL");
        return false;
    }
    context.doneCurrent();
    return true;
}

}  // namespace

TTopolChemaForm::TTopolChemaForm(QWidget* mainWindow) : QMainWindow(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("TopolChemaForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Топология шахты"));
    setMinimumSize(600, 340);
    QString reason;
    if (!OpenGLAvailable(reason)) {
        // The window says why and stays empty; the rest of the program carries on.
        auto* label = new QLabel(QStringLiteral("Ошибка инициализации OpenGL.\nСообщение: %1").arg(reason), this);
        label->setAlignment(Qt::AlignCenter);
        setCentralWidget(label);
        failure_ = reason;
        QTimer::singleShot(0, this, [this] {
            MessageBoxes::Show(this, {windowTitle(), QStringLiteral("Ошибка инициализации OpenGL.\r\nСообщение: %1").arg(failure_),
                                      TMsgIcon::Error, TMsgButtons::Ok});
        });
        return;
    }
    view_ = new TTopologyGlView(this);
    BuildBars();
    // The information panel under the view, shown and hidden by "Информация" (Ctrl+I).
    infoPanel_ = new QDockWidget(QStringLiteral("Информация"), this);
    infoPanel_->setObjectName(QStringLiteral("InfoPanel"));
    infoPanel_->setFeatures(QDockWidget::DockWidgetClosable);
    info_ = new QPlainTextEdit(QStringLiteral("Информация: "), infoPanel_);
    info_->setReadOnly(true);
    info_->setFrameShape(QFrame::NoFrame);
    info_->setMinimumWidth(200);
    infoPanel_->setWidget(info_);
    addDockWidget(Qt::RightDockWidgetArea, infoPanel_);
    resizeDocks({infoPanel_}, {200}, Qt::Horizontal);
    connect(view_, &TTopologyGlView::Picked, this, &TTopolChemaForm::OnPicked);
    connect(view_, &TTopologyGlView::ViewChanged, this, &TTopolChemaForm::SyncBars);

    QToolBar* bar = addToolBar(QStringLiteral("Вид"));
    connect(Add("ActPlaneXY", QStringLiteral("Плоскость XY"), ""), &QAction::triggered, this, [this] { SetPlane(90, 0); });
    connect(Add("ActPlaneYZ", QStringLiteral("Плоскость YZ"), ""), &QAction::triggered, this, [this] { SetPlane(0, 90); });
    connect(Add("ActPlaneXZ", QStringLiteral("Плоскость XZ"), ""), &QAction::triggered, this, [this] { SetPlane(0, 0); });
    QMenu* pipes = menuBar()->addMenu(QStringLiteral("&Трубопровод"));
    auto* pipeGroup = new QActionGroup(this);
    const char* const kPipes[] = {"Не показывать", "Пожарно-оросительный трубопровод", "Водоотлив", "Воздухопровод",
                                  "Дегазационный трубопровод"};
    for (int i = 0; i < 5; ++i) {
        QAction* a = Add(QStringLiteral("ActPipe%1").arg(i).toLatin1().constData(), QString::fromUtf8(kPipes[i]),
                         QStringLiteral("Ctrl+%1").arg(i).toLatin1().constData(), true);
        a->setChecked(i == 0);
        pipeGroup->addAction(a);
        pipes->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] {
            switches_.PipeIndex = i - 1;
            Rebuild();
        });
    }
    QMenu* colours = menuBar()->addMenu(QStringLiteral("&Раскраска"));
    auto* colourGroup = new QActionGroup(this);
    const struct {
        const char* Caption;
        const char* Key;
        int Mode;
    } kColours[] = {{"&Стандартная", "Shift+Ctrl+S", 0}, {"По &пластам", "Shift+Ctrl+L", 1},
                    {"По по&зициям ПЛА", "", 2}, {"По &давлению", "Shift+Ctrl+P", 3}};
    for (const auto& c : kColours) {
        QAction* a = Add(QStringLiteral("ActColour%1").arg(c.Mode).toLatin1().constData(), QString::fromUtf8(c.Caption),
                         c.Key, true);
        a->setChecked(c.Mode == 0);
        colourGroup->addAction(a);
        colours->addAction(a);
        const int mode = c.Mode;
        connect(a, &QAction::triggered, this, [this, mode] {
            switches_.ColorMode = mode;
            Rebuild();
        });
    }
    QAction* only = Add("ActOnlyPipes", QStringLiteral("Только трубы"), "", true);
    connect(only, &QAction::toggled, this, [this](bool on) {
        switches_.OnlyPipes = on;
        Rebuild();
    });
    QAction* solid = Add("ActSolid", QStringLiteral("Объемные элементы"), "Ctrl+W", true);
    connect(solid, &QAction::toggled, view_, &TTopologyGlView::SetSolid);
    QAction* nodes = Add("ActNodeNumbers", QStringLiteral("Номера узлов"), "", true);
    QAction* branches = Add("ActBranchNumbers", QStringLiteral("Номера выработок"), "", true);
    auto numbers = [this, nodes, branches] { view_->SetNumbers(nodes->isChecked(), branches->isChecked()); };
    connect(nodes, &QAction::toggled, this, numbers);
    connect(branches, &QAction::toggled, this, numbers);
    QAction* devices = Add("ActDevices", QStringLiteral("Показывать оборудование"), "Ctrl+D", true);
    connect(devices, &QAction::toggled, this, [this](bool on) {
        switches_.Devices = on;
        Rebuild();
    });
    QAction* show = Add("ActShowNodes", QStringLiteral("Показывать узлы"), "Ctrl+U", true);
    show->setChecked(true);
    connect(show, &QAction::toggled, this, [this](bool on) {
        switches_.ShowNodes = on;
        Rebuild();
    });
    QAction* grid = Add("ActGrid", QStringLiteral("Координатная сетка"), "Ctrl+G", true);
    connect(grid, &QAction::toggled, this, [this](bool on) {
        grid_ = on;
        Rebuild();
    });
    QAction* fit = Add("ActAutoZoom", QStringLiteral("Автоматическое масштабирование"), "", true);
    connect(fit, &QAction::toggled, view_, &TTopologyGlView::SetAutoZoom);
    connect(Add("ActCentre", QStringLiteral("В центр (Ctrl+ сбос углов, Shift+ сброс масштаба)"), ""), &QAction::triggered,
            this, [this] {
                const Qt::KeyboardModifiers keys = QGuiApplication::keyboardModifiers();
                TTopologyView& v = view_->View();
                v.Set(QPoint(), keys & Qt::ControlModifier ? 0 : v.Alpha(), keys & Qt::ControlModifier ? 0 : v.Beta(),
                      keys & Qt::ShiftModifier ? 1 : v.Zoom());
                view_->update();
                SyncBars();
            });
    QAction* direction = Add("ActDirection", QStringLiteral("Направление движения"), "", true);
    connect(direction, &QAction::toggled, this, [this](bool on) {
        switches_.Direction = on;
        Rebuild();
    });
    QAction* info = Add("ActInfo", QStringLiteral("Информация"), "Ctrl+I", true);
    info->setChecked(true);
    connect(info, &QAction::toggled, infoPanel_, &QDockWidget::setVisible);
    connect(infoPanel_, &QDockWidget::visibilityChanged, this, [this, info](bool shown) {
        // Hidden with the window itself, the panel is still meant to show.
        if (isVisible() && !isMinimized())
            info->setChecked(shown);
    });
    connect(Add("ActPrint", QStringLiteral("Печать"), "Ctrl+P"), &QAction::triggered, this, &TTopolChemaForm::Print);
    for (const char* name : {"ActPlaneXY", "ActPlaneYZ", "ActPlaneXZ", "ActOnlyPipes", "ActDevices", "ActDirection",
                             "ActSolid", "ActNodeNumbers", "ActBranchNumbers", "ActShowNodes", "ActGrid", "ActInfo",
                             "ActAutoZoom", "ActCentre", "ActPrint"})
        bar->addAction(Action(QString::fromLatin1(name)));
    // The seams and plan positions: a click shows or hides a seam's (position's) branches, here
    // and on the plan, and the list opens again so several can be switched in a row.
    const struct {
        const char* Name;
        const char* Caption;
        bool Seams;
    } kLayerMenus[] = {{"LayersMenu", "Пласты", true}, {"PLFMenu", "Позиции ПЛА", false}};
    for (const auto& m : kLayerMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.Caption));
        menu->setObjectName(QString::fromLatin1(m.Name));
        QToolButton* button = LayerMenu::AddButton(bar, menu, QString::fromUtf8(m.Caption));
        const bool seams = m.Seams;
        connect(menu, &QMenu::aboutToShow, this,
                [this, menu, seams] { LayerMenu::Fill(menu, document_ ? document_->Mine() : nullptr, seams); });
        connect(menu, &QMenu::triggered, this, [this, button, seams](QAction* action) {
            // A change of the mine: the document, the plan and every 3D window follow.
            if (!document_)
                return;
            TEditTransaction tx(&document_->History(),
                                seams ? QStringLiteral("Видимость пласта") : QStringLiteral("Видимость позиции ПЛА"),
                                TEditScope::Objects);
            tx.TouchSeams();
            if (LayerMenu::Toggle(action, *document_->Mine(), seams)) {
                tx.Commit();
                LayerMenu::OfferAgain(button);
            }
        });
    }
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&Вид"));
    for (const char* name : std::initializer_list<const char*>{"ActPlaneXY", "ActPlaneYZ", "ActPlaneXZ", nullptr, "ActOnlyPipes", "ActDevices", "ActDirection",
                             "ActSolid", "ActNodeNumbers", "ActBranchNumbers", "ActShowNodes", "ActGrid", nullptr, "ActInfo",
                             "ActAutoZoom", "ActCentre", nullptr, "ActPrint"})
        if (name)
            viewMenu->addAction(Action(QString::fromLatin1(name)));
        else
            viewMenu->addSeparator();
    // Every switch is remembered for the next window as it changes.
    for (QAction* a : findChildren<QAction*>())
        if (a->isCheckable())
            connect(a, &QAction::toggled, this, &TTopolChemaForm::Remember);
    if (Remembered().Valid)
        CopyState(Remembered().Switches, Remembered().Checked);
    resize(900, 600);

    // A context that still fails when the widget makes it is said once the window is up.
    QTimer::singleShot(0, this, [this] {
        if (view_ && !view_->Failure().isEmpty())
            MessageBoxes::Show(this, {windowTitle(), QStringLiteral("Ошибка инициализации OpenGL.\r\nСообщение: %1").arg(view_->Failure()),
                                      TMsgIcon::Error, TMsgButtons::Ok});
    });
}

void TTopolChemaForm::BuildBars()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    auto bar = [this](Qt::Orientation orientation, const char* name, int min, int max, int step, int page,
                      const QString& hint) {
        auto* b = new QScrollBar(orientation, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setRange(min, max);
        b->setSingleStep(step);
        b->setPageStep(page);
        b->setToolTip(hint);
        connect(b, &QScrollBar::valueChanged, this, &TTopolChemaForm::BarsMoved);
        return b;
    };
    zoomBar_ = bar(Qt::Horizontal, "ZoomBar", 10, 20000, 10, 2000, QStringLiteral("Масштаб"));
    betaBar_ = bar(Qt::Horizontal, "BetaBar", -180000, 180000, 1000, 10000, QStringLiteral("Поворот вокруг оси Z"));
    alphaBar_ = bar(Qt::Vertical, "AlphaBar", -90000, 90000, 500, 5000, QStringLiteral("Поворот вокруг оси X"));
    levelBar_ = bar(Qt::Vertical, "LevelBar", 0, 0, 1, 10, QStringLiteral("Уровень Z0"));
    zoomLabel_ = new QLabel(this);
    betaLabel_ = new QLabel(this);
    alphaLabel_ = new QLabel(this);
    auto* right = new QVBoxLayout;
    right->addWidget(alphaLabel_);
    right->addWidget(alphaBar_, 1);
    right->addWidget(levelBar_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(zoomLabel_);
    bottom->addWidget(zoomBar_, 1);
    bottom->addWidget(betaLabel_);
    bottom->addWidget(betaBar_, 1);
    grid->addWidget(view_, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addLayout(bottom, 1, 0);
    setCentralWidget(central);
    SyncBars();
}

void TTopolChemaForm::SyncBars()
{
    if (!view_)
        return;
    syncing_ = true;
    const TTopologyView& v = view_->View();
    zoomBar_->setValue(int(std::lround(v.Zoom() * 1000)));
    zoomBar_->setEnabled(!view_->AutoZoom());
    betaBar_->setValue(int(std::lround(v.Beta() * 1000)));
    alphaBar_->setValue(int(std::lround(v.Alpha() * 1000)));
    zoomLabel_->setText(QStringLiteral(" x %1").arg(v.Zoom(), 0, 'f', 2));
    betaLabel_->setText(QStringLiteral(" %1").arg(v.Beta(), 0, 'f', 1));
    alphaLabel_->setText(QStringLiteral(" %1").arg(v.Alpha(), 0, 'f', 1));
    syncing_ = false;
}

void TTopolChemaForm::BarsMoved()
{
    if (syncing_ || !view_)
        return;
    TTopologyView& v = view_->View();
    v.Set(v.Pan(), alphaBar_->value() / 1000.0, betaBar_->value() / 1000.0,
          view_->AutoZoom() ? v.Zoom() : zoomBar_->value() / 1000.0);
    // Turned, the mine needs another zoom to stay whole.
    if (view_->AutoZoom())
        v.Set(v.Pan(), v.Alpha(), v.Beta(), view_->FitZoom());
    // The grid's level: the bar counts down from the mine's top.
    const double top = view_->Box().Max.z();
    const double level = top - levelBar_->value();
    if (grid_ && level != z0_) {
        z0_ = level;
        Rebuild();
    }
    SyncBars();
    view_->update();
}

QAction* TTopolChemaForm::Add(const char* name, const QString& caption, const char* key, bool checkable)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    if (*key)
        a->setShortcut(QKeySequence(QString::fromLatin1(key)));
    a->setCheckable(checkable);
    addAction(a);
    return a;
}

QAction* TTopolChemaForm::Action(const QString& name) const { return findChild<QAction*>(name); }

void TTopolChemaForm::Bind(TChildForm* document)
{
    document_ = document;
    if (!document)
        return;
    setWindowTitle(QStringLiteral("Топология шахты \"%1\"").arg(document->Mine()->Name()));
    if (!view_)
        return;
    view_->SetMine(document->Mine());
    connect(document, &TChildForm::MineEdited, this, &TTopolChemaForm::ScheduleRebuild);
    // Results came or went: the colouring by pressure and the water's way follow.
    connect(document, &TChildForm::HydroResultsChanged, this, &TTopolChemaForm::ScheduleRebuild);
    connect(document, &QObject::destroyed, this, &QWidget::close);
    Rebuild();
}

void TTopolChemaForm::CopyFrom(const TTopolChemaForm& other)
{
    if (!view_ || !other.view_)
        return;
    view_->View() = other.view_->View();
    view_->KeepView();
    QHash<QString, bool> checked;
    for (QAction* a : other.findChildren<QAction*>())
        if (a->isCheckable())
            checked.insert(a->objectName(), a->isChecked());
    CopyState(other.switches_, checked);
}

void TTopolChemaForm::CopyState(TTopologySwitches switches, const QHash<QString, bool> checked)
{
    // Copies: the commands' handlers remember the state as they go, which changes the
    // remembered state this may come from.
    applying_ = true;
    for (auto it = checked.begin(); it != checked.end(); ++it)
        if (QAction* mine = Action(it.key()); mine && mine->isCheckable())
            mine->setChecked(it.value());
    // After the commands, whose handlers set their own switches as they go.
    switches_ = switches;
    applying_ = false;
    Rebuild();
    Remember();
}

void TTopolChemaForm::Remember() const
{
    if (!view_ || applying_)
        return;
    TRemembered& r = Remembered();
    r.Valid = true;
    r.Switches = switches_;
    r.Checked.clear();
    for (QAction* a : findChildren<QAction*>())
        if (a->isCheckable())
            r.Checked.insert(a->objectName(), a->isChecked());
}

QImage TTopolChemaForm::Picture() const
{
    return view_ ? view_->Picture() : QImage();
}

bool TTopolChemaForm::PrintTo(QPrinter& printer) const
{
    const QImage picture = Picture();
    if (picture.isNull())
        return false;
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    TopologyPrint::PaintPage(p, QRectF(QPointF(0, 0), page.size()), printer.resolution() / 2.54, picture, windowTitle());
    return p.end();
}

void TTopolChemaForm::Print()
{
    if (!view_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinting::SetUpPrinter(printer);
    printer.setDocName(windowTitle());
    const QImage picture = Picture();
    printer.setPageOrientation(picture.width() >= picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!ReportPrinting::EnsureOutput(printer, this))
        return;
    if (printer.outputFileName().isEmpty()) {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted)
            return;
        ReportPrinting::RememberPrinter(printer);
    }
    if (!PrintTo(printer))
        MessageBoxes::Error(this, QStringLiteral("Не удалось напечатать изображение"));
}

void TTopolChemaForm::ScheduleRebuild()
{
    if (rebuildPending_)
        return;
    rebuildPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (rebuildPending_)
            Rebuild();
    });
}

void TTopolChemaForm::ObjectGone(const TMineObject* gone)
{
    // The mine is freeing the object (null: the mine itself goes): only pointers are dropped
    // here, the scene is built again afterwards.
    if (!gone || gone == branch_)
        branch_ = nullptr;
    if (!gone || gone == uzel_)
        uzel_ = nullptr;
    if (view_)
        view_->ForgetObjects(!gone);
    ScheduleRebuild();
}

void TTopolChemaForm::Rebuild()
{
    rebuildPending_ = false;
    if (!document_ || !view_)
        return;
    const TMine& mine = *document_->Mine();
    // The document may have read another mine into itself.
    if (watch_.Mine() != &mine)
        watch_.Start(&mine, [this](const TMineObject* gone) { ObjectGone(gone); });
    // Objects deleted since are no longer current.
    if (branch_ && mine.Branches.IndexOf(branch_) < 0)
        branch_ = nullptr;
    if (uzel_ && mine.Uzels.IndexOf(uzel_) < 0)
        uzel_ = nullptr;
    // The document's results as they are now; without them there is no colouring by pressure.
    switches_.Results = document_->HydroResults();
    if (QAction* byPressure = Action(QStringLiteral("ActColour3"))) {
        byPressure->setEnabled(switches_.Results != nullptr);
        if (!switches_.Results && switches_.ColorMode == 3) {
            switches_.ColorMode = 0;
            if (QAction* standard = Action(QStringLiteral("ActColour0")))
                standard->setChecked(true);
        }
    }
    view_->SetMine(&mine);
    view_->SetScene(TTopologyScene::Build(mine, switches_, branch_, uzel_));
    // The grid's level bar runs from the mine's top down to its bottom, where the grid starts.
    const TModelBox& box = view_->Box();
    const int depth = std::max(0, int(std::lround(box.Max.z() - box.Min.z())));
    if (levelBar_->maximum() != depth) {
        const QSignalBlocker block(levelBar_);
        levelBar_->setRange(0, depth);
        levelBar_->setValue(depth);
        z0_ = box.Max.z() - depth;
    }
    view_->SetGrid(grid_ ? TTopologyGrid::Build(mine, gridStep_, z0_) : TTopologyGrid{}, grid_);
    SyncBars();
    Remember();
}

void TTopolChemaForm::SetGridStep(int step)
{
    gridStep_ = step > 0 ? step : 200;
    Rebuild();
}

void TTopolChemaForm::SetLineSmooth(bool on)
{
    if (view_)
        view_->SetLineSmooth(on);
}

void TTopolChemaForm::SetPlane(double alpha, double beta)
{
    TTopologyView& v = view_->View();
    // The angles first: the fitting zoom is the one of the new plane.
    v.Set(QPoint(), alpha, beta, v.Zoom());
    if (view_->AutoZoom())
        v.Set(QPoint(), alpha, beta, view_->FitZoom());
    view_->update();
    SyncBars();
}

void TTopolChemaForm::OnPicked(const TBranch* branch, const TUzel* uzel, bool ctrl)
{
    if (!document_ || (!branch && !uzel))
        return;
    const TMineObject* previous = branch ? static_cast<const TMineObject*>(branch_) : uzel_;
    SchemaSelection::PickInSpace(*document_->Mine(), const_cast<TMineObject*>(previous), ctrl);
    if (branch)
        branch_ = branch;
    if (uzel)
        uzel_ = uzel;
    const TMineObject* current = branch ? static_cast<const TMineObject*>(branch) : uzel;
    info_->setPlainText(QStringLiteral("Информация: \n\n") + current->GetInfoText(false));
    Rebuild();
}
