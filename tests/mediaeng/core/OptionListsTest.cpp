#include "engine/AVCodecs.h"
#include "engine/ImageDefSizes.h"
#include "engine/OptionLists.h"
#include "engine/OutputFormatEnum.h"
#include "mediaeng/core/FormatTable.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>
extern "C" {
#include <libavcodec/avcodec.h>
}

TEST(ListEnumBase, IndexTextAndVerify)
{
    CListEnumBase list;
    list.AddItem(8000, L"8000 Hz");
    list.AddItem(44100, L"44100 Hz");
    list.AddItem(48000, L"48000 Hz");
    EXPECT_EQ(list.GetIndex(44100), 1);
    EXPECT_EQ(list.GetIndex(1), -1);
    EXPECT_EQ(list.GetIdW(L"48000 Hz"), 2);
    EXPECT_EQ(list.GetIdW(L"48000 hz"), -1);
    int32_t v = 44000;  // nearest held value without a default
    list.Verify(&v);
    EXPECT_EQ(v, 44100);
    v = 48000;
    list.Verify(&v);
    EXPECT_EQ(v, 48000);
    list.SetDefaultValue(8000);
    v = 47000;
    list.Verify(&v);
    EXPECT_EQ(v, 8000);
}

TEST(ListEnumBase, LongTextIsCutNotOverrun)
{
    CListEnumBase list;
    std::wstring longText(400, L'x');
    list.AddItem(1, longText.c_str());
    EXPECT_EQ(std::wcslen(list.GetItem(0).text), 127u);
}

TEST(OptionLists, Mp2BitratesDependOnChannels)
{
    CMP2AudioMiddleBitrateEnum mono(1), stereo(2);
    EXPECT_GE(mono.GetIndex(32), 0);
    EXPECT_LT(stereo.GetIndex(32), 0);
    EXPECT_GE(stereo.GetIndex(384), 0);
    EXPECT_LT(mono.GetIndex(384), 0);
}

TEST(ImageDefSizes, CustomEntryOnlyInKindOne)
{
    CImageDefSizes plain(0), withCustom(1);
    EXPECT_EQ(plain.GetIdW(L"Custom..."), -1);
    int custom = withCustom.GetIdW(L"Custom...");
    ASSERT_GE(custom, 0);
    EXPECT_TRUE(withCustom.IsCustom(static_cast<size_t>(custom)));
    EXPECT_STREQ(plain.GetItem(0).text, L"100%");
}

TEST(OutputFormatEnum, CategoriesSelectFormats)
{
    auto ids = [](DWORD cat) {
        std::vector<int32_t> out;
        COutputFormatEnum list(cat);
        for (size_t i = 0; i < list.GetCount(); ++i) out.push_back(list.GetItem(i).id);
        return out;
    };
    auto has = [](const std::vector<int32_t>& v, int32_t id) { return std::find(v.begin(), v.end(), id) != v.end(); };
    auto video = ids(0x12), audio = ids(0x30), image = ids(0x04);
    EXPECT_TRUE(has(video, 1) && has(video, 16) && has(video, 100) && !has(video, 19) && !has(video, 22));
    EXPECT_TRUE(has(audio, 19) && has(audio, 20) && has(audio, 100) && !has(audio, 1));
    EXPECT_TRUE(has(image, 22) && has(image, 23) && !has(image, 100));
    EXPECT_EQ(COutputFormatEnum::GetShortTitle(16), L"MKV");
    EXPECT_EQ(COutputFormatEnum::GetShortTitle(999), L"");
    EXPECT_EQ(COutputFormatEnum::GetLongDescID(999), 0u);
    COutputFormatEnum v(0x12);
    EXPECT_STREQ(v.GetItem(0).name, "AVI");
}

