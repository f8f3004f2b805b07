#include "ui/app/MainForm.h"

#include "core/model/ListSorting.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "ui/app/StatusProgress.h"
#include "ui/common/FileDialogs.h"
#include "ui/document/ChildForm.h"
#include "ui/document/DocumentClipboard.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <cmath>

namespace {

const QString kOpenFilter = QStringLiteral("Файлы исходных данных (*.irv)");

// Widths of the status bar panels: mine name, node row, branch row, "Изменен", progress.
constexpr int kPanelWidths[5] = {180, 80, 80, 55, 100};

}  // namespace

TMainForm::TMainForm(TConfig& config, QWidget* parent) : QMainWindow(parent), config_(config)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kApplicationTitle);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    CreateStatusBar();
    CreateCommands();
    CreateMenus();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainForm::OnDocumentChanged);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::UpdateActions);
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::UpdateActions);
    resize(1200, 800);
    UpdateActions();
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
}

// ---------------------------------------------------------------------------------------
// Commands

QAction* TMainForm::AddCommand(const TCommand& command, std::function<void()> run, bool checkable)
{
    auto* action = new QAction(QString::fromUtf8(command.Caption), this);
    const QString name = QString::fromUtf8(command.Name);
    action->setObjectName(name);
    if (command.Shortcut && *command.Shortcut)
        action->setShortcut(QKeySequence(QString::fromUtf8(command.Shortcut)));
    const QString hint = QString::fromUtf8(command.Hint);
    // "short|long": the short text is the tool tip, the long one goes to the status bar.
    const int bar = static_cast<int>(hint.indexOf(QLatin1Char('|')));
    action->setToolTip(bar >= 0 ? hint.left(bar) : hint);
    action->setStatusTip(bar >= 0 ? hint.mid(bar + 1) : hint);
    action->setCheckable(checkable);
    if (run)
        connect(action, &QAction::triggered, this, [run] { run(); });
    actions_.insert(name, action);
    addAction(action);
    return action;
}

QAction* TMainForm::Action(const QString& name) const
{
    return actions_.value(name, nullptr);
}

void TMainForm::WithDocument(const std::function<void(TChildForm&)>& fn)
{
    if (TChildForm* doc = ActiveDocument())
        fn(*doc);
}

