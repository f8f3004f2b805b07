#include "ui/common/WideEntryHints.h"

#include <QListWidget>
#include <gtest/gtest.h>

TEST(WideEntryHints, OnlyEntriesWiderThanTheListGetTheirTextAsHint)
{
    QListWidget list;
    list.resize(120, 100);
    list.addItem(QStringLiteral("Насос"));
    list.addItem(QStringLiteral("Гидроредуктор \"ГР-200/100\" на главном откаточном штреке горизонта -400 м"));
    list.show();
    TWideEntryHints::Install(&list);
    TWideEntryHints::Install(&list);  // a second install adds no second watcher
    EXPECT_EQ(list.findChildren<TWideEntryHints*>().size(), 1);

    const QPoint first = list.visualItemRect(list.item(0)).center();
    const QPoint second = list.visualItemRect(list.item(1)).center();
    EXPECT_TRUE(TWideEntryHints::HintAt(&list, first).isEmpty());
    EXPECT_EQ(TWideEntryHints::HintAt(&list, second), list.item(1)->text());
    EXPECT_TRUE(TWideEntryHints::HintAt(&list, QPoint(5, 95)).isEmpty()) << "below the entries";

    list.resize(2000, 100);
    EXPECT_TRUE(TWideEntryHints::HintAt(&list, list.visualItemRect(list.item(1)).center()).isEmpty()) << "it fits now";
}
