#include "render/export/JpegFile.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr size_t kOutputChunk = 64 * 1024;

// The library reports errors by a jump back into the call that failed: nothing of C++ with a
// destructor lives in the frames in between.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void OnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// Compressed bytes go to the device in chunks.
struct Destination {
    jpeg_destination_mgr pub;
    QIODevice* device = nullptr;
    std::vector<JOCTET> buffer;
    bool failed = false;
};

void InitDestination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<Destination*>(info->dest);
    d->pub.next_output_byte = d->buffer.data();
    d->pub.free_in_buffer = d->buffer.size();
}

void Flush(Destination* d, size_t bytes)
{
    if (!d->failed && bytes > 0 && d->device->write(reinterpret_cast<const char*>(d->buffer.data()), qint64(bytes)) != qint64(bytes))
        d->failed = true;
}

boolean EmptyOutput(j_compress_ptr info)
{
    auto* d = reinterpret_cast<Destination*>(info->dest);
    Flush(d, d->buffer.size());
    d->pub.next_output_byte = d->buffer.data();
    d->pub.free_in_buffer = d->buffer.size();
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<Destination*>(info->dest);
    Flush(d, d->buffer.size() - d->pub.free_in_buffer);
}

}  // namespace

struct TJpegWriter::State {
    jpeg_compress_struct info{};
    ErrorManager error{};
    Destination dest;
    QSize size;
    bool grey = false;
    bool created = false;
    bool failed = false;
    std::vector<JSAMPLE> greyRow;
};

// Each libjpeg call sits in a function of its own that only sets the jump point.
namespace {

bool Start(jpeg_compress_struct& info, ErrorManager& error, int quality, bool progressive)
{
    if (setjmp(error.jump))
        return false;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    // Optimised Huffman tables need the whole picture's coefficients in memory (a progressive
    // picture needs them anyway): a baseline picture takes the standard tables and streams.
    info.optimize_coding = progressive ? TRUE : FALSE;
    info.density_unit = 1;
    info.X_density = 96;
    info.Y_density = 96;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    return true;
}

bool Write(jpeg_compress_struct& info, ErrorManager& error, JSAMPROW* rows, int count)
{
    if (setjmp(error.jump))
        return false;
    for (int done = 0; done < count;)
        done += int(jpeg_write_scanlines(&info, rows + done, JDIMENSION(count - done)));
    return true;
}

bool End(jpeg_compress_struct& info, ErrorManager& error)
{
    if (setjmp(error.jump))
        return false;
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

TJpegWriter::TJpegWriter(QIODevice& device, QSize size, const TJpegOptions& options) : state_(std::make_unique<State>())
{
    State& s = *state_;
    s.size = size;
    s.grey = options.Grey;
    s.info.err = jpeg_std_error(&s.error.pub);
    s.error.pub.error_exit = OnError;
    s.error.pub.output_message = Silent;
    jpeg_create_compress(&s.info);
    s.created = true;
    s.dest.device = &device;
    s.dest.buffer.resize(kOutputChunk);
    s.dest.pub.init_destination = InitDestination;
    s.dest.pub.empty_output_buffer = EmptyOutput;
    s.dest.pub.term_destination = TermDestination;
    s.info.dest = &s.dest.pub;
    s.info.image_width = JDIMENSION(size.width());
    s.info.image_height = JDIMENSION(size.height());
    if (options.Grey) {
        s.info.input_components = 1;
        s.info.in_color_space = JCS_GRAYSCALE;
        s.greyRow.resize(size_t(size.width()));
    } else {
        // 32-bit RGB as it lies in memory on a little-endian machine: B, G, R, unused.
        s.info.input_components = 4;
        s.info.in_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    }
    s.failed = !Start(s.info, s.error, std::clamp(options.Quality, 1, 100), options.Progressive);
}

TJpegWriter::~TJpegWriter()
{
    if (state_->created)
        jpeg_destroy_compress(&state_->info);
}

void TJpegWriter::WriteRows(const uchar* first, qsizetype bytesPerLine, int count)
{
    State& s = *state_;
    for (int i = 0; i < count && !s.failed; ++i) {
        const uchar* line = first + i * bytesPerLine;
        JSAMPROW row = const_cast<JSAMPROW>(line);
        if (s.grey) {
            const QRgb* px = reinterpret_cast<const QRgb*>(line);
            for (int x = 0; x < s.size.width(); ++x)
                s.greyRow[size_t(x)] = JSAMPLE(qGray(px[x]));
            row = s.greyRow.data();
        }
        s.failed = !Write(s.info, s.error, &row, 1);
    }
}

bool TJpegWriter::Finish()
{
    State& s = *state_;
    if (!s.failed)
        s.failed = !End(s.info, s.error);
    return !s.failed && !s.dest.failed;
}
