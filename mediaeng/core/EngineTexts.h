#pragma once
// The engine's messages (errors, warnings and the reasons the conversion
// gives), one numbered text each. The table below is the one list: each entry
// is a constant of namespace mediaeng::text, and the string table holds the
// same English under the same id (resources/strings/enginemessages.tsv).
#include "mediaeng/core/EngineText.h"

// X(name, id, English)
#define KM_ENGINE_TEXTS(X) \
    X(kOutOfMemory, 7300, L"out of memory") \
    X(kNoStreamInfo, 7301, L"cannot read the stream information: %ls") \
    X(kNoDecoderFor, 7302, L"no decoder for %ls") \
    X(kCannotOpenDecoderOf, 7303, L"cannot open the %ls decoder: %ls") \
    X(kNoUsableStream, 7304, L"no usable video or audio stream") \
    X(kNoPictureSize, 7305, L"the video stream has no picture size") \
    X(kNoSampleRate, 7306, L"the audio stream has no sample rate or channels") \
    X(kPictureNotDecoded, 7307, L"the picture cannot be decoded") \
    X(kReadError, 7308, L"read error: %ls") \
    X(kCannotSeekTrimStart, 7309, L"cannot seek to the trim start") \
    X(kEndsEarly, 7310, L"source ends early at %.2f s") \
    X(kNoPicture, 7311, L"it has no picture") \
    X(kNoPictureDecoder, 7312, L"no decoder for its pictures") \
    X(kCannotOpenDecoder, 7313, L"cannot open the decoder: %ls") \
    X(kPartNotWritten, 7314, L"the part could not be written") \
    X(kNothingToSplit, 7315, L"nothing is left to split after the start time") \
    X(kPartTooSmall, 7316, L"a part cannot be made as small as %d MB") \
    X(kPrecisionChanged, 7317, L"A precision of %d bits cannot be used; %d bits are used.") \
    X(kNoAudioEncoder, 7318, L"no audio encoder for this format") \
    X(kRateNotEncoded, 7319, L"A sampling rate of %d Hz cannot be encoded; %d Hz is used.") \
    X(kRateNotStored, 7320, L"A sampling rate of %d Hz cannot be stored; %d Hz is used.") \
    X(kChannelsChanged, 7321, L"%d audio channels cannot be encoded; %d are used.") \
    X(kAudioBitrateChanged, 7322, L"An audio bitrate of %d kbps cannot be used; %d kbps is used.") \
    X(kCannotOpenEncoder, 7323, L"cannot open the %ls encoder: %ls") \
    X(kSamplesNotConverted, 7324, L"cannot convert the audio samples") \
    X(kAudioConversionFailed, 7325, L"audio conversion failed: %ls") \
    X(kAudioEncodingFailed, 7326, L"audio encoding failed: %ls") \
    X(kCannotRewind, 7327, L"cannot go back to the start of %ls") \
    X(kCannotSeekTo, 7328, L"cannot seek to %ls s") \
    X(kCannotReadSource, 7329, L"cannot read the source: %ls") \
    X(kNothingFrom, 7330, L"nothing of %ls lies from %ls s on") \
    X(kCopyFromKeyframe, 7331, L"The copy of %ls begins at the keyframe at %ls s, before the asked start %ls s.") \
    X(kNothingToCopy, 7332, L"nothing to copy") \
    X(kNoCopyContainer, 7333, L"no container of the source's kind can be written") \
    X(kNoStreamToCopy, 7334, L"it has no stream to copy") \
    X(kStreamsDiffer, 7335, L"the streams of %ls differ from the first source's; copying needs sources of one kind (choose a format to re-encode)") \
    X(kTheJob, 7336, L"the job") \
    X(kPictureNotEdited, 7337, L"the picture could not be edited") \
    X(kPictureNotScaled, 7338, L"the picture cannot be scaled") \
    X(kPictureEncoderMissing, 7339, L"the picture encoder %ls is missing") \
    X(kCannotOpenPictureEncoder, 7340, L"cannot open the picture encoder: %ls") \
    X(kPictureNotConverted, 7341, L"the picture cannot be converted") \
    X(kCannotEncodePicture, 7342, L"cannot encode the picture: %ls") \
    X(kPictureEncoderEmpty, 7343, L"the picture encoder gave nothing") \
    X(kCannotCreateIn, 7344, L"cannot create %ls in the folder %ls: %ls") \
    X(kCannotWriteDiskFull, 7345, L"cannot write %ls (is the disk full?)") \
    X(kCannotRename, 7346, L"cannot rename the finished file to %ls") \
    X(kStartPastEnd, 7347, L"the start time is past the end of the clip") \
    X(kNoPictureAt, 7348, L"no picture at %ls s") \
    X(kSoundNotConverted, 7349, L"the sound cannot be converted") \
    X(kNotConverted, 7350, L"the picture or sound could not be converted") \
    X(kNoCarriedStreamInSources, 7351, L"no source has a stream the output can carry") \
    X(kNoDvdAt, 7352, L"no DVD can be read at %ls") \
    X(kNoDvdAtBecause, 7353, L"no DVD can be read at %ls: %ls") \
    X(kNoDvdTitle, 7354, L"the DVD has no readable title %d") \
    X(kCannotReadDvdTitle, 7355, L"cannot read the DVD title: %ls") \
    X(kNoOutputFormat, 7356, L"the job has no output format") \
    X(kFormatNotConvertible, 7357, L"the output format %d cannot be converted to by this job") \
    X(kBadNumberFormat, 7358, L"The number format \"%ls\" is not valid; \"%%02d\" is used.") \
    X(kBadDuplicateFormat, 7359, L"The duplicate number format \"%ls\" is not valid; \"%%02d\" is used.") \
    X(kLengthUnknownNoSplit, 7360, L"its length is unknown, so it cannot be split") \
    X(kTrimNotWhileSplit, 7361, L"Trim ranges are not applied while the output is split.") \
    X(kNoTwoPass, 7362, L"Two-pass encoding is not available for this codec; one pass is used.") \
    X(kNoCarriedStream, 7363, L"it has no stream the output can carry") \
    X(kDiskFull, 7364, L"the disk is full") \
    X(kDiskQuota, 7365, L"the disk quota is exceeded") \
    X(kCannotWriteFile, 7366, L"cannot write the file: %ls") \
    X(kCannotCreateFolder, 7367, L"cannot create the folder %ls: %ls") \
    X(kMuxerMissing, 7368, L"the output format \"%ls\" is not available") \
    X(kNoNullMuxer, 7369, L"no null muxer") \
    X(kCannotRenameBecause, 7370, L"cannot rename the finished file to %ls: %ls") \
    X(kVideoBitrateChanged, 7371, L"The video bitrate %d kbps cannot be used; %d kbps is used.") \
    X(kNoVideoEncoder, 7372, L"no video encoder for this format") \
    X(kFrameSizeUnknown, 7373, L"The frame size \"%ls\" is not understood; the source size is used.") \
    X(kFrameSizeChanged, 7374, L"The frame size %dx%d cannot be encoded; %dx%d is used.") \
    X(kFrameRateChanged, 7375, L"The frame rate %ls cannot be encoded; %ls is used.") \
    X(kKeyFrameChanged, 7376, L"A key frame every %d frames cannot be used; every %d is used.") \
    X(kProfileUnknown, 7377, L"The H.264 profile %d is not known; main is used.") \
    X(kCannotConvertPicture, 7378, L"cannot convert the picture") \
    X(kVideoEncodingFailed, 7379, L"video encoding failed: %ls") \
    X(kCodecNotInFormat, 7380, L"The codec \"%ls\" cannot be used in this format; its default codec is used.") \
    X(kNoPictureToGrab, 7381, L"\"%ls\" has no picture to grab") \
    X(kNoPictureInTime, 7382, L"No picture came within the time limit") \
    X(kEndsBeforeTime, 7383, L"The source ends before the requested time") \
    X(kPictureNotConvertedPlay, 7384, L"A picture could not be converted") \
    X(kNoPictureAtTime, 7385, L"No picture could be read at the requested time") \
    X(kCannotOpenForPlaying, 7386, L"Cannot open \"%ls\" for playing") \
    X(kCannotOpenBecause, 7387, L"Cannot open \"%ls\": %ls") \
    X(kCannotReadStreamsOf, 7388, L"Cannot read the streams of \"%ls\": %ls") \
    X(kNothingDecodable, 7389, L"\"%ls\" holds no picture or sound that can be decoded") \
    X(kDecodingFailed, 7390, L"Decoding failed: %ls") \
    X(kOutOfMemoryPlay, 7391, L"Out of memory") \
    X(kReadingFailed, 7392, L"Reading the source failed: %ls") \
    X(kSeekingFailed, 7393, L"Seeking failed: %ls") \
    X(kNoSuchFile, 7394, L"no such file or folder") \
    X(kDamagedDiscTables, 7395, L"damaged disc tables") \
    X(kNotADvd, 7396, L"not a DVD") \
    X(kNoTitleTable, 7397, L"no title table") \
    X(kNoPlayableTitle, 7398, L"no playable title") \
    X(kDecoderNotSetUp, 7399, L"decoder")

namespace mediaeng::text {

#define KM_ENGINE_TEXT_CONSTANT(name, id, english) inline constexpr EngineTextDef name{id, english};
KM_ENGINE_TEXTS(KM_ENGINE_TEXT_CONSTANT)
#undef KM_ENGINE_TEXT_CONSTANT

}  // namespace mediaeng::text
