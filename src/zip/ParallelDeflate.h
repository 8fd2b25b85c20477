#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <vector>

// Deflates the data of one entry on several threads at once. The data is cut into blocks;
// each block is compressed with the 32 KiB before it as its dictionary and, unless it is the
// last, ends on a byte boundary with an empty stored block (Z_SYNC_FLUSH). Joined in order the
// blocks form one raw deflate stream that any inflater reads, at the same level and with the
// same window as a single stream. Data of one block or less comes out as one stream.
//
// Results are zlib codes: Z_OK, or the first error any block met; after an error nothing
// more is handed to the sink.
class ParallelDeflate
{
public:
    using Sink = std::function<void(const uint8_t *data, size_t count)>;

    static constexpr size_t BlockSize = 256 * 1024;

    // `threads` blocks are compressed at a time; the sink receives the stream in order, on
    // the calling thread.
    ParallelDeflate(int level, int threads, Sink sink);
    ParallelDeflate(const ParallelDeflate &) = delete;
    ParallelDeflate &operator=(const ParallelDeflate &) = delete;
    // Waits for the blocks under way and drops them.
    ~ParallelDeflate();

    int Write(const uint8_t *data, size_t count);
    // Compresses the rest as the last block and hands everything to the sink.
    int Finish();

    // How many threads compress at a time on this machine.
    static int DefaultThreads();

private:
    struct Compressed {
        int Code = 0;
        std::vector<uint8_t> Data;
    };

    static Compressed compressBlock(int level, std::vector<uint8_t> dictionary, std::vector<uint8_t> input,
                                    bool last);
    void submit(bool last);
    int handOverOldest();

    const int m_level;
    const size_t m_threads;
    const Sink m_sink;
    std::vector<uint8_t> m_pending;
    std::vector<uint8_t> m_dictionary;
    std::deque<std::future<Compressed>> m_underWay;
    int m_code = 0;
};
