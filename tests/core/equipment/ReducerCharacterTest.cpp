#include "core/equipment/ReducerCharacter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Part = TReducerCharacter::Part;

// Three pressure ranges over four flows: sound by every rule.
TReducerCharacter ThreeByFour()
{
    TReducerCharacter c;
    c.Name = QStringLiteral("РД-3");
    c.Resize(3, 4);
    const double inlet[] = {10, 20, 40}, locking[] = {5, 10, 30}, flows[] = {5, 20, 50, 80};
    const double outlet[3][4] = {{4, 3, 2, 0}, {8, 6, 4, 1}, {20, 15, 9, 2}};
    for (int r = 0; r < 3; ++r) {
        c.SetInlet(r, inlet[r]);
        c.SetLocking(r, locking[r]);
        for (int k = 0; k < 4; ++k)
            c.SetOutlet(r, k, outlet[r][k]);
    }
    for (int k = 0; k < 4; ++k)
        c.SetFlow(k, flows[k]);
    return c;
}

void ExpectFault(const TReducerCharacter& c, Part part, int row, int col, const QString& message)
{
    const auto fault = c.FindFault();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->part, part);
    EXPECT_EQ(fault->row, row);
    EXPECT_EQ(fault->col, col);
    EXPECT_EQ(fault->message, message);
    try {
        c.Validate();
        ADD_FAILURE() << "Validate did not throw";
    } catch (const EReducerCharacterError& e) {
        EXPECT_EQ(e.Message(), message);
        EXPECT_EQ(e.Where().row, row);
    }
}

}  // namespace

TEST(ReducerCharacter, ResizeKeepsWhatFitsAndFillsZeroes)
{
    TReducerCharacter c = ThreeByFour();
    c.Resize(2, 5);
    EXPECT_EQ(c.NP(), 2);
    EXPECT_EQ(c.NQ(), 5);
    EXPECT_EQ(c.Outlet(1, 2), 4);
    EXPECT_EQ(c.Outlet(1, 4), 0);
    EXPECT_EQ(c.Flow(4), 0);
    EXPECT_EQ(c.Locking(1), 10);
    c.Resize(3, 5);
    EXPECT_EQ(c.Inlet(2), 0);
    EXPECT_EQ(c.Outlet(2, 0), 0);

    TReducerCharacter copy;
    copy = c;  // every field, the name too
    EXPECT_EQ(copy, c);
    EXPECT_EQ(copy.Name, QStringLiteral("РД-3"));
}

