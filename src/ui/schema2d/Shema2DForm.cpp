#include "ui/schema2d/Shema2DForm.h"

#include "core/history/EditTransaction.h"
#include "core/schema/SchemaPositions.h"
#include "core/schema/TextBlockRestyle.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"
#include "ui/app/HelpViewer.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/schema2d/InfoPanel.h"
#include "ui/schema2d/MapForm.h"
#include "ui/schema2d/OptionsForm.h"
#include "ui/schema2d/ScaleComboBox.h"
#include "ui/schema2d/SchemaExport.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/SchemaRuler.h"
#include "ui/schema2d/SchemaSettings.h"
#include "ui/schema2d/SchemaStatusText.h"
#include "ui/schema2d/SchemaViewActions.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {

// Help context of the schema window: the page of the schemas and checks.
constexpr int kSchemaHelpContext = 90;  // tools, mouse and keys of the schema

constexpr QSize kDefaultSize(900, 650);

TScaleLimits LimitsOf(const TParams2D& p)
{
    return TScaleLimits{p.MinLimScale, p.MaxLimScale, p.MinFontScale, p.MaxFontScale};
}


}  // namespace

TShema2DForm::TShema2DForm(TConfig& config, TSchemaSettings& settings, QWidget* mainWindow)
    : QMainWindow(mainWindow, Qt::Window), config_(config), settings_(settings)
{
    setObjectName(QStringLiteral("Shema2DForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Shema2DTexts::kCaption);
    if (mainWindow)
        setWindowIcon(mainWindow->windowIcon());

    view_.SetMapScale(config_.Scale2D);
    view_.SetLimits(LimitsOf(settings_.Params));
    view_.SetScale(settings_.Memory.Scale);
    pendingScroll_ = settings_.Memory.Scroll;

    BuildWidgets();
    BuildActions();
    BuildToolActions();
    BuildOrderActions();
    BuildInfoPanel();
    BuildPrintActions();
    BuildFindActions();
    BuildContextActions();
    BuildMenusAndToolBar();
    viewActions_->SetResultBits(settings_.Memory.ResultBits);
    // The water arrows are off whenever the window opens.
    viewActions_->SetWaterArrows(false);

    // At the bounds of the last opening, else those stored, else centred on the screen.
    std::optional<QRect> bounds = settings_.Memory.Bounds;
    if (!bounds)
        bounds = LoadSchemaBounds(config_.UserStore());
    if (bounds) {
        resize(bounds->size());
        move(bounds->topLeft());
    } else {
        resize(kDefaultSize);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(kDefaultSize.width() / 2, kDefaultSize.height() / 2));
    }
    ApplyOptions();
    AfterViewChange();
}

TShema2DForm::~TShema2DForm()
{
    RememberState();
    for (const auto& [document, scene] : scenes_)
        disconnect(document, nullptr, this, nullptr);
    // The child widgets die after this body (the scale box closing its list, say) and must
    // not call back into a window that is no longer one.
    drawBox_->removeEventFilter(this);
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

// ---------------------------------------------------------------------------------------
// Widgets and commands

void TShema2DForm::BuildWidgets()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    labelCm_ = new QLabel(central);
    labelCm_->setObjectName(QStringLiteral("LabelCm"));
    labelCm_->setAlignment(Qt::AlignCenter);
    labelCm_->setFixedSize(TSchemaRuler::kThickness, TSchemaRuler::kThickness);
    QFont small(QStringLiteral("Arial"));
    small.setPointSize(7);
    labelCm_->setFont(small);
    topBox_ = new TSchemaRuler(Qt::Horizontal, central);
    leftBox_ = new TSchemaRuler(Qt::Vertical, central);
    drawBox_ = new QWidget(central);
    drawBox_->setObjectName(QStringLiteral("DrawBox"));
    drawBox_->setMinimumSize(80, 60);
    drawBox_->installEventFilter(this);
    panel_ = new TSchemaPanel(drawBox_);
    panel_->SetDraw([this](QPainter& p, const QRect& clip) { Draw(p, clip); });
    bScrollBar_ = new QScrollBar(Qt::Horizontal, drawBox_);
    bScrollBar_->setObjectName(QStringLiteral("BScrollBar"));
    rScrollBar_ = new QScrollBar(Qt::Vertical, drawBox_);
    rScrollBar_->setObjectName(QStringLiteral("RScrollBar"));
    corner_ = new QWidget(drawBox_);
    corner_->setAutoFillBackground(true);
    grid->addWidget(labelCm_, 0, 0);
    grid->addWidget(topBox_, 0, 1);
    grid->addWidget(leftBox_, 1, 0);
    grid->addWidget(drawBox_, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    setCentralWidget(central);

    connect(bScrollBar_, &QScrollBar::valueChanged, this,
            [this](int x) { ScrollTo(QPoint(x, view_.ScrollPosition().y())); });
    connect(rScrollBar_, &QScrollBar::valueChanged, this,
            [this](int y) { ScrollTo(QPoint(view_.ScrollPosition().x(), y)); });
    connect(panel_, &TSchemaPanel::MouseLeft, this, [this] {
        topBox_->SetMouse(std::nullopt);
        leftBox_->SetMouse(std::nullopt);
    });

    // Three panels: what is under the mouse, the scale, the coordinates.
    statusObject_ = new QLabel(this);
    statusScale_ = new QLabel(this);
    statusXY_ = new QLabel(this);
    // The panels' widths, grown when the font needs more for the longest text they show.
    const int widths[] = {440, 90, 300};
    const QString longest[] = {QString(), SchemaStatusText::ScaleText(30),
                               QStringLiteral(" X: -9999.9 см  (-99999 пикс)       Y: -9999.9 см  (-99999 пикс)")};
    int i = 0;
    for (QLabel* label : {statusObject_, statusScale_, statusXY_}) {
        const int needed = label->fontMetrics().horizontalAdvance(longest[i]) + 2 * label->frameWidth() + 8;
        label->setFixedWidth(std::max(widths[i], needed));
        ++i;
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(label);
    }
}

QAction* TShema2DForm::AddCommand(TSchemaCommand command, const QString& caption, const char* shortcut, const char* icon)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(SchemaCommandName(command)));
    if (*shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    if (*icon)
        a->setIcon(QIcon::fromTheme(QString::fromLatin1(icon)));
    addAction(a);
    commands_[size_t(command)] = a;
    return a;
}

void TShema2DForm::BuildActions()
{
    viewActions_ = new TSchemaViewActions(this, settings_.Params);
    connect(viewActions_, &TSchemaViewActions::Changed, this, [this](bool extent) {
        if (extent)
            RecomputeExtent();
        AfterViewChange();
    });
    connect(AddCommand(TSchemaCommand::IncScaleAuto, QStringLiteral("Увеличить"), "", "zoom-in"), &QAction::triggered, this,
            [this] { StepZoom(true); });
    connect(AddCommand(TSchemaCommand::DecScaleAuto, QStringLiteral("Уменьшить"), "", "zoom-out"), &QAction::triggered, this,
            [this] { StepZoom(false); });
    connect(AddCommand(TSchemaCommand::PageScale, QStringLiteral("Схема целиком"), "", "zoom-fit-best"), &QAction::triggered,
            this, &TShema2DForm::FitWhole);
    connect(AddCommand(TSchemaCommand::SelectionScale, QStringLiteral("По выделению"), "", "zoom-fit-selection"),
            &QAction::triggered, this, &TShema2DForm::FitSelection);
    connect(AddCommand(TSchemaCommand::PreviousScale, QStringLiteral("Предыдущий"), "", "zoom-previous"), &QAction::triggered,
            this, &TShema2DForm::PreviousScale);
    connect(AddCommand(TSchemaCommand::Options, QStringLiteral("Настройки..."), "Ctrl+O", "preferences-system"),
            &QAction::triggered, this, &TShema2DForm::RunOptions);
    connect(AddCommand(TSchemaCommand::ToMainWindow, QStringLiteral("Главное окно"), "F7", ""), &QAction::triggered, this,
            &TShema2DForm::MainWindowRequested);
    connect(AddCommand(TSchemaCommand::DevicesWindow, QStringLiteral("Все оборудование..."), "", ""), &QAction::triggered, this,
            &TShema2DForm::AllDevicesRequested);
    // The schema's page of the help: the one of the schemas and checks.
    connect(AddCommand(TSchemaCommand::Help, QStringLiteral("Справка"), "F1", "help-contents"), &QAction::triggered, this,
            [this] { HelpViewer::Show(config_.HelpPath, kSchemaHelpContext, this); });
    connect(AddCommand(TSchemaCommand::SavePicture, QStringLiteral("Экспорт..."), "Shift+Ctrl+S", "document-export"),
            &QAction::triggered, this, [this] {
                SchemaExport::Run(*this, [this](int context) { HelpViewer::Show(config_.HelpPath, context, this); });
            });
}

void TShema2DForm::BuildInfoPanel()
{
    infoPanel_ = new TInfoPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, infoPanel_);
    infoPanel_->setVisible(settings_.Params.InfoPanelVisible);
    QAction* mapAction = AddCommand(TSchemaCommand::Map, QStringLiteral("Карта"), "Ctrl+K", "");
    mapAction->setCheckable(true);
    connect(mapAction, &QAction::triggered, this, [this, mapAction] {
        ToggleMap();
        mapAction->setChecked(map_ != nullptr);
    });
    QAction* toggle = AddCommand(TSchemaCommand::InfoWindow, QStringLiteral("Информационная панель"), "Ctrl+I", "");
    toggle->setCheckable(true);
    toggle->setChecked(settings_.Params.InfoPanelVisible);
    connect(toggle, &QAction::toggled, infoPanel_, &QWidget::setVisible);
    // Closed by its own button too: the setting and the check mark follow.
    connect(infoPanel_, &QDockWidget::visibilityChanged, this, [this, toggle](bool visible) {
        if (isVisible() && !infoPanel_->isFloating()) {
            settings_.Params.InfoPanelVisible = visible;
            toggle->setChecked(visible);
        }
    });
}

