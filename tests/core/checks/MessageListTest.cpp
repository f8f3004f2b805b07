#include "CheckFixture.h"

#include "core/model/Layer.h"
#include "core/model/PipePart.h"

#include <vector>

namespace {
struct RecordingObserver : IMessageListObserver {
    std::vector<QString> events;
    void LinesAboutToBeAppended(int first, int count) override { events.push_back(QStringLiteral("append? %1 %2").arg(first).arg(count)); }
    void LinesAppended(int first, int count) override { events.push_back(QStringLiteral("append %1 %2").arg(first).arg(count)); }
    void LineChanged(int index) override { events.push_back(QStringLiteral("changed %1").arg(index)); }
    void LinesAboutToBeReset() override { events.push_back(QStringLiteral("reset?")); }
    void LinesReset() override { events.push_back(QStringLiteral("reset")); }
};
}  // namespace

TEST(MessageList, FindingsAreNumberedPerKindAndPhasesCloseWithOkOrABlankLine)
{
    TMessageList list;
    list.AddCheckLine(QStringLiteral("Первая фаза ... "));
    list.ClosePhase(true);
    list.AddCheckLine(QStringLiteral("Вторая фаза ... "));
    list.AddError(QStringLiteral("a"));
    list.AddWarning(QStringLiteral("b"));
    list.AddError(QStringLiteral("c"));
    list.ClosePhase(false);
    EXPECT_EQ(list.Texts(), (QStringList{"Первая фаза ... Ok", "Вторая фаза ... ", "> [Ошибка 1]: a",
                                         "> [Предупреждение 1]: b", "> [Ошибка 2]: c", ""}));
    EXPECT_EQ(list.ErrorCount(), 2);
    EXPECT_EQ(list.WarningCount(), 1);
}

TEST(MessageList, EachFamilyIsClearedOnItsOwnAndCountersRestart)
{
    TMessageList list;
    list.AddFreeNumberLine(QStringLiteral("Номера узлов ..."));
    list.AddError(QStringLiteral("x"));
    list.AddFreeNumberLine(QStringLiteral(" - найден свободный номер 3"), nullptr, 3);
    list.AddWarning(QStringLiteral("y"));

    list.ClearCheckMessages();
    EXPECT_EQ(list.Texts(), (QStringList{"Номера узлов ...", " - найден свободный номер 3"}));
    EXPECT_EQ(list.Line(1).FirstFree, 3);
    EXPECT_EQ(list.ErrorCount(), 0);
    EXPECT_EQ(list.WarningCount(), 0);
    list.AddError(QStringLiteral("z"));
    EXPECT_EQ(list.Texts().last(), QStringLiteral("> [Ошибка 1]: z"));

    list.ClearFreeNumberMessages();
    EXPECT_EQ(list.Texts(), QStringList{"> [Ошибка 1]: z"});
    list.ClearAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(MessageList, LinesReferToTheirObjectsByIdentityAndOutliveThem)
{
    MineBuilder b;
    TUzel* uzel = b.uzel(7);
    TBranch* br = b.firePipe(3, 7, 8);
    TDevice* gate = b.device(br, dkGate, 0.5, 40);
    TGasPipe* gas = b.gasPipe(br, 1);
    TDevice* vacuum = b.device(br, dkVacuumPump, 0.5, 41, gas->SlotIndex());

    TMessageList list;
    list.AddError(QStringLiteral("u"), uzel);
    list.AddError(QStringLiteral("b"), br);
    list.AddError(QStringLiteral("g"), gate);
    list.AddError(QStringLiteral("v"), vacuum);
    list.AddCheckLine(QStringLiteral("header"));

    EXPECT_EQ(list.Line(0).Target, TMessageTarget::Uzel);
    EXPECT_EQ(list.Line(1).Target, TMessageTarget::Branch);
    EXPECT_EQ(list.Line(2).Target, TMessageTarget::WaterDevice);
    EXPECT_EQ(list.Line(3).Target, TMessageTarget::GasDevice);
    EXPECT_EQ(list.Line(4).Target, TMessageTarget::None);
    EXPECT_EQ(list.Line(4).Number, -1);
    EXPECT_EQ(list.Line(3).Number, 41);

    EXPECT_EQ(list.Resolve(0, b.mine()), uzel);
    EXPECT_EQ(list.Resolve(2, b.mine()), gate);
    // A finding about a device on a gas pipe leads to that device itself.
    EXPECT_EQ(list.Resolve(3, b.mine()), vacuum);
    EXPECT_EQ(list.Resolve(4, b.mine()), nullptr);

    // Renumbering keeps the way to the object; the line keeps the number it was written with.
    uzel->SetNumber(70);
    EXPECT_EQ(list.Resolve(0, b.mine()), uzel);
    EXPECT_EQ(list.Line(0).Number, 7);

    b.mine().DeleteBranch(br);
    b.mine().DeleteUzel(uzel);
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Resolve(i, b.mine()), nullptr) << "line " << i;
}

TEST(MessageList, ObjectsALineCannotNameAreRefusedWithoutTouchingTheCounters)
{
    MineBuilder b;
    TLayer* layer = TLayer::Create(b.get());
    TBranch* br = b.branch(1, 1, 2);
    TMessageList list;
    try {
        list.AddError(QStringLiteral("x"), layer);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TLayer: Передан неверный класс"));
    }
    EXPECT_THROW(list.AddWarning(QStringLiteral("x"), br->FirePipe()->FirstSection()), Exception);
    EXPECT_EQ(list.ErrorCount(), 0);
    EXPECT_EQ(list.WarningCount(), 0);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(MessageList, TheObserverHearsAppendsChangesAndOneResetPerClearing)
{
    TMessageList list;
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.AddCheckLine(QStringLiteral("h"));
    list.ClosePhase(true);
    list.AddFreeNumberLine(QStringLiteral("f"));
    list.AddError(QStringLiteral("e"));
    list.AddError(QStringLiteral("e"));
    list.ClearCheckMessages();
    list.ClearCheckMessages();  // nothing left to remove: no event
    EXPECT_EQ(observer.events, (std::vector<QString>{"append? 0 1", "append 0 1", "changed 0", "append? 1 1", "append 1 1",
                                                     "append? 2 1", "append 2 1", "append? 3 1", "append 3 1", "reset?",
                                                     "reset"}));
    list.SetObserver(nullptr);
}

TEST(BusyCounter, TheGuardLowersTheCounterAlsoWhenLeftByAnException)
{
    TBusyCounter busy;
    try {
        TBusyGuard outer(&busy);
        TBusyGuard inner(&busy);
        EXPECT_EQ(busy.Count(), 2);
        throw 1;
    } catch (int) {
    }
    EXPECT_FALSE(busy.Busy());
    TBusyGuard none(nullptr);
}
