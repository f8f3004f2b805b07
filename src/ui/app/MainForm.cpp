#include "ui/app/MainForm.h"

#include "core/commands/CommandData.h"
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
#include "ui/app/ConfigForm.h"
#include "ui/app/DevicePanel.h"
#include "ui/app/GotoForm.h"
#include "ui/app/HelpViewer.h"
#include "ui/app/StatusProgress.h"
#include "ui/app/ToolbarPlacement.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WideEntryHints.h"
#include "ui/document/ChildForm.h"
#include "ui/document/DocumentClipboard.h"
#include "ui/document/GridView.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

const QString kOpenFilter = QStringLiteral("Файлы исходных данных (*.irv)");

// Widths of the status bar panels: mine name, node row, branch row, "Изменен", progress.
constexpr int kPanelWidths[5] = {180, 80, 80, 55, 100};

// Help contexts of the windows and panels; F1 opens the page of the innermost one that has
// the focus.
constexpr int kMainWindowHelpContext = 14;
constexpr int kDocumentHelpContext = 12;
constexpr int kTablesHelpContext = 28;
constexpr int kResultsHelpContext = 29;
constexpr int kDevicePanelHelpContext = 25;
constexpr int kMessagesHelpContext = 145;
const char* const kWidgetHelpProperty = "helpContext";

void SetHelpContext(QWidget* widget, int context)
{
    if (widget)
        widget->setProperty(kWidgetHelpProperty, context);
}

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

TMainForm::TMainForm(TConfig& config, QWidget* parent) : QMainWindow(parent), config_(config)
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
    SetHelpContext(this, kMainWindowHelpContext);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(FocusHelpContext()); });
    resize(1200, 800);
    OnDocumentChanged();
}

