// The main window's documents: opening from the menu, the recent files, outside (dropped,
// handed over by a second start) and at start; new windows, saving and closing them all.

#include "ui/app/MainForm.h"

#include "core/settings/Config.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/StatusPanels.h"
#include "ui/app/StatusProgress.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/WideEntryHints.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridView.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"

#include <QAction>
#include <QFileInfo>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

const QString kOpenFilter = QStringLiteral("Файлы исходных данных (*.irv)");

}  // namespace

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
    HelpContexts::Set(form, HelpContexts::kDocument);
    HelpContexts::Set(form->UzelGrid(), HelpContexts::kTables);
    HelpContexts::Set(form->BranchGrid(), HelpContexts::kTables);
    HelpContexts::Set(form->ResultsPage(), HelpContexts::kResults);
    HelpContexts::Set(form->MessagePanel(), HelpContexts::kMessages);
    TWideEntryHints::Install(form->MessagePanel()->ListView());
    form->SetProgress(&status_->Progress());
    form->SetActionLookup([this](const QString& name) { return Action(name); });
    connect(form, &TChildForm::StateChanged, this, [this, form] {
        if (form == ActiveDocument())
            OnDocumentChanged();
    });
    // Undo and redo name the step they would take.
    connect(form, &TChildForm::HistoryChanged, this, [this, form] {
        if (form == ActiveDocument())
            UpdateActions();
    });
    connect(form, &TChildForm::RecentFilesChanged, this, &TMainForm::RebuildRecentMenu);
    ConnectSchema(form);
    ConnectEditing(form);
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
    form->SetProgress(&status_->Progress());
    bool opened = false;
    {
        const TBusyGuard opening(&opening_);
        opened = form->OpenFile(path);
    }
    if (!opened) {
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
    CloseDocuments();
}

bool TMainForm::CloseDocuments()
{
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (!w->close())
            return false;
    return mdi_->subWindowList().isEmpty();
}
