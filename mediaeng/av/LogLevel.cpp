#include "mediaeng/av/LogLevel.h"
extern "C" {
#include <libavutil/log.h>
}

namespace mediaeng::av {

void LimitFfmpegLog()
{
    if (av_log_get_level() > AV_LOG_WARNING) av_log_set_level(AV_LOG_WARNING);
}

}  // namespace mediaeng::av
