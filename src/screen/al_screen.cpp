#include "al_screen.h"

#include "screen/al_screen_driver.h"

#include <algorithm>

namespace {

const screen_driver allegro_driver = {
    [] { return gfx_capabilities; },
    [] { return enable_triple_buffer(); },
    [] { return SCREEN_W; },
    [] { return SCREEN_H; },
    [](int w, int h) { return create_video_bitmap(w, h); },
    [](int w, int h) { return create_system_bitmap(w, h); },
    [](int w, int h) { return create_bitmap(w, h); },
    [](BITMAP* b) { destroy_bitmap(b); },
    [](BITMAP* b) { clear_bitmap(b); },
    [](BITMAP* b) { return show_video_bitmap(b); },
    [](BITMAP* b) { return request_video_bitmap(b); },
    [] { return poll_scroll(); },
    [] { vsync(); },
    [](BITMAP* src, BITMAP* dst, int sx, int sy, int dx, int dy, int w, int h) {
        blit(src, dst, sx, sy, dx, dy, w, h);
    },
};
const screen_driver* drv = &allegro_driver;

int updatemethod = UPDATE_NONE;
int waitforvsync = 0;
BITMAP* pages[3] = {nullptr, nullptr, nullptr};
BITMAP* active_page = nullptr;
BITMAP* buffer = nullptr;

// Destroys `b` (null allowed) and returns null, so a pointer is destroyed
// and cleared in one assignment.
BITMAP* erase_bitmap(BITMAP* b) {
    if (b) drv->destroy_bitmap(b);
    return nullptr;
}

bool triple_buffer_available() {
    if (!(drv->capabilities() & GFX_CAN_TRIPLE_BUFFER)) drv->enable_triple_buffer();
    return (drv->capabilities() & GFX_CAN_TRIPLE_BUFFER) != 0;
}

BITMAP* video_page() { return drv->create_video_bitmap(drv->screen_w(), drv->screen_h()); }
BITMAP* memory_buffer() { return drv->create_bitmap(drv->screen_w(), drv->screen_h()); }

// Spins: a pending triple-buffer request clears within a retrace.
void wait_for_scroll() {
    while (drv->poll_scroll()) {
    }
}

// Per page, the parts of `buffer` it does not show yet (methods 5 and 6).
std::vector<screen_rect> pending[3];

void copy_parts(const std::vector<screen_rect>& parts, BITMAP* dst) {
    for (const screen_rect& r : parts) drv->blit(buffer, dst, r.x, r.y, r.x, r.y, r.w, r.h);
}

// Copies into the active page what it lacks of the buffer.
void fill_active_page(const std::vector<screen_rect>& parts) {
    for (int i = 0; i < 3; ++i) {
        if (!pages[i]) continue;
        for (const screen_rect& r : parts) add_screen_rect(pending[i], r);
        if (pages[i] == active_page) {
            copy_parts(pending[i], active_page);
            pending[i].clear();
        }
    }
}

BITMAP* next_of_three(BITMAP* p) {
    if (p == pages[0]) return pages[1];
    if (p == pages[1]) return pages[2];
    return pages[0];
}

BITMAP* next_of_two(BITMAP* p) { return p == pages[0] ? pages[1] : pages[0]; }

BITMAP* before_of_three(BITMAP* p) {
    if (p == pages[0]) return pages[2];
    if (p == pages[2]) return pages[1];
    return pages[0];
}

bool try_method(int m) {
    switch (m) {
        case UPDATE_MEMORY_TRIPLE_BUFFER:
            if (!triple_buffer_available()) return false;
            pages[0] = video_page();
            pages[1] = video_page();
            pages[2] = video_page();
            buffer = memory_buffer();
            if (pages[0] && pages[1] && pages[2] && buffer) {
                drv->clear_bitmap(pages[0]);
                drv->clear_bitmap(pages[1]);
                drv->clear_bitmap(pages[2]);
                drv->clear_bitmap(buffer);
                active_page = pages[0];
                drv->show_video_bitmap(pages[2]);
                return true;
            }
            break;
        case UPDATE_MEMORY_PAGE_FLIP:
            pages[0] = video_page();
            pages[1] = video_page();
            buffer = memory_buffer();
            if (pages[0] && pages[1] && buffer) {
                drv->clear_bitmap(pages[0]);
                drv->clear_bitmap(pages[1]);
                drv->clear_bitmap(buffer);
                active_page = pages[0];
                drv->show_video_bitmap(pages[1]);
                return true;
            }
            break;
        case UPDATE_TRIPLE_BUFFER:
            if (!triple_buffer_available()) return false;
            pages[0] = video_page();
            pages[1] = video_page();
            pages[2] = video_page();
            if (pages[0] && pages[1] && pages[2]) {
                drv->clear_bitmap(pages[0]);
                drv->clear_bitmap(pages[1]);
                drv->clear_bitmap(pages[2]);
                buffer = active_page = pages[0];
                drv->show_video_bitmap(pages[2]);
                return true;
            }
            break;
        case UPDATE_PAGE_FLIP:
            pages[0] = video_page();
            pages[1] = video_page();
            if (pages[0] && pages[1]) {
                drv->clear_bitmap(pages[0]);
                drv->clear_bitmap(pages[1]);
                buffer = active_page = pages[0];
                drv->show_video_bitmap(pages[1]);
                return true;
            }
            break;
        case UPDATE_SYSTEM_BUFFER:
        case UPDATE_DOUBLE_BUFFER:
            buffer = m == UPDATE_SYSTEM_BUFFER
                         ? drv->create_system_bitmap(drv->screen_w(), drv->screen_h())
                         : memory_buffer();
            pages[0] = video_page();
            if (buffer && pages[0]) {
                drv->clear_bitmap(buffer);
                drv->clear_bitmap(pages[0]);
                drv->show_video_bitmap(pages[0]);
                return true;
            }
            break;
    }
    // Give back whatever this method managed to create.
    buffer = erase_bitmap(buffer);
    active_page = nullptr;
    for (BITMAP*& p : pages) p = erase_bitmap(p);
    return false;
}

int fallback_of(int m) {
    switch (m) {
        case UPDATE_TRIPLE_BUFFER: return UPDATE_PAGE_FLIP;
        case UPDATE_PAGE_FLIP: return UPDATE_SYSTEM_BUFFER;
        case UPDATE_SYSTEM_BUFFER: return UPDATE_DOUBLE_BUFFER;
        case UPDATE_MEMORY_TRIPLE_BUFFER: return UPDATE_MEMORY_PAGE_FLIP;
        case UPDATE_MEMORY_PAGE_FLIP: return UPDATE_SYSTEM_BUFFER;
        default: return UPDATE_NONE;
    }
}

}  // namespace