void TMainForm::CreateCommands()
{
    // File.
    AddCommand({"actFileNew", "&Создать", "", "Создать|Создать новую сеть"}, [this] { NewDocument(); });
    AddCommand({"actFileOpen", "&Открыть...", "Ctrl+O", "Открыть|Открыть файл исходных данных"}, [this] { OpenFiles(); });
    AddCommand({"actFileSave", "&Сохранить", "Ctrl+S", "Сохранить|Сохранить сеть в файле"},
               [this] { WithDocument([](TChildForm& d) { d.SaveFile(false); }); });
    AddCommand({"actFileSaveAs", "Сохранить &как...", "", "Сохранить как|Сохранить сеть под другим именем"},
               [this] { WithDocument([](TChildForm& d) { d.SaveFile(true); }); });
    AddCommand({"actFileSaveAll", "Сохранить &все", "", "Сохранить все|Сохранить все открытые сети"},
               [this] { SaveAll(); });
    AddCommand({"actFileClose", "&Закрыть", "", "Закрыть|Закрыть окно сети"}, [this] {
        if (QMdiSubWindow* w = mdi_->activeSubWindow())
            w->close();
    });
    AddCommand({"actFileCloseAll", "З&акрыть все", "", "Закрыть все|Закрыть все окна сетей"}, [this] { CloseAll(); });
    AddCommand({"actExit", "&Выход", "", "Выход|Завершить работу"}, [this] { close(); });

    // Editing.
    AddCommand({"actEditorMode", "&Редактор", "F2", "Редактор|Редактирование ячеек таблицы"},
               [this] { WithDocument([this](TChildForm& d) { d.SetEditorMode(Action(QStringLiteral("actEditorMode"))->isChecked()); }); },
               true);
    AddCommand({"actCutToClipboard", "&Вырезать", "", "Вырезать|Вырезать в буфер обмена"},
               [this] { WithDocument([](TChildForm& d) { d.CutToClipboard(); }); });
    AddCommand({"actCopyToClipboard", "&Копировать", "", "Копировать|Копировать в буфер обмена"},
               [this] { WithDocument([](TChildForm& d) { d.CopyToClipboard(); }); });
    AddCommand({"actPasteFromClipboard", "В&ставить", "", "Вставить|Вставить из буфера обмена"},
               [this] { WithDocument([](TChildForm& d) { d.PasteFromClipboard(); }); });

    // View: filters, sorting, tables, messages, colours.
    AddCommand({"actFilterAllUzels", "Все &узлы", "", ""}, [this] { WithDocument([](TChildForm& d) { d.SetUzelFilter(0); }); }, true);
    AddCommand({"actFilterSurfUzels", "&Поверхностные узлы", "", ""}, [this] { WithDocument([](TChildForm& d) { d.SetUzelFilter(1); }); }, true);
    AddCommand({"actFilterAllBranches", "Все &ветви", "", ""}, [this] { WithDocument([](TChildForm& d) { d.SetBranchFilter(0); }); }, true);
    AddCommand({"actFilterIncidBranches", "&Инцидентные ветви", "", ""}, [this] { WithDocument([](TChildForm& d) { d.SetBranchFilter(1); }); }, true);
    const TCommand uzelSorts[] = {{"actUzelsByNums", "По номерам", "Ctrl+0", ""},
                                  {"actUzelsByX", "По координате X", "", ""},
                                  {"actUzelsByY", "По координате Y", "", ""},
                                  {"actUzelsByZ", "По координате Z", "", ""}};
    for (int i = 0; i < 4; ++i)
        AddCommand(uzelSorts[i], [this, i] { WithDocument([i](TChildForm& d) { d.SortUzels(i); }); });
    const TCommand branchSorts[] = {{"actBranchesByNums", "По номерам", "Ctrl+1", ""},
                                    {"actBranchesBySUzels", "По начальным узлам", "Ctrl+2", ""},
                                    {"actBranchesByEUzels", "По конечным узлам", "Ctrl+3", ""},
                                    {"actBranchesByLength", "По длине", "", ""},
                                    {"actBranchesByAngle", "По углу", "", ""},
                                    {"actBranchesByRemarks", "По заметкам", "", ""},
                                    {"actBranchesByDiam", "По диаметрам труб", "", ""},
                                    {"actBranchesByWall", "По толщине стенки труб", "", ""},
                                    {"actBranchesByKoef", "По коэффициентам местн. сопротивлений", "", ""}};
    for (int i = 0; i < 9; ++i)
        AddCommand(branchSorts[i], [this, i] { WithDocument([i](TChildForm& d) { d.SortBranches(i); }); });
    AddCommand({"actUzelGrid", "Таблица &узлов", "", ""},
               [this] { WithDocument([](TChildForm& d) { d.SetUzelGridVisible(!d.UzelGridVisible()); }); }, true);
    AddCommand({"actBranchGrid", "Таблица &ветвей", "", ""},
               [this] { WithDocument([](TChildForm& d) { d.SetBranchGridVisible(!d.BranchGridVisible()); }); }, true);
    AddCommand({"actMessageView", "&Сообщения", "Ctrl+Shift+M", "Сообщения|Показать или скрыть сообщения"},
               [this] { WithDocument([](TChildForm& d) { d.SetMessagesVisible(!d.MessagesVisible()); }); }, true);
    const TCommand colours[] = {{"actStdColors", "&Стандартная", "Ctrl+Shift+S", ""},
                                {"actLayerColors", "По &пластам", "Ctrl+Shift+L", ""},
                                {"actPLFColors", "По по&зициям ПЛА", "", ""}};
    auto* colourGroup = new QActionGroup(this);
    for (int i = 0; i < 3; ++i)
        colourGroup->addAction(AddCommand(colours[i], [this, i] { WithDocument([i](TChildForm& d) { d.SetColorMode(i); }); }, true));
    auto* uzelFilterGroup = new QActionGroup(this);
    uzelFilterGroup->addAction(Action(QStringLiteral("actFilterAllUzels")));
    uzelFilterGroup->addAction(Action(QStringLiteral("actFilterSurfUzels")));
    auto* branchFilterGroup = new QActionGroup(this);
    branchFilterGroup->addAction(Action(QStringLiteral("actFilterAllBranches")));
    branchFilterGroup->addAction(Action(QStringLiteral("actFilterIncidBranches")));

    // Mine: nodes and branches.
    AddCommand({"actAddUzel", "&Добавить узел", "", ""}, [this] { WithDocument([](TChildForm& d) { d.AddUzel(); }); });
    AddCommand({"actDelUzel", "&Удалить узел", "", ""}, [this] { WithDocument([](TChildForm& d) { d.DeleteUzel(); }); });
    AddCommand({"actSurfacedUzel", "П&оверхностный узел", "", ""}, [this] { WithDocument([](TChildForm& d) { d.ToggleSurface(); }); }, true);
    AddCommand({"actAddBranch", "&Добавить ветвь", "", ""}, [this] { WithDocument([](TChildForm& d) { d.AddBranch(); }); });
    AddCommand({"actDelBranch", "&Удалить ветвь", "", ""}, [this] { WithDocument([](TChildForm& d) { d.DeleteBranch(); }); });

    // Checks.
    AddCommand({"actCheckTopology", "&Проверить топологию", "", ""}, [this] { WithDocument([](TChildForm& d) { d.CheckTopology(); }); });
    AddCommand({"actCheckWaterPipes", "Проверить т&рубопровод", "Ctrl+F9", ""}, [this] { WithDocument([](TChildForm& d) { d.CheckPipeline(); }); });
    AddCommand({"actUseProjectedPipes", "Учитывать проектируемые трубы", "", ""},
               [this] { WithDocument([](TChildForm& d) { d.SetUseProjectedPipes(!d.UseProjectedPipes()); }); }, true);
    AddCommand({"actFreeNumbers", "&Свободные номера", "Ctrl+N", ""}, [this] { WithDocument([](TChildForm& d) { d.FindFreeNumbers(); }); });

    // Windows.
    AddCommand({"actWinCascade", "&Каскад", "", ""}, [this] { mdi_->cascadeSubWindows(); });
    AddCommand({"actWinVertTile", "&Горизонтально", "", ""}, [this] { TileWindows(true); });
    AddCommand({"actWinHorizTile", "&Вертикально", "", ""}, [this] { TileWindows(false); });
    AddCommand({"actWinMinimize", "&Свернуть все", "", ""}, [this] {
        for (QMdiSubWindow* w : mdi_->subWindowList())
            w->showMinimized();
    });
}

