#pragma once
// The names of the conversion job's settings tree, written once: the program
// (model/) writes them and the engine (mediaeng/) builds and reads them, so a
// misspelt name is a compile error rather than a setting silently ignored.
// Kinds, defaults and meanings: engine/JobTree.h.
#include <string>

namespace jobkey {

// The job.
inline constexpr wchar_t Files[] = L"Files";
inline constexpr wchar_t FilesLeftOut[] = L"FilesLeftOut";
inline constexpr wchar_t Profiles[] = L"Profiles";

// A profile node.
inline constexpr wchar_t SplitUse[] = L"SplitUse";
inline constexpr wchar_t SplitType[] = L"SplitType";
inline constexpr wchar_t SplitCountFrames[] = L"SplitCountFrames";
inline constexpr wchar_t SplitStep[] = L"SplitStep";
inline constexpr wchar_t SplitSize[] = L"SplitSize";
inline constexpr wchar_t SplitStartWith[] = L"SplitStartWith";
inline constexpr wchar_t SplitLastVideo[] = L"SplitLastVideo";
inline constexpr wchar_t JoinType[] = L"JoinType";
inline constexpr wchar_t JoinImageTime[] = L"JoinImageTime";
inline constexpr wchar_t GalleryType[] = L"GalleryType";
inline constexpr wchar_t GalleryData[] = L"GalleryData";
inline constexpr wchar_t MontageData[] = L"MontageData";
inline constexpr wchar_t Formats[] = L"Formats";

// A format node.
inline constexpr wchar_t OutputFormatID[] = L"OutputFormatID";
inline constexpr wchar_t IsOverwrite[] = L"IsOverwrite";
inline constexpr wchar_t NumericVarStartWidth[] = L"NumericVarStartWidth";
inline constexpr wchar_t NumericVarIncrement[] = L"NumericVarIncrement";
inline constexpr wchar_t WebSafe[] = L"WebSafe";
inline constexpr wchar_t NameCase[] = L"NameCase";
inline constexpr wchar_t ExtensionCase[] = L"ExtensionCase";
inline constexpr wchar_t UseFormatExtension[] = L"UseFormatExtension";
inline constexpr wchar_t FormatType[] = L"FormatType";
inline constexpr wchar_t DestinationFolder[] = L"DestinationFolder";
inline constexpr wchar_t FileNamePattern[] = L"FileNamePattern";
inline constexpr wchar_t FormatDublicateName[] = L"FormatDublicateName";
inline constexpr wchar_t FormatNumericVariable[] = L"FormatNumericVariable";
inline constexpr wchar_t Resize[] = L"Resize";
inline constexpr wchar_t Resampling[] = L"Resampling";
inline constexpr wchar_t ResizeType[] = L"ResizeType";
inline constexpr wchar_t CreateLitterbox[] = L"CreateLitterbox";
inline constexpr wchar_t AspectRatioType[] = L"AspectRatioType";
inline constexpr wchar_t FrameRateID[] = L"FrameRateID";
inline constexpr wchar_t IncludeVideoStream[] = L"IncludeVideoStream";
inline constexpr wchar_t IncludeAudioStream[] = L"IncludeAudioStream";
inline constexpr wchar_t LitterboxColor[] = L"LitterboxColor";
inline constexpr wchar_t VideoBitrate[] = L"VideoBitrate";
inline constexpr wchar_t Quality[] = L"Quality";
inline constexpr wchar_t AudioBitrate[] = L"AudioBitrate";
inline constexpr wchar_t AudioPrecision[] = L"AudioPrecision";
inline constexpr wchar_t AudioQuality[] = L"AudioQuality";
inline constexpr wchar_t TwoPass[] = L"TwoPass";
inline constexpr wchar_t KeyFrames[] = L"KeyFrames";
inline constexpr wchar_t VideoBitrateMode[] = L"VideoBitrateMode";
inline constexpr wchar_t VideoProfile[] = L"VideoProfile";
inline constexpr wchar_t Channels[] = L"Channels";
inline constexpr wchar_t SamplingRate[] = L"SamplingRate";
inline constexpr wchar_t AudioBitrateMode[] = L"AudioBitrateMode";
inline constexpr wchar_t ScreenListEnable[] = L"ScreenListEnable";
inline constexpr wchar_t ScreenListRows[] = L"ScreenListRows";
inline constexpr wchar_t ScreenListCols[] = L"ScreenListCols";
inline constexpr wchar_t FrameShift[] = L"FrameShift";
inline constexpr wchar_t Crop_Left[] = L"Crop_Left";
inline constexpr wchar_t Crop_Right[] = L"Crop_Right";
inline constexpr wchar_t Crop_Top[] = L"Crop_Top";
inline constexpr wchar_t Crop_Bottom[] = L"Crop_Bottom";
inline constexpr wchar_t Rotate[] = L"Rotate";
inline constexpr wchar_t FlipH[] = L"FlipH";
inline constexpr wchar_t FlipV[] = L"FlipV";
inline constexpr wchar_t EraserType[] = L"EraserType";
inline constexpr wchar_t EraserLeft[] = L"EraserLeft";
inline constexpr wchar_t EraserRight[] = L"EraserRight";
inline constexpr wchar_t EraserTop[] = L"EraserTop";
inline constexpr wchar_t EraserBottom[] = L"EraserBottom";
inline constexpr wchar_t EraserStrength[] = L"EraserStrength";
inline constexpr wchar_t EraserCell[] = L"EraserCell";
inline constexpr wchar_t Filters[] = L"Filters";
inline constexpr wchar_t Watermarks[] = L"Watermarks";

// A filter item.
inline constexpr wchar_t IsImageNegative[] = L"IsImageNegative";
inline constexpr wchar_t IsImageGrayscale[] = L"IsImageGrayscale";
inline constexpr wchar_t IsSharpen[] = L"IsSharpen";
inline constexpr wchar_t IsSoften[] = L"IsSoften";
inline constexpr wchar_t IsAutoEnhance[] = L"IsAutoEnhance";
inline constexpr wchar_t IsDeInterlace[] = L"IsDeInterlace";
inline constexpr wchar_t IsAutoLevel[] = L"IsAutoLevel";
inline constexpr wchar_t IsAutoContrast[] = L"IsAutoContrast";
inline constexpr wchar_t DepthMap[] = L"DepthMap";
inline constexpr wchar_t COLOR_BRIGHTNESS[] = L"COLOR_BRIGHTNESS";
inline constexpr wchar_t COLOR_CONSTRAST[] = L"COLOR_CONSTRAST";
inline constexpr wchar_t Gamma[] = L"Gamma";
inline constexpr wchar_t COLOR_HUE[] = L"COLOR_HUE";
inline constexpr wchar_t COLOR_SATURATION[] = L"COLOR_SATURATION";
inline constexpr wchar_t COLOR_LUMINOSITY[] = L"COLOR_LUMINOSITY";
inline constexpr wchar_t RGB_RED[] = L"RGB_RED";
inline constexpr wchar_t RGB_GREEN[] = L"RGB_GREEN";
inline constexpr wchar_t RGB_BLUE[] = L"RGB_BLUE";
inline constexpr wchar_t COLOR_Y[] = L"COLOR_Y";
inline constexpr wchar_t COLOR_U[] = L"COLOR_U";
inline constexpr wchar_t COLOR_V[] = L"COLOR_V";
inline constexpr wchar_t CMYK_C[] = L"CMYK_C";
inline constexpr wchar_t CMYK_M[] = L"CMYK_M";
inline constexpr wchar_t CMYK_Y[] = L"CMYK_Y";
inline constexpr wchar_t CMYK_K[] = L"CMYK_K";
inline constexpr wchar_t COLORLMS_L[] = L"COLORLMS_L";
inline constexpr wchar_t COLORLMS_M[] = L"COLORLMS_M";
inline constexpr wchar_t COLORLMS_S[] = L"COLORLMS_S";
inline constexpr wchar_t COLOR_BALANSE_RED[] = L"COLOR_BALANSE_RED";
inline constexpr wchar_t COLOR_BALANSE_GREEN[] = L"COLOR_BALANSE_GREEN";
inline constexpr wchar_t COLOR_BALANSE_BLUE[] = L"COLOR_BALANSE_BLUE";
inline constexpr wchar_t PreserveLuminosity[] = L"PreserveLuminosity";
inline constexpr wchar_t Range[] = L"Range";

// A watermark item, its "Stroke" and "DropShadow" switches and their child nodes.
inline constexpr wchar_t Kind[] = L"Kind";
inline constexpr wchar_t posType[] = L"posType";
inline constexpr wchar_t posX[] = L"posX";
inline constexpr wchar_t posY[] = L"posY";
inline constexpr wchar_t Width[] = L"Width";
inline constexpr wchar_t Height[] = L"Height";
inline constexpr wchar_t Stretching[] = L"Stretching";
inline constexpr wchar_t Transparency[] = L"Transparency";
inline constexpr wchar_t Angle[] = L"Angle";
inline constexpr wchar_t RectType[] = L"RectType";
inline constexpr wchar_t Round[] = L"Round";
inline constexpr wchar_t Border[] = L"Border";
inline constexpr wchar_t Color[] = L"Color";
inline constexpr wchar_t Text[] = L"Text";
inline constexpr wchar_t FontName[] = L"FontName";
inline constexpr wchar_t FontSize[] = L"FontSize";
inline constexpr wchar_t FontBold[] = L"FontBold";
inline constexpr wchar_t FontItalic[] = L"FontItalic";
inline constexpr wchar_t FontUnderline[] = L"FontUnderline";
inline constexpr wchar_t FontStrikeOut[] = L"FontStrikeOut";
inline constexpr wchar_t AlignPos[] = L"AlignPos";
inline constexpr wchar_t FontCharset[] = L"FontCharset";
inline constexpr wchar_t PathToImage[] = L"PathToImage";
inline constexpr wchar_t PathToFile[] = L"PathToFile";
inline constexpr wchar_t FadeIn[] = L"FadeIn";
inline constexpr wchar_t FadeOut[] = L"FadeOut";
inline constexpr wchar_t Stroke[] = L"Stroke";
inline constexpr wchar_t Opacity[] = L"Opacity";
inline constexpr wchar_t DropShadow[] = L"DropShadow";
inline constexpr wchar_t Size[] = L"Size";
inline constexpr wchar_t Distance[] = L"Distance";
inline constexpr wchar_t Timelines[] = L"Timelines";

// A watermark timeline item.
inline constexpr wchar_t StartTime[] = L"StartTime";
inline constexpr wchar_t EndTime[] = L"EndTime";
inline constexpr wchar_t EndOfFile[] = L"EndOfFile";
inline constexpr wchar_t EndTimeAsRelativeEndofFile[] = L"EndTimeAsRelativeEndofFile";
inline constexpr wchar_t StartTimeAsRelative[] = L"StartTimeAsRelative";

// A gallery data holder.
inline constexpr wchar_t Items[] = L"Items";
// Names made of parts.
inline constexpr const wchar_t* kCodecPrefixes[] = {L"AVI", L"WMV", L"MPEG", L"MOV", L"FLASH",
                                                    L"MP4", L"3GP", L"3G2", L"MKV", L"F4V"};
inline constexpr const wchar_t* kLevelChannels[] = {L"Red", L"Green", L"Blue"};
// "<C>VideoCodec" and "<C>AudioCodec" for a prefix of kCodecPrefixes.
inline std::wstring VideoCodecKey(const wchar_t* prefix) { return std::wstring(prefix) + L"VideoCodec"; }
inline std::wstring AudioCodecKey(const wchar_t* prefix) { return std::wstring(prefix) + L"AudioCodec"; }
// "LevelMin<Ch>", "LevelMax<Ch>" and "LevelMax<Ch>_Middle" for a channel of kLevelChannels.
inline std::wstring LevelMinKey(const std::wstring& channel) { return L"LevelMin" + channel; }
inline std::wstring LevelMaxKey(const std::wstring& channel) { return L"LevelMax" + channel; }
inline std::wstring LevelMiddleKey(const std::wstring& channel) { return L"LevelMax" + channel + L"_Middle"; }

}  // namespace jobkey