TMapForm* TShema2DForm::Map() const
{
    return map_.data();
}

void TShema2DForm::ToggleMap()
{
    if (map_) {
        map_->close();
        return;
    }
    map_ = new TMapForm(this);
    // First at the lower-right corner inside the window; later where it was last closed.
    const QRect frame = geometry();
    map_->setGeometry(settings_.Memory.MapBounds.value_or(
        QRect(frame.right() - map_->width() - 24, frame.bottom() - map_->height() - 48, map_->width(), map_->height())));
    connect(map_, &QObject::destroyed, this, [this] {
        Command(TSchemaCommand::Map)->setChecked(false);
    });
    connect(map_, &TMapForm::Closing, this, [this](const QRect& bounds) { settings_.Memory.MapBounds = bounds; });
    map_->show();
    map_->Refresh(true);
    Command(TSchemaCommand::Map)->setChecked(true);
}

void TShema2DForm::BuildMenusAndToolBar()
{
    using C = TSchemaCommand;
    // Count stands for a separator.
    const auto fill = [this](auto* target, std::initializer_list<TSchemaCommand> commands) {
        for (TSchemaCommand command : commands) {
            if (command == C::Count)
                target->addSeparator();
            else
                target->addAction(Command(command));
        }
    };
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    BuildHistoryActions(edit);
    fill(edit, {C::Arrow, C::Move, C::IncScale, C::DecScale, C::TextBlock, C::Count, C::SelectAll, C::Editor, C::Count,
                C::Front, C::Back, C::Forward, C::Backward, C::Count, C::Refresh, C::Find});
    // The order commands follow the editor mode and the selection.
    connect(edit, &QMenu::aboutToShow, this, &TShema2DForm::SyncOrderActions);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Вид"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    fill(view, {C::IncScaleAuto, C::DecScaleAuto, C::PageScale, C::SelectionScale, C::PreviousScale, C::Count});
    viewActions_->FillPipeMenu(view->addMenu(QStringLiteral("&Трубопровод")));
    viewActions_->FillColourMenu(view->addMenu(QStringLiteral("&Раскраска")));
    viewActions_->FillLabelMenu(view->addMenu(QStringLiteral("&Подписи")));
    viewActions_->FillResultMenu(view->addMenu(QStringLiteral("Р&езультаты")));
    view->addSeparator();
    viewActions_->FillObjectMenu(view);

    QMenu* service = menuBar()->addMenu(QStringLiteral("&Сервис"));
    service->setObjectName(QStringLiteral("ServiceMenu"));
    fill(service, {C::PrintSchema, C::Legend, C::SavePicture, C::Options, C::Map, C::InfoWindow, C::Properties,
                   C::DevicesWindow, C::ToMainWindow, C::Count, C::Help});

    QToolBar* tools = addToolBar(QStringLiteral("Инструменты"));
    tools->setObjectName(QStringLiteral("ToolsToolBar"));
    fill(tools, {C::Arrow, C::Move, C::IncScale, C::DecScale, C::TextBlock, C::Editor});

    QToolBar* bar = addToolBar(QStringLiteral("Масштаб"));
    bar->setObjectName(QStringLiteral("ScaleToolBar"));
    fill(bar, {C::IncScaleAuto, C::DecScaleAuto});
    scaleBox_ = new TScaleComboBox(bar);
    bar->addWidget(scaleBox_);
    fill(bar, {C::PageScale, C::SelectionScale, C::PreviousScale});
    bar->addSeparator();
    viewActions_->FillToolBar(bar);
    view->addSeparator();
    BuildLayerMenus(bar, view);

    connect(scaleBox_, &TScaleComboBox::ScaleChosen, this, &TShema2DForm::SetScaleAboutCentre);
    connect(scaleBox_, &TScaleComboBox::PopupVisible, this, [this](bool open) {
        statusObject_->setText(open ? Shema2DTexts::kSpaceHint : QString());
    });
    connect(scaleBox_, &TScaleComboBox::MaxLimScaleChosen, this, [this](double limit) {
        settings_.Params.SetMaxLimScale(limit);
        view_.SetLimits(LimitsOf(settings_.Params));
        AfterViewChange();
    });
}