TMainForm::~TMainForm()
{
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

void TMainForm::CreateCommands()
{
    commands_ = std::make_unique<CommandActions>(this);
    // On the window, so their shortcuts work wherever the focus is.
    addActions(commands_->ReadyActions());
}

QAction* TMainForm::Action(const QString& name) const
{
    return commands_ ? commands_->Action(name) : nullptr;
}

void TMainForm::OnCommand(const char* name, std::function<void()> run)
{
    QAction* action = Action(QString::fromUtf8(name));
    Q_ASSERT(action);
    if (action)
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
}

void TMainForm::OnDocumentCommand(const char* name, std::function<void(TChildForm&)> run)
{
    OnCommand(name, [this, run = std::move(run)] {
        if (TChildForm* doc = ActiveDocument())
            run(*doc);
    });
}

void TMainForm::ConnectCommands()
{
    // File.
    OnCommand("actFileNew", [this] { NewDocument(); });
    OnCommand("actFileOpen", [this] { OpenFiles(); });
    OnDocumentCommand("actFileSave", [](TChildForm& d) { d.SaveFile(false); });
    OnDocumentCommand("actFileSaveAs", [](TChildForm& d) { d.SaveFile(true); });
    OnCommand("actFileSaveAll", [this] { SaveAll(); });
    OnCommand("actFileClose", [this] {
        if (QMdiSubWindow* w = mdi_->activeSubWindow())
            w->close();
    });
    OnCommand("actFileCloseAll", [this] { CloseAll(); });
    OnCommand("actExit", [this] { close(); });

    // Editing.
    OnDocumentCommand("actEditorMode", [](TChildForm& d) { d.SetEditorMode(!d.EditorMode()); });
    OnDocumentCommand("actCutToClipboard", [](TChildForm& d) { d.CutToClipboard(); });
    OnDocumentCommand("actCopyToClipboard", [](TChildForm& d) { d.CopyToClipboard(); });
    OnDocumentCommand("actPasteFromClipboard", [](TChildForm& d) { d.PasteFromClipboard(); });
    OnCommand("actGoto", [this] { RunGoto(); });

    // View: filters and sorts (the tag is the filter kind or the sort key).
    for (const char* name : {"actFilterAllUzels", "actFilterSurfUzels"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SetUzelFilter(tag); });
    }
    for (const char* name : {"actFilterAllBranches", "actFilterIncidBranches"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SetBranchFilter(tag); });
    }
    for (const char* name : {"actUzelsByNums", "actUzelsByX", "actUzelsByY", "actUzelsByZ"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortUzels(tag); });
    }
    for (const char* name : {"actBranchesByNums", "actBranchesBySUzels", "actBranchesByEUzels", "actBranchesByLength",
                             "actBranchesByAngle", "actBranchesByRemarks", "actBranchesByDiam", "actBranchesByWall",
                             "actBranchesByKoef"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SortBranches(tag); });
    }
    // The result table sorts have nothing to sort: this system fills no results.

    // View: tables, panels, colours, toolbars.
    OnDocumentCommand("actUzelGrid", [](TChildForm& d) { d.SetUzelGridVisible(!d.UzelGridVisible()); });
    OnDocumentCommand("actBranchGrid", [](TChildForm& d) { d.SetBranchGridVisible(!d.BranchGridVisible()); });
    OnDocumentCommand("actMessageView", [](TChildForm& d) { d.SetMessagesVisible(!d.MessagesVisible()); });
    OnDocumentCommand("actWashersView",
                      [](TChildForm& d) { d.ResultsPage()->SetWashersVisible(!d.ResultsPage()->WashersVisible()); });
    for (const char* name : {"actStdColors", "actLayerColors", "actPLFColors"}) {
        const int tag = FindCommand(QString::fromUtf8(name))->tag;
        OnDocumentCommand(name, [tag](TChildForm& d) { d.SetColorMode(tag); });
    }
    OnCommand("actDeviceView", [this] {
        deviceDock_->setVisible(deviceDock_->isHidden());
        UpdateActions();
    });
    for (const ToolbarInfo& bar : Toolbars()) {
        for (const CommandInfo& command : CommandTable())
            if (command.check == CheckSource::Toolbar && command.tag == bar.tag) {
                const int tag = bar.tag;
                OnCommand(command.name, [this, tag] {
                    if (tag < static_cast<int>(bars_.size()))
                        SetToolbarVisible(tag, bars_[static_cast<size_t>(tag)]->isHidden());
                });
            }
    }
    OnCommand("actResetBars", [this] { ApplyToolbarLayout(DefaultToolbarLayout(static_cast<int>(bars_.size()))); });

    // Mine.
    OnDocumentCommand("actAddUzel", [](TChildForm& d) { d.AddUzel(); });
    OnDocumentCommand("actDelUzel", [](TChildForm& d) { d.DeleteUzel(); });
    OnDocumentCommand("actSurfacedUzel", [](TChildForm& d) { d.ToggleSurface(); });
    OnDocumentCommand("actAddBranch", [](TChildForm& d) { d.AddBranch(); });
    OnDocumentCommand("actDelBranch", [](TChildForm& d) { d.DeleteBranch(); });
    OnDocumentCommand("actCheckTopology", [](TChildForm& d) { d.CheckTopology(); });

    // Calculation and service.
    OnDocumentCommand("actCheckWaterPipes", [](TChildForm& d) { d.CheckPipeline(); });
    OnDocumentCommand("actUseProjectedPipes", [](TChildForm& d) { d.SetUseProjectedPipes(!d.UseProjectedPipes()); });
    OnDocumentCommand("actFreeNumbers", [](TChildForm& d) { d.FindFreeNumbers(); });
    OnCommand("actParams", [this] { RunSettings(); });

    // Windows (the tile mode is the tag: 0 one under another, 1 side by side).
    OnCommand("actWinCascade", [this] { mdi_->cascadeSubWindows(); });
    OnCommand("actWinVertTile", [this] { TileWindows(FindCommand(u"actWinVertTile")->tag == 0); });
    OnCommand("actWinHorizTile", [this] { TileWindows(FindCommand(u"actWinHorizTile")->tag == 0); });
    OnCommand("actWinMinimize", [this] {
        for (QMdiSubWindow* w : mdi_->subWindowList())
            w->showMinimized();
    });
    OnCommand("actWinArrangeIcons", [this] { ArrangeIcons(); });

    // Help.
    OnCommand("actHelpTopics", [this] { ShowHelp(kHelpContents); });
    OnCommand("actHelpAbout", [this] { RunAbout(); });
}

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

    windowMenu_ = FindMenu(menuBar(), QString::fromLatin1(kWindowMenuName));
    if (windowMenu_)
        connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);

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
    SetHelpContext(devicePanel_, kDevicePanelHelpContext);
    TWideEntryHints::Install(devicePanel_->DevBox());
    for (QComboBox* box : {devicePanel_->DevTypeBox(), devicePanel_->LayerBox(), devicePanel_->PLFBox()})
        TWideEntryHints::Install(box);
    deviceDock_->setWidget(devicePanel_);
    addDockWidget(Qt::RightDockWidgetArea, deviceDock_);
    // The dock's own close button hides it as the command does.
    deviceDock_->toggleViewAction()->setVisible(false);
    connect(deviceDock_, &QDockWidget::visibilityChanged, this, &TMainForm::UpdateActions);
    connect(devicePanel_, &TDevicePanel::SelectionChanged, this, &TMainForm::UpdateActions);
    connect(devicePanel_, &TDevicePanel::EditDeviceRequested, this, [this](TDevice* device) {
        // The device editor is not in this build: the branch of the device is shown.
        if (TChildForm* doc = ActiveDocument(); doc && device)
            doc->ShowBranch(device->Branch());
    });
}

void TMainForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    for (int i = 0; i < 6; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        // The panel widths of the design, widened when this system's font needs more.
        if (i == 3)
            panels_[i]->setFixedWidth(std::max(kPanelWidths[i], panels_[i]->fontMetrics().horizontalAdvance(ChildFormTexts::kModified) + 12));
        else if (i < 5)
            panels_[i]->setFixedWidth(kPanelWidths[i]);
    }
    progressBar_ = new QProgressBar(panels_[4]);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setTextVisible(false);
    progressBar_->setGeometry(3, 3, kPanelWidths[4] - 6, 14);
    progressBar_->hide();
    for (int i = 0; i < 5; ++i)
        bar->addPermanentWidget(panels_[i]);
    bar->addPermanentWidget(panels_[5], 1);
    // While a command's hint is shown, one panel with the long hint takes the whole bar.
    hintPanel_ = new QLabel(bar);
    hintPanel_->setObjectName(QStringLiteral("StatusHint"));
    bar->addPermanentWidget(hintPanel_, 1);
    hintPanel_->hide();
    progress_ = std::make_unique<TStatusProgress>(progressBar_, panels_[5]);
}

void TMainForm::ShowStatusHint(const QString& text)
{
    const bool hint = !text.isEmpty();
    hintPanel_->setText(text);
    hintPanel_->setVisible(hint);
    for (QLabel* panel : panels_)
        panel->setVisible(!hint);
}

QString TMainForm::StatusHintText() const
{
    return hintPanel_->isHidden() ? QString() : hintPanel_->text();
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowStatusHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::FillRecentMenu(QMenu* menu)
{
    menu->clear();
    for (int i = 0; i < config_.RecentFiles.size(); ++i) {
        const QString path = config_.RecentFiles.at(i);
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i).arg(path));
        connect(a, &QAction::triggered, this, [this, path] { OpenPath(path); });
    }
    menu->setEnabled(!config_.RecentFiles.isEmpty());
}

void TMainForm::RebuildRecentMenu()
{
    if (recentMenu_)
        FillRecentMenu(recentMenu_);
    if (openRecentMenu_)
        FillRecentMenu(openRecentMenu_);
}

void TMainForm::RebuildWindowList()
{
    for (QAction* a : std::as_const(windowListActions_)) {
        windowMenu_->removeAction(a);
        a->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty())
        return;
    windowListActions_ << windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows.at(i);
        QAction* a = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
        windowListActions_ << a;
    }
}

// ---------------------------------------------------------------------------------------
// Documents

TChildForm* TMainForm::ActiveDocument() const
{
    QMdiSubWindow* w = mdi_->activeSubWindow();
    if (!w && !mdi_->subWindowList().isEmpty())
        w = mdi_->currentSubWindow();
    return w ? qobject_cast<TChildForm*>(w->widget()) : nullptr;
}

QList<TChildForm*> TMainForm::Documents() const
{
    QList<TChildForm*> out;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* f = qobject_cast<TChildForm*>(w->widget()))
            out << f;
    return out;
}

TChildForm* TMainForm::FindDocument(const QString& path) const
{
    // Linux paths are case-sensitive: two names differing in case are two files.
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (TChildForm* f : Documents())
        if (f->HasFileName() && QFileInfo(f->FileName()).absoluteFilePath() == wanted)
            return f;
    return nullptr;
}

QMdiSubWindow* TMainForm::WindowOf(const TChildForm* form) const
{
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (w->widget() == form)
            return w;
    return nullptr;
}