TEST(ReducerCharacter, InterpolationAtAndBetweenRowsAndOutside)
{
    const TReducerCharacter d;  // the default table
    auto at = InterpolateReducer(d, 20);
    ASSERT_TRUE(at.valid);
    EXPECT_DOUBLE_EQ(at.inlet, 38.0);
    EXPECT_DOUBLE_EQ(at.outlet[0], 17.95);
    EXPECT_DOUBLE_EQ(at.outlet[1], 4.0);
    at = InterpolateReducer(d, 8);
    ASSERT_TRUE(at.valid);
    EXPECT_EQ(at.inlet, 16.0);  // exactly row 1
    EXPECT_EQ(at.outlet, (std::vector<double>{7.3, 0.0}));
    at = InterpolateReducer(d, 32);
    ASSERT_TRUE(at.valid);
    EXPECT_EQ(at.outlet, (std::vector<double>{28.6, 8.0}));
    for (double outside : {7.9, 32.1, std::nan("")})
        EXPECT_FALSE(InterpolateReducer(d, outside).valid) << outside;

    const TReducerCharacter c = ThreeByFour();
    at = c.ForLockingPressure(20);  // halfway between rows 2 and 3
    ASSERT_TRUE(at.valid);
    EXPECT_DOUBLE_EQ(at.inlet, 30);
    EXPECT_EQ(at.outlet, (std::vector<double>{14, 10.5, 6.5, 1.5}));
    at = c.ForLockingPressure(10);
    EXPECT_EQ(at.outlet, (std::vector<double>{8, 6, 4, 1}));
    // A quarter of the way from row 2 to row 3: t = 0.25 weighs the lower row three times
    // as much as the upper one (halfway cannot tell t from 1 - t).
    at = c.ForLockingPressure(15);
    ASSERT_TRUE(at.valid);
    EXPECT_DOUBLE_EQ(at.inlet, 25);
    EXPECT_DOUBLE_EQ(at.locking, 15);
    EXPECT_EQ(at.outlet, (std::vector<double>{11, 8.25, 5.25, 1.25}));
    at = InterpolateReducer(d, 14);  // t = 0.25 on the default table
    ASSERT_TRUE(at.valid);
    EXPECT_DOUBLE_EQ(at.inlet, 27.0);
    EXPECT_DOUBLE_EQ(at.outlet[0], 7.3 + 0.25 * (28.6 - 7.3));
    EXPECT_DOUBLE_EQ(at.outlet[1], 2.0);

    // Along the inlet column: the locking pressure, then the row.
    at = c.ForInletPressure(15);
    ASSERT_TRUE(at.valid);
    EXPECT_DOUBLE_EQ(at.locking, 7.5);
    EXPECT_EQ(at.outlet, (std::vector<double>{6, 4.5, 3, 0.5}));
    at = c.ForInletPressure(36);  // t = 0.8 between rows 2 and 3
    ASSERT_TRUE(at.valid);
    EXPECT_DOUBLE_EQ(at.locking, 26);
    EXPECT_DOUBLE_EQ(at.inlet, 36);
    ASSERT_EQ(at.outlet.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_DOUBLE_EQ(at.outlet[size_t(k)], c.Outlet(1, k) + 0.8 * (c.Outlet(2, k) - c.Outlet(1, k))) << k;
    EXPECT_DOUBLE_EQ(at.outlet[0], 17.6);
    EXPECT_TRUE(c.ForInletPressure(40).valid);
    EXPECT_FALSE(c.ForInletPressure(9.99).valid);
    EXPECT_FALSE(c.ForInletPressure(40.01).valid);
}

TEST(ReducerCharacter, ValidationReportsTheFirstFaultyCellInOrder)
{
    using namespace ReducerTexts;
    EXPECT_FALSE(TReducerCharacter().FindFault());
    EXPECT_FALSE(ThreeByFour().FindFault());

    TReducerCharacter c;
    c.SetFlow(0, 10);
    c.SetFlow(1, 10);  // flows 10 and 10: refused at the second column
    ExpectFault(c, Part::Flow, 0, 1, kBadFlow);
    c.SetFlow(0, 0);
    ExpectFault(c, Part::Flow, 0, 0, kBadFlow);

    c = ThreeByFour();
    c.SetInlet(0, 0);
    c.SetLocking(0, -1);  // the inlet pressure is checked first
    ExpectFault(c, Part::Inlet, 0, 0, kBadInlet);
    c.SetInlet(0, 10);
    ExpectFault(c, Part::Locking, 0, 0, kBadLocking);

    // Row by row: inlet, then locking of the same row, before the next row.
    c = ThreeByFour();
    c.SetLocking(1, 5);
    c.SetInlet(2, 20);
    ExpectFault(c, Part::Locking, 1, 0, kBadLocking);

    c = ThreeByFour();
    c.SetOutlet(0, 3, -0.1);
    ExpectFault(c, Part::Outlet, 0, 3, kBadOutlet);
    c = ThreeByFour();
    c.SetOutlet(2, 0, 0);
    ExpectFault(c, Part::Outlet, 2, 0, kBadOutlet);
    c = ThreeByFour();
    c.SetOutlet(1, 2, 6.5);  // rises with flow along its row
    ExpectFault(c, Part::Outlet, 1, 2, kBadOutlet);
    c = ThreeByFour();
    c.SetOutlet(1, 1, 2.5);  // below the cell above
    ExpectFault(c, Part::Outlet, 1, 1, kBadOutlet);
    c = ThreeByFour();
    c.SetOutlet(2, 2, std::nan(""));
    ExpectFault(c, Part::Outlet, 2, 2, kBadOutlet);
}
