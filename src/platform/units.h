// Units and rates shared by every layer, the readback included: the tick rate of the pulse
// stream, and the conversion between the per-minute figures of the configuration, the F words
// and the reports and the per-second figures the conversion works in.
#pragma once

namespace pulsepost {

constexpr double kTicksPerSecond = 643.0;  // ticks of the CM stream per second
constexpr double kSecondsPerMinute = 60.0;

// Per minute to per second as a factor: every speed the conversion works with is the per-minute
// figure times this factor (not divided by 60), bit for bit as the controller computes it.
constexpr double kPerMinuteToPerSecond = 1.0 / kSecondsPerMinute;
static_assert(kPerMinuteToPerSecond == 0.016666666666666666);

// Units per minute to units per second.
constexpr double perSecond(double perMinute) {
    return perMinute * kPerMinuteToPerSecond;
}

// Units per second to units per minute.
constexpr double perMinute(double perSecond) {
    return perSecond * kSecondsPerMinute;
}

}  // namespace pulsepost
