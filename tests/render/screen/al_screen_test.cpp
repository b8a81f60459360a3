// The screen update module against a stand-in graphics driver: which
// bitmaps each method creates and in which order, what a fallback gives
// back, what each update shows, and that shutdown frees every page once.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "screen/al_screen.h"
#include "screen/al_screen_driver.h"

namespace {

using Log = std::vector<std::string>;

// A graphics driver with a configurable amount of video memory. Bitmaps are
// numbered in creation order; the log names them by number.
struct FakeGfx {
    int caps = 0;
    bool grants_triple = false;  // enable_triple_buffer() succeeds
    int video_room = 3;          // video bitmaps that can exist at once
    bool system_ok = true;
    bool memory_ok = true;
    int scroll_pending = 0;  // polls that still report a pending request
    int w = 640, h = 480;

    std::deque<BITMAP> store;
    std::map<const BITMAP*, int> ids;
    std::set<int> alive;
    int video_alive = 0;
    std::set<const BITMAP*> video;
    Log log;
    Log faults;  // misuse the module should never commit

    int id(const BITMAP* b) {
        auto it = ids.find(b);
        if (it == ids.end()) {
            faults.push_back("unknown bitmap");
            return -1;
        }
        return it->second;
    }
    std::string name(const BITMAP* b) { return std::to_string(id(b)); }

    BITMAP* make(const char* kind, int bw, int bh, bool ok) {
        if (!ok) {
            log.push_back(std::string(kind) + " -");
            return nullptr;
        }
        BITMAP& b = store.emplace_back();
        b.w = bw;
        b.h = bh;
        int n = static_cast<int>(store.size());
        ids[&b] = n;
        alive.insert(n);
        log.push_back(std::string(kind) + " " + std::to_string(n));
        if (bw != w || bh != h) faults.push_back("bitmap not of the screen's size");
        return &b;
    }
    void use(const BITMAP* b, const char* what) {
        if (!alive.count(id(b))) faults.push_back(std::string(what) + " on a dead bitmap");
    }
};

FakeGfx* gfx = nullptr;

const screen_driver fake_driver = {
    [] { return gfx->caps; },
    [] {
        gfx->log.push_back("enable_triple_buffer");
        if (gfx->grants_triple) gfx->caps |= GFX_CAN_TRIPLE_BUFFER;
        return gfx->grants_triple ? 0 : -1;
    },
    [] { return gfx->w; },
    [] { return gfx->h; },
    [](int w, int h) {
        BITMAP* b = gfx->make("video", w, h, gfx->video_alive < gfx->video_room);
        if (b) {
            ++gfx->video_alive;
            gfx->video.insert(b);
        }
        return b;
    },
    [](int w, int h) { return gfx->make("system", w, h, gfx->system_ok); },
    [](int w, int h) { return gfx->make("memory", w, h, gfx->memory_ok); },
    [](BITMAP* b) {
        if (!b) gfx->faults.push_back("destroy of null");
        int n = gfx->id(b);
        gfx->log.push_back("destroy " + std::to_string(n));
        if (!gfx->alive.erase(n)) gfx->faults.push_back("bitmap " + std::to_string(n) + " destroyed twice");
        if (gfx->video.count(b)) --gfx->video_alive;
    },
    [](BITMAP* b) {
        gfx->use(b, "clear");
        gfx->log.push_back("clear " + gfx->name(b));
    },
    [](BITMAP* b) {
        gfx->use(b, "show");
        gfx->log.push_back("show " + gfx->name(b));
        return 0;
    },
    [](BITMAP* b) {
        gfx->use(b, "request");
        gfx->log.push_back("request " + gfx->name(b));
        return 0;
    },
    [] {
        gfx->log.push_back("poll");
        return gfx->scroll_pending > 0 ? gfx->scroll_pending-- : 0;
    },
    [] { gfx->log.push_back("vsync"); },
    [](BITMAP* src, BITMAP* dst, int sx, int sy, int dx, int dy, int w, int h) {
        gfx->use(src, "blit");
        gfx->use(dst, "blit");
        if (sx || sy || dx || dy || w != src->w || h != src->h) gfx->faults.push_back("partial blit");
        gfx->log.push_back("blit " + gfx->name(src) + ">" + gfx->name(dst));
    },
};

class ScreenUpdate : public ::testing::Test {
protected:
    FakeGfx fake;

