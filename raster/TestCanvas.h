// A guarded pixel buffer for the raster tests.
#pragma once

#include <cstring>
#include <vector>

#include "raster/PixelView.h"

// A pixel buffer for tests, with guard bytes before and after it so that a
// stray write shows, and a recorded copy to tell written pixels from kept ones.
class TestCanvas
{
public:
    TestCanvas(int width, int height, unsigned int fill)
        : m_width(width), m_height(height), m_bytes(GUARD_BYTES * 2 + width * height * 4, GUARD_VALUE)
    {
        for (int i = 0; i < width * height; ++i)
            std::memcpy(Pixels() + i * 4, &fill, 4);
        Record();
    }

    unsigned char* Pixels() { return m_bytes.data() + GUARD_BYTES; }
    int Stride() const { return m_width * 4; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The canvas as the raster routines take it, written inside clip only.
    PixelView View(PixelRect clip) { return {Pixels(), Stride(), m_width, m_height, clip}; }
    PixelView View() { return View({0, 0, m_width, m_height}); }
    PixelImage Image() { return {Pixels(), Stride(), m_width, m_height}; }

    // The pixel as 0x00RRGGBB, or with its fourth byte.
    unsigned int At(int x, int y) const { return Word(m_bytes, x, y) & 0xFFFFFF; }
    unsigned int WordAt(int x, int y) const { return Word(m_bytes, x, y); }
    void Set(int x, int y, unsigned int value) { std::memcpy(Pixels() + (y * m_width + x) * 4, &value, 4); }

    void Record() { m_recorded = m_bytes; }
    bool Changed(int x, int y) const { return Word(m_bytes, x, y) != Word(m_recorded, x, y); }
    unsigned int RecordedAt(int x, int y) const { return Word(m_recorded, x, y) & 0xFFFFFF; }

    bool GuardsIntact() const
    {
        for (int i = 0; i < GUARD_BYTES; ++i) {
            if (m_bytes[i] != GUARD_VALUE || m_bytes[m_bytes.size() - 1 - i] != GUARD_VALUE)
                return false;
        }
        return true;
    }

    // True when no pixel outside [left, right) x [top, bottom) changed.
    bool UnchangedOutside(int left, int top, int right, int bottom) const
    {
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if ((x < left || x >= right || y < top || y >= bottom) && Changed(x, y))
                    return false;
            }
        }
        return true;
    }

private:
    static constexpr int GUARD_BYTES = 256;
    static constexpr unsigned char GUARD_VALUE = 0xA5;

    unsigned int Word(const std::vector<unsigned char>& bytes, int x, int y) const
    {
        unsigned int value;
        std::memcpy(&value, bytes.data() + GUARD_BYTES + (y * m_width + x) * 4, 4);
        return value;
    }

    int m_width;
    int m_height;
    std::vector<unsigned char> m_bytes;
    std::vector<unsigned char> m_recorded;
};
