// The main window's "&Импорт..." and "&Экпорт...".

#include "ui/document/DocumentTestSupport.h"

#include "core/schema/SchemaPositions.h"
#include "core/exchange/ExchangeFormats.h"
#include "core/exchange/ResultsText.h"
#include "core/exchange/TorvexFile.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/MainForm.h"

#include <QAction>
#include <QFile>

namespace {

class MainFormExchange : public DocumentTest {
protected:
    MainFormExchange()
    {
        FileDialogs::SetOpenInterceptor([this](const TOpenRequest& r) {
            openFilters << r.Filter;
            return QStringList{openPath};
        });
    }
    ~MainFormExchange() override { FileDialogs::SetOpenInterceptor(nullptr); }

    QString WriteExchangeFile(const QString& name)
    {
        MineBuilder mb;
        Line(mb);
        mb.mine().SetName(u"Линия"_qs);
        const QString path = FilePath(name);
        TorvexFile::Export(path, mb.mine());
        return path;
    }

    QString openPath;
    QStringList openFilters;
};

}  // namespace

TEST_F(MainFormExchange, ImportMakesAnUnmodifiedDocumentThatAsksWhereToSave)
{
    TMainForm main(config);
    openPath = WriteExchangeFile(u"линия.MDF"_qs);
    main.Action(u"actImport"_qs)->trigger();
    EXPECT_EQ(QStringList{u"Торвекс 1.0 - 1.5 (*.mdf)"_qs}, openFilters);

    ASSERT_EQ(1, main.Documents().size());
    TChildForm* doc = main.Documents().first();
    EXPECT_EQ(u"линия.irv"_qs, doc->Caption());
    EXPECT_FALSE(doc->HasFileName());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(u"Линия"_qs, doc->Mine()->Name());
    ASSERT_EQ(4, doc->Mine()->Uzels.Count());
    for (int i = 0; i < doc->BranchColumns().Count(); ++i)
        EXPECT_TRUE(doc->BranchColumns().At(i).Visible) << i;
    // The nodes lie 100 m apart on the schema too.
    const TMine& mine = *doc->Mine();
    EXPECT_NEAR(100 * SchemaFactor(config.Scale2D), mine.Uzels.Items(1)->SX() - mine.Uzels.Items(0)->SX(), 1.0);

    ScriptedSaveDialog save;  // cancelled
    EXPECT_FALSE(doc->SaveFile(false));
    ASSERT_EQ(1u, save.requests.size());
    EXPECT_EQ(u"линия"_qs, save.requests[0].ProposedName);
}

TEST_F(MainFormExchange, ADamagedFileIsReportedAndOpensNothing)
{
    TMainForm main(config);
    openPath = FilePath(u"пусто.mdf"_qs);
    QFile f(openPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, '\0'));
    f.close();
    main.Action(u"actImport"_qs)->trigger();
    EXPECT_EQ(TorvexFile::kDamaged, messages.LastText());
    EXPECT_TRUE(main.Documents().isEmpty());
}

TEST_F(MainFormExchange, ExportGoesByTheExtensionAndRefusesResultsThatDoNotExist)
{
    TMainForm main(config);
    ASSERT_NE(nullptr, main.OpenPath(WriteMine(u"line.irv"_qs, Line)));
    ScriptedSaveDialog save;

    save.path = FilePath(u"line.MDF"_qs);
    main.Action(u"actExport"_qs)->trigger();
    ASSERT_EQ(1u, save.requests.size());
    EXPECT_EQ(QStringList{u"Торвекс 1.5 (*.mdf)"_qs}, save.requests[0].Filters);
    EXPECT_EQ(u"line"_qs, save.requests[0].ProposedName);
    EXPECT_TRUE(messages.shown.empty()) << messages.LastText().toStdString();
    EXPECT_EQ(4, TorvexFile::Import(save.path)->Uzels.Count());

    save.path = FilePath(u"line.txt"_qs);
    main.Action(u"actExport"_qs)->trigger();
    EXPECT_EQ(ResultsText::kNoResults, messages.LastText());
    EXPECT_FALSE(QFile::exists(save.path));

    save.path = FilePath(u"line.dat"_qs);
    main.Action(u"actExport"_qs)->trigger();
    EXPECT_EQ(ExchangeFormats::kUnknownExtension, messages.LastText());
    EXPECT_FALSE(QFile::exists(save.path));
}
