#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace ovanto {

// A running hash of everything an element's picture depends on. Equal
// fingerprints at two paints mean the element would paint the same pixels.
class LookHash {
public:
    LookHash() = default;
    explicit LookHash(std::uint64_t value) : m_value(value) {}

    void add(std::uint64_t v) {
        // One multiply per value. Each step maps the state one to one, so a
        // change in any single value always changes the hash; the rotation
        // carries the high bits the multiply makes back to the low ones.
        m_value = std::rotl((m_value ^ v) * 0x9E3779B97F4A7C15ULL, 29);
    }
    void add(long double v) {
        // The value's bits, never the padding of an 80-bit value. Equal values
        // with different bits (+0 and -0, NaN payloads) only cost a repaint;
        // converting to integers instead cost more than the rest of the hash.
        const auto* bytes = reinterpret_cast<const unsigned char*>(&v);
        std::uint64_t low = 0;
        if constexpr (std::numeric_limits<long double>::digits == 64) {
            // Read as the two parts an 80-bit value is stored as: one load
            // across parts of two stores waits for both to reach the cache.
            std::uint16_t signAndExponent = 0;
            std::memcpy(&low, bytes, 8);
            std::memcpy(&signAndExponent, bytes + 8, 2);
            // Spread over the word by an odd factor: one round of mixing per value instead of two.
            add(static_cast<std::uint64_t>(low ^ (signAndExponent * 0xD6E8FEB86659FD93ULL)));
        } else {
            static_assert(sizeof(long double) % 8 == 0);
            for (std::size_t i = 0; i < sizeof(long double); i += 8) {
                std::memcpy(&low, bytes + i, 8);
                add(low);
            }
        }
    }
    void add(bool v) { add(static_cast<std::uint64_t>(v ? 0xB001 : 0xB000)); }
    void add(int v) { add(static_cast<std::uint64_t>(static_cast<std::int64_t>(v))); }

    // The element will look different at this paint whatever the hash says
    // (an animation step is due, a random value is drawn).
    void forceChange() { m_forced = true; }
    bool forced() const { return m_forced; }
    std::uint64_t value() const { return m_value; }

private:
    std::uint64_t m_value = 0x6A09E667F3BCC909ULL;
    bool m_forced = false;
};

// What the evaluated part of an element's look was computed from: the signals
// its properties read, with their values then. While they and the element's
// texts stay, that part of the look stays too and needs no evaluation.
struct LookInputs {
    struct Input {
        std::uint16_t position;
        long double value;
    };
    // Per edit: what the texts read whatever their values.
    std::uint64_t edits = ~std::uint64_t{0};
    unsigned functions = 0;
    bool drawsRandom = false;
    bool known = false; // the formulas read nothing but signals
    std::vector<std::uint16_t> fixed;
    // Per evaluation.
    std::uint32_t serial = 0; // counts the evaluations
    bool valid = false;
    std::uint8_t flags = 0;
    std::uint64_t look = 0;
    std::vector<Input> inputs;
    // The formula values the look was taken from (kept[p] false: none, or it raised).
    std::vector<long double> values;
    std::vector<std::uint8_t> kept;
};

// Bits, not values: +0 and -0 compare equal yet 1/x tells them apart. Through
// pointers: an 80-bit value passed by value goes through the x87 stack.
inline bool SameBits(const long double* a, const long double* b) {
    constexpr std::size_t kBytes = std::numeric_limits<long double>::digits == 64 ? 10 : sizeof(long double);
    return std::memcmp(a, b, kBytes) == 0;
}

// A partial repaint draws elements whose looks it has just taken: they may
// answer their formulas with the values their look was taken from. The window
// opens such a period for its plan and drawing, and closes it before any full paint.
std::uint64_t KeptValuesPeriod();
void EndKeptValuesPeriod();

// How the window may treat an element when it repaints only what changed.
// Fixed for a kind: the window asks once per element.
struct LookTraits {
    // Draw has effects beyond its pixels (sound, clips, child controls) or the
    // kind cannot tell its look: it is drawn at every paint.
    bool alwaysDraw = false;
    // Draw reads back the pixels it lies on (fills from a seed, shading walks):
    // when a damaged area meets it, it is repainted whole.
    bool readsBack = false;
    // What it paints has no known bound (a flood fill that runs to the next
    // border): any damage at all means a full paint.
    bool unbounded = false;
};

} // namespace ovanto
