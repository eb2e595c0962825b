#include "mediaeng/watermark/SpriteRender.h"
#include "mediaeng/frame/EraseKinds.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <memory>
#include <pango/pangocairo.h>

namespace mediaeng::watermark {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxSprite = 8192;

struct CairoFreer {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct GObjectFreer {
    void operator()(void* o) const { g_object_unref(o); }
};
struct FontDescFreer {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct AttrListFreer {
    void operator()(PangoAttrList* a) const { pango_attr_list_unref(a); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoFreer>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoFreer>;

int Side(double v) { return std::clamp(static_cast<int>(std::ceil(v - 1e-9)), 1, kMaxSprite); }

// A transparent sprite with a Cairo surface and context drawing into it.
struct Canvas {
    CSprite sprite;
    SurfacePtr surface;
    CairoPtr cr;
    Canvas(int w, int h)
    {
        sprite.width = w;
        sprite.height = h;
        sprite.pixels.assign(static_cast<size_t>(w) * h, 0);
        sprite.content = {0, 0, w, h};
        surface.reset(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(sprite.pixels.data()),
                                                          CAIRO_FORMAT_ARGB32, w, h, w * 4));
        cr.reset(cairo_create(surface.get()));
    }
    CSprite Take()
    {
        cr.reset();
        cairo_surface_flush(surface.get());
        surface.reset();
        return std::move(sprite);
    }
};

SurfacePtr SurfaceOf(const CSprite& s)
{
    return SurfacePtr(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(s.pixels.data())), CAIRO_FORMAT_ARGB32, s.width,
        s.height, s.width * 4));
}

void SetColor(cairo_t* cr, COLORREF c, double alpha)
{
    cairo_set_source_rgba(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0,
                          std::clamp(alpha, 0.0, 1.0));
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::clamp(r, 0.0, std::min(w, h) / 2);
    if (r <= 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

double StrokeWidth(const WatermarkItemDesc& d) { return d.stroke.enabled ? std::clamp(d.stroke.width, 0, 20) : 0; }

}  // namespace

void ResizeTarget(const std::wstring& text, double natW, double natH, double& w, double& h)
{
    w = natW;
    h = natH;
    const std::string t = WideToUtf8(text);
    double pct = 0;
    int a = 0, b = 0;
    char tail = 0;
    if (std::sscanf(t.c_str(), " %lf %% %c", &pct, &tail) == 1 && t.find('%') != std::string::npos) {
        if (pct > 0 && pct <= 10000) {
            w = natW * pct / 100.0;
            h = natH * pct / 100.0;
        }
    } else if (std::sscanf(t.c_str(), " %d x %d %c", &a, &b, &tail) == 2 ||
               std::sscanf(t.c_str(), " %d X %d %c", &a, &b, &tail) == 2) {
        if (a > 0 && b > 0) {
            w = a;
            h = b;
        }
    }
    w = std::clamp(w, 1.0, 16384.0);
    h = std::clamp(h, 1.0, 16384.0);
}

CSprite RenderText(const WatermarkItemDesc& d, double zoom)
{
    if (d.text.empty()) return {};
    // Measure at the natural size on a scratch surface.
    SurfacePtr scratch(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    CairoPtr mcr(cairo_create(scratch.get()));
    std::unique_ptr<PangoLayout, GObjectFreer> layout(pango_cairo_create_layout(mcr.get()));
    std::unique_ptr<PangoFontDescription, FontDescFreer> font(pango_font_description_new());
    const std::string family = d.fontName.empty() ? std::string("Sans") : WideToUtf8(d.fontName);
    pango_font_description_set_family(font.get(), family.c_str());
    const double px = std::clamp(d.fontSize, 1, 1000) * 96.0 / 72.0;
    pango_font_description_set_absolute_size(font.get(), px * PANGO_SCALE);
    pango_font_description_set_weight(font.get(), d.fontBold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(font.get(), d.fontItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), font.get());
    std::unique_ptr<PangoAttrList, AttrListFreer> attrs(pango_attr_list_new());
    if (d.fontUnderline) pango_attr_list_insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (d.fontStrikeOut) pango_attr_list_insert(attrs.get(), pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout.get(), attrs.get());
    pango_layout_set_alignment(layout.get(), d.alignPos == 1   ? PANGO_ALIGN_CENTER
                                             : d.alignPos == 2 ? PANGO_ALIGN_RIGHT
                                                               : PANGO_ALIGN_LEFT);
    const std::string text = WideToUtf8(d.text);
    pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
    if (logical.width <= 0 || logical.height <= 0) return {};

    double tw, th;
    ResizeTarget(d.resize, logical.width, logical.height, tw, th);
    const double margin = StrokeWidth(d) * zoom;
    Canvas c(Side(tw * zoom + 2 * margin), Side(th * zoom + 2 * margin));
    cairo_t* cr = c.cr.get();
    cairo_translate(cr, margin, margin);
    cairo_scale(cr, tw * zoom / logical.width, th * zoom / logical.height);
    cairo_translate(cr, -logical.x, -logical.y);
    pango_cairo_update_layout(cr, layout.get());
    cairo_move_to(cr, 0, 0);
    if (margin > 0) {
        pango_cairo_layout_path(cr, layout.get());
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2 * margin);
        SetColor(cr, d.stroke.color, d.stroke.opacity / 100.0);
        cairo_stroke_preserve(cr);
        cairo_restore(cr);
        SetColor(cr, d.color, 1.0);
        cairo_fill(cr);
    } else {
        SetColor(cr, d.color, 1.0);
        pango_cairo_show_layout(cr, layout.get());
    }
    return c.Take();
}

CSprite RenderShape(const WatermarkItemDesc& d, double zoom, int frameW, int frameH)
{
    double w = std::clamp(d.width, 1, 16384), h = std::clamp(d.height, 1, 16384);
    if (d.stretching == 1 && frameW > 0) w = frameW;
    if (d.stretching == 2 && frameH > 0) h = frameH;
    const double margin = StrokeWidth(d) * zoom;
    Canvas c(Side(w * zoom + 2 * margin), Side(h * zoom + 2 * margin));
    cairo_t* cr = c.cr.get();
    const double W = w * zoom, H = h * zoom;
    const double radius = d.kind == WATERMARK_ROUNDRECT ? std::clamp(d.round, 0, 100) / 100.0 * std::min(W, H) / 2 : 0;
    if (margin > 0) {
        RoundedRectPath(cr, margin, margin, W, H, radius);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2 * margin);
        SetColor(cr, d.stroke.color, d.stroke.opacity / 100.0);
        cairo_stroke(cr);
    }
    SetColor(cr, d.color, 1.0);
    if (d.rectType == 0) {
        const double b = std::clamp(d.border, 1, 20) * zoom;
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        RoundedRectPath(cr, margin + b / 2, margin + b / 2, std::max(W - b, 0.0), std::max(H - b, 0.0),
                        std::max(radius - b / 2, 0.0));
        cairo_set_line_width(cr, b);
        cairo_stroke(cr);
    } else {
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        RoundedRectPath(cr, margin, margin, W, H, radius);
        cairo_fill(cr);
    }
    return c.Take();
}

CSprite RenderPicture(const BgraPicture& picture, const WatermarkItemDesc& d, double zoom)
{
    if (picture.Empty()) return {};
    CSprite src;
    src.width = picture.width;
    src.height = picture.height;
    src.pixels.resize(static_cast<size_t>(src.width) * src.height);
    for (size_t i = 0; i < src.pixels.size(); ++i) {
        const BYTE* p = &picture.pixels[i * 4];
        const uint32_t a = p[3];
        auto pm = [a](uint32_t v) { return (v * a + 127) / 255; };
        src.pixels[i] = (a << 24) | (pm(p[2]) << 16) | (pm(p[1]) << 8) | pm(p[0]);
    }
    double tw, th;
    ResizeTarget(d.resize, picture.width, picture.height, tw, th);
    Canvas c(Side(tw * zoom), Side(th * zoom));
    cairo_t* cr = c.cr.get();
    SurfacePtr s = SurfaceOf(src);
    cairo_scale(cr, tw * zoom / picture.width, th * zoom / picture.height);
    cairo_set_source_surface(cr, s.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    return c.Take();
}

namespace {

CSprite Rotate(const CSprite& s, int degrees)
{
    const double a = (degrees % 360) * kPi / 180.0;
    const double cs = std::abs(std::cos(a)), sn = std::abs(std::sin(a));
    Canvas c(Side(s.width * cs + s.height * sn), Side(s.width * sn + s.height * cs));
    cairo_t* cr = c.cr.get();
    SurfacePtr src = SurfaceOf(s);
    cairo_translate(cr, c.sprite.width / 2.0, c.sprite.height / 2.0);
    cairo_rotate(cr, -a);
    cairo_translate(cr, -s.width / 2.0, -s.height / 2.0);
    cairo_set_source_surface(cr, src.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    return c.Take();
}

CSprite AddShadow(const CSprite& s, const WatermarkShadow& sh, double zoom)
{
    const double a = sh.angle * kPi / 180.0;
    const double dist = std::clamp(sh.distance, 0, 100) * zoom;
    const int dx = static_cast<int>(std::lround(dist * std::cos(a)));
    const int dy = static_cast<int>(std::lround(dist * std::sin(a)));
    const int radius = static_cast<int>(std::lround(std::clamp(sh.size, 0, 50) * zoom));
    const int spread = 3 * radius;
    const int left = std::min(0, dx - spread), top = std::min(0, dy - spread);
    const int right = std::max(s.width, dx + s.width + spread), bottom = std::max(s.height, dy + s.height + spread);
    CSprite out;
    out.width = std::min(right - left, kMaxSprite);
    out.height = std::min(bottom - top, kMaxSprite);
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
    const double op = std::clamp(sh.opacity, 0, 100) / 100.0;
    const uint32_t cr = GetRValue(sh.color), cg = GetGValue(sh.color), cb = GetBValue(sh.color);
    for (int y = 0; y < s.height; ++y) {
        const int oy = y + dy - top;
        if (oy < 0 || oy >= out.height) continue;
        for (int x = 0; x < s.width; ++x) {
            const int ox = x + dx - left;
            if (ox < 0 || ox >= out.width) continue;
            const uint32_t alpha = static_cast<uint32_t>(std::lround((s.pixels[size_t(y) * s.width + x] >> 24) * op));
            out.pixels[size_t(oy) * out.width + ox] =
                (alpha << 24) | ((cr * alpha / 255) << 16) | ((cg * alpha / 255) << 8) | (cb * alpha / 255);
        }
    }
    if (radius > 0) {
        mediaeng::frame::PixelView v;
        v.top = reinterpret_cast<BYTE*>(out.pixels.data());
        v.stride = static_cast<std::ptrdiff_t>(out.width) * 4;
        v.width = out.width;
        v.height = out.height;
        v.bpp = 4;
        mediaeng::frame::BlurRect(v, mediaeng::frame::PixelRect{0, 0, out.width, out.height}, radius);
    }
    SurfacePtr dst = SurfaceOf(out);
    CairoPtr c(cairo_create(dst.get()));
    SurfacePtr src = SurfaceOf(s);
    cairo_set_source_surface(c.get(), src.get(), -left, -top);
    cairo_paint(c.get());
    c.reset();
    cairo_surface_flush(dst.get());
    out.content = {-left, -top, -left + s.width, -top + s.height};
    return out;
}

}  // namespace

CSprite FinishSprite(CSprite s, const WatermarkItemDesc& d, double zoom)
{
    if (s.Empty()) return s;
    if (d.angle % 360 != 0) s = Rotate(s, d.angle);
    s.content = {0, 0, s.width, s.height};
    if (d.shadow.enabled) s = AddShadow(s, d.shadow, zoom);
    return s;
}

}  // namespace mediaeng::watermark