QAction* TShema2DForm::Action(const QString& name) const
{
    for (QAction* a : commands_)
        if (a && a->objectName() == name)
            return a;
    return viewActions_ ? viewActions_->Action(name) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Document

TSchemaScene* TShema2DForm::Scene() const
{
    const auto it = scenes_.find(document_);
    return it == scenes_.end() ? nullptr : it->second.get();
}

void TShema2DForm::Follow(TChildForm* active)
{
    const TSchemaScene* scene = Scene();
    if (active && (active != document_ || !scene || &scene->Mine() != active->Mine()))
        Bind(active);
}

void TShema2DForm::BuildHistoryActions(QMenu* edit)
{
    // The schema is a window of its own: the main window's shortcuts do not reach it.
    undo_ = edit->addAction(QStringLiteral("&Отменить"), this, [this] {
        if (document_)
            document_->Undo();
    });
    undo_->setObjectName(QStringLiteral("actUndo"));
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo_ = edit->addAction(QStringLiteral("&Повторить"), this, [this] {
        if (document_)
            document_->Redo();
    });
    redo_->setObjectName(QStringLiteral("actRedo"));
    redo_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    edit->addSeparator();
    UpdateHistoryActions();
}

void TShema2DForm::UpdateHistoryActions()
{
    if (!undo_ || !redo_)
        return;
    const bool canUndo = document_ && document_->CanUndo();
    const bool canRedo = document_ && document_->CanRedo();
    undo_->setEnabled(canUndo);
    redo_->setEnabled(canRedo);
    const auto named = [](const QString& caption, bool can, const QString& step) {
        return can && !step.isEmpty() ? caption + QLatin1Char(' ') + step : caption;
    };
    undo_->setText(named(QStringLiteral("&Отменить"), canUndo, canUndo ? document_->History().UndoCaption() : QString()));
    redo_->setText(named(QStringLiteral("&Повторить"), canRedo, canRedo ? document_->History().RedoCaption() : QString()));
}

void TShema2DForm::Bind(TChildForm* document)
{
    const bool another = document != document_;
    if (another && document_) {
        disconnect(document_, &TChildForm::MineEdited, this, nullptr);
        disconnect(document_, &TChildForm::HydroResultsChanged, this, nullptr);
        disconnect(document_, &TChildForm::HistoryChanged, this, nullptr);
        disconnect(document_, &TChildForm::StateChanged, this, nullptr);
    }
    if (document != document_)
        block_ = nullptr;
    document_ = document;
    if (!document)
        results_ = nullptr;
    if (document && another) {
        // The busy counter changes with the state, the steps with the history.
        connect(document, &TChildForm::HistoryChanged, this, &TShema2DForm::UpdateHistoryActions);
        connect(document, &TChildForm::StateChanged, this, &TShema2DForm::UpdateHistoryActions);
    }
    UpdateHistoryActions();
    if (document) {
        std::unique_ptr<TSchemaScene>& scene = scenes_[document];
        // A file opened into the window brings another mine.
        if (!scene || &scene->Mine() != document->Mine()) {
            // The first view of a mine shows all of it; only the document the window was left
            // on gets back the scale and scroll position it was left with.
            if (document != settings_.Memory.Document || scene) {
                pendingFit_ = true;
                pendingScroll_.reset();
            }
            if (!scene) {
                connect(document, &QObject::destroyed, this, &TShema2DForm::DocumentGone);
                connect(document, &TChildForm::Closing, this, [this, document] {
                    if (document == document_)
                        close();
                });
            }
            scene = std::make_unique<TSchemaScene>(*document->Mine());
            scene->SetOnObjectGone([this, document = QPointer<TChildForm>(document)](const TMineObject* gone) {
                LetGo(document, gone);
            });
        }
        disconnect(document, &TChildForm::MineEdited, this, nullptr);
        connect(document, &TChildForm::MineEdited, this,
                [this](bool structural) {
                    DropStalePointers();
                    structuralPending_ = structuralPending_ || structural;
                    if (repaintPending_)
                        return;
                    repaintPending_ = true;
                    QTimer::singleShot(0, this, [this] { RepaintSchema(true); });
                });
        connect(document, &QWidget::windowTitleChanged, this, &TShema2DForm::UpdateTitle, Qt::UniqueConnection);
        // The document's results, as they come and go.
        disconnect(document, &TChildForm::HydroResultsChanged, this, nullptr);
        // The new table is taken at once (the old one is gone) and drawn once the change under
        // way is over: results are dropped while objects of the mine are being deleted.
        connect(document, &TChildForm::HydroResultsChanged, this, [this, document] {
            if (document != document_)
                return;
            TakeResults(document->HydroResults());
            if (repaintPending_)
                return;
            repaintPending_ = true;
            QTimer::singleShot(0, this, [this] { RepaintSchema(true); });
        });
        results_ = document->HydroResults();
        hitsValid_ = false;
        // Colouring that the new document cannot show falls back to the standard one; so does
        // colouring by pressures on passing to another document.
        TParams2D& p = settings_.Params;
        const TMine& mine = *document->Mine();
        if ((p.ColorPaint == cmSeams && mine.Layers.Count() == 0) ||
            (p.ColorPaint == cmPressures && (another || !results_)) ||
            (p.ColorPaint == cmPositions && mine.PLFPositions.Count() == 0))
            p.ColorPaint = cmStandard;
        structuralPending_ = true;
    }
    UpdateTitle();
    RepaintSchema(true);
    if (pendingFit_ && isVisible())
        FitFirstView();
}

TEditHistory* TShema2DForm::History() const { return document_ ? &document_->History() : nullptr; }

void TShema2DForm::DropStalePointers()
{
    // Text blocks are no objects of the mine and are not announced when freed: an undo may
    // remove the selected one. The hit index keeps blocks and objects alike; it is rebuilt.
    hitsValid_ = false;
    if (!document_)
        return;
    const TTextBlock2DList& blocks = document_->Mine()->TextBlocks;
    if (block_ && blocks.IndexOf(block_) < 0)
        block_ = nullptr;
    for (THit* hit : {&pressed_, &menuHit_})
        if (hit->Block && blocks.IndexOf(hit->Block) < 0) {
            *hit = THit{};
            if (hit == &pressed_ && (gesture_ == TGesture::TextBlock || gesture_ == TGesture::TextBlockTurn))
                gesture_ = TGesture::None;
        }
}

void TShema2DForm::FitFirstView()
{
    pendingFit_ = false;
    LayOutDrawBox();
    view_.FitWhole();
    AfterViewChange();
}

void TShema2DForm::LetGo(const QPointer<TChildForm>& document, const TMineObject* gone)
{
    // Called while the mine frees the object (null: the mine itself goes): nothing is read
    // here, the window only forgets what it kept and repaints from the rebuilt scene later.
    if (!document || document != document_)
        return;
    hitsValid_ = false;
    const auto refers = [gone](const THit& hit) { return !gone || hit.Object == gone || hit.Branch == gone; };
    if (refers(pressed_)) {
        pressed_ = THit{};
        gesture_ = TGesture::None;
    }
    if (refers(menuHit_))
        menuHit_ = THit{};
    // The found object is looked up by its identity at each tick; only a whole mine going ends
    // the blink here (a freed object is simply not found again).
    if (!gone) {
        foundSerial_ = 0;
        blinkOn_ = false;
    }
    structuralPending_ = true;
    if (!repaintPending_) {
        repaintPending_ = true;
        QTimer::singleShot(0, this, [this, document] {
            // A file opened into the document brought another mine: the scene follows it.
            if (document && document == document_ && Scene() && Scene()->MineGone())
                Bind(document);
            else
                RepaintSchema(true);
        });
    }
}

void TShema2DForm::DocumentGone(QObject* document)
{
    scenes_.erase(document);
    if (document == document_) {
        document_ = nullptr;
        results_ = nullptr;
        close();
    }
}

void TShema2DForm::UpdateTitle()
{
    setWindowTitle(document_ ? Shema2DTexts::kCaptionPrefix + document_->Caption() : Shema2DTexts::kCaption);
}

void TShema2DForm::RecomputeExtent()
{
    if (TSchemaScene* scene = Scene()) {
        scene->RecomputeExtent(Context().Show, settings_.Colors, results_);
        scene->ApplyExtent(view_);
    } else {
        view_.SetExtent(QRectF());
    }
}

void TShema2DForm::RepaintSchema(bool full)
{
    repaintPending_ = false;
    if (full) {
        // The mine changed: what blinked may be gone. Activating the window after the find
        // dialog repaints it too, and must not end the blinking it just started.
        if (!Found())
            StopBlink();
        TSchemaScene* scene = Scene();
        if (scene && structuralPending_) {
            scene->SetDrawingOrder(document_->Rows().BranchOrderVector());
            scene->Rebuild();
        }
        structuralPending_ = false;
        if (document_)
            view_.SetOrigin(QPointF(document_->OX(), document_->OY()));
        view_.SetMapScale(config_.Scale2D);
        SyncViewActions();
        RecomputeExtent();
        infoPanel_->ShowMine(document_ ? document_->Mine() : nullptr);
    }
    AfterViewChange();
}

void TShema2DForm::MapScaleChanged()
{
    // A document left at another factor catches up before it is drawn.
    if (document_)
        document_->ChangeMapScale(config_.Scale2D);
    RepaintSchema(true);
}

void TShema2DForm::CentreOnObject(TMineObject* object)
{
    if (!object || !document_ || object->Mine() != document_->Mine())
        return;
    const std::optional<QPointF> point = SchemaPositions::PlaceOf(*object);
    if (!point)
        return;
    TMine& mine = *document_->Mine();
    mine.Selection.Clear();
    mine.Selection.Add(object);
    view_.CentreOn(*point);
    AfterViewChange();
}

void TShema2DForm::SyncViewActions()
{
    TSchemaViewContext context;
    if (document_) {
        context.HasSeams = document_->Mine()->Layers.Count() > 0;
        context.HasPositions = document_->Mine()->PLFPositions.Count() > 0;
        context.HasResults = results_ != nullptr;
    }
    viewActions_->Sync(context);
}

void TShema2DForm::RunOptions()
{
    const TColors2D before = settings_.Colors;
    const bool numbersBelow = settings_.Params.NumBranchesBottom;
    TOptionsForm form(settings_.Params, settings_.Colors, this);
    form.SetHelpHandler([this](int context) { HelpViewer::Show(config_.HelpPath, context, this); });
    form.SetDataFolder(config_.SourcePath);
    // The preview writes the live colours: the schema shows them at once.
    connect(&form, &TOptionsForm::LiveColorsChanged, this, &TShema2DForm::ApplyOptions);
    const bool accepted = form.exec() == QDialog::Accepted;
    settings_.Apply();
    if (accepted && document_) {
        TMine& mine = *document_->Mine();
        const TTextBlockProfileChanges changes = TextBlockRestyle::Compare(before[cpTextBlock], settings_.Colors[cpTextBlock]);
        const bool others = TextBlockRestyle::NeedsQuestion(mine, changes) &&
                            MessageBoxes::Show(this, {kApplicationTitle, kApplyTextBlockDefaultsText, TMsgIcon::Question,
                                                      TMsgButtons::YesNo}) == TMsgAnswer::Yes;
        // What the options change in the mine (the text blocks' look, the automatic labels'
        // side) is one step; the options themselves are the application's.
        const bool sideChanged = numbersBelow != settings_.Params.NumBranchesBottom;
        TEditTransaction tx(History(), QStringLiteral("Параметры схемы"),
                            sideChanged ? TEditScope::WholeMine : TEditScope::Objects);
        tx.TouchTextBlocks();
        TextBlockRestyle::Apply(mine.TextBlocks, settings_.Colors[cpTextBlock], changes, others);
        if (sideChanged) {
            SchemaPositions::PlaceAutomaticLabels(mine);
            document_->SetModified(true);
        }
        tx.Commit();
    }
    ApplyOptions();
}

void TShema2DForm::ApplyOptions()
{
    settings_.Apply();
    view_.SetLimits(LimitsOf(settings_.Params));
    scaleBox_->MarkMaxLimScale(settings_.Params.MaxLimScale);
    labelCm_->setText(settings_.Params.Units == ruCentimetres ? QStringLiteral("см") : QStringLiteral("pix"));
    const QColor back = ProfileColor(settings_.Colors[cpSchema].BackColor);
    topBox_->SetBackground(back);
    leftBox_->SetBackground(back);
    SyncViewActions();
    RecomputeExtent();
    AfterViewChange();
}

// ---------------------------------------------------------------------------------------
// View

void TShema2DForm::SetScaleAboutCentre(double scale)
{
    const QPointF keep = view_.VisibleCentreInSchema();
    view_.SetScale(scale);
    view_.CentreOn(keep);
    AfterViewChange();
}

void TShema2DForm::StepZoom(bool in)
{
    view_.StepZoom(in, view_.VisibleCentreInSchema());
    AfterViewChange();
}

void TShema2DForm::FitWhole()
{
    view_.FitWhole();
    AfterViewChange();
}

void TShema2DForm::FitSelection()
{
    if (!document_)
        return;
    if (const std::optional<QRectF> selection = SchemaPositions::SelectedNodeExtent(*document_->Mine())) {
        view_.FitRect(*selection);
        AfterViewChange();
    }
}

void TShema2DForm::PreviousScale()
{
    view_.TogglePrevious();
    AfterViewChange();
}

void TShema2DForm::SetScrollPosition(QPoint position)
{
    ScrollTo(position);
}

void TShema2DForm::ScrollTo(QPoint position)
{
    const QPoint before = view_.ScrollPosition();
    view_.SetScrollPosition(position);
    const QPoint delta = view_.ScrollPosition() - before;
    if (delta.isNull())
        return;
    ApplyBars();
    panel_->ScrollBy(delta);
    UpdateRulers();
    if (map_)
        map_->Refresh(false);
}

void TShema2DForm::AfterViewChange()
{
    hitsValid_ = false;
    if (map_)
        map_->Refresh(true);
    ApplyBars();
    scaleBox_->ShowScale(view_.Scale());
    statusScale_->setText(SchemaStatusText::ScaleText(view_.Scale()));
    panel_->Invalidate();
    UpdateRulers();
}

void TShema2DForm::LayOutDrawBox()
{
    view_.SetClient(drawBox_->size(), style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    // The remembered scroll position, once the panel has its size (clamped when it no longer fits).
    if (pendingScroll_ && document_) {
        view_.SetScrollPosition(*pendingScroll_);
        pendingScroll_.reset();
    }
    ApplyBars();
    panel_->Invalidate();
    UpdateRulers();
}

void TShema2DForm::ApplyBars()
{
    const int thickness = view_.BarThickness();
    const QSize visible = view_.VisibleSize();
    panel_->setGeometry(0, 0, visible.width(), visible.height());
    const auto apply = [](QScrollBar* bar, const TScrollBar& state) {
        const QSignalBlocker block(bar);
        bar->setVisible(state.Visible);
        bar->setRange(0, std::max(0, state.MaxPosition()));
        bar->setPageStep(std::max(1, state.Page));
        bar->setValue(state.Position);
    };
    apply(bScrollBar_, view_.HorizontalBar());
    apply(rScrollBar_, view_.VerticalBar());
    bScrollBar_->setGeometry(0, visible.height(), visible.width(), thickness);
    rScrollBar_->setGeometry(visible.width(), 0, thickness, visible.height());
    corner_->setGeometry(visible.width(), visible.height(), thickness, thickness);
    corner_->setVisible(view_.HorizontalBar().Visible || view_.VerticalBar().Visible);
}

void TShema2DForm::UpdateRulers()
{
    const double s = view_.Scale();
    const bool cm = settings_.Params.Units == ruCentimetres;
    topBox_->SetScale(view_.OffX() + s * view_.Origin().x(), s, cm);
    leftBox_->SetScale(view_.OffY() + s * view_.Origin().y(), s, cm);
}

TSchemaDrawing TShema2DForm::Drawing() const
{
    TSchemaDrawing drawing = TSchemaDrawing::FromParams(settings_.Params, settings_.Colors);
    drawing.Show.ResultBits = viewActions_ ? viewActions_->ResultBits() : 0;
    drawing.Show.WaterArrows = viewActions_ && viewActions_->WaterArrows();
    drawing.Limits = view_.Limits();
    drawing.MapScale = view_.MapScale();
    drawing.Origin = view_.Origin();
    drawing.GridStepMetres = config_.GridStep2D;
    drawing.Results = results_;
    return drawing;
}

void TShema2DForm::TakeResults(const THydroResults* results)
{
    results_ = results;
    // Without results there is nothing to colour by: the standard colouring again.
    if (!results && settings_.Params.ColorPaint == cmPressures)
        settings_.Params.ColorPaint = cmStandard;
    hitsValid_ = false;
}

void TShema2DForm::SetResults(const THydroResults* results)
{
    TakeResults(results);
    SyncViewActions();
    RecomputeExtent();
    AfterViewChange();
}

TRenderContext TShema2DForm::Context() const
{
    TRenderContext ctx(Drawing());
    ctx.View = view_;
    ctx.Dpi = TViewGeometry::kScreenDpi;
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(panel_->size()));
    ctx.Found = Blinking();
    if (gesture_ == TGesture::Uzels)
        ctx.DragVector = dragVector_;
    if (gesture_ == TGesture::Label)
        ctx.LabelDrag = {pressed_.Object, pressed_.What == THit::Kind::UzelResult, dragVector_};
    if (editor_)
        ctx.SelectedTextBlock = SelectedTextBlock();
    if (gesture_ == TGesture::TextBlock)
        ctx.TextBlockShift = dragVector_;
    if (gesture_ == TGesture::TextBlockTurn)
        ctx.TextBlockAngle = blockAngle_;
    return ctx;
}

void TShema2DForm::Draw(QPainter& painter, const QRect& clip)
{
    TSchemaScene* scene = Scene();
    if (!scene) {
        painter.fillRect(clip, ProfileColor(settings_.Colors[cpSchema].BackColor));
        return;
    }
    TRenderContext ctx = Context();
    if (gesture_ == TGesture::Uzels && !dragVector_.isNull()) {
        const qreal ratio = panel_->devicePixelRatioF();
        dragFrame_.Paint(painter, *scene, ctx, (QSizeF(panel_->size()) * ratio).toSize(), ratio);
        return;
    }
    ctx.Clip = QRectF(clip);
    SchemaRenderer::Render(painter, *scene, ctx);
}

void TShema2DForm::ShowMouse(QPointF position)
{
    const THit hit = HitAt(position);
    if (gesture_ == TGesture::None && tool_ == TTool::Manipulation) {
        static const std::map<THit::Kind, QString> kCursors = {
            {THit::Kind::Uzel, QStringLiteral("ARROWUZEL")},      {THit::Kind::Branch, QStringLiteral("ARROWBRANCH")},
            {THit::Kind::Device, QStringLiteral("ARROWDEVICE")},  {THit::Kind::TextBlock, QStringLiteral("CROSS")},
            {THit::Kind::UzelNumber, QStringLiteral("CROSS")},    {THit::Kind::UzelResult, QStringLiteral("CROSS")},
            {THit::Kind::BranchNumber, QStringLiteral("CROSS")},  {THit::Kind::SectionResult, QStringLiteral("CROSS")},
            {THit::Kind::TextBlockHandle, QStringLiteral("ArrowRotate")},
        };
        const auto it = kCursors.find(hit.What);
        ShowCursor(it != kCursors.end() ? it->second : QString());
    }
    statusObject_->setText(
        SchemaStatusText::ObjectText(hit.What == THit::Kind::SectionResult ? hit.Branch : hit.Object));
    const QString xy = SchemaStatusText::CoordinateText(position, view_, TViewGeometry::kPpcm);
    if (!xy.isEmpty())
        statusXY_->setText(xy);
    if (settings_.Params.Line) {
        topBox_->SetMouse(position.x());
        leftBox_->SetMouse(position.y());
    }
}

QString TShema2DForm::StatusText(int panel) const
{
    switch (panel) {
    case 0:
        return statusObject_->text();
    case 1:
        return statusScale_->text();
    case 2:
        return statusXY_->text();
    default:
        return {};
    }
}

// ---------------------------------------------------------------------------------------
// Life

void TShema2DForm::RememberState()
{
    if (stateRemembered_)
        return;
    stateRemembered_ = true;
    const QRect bounds(pos(), size());
    settings_.Memory.Scale = view_.Scale();
    settings_.Memory.Scroll = view_.ScrollPosition();
    settings_.Memory.Document = document_;
    settings_.Memory.ResultBits = viewActions_ ? viewActions_->ResultBits() : 0;
    settings_.Memory.Bounds = bounds;
    SaveSchemaBounds(config_.UserStore(), bounds);
}

void TShema2DForm::closeEvent(QCloseEvent* event)
{
    RememberState();
    QMainWindow::closeEvent(event);
}

bool TShema2DForm::OutOfStep() const
{
    if (view_.MapScale() != (config_.Scale2D > 0 ? config_.Scale2D : kDefaultMapScale))
        return true;
    if (!document_)
        return false;
    const TSchemaFrame frame = document_->SchemaFrame();
    return frame.F != SchemaFactor(config_.Scale2D) || view_.Origin() != QPointF(frame.OX, frame.OY) ||
           structuralPending_ || repaintPending_;
}

bool TShema2DForm::event(QEvent* event)
{
    // Coming to the front redraws only what moved on meanwhile (the map scale, the origin);
    // edits to the document are drawn as they happen.
    if (event->type() == QEvent::WindowActivate && OutOfStep())
        MapScaleChanged();
    // The panel has its size when the window shows (its own resize event comes later).
    if (event->type() == QEvent::Show && pendingFit_ && document_)
        FitFirstView();
    return QMainWindow::event(event);
}

bool TShema2DForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == drawBox_ && event->type() == QEvent::Resize)
        LayOutDrawBox();
    return QMainWindow::eventFilter(watched, event);
}
