#include "hosts/page_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tessaly {

namespace {

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

// The samples of one axis: `size` page pixels enlarged `factor` times and
// shown on `shown` window pixels.
std::vector<PageSample> samples(int size, int factor, int shown) {
    std::vector<PageSample> out(std::size_t(std::max(shown, 0)));
    const int enlarged = size * factor;
    for (int o = 0; o < shown; ++o) {
        const double u = (o + 0.5) * enlarged / shown - 0.5; // in enlarged pixels
        int t = int(std::floor(u));
        double frac = u - std::floor(u);
        if (t < 0) {
            t = 0;
            frac = 0;
        } else if (t >= enlarged - 1) {
            t = enlarged - 1;
            frac = 0;
        }
        int first = t / factor;
        int weight = (t + 1) / factor != first ? int(std::lround(frac * 256)) : 0;
        if (weight == 256) {
            ++first;
            weight = 0;
        }
        out[std::size_t(o)] = {int16_t(first), uint16_t(weight)};
    }
    return out;
}

// The first and last window pixel of one axis whose samples touch page
// pixels [p0, p1]; last < first when none does.
void spanOf(const std::vector<PageSample>& axis, int p0, int p1, int& first, int& last) {
    const auto touches = [&](const PageSample& s) {
        const int end = s.first + (s.weight ? 1 : 0);
        return end >= p0 && s.first <= p1;
    };
    const auto begin = std::find_if(axis.begin(), axis.end(), touches);
    const auto rend = std::find_if(axis.rbegin(), axis.rend(), touches);
    first = int(begin - axis.begin());
    last = int(axis.rend() - rend) - 1;
}

// The hot loops are built twice, for AVX2 and for any x86-64, and the one
// the processor can run is picked when the program starts.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TESSALY_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TESSALY_VECTOR_CLONES
#endif

// Pixels mixed byte by byte: out = (a * (256 - w) + b * w) / 256 with the
// weight w of each byte, which stays within 16 bits, so the loop runs on
// 16-bit vector lanes.
TESSALY_VECTOR_CLONES void mixBytes(const uint8_t* __restrict a, const uint8_t* __restrict b,
                                    const uint8_t* __restrict weights, int count,
                                    uint8_t* __restrict out) {
    for (int i = 0; i < count; ++i) {
        const uint16_t w = weights[i];
        out[i] = uint8_t((uint16_t(a[i] * (256 - w)) + uint16_t(b[i] * w)) >> 8);
    }
}

TESSALY_VECTOR_CLONES void mixBytes(const uint8_t* __restrict a, const uint8_t* __restrict b,
                                    uint16_t w, int count, uint8_t* __restrict out) {
    const uint16_t keep = uint16_t(256 - w);
    for (int i = 0; i < count; ++i)
        out[i] = uint8_t((uint16_t(a[i] * keep) + uint16_t(b[i] * w)) >> 8);
}

// Each column's two page pixels, from the row's colours.
TESSALY_VECTOR_CLONES void gather(const uint32_t* __restrict colourRow,
                                  const PageSample* __restrict columns, int width,
                                  uint32_t* __restrict left, uint32_t* __restrict right) {
    for (int i = 0; i < width; ++i) {
        left[i] = colourRow[columns[i].first];
        right[i] = colourRow[columns[i].first + 1];
    }
}

// Working rows of one drawing: the two page rows the current window row
// mixes, scaled across the drawn columns.
struct RowScaler {
    const uint8_t* page;
    const std::array<uint32_t, 256>& colours;
    const PageSample* columns;
    int width;
    bool anyWeight; // false at a whole multiple: every column shows one page pixel
    std::vector<uint32_t> colourRow = std::vector<uint32_t>(kSurfaceWidth + 1);
    std::vector<uint32_t> left = std::vector<uint32_t>(std::size_t(width));
    std::vector<uint32_t> right = std::vector<uint32_t>(std::size_t(width));
    std::vector<uint8_t> byteWeights = weights();

    std::vector<uint8_t> weights() const {
        std::vector<uint8_t> w(std::size_t(width) * 4);
        for (int i = 0; i < width; ++i)
            std::fill_n(w.begin() + 4 * i, 4, uint8_t(columns[i].weight));
        return w;
    }

    void scale(int pageRow, uint32_t* out) {
        const uint8_t* row = page + std::size_t(pageRow) * kSurfaceWidth;
        if (!anyWeight) {
            for (int i = 0; i < width; ++i) out[i] = colours[row[columns[i].first]];
            return;
        }
        for (int x = 0; x < kSurfaceWidth; ++x) colourRow[std::size_t(x)] = colours[row[x]];
        colourRow[kSurfaceWidth] = colourRow[kSurfaceWidth - 1];
        gather(colourRow.data(), columns, width, left.data(), right.data());
        mixBytes(reinterpret_cast<const uint8_t*>(left.data()),
                 reinterpret_cast<const uint8_t*>(right.data()), byteWeights.data(), 4 * width,
                 reinterpret_cast<uint8_t*>(out));
    }
};

} // namespace

