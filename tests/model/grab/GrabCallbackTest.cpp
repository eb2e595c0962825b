#include "engine/BufferData.h"
#include "engine/GalleriesMng.h"
#include "model/grab/FakeCallback.h"
#include "model/grab/FilterBaseImpl.h"
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

class Sample : public IMediaSample {
public:
    explicit Sample(std::vector<BYTE> bytes) : m_bytes(std::move(bytes)) {}
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetPointer(BYTE** buffer) override
    {
        *buffer = m_bytes.data();
        return S_OK;
    }
    LONG GetActualDataLength() override { return static_cast<LONG>(m_bytes.size()); }
    std::vector<BYTE> m_bytes;
};

class Grabber : public CFakeCallback {
public:
    void AddSample(double time, BYTE* buffer, LONG length) override
    {
        times.push_back(time);
        received.assign(buffer, buffer + length);
        pointer = buffer;
    }
    std::vector<double> times;
    std::vector<BYTE> received;
    BYTE* pointer = nullptr;
};

TEST(FakeCallback, CountsWithoutOwningAndAnswersTwoInterfaces)
{
    Grabber grabber;
    EXPECT_EQ(1u, grabber.AddRef());
    EXPECT_EQ(0u, grabber.Release());
    EXPECT_EQ(static_cast<ULONG>(-1), grabber.Release());  // below zero: nothing happens
    EXPECT_EQ(-1, grabber.RefCount());

    void* out = &grabber;
    for (const GUID* iid : {&IID_IUnknown, &IID_ISampleGrabberCB}) {
        out = nullptr;
        EXPECT_EQ(S_OK, grabber.QueryInterface(*iid, &out));
        EXPECT_EQ(static_cast<ISampleGrabberCB*>(&grabber), out);
    }
    EXPECT_EQ(-1, grabber.RefCount());  // no reference added
    void* untouched = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(E_NOINTERFACE, grabber.QueryInterface(IID_IMediaSample, &untouched));
    EXPECT_EQ(reinterpret_cast<void*>(0x1234), untouched);
}

TEST(FakeCallback, SampleReachesAddSampleWithItsOwnBuffer)
{
    Grabber grabber;
    Sample sample({1, 2, 3, 4});
    EXPECT_EQ(S_OK, grabber.SampleCB(1.5, &sample));
    EXPECT_EQ(std::vector<double>{1.5}, grabber.times);
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 4}), grabber.received);
    EXPECT_EQ(sample.m_bytes.data(), grabber.pointer);
    EXPECT_EQ(S_OK, grabber.BufferCB(2.0, sample.m_bytes.data(), 4));
    EXPECT_EQ(1u, grabber.times.size());
    CFakeCallback base;
    EXPECT_EQ(S_OK, base.SampleCB(0.0, &sample));  // the base ignores samples
}

TEST(ColorMath, RoundingAndClamping)
{
    struct Case {
        double x;
        int expected;
    } cases[] = {{0.5, 1}, {-0.5, -1}, {0.0, 0}, {2.49, 2}, {-2.5, -3}};
    for (const Case& c : cases) EXPECT_EQ(c.expected, CFilterBaseImpl::FRound(c.x)) << c.x;
    EXPECT_EQ(255.0, CFilterBaseImpl::FClamp0255(300.0));
    EXPECT_EQ(0.0, CFilterBaseImpl::FClamp0255(-3.0));
    // Channels are truncated, not rounded.
    RGBQUAD q = CFilterBaseImpl::__DoubleRGB_to_RGB(0.999, 2.0, -1.0);
    EXPECT_EQ(254, q.rgbRed);
    EXPECT_EQ(255, q.rgbGreen);
    EXPECT_EQ(0, q.rgbBlue);
    EXPECT_EQ(255, q.rgbReserved);
}

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b)
{
    RGBQUAD q;
    q.rgbRed = r;
    q.rgbGreen = g;
    q.rgbBlue = b;
    return q;
}

