// Paged record stores: growth at the page boundary, cursor and high-water rules, in-place
// rewriting, the feed-move walks, and the fatal growth failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "report/message_sink.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

namespace pulsepost {
namespace {

Segment recordOfKind(SegmentKind kind, double tag = 0.0) {
    Segment s;
    s.kind = kind;
    s.length = tag;
    return s;
}

class SegmentStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { create(store); }
    void TearDown() override { destroy(store); }
    SegmentStore store;
};

TEST_F(SegmentStoreTest, FreshStoreIsEmptyAndSeeksWithinItsFirstPage) {
    Segment s;
    EXPECT_EQ(read(&s, 1, store), 0);
    EXPECT_EQ(store.cursor, 0);
    EXPECT_EQ(seek(store, 0, 499999), 0);
    EXPECT_EQ(store.cursor, 499999);
    EXPECT_EQ(seek(store, 0, 500000), -1);
    EXPECT_EQ(store.cursor, 499999);
    EXPECT_EQ(seek(store, -1, 0), -1);
}

TEST_F(SegmentStoreTest, WritingTheLastSlotOfAPageAddsTheNextPageFirst) {
    const Segment s = recordOfKind(SegmentKind::Feed);
    for (int i = 0; i < 499999; ++i)
        write(&s, 1, store);
    EXPECT_EQ(store.pageCount, 1);
    EXPECT_EQ(store.capacity, 500000);
    write(&s, 1, store);  // index 499999
    EXPECT_EQ(store.pageCount, 2);
    EXPECT_EQ(store.capacity, 1000000);
    EXPECT_EQ(store.highWater, 500000);
    const Segment marked = recordOfKind(SegmentKind::Pause, 42.0);
    write(&marked, 1, store);  // index 500000, first record of page 1
    ASSERT_EQ(seek(store, 0, 500000), 0);
    Segment back;
    ASSERT_EQ(read(&back, 1, store), 1);
    EXPECT_EQ(back.kind, SegmentKind::Pause);
    EXPECT_EQ(back.length, 42.0);
}

TEST_F(SegmentStoreTest, ReadsStopAtHighWaterAndRewritesKeepIt) {
    for (int i = 0; i < 10; ++i) {
        const Segment s = recordOfKind(SegmentKind::Feed, i);
        write(&s, 1, store);
    }
    rewind(store);
    Segment many[20];
    EXPECT_EQ(read(many, 20, store), 10);
    EXPECT_EQ(store.cursor, 10);
    EXPECT_EQ(many[9].length, 9.0);
    ASSERT_EQ(seek(store, 0, 3), 0);
    const Segment replacement = recordOfKind(SegmentKind::Dwell, 99.0);
    write(&replacement, 1, store);
    EXPECT_EQ(store.highWater, 10);
    ASSERT_EQ(seek(store, -1, store.cursor), 0);
    Segment back;
    read(&back, 1, store);
    EXPECT_EQ(back.kind, SegmentKind::Dwell);
    EXPECT_EQ(back.length, 99.0);
    // A seek beyond highWater within the page is allowed; the read then copies nothing.
    ASSERT_EQ(seek(store, 0, 20), 0);
    EXPECT_EQ(read(&back, 1, store), 0);
    EXPECT_EQ(store.cursor, 20);
}

TEST(ProfileStore, OneLongWriteGetsEveryPageItNeeds) {
    ProfileStore profile;
    create(profile);
    std::vector<ProfilePoint> knots(1200000, ProfilePoint{1.0, 2.0, 3.0});
    knots.back().time = 7.0;
    write(knots.data(), static_cast<int32_t>(knots.size()), profile);
    EXPECT_EQ(profile.pageCount, 3);
    EXPECT_EQ(profile.highWater, 1200000);
    ASSERT_EQ(seek(profile, -1, profile.cursor), 0);
    ProfilePoint last;
    ASSERT_EQ(read(&last, 1, profile), 1);
    EXPECT_EQ(last.time, 7.0);
    destroy(profile);
}

class FeedWalkTest : public SegmentStoreTest {
  protected:
    void SetUp() override {
        SegmentStoreTest::SetUp();
        const SegmentKind kinds[] = {SegmentKind::Rapid, SegmentKind::Feed,
                                     SegmentKind::SpindleEvent, SegmentKind::Feed,
                                     SegmentKind::Feed};
        for (int i = 0; i < 5; ++i) {
            const Segment s = recordOfKind(kinds[i], i);
            write(&s, 1, store);
        }
        rewind(store);
    }
};

TEST_F(FeedWalkTest, SkipsForwardAndBackOverFeedMovesOnly) {
    skipFeedMoves(store, 2);
    EXPECT_EQ(store.cursor, 4);
    skipFeedMoves(store, -2);
    EXPECT_EQ(store.cursor, 1);
    skipFeedMoves(store, 0);
    EXPECT_EQ(store.cursor, 1);
}

TEST_F(FeedWalkTest, ReadNextFeedMoveFindsTheNextFeed) {
    Segment s;
    EXPECT_EQ(readNextFeedMove(s, store), 1);
    EXPECT_EQ(s.length, 1.0);
    EXPECT_EQ(store.cursor, 2);
    EXPECT_EQ(readNextFeedMove(s, store), 1);
    EXPECT_EQ(s.length, 3.0);
    EXPECT_EQ(readNextFeedMove(s, store), 1);
    EXPECT_EQ(readNextFeedMove(s, store), 0);
    EXPECT_EQ(store.cursor, 5);
}

TEST_F(FeedWalkTest, SkipsStopAtTheEndsOfTheStore) {
    ASSERT_EQ(seek(store, 0, 3), 0);
    skipFeedMoves(store, 3);
    EXPECT_EQ(store.cursor, 5);
    ASSERT_EQ(seek(store, 0, 2), 0);
    skipFeedMoves(store, -5);
    EXPECT_EQ(store.cursor, 0);
}

TEST(ProfileStore, CursorFollowsWritesSeeksAndReads) {
    ProfileStore profile;
    create(profile);
    for (int i = 0; i < 10; ++i) {
        const ProfilePoint k{static_cast<double>(i), 1.0, 0.0};
        write(&k, 1, profile);
    }
    EXPECT_EQ(profile.cursor, 10);
    ASSERT_EQ(seek(profile, -1, profile.cursor), 0);
    EXPECT_EQ(profile.cursor, 9);
    ProfilePoint k;
    ASSERT_EQ(read(&k, 1, profile), 1);
    EXPECT_EQ(k.time, 9.0);
    setCount(profile, 4);
    EXPECT_EQ(profile.highWater, 4);
    EXPECT_EQ(profile.cursor, 10);
    rewind(profile);
    EXPECT_EQ(profile.cursor, 0);
    ProfilePoint all[10];
    EXPECT_EQ(read(all, 10, profile), 4);
    destroy(profile);
}

std::string gLastMessage;
int gLastCode = 0;
void recordMessage(int32_t code, const char* text) {
    gLastCode = code;
    gLastMessage = text;
}
void* failingAllocator(std::size_t) {
    return nullptr;
}

// A store that cannot grow reports its code and throws to the entry point, which refuses the
// conversion: the library never ends its host's process.
TEST(Store, PageFailuresAreReportedAndThrownNeverEndingTheProcess) {
    setMessageSink(recordMessage);
    const auto expectThrown = [](auto&& grow, int32_t code, const char* text) {
        gLastCode = 0;
        try {
            grow();
            ADD_FAILURE() << "no StoreExhausted for code " << code;
        } catch (const StoreExhausted& e) {
            EXPECT_EQ(e.code, code);
        }
        EXPECT_EQ(gLastCode, code);
        EXPECT_EQ(gLastMessage, text);
    };
    setPageAllocator(failingAllocator);
    SegmentStore segments;
    ProfileStore profile;
    expectThrown([&] { create(segments); }, 1, "allocating 76000000 bytes");
    expectThrown([&] { create(profile); }, 2, "allocating 12000000 bytes");
    setPageAllocator(nullptr);
    create(segments);
    create(profile);
    setPageAllocator(failingAllocator);
    expectThrown([&] { addPage(segments); }, 4, "allocating page 1 -- 76000000 bytes");
    expectThrown([&] { addPage(profile); }, 6, "allocating page 1 -- 12000000 bytes");
    setPageAllocator(nullptr);
    profile.pageCount = kMaxPages;  // as if every page were taken
    expectThrown([&] { addPage(profile); }, 5, "");
    profile.pageCount = 1;
    destroy(segments);
    destroy(profile);
    setMessageSink(nullptr);
}

// A harness that keeps pages for reuse gets every page back exactly once when a store is
// destroyed, whatever its size.
std::vector<void*> gReleased;
void* plainAllocator(std::size_t bytes) {
    return std::malloc(bytes);
}
void recordRelease(void* page) {
    gReleased.push_back(page);
    std::free(page);
}

TEST(Store, ReplacedReleaserGetsEveryPageBack) {
    gReleased.clear();
    setPageAllocator(plainAllocator);
    setPageReleaser(recordRelease);
    ProfileStore s;
    create(s);
    addPage(s);
    addPage(s);
    std::vector<void*> pages(s.pages, s.pages + s.pageCount);
    destroy(s);
    setPageReleaser(nullptr);
    setPageAllocator(nullptr);
    EXPECT_EQ(gReleased, pages);
}

}  // namespace
}  // namespace pulsepost