PageFit fitPage(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return {};
    int w = windowWidth, h = windowHeight;
    if (int64_t(windowWidth) * kSurfaceHeight <= int64_t(windowHeight) * kSurfaceWidth) {
        h = std::max(1, int(int64_t(windowWidth) * kSurfaceHeight / kSurfaceWidth));
    } else {
        w = std::max(1, int(int64_t(windowHeight) * kSurfaceWidth / kSurfaceHeight));
    }
    return {(windowWidth - w) / 2, (windowHeight - h) / 2, w, h};
}

PagePoint windowToPage(const PageFit& fit, int wx, int wy) {
    if (fit.w <= 0 || fit.h <= 0) return {};
    const int64_t dx = int64_t(wx) - fit.x, dy = int64_t(wy) - fit.y;
    if (dx < 0 || dy < 0 || dx >= fit.w || dy >= fit.h) return {};
    return {int((2 * dx + 1) * kSurfaceWidth / (2 * int64_t(fit.w))),
            int((2 * dy + 1) * kSurfaceHeight / (2 * int64_t(fit.h)))};
}

PageScale pageScale(const PageFit& fit) {
    PageScale s;
    s.fit = fit;
    if (fit.w <= 0 || fit.h <= 0) return s;
    s.factor = std::max({1, ceilDiv(fit.w, kSurfaceWidth), ceilDiv(fit.h, kSurfaceHeight)});
    s.columns = samples(kSurfaceWidth, s.factor, fit.w);
    s.rows = samples(kSurfaceHeight, s.factor, fit.h);
    return s;
}

PixelRect pageRectInWindow(const PageScale& scale, PixelRect r) {
    if (scale.columns.empty() || scale.rows.empty() || r.empty()) return {};
    r.x0 = std::max(r.x0, 0);
    r.y0 = std::max(r.y0, 0);
    r.x1 = std::min(r.x1, kSurfaceWidth - 1);
    r.y1 = std::min(r.y1, kSurfaceHeight - 1);
    if (r.empty()) return {};
    PixelRect out;
    spanOf(scale.columns, r.x0, r.x1, out.x0, out.x1);
    spanOf(scale.rows, r.y0, r.y1, out.y0, out.y1);
    if (out.empty()) return {};
    return {out.x0 + scale.fit.x, out.y0 + scale.fit.y, out.x1 + scale.fit.x, out.y1 + scale.fit.y};
}

PixelRect drawPagePicture(const uint8_t* page, const std::array<uint32_t, 256>& colours,
                          const PageScale& scale, PixelRect pageRect, const PixelTarget& target) {
    PixelRect out = pageRectInWindow(scale, pageRect);
    if (out.empty() || !target.pixels) return {};
    out.x0 = std::max(out.x0, 0);
    out.y0 = std::max(out.y0, 0);
    out.x1 = std::min(out.x1, target.width - 1);
    out.y1 = std::min(out.y1, target.height - 1);
    if (out.empty()) return {};

    const PageFit& fit = scale.fit;
    const int width = out.x1 - out.x0 + 1;
    const PageSample* columns = scale.columns.data() + (out.x0 - fit.x);
    RowScaler scaler{page, colours, columns, width,
                     std::any_of(columns, columns + width, [](PageSample c) { return c.weight; })};
    // The two page rows the current window row mixes, scaled across; rows go
    // down the page, so each page row is scaled once.
    std::vector<uint32_t> upper(static_cast<std::size_t>(width)), lower(upper.size());
    int upperRow = -1, lowerRow = -1;
    const auto scaled = [&](int pageRow, std::vector<uint32_t>& buffer, int& held) {
        if (held != pageRow) {
            scaler.scale(pageRow, buffer.data());
            held = pageRow;
        }
        return buffer.data();
    };
    for (int oy = out.y0; oy <= out.y1; ++oy) {
        uint32_t* dst = target.pixels + std::size_t(oy) * std::size_t(target.pitch) + out.x0;
        const PageSample s = scale.rows[std::size_t(oy - fit.y)];
        if (lowerRow == s.first) { // the rows moved on by one: reuse the lower one
            std::swap(upper, lower);
            std::swap(upperRow, lowerRow);
        }
        const uint32_t* a = scaled(s.first, upper, upperRow);
        if (s.weight == 0) {
            std::memcpy(dst, a, std::size_t(width) * sizeof(uint32_t));
            continue;
        }
        const uint32_t* b = scaled(s.first + 1, lower, lowerRow);
        mixBytes(reinterpret_cast<const uint8_t*>(a), reinterpret_cast<const uint8_t*>(b), s.weight,
                 4 * width, reinterpret_cast<uint8_t*>(dst));
    }
    return out;
}

} // namespace tessaly
