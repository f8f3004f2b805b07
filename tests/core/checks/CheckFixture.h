#pragma once

#include "core/checks/BusyCounter.h"
#include "core/checks/CheckCommands.h"
#include "core/checks/CheckProgress.h"
#include "core/checks/FreeNumbers.h"
#include "core/checks/MessageList.h"
#include "support/MineBuilder.h"

#include <QStringList>
#include <gtest/gtest.h>

// Lines as the message panel shows them, printed one per line when a comparison fails.
inline void PrintTo(const QStringList& lines, std::ostream* os)
{
    *os << "\n";
    for (const QString& l : lines)
        *os << "    \"" << l.toStdString() << "\"\n";
}

inline void PrintTo(const QString& text, std::ostream* os) { *os << "\"" << text.toStdString() << "\""; }

inline const QString kUzelsOk = QStringLiteral("Проверка номеров узлов ... Ok");
inline const QString kBranchesOk = QStringLiteral("Проверка номеров выработок ... Ok");
inline const QString kNetworkOk = QStringLiteral("Проверка топологической сети ... Ok");
inline const QString kDevicesOk = QStringLiteral("Проверка номеров устройств ... Ok");
inline const QString kPipelineHeader = QStringLiteral("Проверка пожарно-оросительного трубопровода ... ");
inline const QString kPipelineOk = kPipelineHeader + QStringLiteral("Ok");

// A mine with a surface pump feeding a hydrant through two workings, which passes every
// check, and the means to spoil it:
//
//   node 1 (surface, z 0) --1--> node 2 (z -100) --2--> node 3 (z -100)
//   pump 101 at the start of working 1, hydrant 102 at the end of working 2.
struct CheckFixture : ::testing::Test {
    MineBuilder b;
    TMessageList list;
    TCheckOptions options;

    TUzel* surface = nullptr;
    TBranch* shaft = nullptr;
    TBranch* drift = nullptr;
    TPump* pump = nullptr;
    TCrane* hydrant = nullptr;

    void BuildFedHydrant()
    {
        surface = b.uzel(1, 0, 0, 0);
        surface->SetSurface(true);
        b.uzel(2, 0, 0, -100);
        b.uzel(3, 100, 0, -100);
        shaft = b.firePipe(1, 1, 2);
        drift = b.firePipe(2, 2, 3);
        pump = b.device<TPump>(shaft, dkPump, 0, 101);
        hydrant = b.device<TCrane>(drift, dkCrane, 1, 102);
    }

    QStringList Pipeline()
    {
        last = RunPipelineCheck(b.mine(), list, options);
        return list.Texts();
    }
    QStringList Topology()
    {
        last = RunTopologyCheck(b.mine(), list, options);
        return list.Texts();
    }
    // Only the findings of the pipeline phase, after its header.
    QStringList PipelineFindings()
    {
        const QStringList all = Pipeline();
        const int at = all.indexOf(kPipelineHeader) >= 0 ? all.indexOf(kPipelineHeader) : all.indexOf(kPipelineOk);
        EXPECT_GE(at, 0) << "the pipeline phase did not run";
        QStringList out = all.mid(at + 1);
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }

    TCheckOutcome last;
};

inline QString Err(int n, const QString& text) { return QStringLiteral("> [Ошибка %1]: ").arg(n) + text; }
inline QString Warn(int n, const QString& text) { return QStringLiteral("> [Предупреждение %1]: ").arg(n) + text; }
