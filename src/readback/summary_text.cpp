#include "readback/summary_text.h"
#include "readback/append_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace pulsepost {

namespace {

const char* const kAxisNames[4] = {"X", "Y", "Z", "A"};

double secondsAt(int64_t tick) {
    return static_cast<double>(tick) / kTicksPerSecond;
}

}  // namespace

std::string formatReadbackSummary(const Readback& r, const std::string& programPath,
                                  int maxEvents) {
    const MotionSummary& m = r.motion;
    std::string out;
    appendf(out, "program      %s\n", programPath.c_str());
    appendf(out, "streams      valid: CM %lld bytes, BRK %lld bytes, LIM %s, EV %s\n",
            static_cast<long long>(m.cmBytes), static_cast<long long>(m.brkBytes),
            r.hasLim ? "read" : "missing",
            r.hasEv ? (std::to_string(r.ev.size()) + " lines").c_str() : "missing");
    if (!m.hasMotion) {
        appendf(out, "motion       none (events only)\n");
    } else {
        appendf(out, "motion       %.3f s, %lld ticks at 643 per second\n", m.motionSeconds,
                static_cast<long long>(m.ticks));
        appendf(out, "outputs      byte 0x%02X:", m.outputByte);
        for (int k = 0; k < 4; ++k) {
            if (!m.layout.enabled[k]) continue;
            appendf(out, "  %d = %s%s (%.6g pulses/unit)", k, m.layout.sign[k] < 0 ? "-" : "+",
                    kAxisNames[m.layout.axis[k]], m.layout.scale[k]);
        }
        out += "\n";
        appendf(out, "chunks       %d, largest #%d with %d bytes\n", m.chunkCount,
                m.largestChunkIndex + 1, m.largestChunkBytes);
    }
    appendf(out, "rapids       %d, %.4f units, %.3f s at their recorded speeds\n", m.rapidCount,
            m.rapidTravel, m.rapidSeconds);
    out += "axis         travel        min          max          final\n";
    for (int a = 0; a < 4; ++a) {
        if (!m.axes[a].enabled) continue;
        appendf(out, "  %s      %12.4f %12.4f %12.4f %12.4f\n", kAxisNames[a], m.axes[a].travel,
                m.axes[a].min, m.axes[a].max, m.axes[a].final);
    }
    if (r.hasLim) {
        appendf(out, "LIM bounds   X %.4f .. %.4f, Y %.4f .. %.4f, Z %.4f .. %.4f\n", r.lim.minX,
                r.lim.maxX, r.lim.minY, r.lim.maxY, r.lim.minZ, r.lim.maxZ);
    }
    if (m.hasMotion) {
        out += "largest step per tick:";
        for (int k = 0; k < 4; ++k) {
            if (!m.layout.enabled[k]) continue;
            appendf(out, "  output %d (%s) %d pulses at %.3f s", k, kAxisNames[m.layout.axis[k]],
                    m.largestStep[k], secondsAt(m.largestStepTick[k]));
        }
        out += "\n";
        appendf(out, "highest speed        %.4f units/s (%.2f units/min) at %.3f s", m.highestSpeed,
                perMinute(m.highestSpeed), secondsAt(m.highestSpeedTick));
        for (int a = 0; a < 4; ++a) {
            if (m.rateWindowTicks[a] == kRateWindowTicks) continue;
            appendf(out, " (%s over %d-tick windows: coarse pulses)", kAxisNames[a],
                    m.rateWindowTicks[a]);
        }
        out += "\n";
        appendf(out, "highest acceleration %.3f units/s^2 at %.3f s (over %d-tick windows",
                m.highestAcceleration, secondsAt(m.highestAccelerationTick), kRateWindowTicks);
        // What one pulse of a coarse axis adds to a second difference over those windows.
        const double perWindow = kTicksPerSecond / kRateWindowTicks;
        for (int k = 0; k < 4; ++k) {
            const int a = m.layout.axis[k];
            if (!m.layout.enabled[k] || m.rateWindowTicks[a] == kRateWindowTicks) continue;
            appendf(out, "; a pulse of %s weighs %.1f units/s^2 in them", kAxisNames[a],
                    perWindow * perWindow / std::fabs(m.layout.scale[k]));
        }
        out += ")\n";
    }
    appendf(out, "events       %zu (%d output event marks)\n", m.events.size(), m.markCount);
    int shown = 0;
    for (const MotionEvent& ev : m.events) {
        if (shown++ == maxEvents) {
            appendf(out, "  ... %zu more\n", m.events.size() - static_cast<std::size_t>(maxEvents));
            break;
        }
        appendf(out, "  %10.3f s  X%.4f Y%.4f Z%.4f  %s\n", secondsAt(ev.tick), ev.position.x,
                ev.position.y, ev.position.z, ev.text.c_str());
    }
    if (r.findings.empty()) {
        out += "findings     none\n";
    } else {
        appendf(out, "findings     %zu\n", r.findings.size());
        for (const std::string& f : r.findings)
            appendf(out, "  %s\n", f.c_str());
    }
    return out;
}

}  // namespace pulsepost
