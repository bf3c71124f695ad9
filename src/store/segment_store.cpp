#include "store/segment_store.h"

#include <cstring>

#include "report/message_sink.h"

namespace pulsepost {

template <>
const StoreTraits& storeTraits<Segment>() {
    static const StoreTraits traits{kSegmentBytes, MessageCode::SegmentStoreFirstPage,
                                    MessageCode::SegmentStoreFull, MessageCode::SegmentStorePage};
    return traits;
}

// Both walks look at the kind byte of each record where it lies in its page and copy only the
// record they stop at: the planner and the distance pass walk over every record of the store
// several times, and a whole-record copy per step would cost most of their time. The cursor ends
// exactly where a record-by-record read would leave it.

namespace {

inline bool isFeedAt(SegmentStore& store, int32_t index) {
    return slotAt(store, index).kind == SegmentKind::Feed;
}

// The record-by-record backward walk, for a cursor beyond highWater (where a read copies nothing
// and the walk therefore moves two records per step).
void stepBackRecordByRecord(SegmentStore& store, int32_t wanted) {
    Segment record{};
    int32_t counted = 0;
    while (counted < wanted) {
        if (seek(store, -1, store.cursor) != 0) break;
        read(&record, 1, store);
        seek(store, -1, store.cursor);
        if (record.kind == SegmentKind::Feed) counted += 1;
    }
}

}  // namespace

int32_t readNextFeedMove(Segment& destination, SegmentStore& store) {
    int32_t i = store.cursor;
    while (i < store.highWater && !isFeedAt(store, i))
        ++i;
    if (i < store.highWater) {
        std::memcpy(&destination, &slotAt(store, i), sizeof(Segment));
        store.cursor = i + 1;
        return 1;
    }
    if (i > store.cursor) {
        std::memcpy(&destination, &slotAt(store, i - 1), sizeof(Segment));
        store.cursor = i;
    }
    return 0;
}

void skipFeedMoves(SegmentStore& store, int32_t n) {
    if (n > 0) {
        int32_t counted = 0;
        int32_t i = store.cursor;
        while (counted < n && i < store.highWater) {
            if (isFeedAt(store, i)) counted += 1;
            ++i;
        }
        store.cursor = i;
    } else if (n < 0) {
        if (store.cursor > store.highWater) {
            stepBackRecordByRecord(store, -n);
            return;
        }
        const int32_t wanted = -n;
        int32_t counted = 0;
        int32_t i = store.cursor;
        while (counted < wanted && i > 0) {
            --i;
            if (isFeedAt(store, i)) counted += 1;
        }
        store.cursor = i;
    }
}

}  // namespace pulsepost
