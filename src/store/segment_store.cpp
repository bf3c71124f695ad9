#include "store/segment_store.h"

#include "entry/message_sink.h"

namespace pulsepost {

template <>
const StoreTraits& storeTraits<Segment>() {
    static const StoreTraits traits{static_cast<int32_t>(sizeof(Segment)),
                                    MessageCode::SegmentStoreFirstPage,
                                    MessageCode::SegmentStoreFull, MessageCode::SegmentStorePage};
    return traits;
}

int32_t readNextFeedMove(Segment& destination, SegmentStore& store) {
    while (read(&destination, 1, store) == 1) {
        if (destination.kind == SegmentKind::Feed) return 1;
    }
    return 0;
}

void skipFeedMoves(SegmentStore& store, int32_t n) {
    Segment record{};
    if (n > 0) {
        int32_t counted = 0;
        while (counted < n && read(&record, 1, store) == 1) {
            if (record.kind == SegmentKind::Feed) counted += 1;
        }
    } else if (n < 0) {
        const int32_t wanted = -n;
        int32_t counted = 0;
        while (counted < wanted) {
            if (seek(store, -1, store.cursor) != 0) break;
            read(&record, 1, store);
            seek(store, -1, store.cursor);
            if (record.kind == SegmentKind::Feed) counted += 1;
        }
    }
}

}  // namespace pulsepost
