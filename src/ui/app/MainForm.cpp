#include "ui/app/MainForm.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/GotoList.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "core/shell/HelpPages.h"
#include "ui/app/AboutForm.h"
#include "ui/app/CalculatorItem.h"
#include "ui/app/CommandIcons.h"
#include "ui/app/CommandTable.h"
#include "core/commands/CommandData.h"
#include "ui/app/ConfigForm.h"
#include "ui/app/DevicePanel.h"
#include "ui/app/GotoForm.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/HelpViewer.h"
#include "ui/app/StatusPanels.h"
#include "ui/app/StatusProgress.h"
#include "ui/app/ToolbarPlacement.h"
#include "ui/app/WindowArrangement.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WideEntryHints.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridView.h"
#include "ui/document/HistoryForm.h"
#include "ui/document/ResultsPage.h"
#include "ui/schema2d/SchemaSettings.h"
#include "ui/schema2d/Shema2DForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QComboBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

// The local files among dropped data.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

}  // namespace

TMainForm::TMainForm(TConfig& config, QWidget* parent)
    : QMainWindow(parent), config_(config), schemaSettings_(std::make_unique<TSchemaSettings>())
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kApplicationTitle);
    setWindowIcon(DrawnApplicationIcon());
    setAcceptDrops(true);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    CreateStatusBar();
    CreateCommands();
    ConnectCommands();
    CreateMenusAndToolbars();
    CreateDevicePanel();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainForm::OnDocumentChanged);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::UpdateActions);
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::UpdateActions);
    // F1 opens the page of the window in front.
    HelpContexts::Set(this, HelpContexts::kMainWindow);
    HelpViewer::SetFolder(config_.HelpPath);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(FocusHelpContext()); });
    resize(1200, 800);
    OnDocumentChanged();
}

TMainForm::~TMainForm()
{
    // The schema window goes first: it reads the documents and writes its bounds.
    if (schema_) {
        disconnect(schema_, nullptr, this, nullptr);
        std::unique_ptr<TShema2DForm> schema(schema_.data());
    }
    // Document windows may still report while they go; nothing is left to update.
    disconnect(mdi_, nullptr, this, nullptr);
    // Closed windows wait for deletion outside the window list: find them all.
    for (QMdiSubWindow* w : mdi_->findChildren<QMdiSubWindow*>()) {
        disconnect(w, nullptr, this, nullptr);
        if (w->widget())
            disconnect(w->widget(), nullptr, this, nullptr);
    }
    disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    // The docks and toolbars report being hidden while the window goes down.
    for (QToolBar* bar : bars_)
        disconnect(bar, nullptr, this, nullptr);
    disconnect(deviceDock_, nullptr, this, nullptr);
    disconnect(devicePanel_, nullptr, this, nullptr);
    if (devicePanel_)
        devicePanel_->SetDocument(nullptr);
    // The layout taken when the window was closed goes to the settings store now.
    if (!layout_.empty())
        SaveToolbarLayout(config_.UserStore(), bars_, layout_);
}

// ---------------------------------------------------------------------------------------
// Commands






void TMainForm::CreateMenusAndToolbars()
{
    commands_->BuildMenuBar(menuBar());
    bars_ = commands_->BuildToolBars(this);
    for (QToolBar* bar : bars_)
        connect(bar, &QToolBar::visibilityChanged, this, &TMainForm::UpdateActions);

    recentMenu_ = FindMenu(menuBar(), QString::fromLatin1(kRecentFilesMenuName));
    openRecentMenu_ = new QMenu(this);
    openRecentMenu_->setObjectName(QStringLiteral("OpenRecentMenu"));
    // The open button of the standard toolbar carries the recent files as its drop-down.
    if (QAction* open = Action(QString::fromLatin1(kOpenWithRecentCommand)))
        for (QToolBar* bar : bars_)
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(open))) {
                button->setMenu(openRecentMenu_);
                button->setPopupMode(QToolButton::MenuButtonPopup);
            }

    QMenu* windowMenu = FindMenu(menuBar(), QString::fromLatin1(kWindowMenuName));
    arrangement_ = std::make_unique<TWindowArrangement>(mdi_, windowMenu);
    if (windowMenu)
        connect(windowMenu, &QMenu::aboutToShow, this, [this] { arrangement_->RebuildWindowList(); });

    AddCalculatorItem(FindMenu(menuBar(), QString::fromLatin1(kServiceMenuName)), this);
    RebuildRecentMenu();
}

QMenu* TMainForm::createPopupMenu()
{
    // The toolbars' context menu is the toolbar menu of "Вид".
    auto* menu = new QMenu(this);
    if (QMenu* toolbars = FindMenu(menuBar(), QString::fromLatin1(kToolbarsMenuName)))
        menu->addActions(toolbars->actions());
    return menu;
}

void TMainForm::CreateDevicePanel()
{
    deviceDock_ = new QDockWidget(QStringLiteral("Оборудование"), this);
    deviceDock_->setObjectName(QStringLiteral("DeviceDock"));
    deviceDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    devicePanel_ = new TDevicePanel(deviceDock_);
    HelpContexts::Set(devicePanel_, HelpContexts::kDevicePanel);
    TWideEntryHints::Install(devicePanel_->DevBox());
    for (QComboBox* box : {devicePanel_->DevTypeBox(), devicePanel_->LayerBox(), devicePanel_->PLFBox()})
        TWideEntryHints::Install(box);
    deviceDock_->setWidget(devicePanel_);
    addDockWidget(Qt::RightDockWidgetArea, deviceDock_);
    // The dock's own close button hides it as the command does.
    deviceDock_->toggleViewAction()->setVisible(false);
    connect(deviceDock_, &QDockWidget::visibilityChanged, this, &TMainForm::UpdateActions);
    connect(devicePanel_, &TDevicePanel::SelectionChanged, this, &TMainForm::UpdateActions);
    connect(devicePanel_, &TDevicePanel::EditDeviceRequested, this, [this](TDevice* device) { EditDevice(device); });
}

