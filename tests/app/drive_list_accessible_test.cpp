#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>

#include "DriveListAccessible.h"
#include "OwnerDrawList.h"
#include "QtAppEnvironment.h"
#include "RowAccessibleText.h"

namespace {

TEST(RowAccessibleText, describeRow_namesTheRowAndReadsItsFiguresAsShown) {
    RowContent drive;
    drive.RowText = "C:";
    drive.Label = "SYSTEM";
    drive.BracketText = "[NTFS - Local drive]";
    drive.TotalText = "250,059.35 Go";
    drive.FreeText = "158,512.02 Go";
    drive.UsedText = "91,547.33 Go";
    drive.PercentText = "36,6 %";
    const AccessibleRowText text = DescribeRow(drive);
    EXPECT_EQ(text.Name, QStringLiteral("C: SYSTEM [NTFS - Local drive]"));
    EXPECT_EQ(text.Description,
              QStringLiteral("Total 250,059.35 Go, Free 158,512.02 Go, Used 91,547.33 Go, 36,6 %"));

    drive.Label.clear();
    EXPECT_EQ(DescribeRow(drive).Name, QStringLiteral("C: [NTFS - Local drive]"));

    RowContent summary;
    summary.Label = "LOCAL DISKS VALUE";
    summary.TotalText = "0.00 Go";
    EXPECT_EQ(DescribeRow(summary).Name, QStringLiteral("LOCAL DISKS VALUE"));
}

class DriveListAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.SetCount(4);
        list.SetAccessibleText([](int index) {
            return AccessibleRowText{QStringLiteral("row %1").arg(index),
                                     QStringLiteral("figures %1").arg(index)};
        });
        list.resize(369, 4 * 54);
    }

    QAccessibleInterface* Interface() { return QAccessible::queryAccessibleInterface(&list); }

    TOwnerDrawList list{369, 54};
};

TEST_F(DriveListAccessibleTest, list_isAListWhoseChildrenAreItsRows) {
    QAccessibleInterface* iface = Interface();
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::List);
    ASSERT_EQ(iface->childCount(), 4);
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* row = iface->child(i);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->role(), QAccessible::ListItem);
        EXPECT_EQ(row->text(QAccessible::Name), QStringLiteral("row %1").arg(i));
        EXPECT_EQ(row->text(QAccessible::Description), QStringLiteral("figures %1").arg(i));
        EXPECT_EQ(iface->indexOfChild(row), i);
        EXPECT_EQ(row->parent(), iface);
        EXPECT_EQ(iface->child(i), row) << "rows are kept, not made anew";
    }
    EXPECT_EQ(iface->child(4), nullptr);
    EXPECT_EQ(iface->child(-1), nullptr);
}

TEST_F(DriveListAccessibleTest, shrinkingList_invalidatesRowsBeyondTheCount) {
    QAccessibleInterface* iface = Interface();
    QAccessibleInterface* last = iface->child(3);
    list.SetCount(2);
    EXPECT_EQ(iface->childCount(), 2);
    EXPECT_FALSE(last->isValid());
    EXPECT_EQ(last->text(QAccessible::Name), QString());
    EXPECT_EQ(iface->indexOfChild(last), -1);
}

TEST_F(DriveListAccessibleTest, selection_isReportedInTheRowsState) {
    QAccessibleInterface* iface = Interface();
    list.SetItemIndex(2);
    EXPECT_TRUE(iface->child(2)->state().selected);
    EXPECT_FALSE(iface->child(1)->state().selected);
    EXPECT_TRUE(iface->child(1)->state().selectable);
    list.SetItemIndex(1);
    EXPECT_FALSE(iface->child(2)->state().selected);
    EXPECT_TRUE(iface->child(1)->state().selected);
}

TEST_F(DriveListAccessibleTest, rows_lieWhereTheyAreDrawn) {
    QAccessibleInterface* row = Interface()->child(1);
    const QPoint origin = list.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(row->rect(), QRect(origin + QPoint(0, 54), QSize(369, 54)));
    EXPECT_EQ(Interface()->childAt(origin.x() + 10, origin.y() + 54 * 3 + 5),
              Interface()->child(3));
    EXPECT_EQ(Interface()->childAt(origin.x() + 400, origin.y() + 5), nullptr);
    EXPECT_EQ(Interface()->childAt(origin.x() + 10, origin.y() + 54 * 4 + 5), nullptr);
}

}  // namespace
