#include "readback/motion_readback.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "geometry/segment.h"
#include "platform/files.h"

namespace pulsepost {

namespace {

const char* const kAxisNames[4] = {"X", "Y", "Z", "A"};
constexpr int64_t kNoChunk = std::numeric_limits<int64_t>::max();
// pulses: an output's position must stay strictly inside the 32-bit range it is counted in.
constexpr double kPulseLimit = 2147483647.0;

// Theory of operation.
//
// The CM stream holds, for every tick, one step word per enabled motor output. Summing the
// deltas gives each output's pulse position; dividing by the output's signed scale gives the
// coordinate of the axis it carries. The BRK stream says where in the CM stream everything else
// happens: a chunk record of n bytes ends a stretch of motion n bytes after the previous one,
// and the rapid moves and events that follow it happen at that point, before the next tick.
// A rapid move is not in the CM stream: the controller runs it on its own, and the next words
// continue from the pulse position of its end point. So the walk interleaves the two streams:
//
//   BRK:  [rapid][event] [chunk n1] [event] [chunk n2] [rapid] ... [chunk nk] [event] FF
//   CM:   |---- n1 bytes ----|-- n2 bytes --| ...  |-- nk bytes --|
//
// and checks on the way that every chunk ends on a tick boundary, that the chunks add up to the
// CM length, that no tick is cut short and that the tick count is the header's.
struct Walker {
    const BrkStream& brk;
    const OutputLayout& layout;
    MotionSummary& summary;
    const MotionObserver* observer;
    ReadbackError& error;

    Walker(const BrkStream& b, const OutputLayout& l, MotionSummary& s, const MotionObserver* o,
           ReadbackError& e)
        : brk(b),
          layout(l),
          summary(s),
          observer(o),
          error(e),
          history(static_cast<std::size_t>(
                      std::max(2 * kRateWindowTicks,
                               *std::max_element(s.rateWindowTicks, s.rateWindowTicks + 4))) +
                  1) {}

    int32_t pulses[4] = {0, 0, 0, 0};  // by motor output
    double held[4] = {0, 0, 0, 0};     // units: axes not driven by an output keep these
    Vec4 position;
    int64_t tick = 0;
    std::size_t nextEntry = 0;
    int64_t coveredBytes = 0;   // CM bytes up to the end of the last chunk
    std::vector<Vec4> history;  // the last positions, a ring over the longest window
    int64_t historyCount = 0;   // samples since the last jump (rapid or start)

    Vec4 positionFromPulses() const {
        double p[4] = {held[0], held[1], held[2], held[3]};
        for (int k = 0; k < 4; ++k) {
            if (layout.enabled[k]) p[layout.axis[k]] = pulses[k] * layout.sign[k] / layout.scale[k];
        }
        return Vec4(p[0], p[1], p[2], p[3]);
    }

    void touchBounds(const Vec4& p) {
        for (int a = 0; a < 4; ++a) {
            summary.axes[a].min = std::min(summary.axes[a].min, p[a]);
            summary.axes[a].max = std::max(summary.axes[a].max, p[a]);
        }
    }

    void restartRates() {
        historyCount = 0;
        history[0] = position;
        historyCount = 1;
    }

    const Vec4& sampleAgo(int64_t ticksAgo) const {
        return history[static_cast<std::size_t>(historyCount - 1 - ticksAgo) % history.size()];
    }

    // Each axis's speed over its rate window (shorter just after a jump); the speed is the
    // length of that vector. The acceleration is the second difference over two windows of
    // kRateWindowTicks: over longer windows a coarse axis would hide a short ramp rather than
    // measure it.
    double measureRates() {
        history[static_cast<std::size_t>(historyCount) % history.size()] = position;
        ++historyCount;
        double speedSquared = 0.0;
        for (int a = 0; a < 4; ++a) {
            const int64_t span = std::min<int64_t>(historyCount - 1, summary.rateWindowTicks[a]);
            if (span == 0) continue;
            const double speed =
                (position[a] - sampleAgo(span)[a]) * kTicksPerSecond / static_cast<double>(span);
            speedSquared += speed * speed;
        }
        const double speed = std::sqrt(speedSquared);
        if (speed > summary.highestSpeed) {
            summary.highestSpeed = speed;
            summary.highestSpeedTick = tick;
        }
        if (historyCount - 1 >= 2 * kRateWindowTicks) {
            const Vec4 mid = sampleAgo(kRateWindowTicks);
            const Vec4 old = sampleAgo(2 * kRateWindowTicks);
            const Vec4 second = add(subtract(position, scale(2.0, mid)), old);
            const double perWindow = kTicksPerSecond / kRateWindowTicks;
            const double acceleration = length(second) * perWindow * perWindow;
            if (acceleration > summary.highestAcceleration) {
                summary.highestAcceleration = acceleration;
                summary.highestAccelerationTick = tick;
            }
        }
        return speed;
    }

