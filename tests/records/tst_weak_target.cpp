// What 苦手な形 aims at: the weakest shape or the weakest family, from their counts.
#include <gtest/gtest.h>
#include <optional>

#include "analysis/hand_notation.h"
#include "records/records_store.h"
#include "records/statistics.h"
#include "records/weak_shapes.h"
#include "records_fixture.h"

namespace zelkon {
namespace {

using Shapes = std::array<ShapeFigure, kWaitShapeCount>;
using Families = std::array<ProblemFigure, kFamilyCount>;

Families FamiliesOf(std::initializer_list<std::pair<const char*, ProblemFigure>> seen) {
    Families families{};
    for (const auto& [id, figure] : seen) {
        families[static_cast<std::size_t>(FamilyIndexOf(id))] = figure;
    }
    return families;
}

struct TargetCase {
    const char* name;
    Shapes shapes;
    Families families;  // problems, fully right
    std::optional<WaitShape> shape;
    const char* family;  // the weakest family's id, or nullptr
    bool atFamily;
};

TEST(WeakTarget, aimsAtTheHigherMissRateOfShapeAndFamilyOnceEachIsSeenThirtyTimes) {
    const Shapes none{};
    const Shapes closedTenth{{{0, 0}, {0, 0}, {30, 3}, {0, 0}, {0, 0}}};
    const TargetCase cases[] = {
        {"nothing seen", none, {}, std::nullopt, nullptr, false},
        {"29 hands of a family are not enough", none, FamiliesOf({{"tatsumaki", {29, 0}}}),
         std::nullopt, nullptr, false},
        {"30 are, with no shape to compare", none, FamiliesOf({{"tatsumaki", {30, 29}}}),
         std::nullopt, "tatsumaki", true},
        {"equal rates: the shape", closedTenth, FamiliesOf({{"tatsumaki", {30, 27}}}),
         WaitShape::Closed, "tatsumaki", false},
        {"the family a little weaker", closedTenth, FamiliesOf({{"tatsumaki", {31, 27}}}),
         WaitShape::Closed, "tatsumaki", true},
        {"the shape weaker",
         {{{100, 50}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
         FamiliesOf({{"nobetan", {200, 101}}}),
         WaitShape::TwoSided,
         "nobetan",
         false},
        {"a family under 30 hands never counts, however weak", closedTenth,
         FamiliesOf({{"nobetan", {29, 0}}, {"kanchan", {40, 38}}}), WaitShape::Closed, "kanchan",
         false},
        {"equal family rates: more seen", none,
         FamiliesOf({{"nobetan", {40, 30}}, {"kanchan", {80, 60}}}), std::nullopt, "kanchan", true},
        {"equal rates and counts: earlier in the catalogue", none,
         FamiliesOf({{"kanchan", {40, 30}}, {"nobetan", {40, 30}}}), std::nullopt, "nobetan", true},
        {"never missed still counts, and loses to any miss", closedTenth,
         FamiliesOf({{"chuuren", {45, 45}}}), WaitShape::Closed, "chuuren", false},
    };
    for (const TargetCase& c : cases) {
        const WeakTarget target = WeakTargetOf(c.shapes, c.families);
        ASSERT_EQ(target.shape.has_value(), c.shape.has_value()) << c.name;
        if (c.shape) {
            EXPECT_EQ(target.shape->shape, *c.shape) << c.name;
        }
        ASSERT_EQ(target.family.has_value(), c.family != nullptr) << c.name;
        if (c.family != nullptr) {
            const ProblemFigure& figure =
                c.families[static_cast<std::size_t>(FamilyIndexOf(c.family))];
            EXPECT_EQ(target.family->family, FamilyIndexOf(c.family)) << c.name;
            EXPECT_EQ(target.family->seen, figure.problems) << c.name;
            EXPECT_EQ(target.family->missed, figure.problems - figure.fullyRight) << c.name;
        }
        EXPECT_EQ(target.atFamily, c.atFamily) << c.name;
        EXPECT_EQ(target.any(), c.shape || c.family) << c.name;
    }
}

// Through the records: every wait picked, but after a hint, so each hand is a miss of its family
// and of no shape.
TEST(WeakTarget, aHintedAnswerMissesItsFamilyButNoShape) {
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    HandNotation hand;
    ASSERT_EQ(ParseHandNotation("3334555", hand, kEveryHandSize).code, HandFault::None);
    const FamilyIndex tatsumaki = FamilyIndexOf("tatsumaki");
    RecordsTally tally;
    for (int i = 0; i < kWeakFamilyMinimumHands; ++i) {
        ASSERT_FALSE(WeakTargetOf(tally.byShape(), tally.byFamily()).family);
        const AnswerRecord answer =
            MakeAnswerRecord(hand.tileHand(), kSuitSouzu, DealKind::Family, RecordedBand::None,
                             0b1111100, 4, 1'000'000 + i, tatsumaki, 1);
        ASSERT_TRUE(answer.fullyRight);
        ASSERT_TRUE(opened.store->addAnswer(answer).ok());
        ASSERT_TRUE(tally.update(*opened.store).ok());
    }
    const WeakTarget target = WeakTargetOf(tally.byShape(), tally.byFamily());
    ASSERT_TRUE(target.family);
    EXPECT_EQ(target.family->family, tatsumaki);
    EXPECT_EQ(target.family->missed, kWeakFamilyMinimumHands);
    ASSERT_TRUE(target.shape);  // every wait was picked: the shapes are never missed
    EXPECT_EQ(target.shape->missed, 0);
    EXPECT_TRUE(target.atFamily);
}

}  // namespace
}  // namespace zelkon
