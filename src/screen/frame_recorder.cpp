#include "frame_recorder.h"

#include <algorithm>
#include <map>
#include <memory>
#include <type_traits>

namespace {

enum class Call { unknown, clear, rectfill, rect, hline, putpixel, sprite, sprite256, character, glyph, blit };

struct Note {
    Call call;
    const void* picture;  // sprite, glyph or blit source
    int a[6];
    screen_rect box;  // the pixels it may change, inside the target

    bool operator==(const Note& o) const {
        return call == o.call && picture == o.picture && std::equal(a, a + 6, o.a);
    }
};
using Notes = std::vector<Note>;

struct Recorder {
    GFX_VTABLE vtable;
    const GFX_VTABLE* own = nullptr;  // the memory bitmap's, given back at the end
    BITMAP* real = nullptr;
    Notes notes;
    bool drew_through = false;  // a call went straight into `real` this frame
};

// What each real bitmap holds, as the notes it was last drawn from.
std::map<const BITMAP*, Notes> held;
int unknowns = 0;

Recorder* recorder(const BITMAP* b) { return static_cast<Recorder*>(b->extra); }

// A bitmap whose content no note tells: a note that matches no other.
const Notes& held_by(const BITMAP* real) {
    auto it = held.find(real);
    if (it == held.end())
        it = held.emplace(real, Notes{{Call::unknown, nullptr, {++unknowns}, {0, 0, real->w, real->h}}})
                 .first;
    return it->second;
}

void note(BITMAP* b, Call call, const void* picture, std::initializer_list<int> args, int x1, int y1,
          int x2, int y2, bool opaque = false) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, b->w - 1), y2 = std::min(y2, b->h - 1);
    if (x1 > x2 || y1 > y2) return;  // off the target: changes nothing
    Notes& notes = recorder(b)->notes;
    // Nothing drawn before a call that covers every pixel shows any more.
    if (opaque && x1 == 0 && y1 == 0 && x2 == b->w - 1 && y2 == b->h - 1) notes.clear();
    Note n{call, picture, {}, {x1, y1, x2 - x1 + 1, y2 - y1 + 1}};
    std::copy(args.begin(), args.end(), n.a);
    notes.push_back(n);
}

void noted_clear_to_color(BITMAP* b, int c) { note(b, Call::clear, nullptr, {c}, 0, 0, b->w - 1, b->h - 1, true); }
void noted_rectfill(BITMAP* b, int x1, int y1, int x2, int y2, int c) {
    note(b, Call::rectfill, nullptr, {x1, y1, x2, y2, c}, x1, y1, x2, y2, true);
}
void noted_rect(BITMAP* b, int x1, int y1, int x2, int y2, int c) {
    note(b, Call::rect, nullptr, {x1, y1, x2, y2, c}, x1, y1, x2, y2);
}
void noted_hline(BITMAP* b, int x1, int y, int x2, int c) { note(b, Call::hline, nullptr, {x1, y, x2, c}, x1, y, x2, y); }
void noted_putpixel(BITMAP* b, int x, int y, int c) { note(b, Call::putpixel, nullptr, {x, y, c}, x, y, x, y); }
void sprite(BITMAP* b, BITMAP* s, int x, int y) {
    note(b, Call::sprite, s, {x, y}, x, y, x + s->w - 1, y + s->h - 1);
}
void sprite256(BITMAP* b, BITMAP* s, int x, int y) {
    note(b, Call::sprite256, s, {x, y}, x, y, x + s->w - 1, y + s->h - 1);
}
void character(BITMAP* b, BITMAP* s, int x, int y, int c, int bg) {
    note(b, Call::character, s, {x, y, c, bg}, x, y, x + s->w - 1, y + s->h - 1);
}
void glyph(BITMAP* b, const FONT_GLYPH* g, int x, int y, int c, int bg) {
    note(b, Call::glyph, g, {x, y, c, bg}, x, y, x + g->w - 1, y + g->h - 1);
}
// The library clips a blit before it gets here.
void blit_in(BITMAP* s, BITMAP* b, int sx, int sy, int dx, int dy, int w, int h) {
    note(b, Call::blit, s, {sx, sy, dx, dy, w, h}, dx, dy, dx + w - 1, dy + h - 1, true);
}

