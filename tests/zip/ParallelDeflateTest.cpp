#include "zip/ParallelDeflate.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <zlib.h>

namespace {

constexpr qsizetype kBlock = qsizetype(ParallelDeflate::BlockSize);

// Inflates a raw deflate stream with zlib alone; empty with `ok` false when the stream is
// not exactly one complete stream.
QByteArray Inflate(const QByteArray &compressed, bool *ok)
{
    z_stream stream{};
    *ok = false;
    if (inflateInit2(&stream, -15) != Z_OK)
        return QByteArray();
    QByteArray out;
    char buffer[65536];
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    int code = Z_OK;
    while (code == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        code = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
        if (code == Z_BUF_ERROR && stream.avail_in == 0)
            break;
    }
    *ok = code == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    return out;
}

// What one zlib stream over the whole data gives.
QByteArray DeflateAtOnce(const QByteArray &data, int level)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.truncate(out.size() - qsizetype(stream.avail_out));
    deflateEnd(&stream);
    return out;
}

struct Result {
    int Code = Z_OK;
    QByteArray Stream;
};

Result Deflate(const QByteArray &data, int level, int threads, qsizetype piece)
{
    Result result;
    ParallelDeflate deflater(level, threads, [&](const uint8_t *bytes, size_t count) {
        result.Stream.append(reinterpret_cast<const char *>(bytes), qsizetype(count));
    });
    for (qsizetype at = 0; at < data.size() && result.Code == Z_OK; at += piece) {
        const qsizetype count = std::min(piece, data.size() - at);
        result.Code = deflater.Write(reinterpret_cast<const uint8_t *>(data.constData() + at), size_t(count));
    }
    if (result.Code == Z_OK)
        result.Code = deflater.Finish();
    return result;
}

} // namespace

TEST(ParallelDeflate, BlocksJoinIntoOneStreamThatInflatesToTheData)
{
    const struct {
        const char *what;
        qsizetype size;
    } sizes[] = {
        {"nothing", 0},
        {"one byte", 1},
        {"just under a block", kBlock - 1},
        {"exactly a block", kBlock},
        {"a block and a byte", kBlock + 1},
        {"several blocks and a rest", 3 * kBlock + 17},
    };
    for (const auto &size : sizes) {
        const QByteArray data = ZipTest::SampleData(size.size, 21);
        for (int level : {-1, 1, 9}) {
            for (int threads : {1, 2, 4}) {
                for (qsizetype piece : {qsizetype(640000), qsizetype(1000)}) {
                    SCOPED_TRACE(testing::Message() << size.what << ", level " << level << ", " << threads
                                                    << " threads, pieces of " << piece);
                    const Result result = Deflate(data, level, threads, piece);
                    ASSERT_EQ(result.Code, Z_OK);
                    bool ok = false;
                    EXPECT_EQ(Inflate(result.Stream, &ok), data);
                    EXPECT_TRUE(ok) << "one complete stream, nothing after its end";
                    if (size.size <= kBlock) {
                        EXPECT_EQ(result.Stream, DeflateAtOnce(data, level)) << "one block is one plain stream";
                    }
                }
            }
        }
    }
}

// Each block sees the 32 KiB before it: a piece repeated across the whole data is stored once.
TEST(ParallelDeflate, BlocksReferToTheDataOfTheBlockBefore)
{
    std::mt19937 random(5);
    QByteArray piece(20000, Qt::Uninitialized);
    for (char &c : piece)
        c = char(random());
    const QByteArray data = piece.repeated(4 * kBlock / piece.size());
    const Result result = Deflate(data, -1, 2, 640000);
    ASSERT_EQ(result.Code, Z_OK);
    bool ok = false;
    EXPECT_EQ(Inflate(result.Stream, &ok), data);
    EXPECT_TRUE(ok);
    // Without the dictionary every block would hold the random piece once more.
    EXPECT_LT(result.Stream.size(), piece.size() + 4 * 2000);
}

TEST(ParallelDeflate, ZlibErrorIsReturnedAndNothingFollowsIt)
{
    const QByteArray data = ZipTest::SampleData(3 * kBlock, 22);
    const Result result = Deflate(data, 42, 2, 640000);
    EXPECT_EQ(result.Code, Z_STREAM_ERROR);
    EXPECT_TRUE(result.Stream.isEmpty());
}