void TMainForm::CreateMenus()
{
    const auto add = [this](QMenu* menu, const char* name) {
        if (QAction* a = Action(QString::fromUtf8(name)))
            menu->addAction(a);
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    add(file, "actFileNew");
    add(file, "actFileOpen");
    recentMenu_ = file->addMenu(QStringLiteral("Последние с&еансы"));
    recentMenu_->setObjectName(QStringLiteral("RecentMenu"));
    file->addSeparator();
    add(file, "actFileSave");
    add(file, "actFileSaveAs");
    add(file, "actFileSaveAll");
    file->addSeparator();
    add(file, "actFileClose");
    add(file, "actFileCloseAll");
    file->addSeparator();
    add(file, "actExit");

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    add(edit, "actEditorMode");
    edit->addSeparator();
    add(edit, "actCutToClipboard");
    add(edit, "actCopyToClipboard");
    add(edit, "actPasteFromClipboard");

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Вид"));
    QMenu* filter = view->addMenu(QStringLiteral("&Фильтр"));
    add(filter, "actFilterAllUzels");
    add(filter, "actFilterSurfUzels");
    filter->addSeparator();
    add(filter, "actFilterAllBranches");
    add(filter, "actFilterIncidBranches");
    QMenu* sort = view->addMenu(QStringLiteral("&Сортировка"));
    QMenu* sortUzels = sort->addMenu(QStringLiteral("&Узлы"));
    for (const char* n : {"actUzelsByNums", "actUzelsByX", "actUzelsByY", "actUzelsByZ"})
        add(sortUzels, n);
    QMenu* sortBranches = sort->addMenu(QStringLiteral("&Выработки"));
    for (const char* n : {"actBranchesByNums", "actBranchesBySUzels", "actBranchesByEUzels", "actBranchesByLength",
                          "actBranchesByAngle", "actBranchesByRemarks", "actBranchesByDiam", "actBranchesByWall",
                          "actBranchesByKoef"})
        add(sortBranches, n);
    view->addSeparator();
    add(view, "actUzelGrid");
    add(view, "actBranchGrid");
    add(view, "actMessageView");
    QMenu* colours = view->addMenu(QStringLiteral("&Цветовая подстветка"));
    add(colours, "actStdColors");
    add(colours, "actLayerColors");
    add(colours, "actPLFColors");

    QMenu* mine = menuBar()->addMenu(QStringLiteral("&Шахта"));
    QMenu* uzels = mine->addMenu(QStringLiteral("&Узлы"));
    add(uzels, "actAddUzel");
    add(uzels, "actDelUzel");
    add(uzels, "actSurfacedUzel");
    QMenu* branches = mine->addMenu(QStringLiteral("&Ветви"));
    add(branches, "actAddBranch");
    add(branches, "actDelBranch");
    mine->addSeparator();
    add(mine, "actCheckTopology");

    QMenu* calc = menuBar()->addMenu(QStringLiteral("&Расчет"));
    add(calc, "actCheckWaterPipes");
    calc->addSeparator();
    add(calc, "actUseProjectedPipes");

    QMenu* service = menuBar()->addMenu(QStringLiteral("С&ервис"));
    service->setObjectName(QStringLiteral("ServiceMenu"));
    add(service, "actFreeNumbers");

    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Окно"));
    windowMenu_->setObjectName(QStringLiteral("WindowMenu"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowMenu);
    RebuildWindowMenu();
    RebuildRecentMenu();
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
    progress_ = std::make_unique<TStatusProgress>(progressBar_, panels_[5]);
}

void TMainForm::RebuildRecentMenu()
{
    recentMenu_->clear();
    for (int i = 0; i < config_.RecentFiles.size(); ++i) {
        const QString path = config_.RecentFiles.at(i);
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i).arg(path));
        connect(a, &QAction::triggered, this, [this, path] { OpenPath(path); });
    }
    recentMenu_->setEnabled(!config_.RecentFiles.isEmpty());
}