QMdiSubWindow* TMainForm::AddDocumentWindow(TChildForm* form)
{
    SetHelpContext(form, kDocumentHelpContext);
    SetHelpContext(form->UzelGrid(), kTablesHelpContext);
    SetHelpContext(form->BranchGrid(), kTablesHelpContext);
    SetHelpContext(form->ResultsPage(), kResultsHelpContext);
    SetHelpContext(form->MessagePanel(), kMessagesHelpContext);
    TWideEntryHints::Install(form->MessagePanel()->ListView());
    form->SetProgress(progress_.get());
    form->SetActionLookup([this](const QString& name) { return Action(name); });
    connect(form, &TChildForm::StateChanged, this, [this, form] {
        if (form == ActiveDocument())
            OnDocumentChanged();
    });
    connect(form, &TChildForm::RecentFilesChanged, this, &TMainForm::RebuildRecentMenu);
    QMdiSubWindow* w = mdi_->addSubWindow(form);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(form->windowTitle());
    w->setWindowIcon(windowIcon());
    connect(form, &QWidget::windowTitleChanged, w, &QWidget::setWindowTitle);
    connect(w, &QObject::destroyed, this, [this] { OnDocumentChanged(); });
    // Three quarters of the frame (the MDI area may not be laid out yet), each new window a
    // step below and to the right of the one before.
    w->resize(std::max(width() * 3 / 4, 600), std::max(height() * 3 / 4, 400));
    const int step = 24 * ((static_cast<int>(mdi_->subWindowList().size()) - 1) % 8);
    w->move(step, step);
    return w;
}

TChildForm* TMainForm::NewDocument()
{
    auto* form = new TChildForm(config_);
    QMdiSubWindow* w = AddDocumentWindow(form);
    w->show();
    mdi_->setActiveSubWindow(w);
    OnDocumentChanged();
    return form;
}

TChildForm* TMainForm::OpenPath(const QString& path)
{
    if (TChildForm* open = FindDocument(path)) {
        if (QMdiSubWindow* w = WindowOf(open)) {
            if (w->isMinimized())
                w->showNormal();
            mdi_->setActiveSubWindow(w);
        }
        return open;
    }
    // The window appears only once the file has been read.
    auto form = std::make_unique<TChildForm>(config_);
    if (!form->OpenFile(path)) {
        RebuildRecentMenu();
        return nullptr;
    }
    TChildForm* raw = form.release();  // the MDI area owns it from here
    QMdiSubWindow* w = AddDocumentWindow(raw);
    w->show();
    mdi_->setActiveSubWindow(w);
    RebuildRecentMenu();
    OnDocumentChanged();
    return raw;
}

void TMainForm::OpenPaths(const QStringList& paths)
{
    for (const QString& path : paths)
        OpenPath(path);
    // A second start, with files or without, brings the program forward.
    if (isVisible()) {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    }
}

void TMainForm::OpenStartupFiles(const QStringList& files)
{
    if (files.isEmpty()) {
        if (config_.RememberLastFile && config_.WasOpened && !config_.RecentFiles.isEmpty())
            OpenPath(config_.RecentFiles.constFirst());
        return;
    }
    for (const QString& f : files)
        OpenPath(f);
}

void TMainForm::OpenFiles()
{
    TOpenRequest request;
    request.Folder = config_.SourcePath;
    request.Filter = kOpenFilter;
    for (const QString& path : FileDialogs::Open(this, request))
        OpenPath(path);
}

void TMainForm::SaveAll()
{
    for (TChildForm* f : Documents())
        f->SaveFile(false);
}

void TMainForm::CloseAll()
{
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (!w->close())
            break;
}

void TMainForm::TileWindows(bool horizontal)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (!w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect area = mdi_->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows.at(i);
        w->showNormal();
        if (horizontal) {
            const int h = area.height() / n;
            w->setGeometry(0, i * h, area.width(), h);
        } else {
            const int wd = area.width() / n;
            w->setGeometry(i * wd, 0, wd, area.height());
        }
    }
}

