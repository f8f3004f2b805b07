// The schema's look and switches last for the run: read at start, written at the end.

#include "ui/document/DocumentTestSupport.h"

#include "core/model/LabelPlacement.h"
#include "ui/app/DesktopSession.h"
#include "ui/app/MainForm.h"
#include "ui/schema2d/SchemaSettings.h"

#include <QFileInfo>
#include <QTimer>

namespace {

using SchemaSettingsRun = DocumentTest;

TEST_F(SchemaSettingsRun, SwitchesAreReadAtStartAndWrittenAtTheEnd)
{
    const QString server = SingleInstance::ServerNameFor(QFileInfo(sandbox.userFile()).absolutePath());
    {
        DesktopSession session({}, std::make_unique<TConfig>(sandbox.places()), server);
        ASSERT_FALSE(session.Start().has_value());
        TSchemaSettings& settings = session.MainWindow()->SchemaSettings();
        EXPECT_FALSE(settings.Params.GridVisible);
        settings.Params.GridVisible = true;
        settings.Params.NumBranchesBottom = false;
        QTimer::singleShot(0, session.MainWindow(), [&] { session.MainWindow()->close(); });
        session.Run();
    }
    sandbox.restart();
    DesktopSession session({}, std::make_unique<TConfig>(sandbox.places()), server);
    ASSERT_FALSE(session.Start().has_value());
    EXPECT_TRUE(session.MainWindow()->SchemaSettings().Params.GridVisible);
    // The label placement follows the switch read.
    EXPECT_FALSE(LabelPlacement::NumBranchesBottom());
    session.MainWindow()->SchemaSettings().Params.NumBranchesBottom = true;
    session.MainWindow()->SchemaSettings().Apply();
    EXPECT_TRUE(LabelPlacement::NumBranchesBottom());
    session.MainWindow()->close();
}

}  // namespace