void TMainForm::RebuildWindowMenu()
{
    windowMenu_->clear();
    for (const char* n : {"actWinCascade", "actWinVertTile", "actWinHorizTile", "actWinMinimize"})
        windowMenu_->addAction(Action(QString::fromUtf8(n)));
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (!windows.isEmpty())
        windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows.at(i);
        QAction* a = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
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

QMdiSubWindow* TMainForm::AddDocumentWindow(TChildForm* form)
{
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
    UpdateActions();
    return form;
}

TChildForm* TMainForm::OpenPath(const QString& path)
{
    if (TChildForm* open = FindDocument(path)) {
        for (QMdiSubWindow* w : mdi_->subWindowList())
            if (w->widget() == open) {
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
    UpdateActions();
    return raw;
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
    event->accept();
}

// ---------------------------------------------------------------------------------------
// Update step

void TMainForm::OnDocumentChanged()
{
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

void TMainForm::UpdateActions()
{
    TChildForm* doc = ActiveDocument();
    const bool hasDoc = doc != nullptr;
    const bool p1 = hasDoc && doc->CurrentPage() == 0;
    const bool hasNodes = hasDoc && doc->Mine()->Uzels.Count() > 0;
    const bool hasBranches = hasDoc && doc->Mine()->Branches.Count() > 0;
    bool busy = false;
    for (TChildForm* f : Documents())
        busy = busy || f->Busy().Busy();

    const auto set = [this](const char* name, bool enabled, int checked = -1, int visible = -1) {
        QAction* a = Action(QString::fromUtf8(name));
        if (!a)
            return;
        a->setEnabled(enabled);
        if (checked >= 0)
            a->setChecked(checked != 0);
        if (visible >= 0)
            a->setVisible(visible != 0);
    };
    set("actFileNew", true);
    set("actFileOpen", true);
    set("actExit", true);
    set("actFileSave", hasDoc && doc->IsModified());
    for (const char* n : {"actFileSaveAs", "actFileSaveAll", "actFileClose", "actFileCloseAll", "actCheckTopology",
                          "actCheckWaterPipes", "actFreeNumbers", "actWinCascade", "actWinVertTile", "actWinHorizTile",
                          "actWinMinimize"})
        set(n, hasDoc);
    set("actUseProjectedPipes", hasDoc, hasDoc && doc->UseProjectedPipes());
    set("actEditorMode", p1, p1 && doc->EditorMode());

    const bool cutCopy = p1 && doc->CanCutCopy();
    const bool paste = hasDoc && doc->CanPaste();
    QAction* cut = Action(QStringLiteral("actCutToClipboard"));
    QAction* copy = Action(QStringLiteral("actCopyToClipboard"));
    QAction* pasteAction = Action(QStringLiteral("actPasteFromClipboard"));
    cut->setEnabled(cutCopy);
    copy->setEnabled(cutCopy);
    pasteAction->setEnabled(paste);
    // The shortcuts are set only while the commands can act, so the keys reach an editor.
    cut->setShortcut(cutCopy ? QKeySequence(QStringLiteral("Ctrl+X")) : QKeySequence());
    copy->setShortcut(cutCopy ? QKeySequence(QStringLiteral("Ctrl+C")) : QKeySequence());
    pasteAction->setShortcut(paste ? QKeySequence(QStringLiteral("Ctrl+V")) : QKeySequence());
    cut->setText(cutCopy ? doc->CutCaption() : QStringLiteral("&Вырезать"));
    copy->setText(cutCopy ? doc->CopyCaption() : QStringLiteral("&Копировать"));
    pasteAction->setText(paste ? doc->PasteCaption() : QStringLiteral("В&ставить"));

    set("actFilterAllUzels", p1, p1 && doc->UzelFilter() == 0);
    set("actFilterSurfUzels", p1, p1 && doc->UzelFilter() == 1);
    set("actFilterAllBranches", p1, p1 && doc->BranchFilter() == 0);
    set("actFilterIncidBranches", p1, p1 && doc->BranchFilter() == 1);
    for (const char* n : {"actUzelsByNums", "actUzelsByX", "actUzelsByY", "actUzelsByZ", "actBranchesByNums",
                          "actBranchesBySUzels", "actBranchesByEUzels", "actBranchesByLength", "actBranchesByAngle",
                          "actBranchesByRemarks", "actBranchesByDiam", "actBranchesByWall", "actBranchesByKoef",
                          "actAddUzel", "actAddBranch"})
        set(n, p1);
    set("actStdColors", p1, p1 && doc->ColorMode() == 0);
    set("actLayerColors", p1, p1 && doc->ColorMode() == 1);
    set("actPLFColors", p1, p1 && doc->ColorMode() == 2);
    set("actDelUzel", p1 && hasNodes);
    TUzel* current = p1 ? doc->CurrentUzel() : nullptr;
    set("actSurfacedUzel", p1 && hasNodes, current && current->Surface());
    set("actDelBranch", p1 && hasBranches);
    set("actUzelGrid", p1, p1 && doc->UzelGridVisible(), p1);
    set("actBranchGrid", p1, p1 && doc->BranchGridVisible(), p1);
    set("actMessageView", p1, p1 && doc->MessagesVisible(), p1);

    // While a check runs, only the messages command stays.
    if (busy)
        for (QAction* a : std::as_const(actions_))
            if (a->objectName() != QStringLiteral("actMessageView"))
                a->setEnabled(false);
}