void TMainForm::ArrangeIcons()
{
    // Minimised windows in a row along the bottom of the area, wrapping upwards.
    const QRect area = mdi_->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        w->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    for (TChildForm* f : Documents())
        if (f->Busy().Busy()) {
            event->ignore();
            return;
        }
    bool named = false;
    for (TChildForm* f : Documents())
        named = named || f->HasFileName();
    mdi_->closeAllSubWindows();
    if (!mdi_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    config_.WasOpened = named;
    layout_ = ToolbarLayout();
    event->accept();
    emit Closed();
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
    // Every document takes the new settings (its local resistance factor among them).
    for (TChildForm* doc : Documents())
        doc->ApplySettings();
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
        const QVariant context = w->property(kWidgetHelpProperty);
        if (context.isValid())
            return context.toInt();
    }
    return ActiveDocument() ? kDocumentHelpContext : kMainWindowHelpContext;
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
    UpdateActions();
    UpdateStatusBar();
}

QString TMainForm::StatusPanelText(int panel) const
{
    return panel >= 0 && panel < 6 ? panels_[panel]->text() : QString();
}

void TMainForm::UpdateStatusBar()
{
    TChildForm* doc = ActiveDocument();
    for (int i = 0; i < 4; ++i)
        panels_[i]->setText(doc ? doc->StatusText(i) : QString());
    if (!progress_->Running())
        panels_[5]->setText(doc ? doc->StatusText(5) : QString());
}

CommandContext TMainForm::CurrentContext() const
{
    CommandContext c;
    const QList<TChildForm*> documents = Documents();
    c.documentCount = static_cast<int>(documents.size());
    for (TChildForm* f : documents)
        c.busy = c.busy || f->Busy().Busy();
    c.deviceViewVisible = deviceDock_ && !deviceDock_->isHidden();
    for (size_t i = 0; i < bars_.size() && i < c.toolbarsVisible.size(); ++i)
        c.toolbarsVisible[i] = !bars_[i]->isHidden();

    TChildForm* doc = ActiveDocument();
    c.hasActiveDocument = doc != nullptr;
    if (!doc)
        return c;
    c.page = doc->CurrentPage() + 1;
    c.modified = doc->IsModified();
    c.hasResults = false;  // nothing fills the results page in this system
    c.hasNodes = doc->Mine()->Uzels.Count() > 0;
    c.hasBranches = doc->Mine()->Branches.Count() > 0;
    if (c.page == 1 && doc->FocusedGrid())
        c.focus = doc->FocusedGrid() == doc->UzelGrid() ? FocusedTable::Nodes : FocusedTable::Branches;
    c.focusedTableHasRows = doc->CanCutCopy();
    c.clipboardHasNodes = DocumentClipboard::HasUzels();
    c.clipboardHasBranches = DocumentClipboard::HasBranches();
    c.deviceSelected = devicePanel_ && devicePanel_->SelectedDevice();
    c.editorMode = doc->FocusedGrid() && doc->EditorMode();
    c.nodeFilter = doc->UzelFilter();
    c.branchFilter = doc->BranchFilter();
    c.colorMode = doc->ColorMode();
    c.useProjectedPipes = doc->UseProjectedPipes();
    c.nodeTableVisible = doc->UzelGridVisible();
    c.branchTableVisible = doc->BranchGridVisible();
    c.messagesVisible = doc->MessagesVisible();
    c.washersVisible = doc->ResultsPage()->WashersVisible();
    const TUzel* current = doc->CurrentUzel();
    c.currentNodeSurfaced = current && current->Surface();
    return c;
}

void TMainForm::UpdateActions()
{
    if (!commands_)
        return;
    const CommandContext context = CurrentContext();
    commands_->ApplyStates(ComputeCommandStates(context));

    // The clipboard commands name what they act on and how many.
    TChildForm* doc = ActiveDocument();
    const auto caption = [this](const char* name, bool specific, const QString& text) {
        QAction* a = Action(QString::fromUtf8(name));
        a->setText(specific ? text : FindCommand(QString::fromUtf8(name))->Caption());
    };
    const bool cutCopy = doc && Action(QStringLiteral("actCopyToClipboard"))->isEnabled();
    const bool paste = doc && Action(QStringLiteral("actPasteFromClipboard"))->isEnabled();
    caption("actCutToClipboard", cutCopy, cutCopy ? doc->CutCaption() : QString());
    caption("actCopyToClipboard", cutCopy, cutCopy ? doc->CopyCaption() : QString());
    caption("actPasteFromClipboard", paste, paste ? doc->PasteCaption() : QString());
}