// Every listed codec has an encoder in this build, and a format whose codecs
// are all missing offers none.
TEST(AVCodecs, ListsOfferOnlyAvailableEncoders)
{
    for (const mediaeng::FormatInfo& f : mediaeng::AllFormats()) {
        for (bool video : {true, false}) {
            std::unique_ptr<CAVCodecsBase> list;
            if (video) list = CreateVideoCodecsForFormat(f.id);
            else list = CreateAudioCodecsForFormat(f.id);
            if (!list) continue;
            for (size_t i = 0; i < list->GetCount(); ++i) {
                const mediaeng::CodecInfo* c = video ? mediaeng::FindVideoCodec(list->GetItem(i).value)
                                                     : mediaeng::FindAudioCodec(list->GetItem(i).value);
                ASSERT_NE(c, nullptr);
                std::string enc = mediaeng::AvailableEncoder(*c);
                ASSERT_FALSE(enc.empty()) << f.title;
                EXPECT_NE(avcodec_find_encoder_by_name(enc.c_str()), nullptr);
            }
        }
    }
    // AMR-NB is listed for 3GP only when the build has its encoder.
    C3GPAudioCodecs amr;
    EXPECT_EQ(amr.GetIdW(L"AMR-NB") >= 0, avcodec_find_encoder_by_name("libopencore_amrnb") != nullptr);
}

TEST(AVCodecs, DefaultCodecAndCapabilities)
{
    CMP4VideoCodecs mp4;
    wchar_t buf[512];
    mp4.GetDefaultCodec(buf, 512);
    ASSERT_GT(mp4.GetCount(), 0u);
    EXPECT_STREQ(buf, mp4.GetItem(0).text);
    CFLASHVideoCodecs flash(0);
    int screen = flash.GetIdW(L"Screen video");
    if (screen >= 0) {
        EXPECT_FALSE(flash.IsMultyPass(screen, -1));
        EXPECT_FALSE(flash.IsBitrate(screen));
    }
    EXPECT_FALSE(flash.IsBitrate(-1));
    EXPECT_FALSE(flash.IsBitrate(1000));
    CWMVAudioCodecs wma;
    ASSERT_GT(wma.GetCount(), 0u);
    EXPECT_GE(wma.GetItem(0).value, 512);
    EXPECT_EQ(wma.InitAudioFormat(wma.GetItem(0).value, 0), S_OK);
    ASSERT_GT(wma.GetWaveCount(), 0u);
    WAVEFORMATEX w;
    int32_t extra = 5;
    EXPECT_EQ(wma.GetWave(&w, 0, &extra), w.nAvgBytesPerSec);
    EXPECT_EQ(extra, 0);
    CMP3AudioCodecs mp3;
    EXPECT_NE(mp3.InitAudioFormat(1, 0), S_OK);
    EXPECT_EQ(mp3.GetWaveCount(), 0u);
}

TEST(AVCodecs, EnumeratorsAddNothingTheBuildCannotEncode)
{
    ComPtr<ICodecExternal> codecs;
    ASSERT_EQ(CoCreate(CLSID_AVIVideoCodecEnum, codecs), S_OK);
    LONG n = 0;
    codecs->GetCount(&n);
    EXPECT_GT(n, 0);
    CAVIVideoCodecs list;
    const size_t before = list.GetCount();
    list.Clear();
    EXPECT_EQ(list.FetchCodec(codecs.Get()), S_OK);
    EXPECT_EQ(list.GetCount(), before);  // what the enumerator names, nothing else
    EXPECT_EQ(list.FetchCodec(codecs.Get()), S_OK);
    EXPECT_EQ(list.GetCount(), before);  // no duplicates
    EXPECT_EQ(list.FetchCodec(nullptr), E_POINTER);
    ComPtr<ICodecExternal> wma;
    ASSERT_EQ(CoCreate(CLSID_WMVAudioCodecEnum, wma), S_OK);
    BSTR name = nullptr;
    LONG tag = 0;
    EXPECT_EQ(wma->GetCodec(99, &name, &tag), E_INVALIDARG);
}
