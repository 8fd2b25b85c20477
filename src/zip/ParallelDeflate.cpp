#include "zip/ParallelDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace {

constexpr int kWindowBits = -15; // raw deflate with the full 32 KiB window
constexpr int kMemoryLevel = 8;
constexpr size_t kDictionarySize = 32 * 1024;
constexpr int kMostThreads = 4;

// Ends the stream however the block's compression ends.
struct DeflateStream {
    z_stream Stream {};
    bool Active = false;
    DeflateStream() = default;
    DeflateStream(const DeflateStream &) = delete;
    DeflateStream &operator=(const DeflateStream &) = delete;
    ~DeflateStream()
    {
        if (Active)
            deflateEnd(&Stream);
    }
};

} // namespace

ParallelDeflate::ParallelDeflate(int level, int threads, Sink sink)
    : m_level(level)
    , m_threads(size_t(std::max(threads, 1)))
    , m_sink(std::move(sink))
{
}

ParallelDeflate::~ParallelDeflate() = default;

int ParallelDeflate::DefaultThreads()
{
    return std::clamp(int(std::thread::hardware_concurrency()), 1, kMostThreads);
}

int ParallelDeflate::Write(const uint8_t *data, size_t count)
{
    while (count > 0 && m_code == Z_OK) {
        // A full block waits for more data, so that data of exactly one block stays one stream.
        if (m_pending.size() == BlockSize)
            submit(false);
        const size_t taken = std::min(BlockSize - m_pending.size(), count);
        m_pending.insert(m_pending.end(), data, data + taken);
        data += taken;
        count -= taken;
    }
    return m_code;
}

int ParallelDeflate::Finish()
{
    if (m_code == Z_OK)
        submit(true);
    while (!m_underWay.empty())
        handOverOldest();
    return m_code;
}

void ParallelDeflate::submit(bool last)
{
    while (m_underWay.size() >= m_threads && m_code == Z_OK)
        handOverOldest();
    if (m_code != Z_OK)
        return;
    std::vector<uint8_t> input = std::exchange(m_pending, std::vector<uint8_t>());
    m_pending.reserve(BlockSize);
    std::vector<uint8_t> dictionary = std::move(m_dictionary);
    if (!last)
        m_dictionary.assign(input.end() - ptrdiff_t(std::min(kDictionarySize, input.size())), input.end());
    // When no thread can be started the block is compressed when its result is asked for.
    m_underWay.push_back(std::async(std::launch::async | std::launch::deferred, &ParallelDeflate::compressBlock,
                                    m_level, std::move(dictionary), std::move(input), last));
}

int ParallelDeflate::handOverOldest()
{
    std::future<Compressed> oldest = std::move(m_underWay.front());
    m_underWay.pop_front();
    Compressed block = oldest.get();
    if (m_code == Z_OK && block.Code != Z_OK)
        m_code = block.Code;
    if (m_code == Z_OK && !block.Data.empty())
        m_sink(block.Data.data(), block.Data.size());
    return m_code;
}

ParallelDeflate::Compressed ParallelDeflate::compressBlock(int level, std::vector<uint8_t> dictionary,
                                                           std::vector<uint8_t> input, bool last)
{
    Compressed result;
    DeflateStream deflater;
    z_stream &stream = deflater.Stream;
    result.Code = deflateInit2(&stream, level, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY);
    if (result.Code != Z_OK)
        return result;
    deflater.Active = true;
    if (!dictionary.empty()) {
        result.Code = deflateSetDictionary(&stream, dictionary.data(), uInt(dictionary.size()));
        if (result.Code != Z_OK)
            return result;
    }
    stream.next_in = input.data();
    stream.avail_in = uInt(input.size());
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    result.Data.resize(deflateBound(&stream, uLong(input.size())) + 64);
    size_t produced = 0;
    for (;;) {
        if (produced == result.Data.size())
            result.Data.resize(2 * result.Data.size());
        stream.next_out = result.Data.data() + produced;
        stream.avail_out = uInt(result.Data.size() - produced);
        const int code = deflate(&stream, flush);
        produced = result.Data.size() - stream.avail_out;
        if (code == Z_STREAM_END)
            break;
        if (code != Z_OK) {
            result.Code = code;
            return result;
        }
        // A sync flush is complete once deflate leaves room in the output.
        if (!last && stream.avail_in == 0 && stream.avail_out != 0)
            break;
    }
    result.Data.resize(produced);
    result.Code = Z_OK;
    return result;
}
