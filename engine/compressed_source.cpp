// Compressed logs, as logrotate and admins leave them, each read with the
// compressor's own library: zlib, libbz2, liblzma and libzstd. Each checks the
// check values its format carries (gzip's CRC-32 and length, for one), so a
// damaged file is reported instead of being read as a different log. Files
// made of several compressed parts one after the other (`cat a.gz b.gz`) are
// read whole, as the compressors' own tools read them.

#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "log_source.h"
#include "system_file.h"

namespace murkwell {

namespace {

// Compressed bytes taken from the file at a time.
constexpr std::size_t kInputChunk = std::size_t{256} << 10;
// zlib and libbz2 count in 32-bit numbers.
constexpr std::size_t kLargestStep = UINT_MAX;

constexpr const char* kTruncated = "unexpected end of file";
constexpr const char* kDamaged = "damaged compressed data";

std::string OutOfMemory() { return system::ErrorText(system::OutOfMemoryError()); }

// The compressed bytes not yet decoded, and the room left for what they give.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
};
struct Output {
    char* data;
    std::size_t size;
};

enum class Step { Going, Ended, Failed };

// One library's decoder. Decode() takes what it can of the input and fills
// what it can of the output; it never reports Going when the input has ended
// and it could do nothing, so that the caller never loops for ever.
class Decoder {
public:
    virtual ~Decoder() = default;
    virtual Step Decode(Input& input, Output& output, bool inputEnded) = 0;
    const std::string& Reason() const { return m_reason; }

protected:
    Step Failed(std::string reason) {
        m_reason = std::move(reason);
        return Step::Failed;
    }

private:
    std::string m_reason;
};

class GzipDecoder final : public Decoder {
public:
    // 16 + the largest window: a gzip wrapper, whose trailer inflate checks.
    GzipDecoder() { m_ready = inflateInit2(&m_stream, 16 + MAX_WBITS) == Z_OK; }
    ~GzipDecoder() override {
        if (m_ready) {
            inflateEnd(&m_stream);
        }
    }

    Step Decode(Input& input, Output& output, bool inputEnded) override {
        if (!m_ready) {
            return Failed(OutOfMemory());
        }
        if (m_betweenMembers) {
            if (input.size == 0) {
                return inputEnded ? Step::Ended : Step::Going;
            }
            inflateReset(&m_stream);
            m_betweenMembers = false;
        }
        m_stream.next_in = const_cast<Bytef*>(input.data);
        m_stream.avail_in = static_cast<uInt>(std::min(input.size, kLargestStep));
        m_stream.next_out = reinterpret_cast<Bytef*>(output.data);
        m_stream.avail_out = static_cast<uInt>(std::min(output.size, kLargestStep));
        const uInt offered = m_stream.avail_in;
        const uInt room = m_stream.avail_out;
        const int result = inflate(&m_stream, Z_NO_FLUSH);
        input = {input.data + (offered - m_stream.avail_in), input.size - (offered - m_stream.avail_in)};
        output = {output.data + (room - m_stream.avail_out), output.size - (room - m_stream.avail_out)};
        switch (result) {
            case Z_STREAM_END: m_betweenMembers = true; return Step::Going;
            case Z_OK: return Step::Going;
            case Z_BUF_ERROR: return inputEnded ? Failed(kTruncated) : Step::Going;
            case Z_MEM_ERROR: return Failed(OutOfMemory());
            default: return Failed(m_stream.msg != nullptr ? m_stream.msg : kDamaged);
        }
    }

private:
    z_stream m_stream{};
    bool m_ready = false;
    bool m_betweenMembers = false;  // a member has ended; only another member may follow
};

class Bzip2Decoder final : public Decoder {
public:
    Bzip2Decoder() { m_ready = BZ2_bzDecompressInit(&m_stream, 0, 0) == BZ_OK; }
    ~Bzip2Decoder() override {
        if (m_ready) {
            BZ2_bzDecompressEnd(&m_stream);
        }
    }

    Step Decode(Input& input, Output& output, bool inputEnded) override {
        if (m_betweenStreams) {
            if (input.size == 0) {
                return inputEnded ? Step::Ended : Step::Going;
            }
            BZ2_bzDecompressEnd(&m_stream);
            m_stream = {};
            m_ready = BZ2_bzDecompressInit(&m_stream, 0, 0) == BZ_OK;
            m_betweenStreams = false;
        }
        if (!m_ready) {
            return Failed(OutOfMemory());
        }
        m_stream.next_in = const_cast<char*>(reinterpret_cast<const char*>(input.data));
        m_stream.avail_in = static_cast<unsigned>(std::min(input.size, kLargestStep));
        m_stream.next_out = output.data;
        m_stream.avail_out = static_cast<unsigned>(std::min(output.size, kLargestStep));
        const unsigned offered = m_stream.avail_in;
        const unsigned room = m_stream.avail_out;
        const int result = BZ2_bzDecompress(&m_stream);
        const unsigned taken = offered - m_stream.avail_in;
        const unsigned given = room - m_stream.avail_out;
        input = {input.data + taken, input.size - taken};
        output = {output.data + given, output.size - given};
        switch (result) {
            case BZ_STREAM_END: m_betweenStreams = true; return Step::Going;
            case BZ_OK: return inputEnded && taken == 0 && given == 0 ? Failed(kTruncated) : Step::Going;
            case BZ_MEM_ERROR: return Failed(OutOfMemory());
            default: return Failed(kDamaged);
        }
    }

private:
    bz_stream m_stream{};
    bool m_ready = false;
    bool m_betweenStreams = false;
};

class XzDecoder final : public Decoder {
public:
    // No limit on the decoder's memory: the file's own settings decide it, as for xz itself.
    XzDecoder() { m_ready = lzma_stream_decoder(&m_stream, UINT64_MAX, LZMA_CONCATENATED) == LZMA_OK; }
    ~XzDecoder() override { lzma_end(&m_stream); }

