#include "jpeg_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>

namespace pictures {
namespace {

// Huffman tables of the JPEG standard (ITU T.81 Annex K.3) for luminance;
// used for all three components.
constexpr std::array<std::uint8_t, 16> kDcCounts{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 12> kDcSymbols{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr std::array<std::uint8_t, 16> kAcCounts{0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
constexpr std::array<std::uint8_t, 162> kAcSymbols{
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71,
    0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72,
    0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37,
    0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
    0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3,
    0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
    0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
    0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

struct Code {
    std::uint16_t bits = 0;
    std::uint8_t length = 0;
};

// Canonical codes from the counts per length (ITU T.81 Annex C).
std::array<Code, 256> buildCodes(std::span<const std::uint8_t, 16> counts, std::span<const std::uint8_t> symbols) {
    std::array<Code, 256> codes{};
    std::uint16_t code = 0;
    std::size_t k = 0;
    for (std::uint8_t length = 1; length <= 16; ++length) {
        for (int i = 0; i < counts[length - 1]; ++i) codes[symbols[k++]] = {code++, length};
        code = static_cast<std::uint16_t>(code << 1);
    }
    return codes;
}

// Position in the 8 x 8 block (row * 8 + column) of each zigzag index.
std::array<int, 64> zigzagOrder() {
    std::array<int, 64> order{};
    int index = 0;
    for (int diagonal = 0; diagonal < 15; ++diagonal) {
        const int first = std::max(0, diagonal - 7);
        const int last = std::min(diagonal, 7);
        for (int i = first; i <= last; ++i) {
            // Even diagonals run up and to the right, odd ones down and left.
            const int row = diagonal % 2 == 0 ? diagonal - i : i;
            order[static_cast<std::size_t>(index++)] = row * 8 + (diagonal - row);
        }
    }
    return order;
}

class BitWriter {
public:
    explicit BitWriter(QByteArray& out) : out_(out) {}

    void put(std::uint32_t bits, int length) {
        for (int i = length - 1; i >= 0; --i) {
            current_ = static_cast<std::uint8_t>((current_ << 1) | ((bits >> i) & 1U));
            if (++filled_ == 8) flushByte();
        }
    }
    void put(Code code) { put(code.bits, code.length); }

    // Pads the last byte with one bits.
    void finish() {
        while (filled_ != 0) put(1, 1);
    }

private:
    void flushByte() {
        out_.append(static_cast<char>(current_));
        if (current_ == 0xff) out_.append('\0');
        current_ = 0;
        filled_ = 0;
    }

    QByteArray& out_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

// Size category of a coefficient and its bits as JPEG stores them.
std::pair<int, std::uint32_t> magnitude(int value) {
    const int absolute = std::abs(value);
    int size = 0;
    while ((absolute >> size) != 0) ++size;
    const int stored = value < 0 ? value + (1 << size) - 1 : value;
    return {size, static_cast<std::uint32_t>(stored)};
}

void appendU16(QByteArray& out, int value) {
    out.append(static_cast<char>((value >> 8) & 0xff));
    out.append(static_cast<char>(value & 0xff));
}

void appendMarker(QByteArray& out, std::uint8_t marker) {
    out.append(static_cast<char>(0xff));
    out.append(static_cast<char>(marker));
}

void appendHuffmanTable(QByteArray& out, int tableClass, std::span<const std::uint8_t, 16> counts,
                        std::span<const std::uint8_t> symbols) {
    appendMarker(out, 0xc4);
    appendU16(out, static_cast<int>(2 + 1 + 16 + symbols.size()));
    out.append(static_cast<char>(tableClass << 4));  // table 0
    for (std::uint8_t count : counts) out.append(static_cast<char>(count));
    for (std::uint8_t symbol : symbols) out.append(static_cast<char>(symbol));
}

}  // namespace

QByteArray encodeJpeg(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();

    QByteArray out;
    appendMarker(out, 0xd8);  // SOI
    appendMarker(out, 0xe0);  // APP0: JFIF 1.01, no density, no thumbnail
    appendU16(out, 16);
    out.append("JFIF", 5);
    out.append("\x01\x01\x00\x00\x01\x00\x01\x00\x00", 9);
    appendMarker(out, 0xdb);  // DQT: table 0, every step 1
    appendU16(out, 2 + 1 + 64);
    out.append('\0');
    out.append(QByteArray(64, '\x01'));
    appendMarker(out, 0xc0);  // SOF0: baseline, 8 bits, three components 1 x 1
    appendU16(out, 2 + 6 + 3 * 3);
    out.append('\x08');
    appendU16(out, height);
    appendU16(out, width);
    out.append('\x03');
    for (char id : {'\x01', '\x02', '\x03'}) {
        out.append(id);
        out.append('\x11');
        out.append('\0');
    }
    appendHuffmanTable(out, 0, kDcCounts, kDcSymbols);
    appendHuffmanTable(out, 1, kAcCounts, kAcSymbols);
    appendMarker(out, 0xda);  // SOS: all three components, tables 0
    appendU16(out, 2 + 1 + 3 * 2 + 3);
    out.append('\x03');
    for (char id : {'\x01', '\x02', '\x03'}) {
        out.append(id);
        out.append('\0');
    }
    out.append("\x00\x3f\x00", 3);

    const std::array<Code, 256> dcCodes = buildCodes(kDcCounts, kDcSymbols);
    const std::array<Code, 256> acCodes = buildCodes(kAcCounts, kAcSymbols);
    const std::array<int, 64> zigzag = zigzagOrder();
    std::array<std::array<double, 8>, 8> cosines{};
    for (int u = 0; u < 8; ++u) {
        const double scale = u == 0 ? std::numbers::sqrt2 / 4.0 : 0.5;
        for (int x = 0; x < 8; ++x) cosines[u][x] = scale * std::cos((2 * x + 1) * u * std::numbers::pi / 16.0);
    }

    BitWriter writer(out);
    std::array<int, 3> previousDc{};
    std::array<std::array<double, 64>, 3> samples{};
    for (int blockY = 0; blockY < height; blockY += 8) {
        for (int blockX = 0; blockX < width; blockX += 8) {
            // Colour conversion (JFIF), repeating the last row and column
            // into blocks that stick out of the picture.
            for (int y = 0; y < 8; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(std::min(blockY + y, height - 1)));
                for (int x = 0; x < 8; ++x) {
                    const QRgb pixel = line[std::min(blockX + x, width - 1)];
                    const double r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
                    const auto i = static_cast<std::size_t>(y * 8 + x);
                    samples[0][i] = 0.299 * r + 0.587 * g + 0.114 * b - 128.0;
                    samples[1][i] = -0.168736 * r - 0.331264 * g + 0.5 * b;
                    samples[2][i] = 0.5 * r - 0.418688 * g - 0.081312 * b;
                }
            }
            for (std::size_t component = 0; component < 3; ++component) {
                // Two-dimensional DCT, rows then columns.
                std::array<double, 64> rows{};
                for (int y = 0; y < 8; ++y) {
                    for (int u = 0; u < 8; ++u) {
                        double sum = 0.0;
                        for (int x = 0; x < 8; ++x) sum += cosines[u][x] * samples[component][y * 8 + x];
                        rows[static_cast<std::size_t>(y * 8 + u)] = sum;
                    }
                }
                std::array<int, 64> coefficients{};
                for (int v = 0; v < 8; ++v) {
                    for (int u = 0; u < 8; ++u) {
                        double sum = 0.0;
                        for (int y = 0; y < 8; ++y) sum += cosines[v][y] * rows[static_cast<std::size_t>(y * 8 + u)];
                        coefficients[static_cast<std::size_t>(v * 8 + u)] =
                            std::clamp(static_cast<int>(std::lround(sum)), -1023, 1023);
                    }
                }

                const int dc = coefficients[0];
                const auto [dcSize, dcBits] = magnitude(dc - previousDc[component]);
                previousDc[component] = dc;
                writer.put(dcCodes[static_cast<std::size_t>(dcSize)]);
                writer.put(dcBits, dcSize);
                int zeros = 0;
                for (std::size_t k = 1; k < 64; ++k) {
                    const int value = coefficients[static_cast<std::size_t>(zigzag[k])];
                    if (value == 0) {
                        ++zeros;
                        continue;
                    }
                    for (; zeros >= 16; zeros -= 16) writer.put(acCodes[0xf0]);
                    const auto [size, bits] = magnitude(value);
                    writer.put(acCodes[static_cast<std::size_t>((zeros << 4) | size)]);
                    writer.put(bits, size);
                    zeros = 0;
                }
                if (zeros > 0) writer.put(acCodes[0x00]);
            }
        }
    }
    writer.finish();
    appendMarker(out, 0xd9);  // EOI
    return out;
}

}  // namespace pictures
