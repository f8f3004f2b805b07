#pragma once

// A document as a window holds one for the history tests: the mine, its table rows (the
// branch display order), the settings kept in its file and its undo history.

#include "core/file/DocumentSettings.h"
#include "core/file/NetworkFile.h"
#include "core/history/EditHistory.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "core/tables/DocumentRows.h"

#include <QList>
#include <memory>
#include <unordered_set>
#include <vector>

struct HistoryDocument {
    std::unique_ptr<TMine> Mine;
    std::unique_ptr<TDocumentRows> Rows;
    TDocumentSettings Settings = TDocumentSettings::Defaults();
    TEditHistory History;

    explicit HistoryDocument(std::unique_ptr<TMine> mine) : Mine(std::move(mine))
    {
        Rows = std::make_unique<TDocumentRows>(Mine.get());
        TEditTarget target;
        target.Mine = Mine.get();
        target.Rows = Rows.get();
        target.CaptureSettings = [this] {
            return QByteArray::number(Settings.DummyZ) + ' ' + QByteArray::number(Settings.ColorMode);
        };
        target.RestoreSettings = [this](const QByteArray& bytes) {
            const QList<QByteArray> parts = bytes.split(' ');
            Settings.DummyZ = parts.value(0).toInt();
            Settings.ColorMode = parts.value(1).toInt();
        };
        History.SetTarget(std::move(target));
    }

    // What the window does once the mine's change notice has passed: stale rows are
    // rebuilt before anything reads them.
    void Settle()
    {
        if (Rows->MineChanged())
            Rows->Sync();
    }

    // The display order names only live branches, each once.
    bool RowsSound() const
    {
        std::unordered_set<const TBranch*> live;
        for (const TBranch* b : Mine->Branches)
            live.insert(b);
        std::unordered_set<const TBranch*> seen;
        for (const TBranch* b : Rows->BranchOrderVector())
            if (!live.count(b) || !seen.insert(b).second)
                return false;
        return seen.size() == live.size();
    }

    QByteArray Body()
    {
        Settle();
        return NetworkFile::WriteBody(*Mine, Settings, Rows->BranchOrderVector(), kCurrentStreamVersion);
    }

    // The identities of every node, branch, device, seam and plan position in list order.
    std::vector<uint64_t> Identities() const
    {
        std::vector<uint64_t> out;
        for (const TUzel* u : Mine->Uzels)
            out.push_back(u->Serial());
        out.push_back(0);
        for (const TBranch* b : Mine->Branches) {
            out.push_back(b->Serial());
            for (const TPipe* p : b->Pipes)
                for (const TDevice* d : p->Devices)
                    out.push_back(d->Serial());
        }
        out.push_back(0);
        for (const TLayer* l : Mine->Layers)
            out.push_back(l->Serial());
        for (const TPLFPosition* p : Mine->PLFPositions)
            out.push_back(p->Serial());
        return out;
    }
};

// The file body written, read back and written again: a sound document gives the same bytes.
inline bool BodyReadsBack(const QByteArray& body)
{
    TNetworkDocument doc = NetworkFile::ReadBody(body, kCurrentStreamVersion, QStringLiteral("history.dat"));
    return NetworkFile::WriteBody(*doc.Mine, doc.Settings, doc.BranchOrder, kCurrentStreamVersion) == body;
}
