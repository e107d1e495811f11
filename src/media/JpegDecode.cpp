#include "media/JpegDecode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace
{

// libjpeg reports fatal errors through error_exit, which must not return; it jumps
// back to the decoding function with the message kept here.
struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnFatalError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<TErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

// Warnings (corrupt data that libjpeg recovers from) are not printed: the picture
// still shows.
void OnMessage(j_common_ptr, int) {}

// Largest denominator of 1, 2, 4, 8 that keeps width x height at least atLeast.
unsigned int ScaleDenominator(JDIMENSION width, JDIMENSION height, QSize atLeast)
{
    if (atLeast.isEmpty())
        return 1;
    unsigned int denominator = 1;
    while (denominator < 8 && width / (denominator * 2) >= static_cast<unsigned>(atLeast.width()) &&
           height / (denominator * 2) >= static_cast<unsigned>(atLeast.height()))
        denominator *= 2;
    return denominator;
}

// Adobe CMYK/YCCK pictures store inverted ink values.
void CmykToRgb(const JSAMPLE *cmyk, uchar *rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = static_cast<uchar>(c * k / 255);
        rgb[1] = static_cast<uchar>(m * k / 255);
        rgb[2] = static_cast<uchar>(y * k / 255);
    }
}

// Everything between setjmp and a possible longjmp works through pointers to objects
// owned by the caller, so nothing here has to survive the jump. Returns false with
// errors->Message set on a fatal error.
bool Decode(jpeg_decompress_struct *info, TErrorManager *errors, const QByteArray *bytes,
            QSize atLeast, QImage *image, std::vector<JSAMPLE> *row)
{
    if (setjmp(errors->Jump))
        return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const unsigned char *>(bytes->constData()),
                 static_cast<unsigned long>(bytes->size()));
    jpeg_read_header(info, TRUE);
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info->scale_num = 1;
    info->scale_denom = ScaleDenominator(info->image_width, info->image_height, atLeast);
    jpeg_start_decompress(info);
    *image = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height),
                    QImage::Format_RGB888);
    if (image->isNull()) {
        std::snprintf(errors->Message, sizeof errors->Message,
                      "the picture (%u x %u pixels) is too large to show", info->output_width,
                      info->output_height);
        return false;
    }
    if (cmyk)
        row->resize(static_cast<std::size_t>(info->output_width) * 4);
    while (info->output_scanline < info->output_height) {
        uchar *line = image->scanLine(static_cast<int>(info->output_scanline));
        JSAMPROW target = cmyk ? row->data() : line;
        jpeg_read_scanlines(info, &target, 1);
        if (cmyk)
            CmykToRgb(row->data(), line, info->output_width, info->saw_Adobe_marker);
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray &bytes, QSize atLeast)
{
    jpeg_decompress_struct info{};
    TErrorManager errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnFatalError;
    errors.Base.emit_message = OnMessage;
    QImage image;
    std::vector<JSAMPLE> row;
    const bool decoded = Decode(&info, &errors, &bytes, atLeast, &image, &row);
    jpeg_destroy_decompress(&info);
    if (!decoded)
        throw std::runtime_error(std::string("The picture cannot be decoded: ") + errors.Message);
    return image;
}
