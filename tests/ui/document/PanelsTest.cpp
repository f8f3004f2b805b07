#include "DocumentTestSupport.h"

#include "core/checks/MessageList.h"
#include "ui/document/CellValidator.h"
#include "ui/document/MessageListModel.h"
#include "ui/document/GridView.h"
#include "ui/document/ResultsPage.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Panels = DocumentTest;

TEST_F(Panels, ResultsTablesShowHeadingsAndOneEmptyRow)
{
    auto form = NewForm();
    TResultsPage* page = form->ResultsPage();
    for (QTableView* t : {page->HydroBranchGrid(), page->WashersGrid(), page->LowersGrid()}) {
        EXPECT_EQ(t->model()->rowCount(), 1) << t->objectName().toStdString();
        EXPECT_FALSE(t->model()->index(0, 0).data().isValid());
    }
    EXPECT_EQ(page->HydroBranchGrid()->model()->columnCount(), 17);
    EXPECT_EQ(page->WashersGrid()->model()->columnCount(), 7);
    EXPECT_EQ(page->LowersGrid()->model()->columnCount(), 3);
    EXPECT_EQ(page->WashersGrid()->model()->headerData(2, Qt::Horizontal).toString(),
              QStringLiteral("Избыт.\nдавление\n[м вод.ст]"));
    // The given widths at least; wider where a heading line needs it in this font.
    EXPECT_GE(page->WashersGrid()->columnWidth(6), 72);
    EXPECT_GE(page->LowersGrid()->columnWidth(0), 36);
    const QFontMetrics metrics(page->LowersGrid()->horizontalHeader()->font());
    EXPECT_GT(page->LowersGrid()->columnWidth(2), metrics.horizontalAdvance(QStringLiteral("Недостаток")));
    EXPECT_GT(page->WashersGrid()->columnWidth(5), metrics.horizontalAdvance(QStringLiteral("Давл.после")));
    EXPECT_EQ(page->HydroBranchGrid()->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Q\n[м3/ч]"));
    form->SetCurrentPage(1);
    EXPECT_EQ(form->CurrentPage(), 1);
    EXPECT_FALSE(form->CanCutCopy());
}

// A dragged heading moves the column's descriptor, rightwards and leftwards, in the node grid
// and in the results' sections table alike; the header itself keeps no order of its own.
TEST_F(Panels, DraggedHeadingsMoveTheDescriptors)
{
    auto form = NewForm();
    const auto params = [](const TColumnSet& columns) {
        std::vector<int> order;
        for (int i = 0; i < columns.Count(); ++i)
            order.push_back(columns.ParamAt(i));
        return order;
    };
    struct Table {
        QTableView* view;
        TColumnSet* columns;
    };
    for (const Table& t : {Table{form->UzelGrid(), &form->UzelColumns()},
                           Table{form->ResultsPage()->HydroBranchGrid(), &form->ResultColumns()}}) {
        const std::vector<int> before = params(*t.columns);
        ASSERT_GE(before.size(), 4u);
        QHeaderView* header = t.view->horizontalHeader();
        const QString first = t.view->model()->headerData(0, Qt::Horizontal).toString();

        header->moveSection(0, 3);
        std::vector<int> expected = before;
        std::rotate(expected.begin(), expected.begin() + 1, expected.begin() + 4);
        EXPECT_EQ(params(*t.columns), expected) << t.view->objectName().toStdString();
        EXPECT_EQ(t.view->model()->headerData(3, Qt::Horizontal).toString(), first);
        EXPECT_EQ(header->visualIndex(3), 3) << "the header's own move is undone";

        header->moveSection(3, 0);
        EXPECT_EQ(params(*t.columns), before);
        EXPECT_EQ(t.view->model()->headerData(0, Qt::Horizontal).toString(), first);
    }
    EXPECT_TRUE(form->IsModified());
}

TEST(MessageListModelTest, FollowsTheListAsItChanges)
{
    TMessageList list;
    TMessageListModel model(&list);
    int inserted = 0, resets = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserted; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    list.AddCheckLine(QStringLiteral("Проверка номеров узлов ... "));
    list.AddError(QStringLiteral("неверный номер узла"));
    list.AddFreeNumberLine(QStringLiteral("Номера узлов ..."));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(inserted, 3);
    EXPECT_EQ(model.index(1).data().toString(), QStringLiteral("> [Ошибка 1]: неверный номер узла"));
    list.ClearCheckMessages();
    EXPECT_GE(resets, 1);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("Номера узлов ..."));
    model.Detach();
    list.AddCheckLine(QStringLiteral("x"));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(CellValidatorTest, KeepsOutForeignCharactersAndUnifiesTheSeparator)
{
    int pos = 0;
    TCellValidator x(TTableKind::Uzels, upX);
    QString text = QStringLiteral("-12,5");
    EXPECT_EQ(x.validate(text, pos), QValidator::Acceptable);
    EXPECT_EQ(text, QStringLiteral("-12.5"));
    text = QStringLiteral("12a");
    EXPECT_EQ(x.validate(text, pos), QValidator::Invalid);
    TCellValidator diam(TTableKind::Branches, bpFirePDiam);
    text = QString();
    EXPECT_EQ(diam.validate(text, pos), QValidator::Acceptable) << "an empty diameter lays the pipe off";
    text = QStringLiteral("1.5");
    EXPECT_EQ(diam.validate(text, pos), QValidator::Invalid);
    TCellValidator remark(TTableKind::Branches, bpRemark);
    text = QStringLiteral("Штрек, гор. -400");
    EXPECT_EQ(remark.validate(text, pos), QValidator::Acceptable);
    EXPECT_EQ(text, QStringLiteral("Штрек, гор. -400")) << "a comment keeps its commas";
}

}  // namespace
