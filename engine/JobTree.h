#pragma once
// The conversion job's settings tree, as CoCreateInstance(CLSID_ConversionJob)
// builds it (mediaeng/core/JobTree.cpp); the names as constants: engine/JobTreeKeys.h.
// Kinds: I4 (int), UI4, R8, BSTR.
// Units: bitrates in kbps, times in seconds, sizes in MB, pixels for crop and
// eraser edges, unless noted. A write converts to the setting's kind; a write
// of an unknown name is ignored.
//
// job (IConversionJob, IEngineNode)
//   "Files"     IFilesNode: the media sources, in AddSource order
//   "FilesLeftOut" I4 0  sources of the run the program could not hand over
//               (counted in the batch's total; the run is then not a plain success)
//   "Profiles"  collection with one profile node
//
// profile node
//   "SplitUse" I4 0        1 = cut each output into parts
//   "SplitType" I4 0       0 by time, 1 into a number of parts, 2 by size
//   "SplitCountFrames" I4 2  number of parts (or frames to extract)
//   "SplitStep" I4 10      seconds per part / between extracted frames
//   "SplitSize" I4 700     MB per part
//   "SplitStartWith" I4 0  seconds skipped before the first part
//   "SplitLastVideo" I4 0  1 = keep a last part shorter than the others
//   "JoinType" I4 0        1 = join all sources into one output
//   "JoinImageTime" I4 10  seconds a still picture lasts in a join
//   "GalleryType" I4 0     1 = the "Formats" collection serves galleries
//   "GalleryData", "MontageData"  properties with IGalleryData; child node
//                          holding a "Items" collection
//   "Formats"   collection (IFormatsMode, mode 0) with one format node
//
// format node
//   "OutputFormatID" I4 0 (a COutputFormatEnum id; 0 = none chosen)
//   "DestinationFolder" BSTR ""   "FileNamePattern" BSTR "*.*"
//   "IsOverwrite" I4 1            "FormatDublicateName" BSTR "%02d"
//   "FormatNumericVariable" BSTR "%02d"
//   "NumericVarStartWidth" I4 0   "NumericVarIncrement" I4 1
//   "WebSafe" I4 0   "NameCase" I4 0   "ExtensionCase" I4 0
//   "UseFormatExtension" I4 1     "FormatType" I4 0 (1 = video output)
//   "Resize" BSTR "100%" ("%d%%", "%d x %d")   "Resampling" I4 1
//   "ResizeType" I4 0 (0 stretch, 1 crop to fill, 2 keep the aspect (bars of "LitterboxColor" when "CreateLitterbox" is 1, else the fitted size), 3 keep the aspect with blurred bars)
//   "CreateLitterbox" I4 0   "LitterboxColor" UI4 0 (0x00BBGGRR)
//   "AspectRatioType" I4 0   "FrameRateID" I4 0 (fps x 1000, 0 = source)
//   "IncludeVideoStream" I4 1   "IncludeAudioStream" I4 1
//   "<C>VideoCodec", "<C>AudioCodec" BSTR "" for C in AVI WMV MPEG MOV FLASH
//        MP4 3GP 3G2 MKV F4V (codec names of the engine/AVCodecs.h lists;
//        "" = the list's default)
//   "VideoBitrate" UI4 2000 kbps   "Quality" UI4 75 (0-100)
//   "TwoPass" I4 0   "KeyFrames" I4 100 (frames between key frames)
//   "VideoBitrateMode" I4 0 (CBitrateTypeEnum)   "VideoProfile" I4 0
//   "Channels" I4 2   "SamplingRate" I4 44100 Hz   "AudioBitrate" UI4 128 kbps
//   "AudioPrecision" UI4 16 bits   "AudioBitrateMode" I4 0   "AudioQuality" UI4 75
//   "ScreenListEnable" I4 0   "ScreenListRows" I4 2   "ScreenListCols" I4 2
//   "FrameShift" I4 0 seconds before the first extracted frame
//   "Crop_Left", "Crop_Right", "Crop_Top", "Crop_Bottom" I4 0 pixels
//   "Rotate" I4 0 (0, 1 90, 2 180, 3 270 degrees)  "FlipH" I4 0  "FlipV" I4 0
//   "EraserType" I4 0 (0 none, 1 crop, 2 blur, 3 fill, 4 pixelate)
//   "EraserLeft" 0, "EraserRight" 100, "EraserTop" 0, "EraserBottom" 100 I4 pixels
//   "EraserStrength" I4 8   "EraserCell" I4 8
//   "Filters"    collection with one filter item (below)
//   "Watermarks" IFilesNode: CreateItem(CLSID_WatermarkItem0..4)
//
// filter item (the names CLSID_FrameFilters answers too), all I4 0 unless noted:
//   "IsImageNegative" "IsImageGrayscale" "IsSharpen" "IsSoften"
//   "IsAutoEnhance" "IsDeInterlace" "IsAutoLevel" "IsAutoContrast" "DepthMap"
//   "COLOR_BRIGHTNESS" "COLOR_CONSTRAST" "Gamma" "COLOR_HUE" "COLOR_SATURATION"
//   "COLOR_LUMINOSITY" "RGB_RED" "RGB_GREEN" "RGB_BLUE" "COLOR_Y" "COLOR_U"
//   "COLOR_V" "CMYK_C" "CMYK_M" "CMYK_Y" "CMYK_K" "COLORLMS_L" "COLORLMS_M"
//   "COLORLMS_S" "COLOR_BALANSE_RED" "COLOR_BALANSE_GREEN" "COLOR_BALANSE_BLUE"
//   "PreserveLuminosity" "Range" (-100..100 style offsets as the grid edits them);
//   "LevelMin<Ch>" I4 0, "LevelMax<Ch>" I4 255, "LevelMax<Ch>_Middle" R8 1.0
//   for Ch in Red Green Blue.
//
// watermark item (kind 0-4 by class id; "Kind" I4 tells it)
//   "posType" I4 0 (anchor 0-8)  "posX" "posY" I4 0 pixels from the anchor
//   "Width" "Height" I4 0 pixels  "Stretching" I4 0  "Transparency" I4 0 (%)
//   "Angle" I4 0 degrees  "RectType" I4 0  "Round" I4 0  "Border" I4 0
//   "Color" BSTR "0xFFFFFF" (0xRRGGBB)  "Text" BSTR ""  "FontName" BSTR "Sans"
//   "FontSize" I4 24  "FontBold" "FontItalic" "FontUnderline" "FontStrikeOut" I4 0
//   "AlignPos" I4 0  "FontCharset" I4 0  "PathToImage" "PathToFile" BSTR ""
//   "Resize" BSTR "100%"  "FadeIn" "FadeOut" I4 0 seconds
//   "Stroke" I4 0 switch; its child node: "Color" BSTR "0xFF0000",
//        "Width" I4 1, "Opacity" I4 100 (%)
//   "DropShadow" I4 0 switch; its child node: "Color" BSTR "0x000000",
//        "Opacity" I4 75, "Angle" I4 45, "Size" I4 3, "Distance" I4 3
//   "Timelines" collection with one item: "StartTime" BSTR "0.0",
//        "EndTime" BSTR "0.0" (seconds or "h:mm:ss"), "EndOfFile" I4 1,
//        "EndTimeAsRelativeEndofFile" I4 0, "StartTimeAsRelative" I4 0
