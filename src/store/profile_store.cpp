#include "store/profile_store.h"

#include "report/message_sink.h"

namespace pulsepost {

template <>
const StoreTraits& storeTraits<ProfilePoint>() {
    static const StoreTraits traits{static_cast<int32_t>(sizeof(ProfilePoint)),
                                    MessageCode::ProfileStoreFirstPage,
                                    MessageCode::ProfileStoreFull, MessageCode::ProfileStorePage};
    return traits;
}

}  // namespace pulsepost