    int32_t rapid(const BrkEntry& e) {
        RapidMove move;
        move.tick = tick;
        move.from = position;
        move.to = e.end;
        move.length = e.length;
        move.speed = e.speed;
        for (int k = 0; k < 4; ++k) {
            if (!layout.enabled[k]) continue;
            const int a = layout.axis[k];
            const double target = layout.sign[k] * e.end[a] * layout.scale[k];
            if (!(std::fabs(target) < kPulseLimit)) {
                return readbackFailure(error, "BRK", e.offset,
                                       "a rapid move ends at %g pulses on output %d; expected a "
                                       "pulse position within 32 bits",
                                       target, k);
            }
            pulses[k] = static_cast<int32_t>(roundHalfAway(target));
        }
        for (int a = 0; a < 4; ++a)
            held[a] = e.end[a];
        position = positionFromPulses();
        for (int a = 0; a < 4; ++a)
            summary.axes[a].travel += std::fabs(position[a] - move.from[a]);
        touchBounds(position);
        summary.rapidCount += 1;
        restartSteps(summary.stepLimits);
        summary.rapidTravel += e.length;
        if (e.speed > 0.0) summary.rapidSeconds += e.length / e.speed;
        restartRates();
        if (observer && observer->onRapid) observer->onRapid(observer->context, move);
        return 0;
    }

    void event(const BrkEntry& e) {
        MotionEvent ev;
        ev.tick = tick;
        ev.position = position;
        ev.entry = e;
        ev.text = describeBrkEntry(e);
        summary.events.push_back(ev);
        if (observer && observer->onEvent) observer->onEvent(observer->context, ev);
    }

    // The rapid moves and events up to the next chunk record.
    int32_t runPointEntries() {
        while (nextEntry < brk.entries.size() && !brk.entries[nextEntry].isChunk()) {
            const BrkEntry& e = brk.entries[nextEntry++];
            if (e.kind == static_cast<uint8_t>(SegmentKind::Rapid)) {
                if (rapid(e) != 0) return -1;
            } else {
                event(e);
            }
        }
        return 0;
    }

    // CM offset at which the next chunk ends, or kNoChunk when no chunk is left.
    int64_t nextChunkEnd() const {
        if (nextEntry >= brk.entries.size()) return kNoChunk;
        return coveredBytes + brk.entries[nextEntry].chunkBytes;
    }

    int32_t finishChunk() {
        const BrkEntry& chunk = brk.entries[nextEntry++];
        coveredBytes += chunk.chunkBytes;
        ChunkEnd end;
        end.bytes = chunk.chunkBytes;
        end.tick = tick;
        end.position = position;
        const int32_t index = summary.chunkCount++;
        if (chunk.chunkBytes > summary.largestChunkBytes) {
            summary.largestChunkBytes = chunk.chunkBytes;
            summary.largestChunkIndex = index;
        }
        summary.chunkEnds.push_back(end);
        if (observer && observer->onChunkEnd) observer->onChunkEnd(observer->context, index, end);
        return runPointEntries();
    }

    int32_t applyTick(const DecodedStepWord* words) {
        ++tick;
        TickSample sample;
        sample.tick = tick;
        const Vec4 before = position;
        int32_t steps[4] = {0, 0, 0, 0};
        int w = 0;
        for (int k = 0; k < 4; ++k) {
            if (!layout.enabled[k]) continue;
            const DecodedStepWord& word = words[w++];
            const int64_t next = static_cast<int64_t>(pulses[k]) + word.delta;
            if (!(std::fabs(static_cast<double>(next)) < kPulseLimit)) {
                return readbackFailure(error, "CM", -1,
                                       "output %d leaves the countable range at tick %lld; "
                                       "expected a pulse position within 32 bits",
                                       k, static_cast<long long>(tick));
            }
            pulses[k] = static_cast<int32_t>(next);
            steps[k] = word.delta;
            const int32_t magnitude = word.delta < 0 ? -word.delta : word.delta;
            if (magnitude > summary.largestStep[k]) {
                summary.largestStep[k] = magnitude;
                summary.largestStepTick[k] = tick;
            }
            if (word.mark) sample.marked = true;
        }
        position = positionFromPulses();
        checkTickSteps(summary.stepLimits, tick, steps, layout.axis, position);
        for (int a = 0; a < 4; ++a)
            summary.axes[a].travel += std::fabs(position[a] - before[a]);
        touchBounds(position);
        sample.speed = measureRates();
        for (int k = 0; k < 4; ++k)
            sample.pulses[k] = pulses[k];
        sample.position = position;
        if (sample.marked) recordMarks(words);
        if (observer && observer->onTick) observer->onTick(observer->context, sample);
        return 0;
    }