    void SetUp() override {
        gfx = &fake;
        set_screen_driver(&fake_driver);
        disable_vsync();
    }
    void TearDown() override {
        shutdown_screen_updating();
        EXPECT_TRUE(fake.alive.empty()) << "bitmaps left after shutdown";
        EXPECT_EQ(fake.faults, Log{});
        set_screen_driver(nullptr);
        gfx = nullptr;
    }

    // Log entries since the last call.
    Log take() {
        Log l;
        l.swap(fake.log);
        return l;
    }
    int buffer() { return get_buffer() ? fake.id(get_buffer()) : 0; }
    std::set<std::string> destroyed(const Log& l) {
        std::set<std::string> s;
        for (const auto& e : l)
            if (e.rfind("destroy ", 0) == 0) s.insert(e);
        return s;
    }
    Log updates(int n) {
        for (int i = 0; i < n; ++i) update_screen();
        return take();
    }
};

TEST_F(ScreenUpdate, OutOfRangeRequestsMeanTripleBuffering) {
    fake.caps = GFX_CAN_TRIPLE_BUFFER;
    for (int requested : {0, 7, 9, -3, 1}) {
        SCOPED_TRACE(requested);
        EXPECT_EQ(initialize_screen_updating(requested), UPDATE_TRIPLE_BUFFER);
        EXPECT_EQ(get_update_method(), UPDATE_TRIPLE_BUFFER);
        Log l = take();
        // A second set-up first gives back what the first one made.
        ASSERT_EQ(l.size(), requested == 0 ? 7u : 10u);
        Log setup(l.end() - 7, l.end());
        int b = fake.id(get_buffer());
        EXPECT_EQ(setup, (Log{"video " + std::to_string(b), "video " + std::to_string(b + 1),
                              "video " + std::to_string(b + 2), "clear " + std::to_string(b),
                              "clear " + std::to_string(b + 1), "clear " + std::to_string(b + 2),
                              "show " + std::to_string(b + 2)}));
    }
}

TEST_F(ScreenUpdate, TripleBufferingDrawsIntoEachPageInTurn) {
    fake.caps = GFX_CAN_TRIPLE_BUFFER;
    ASSERT_EQ(initialize_screen_updating(1), 1);
    take();
    EXPECT_EQ(buffer(), 1);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        update_screen();
        seen.push_back(buffer());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(take(), (Log{"poll", "request 1", "poll", "request 2", "poll", "request 3", "poll",
                           "request 1"}));
}

TEST_F(ScreenUpdate, TripleBufferingWaitsForThePendingRequest) {
    fake.caps = GFX_CAN_TRIPLE_BUFFER;
    ASSERT_EQ(initialize_screen_updating(1), 1);
    take();
    fake.scroll_pending = 2;
    EXPECT_EQ(updates(1), (Log{"poll", "poll", "poll", "request 1"}));
}

TEST_F(ScreenUpdate, TripleBufferingAsksTheDriverForTheCapability) {
    fake.grants_triple = true;
    EXPECT_EQ(initialize_screen_updating(1), 1);
    EXPECT_EQ(take(), (Log{"enable_triple_buffer", "video 1", "video 2", "video 3", "clear 1",
                           "clear 2", "clear 3", "show 3"}));
}

TEST_F(ScreenUpdate, WithoutTripleBufferingNoPageIsMadeForIt) {
    EXPECT_EQ(initialize_screen_updating(1), UPDATE_PAGE_FLIP);
    EXPECT_EQ(take(), (Log{"enable_triple_buffer", "video 1", "video 2", "clear 1", "clear 2",
                           "show 2"}));
    EXPECT_EQ(buffer(), 1);
}

TEST_F(ScreenUpdate, PageFlippingAlternatesAndShowsTheFinishedPage) {
    ASSERT_EQ(initialize_screen_updating(2), UPDATE_PAGE_FLIP);
    take();
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        update_screen();
        seen.push_back(buffer());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(take(), (Log{"show 1", "show 2", "show 1"}));
}

TEST_F(ScreenUpdate, ThirdPageMissingFallsBackToTwoPages) {
    fake.caps = GFX_CAN_TRIPLE_BUFFER;
    fake.video_room = 2;
    EXPECT_EQ(initialize_screen_updating(1), UPDATE_PAGE_FLIP);
    Log l = take();
    EXPECT_EQ(Log(l.begin(), l.begin() + 3), (Log{"video 1", "video 2", "video -"}));
    EXPECT_EQ(destroyed(Log(l.begin() + 3, l.begin() + 5)),
              (std::set<std::string>{"destroy 1", "destroy 2"}));
    EXPECT_EQ(Log(l.begin() + 5, l.end()),
              (Log{"video 3", "video 4", "clear 3", "clear 4", "show 4"}));
    EXPECT_EQ(buffer(), 3);
}

TEST_F(ScreenUpdate, OneVideoPageGivesASystemBackBuffer) {
    fake.video_room = 1;
    EXPECT_EQ(initialize_screen_updating(1), UPDATE_SYSTEM_BUFFER);
    EXPECT_EQ(take(), (Log{"enable_triple_buffer", "video 1", "video -", "destroy 1", "system 2",
                           "video 3", "clear 2", "clear 3", "show 3"}));
    EXPECT_EQ(buffer(), 2);
}

TEST_F(ScreenUpdate, BackBufferMethodsBlitTheSameBufferEveryFrame) {
    for (int method : {UPDATE_SYSTEM_BUFFER, UPDATE_DOUBLE_BUFFER}) {
        SCOPED_TRACE(method);
        ASSERT_EQ(initialize_screen_updating(method), method);
        take();
        const std::string b = std::to_string(buffer()), page = std::to_string(buffer() + 1);
        EXPECT_EQ(updates(2), (Log{"blit " + b + ">" + page, "blit " + b + ">" + page}));
        EXPECT_EQ(std::to_string(buffer()), b);
        enable_vsync();
        EXPECT_EQ(updates(1), (Log{"vsync", "blit " + b + ">" + page}));
        disable_vsync();
    }
}

TEST_F(ScreenUpdate, MissingSystemBitmapFallsBackToMemory) {
    fake.video_room = 1;
    fake.system_ok = false;
    EXPECT_EQ(initialize_screen_updating(3), UPDATE_DOUBLE_BUFFER);
    EXPECT_EQ(take(), (Log{"system -", "video 1", "destroy 1", "memory 2", "video 3", "clear 2",
                           "clear 3", "show 3"}));
}

TEST_F(ScreenUpdate, NothingAvailableLeavesNoMethodAndNoBitmap) {
    fake.video_room = 0;
    EXPECT_EQ(initialize_screen_updating(5), UPDATE_NONE);
    EXPECT_EQ(take(), (Log{"enable_triple_buffer", "video -", "video -", "memory 1", "destroy 1",
                           "system 2", "video -", "destroy 2", "memory 3", "video -",
                           "destroy 3"}));
    EXPECT_EQ(get_buffer(), nullptr);
    EXPECT_EQ(get_update_method(), UPDATE_NONE);
    enable_vsync();
    EXPECT_EQ(updates(3), Log{});
}

TEST_F(ScreenUpdate, MemoryTripleBufferBlitsThenRequestsEachPage) {
    fake.caps = GFX_CAN_TRIPLE_BUFFER;
    ASSERT_EQ(initialize_screen_updating(5), UPDATE_MEMORY_TRIPLE_BUFFER);
    EXPECT_EQ(take(), (Log{"video 1", "video 2", "video 3", "memory 4", "clear 1", "clear 2",
                           "clear 3", "clear 4", "show 3"}));
    EXPECT_EQ(updates(4), (Log{"blit 4>1", "poll", "request 1", "blit 4>2", "poll", "request 2",
                               "blit 4>3", "poll", "request 3", "blit 4>1", "poll",
                               "request 1"}));
    EXPECT_EQ(buffer(), 4);
}

TEST_F(ScreenUpdate, MemoryTripleBufferWithoutCapabilityGoesStraightToMemoryPageFlip) {
    EXPECT_EQ(initialize_screen_updating(5), UPDATE_MEMORY_PAGE_FLIP);
    EXPECT_EQ(take(), (Log{"enable_triple_buffer", "video 1", "video 2", "memory 3", "clear 1",
                           "clear 2", "clear 3", "show 2"}));
    enable_vsync();  // consulted by methods 3 and 4 only
    EXPECT_EQ(updates(3), (Log{"blit 3>1", "show 1", "blit 3>2", "show 2", "blit 3>1", "show 1"}));
    EXPECT_EQ(buffer(), 3);
}

TEST_F(ScreenUpdate, MemoryPageFlipGivesBackAllThreeBitmapsBeforeFallingBack) {
    fake.video_room = 1;
    EXPECT_EQ(initialize_screen_updating(6), UPDATE_SYSTEM_BUFFER);
    Log l = take();
    EXPECT_EQ(Log(l.begin(), l.begin() + 3), (Log{"video 1", "video -", "memory 2"}));
    EXPECT_EQ(destroyed(Log(l.begin() + 3, l.begin() + 5)),
              (std::set<std::string>{"destroy 1", "destroy 2"}));
    EXPECT_EQ(Log(l.begin() + 5, l.end()),
              (Log{"system 3", "video 4", "clear 3", "clear 4", "show 4"}));
}

TEST_F(ScreenUpdate, ShutdownDestroysEachBitmapOnce) {
    fake.caps = GFX_CAN_TRIPLE_BUFFER;
    for (int method = 1; method <= 6; ++method) {
        SCOPED_TRACE(method);
        ASSERT_EQ(initialize_screen_updating(method), method);
        Log made = take();
        std::set<std::string> expected;
        for (const auto& e : made)
            if (e.rfind("video ", 0) == 0 || e.rfind("system ", 0) == 0 || e.rfind("memory ", 0) == 0)
                expected.insert("destroy " + e.substr(e.find(' ') + 1));
        update_screen();
        take();
        shutdown_screen_updating();
        Log l = take();
        EXPECT_EQ(l.size(), expected.size());
        EXPECT_EQ(destroyed(l), expected);
        EXPECT_EQ(get_update_method(), UPDATE_NONE);
        EXPECT_EQ(get_buffer(), nullptr);
        EXPECT_EQ(updates(1), Log{});
        EXPECT_TRUE(fake.alive.empty());
    }
}

TEST_F(ScreenUpdate, SecondSetUpShutsTheFirstDown) {
    ASSERT_EQ(initialize_screen_updating(2), UPDATE_PAGE_FLIP);
    take();
    EXPECT_EQ(initialize_screen_updating(4), UPDATE_DOUBLE_BUFFER);
    Log l = take();
    EXPECT_EQ(destroyed(Log(l.begin(), l.begin() + 2)),
              (std::set<std::string>{"destroy 1", "destroy 2"}));
    EXPECT_EQ(Log(l.begin() + 2, l.end()),
              (Log{"memory 3", "video 4", "clear 3", "clear 4", "show 4"}));
}

TEST_F(ScreenUpdate, VsyncFlagOutlivesShutdown) {
    EXPECT_EQ(vsync_is_enabled(), 0);
    toggle_vsync();
    EXPECT_EQ(vsync_is_enabled(), 1);
    ASSERT_EQ(initialize_screen_updating(4), UPDATE_DOUBLE_BUFFER);
    shutdown_screen_updating();
    EXPECT_EQ(vsync_is_enabled(), 1);
    toggle_vsync();
    EXPECT_EQ(vsync_is_enabled(), 0);
}

}  // namespace