// A drawing call with no note of its own is drawn straight into the real
// bitmap, after what the frame noted before it; that bitmap's picture is then
// unknown, so it is redrawn and shown whole. Slower, never wrong.
BITMAP* draw_through(BITMAP* target);

template <class T>
T real_for(T arg, BITMAP* real) {
    if constexpr (std::is_same_v<T, BITMAP*>)
        return is_recording_target(arg) ? real : arg;
    else
        return arg;
}
template <class T>
BITMAP* target_in(T arg) {
    if constexpr (std::is_same_v<T, BITMAP*>)
        return is_recording_target(arg) ? arg : nullptr;
    else
        return nullptr;
}

template <auto Field, class Signature>
struct Through;
template <auto Field, class R, class... A>
struct Through<Field, R (*)(A...)> {
    static R call(A... args) {
        BITMAP* target = nullptr;
        ((target = target ? target : target_in(args)), ...);
        BITMAP* real = draw_through(target);
        return (real->vtable->*Field)(real_for(args, real)...);
    }
};
#define THROUGH(field) v.field = &Through<&GFX_VTABLE::field, decltype(v.field)>::call

void recording_vtable(GFX_VTABLE& v) {
    THROUGH(vline); THROUGH(hfill); THROUGH(line); THROUGH(fastline); THROUGH(triangle);
    THROUGH(draw_sprite_v_flip); THROUGH(draw_sprite_h_flip); THROUGH(draw_sprite_vh_flip);
    THROUGH(draw_trans_sprite); THROUGH(draw_trans_rgba_sprite); THROUGH(draw_lit_sprite);
    THROUGH(draw_rle_sprite); THROUGH(draw_trans_rle_sprite); THROUGH(draw_trans_rgba_rle_sprite);
    THROUGH(draw_lit_rle_sprite); THROUGH(masked_blit);
    THROUGH(pivot_scaled_sprite_flip); THROUGH(do_stretch_blit); THROUGH(draw_gouraud_sprite);
    THROUGH(polygon); THROUGH(circle); THROUGH(circlefill); THROUGH(ellipse); THROUGH(ellipsefill);
    THROUGH(arc); THROUGH(spline); THROUGH(floodfill); THROUGH(polygon3d); THROUGH(polygon3d_f);
    THROUGH(triangle3d); THROUGH(triangle3d_f); THROUGH(quad3d); THROUGH(quad3d_f); THROUGH(draw_sprite_ex);
    v.clear_to_color = noted_clear_to_color;
    v.rectfill = noted_rectfill;
    v.rect = noted_rect;
    v.hline = noted_hline;
    v.putpixel = noted_putpixel;
    v.draw_sprite = sprite;
    v.draw_256_sprite = sprite256;
    v.draw_character = character;
    v.draw_glyph = glyph;
    // Which of these a blit takes depends on the kinds of its two bitmaps.
    v.blit_from_memory = v.blit_to_memory = v.blit_from_system = v.blit_to_system = blit_in;
    v.blit_to_self = v.blit_to_self_forward = v.blit_to_self_backward = blit_in;
    v.blit_between_formats = blit_in;
}

void replay(const Note& n, BITMAP* d) {
    const int* a = n.a;
    BITMAP* s = const_cast<BITMAP*>(static_cast<const BITMAP*>(n.picture));
    switch (n.call) {
        case Call::unknown: break;  // what the bitmap held: still there
        case Call::clear: ::rectfill(d, 0, 0, d->w - 1, d->h - 1, a[0]); break;
        case Call::rectfill: ::rectfill(d, a[0], a[1], a[2], a[3], a[4]); break;
        case Call::rect: ::rect(d, a[0], a[1], a[2], a[3], a[4]); break;
        case Call::hline: ::hline(d, a[0], a[1], a[2], a[3]); break;
        case Call::putpixel: ::putpixel(d, a[0], a[1], a[2]); break;
        case Call::sprite: d->vtable->draw_sprite(d, s, a[0], a[1]); break;
        case Call::sprite256: d->vtable->draw_256_sprite(d, s, a[0], a[1]); break;
        case Call::character: d->vtable->draw_character(d, s, a[0], a[1], a[2], a[3]); break;
        case Call::glyph:
            d->vtable->draw_glyph(d, static_cast<const FONT_GLYPH*>(n.picture), a[0], a[1], a[2], a[3]);
            break;
        case Call::blit: ::blit(s, d, a[0], a[1], a[2], a[3], a[4], a[5]); break;
    }
}

