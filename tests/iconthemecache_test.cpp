#include "common/iconthemecache.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <utility>

using ombrix::IconThemeCache;
namespace fs = std::filesystem;

namespace {

using Found = std::set<std::pair<std::string, std::uint16_t>>;

Found found(const IconThemeCache& cache, std::string_view name) {
    Found result;
    for (const auto& picture : cache.find(name))
        result.insert({std::string(picture.folder), picture.formats});
    return result;
}

// A theme as a package installs it, indexed by the desktop's own icon cache tool.
class IconThemeCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v gtk-update-icon-cache >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "gtk-update-icon-cache is not installed "
                            "(bash scripts/install-deps.sh installs it)";
        theme_.write("index.theme", "[Icon Theme]\nName=t\nDirectories=16x16/apps,scalable/apps\n"
                                    "\n[16x16/apps]\nSize=16\n\n[scalable/apps]\nSize=16\n"
                                    "Type=Scalable\n");
        for (const char* file :
             {"16x16/apps/editor.png", "16x16/apps/terminal.png", "scalable/apps/terminal.svg",
              "16x16/apps/old-style.xpm", "scalable/apps/ombrix-dash-name.svg"})
            theme_.write(file, "picture");
        ASSERT_EQ(std::system(("gtk-update-icon-cache --force --quiet --ignore-theme-index '" +
                               theme_.path().string() + "'")
                                  .c_str()),
                  0);
    }

    TempFolder theme_;
};

TEST_F(IconThemeCacheTest, AnswersAsTheFoldersHoldThePictures) {
    const auto cache = IconThemeCache::open(theme_.path());
    ASSERT_TRUE(cache.has_value());
    EXPECT_EQ(found(*cache, "editor"), (Found{{"16x16/apps", IconThemeCache::png}}));
    EXPECT_EQ(found(*cache, "terminal"),
              (Found{{"16x16/apps", IconThemeCache::png}, {"scalable/apps", IconThemeCache::svg}}));
    EXPECT_EQ(found(*cache, "old-style"), (Found{{"16x16/apps", IconThemeCache::xpm}}));
    EXPECT_EQ(found(*cache, "ombrix-dash-name"), (Found{{"scalable/apps", IconThemeCache::svg}}));
    EXPECT_TRUE(found(*cache, "ombrix-dash").empty());
    EXPECT_TRUE(found(*cache, "").empty());
}

TEST_F(IconThemeCacheTest, CacheOlderThanItsThemeIsNotUsed) {
    // A file added to the theme's folder after the tool last ran.
    fs::last_write_time(theme_.path(),
                        fs::last_write_time(theme_ / "icon-theme.cache") + std::chrono::seconds(5));
    EXPECT_FALSE(IconThemeCache::open(theme_.path()).has_value());
}

TEST_F(IconThemeCacheTest, DamagedCacheNeverReadsOutsideItself) {
    const std::string bytes = readBytes(theme_ / "icon-theme.cache");
    // Every shortened copy, and every byte flipped in turn: answers or none, never a crash
    // (the sanitizer build runs this too).
    for (std::size_t size = 0; size < bytes.size(); ++size)
        if (const auto cache = IconThemeCache::fromBytes(bytes.substr(0, size)))
            (void)cache->find("terminal");
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0xFF);
        if (const auto cache = IconThemeCache::fromBytes(damaged))
            (void)cache->find("terminal"), (void)cache->find("editor");
    }
    EXPECT_FALSE(IconThemeCache::fromBytes(std::string()).has_value());
}

} // namespace
