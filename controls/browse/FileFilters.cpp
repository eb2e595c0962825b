#include "controls/browse/FileFilters.h"

namespace {

const wchar_t kMediaFilter[] =
    L"All supported formats|"
    L"*.avi;*.wav;*.wave;*.mp3;*.mpeg;*.mpg;*.m1v;*.ts;*.m2t;*.h264;*.m2ts;*.m2v;*.mov;*.move;*.qt;*.3gp;*.3g2;*.mp4;*.m4v;*.mkv;*.jpeg;*.jpg;*.bmp;*.gif;*.png;*.tiff;*.flv;*.swf;*.rm;*.ifo;*.vob;*.asf;*.wmv;*.tga;*.pcx;*.ico;*.cur;*.wbmp;*.wbm;*.j2k;*.jp2;*.jpc;*.pgx;*.psd;*.ras;*.mif;*.pgm;*.ppm;*.ogg|"
    L"AVI(*.avi)|*.avi|MPEG(*.mpeg, *.mpg, *.m1v, *.m2v, *.ts, *.m2t, *.m2ts)|"
    L"*.mpeg;*.mpg;*.m1v;*.m2v;*.ts;*.m2t;*.m2ts|H264(*.h264)|*.h264|"
    L"QuickTime files(*.mov, *.move, *.qt, *.3gp, *.3g2, *.mp4, *.m4v)|*.mov;*.qt;*.3gp;*.3g2;*.mp4;*.m4v|"
    L"MKV files(*.mkv)|*.mkv|RealMedia files(*.rm, *.rmm)|*.rm;*.rmm|Windows Media Files(*.wmv, *.asf)|"
    L"*.wmv;*.asf|Flash Video(*.swf, *.flv)|*.swf;*.flv|DVD Video Files(*.vob, *.ifo)|*.vob;*.ifo|"
    L"WAVE files(*.wav, *.wave)|*.wav;*.wave|MP3 files(*.mp3)|*.mp3|OGG files(*.ogg)|*.ogg|"
    L"PhotoShop Files (*.psd)|*.psd|JPEG files(*.jpeg, *.jpg)|*.jpeg;*.jpg;|"
    L"JPEG 2000 files(*.j2k, *.jp2, *.jpc, *.pgx;)|*.j2k;*.jp2;*.jpc;*.pgx;|BMP Files(*.bmp)|*.bmp|"
    L"Gif Files (*.gif)|*.gif|PNG Files (*.png)|*.png|TIFF Files (*.tiff, *.tif)|*.tiff;*.tif|"
    L"TGA Files (*.tga)|*.tga;|PCX Files (*.pcx)|*.pcx;|ICO Files (*.ico, *.cur)|*.ico;*.cur;|"
    L"WBMP Files (*.wbmp, *.wbm)|*.wbmp;*.wbm;|Sun Raster Files (*.ras)|*.ras|My Image Format (*.mif)|"
    L"*.mif|Portable Graymap (*.pgm, *.ppm)|*.pgm;*.ppm|All files(*.*)|*.*||";

const wchar_t kImageFilter[] =
    L"All supported formats|"
    L"*.jpeg;*.jpg;*.bmp;*.gif;*.png;*.tiff;*.tga;*.pcx;*.ico;*.wbmp;*.wbm;*.j2k;*.jp2;*.jpc;*.pgx;*.psd;*.ras;*.mif;*.pgm;*.ppm;|"
    L"PhotoShop Files (*.psd)|*.psd|JPEG files(*.jpeg, *.jpg)|*.jpeg;*.jpg;|"
    L"JPEG 2000 files(*.j2k, *.jp2, *.jpc, *.pgx;)|*.j2k;*.jp2;*.jpc;*.pgx;|BMP Files(*.bmp)|*.bmp|"
    L"Gif Files (*.gif)|*.gif|PNG Files (*.png)|*.png|TIFF Files (*.tiff, *.tif)|*.tiff;*.tif|"
    L"TGA Files (*.tga)|*.tga;|PCX Files (*.pcx)|*.pcx;|ICO Files (*.ico, *.cur)|*.ico;*.cur;|"
    L"WBMP Files (*.wbmp, *.wbm)|*.wbmp;*.wbm;|Sun Raster Files (*.ras)|*.ras|My Image Format (*.mif)|"
    L"*.mif|Portable Graymap (*.pgm, *.ppm)|*.pgm;*.ppm|All files(*.*)|*.*||";

const wchar_t kAudioFilter[] =
    L"All supported formats|"
    L"*.ogg;*.wav;*.wave;*.mp3;*.avi;*.mpeg;*.mpg;*.m1v;*.ts;*.m2t;*.m2v;*.mov;*.move;*.qt;*.3gp;*.asf;*.wmv;|"
    L"WAVE files(*.wav, *.wave)|*.wav;*.wave|OGG files(*.ogg)|*.ogg|MP3 files(*.mp3)|*.mp3|"
    L"AVI files(*.avi)|*.avi|MPEG files(*.mpeg, *.mpg, *.m1v, *.m2v, *.ts, *.m2t)|"
    L"*.mpeg;*.mpg;*.m1v;*.m2v;*.ts;*.m2t|MOV files(*.mov, *.move, *.qt)|*.mov;*.qt;*.move|"
    L"3gp Files(*.3gp)|*.3gp|RealMedia files(*.rm, *.rmm)|*.rm;*.rmm|Windows Media Files(*.wmv, *.asf)|"
    L"*.wmv;*.asf|Flash Video(*.swf, *.flv)|*.swf;*.flv|All files(*.*)|*.*||";

}  // namespace

const wchar_t* FilterForButton(UINT buttonKind)
{
    switch (buttonKind) {
    case SPB_MEDIA_FILE: return kMediaFilter;
    case SPB_IMAGE_FILE: return kImageFilter;
    case SPB_AUDIO_FILE: return kAudioFilter;
    default: return L"";
    }
}

namespace {
std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep)
{
    std::vector<std::wstring> out;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(sep, start);
        out.push_back(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
        if (at == std::wstring::npos) return out;
        start = at + 1;
    }
}

// "*.a;*.b;" -> "*.a;*.b": GTK turns an empty pattern into one that matches nothing useful.
std::wstring CleanPatterns(const std::wstring& patterns)
{
    std::wstring out;
    for (const std::wstring& p : Split(patterns, L';')) {
        if (p.empty()) continue;
        if (!out.empty()) out += L';';
        out += p;
    }
    return out;
}
}  // namespace

std::wstring ToFileDialogWildcard(const std::wstring& filter)
{
    std::wstring body = filter;
    while (!body.empty() && body.back() == L'|') body.pop_back();
    const std::vector<std::wstring> parts = Split(body, L'|');
    std::wstring out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::wstring patterns = CleanPatterns(parts[i + 1]);
        if (parts[i].empty() || patterns.empty()) continue;
        if (!out.empty()) out += L'|';
        out += parts[i] + L'|' + patterns;
    }
    return out;
}

std::wstring JoinSelectedPaths(const std::vector<std::wstring>& paths)
{
    std::wstring out;
    for (const std::wstring& p : paths) out += p + L';';
    while (!out.empty() && out.back() == L';') out.pop_back();
    return out;
}
