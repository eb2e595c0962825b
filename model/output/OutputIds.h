#pragma once
// Group and property ids of the output objects' own schema parts (the common
// file group, the image join group and the advanced groups); the format,
// video, audio and frame ids are the schema's (SchemaImpl.h).
#include <cstdint>

enum : int32_t {
    OUTPUT_GROUP_FILE = 10,
    OUTPUT_GROUP_JOIN_IMAGES = 41,
    ADV_GROUP_IMAGE_SPLIT = 44,
    ADV_GROUP_SPLIT = 46,
    ADV_GROUP_JOIN = 53,
    ADV_GROUP_OPERATION = 67,
};

enum : int32_t {
    OUTPUT_PROP_OVERWRITE = 12,
    OUTPUT_PROP_FILE_NAME = 13,
    OUTPUT_PROP_DESTINATION = 14,
    OUTPUT_PROP_JOIN_IMAGES = 40,
    OUTPUT_PROP_IMAGES_ROWS = 42,
    OUTPUT_PROP_IMAGES_COLS = 43,
    OUTPUT_PROP_NAME_CASE = 56,
    OUTPUT_PROP_EXT_CASE = 57,
    OUTPUT_PROP_NUM_FORMAT = 58,
    OUTPUT_PROP_ST_WITH = 59,
    OUTPUT_PROP_INCREMENT = 60,
    OUTPUT_PROP_WEBSAFE = 61,
    OUTPUT_PROP_FORMATDEPEXT = 62,
    OUTPUT_PROP_DUPFORMAT = 63,
    ADV_PROP_SPLIT_TYPE = 47,
    ADV_PROP_SPLIT_TIME = 48,
    ADV_PROP_START_TIME = 49,
    ADV_PROP_SPLIT_COUNT = 50,
    ADV_PROP_SPLIT_SIZE = 51,
    ADV_PROP_IMAGE_DURATION = 54,
    ADV_PROP_BG_AUDIO = 55,
    ADV_PROP_LAST_CLIP = 64,
    ADV_PROP_ENABLE_SPLIT = 68,  // the extraction mode in the image object
    ADV_PROP_ENABLE_JOIN = 69,
};

// "adv_operation" values.
enum : int32_t {
    ADV_OPERATION_NONE = 0,
    ADV_OPERATION_SPLIT = 1,
    ADV_OPERATION_JOIN = 2,
    ADV_OPERATION_EXTRACT = 3,
};

// Format ids after which an output has no stream options of its own.
constexpr int32_t kNoOutputFormat = 0;
constexpr int32_t kSameAsSourceFormatId = 100;