void TMainForm::CreateStatusBar()
{
    status_ = std::make_unique<TStatusPanels>(statusBar());
}

QString TMainForm::StatusHintText() const
{
    return status_->HintText();
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        status_->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}




// ---------------------------------------------------------------------------------------
// Documents















void TMainForm::closeEvent(QCloseEvent* event)
{
    if (opening_.Busy()) {
        event->ignore();
        return;
    }
    for (TChildForm* f : Documents())
        if (f->Busy().Busy()) {
            event->ignore();
            return;
        }
    bool named = false;
    for (TChildForm* f : Documents())
        named = named || f->HasFileName();
    // The first "Отмена" to a save question cancels the whole exit.
    if (!CloseDocuments()) {
        event->ignore();
        return;
    }
    config_.WasOpened = named;
    layout_ = ToolbarLayout();
    event->accept();
    emit Closed();
}

void TMainForm::TileWindows(bool horizontal)
{
    arrangement_->Tile(horizontal);
}

void TMainForm::ArrangeIcons()
{
    arrangement_->ArrangeIcons();
}

// ---------------------------------------------------------------------------------------
// Toolbars

std::vector<ToolbarRecord> TMainForm::ToolbarLayout() const
{
    return CaptureToolbarLayout(this, bars_);
}

void TMainForm::ApplyToolbarLayout(const std::vector<ToolbarRecord>& records)
{
    ::ApplyToolbarLayout(this, bars_, records);
    UpdateActions();
}

void TMainForm::SetToolbarVisible(int tag, bool visible)
{
    if (tag >= 0 && tag < static_cast<int>(bars_.size()))
        bars_[static_cast<size_t>(tag)]->setVisible(visible);
    UpdateActions();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The stored layout (the designed one on any error) is placed once, when first shown.
    if (!layoutApplied_) {
        layoutApplied_ = true;
        ApplyToolbarLayout(LoadToolbarLayout(config_.UserStore(), bars_));
    }
}

// ---------------------------------------------------------------------------------------
// Drag and drop

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    OpenPaths(files);
}

// ---------------------------------------------------------------------------------------
// Dialogs

void TMainForm::RunGoto()
{
    TChildForm* doc = ActiveDocument();
    if (!doc)
        return;
    TGotoForm form(*doc->Mine(), this);
    if (form.exec() == QDialog::Accepted)
        ShowGotoTarget(static_cast<int>(form.Kind()), form.Object());
}

void TMainForm::ShowGotoTarget(int kind, TMineObject* object)
{
    TChildForm* doc = ActiveDocument();
    if (!doc)
        return;
    const auto goto_ = static_cast<GotoKind>(kind);
    if (goto_ == GotoKind::Uzel) {
        if (auto* uzel = dynamic_cast<TUzel*>(object)) {
            doc->ShowUzel(uzel);
            if (doc->CurrentUzel() == uzel)
                return;
        }
    } else if (TBranch* branch = GotoTargetBranch(*doc->Mine(), goto_, object)) {
        // A plan position is shown with the branches coloured by positions.
        if (goto_ == GotoKind::PLFPosition)
            doc->SetColorMode(2);
        doc->ShowBranch(branch);
        if (doc->CurrentBranch() == branch)
            return;
    }
    MessageBoxes::Info(this, GotoMissText(goto_));
}

void TMainForm::RunSettings()
{
    // An edit in progress is taken first.
    for (TChildForm* doc : Documents())
        for (TGridView* grid : {doc->UzelGrid(), doc->BranchGrid()})
            grid->CommitEditor();
    TConfigFormHooks hooks;
    hooks.HasTopologyWindows = [] { return false; };  // no 3D schema windows in this build
    hooks.CloseTopologyWindows = [] {};
    hooks.ShowHelp = [this](int context) { ShowHelp(context); };
    TConfigForm form(config_, hooks, this);
    if (form.exec() != QDialog::Accepted)
        return;
    // Every document takes the new settings (its local resistance factor and map scale among
    // them), then the schema shows the one it is bound to.
    for (TChildForm* doc : Documents())
        doc->ApplySettings();
    if (schema_)
        schema_->MapScaleChanged();
    UpdateActions();
}

void TMainForm::RunAbout()
{
    TAboutForm about(this);
    about.exec();
}

int TMainForm::FocusHelpContext() const
{
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QVariant context = w->property(HelpContexts::kWidgetProperty);
        if (context.isValid())
            return context.toInt();
    }
    return ActiveDocument() ? HelpContexts::kDocument : HelpContexts::kMainWindow;
}

void TMainForm::ShowHelp(int context)
{
    HelpViewer::Show(config_.HelpPath, context, this);
}

// ---------------------------------------------------------------------------------------
// Update step

void TMainForm::OnDocumentChanged()
{
    if (devicePanel_)
        devicePanel_->SetDocument(ActiveDocument());
    if (schema_)
        schema_->Follow(ActiveDocument());
    if (history_)
        history_->SetDocument(ActiveDocument());
    UpdateActions();
    UpdateStatusBar();
}

QString TMainForm::StatusPanelText(int panel) const
{
    return status_->Text(panel);
}

void TMainForm::UpdateStatusBar()
{
    TChildForm* doc = ActiveDocument();
    for (int i = 0; i < 4; ++i)
        status_->SetText(i, doc ? doc->StatusText(i) : QString());
    if (!status_->Progress().Running())
        status_->SetText(TStatusPanels::kCaptionPanel, doc ? doc->StatusText(TStatusPanels::kCaptionPanel) : QString());
}