    Step Decode(Input& input, Output& output, bool inputEnded) override {
        if (!m_ready) {
            return Failed(OutOfMemory());
        }
        if (m_ended) {
            return Step::Ended;
        }
        m_stream.next_in = input.data;
        m_stream.avail_in = input.size;
        m_stream.next_out = reinterpret_cast<std::uint8_t*>(output.data);
        m_stream.avail_out = output.size;
        // With several streams allowed, only the caller knows that no more will come.
        const lzma_ret result = lzma_code(&m_stream, inputEnded ? LZMA_FINISH : LZMA_RUN);
        input = {input.data + (input.size - m_stream.avail_in), m_stream.avail_in};
        output = {output.data + (output.size - m_stream.avail_out), m_stream.avail_out};
        switch (result) {
            case LZMA_STREAM_END: m_ended = true; return Step::Going;
            case LZMA_OK: return Step::Going;
            case LZMA_BUF_ERROR: return Failed(kTruncated);
            case LZMA_MEM_ERROR: return Failed(OutOfMemory());
            default: return Failed(kDamaged);
        }
    }

private:
    lzma_stream m_stream = LZMA_STREAM_INIT;
    bool m_ready = false;
    bool m_ended = false;
};

class ZstdDecoder final : public Decoder {
public:
    ZstdDecoder() : m_stream(ZSTD_createDStream()) {}
    ~ZstdDecoder() override { ZSTD_freeDStream(m_stream); }

    Step Decode(Input& input, Output& output, bool inputEnded) override {
        if (m_stream == nullptr) {
            return Failed(OutOfMemory());
        }
        ZSTD_inBuffer in{input.data, input.size, 0};
        ZSTD_outBuffer out{output.data, output.size, 0};
        const std::size_t result = ZSTD_decompressStream(m_stream, &out, &in);
        input = {input.data + in.pos, input.size - in.pos};
        output = {output.data + out.pos, output.size - out.pos};
        if (ZSTD_isError(result)) {
            return Failed(ZSTD_getErrorName(result));
        }
        // 0: a frame is complete, and all of it handed out; another may follow.
        const bool progressed = in.pos > 0 || out.pos > 0;
        if (progressed) {
            m_betweenFrames = result == 0;
        }
        if (!inputEnded || input.size > 0 || progressed) {
            return Step::Going;
        }
        return m_betweenFrames ? Step::Ended : Failed(kTruncated);
    }

private:
    ZSTD_DStream* m_stream;
    bool m_betweenFrames = false;
};

// The uncompressed log: the compressed file through a decoder.
class DecodedSource final : public LogSource {
public:
    DecodedSource(std::unique_ptr<LogSource> compressed, std::unique_ptr<Decoder> decoder)
        : m_compressed(std::move(compressed)), m_decoder(std::move(decoder)), m_chunk(kInputChunk) {}

    long long Read(char* buffer, std::size_t size) override {
        Output output{buffer, size};
        while (output.size == size) {
            if (m_input.size == 0 && !m_inputEnded && !TakeInput()) {
                return -1;
            }
            switch (m_decoder->Decode(m_input, output, m_inputEnded)) {
                case Step::Going: break;
                case Step::Ended: return 0;
                case Step::Failed: return Fail(m_decoder->Reason());
            }
        }
        return static_cast<long long>(size - output.size);
    }

private:
    bool TakeInput() {
        const long long got = m_compressed->Read(reinterpret_cast<char*>(m_chunk.data()), m_chunk.size());
        if (got < 0) {
            Fail(m_compressed->FailureReason());
            return false;
        }
        m_input = {m_chunk.data(), static_cast<std::size_t>(got)};
        m_inputEnded = got == 0;
        return true;
    }

    std::unique_ptr<LogSource> m_compressed;
    std::unique_ptr<Decoder> m_decoder;
    std::vector<std::uint8_t> m_chunk;
    Input m_input{nullptr, 0};
    bool m_inputEnded = false;
};

std::unique_ptr<Decoder> DecoderFor(Compression kind) {
    switch (kind) {
        case Compression::Gzip: return std::make_unique<GzipDecoder>();
        case Compression::Bzip2: return std::make_unique<Bzip2Decoder>();
        case Compression::Xz: return std::make_unique<XzDecoder>();
        case Compression::Zstd: return std::make_unique<ZstdDecoder>();
        case Compression::None: break;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<LogSource> Decompressed(std::unique_ptr<LogSource> compressed, Compression kind) {
    std::unique_ptr<Decoder> decoder = DecoderFor(kind);
    if (decoder == nullptr) {
        return compressed;
    }
    return std::make_unique<DecodedSource>(std::move(compressed), std::move(decoder));
}

}  // namespace murkwell
