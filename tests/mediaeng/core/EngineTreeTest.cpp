#include "engine/ConversionJob.h"
#include "engine/EngineNode.h"
#include "mediaeng/core/EngineObjects.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

using namespace mediaeng;

namespace {

ComPtr<IUnknown> Item(IUnknown* object, const wchar_t* name)
{
    ComPtr<IUnknown> out;
    if (ComPtr<IEngineNode> node = ComPtr<IUnknown>(object).As<IEngineNode>())
        node->GetItem(name, out.ReleaseAndGetAddressOf());
    return out;
}

ComPtr<IUnknown> At(IUnknown* collection, LONG i)
{
    ComPtr<IUnknown> out;
    if (auto c = ComPtr<IUnknown>(collection).As<IEngineCollection>()) c->GetItem(i, out.ReleaseAndGetAddressOf());
    return out;
}

CVariant Read(IUnknown* object, const wchar_t* name)
{
    CVariant v;
    if (auto p = Item(object, name).As<IEngineProperty>()) p->GetValue(&v);
    return v;
}

HRESULT Write(IUnknown* object, const wchar_t* name, const CVariant& v)
{
    auto p = Item(object, name).As<IEngineProperty>();
    return p ? p->SetValue(v) : E_INVALIDARG;
}

ComPtr<IConversionJob> NewJob()
{
    ComPtr<IConversionJob> job;
    EXPECT_EQ(CoCreate(CLSID_ConversionJob, job), S_OK);
    return job;
}

ComPtr<IUnknown> FirstFormat(IConversionJob* job)
{
    ComPtr<IUnknown> profile = At(Item(job, L"Profiles").Get(), 0);
    return At(Item(profile.Get(), L"Formats").Get(), 0);
}

}  // namespace

TEST(EngineProperty, ConvertsBetweenKindsAndKeepsItsOwn)
{
    ComPtr<CEngineNode> node = MakeComObject<CEngineNode>(L"n");
    node->Prop(L"Int", CVariant(int32_t{5}));
    node->Prop(L"Real", CVariant(1.5));
    node->Prop(L"Text", CVariant(L"abc"));
    node->Prop(L"Unsigned", CVariant(uint32_t{7}));
    IUnknown* n = static_cast<IEngineNode*>(node.Get());

    struct Case {
        const wchar_t* name;
        CVariant written;
        VARTYPE kind;
        double expected;
    } cases[] = {
        {L"Int", CVariant(L"42"), VT_I4, 42},
        {L"Int", CVariant(3.0), VT_I4, 3},
        {L"Real", CVariant(int32_t{2}), VT_R8, 2.0},
        {L"Real", CVariant(L"0.25"), VT_R8, 0.25},
        {L"Unsigned", CVariant(int32_t{9}), VT_UI4, 9},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Write(n, c.name, c.written), S_OK) << c.name;
        CVariant v = Read(n, c.name);
        EXPECT_EQ(v.vt, c.kind) << c.name;
        EXPECT_DOUBLE_EQ(v.AsDouble(), c.expected) << c.name;
    }
    // A value that does not convert is refused and the old one stays.
    EXPECT_NE(Write(n, L"Int", CVariant(L"not a number")), S_OK);
    EXPECT_EQ(Read(n, L"Int").AsInt(), 3);
    // Reads in other kinds through the value interface.
    auto value = Item(n, L"Real").As<IEngineValue>();
    ASSERT_TRUE(value);
    BSTR text = nullptr;
    EXPECT_EQ(value->GetAsBSTR(&text), S_OK);
    EXPECT_EQ(BstrToWString(text), L"0.25");
    SysFreeString(text);
    LONG asInt = 0;
    node->Prop(L"Real", CVariant())->Assign(CVariant(7.0));
    EXPECT_EQ(value->GetAsI4(&asInt), S_OK);
    EXPECT_EQ(asInt, 7);
    // Text into a text property, last write wins.
    Write(n, L"Text", CVariant(L"x"));
    Write(n, L"Text", CVariant(int32_t{12}));
    EXPECT_EQ(Read(n, L"Text").AsString(), L"12");
}

