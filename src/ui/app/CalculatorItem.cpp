#include "ui/app/CalculatorItem.h"

#include "core/shell/ProgramLocator.h"
#include "ui/common/MessageBoxes.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QProcess>

QAction* AddCalculatorItem(QMenu* serviceMenu, QWidget* messageParent, const QString& programPath)
{
    if (!serviceMenu || programPath.isEmpty())
        return nullptr;

    auto* item = new QAction(kCalculatorCaption, serviceMenu);
    item->setObjectName(QStringLiteral("CalculatorItem"));
    item->setIcon(QIcon::fromTheme(QFileInfo(programPath).fileName(), QIcon::fromTheme(QStringLiteral("accessories-calculator"))));

    const QList<QAction*> entries = serviceMenu->actions();
    QAction* last = entries.isEmpty() ? nullptr : entries.last();
    serviceMenu->insertAction(last, item);
    serviceMenu->insertSeparator(last);

    QPointer<QWidget> parent = messageParent;
    QObject::connect(item, &QAction::triggered, item, [item, programPath, parent] {
        if (!QProcess::startDetached(programPath, {}))
            MessageBoxes::Error(parent, kLaunchFailedText.arg(item->text()));
    });
    return item;
}

QAction* AddCalculatorItem(QMenu* serviceMenu, QWidget* messageParent)
{
    return AddCalculatorItem(serviceMenu, messageParent, FindCalculator());
}
