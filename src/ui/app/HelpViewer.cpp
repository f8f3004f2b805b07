#include "ui/app/HelpViewer.h"

#include "core/shell/HelpPages.h"
#include "ui/app/HelpContexts.h"
#include "ui/common/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcut>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPointer<HelpViewer>& instance()
{
    static QPointer<HelpViewer> viewer;
    return viewer;
}

}  // namespace

HelpViewer* HelpViewer::Instance() { return instance().data(); }

namespace {

QString& folder()
{
    static QString f;
    return f;
}

}  // namespace

void HelpViewer::SetFolder(const QString& helpFolder) { folder() = helpFolder; }

QString HelpViewer::Folder() { return folder(); }

HelpViewer* HelpViewer::ShowFor(QWidget* window)
{
    int context = kHelpContents;
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QVariant c = w->property(HelpContexts::kWidgetProperty);
        if (c.isValid() && (w == window || window->isAncestorOf(w))) {
            context = c.toInt();
            break;
        }
    }
    if (context == kHelpContents && window->property(HelpContexts::kWidgetProperty).isValid())
        context = window->property(HelpContexts::kWidgetProperty).toInt();
    return Show(folder(), context, window);
}

void HelpViewer::Attach(QWidget* window, QAbstractButton* button)
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, window, [window] { ShowFor(window); });
    if (button)
        QObject::connect(button, &QAbstractButton::clicked, window, [window] { ShowFor(window); });
}

HelpViewer* HelpViewer::Show(const QString& helpFolder, int context, QWidget* messageParent)
{
    const QString page = HelpPagePath(helpFolder, context);
    if (page.isEmpty()) {
        MessageBoxes::Error(messageParent, kHelpNotFoundText.arg(QDir(helpFolder).filePath(HelpPageFileName(kHelpContents))));
        return nullptr;
    }
    if (!instance()) {
        instance() = new HelpViewer;
        // A top-level window without a parent: freed when the application goes.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance().data(), &QObject::deleteLater);
    }
    HelpViewer* viewer = instance();
    viewer->ShowPage(helpFolder, page);
    // Asked from inside a modal dialog, the window would be blocked by it: it then opens
    // modal itself, above the dialog, and goes back to an ordinary window the next time.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != viewer ? Qt::ApplicationModal : Qt::NonModal;
    if (viewer->windowModality() != wanted) {
        viewer->hide();
        viewer->setWindowModality(wanted);
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Справка по Ирвате"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(720, 560);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* contents = new QPushButton(QStringLiteral("&Содержание"), this);
    auto* back = new QPushButton(QStringLiteral("&Назад"), this);
    auto* forward = new QPushButton(QStringLiteral("&Вперед"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage(folder_, HelpPagePath(folder_, kHelpContents)); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Справка по Ирвате") : title);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

void HelpViewer::ShowPage(const QString& folder, const QString& path)
{
    if (path.isEmpty())
        return;
    folder_ = folder;
    browser_->setSearchPaths({folder});
    browser_->setSource(QUrl::fromLocalFile(path));
}

QString HelpViewer::CurrentPage() const { return browser_->source().toLocalFile(); }

void HelpViewer::closeEvent(QCloseEvent* event)
{
    // Kept for the next call; only hidden.
    event->accept();
}
