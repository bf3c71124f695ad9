// Progress reports of planning (stage 3) and distance integration (stage 4), and Esc at a due
// report.
#include "planner_test_support.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using Reports = std::vector<std::pair<int, int>>;
using testing::eventRecord;
using testing::feedRecord;
using testing::progressLog;
using testing::recordProgress;

class PlannerProgress : public testing::PlannerStores {
  protected:
    // 1000 Feed records of length 1 at speed 1: stage 3 is due a report every 11 records,
    // stage 4 (1002 knots) every 11 knots.
    void addThousandRecords() {
        for (int i = 0; i < 1000; ++i)
            add(feedRecord(1.0, 1.0));
    }
};

TEST_F(PlannerProgress, SmallPathsReportAtTheFirstStepAndEndWith100) {
    add(feedRecord(10.0, 1.0, SegmentFlags::StopAtEnd));
    add(eventRecord(SegmentKind::Dwell));
    add(feedRecord(10.0, 1.0));
    add(feedRecord(10.0, 1.0));
    add(feedRecord(10.0, 1.0));
    // Stage 3: after the first record is planned the next look-ahead has been read, so the
    // cursor is at 4 of 5 records (the event counts). The countdown (7 bytes) covers the second
    // record, the third reports with the store read to its end, and the last record planned
    // has no progress step of its own, only the final 100.
    ASSERT_EQ(plan(1.0, &recordProgress), PlanResult::Planned);
    EXPECT_EQ(progressLog(), (Reports{{3, 80}, {3, 100}, {3, 100}}));

    progressLog().clear();
    rewind(segments);
    segments.highWater = 0;
    add(feedRecord(10.0, 1.0));
    ASSERT_EQ(plan(1.0, &recordProgress), PlanResult::Planned);
    EXPECT_EQ(progressLog(), (Reports{{3, 100}}));

    // Stage 4 over three knots (72 bytes): the countdown stays below 1, so every knot reports,
    // and the last one's 100 comes twice.
    progressLog().clear();
    ASSERT_EQ(integrateProfileDistance(profile, &recordProgress), 0);
    EXPECT_EQ(progressLog(), (Reports{{4, 33}, {4, 66}, {4, 100}, {4, 100}}));
}

TEST_F(PlannerProgress, ReportsComeAboutEveryHundredthOfTheStore) {
    addThousandRecords();
    ASSERT_EQ(plan(1.0, &recordProgress), PlanResult::Planned);
    const Reports stage3 = progressLog();
    // Due after planned records 1, 12, 23, ..., 991 (cursor two records further on); then the
    // final 100.
    ASSERT_EQ(stage3.size(), 92u);
    EXPECT_EQ(stage3[0], (std::pair<int, int>{3, 0}));
    EXPECT_EQ(stage3[1], (std::pair<int, int>{3, 1}));  // cursor 14 of 1000 records
    EXPECT_EQ(stage3[90], (std::pair<int, int>{3, 99}));
    EXPECT_EQ(stage3[91], (std::pair<int, int>{3, 100}));

    progressLog().clear();
    ASSERT_EQ(profile.highWater, 1002);
    ASSERT_EQ(integrateProfileDistance(profile, &recordProgress), 0);
    const Reports stage4 = progressLog();
    // Due after knots 1, 12, ..., 1002: the last knot itself reports 100, then the stage ends.
    ASSERT_EQ(stage4.size(), 93u);
    EXPECT_EQ(stage4[0], (std::pair<int, int>{4, 0}));
    EXPECT_EQ(stage4[1], (std::pair<int, int>{4, 1}));
    EXPECT_EQ(stage4[91], (std::pair<int, int>{4, 100}));
    EXPECT_EQ(stage4[92], (std::pair<int, int>{4, 100}));
    for (std::size_t i = 1; i < stage4.size(); ++i)
        EXPECT_LE(stage4[i - 1].second, stage4[i].second);
}

TEST_F(PlannerProgress, EscAtADueReportAbortsPlanningOtherKeysAreIgnored) {
    addThousandRecords();
    testing::ScriptedKeys keys({'x', 27});
    EXPECT_EQ(plan(1.0, &recordProgress), PlanResult::Aborted);
    // The first due check swallows 'x' and reports; the second finds Esc and sends nothing.
    EXPECT_EQ(progressLog(), (Reports{{3, 0}}));
    EXPECT_EQ(keys.consumed(), 2u);
    EXPECT_EQ(keys.checks(), 2u);  // the keyboard is polled only when a report is due
    EXPECT_EQ(lastKnot.velocity, 1.0);
}

TEST_F(PlannerProgress, EscAtTheFirstKnotAbortsDistanceIntegration) {
    addThousandRecords();
    ASSERT_EQ(plan(1.0, nullptr), PlanResult::Planned);
    testing::ScriptedKeys keys({27});
    EXPECT_EQ(integrateProfileDistance(profile, &recordProgress), -1);
    EXPECT_TRUE(progressLog().empty());
    EXPECT_EQ(keys.consumed(), 1u);
}

}  // namespace
}  // namespace pulsepost