    void recordMarks(const DecodedStepWord* words) {
        int w = 0;
        for (int k = 0; k < 4; ++k) {
            if (!layout.enabled[k]) continue;
            if (words[w++].mark) {
                MotionEvent ev;
                ev.tick = tick;
                ev.position = position;
                ev.isMark = true;
                ev.markOutput = k;
                ev.text = "output event mark";
                summary.markCount += 1;
                summary.events.push_back(ev);
                if (observer && observer->onEvent) observer->onEvent(observer->context, ev);
            }
        }
    }
};

int32_t walkTicks(Walker& w, StepSource& cm) {
    const OutputLayout& layout = w.layout;
    DecodedStepWord words[4];
    for (;;) {
        const int64_t tickStart = cm.offset;
        while (tickStart == w.nextChunkEnd()) {
            if (w.finishChunk() != 0) return -1;
        }
        const int64_t chunkEnd = w.nextChunkEnd();
        if (tickStart > chunkEnd) {
            const BrkEntry& chunk = w.brk.entries[w.nextEntry];
            return readbackFailure(w.error, "BRK", chunk.offset,
                                   "chunk %d ends at CM byte %lld, inside tick %lld (bytes "
                                   "%lld..%lld); expected a chunk to end between two ticks",
                                   w.summary.chunkCount + 1, static_cast<long long>(chunkEnd),
                                   static_cast<long long>(w.tick),
                                   static_cast<long long>(tickStart - 1),
                                   static_cast<long long>(chunkEnd));
        }
        for (int i = 0; i < layout.wordsPerTick; ++i) {
            const int64_t wordStart = cm.offset;
            const int32_t got = readStepWord(cm, words[i]);
            if (got == 1) continue;
            if (got == 0 && i == 0) return 0;  // the clean end of the stream
            if (got < 0) {
                return readbackFailure(w.error, "CM", wordStart,
                                       "the stream ends inside a two-byte step word of tick "
                                       "%lld; expected its second byte",
                                       static_cast<long long>(w.tick) + 1);
            }
            return readbackFailure(w.error, "CM", wordStart,
                                   "the stream ends inside tick %lld after %d of its %d step "
                                   "words; expected one word per enabled output",
                                   static_cast<long long>(w.tick) + 1, i, layout.wordsPerTick);
        }
        if (w.applyTick(words) != 0) return -1;
    }
}

// The header, the CM length and the chunks must describe the same stream.
int32_t checkTotals(Walker& w, int64_t cmBytes) {
    while (cmBytes == w.nextChunkEnd()) {
        if (w.finishChunk() != 0) return -1;
    }
    if (w.nextEntry < w.brk.entries.size()) {
        const BrkEntry& chunk = w.brk.entries[w.nextEntry];
        return readbackFailure(w.error, "BRK", chunk.offset,
                               "chunk %d ends at CM byte %lld, but the CM stream holds %lld "
                               "bytes; expected the chunks to add up to the CM length",
                               w.summary.chunkCount + 1, static_cast<long long>(w.nextChunkEnd()),
                               static_cast<long long>(cmBytes));
    }
    if (w.coveredBytes != cmBytes) {
        return readbackFailure(w.error, "CM", w.coveredBytes,
                               "the chunks cover %lld bytes, but the CM stream holds %lld; "
                               "expected the chunks to add up to the CM length",
                               static_cast<long long>(w.coveredBytes),
                               static_cast<long long>(cmBytes));
    }
    if (w.tick != w.brk.tickCount) {
        return readbackFailure(w.error, "CM", cmBytes,
                               "the stream holds %lld ticks; the BRK header says %d",
                               static_cast<long long>(w.tick), w.brk.tickCount);
    }
    return 0;
}

}  // namespace

int32_t buildOutputLayout(uint8_t outputByte, const MotionScale& scale, OutputLayout& layout,
                          ReadbackError& error) {
    layout = OutputLayout{};
    for (int k = 0; k < 4; ++k) {
        const int axis = (scale.swapXY != 0 && k < 2) ? 1 - k : k;
        layout.axis[k] = axis;
        layout.enabled[k] = ((outputByte >> k) & 1) != 0;
        layout.sign[k] = ((outputByte >> (4 + k)) & 1) ? -1 : 1;
        layout.scale[k] = std::fabs(scale.stepsPerUnit[axis]);
        const bool configured = scale.stepsPerUnit[axis] != 0.0 && std::isfinite(layout.scale[k]);
        if (layout.enabled[k] != configured) {
            return readbackFailure(error, "configuration", -1,
                                   "the BRK output byte 0x%02X %s output %d, but the "
                                   "configuration gives axis %s %g pulses per unit",
                                   outputByte, layout.enabled[k] ? "enables" : "disables", k,
                                   kAxisNames[axis], scale.stepsPerUnit[axis]);
        }
        if (layout.enabled[k]) layout.wordsPerTick += 1;
    }
    return 0;
}

int32_t walkMotion(const BrkStream& brk, StepSource& cm, const MotionScale& scale,
                   MotionSummary& summary, ReadbackError& error, const MotionObserver* observer) {
    summary = MotionSummary{};
    summary.hasMotion = brk.hasMotion;
    summary.headerTicks = brk.tickCount;
    summary.brkBytes = brk.size;
    summary.maxZ = brk.maxZ;
    summary.outputByte = brk.outputByte;
    if (brk.hasMotion && buildOutputLayout(brk.outputByte, scale, summary.layout, error) != 0) {
        return -1;
    }
    for (int k = 0; k < 4; ++k) {
        if (summary.layout.enabled[k]) summary.axes[summary.layout.axis[k]].enabled = true;
    }
    setStepBounds(summary.stepLimits, summary.layout.scale, scale.topSpeed, scale.acceleration);
    for (int k = 0; k < 4; ++k) {
        if (!summary.layout.enabled[k]) continue;
        const double pulsesPerUnit = std::fabs(summary.layout.scale[k]);
        const double factor =
            pulsesPerUnit > 0.0 ? std::ceil(kFineRatePulsesPerUnit / pulsesPerUnit) : 1.0;
        summary.rateWindowTicks[summary.layout.axis[k]] =
            kRateWindowTicks *
            static_cast<int32_t>(std::clamp(factor, 1.0, double{kMaxRateWindowFactor}));
    }
    Walker w(brk, summary.layout, summary, observer, error);
    w.restartRates();
    if (w.runPointEntries() != 0) return -1;

    if (!brk.hasMotion || summary.layout.wordsPerTick == 0) {
        DecodedStepWord word;
        if (readStepWord(cm, word) != 0) {
            return readbackFailure(error, "CM", 0,
                                   brk.hasMotion ? "the BRK header enables no output; expected "
                                                   "an empty CM stream"
                                                 : "the BRK stream has no motion; expected an "
                                                   "empty CM stream");
        }
        // With no output enabled the ticks carry no words: they pass without motion.
        if (brk.hasMotion) w.tick = brk.tickCount;
    } else if (walkTicks(w, cm) != 0) {
        return -1;
    }
    summary.cmBytes = cm.offset;
    if (checkTotals(w, summary.cmBytes) != 0) return -1;

    summary.ticks = w.tick;
    summary.motionSeconds = static_cast<double>(w.tick) / kTicksPerSecond;
    summary.finalPosition = w.position;
    for (int a = 0; a < 4; ++a)
        summary.axes[a].final = w.position[a];
    return 0;
}

namespace {

int32_t openBeside(const char* programPath, const char* extension, char (&path)[kPathLimit + 1],
                   ReadbackError& error) {
    if (!outputPath(path, programPath, extension)) {
        return readbackFailure(error, extension, -1,
                               "the file name for %s does not fit %d characters", programPath,
                               kPathLimit);
    }
    return 0;
}

void checkAgainstLim(const Readback& r, std::vector<std::string>& findings) {
    // The bounds cover every end point and arc extreme; the motion between them may pass no
    // farther out than the rounding of one pulse (and the six decimals of the file).
    const double bounds[3][2] = {
        {r.lim.minX, r.lim.maxX}, {r.lim.minY, r.lim.maxY}, {r.lim.minZ, r.lim.maxZ}};
    const MotionSummary& m = r.motion;
    for (int a = 0; a < 3; ++a) {
        if (!m.axes[a].enabled) continue;
        double pulse = 0.0;
        for (int k = 0; k < 4; ++k) {
            if (m.layout.enabled[k] && m.layout.axis[k] == a) pulse = 1.0 / m.layout.scale[k];
        }
        const double slack = pulse + 1e-6;
        char text[200];
        if (m.axes[a].min < bounds[a][0] - slack) {
            std::snprintf(text, sizeof text, "%s goes to %s, below the LIM minimum %s",
                          kAxisNames[a], messageNumber(m.axes[a].min).c_str(),
                          messageNumber(bounds[a][0]).c_str());
            findings.push_back(text);
        }
        if (m.axes[a].max > bounds[a][1] + slack) {
            std::snprintf(text, sizeof text, "%s goes to %s, above the LIM maximum %s",
                          kAxisNames[a], messageNumber(m.axes[a].max).c_str(),
                          messageNumber(bounds[a][1]).c_str());
            findings.push_back(text);
        }
    }
}

}  // namespace

int32_t readbackProgram(const char* programPath, const MotionScale& scale, Readback& out,
                        ReadbackError& error, const MotionObserver* observer) {
    out = Readback{};
    char brkPath[kPathLimit + 1];
    char cmPath[kPathLimit + 1];
    char limPath[kPathLimit + 1];
    char evPath[kPathLimit + 1];
    if (openBeside(programPath, "BRK", brkPath, error) != 0 ||
        openBeside(programPath, "CM", cmPath, error) != 0 ||
        openBeside(programPath, "LIM", limPath, error) != 0 ||
        openBeside(programPath, "EV", evPath, error) != 0) {
        return -1;
    }

    std::string brkBytes;
    if (!readWholeFile(brkPath, brkBytes)) {
        return readbackFailure(error, "BRK", -1, "%s cannot be opened", brkPath);
    }
    if (decodeBreakStream(reinterpret_cast<const uint8_t*>(brkBytes.data()), brkBytes.size(),
                          out.brk, error) != 0) {
        return -1;
    }

    std::string text;
    if (readWholeFile(limPath, text)) {
        if (parseLimText(text, out.lim, error) != 0) return -1;
        out.hasLim = true;
    }
    if (readWholeFile(evPath, text)) {
        if (parseEvText(text, out.ev, error) != 0) return -1;
        out.hasEv = true;
    }

    FILE* cm = std::fopen(cmPath, "rb");
    if (cm == nullptr) return readbackFailure(error, "CM", -1, "%s cannot be opened", cmPath);
    StepSource source = stepSourceFromFile(cm);
    const int32_t walked = walkMotion(out.brk, source, scale, out.motion, error, observer);
    std::fclose(cm);
    if (walked != 0) return -1;

    if (out.hasLim && out.brk.hasMotion && std::fabs(out.lim.maxZ - out.brk.maxZ) > 1e-6) {
        return readbackFailure(
            error, "BRK", 5, "maxZ %s in the header, %s in LIM line 5; expected the same",
            messageNumber(out.brk.maxZ).c_str(), messageNumber(out.lim.maxZ).c_str());
    }
    if (out.hasLim) checkAgainstLim(out, out.findings);
    appendStepFindings(out.motion.stepLimits, out.findings);
    int32_t mark = 0;
    for (MotionEvent& ev : out.motion.events) {
        if (!ev.isMark) continue;
        if (static_cast<std::size_t>(mark) < out.ev.size()) {
            const EvLine& line = out.ev[static_cast<std::size_t>(mark)];
            char note[64];
            std::snprintf(note, sizeof note, " (%s,%d,%d)", line.on ? "ONAT" : "OFFAT", line.at,
                          line.out);
            ev.text += note;
        }
        ++mark;
    }
    if (out.hasEv && static_cast<std::size_t>(out.motion.markCount) < out.ev.size()) {
        out.findings.push_back(std::to_string(out.ev.size()) + " EV lines, but " +
                               std::to_string(out.motion.markCount) +
                               " output event marks in the CM stream");
    }
    return 0;
}

}  // namespace pulsepost
