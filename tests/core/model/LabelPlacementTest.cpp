#include "core/model/LabelPlacement.h"

#include <gtest/gtest.h>

using LabelPlacement::LabelKind;

// Whatever a branch's direction, automatic labels of one kind keep to one side of it: branch
// numbers below (never above) and section results above, or the other way round when the
// setting says so. A label's vertical offset never changes sign between branches.
TEST(LabelPlacement, AllLabelsOfAKindKeepToOneSide)
{
    for (const bool bottom : {true, false}) {
        LabelPlacement::SetNumBranchesBottom(bottom);
        for (int direction = 0; direction < 360; ++direction) {
            const double number = LabelPlacement::Place(LabelKind::BranchNumber, direction, 90, 15).Y();
            const double result = LabelPlacement::Place(LabelKind::SectionResult, direction, 90, 35).Y();
            if (bottom) {
                EXPECT_GE(number, -1e-9) << direction;
                EXPECT_LE(result, 1e-9) << direction;
            } else {
                EXPECT_LE(number, 1e-9) << direction;
                EXPECT_GE(result, -1e-9) << direction;
            }
        }
        // Round trip: the stored offset gives back its angle and distance.
        const TLabelOffset offset = LabelPlacement::Place(LabelKind::BranchNumber, 30, 70, 20);
        const auto placement = LabelPlacement::Derive(LabelKind::BranchNumber, 30, offset);
        EXPECT_NEAR(placement.angle, 70, 1e-6);
        EXPECT_NEAR(placement.distance, 20, 1e-6);
    }
    LabelPlacement::SetNumBranchesBottom(true);
}
