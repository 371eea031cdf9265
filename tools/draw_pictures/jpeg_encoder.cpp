#include "jpeg_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <numbers>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace dravik::draw_pictures {
namespace {

constexpr int kBlock = DCTSIZE;         // in pixels
constexpr std::size_t kSide = DCTSIZE;  // the same, as an index bound

// libjpeg reports a fatal error through error_exit, which must not return:
// jump back to the encoder with the message.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// The colour conversion and forward transform are done here in double
// precision, on the unrounded Y, Cb and Cr values: libjpeg-turbo takes 8-bit
// samples, and rounding them before the transform moves some decoded pixels
// by a level or more, which would change the pictures the windows show.
// libjpeg-turbo writes everything else: markers, tables, entropy coding.
class ForwardTransform {
public:
    ForwardTransform() {
        for (std::size_t u = 0; u < kSide; ++u) {
            const double scale = u == 0 ? std::numbers::sqrt2 / 4.0 : 0.5;
            for (std::size_t x = 0; x < kSide; ++x)
                cosines_[u][x] = scale * std::cos(static_cast<double>((2 * x + 1) * u) * std::numbers::pi / 16.0);
        }
    }

    // The three components' coefficients of the 8 x 8 block whose top-left
    // pixel is (blockX, blockY), repeating the last row and column into
    // blocks that stick out of the picture. Coefficients in natural order.
    void block(const QImage& image, int blockX, int blockY, std::array<JBLOCK, 3>& out) const {
        std::array<std::array<double, 64>, 3> samples{};
        for (int y = 0; y < kBlock; ++y) {
            const auto* line =
                reinterpret_cast<const QRgb*>(image.constScanLine(std::min(blockY + y, image.height() - 1)));
            for (int x = 0; x < kBlock; ++x) {
                const QRgb pixel = line[std::min(blockX + x, image.width() - 1)];
                const double r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
                const auto i = static_cast<std::size_t>(y * kBlock + x);
                samples[0][i] = 0.299 * r + 0.587 * g + 0.114 * b - 128.0;
                samples[1][i] = -0.168736 * r - 0.331264 * g + 0.5 * b;
                samples[2][i] = 0.5 * r - 0.418688 * g - 0.081312 * b;
            }
        }
        for (std::size_t component = 0; component < 3; ++component) {
            std::array<double, 64> rows{};  // rows first, then columns
            for (std::size_t y = 0; y < kSide; ++y) {
                for (std::size_t u = 0; u < kSide; ++u) {
                    double sum = 0.0;
                    for (std::size_t x = 0; x < kSide; ++x) sum += cosines_[u][x] * samples[component][y * kSide + x];
                    rows[y * kSide + u] = sum;
                }
            }
            for (std::size_t v = 0; v < kSide; ++v) {
                for (std::size_t u = 0; u < kSide; ++u) {
                    double sum = 0.0;
                    for (std::size_t y = 0; y < kSide; ++y) sum += cosines_[v][y] * rows[y * kSide + u];
                    out[component][v * kSide + u] = static_cast<JCOEF>(std::clamp(std::lround(sum), -1023L, 1023L));
                }
            }
        }
    }

private:
    std::array<std::array<double, kSide>, kSide> cosines_{};
};

}  // namespace

QByteArray encodeJpeg(const QImage& source, QString& error) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto widthInBlocks = static_cast<JDIMENSION>((image.width() + kBlock - 1) / kBlock);
    const auto heightInBlocks = static_cast<JDIMENSION>((image.height() + kBlock - 1) / kBlock);

    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump) != 0) {
        error = QString::fromLocal8Bit(errors.message);
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);  // every quantisation step 1
    // One quantisation and one Huffman table pair (the standard luminance
    // tables) for all three components, each at full resolution.
    for (int c = 0; c < 3; ++c) {
        jpeg_component_info& component = info.comp_info[c];
        component.h_samp_factor = 1;
        component.v_samp_factor = 1;
        component.quant_tbl_no = 0;
        component.dc_tbl_no = 0;
        component.ac_tbl_no = 0;
    }

    std::array<jvirt_barray_ptr, 3> coefficients{};
    for (auto& array : coefficients)
        array = (*info.mem->request_virt_barray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, TRUE,
                                                 widthInBlocks, heightInBlocks, 1);
    (*info.mem->realize_virt_arrays)(reinterpret_cast<j_common_ptr>(&info));

    const ForwardTransform transform;
    std::array<JBLOCK, 3> block{};
    for (JDIMENSION row = 0; row < heightInBlocks; ++row) {
        std::array<JBLOCKROW, 3> rows{};
        for (std::size_t c = 0; c < 3; ++c)
            rows[c] = (*info.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&info), coefficients[c], row, 1,
                                                      TRUE)[0];
        for (JDIMENSION column = 0; column < widthInBlocks; ++column) {
            transform.block(image, static_cast<int>(column) * kBlock, static_cast<int>(row) * kBlock, block);
            for (std::size_t c = 0; c < 3; ++c) std::copy(std::begin(block[c]), std::end(block[c]), rows[c][column]);
        }
    }
    jpeg_write_coefficients(&info, coefficients.data());
    jpeg_finish_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

}  // namespace dravik::draw_pictures
