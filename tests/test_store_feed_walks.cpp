// The feed-move walks of the segment store end exactly where reading the store record by record
// ends: same cursor, same byte offset, same record handed back, for every starting cursor
// (also beyond the records written) and every step count.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "store/segment_store.h"

namespace pulsepost {
namespace {

// The walks as plain record-by-record reads and seeks.
int32_t referenceReadNextFeedMove(Segment& destination, SegmentStore& store) {
    while (read(&destination, 1, store) == 1) {
        if (destination.kind == SegmentKind::Feed) return 1;
    }
    return 0;
}

void referenceSkipFeedMoves(SegmentStore& store, int32_t n) {
    Segment record{};
    int32_t counted = 0;
    if (n > 0) {
        while (counted < n && read(&record, 1, store) == 1) {
            if (record.kind == SegmentKind::Feed) counted += 1;
        }
    } else if (n < 0) {
        while (counted < -n) {
            if (seek(store, -1, store.cursor) != 0) break;
            read(&record, 1, store);
            seek(store, -1, store.cursor);
            if (record.kind == SegmentKind::Feed) counted += 1;
        }
    }
}

TEST(FeedMoveWalks, EndWhereRecordByRecordReadingEnds) {
    SegmentStore store;
    create(store);
    std::mt19937 random(11);
    const SegmentKind kinds[] = {SegmentKind::Feed, SegmentKind::Rapid, SegmentKind::Pause,
                                 SegmentKind::Placeholder, SegmentKind::Feed};
    for (int trial = 0; trial < 300; ++trial) {
        rewind(store);
        store.highWater = 0;
        const int32_t records = static_cast<int32_t>(random() % 40);
        for (int32_t i = 0; i < records; ++i) {
            Segment s;
            s.kind = kinds[random() % 5];
            s.length = i;  // tells the records apart
            write(&s, 1, store);
        }
        for (int32_t start = 0; start <= records + 3; ++start) {
            for (int32_t n = -4; n <= 4; ++n) {
                seek(store, 0, start);
                referenceSkipFeedMoves(store, n);
                const int32_t wantCursor = store.cursor;
                seek(store, 0, start);
                skipFeedMoves(store, n);
                ASSERT_EQ(store.cursor, wantCursor)
                    << records << " records, from " << start << " by " << n;
            }
            Segment want;
            want.length = -1.0;
            Segment got = want;
            seek(store, 0, start);
            const int32_t wantFound = referenceReadNextFeedMove(want, store);
            const int32_t wantCursor = store.cursor;
            seek(store, 0, start);
            ASSERT_EQ(readNextFeedMove(got, store), wantFound);
            ASSERT_EQ(store.cursor, wantCursor);
            ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << "from " << start;
        }
    }
    destroy(store);
}

}  // namespace
}  // namespace pulsepost
