#include "model/schema/ParametersObj.h"

CParametersObj::CParametersObj()
{
    InitDefaults();
}

CParametersObj::~CParametersObj() = default;

void CParametersObj::InitDefaults()
{
    adv_operation = 0;
    adv_split_type = 0;
    adv_split_count_part = 2;
    adv_split_size = 700;
    adv_split_time = 10;
    adv_split_start_time = 0;
    adv_create_last_clip = 0;
    adv_enable_split = 0;
    adv_enable_join = 0;
    adv_image_extract_mode = 0;
    adv_image_duration = 10;
    adv_image_creation_mode = 0;
}