TEST(ColorMath, HlsConversions)
{
    struct Case {
        RGBQUAD colour;
        double h, l, s;
    } cases[] = {
        {Rgb(255, 255, 255), 0, 1, 0},
        {Rgb(255, 0, 0), 0, 0.5, 1},
        {Rgb(0, 255, 0), 1.0 / 3, 0.5, 1},
        {Rgb(0, 0, 255), 2.0 / 3, 0.5, 1},
        {Rgb(255, 0, 255), 5.0 / 6, 0.5, 1},  // negative hue wraps
        {Rgb(64, 32, 32), 0, 48.0 / 255, 32.0 / 96},
    };
    for (const Case& c : cases) {
        double h = -1, l = -1, s = -1;
        CFilterBaseImpl::RGBtoHLS(c.colour, &h, &l, &s);
        EXPECT_NEAR(c.h, h, 1e-9);
        EXPECT_NEAR(c.l, l, 1e-9);
        EXPECT_NEAR(c.s, s, 1e-9);
    }
    RGBQUAD red = CFilterBaseImpl::HLStoRGB(0, 0.5, 1);
    EXPECT_EQ(255, red.rgbRed);
    EXPECT_EQ(0, red.rgbGreen);
    EXPECT_EQ(0, red.rgbBlue);
    EXPECT_EQ(255, red.rgbReserved);
    RGBQUAD grey = CFilterBaseImpl::HLStoRGB(0.7, 0.5, 0);
    EXPECT_EQ(127, grey.rgbRed);  // 127.5 truncated
    EXPECT_EQ(127, grey.rgbBlue);
    // Round trips of saturated colours land on the same bytes.
    for (RGBQUAD c : {Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 0, 255)}) {
        double h, l, s;
        CFilterBaseImpl::RGBtoHLS(c, &h, &l, &s);
        RGBQUAD back = CFilterBaseImpl::HLStoRGB(h, l, s);
        EXPECT_EQ(c.rgbRed, back.rgbRed);
        EXPECT_EQ(c.rgbGreen, back.rgbGreen);
        EXPECT_EQ(c.rgbBlue, back.rgbBlue);
    }
    EXPECT_DOUBLE_EQ(0.25, CFilterBaseImpl::__HLS_Value(0, 1, 6.25));  // one correction
}

TEST(BufferData, AppendConsumeAndPendingConsume)
{
    CBufferData a;
    const BYTE bytes[] = {1, 2, 3, 4, 5};
    ASSERT_EQ(S_OK, a.Copy(bytes, 5));
    EXPECT_EQ(5u, a.GetSize());
    a.UseBuf(2);
    ASSERT_EQ(3u, a.GetSize());
    EXPECT_EQ(0, std::memcmp(a.GetBuffer(), bytes + 2, 3));
    EXPECT_EQ(a.GetBuffer() + 3, a.GetCurBuf());

    CBufferData b;
    b.Copy(bytes, 2);
    a.SetPendingConsume(1);
    ASSERT_EQ(S_OK, a.Copy(b));  // drops one byte first, then appends
    EXPECT_EQ(0u, a.GetPendingConsume());
    const BYTE expected[] = {4, 5, 1, 2};
    ASSERT_EQ(4u, a.GetSize());
    EXPECT_EQ(0, std::memcmp(a.GetBuffer(), expected, 4));

    a.SetPendingConsume(3);
    a.UseBuf(10);  // more than held: empty, nothing pending
    EXPECT_EQ(0u, a.GetSize());
    EXPECT_EQ(0u, a.GetPendingConsume());
    ASSERT_EQ(S_OK, a.SetEOF());
    EXPECT_EQ(1u, a.GetSize());
    EXPECT_EQ(0, a.GetBuffer()[0]);
}

TEST(BufferData, SizesNeverPassTheMemoryAndFreeKeepsTheAllocatedSize)
{
    CBufferData a;
    a.UseBuf(3);  // no buffer: nothing happens
    a.AddSize(10);
    EXPECT_EQ(0u, a.GetSize());
    ASSERT_EQ(S_OK, a.Alloc(16, 0));
    a.SetSize(100);
    EXPECT_EQ(16u, a.GetSize());
    a.SetSize(4);
    a.AddSize(0xFFFFFFF0u);
    EXPECT_EQ(16u, a.GetSize());
    a.Clear();
    EXPECT_EQ(0u, a.GetSize());
    EXPECT_NE(nullptr, a.GetBuffer());
    a.Free();
    EXPECT_EQ(nullptr, a.GetBuffer());
    EXPECT_EQ(nullptr, a.GetCurBuf());
    EXPECT_EQ(16u, a.GetAllocBufferSize());
    // Appending a buffer's own bytes survives the growth.
    CBufferData c;
    const BYTE one[] = {7, 8};
    c.Copy(one, 2);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(S_OK, c.Copy(c.GetBuffer(), c.GetSize()));
    EXPECT_EQ(64u, c.GetSize());
    EXPECT_EQ(8, c.GetBuffer()[63]);
}

TEST(GalleryItem, DurationAndDoneText)
{
    CGalleryItemBase item(nullptr, 0);
    item.SetDisplayTime(10, 35, 0);
    EXPECT_EQ(25, item.GetDuration());
    EXPECT_EQ(0, item.IsFileDone());
    EXPECT_EQ(S_OK, item.SetDone(nullptr, L"done", 3));
    EXPECT_EQ(1, item.IsFileDone());
    EXPECT_STREQ(L"done", item.DoneText());
    EXPECT_EQ(S_OK, item.SetDone(nullptr, item.DoneText(), 4));  // the same text stays
    EXPECT_STREQ(L"done", item.DoneText());
    EXPECT_EQ(S_OK, item.SetDone(nullptr, nullptr, 0));
    EXPECT_EQ(nullptr, item.DoneText());
}

}  // namespace
