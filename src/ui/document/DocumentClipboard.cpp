#include "ui/document/DocumentClipboard.h"

#include "core/tables/PasteEdits.h"
#include "core/file/ClipboardRecords.h"
#include "core/model/Branch.h"
#include "core/model/Uzel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace DocumentClipboard {

const QString kUzelsMime = QStringLiteral("application/x-irvata-uzels");
const QString kBranchesMime = QStringLiteral("application/x-irvata-branches");

namespace {

const QMimeData* Current()
{
    const QClipboard* cb = QGuiApplication::clipboard();
    return cb ? cb->mimeData() : nullptr;
}

// The format's registered name rides along, so other programs can tell what it is.
void Put(const QString& mime, const QString& formatName, const QByteArray& block, const QString& text)
{
    auto* data = new QMimeData;
    data->setData(mime, block);
    data->setData(QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(formatName), block);
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard takes ownership
}

}  // namespace

void PutUzels(const std::vector<TUzel*>& uzels)
{
    if (!uzels.empty())
        Put(kUzelsMime, kUzelsClipboardFormat, EncodeUzels(uzels), ClipboardText(uzels));
}

void PutBranches(const std::vector<TBranch*>& branches)
{
    if (!branches.empty())
        Put(kBranchesMime, kBranchesClipboardFormat, EncodeBranches(branches), ClipboardText(branches));
}

bool HasUzels()
{
    const QMimeData* d = Current();
    return d && d->hasFormat(kUzelsMime);
}

bool HasBranches()
{
    const QMimeData* d = Current();
    return d && d->hasFormat(kBranchesMime);
}

void PasteUzels(TMine& mine)
{
    if (const QMimeData* d = Current())
        PasteEdits::PasteUzels(mine, d->data(kUzelsMime));
}

void PasteBranches(TMine& mine)
{
    if (const QMimeData* d = Current())
        PasteEdits::PasteBranches(mine, d->data(kBranchesMime));
}

}  // namespace DocumentClipboard
