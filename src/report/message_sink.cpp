#include "report/message_sink.h"

#include <cstdarg>
#include <cstdio>

#include "pulsepost/pulsepost.h"

namespace pulsepost {

namespace {
MessageSinkFn gSink = nullptr;
}

void messageSink(int32_t code, const char* text) {
    if (gSink) gSink(code, text ? text : "");
}

void messageSinkf(int32_t code, const char* format, ...) {
    if (!gSink) return;
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    gSink(code, buffer);
}

void setMessageSink(MessageSinkFn sink) {
    gSink = sink;
}

}  // namespace pulsepost

#if !defined(_WIN32)
extern "C" PULSEPOST_API void pulsepost_set_message_sink(PulsepostMessageSink sink) {
    pulsepost::setMessageSink(sink);
}
#endif
