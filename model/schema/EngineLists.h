#pragma once
// The schema's view of the engine's option and codec lists: item access and the
// capability queries, kept in one place so the schema code reads the same
// whichever way the engine stores its items.
#include "engine/AVCodecs.h"
#include "engine/ImageDefSizes.h"
#include "engine/ListEnumBase.h"
#include "engine/OptionLists.h"
#include <cstdint>
#include <memory>
#include <string>

namespace schema_lists {

inline size_t Count(const CListEnumBase& list) { return list.GetCount(); }
inline std::wstring Text(const CListEnumBase& list, size_t i) { return list.GetItem(i).text; }
inline int32_t Value(const CListEnumBase& list, size_t i) { return list.GetItem(i).value; }
inline int IndexOfText(const CListEnumBase& list, const std::wstring& text) { return list.GetIdW(text.c_str()); }
inline bool HasValue(const CListEnumBase& list, int32_t value) { return list.GetIndex(value) >= 0; }
inline void Add(CListEnumBase& list, int32_t value, const std::wstring& text) { list.AddItem(value, text.c_str()); }
inline void AddById(CListEnumBase& list, int32_t value, UINT textId) { list.AddItem(value, textId, -1); }
inline void Verify(const CListEnumBase& list, int32_t* value) { list.Verify(value); }

std::wstring DefaultCodec(const CAVCodecsBase& list);

inline bool TakesPrecision(const CAudioCodecsBase& list, int idx) { return list.IsPrecision(idx) != 0; }
inline bool HasRateControl(const CAudioCodecsBase& list, int idx) { return list.IsRateControl(idx) != 0; }
inline bool HasBitrate(const CAudioCodecsBase& list, int idx) { return list.IsBitrate(idx) != 0; }
inline size_t WaveCount(const CAudioCodecsBase& list) { return list.GetWaveCount(); }
// Fills the format of a wave item and returns its byte rate.
inline DWORD GetWave(const CAudioCodecsBase& list, WAVEFORMATEX* wave, size_t item)
{
    int32_t extra = 0;
    return list.GetWave(wave, item, &extra);
}

// The codec lists of an output format, with what the format's enumerator adds;
// null for a format without such a list.
std::shared_ptr<CVideoCodecsBase> CreateVideoCodecs(int32_t format);
std::shared_ptr<CAudioCodecsBase> CreateAudioCodecs(int32_t format);

}  // namespace schema_lists
