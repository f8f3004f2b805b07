#include "ui/common/SettingsDialogFrame.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace SettingsDialogFrame {

TSettingsDialogButtons Lay(QDialog* dialog, QTabWidget* pages, int page, const QList<QPushButton*>& leading,
                           const std::function<void()>& help)
{
    TSettingsDialogButtons b;
    b.Ok = new QPushButton(QStringLiteral("&ОК"), dialog);
    b.Cancel = new QPushButton(QStringLiteral("О&тмена"), dialog);
    b.Help = new QPushButton(QStringLiteral("&Справка"), dialog);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : leading) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch();
    for (QPushButton* button : {b.Ok, b.Cancel, b.Help}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    b.Ok->setDefault(true);
    QObject::connect(b.Ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(b.Help, &QPushButton::clicked, dialog, [help] {
        if (help)
            help();
    });

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(pages);
    layout->addLayout(row);
    pages->setCurrentIndex(std::clamp(page, 0, std::max(0, pages->count() - 1)));
    return b;
}

}  // namespace SettingsDialogFrame