int initialize_screen_updating(int method) {
    if (updatemethod != UPDATE_NONE) shutdown_screen_updating();
    if (method > 6 || method < 1) method = UPDATE_TRIPLE_BUFFER;
    for (int m = method; m != UPDATE_NONE; m = fallback_of(m)) {
        if (try_method(m)) return updatemethod = m;
    }
    return updatemethod = UPDATE_NONE;
}

void update_screen() {
    if (buffer) update_screen_parts({{0, 0, buffer->w, buffer->h}});
}

void update_screen_parts(const std::vector<screen_rect>& parts) {
    switch (updatemethod) {
        case UPDATE_TRIPLE_BUFFER:
            wait_for_scroll();
            drv->request_video_bitmap(active_page);
            buffer = active_page = next_of_three(active_page);
            break;
        case UPDATE_PAGE_FLIP:
            drv->show_video_bitmap(active_page);
            buffer = active_page = next_of_two(active_page);
            break;
        case UPDATE_SYSTEM_BUFFER:
        case UPDATE_DOUBLE_BUFFER:
            if (waitforvsync) drv->vsync();
            copy_parts(parts, pages[0]);
            break;
        case UPDATE_MEMORY_TRIPLE_BUFFER:
            fill_active_page(parts);
            wait_for_scroll();
            drv->request_video_bitmap(active_page);
            active_page = next_of_three(active_page);
            break;
        case UPDATE_MEMORY_PAGE_FLIP:
            fill_active_page(parts);
            drv->show_video_bitmap(active_page);
            active_page = next_of_two(active_page);
            break;
        default:
            break;
    }
}

void shutdown_screen_updating() {
    bool own_buffer = buffer && buffer != pages[0] && buffer != pages[1] && buffer != pages[2];
    if (own_buffer) drv->destroy_bitmap(buffer);
    buffer = nullptr;
    active_page = nullptr;
    for (BITMAP*& p : pages) p = erase_bitmap(p);
    for (auto& p : pending) p.clear();
    updatemethod = UPDATE_NONE;
}

void add_screen_rect(std::vector<screen_rect>& parts, screen_rect r) {
    if (r.w <= 0 || r.h <= 0) return;
    // A merge may reach further parts, so merging starts over until none is left.
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < parts.size(); ++i) {
            const screen_rect& p = parts[i];
            const int x1 = std::min(p.x, r.x), y1 = std::min(p.y, r.y);
            const int x2 = std::max(p.x + p.w, r.x + r.w), y2 = std::max(p.y + p.h, r.y + r.h);
            const long both = long(x2 - x1) * (y2 - y1);
            // Two parts closer than a few rows cost less as one.
            if (both <= long(p.w) * p.h + long(r.w) * r.h + 4096) {
                r = {x1, y1, x2 - x1, y2 - y1};
                parts.erase(parts.begin() + i);
                merged = true;
                break;
            }
        }
    }
    parts.push_back(r);
}

BITMAP* keep_shown_picture() {
    BITMAP* shown = updatemethod == UPDATE_TRIPLE_BUFFER ? before_of_three(active_page)
                    : updatemethod == UPDATE_PAGE_FLIP   ? next_of_two(active_page)
                                                         : nullptr;
    if (shown) drv->blit(shown, buffer, 0, 0, 0, 0, buffer->w, buffer->h);
    return shown;
}

BITMAP* get_buffer() { return buffer; }

const screen_driver& allegro_screen_driver() { return allegro_driver; }
void set_screen_driver(const screen_driver* driver) { drv = driver ? driver : &allegro_driver; }
int get_update_method() { return updatemethod; }
void enable_vsync() { waitforvsync = 1; }
void disable_vsync() { waitforvsync = 0; }
void toggle_vsync() { waitforvsync = !waitforvsync; }
int vsync_is_enabled() { return waitforvsync; }