bool meet(const screen_rect& a, const screen_rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

}  // namespace

BITMAP* create_recording_target(BITMAP* real) {
    // A sub-bitmap over the whole of `real`: its size and depth for no
    // pixels of its own (nothing is ever drawn into it).
    BITMAP* b = create_sub_bitmap(real, 0, 0, real->w, real->h);
    if (!b) return nullptr;
    auto r = std::make_unique<Recorder>();
    r->own = b->vtable;
    r->vtable = *b->vtable;
    recording_vtable(r->vtable);
    b->vtable = &r->vtable;
    b->extra = r.release();
    record_onto(b, real);
    return b;
}

void destroy_recording_target(BITMAP* target) {
    if (!target) return;
    std::unique_ptr<Recorder> r(recorder(target));
    target->vtable = const_cast<GFX_VTABLE*>(r->own);
    target->extra = nullptr;
    destroy_bitmap(target);
}

bool is_recording_target(const BITMAP* b) { return b && b->vtable && b->vtable->rect == noted_rect; }

BITMAP* recording_destination(const BITMAP* target) { return recorder(target)->real; }

void record_onto(BITMAP* target, BITMAP* real) {
    Recorder* r = recorder(target);
    r->real = real;
    r->notes = held_by(real);
}

std::vector<screen_rect> draw_recording(BITMAP* target) {
    Recorder* r = recorder(target);
    const Notes& now = r->notes;
    const Notes& was = held_by(r->real);
    // The notes both lists begin and end with stand for the same pixels;
    // what lies between them changed.
    size_t first = 0;
    while (first < now.size() && first < was.size() && now[first] == was[first]) ++first;
    size_t last = 0;
    while (last < now.size() - first && last < was.size() - first &&
           now[now.size() - 1 - last] == was[was.size() - 1 - last])
        ++last;
    std::vector<screen_rect> parts;
    for (size_t i = first; i < was.size() - last; ++i) add_screen_rect(parts, was[i].box);
    for (size_t i = first; i < now.size() - last; ++i) add_screen_rect(parts, now[i].box);

    BITMAP* d = r->real;
    acquire_bitmap(d);
    if (first == was.size() && last == 0) {
        // Only drawn over: those calls alone, as the frame made them.
        for (size_t i = first; i < now.size(); ++i) replay(now[i], d);
    } else {
        int cl, ct, cr, cb;
        get_clip_rect(d, &cl, &ct, &cr, &cb);
        for (const screen_rect& p : parts) {
            set_clip_rect(d, p.x, p.y, p.x + p.w - 1, p.y + p.h - 1);
            for (const Note& n : now)
                if (meet(n.box, p)) replay(n, d);
        }
        set_clip_rect(d, cl, ct, cr, cb);
    }
    release_bitmap(d);
    held[d] = now;
    if (r->drew_through) {
        r->drew_through = false;
        parts.assign(1, screen_rect{0, 0, d->w, d->h});
    }
    return parts;
}

namespace {
BITMAP* draw_through(BITMAP* target) {
    Recorder* r = recorder(target);
    draw_recording(target);
    held.erase(r->real);
    record_onto(target, r->real);
    r->drew_through = true;
    return r->real;
}
}  // namespace

void copy_held_picture(const BITMAP* from, const BITMAP* to) {
    const Notes notes = held_by(from);
    held[to] = notes;
}

void forget_held_pictures() { held.clear(); }
