// Helpers for the planner tests: Feed and event records, stores filled directly, the recorded
// progress reports and refusal messages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "planner/velocity_profile.h"
#include "report/message_sink.h"

namespace pulsepost::testing {

inline Segment feedRecord(double length, double speed, uint32_t flags = 0) {
    Segment s;
    s.kind = SegmentKind::Feed;
    s.length = length;
    s.speed = speed;
    s.flags = flags;
    return s;
}

inline Segment eventRecord(SegmentKind kind) {
    Segment s;
    s.kind = kind;
    s.flags = SegmentFlags::StopAtEnd;
    return s;
}

// Progress reports (stage, percent) received since the last clear.
inline std::vector<std::pair<int, int>>& progressLog() {
    static std::vector<std::pair<int, int>> log;
    return log;
}
inline void PULSEPOST_CALL recordProgress(int32_t stage, int32_t percent) {
    progressLog().emplace_back(stage, percent);
}

// Messages (code, text) received by the sink while a MessageLog is alive.
class MessageLog {
  public:
    MessageLog() {
        entries().clear();
        setMessageSink(&MessageLog::receive);
    }
    ~MessageLog() { setMessageSink(nullptr); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    static std::vector<std::pair<int32_t, std::string>>& entries() {
        static std::vector<std::pair<int32_t, std::string>> log;
        return log;
    }

  private:
    static void receive(int32_t code, const char* text) { entries().emplace_back(code, text); }
};

class PlannerStores : public ::testing::Test {
  protected:
    void SetUp() override {
        create(segments);
        create(profile);
        progressLog().clear();
    }
    void TearDown() override {
        destroy(segments);
        destroy(profile);
    }

    void add(const Segment& s) { write(&s, 1, segments); }
    PlanResult plan(double acceleration, ProgressCallback progress = nullptr) {
        return planVelocityProfile(segments, profile, acceleration, progress, lastKnot);
    }
    // Stages 3 and 4 without progress reports.
    void planAndIntegrate(double acceleration) {
        ASSERT_EQ(plan(acceleration), PlanResult::Planned);
        ASSERT_EQ(integrateProfileDistance(profile, nullptr), 0);
    }
    std::vector<ProfilePoint> knots() {
        std::vector<ProfilePoint> all;
        for (int32_t i = 0; i < profile.highWater; ++i)
            all.push_back(slotAt(profile, i));
        return all;
    }
    const Segment& record(int32_t index) { return slotAt(segments, index); }

    SegmentStore segments;
    ProfileStore profile;
    ProfilePoint lastKnot;
};

}  // namespace pulsepost::testing