TEST(EngineNode, UnknownNamesAreIgnored)
{
    ComPtr<CEngineNode> node = MakeComObject<CEngineNode>(L"n");
    node->Prop(L"Known", CVariant(int32_t{1}));
    EXPECT_EQ(node->SetValue(L"Unknown", CVariant(int32_t{5})), S_FALSE);
    ComPtr<IUnknown> missing;
    EXPECT_EQ(node->GetItem(L"Unknown", missing.ReleaseAndGetAddressOf()), E_INVALIDARG);
    EXPECT_FALSE(missing);
    CVariant v(int32_t{9});
    node->GetValue(L"Unknown", &v);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_FALSE(node->GetItem(static_cast<const wchar_t*>(nullptr), missing.ReleaseAndGetAddressOf()) == S_OK);
    EXPECT_EQ(node->ValueOf(L"Known").AsInt(), 1);
}

TEST(EngineNode, ReadOnlyFactsRefuseWrites)
{
    ComPtr<CEngineNode> node = MakeComObject<CEngineNode>(L"n");
    node->Publish(L"Width", CVariant(int32_t{160}));
    CEngineNode* group = node->FactGroup(L"Video");
    group->Fact(L"Codec", CVariant(L"h264"));
    ComPtr<IUnknown> width, codec;
    ASSERT_EQ(node->GetItemByName(L"Width", width.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(node->GetItemByName(L"Codec", codec.ReleaseAndGetAddressOf()), S_OK);  // nested
    EXPECT_EQ(width.As<IEngineProperty>()->SetValue(CVariant(int32_t{1})), E_ACCESSDENIED);
    LONG count = 0;
    node->GetCount(&count);
    EXPECT_EQ(count, 1);  // the category; "Width" is found by name only
    ComPtr<IUnknown> byNode;
    EXPECT_EQ(node->GetItem(L"Width", byNode.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IUnknown> none;
    EXPECT_NE(node->GetItemByName(L"Audio", none.ReleaseAndGetAddressOf()), S_OK);
}

TEST(ConversionJob, NewJobHasCompleteTree)
{
    ComPtr<IConversionJob> job = NewJob();
    ASSERT_TRUE(job);
    EXPECT_TRUE(Item(job.Get(), L"Files").As<IFilesNode>());
    ComPtr<IUnknown> profiles = Item(job.Get(), L"Profiles");
    LONG n = 0;
    profiles.As<IEngineCollection>()->GetCount(&n);
    ASSERT_EQ(n, 1);
    ComPtr<IUnknown> profile = At(profiles.Get(), 0);
    for (const wchar_t* name : {L"SplitUse", L"SplitSize", L"JoinType", L"GalleryType"})
        EXPECT_TRUE(Item(profile.Get(), name).As<IEngineProperty>()) << name;
    EXPECT_EQ(Read(profile.Get(), L"SplitSize").AsInt(), 700);
    EXPECT_TRUE(Item(profile.Get(), L"GalleryData").As<IGalleryData>());
    EXPECT_TRUE(Item(profile.Get(), L"MontageData").As<IGalleryData>());
    ComPtr<IUnknown> formats = Item(profile.Get(), L"Formats");
    ASSERT_TRUE(formats.As<IFormatsMode>());
    ComPtr<IUnknown> format = At(formats.Get(), 0);
    ASSERT_TRUE(format);
    for (const wchar_t* name : {L"OutputFormatID", L"DestinationFolder", L"Resize", L"LitterboxColor", L"MKVVideoCodec",
                                L"3G2AudioCodec", L"VideoBitrate", L"TwoPass", L"AudioPrecision", L"ScreenListCols",
                                L"FrameShift", L"Crop_Left", L"FlipV", L"EraserCell"})
        EXPECT_TRUE(Item(format.Get(), name).As<IEngineProperty>()) << name;
    EXPECT_EQ(Read(format.Get(), L"Resize").AsString(), L"100%");
    EXPECT_EQ(Read(format.Get(), L"VideoBitrate").vt, VT_UI4);
    ComPtr<IUnknown> filters = Item(format.Get(), L"Filters");
    filters.As<IEngineCollection>()->GetCount(&n);
    ASSERT_EQ(n, 1);
    EXPECT_DOUBLE_EQ(Read(At(filters.Get(), 0).Get(), L"LevelMaxGreen_Middle").AsDouble(), 1.0);
    EXPECT_TRUE(Item(format.Get(), L"Watermarks").As<IFilesNode>());
    // A plain node is no collection.
    EXPECT_FALSE(format.As<IEngineCollection>());
}

// The profile of a format is its owner's owner (what the program's
// GetFormatProfile walks through the media item interface).
TEST(ConversionJob, FormatOwnerChainReachesProfile)
{
    ComPtr<IConversionJob> job = NewJob();
    ComPtr<IUnknown> profile = At(Item(job.Get(), L"Profiles").Get(), 0);
    auto format = FirstFormat(job.Get()).As<IMediaItem>();
    ASSERT_TRUE(format);
    ComPtr<IUnknown> formats, owner;
    format->GetOwner(formats.ReleaseAndGetAddressOf());
    ASSERT_TRUE(formats.As<IMediaItem>());
    formats.As<IMediaItem>()->GetOwner(owner.ReleaseAndGetAddressOf());
    EXPECT_EQ(owner.As<IEngineNode>().Get(), profile.As<IEngineNode>().Get());
}

TEST(ConversionJob, WatermarksCreateItemsOfEachKind)
{
    ComPtr<IConversionJob> job = NewJob();
    auto watermarks = Item(FirstFormat(job.Get()).Get(), L"Watermarks").As<IFilesNode>();
    ASSERT_TRUE(watermarks);
    const CLSID* kinds[] = {&CLSID_WatermarkItem0, &CLSID_WatermarkItem1, &CLSID_WatermarkItem2,
                            &CLSID_WatermarkItem3, &CLSID_WatermarkItem4};
    for (int k = 0; k < 5; ++k) {
        ComPtr<IUnknown> item;
        ASSERT_EQ(watermarks->CreateItem(*kinds[k], item.ReleaseAndGetAddressOf()), S_OK);
        EXPECT_EQ(Read(item.Get(), L"Kind").AsInt(), k);
        ComPtr<IUnknown> timelines = Item(item.Get(), L"Timelines");
        LONG n = 0;
        timelines.As<IEngineCollection>()->GetCount(&n);
        EXPECT_EQ(n, 1);
        EXPECT_EQ(Read(At(timelines.Get(), 0).Get(), L"EndOfFile").AsInt(), 1);
        // Switch, then its settings node (what a watermark writes through).
        ComPtr<IEngineProperty> stroke = Item(item.Get(), L"Stroke").As<IEngineProperty>();
        ASSERT_TRUE(stroke);
        stroke->SetValue(CVariant(int32_t{1}));
        item.As<IEngineNode>()->ApplySwitch(stroke.Get(), 1);
        ComPtr<IUnknown> strokeNode;
        stroke->GetChildNode(strokeNode.ReleaseAndGetAddressOf());
        EXPECT_EQ(Write(strokeNode.Get(), L"Opacity", CVariant(int32_t{70})), S_OK);
        EXPECT_EQ(Read(strokeNode.Get(), L"Opacity").AsInt(), 70);
        EXPECT_FALSE(Item(Item(item.Get(), L"DropShadow").Get(), L"x"));
    }
    LONG n = 0;
    watermarks->GetCount(&n);
    EXPECT_EQ(n, 5);
    ComPtr<IUnknown> none;
    EXPECT_EQ(watermarks->CreateItem(GUID_NULL,
                                     none.ReleaseAndGetAddressOf()),
              REGDB_E_CLASSNOTREG);
    // Reorder: remove and insert again one place earlier.
    ComPtr<IUnknown> last;
    watermarks->GetItem(4, last.ReleaseAndGetAddressOf());
    watermarks->Remove(4);
    watermarks->Insert(3, last.Get());
    LONG at = -1;
    watermarks->IndexOf(last.Get(), &at);
    EXPECT_EQ(at, 3);
    watermarks->RemoveAll();
    watermarks->GetCount(&n);
    EXPECT_EQ(n, 0);
}

TEST(ConversionJob, FilesNodeKeepsSourcesAndLinksDoNotLeak)
{
    ComPtr<IConversionJob> job = NewJob();
    ComPtr<IFilesNode> files;
    ASSERT_EQ(job->GetFilesNode(files.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<CEngineNode> source = MakeComObject<CEngineNode>(L"src");
    IUnknown* src = static_cast<IEngineNode*>(source.Get());
    EXPECT_EQ(files->AddSource(src, 0), S_OK);
    // The source links back to the job without keeping it alive.
    EXPECT_EQ(source->SetJob(static_cast<IConversionJob*>(job.Get())), S_OK);
    ComPtr<IUnknown> linked;
    source->GetJob(linked.ReleaseAndGetAddressOf());
    EXPECT_TRUE(linked);
    linked.Reset();
    files.Reset();
    job.Reset();  // job and tree go; the source's link turns null
    source->GetJob(linked.ReleaseAndGetAddressOf());
    EXPECT_FALSE(linked);
}

TEST(ConversionJob, RunWithoutRunnerIsNotImplemented)
{
    ConversionRunnerFactory saved = GetConversionRunnerFactory();
    SetConversionRunnerFactory(nullptr);
    ComPtr<IConversionJob> job = NewJob();
    EXPECT_EQ(job->Init(0), S_OK);
    EXPECT_EQ(job->Run(0, 0, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(job->Stop(), S_OK);
    LONG state = -1;
    job->GetState(&state);
    EXPECT_EQ(state, JOB_IDLE);
    SetConversionRunnerFactory(saved);
}

TEST(ConversionJob, ForwardsToRegisteredRunner)
{
    struct FakeRunner : IConversionRunner {
        explicit FakeRunner(int* calls) : calls(calls) {}
        HRESULT Init(LONG) override { return ++*calls, S_OK; }
        HRESULT Run(LONG, LONG, LONG, IMsgHandler*) override { return ++*calls, S_OK; }
        HRESULT Pause() override { return ++*calls, S_OK; }
        HRESULT Stop() override { return ++*calls, S_OK; }
        LONG GetState() override { return JOB_RUNNING; }
        HRESULT Wait(DWORD) override { return S_OK; }
        HRESULT GetResult() override { return S_OK; }
        int* calls;
    };
    static int calls = 0;
    calls = 0;
    ConversionRunnerFactory saved = GetConversionRunnerFactory();
    SetConversionRunnerFactory([](IConversionJob*) -> std::unique_ptr<IConversionRunner> {
        return std::make_unique<FakeRunner>(&calls);
    });
    ComPtr<IConversionJob> job = NewJob();
    job->Init(0);
    job->Run(0, 0, 0, nullptr);
    job->Pause();
    job->Stop();
    EXPECT_EQ(calls, 4);
    LONG state = 0;
    job->GetState(&state);
    EXPECT_EQ(state, JOB_RUNNING);
    SetConversionRunnerFactory(saved);
}

TEST(SchemaLock, IsRecursiveAndProcessWide)
{
    lock_schema();
    {
        CSchemaLock inner;
    }
    unlock_schema();
    SUCCEED();
}

// Stop joins a worker that asks the job for its state: no lock of the job
// may be held across the runner's calls.
TEST(ConversionJob, StopJoinsAWorkerThatAsksTheJob)
{
    struct JoiningRunner : IConversionRunner {
        explicit JoiningRunner(IConversionJob* job) : job(job) {}
        HRESULT Init(LONG) override { return S_OK; }
        HRESULT Run(LONG, LONG, LONG, IMsgHandler*) override { return S_OK; }
        HRESULT Pause() override { return S_OK; }
        HRESULT Stop() override
        {
            std::thread worker([this] {
                LONG s = 0;
                job->GetState(&s);
                job->GetFilesNode(ComPtr<IFilesNode>().ReleaseAndGetAddressOf());
            });
            worker.join();
            return S_OK;
        }
        LONG GetState() override { return JOB_RUNNING; }
        HRESULT Wait(DWORD) override { return S_OK; }
        HRESULT GetResult() override { return S_OK; }
        IConversionJob* job;
    };
    ConversionRunnerFactory saved = GetConversionRunnerFactory();
    SetConversionRunnerFactory([](IConversionJob* job) -> std::unique_ptr<IConversionRunner> {
        return std::make_unique<JoiningRunner>(job);
    });
    ComPtr<IConversionJob> job = NewJob();
    job->Init(0);
    EXPECT_EQ(job->Stop(), S_OK);
    SetConversionRunnerFactory(saved);
}

// An owner going away while another thread asks for it: the asker gets the
// live owner or nothing, never a node being destroyed.
TEST(EngineNode, OwnerLinkIsSafeWhileTheOwnerGoes)
{
    ComPtr<CEngineNode> child = MakeComObject<CEngineNode>(L"child");
    for (int round = 0; round < 200; ++round) {
        ComPtr<CEngineNode> owner = MakeComObject<CEngineNode>(L"owner");
        child->SetOwner(static_cast<IEngineNode*>(owner.Get()));
        std::atomic<bool> stop{false};
        std::thread asker([&] {
            while (!stop) {
                ComPtr<IUnknown> o;
                child->GetOwner(o.ReleaseAndGetAddressOf());
            }
        });
        owner.Reset();
        stop = true;
        asker.join();
        ComPtr<IUnknown> after;
        child->GetOwner(after.ReleaseAndGetAddressOf());
        EXPECT_FALSE(after);
    }
}
